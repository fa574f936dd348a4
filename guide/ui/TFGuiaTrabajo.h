#pragma once

#include "db/FarmParameters.h"
#include "guide/GuidePlan.h"
#include "guide/GuideSelection.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <functional>

class DateEdit;
class GuideSheet;
class NumberEdit;
class QCheckBox;
class QListWidget;

// "Guía de Trabajo": the cage range, the day range, "Lista Tareas" (one entry a
// day), the day list ("Tareas a realizar": Enter or a double click edits the
// day, Delete removes it at once), "Vista Preliminar" (clear when the screen
// opens), "Imprimir Listados", "Guardar PDF" (the whole guide in one file) and
// "Salir". The farm parameters are read once when the screen opens; nothing is
// stored.
class TFGuiaTrabajo : public QDialog {
    Q_OBJECT
public:
    explicit TFGuiaTrabajo(const FarmContext& context, QWidget* parent = nullptr);

    NumberEdit* desdeJaula() const { return m_desdeJaula; }
    NumberEdit* hastaJaula() const { return m_hastaJaula; }
    DateEdit* desdeFecha() const { return m_desdeFecha; }
    DateEdit* hastaFecha() const { return m_hastaFecha; }
    QListWidget* tareas() const { return m_tareas; }
    QCheckBox* vistaPreliminar() const { return m_preview; }
    const GuidePlan& plan() const { return m_plan; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listTasks();
    void editSelected();
    void removeSelected();
    void printLists();
    void saveGuidePdf();
    void showPlan(int current);
    GuideCages cages() const;
    // Runs the plan's sheets in print order under the waiting message.
    // False when an error stopped it (the error was said).
    bool runPlan(const QString& waiting, const std::function<void(GuideSheet&)>& produce);

    Database& m_db;
    const FarmParameters m_parameters;
    GuidePlan m_plan;
    NumberEdit* m_desdeJaula = nullptr;
    NumberEdit* m_hastaJaula = nullptr;
    DateEdit* m_desdeFecha = nullptr;
    DateEdit* m_hastaFecha = nullptr;
    QListWidget* m_tareas = nullptr;
    QCheckBox* m_preview = nullptr;
};
