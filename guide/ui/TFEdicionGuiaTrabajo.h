#pragma once

#include "guide/GuideDay.h"

#include <QDialog>
#include <array>

class NumberEdit;
class QCheckBox;

// "Edición Guia Trabajo": the day (not editable), its eleven task boxes and its
// seven numbers, each number under the task it serves. "Aceptar" accepts; the
// planner then reads edited(). "Cancelar", Escape or closing change nothing.
class TFEdicionGuiaTrabajo : public QDialog {
    Q_OBJECT
public:
    explicit TFEdicionGuiaTrabajo(const GuideDay& day, QWidget* parent = nullptr);

    // The day with the boxes' flags and numbers; its date unchanged.
    GuideDay edited() const;

    QCheckBox* task(GuideTask task) const { return m_tasks[static_cast<size_t>(task)]; }
    // The seven number boxes in the order of the day's numbers.
    NumberEdit* number(int index) const { return m_numbers.at(size_t(index)); }

private:
    GuideDay m_day;
    std::array<QCheckBox*, kGuideTaskCount> m_tasks{};
    std::array<NumberEdit*, 7> m_numbers{};
};
