#pragma once

#include "replacement/ReplacementObjectives.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <array>

class QLineEdit;

// "Objetivos y Estado Actual de la Reposición": the yearly replacement targets of
// females and males against the current year, computed once as the screen opens.
// Two grids of read-only figures; "Aceptar" closes. Nothing is written.
class TFObjetivosReposicion : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColumns = 7;

    explicit TFObjetivosReposicion(const FarmContext& context, QWidget* parent = nullptr);

    // The figure shown at a line (0 "Hembras", 1 "Machos") and column: 0 "Altas",
    // 1 "Bajas", 2 "Actual", 3 "Objetivo", 4 "Objectivo anual", 5 "Proyectado
    // anual", 6 "Tendencia actual".
    QLineEdit* figure(int line, int column) const { return m_figures.at(line).at(column); }

private:
    QLayout* grids();
    void fill(const ReplacementObjectives& objectives);

    std::array<std::array<QLineEdit*, kColumns>, 2> m_figures{};
};
