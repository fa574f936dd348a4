#pragma once

#include "results/References.h"
#include "results/TechnicalResults.h"
#include "widgets/FarmContext.h"

#include <QDialog>

class DateEdit;
class QCheckBox;
class QComboBox;
class QTabWidget;
class QTableWidget;

// "Resultados Técnicos" (Maternidad): the farm's results over a period
// ("Desde"/"Hasta", opening on the twelve months up to today) in two tables,
// by insemination band and by month, one line per indicator with its
// definition as tooltip, the reference first, then the total and the columns.
// Every figure with a reference carries a green, amber or red mark.
// "Calcular" reads the period again; "Gráfico" draws the chosen indicator band
// by band; "Referencias..." edits the references, kept in the settings store;
// "Imprimir" produces the sheet, shown in the preview while "Vista Preliminar"
// is ticked (the chart too: in its window, or printed).
class TFResultadosTecnicos : public QDialog {
    Q_OBJECT
public:
    explicit TFResultadosTecnicos(const FarmContext& context, QWidget* parent = nullptr);

    DateEdit* desde() const { return m_desde; }
    DateEdit* hasta() const { return m_hasta; }
    QTableWidget* bandTable() const { return m_bandTable; }
    QTableWidget* monthTable() const { return m_monthTable; }
    QComboBox* chartIndicator() const { return m_chartIndicator; }
    QCheckBox* vistaPreliminar() const { return m_preview; }
    const results::TechnicalResults& figures() const { return m_figures; }
    const results::References& references() const { return m_references; }

    // The first columns of both tables, before the bands or months.
    static constexpr int kReferenceColumn = 0;
    static constexpr int kTotalColumn = 1;

private:
    QLayout* makePeriod();
    QWidget* makeTables();
    QLayout* makeButtons();
    bool calculate();
    void fill();
    void fillTable(QTableWidget* table, const std::vector<results::ResultColumn>& columns,
                   const results::ResultColumn& total, bool ledger);
    void editReferences();
    void print();
    void drawChart();

    Database& m_db;
    const Clock& m_clock;
    Settings& m_settings;
    results::References m_references;
    results::TechnicalResults m_figures;
    DatePeriod m_period;

    DateEdit* m_desde = nullptr;
    DateEdit* m_hasta = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_bandTable = nullptr;
    QTableWidget* m_monthTable = nullptr;
    QComboBox* m_chartIndicator = nullptr;
    QCheckBox* m_preview = nullptr;
};
