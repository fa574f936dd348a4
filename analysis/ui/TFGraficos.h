#pragma once

#include "MonthlyChart.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <QList>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;

// A monthly chart screen ("Gráficos de Maternidad", "Gráficos de Cebadero"): "Datos del Gráfico", the indicators in two
// columns with the first chosen; three chart-type buttons showing pictures only (bar chosen, line, pie); "Presentación
// Preliminar" (ticked: the chart window; clear: the chart sheet straight to the printer). "Aceptar" gathers the twelve
// points and leaves the screen open; "Cancelar" or Escape closes it.
class TFGraficos : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString caption;
        // The title of the chart window the preview opens.
        QString chartTitle;
        MonthlySource source;
        std::vector<ChartIndicator> indicators;
    };

    TFGraficos(const FarmContext& context, Setup setup, QWidget* parent = nullptr);
    // "Gráficos de Maternidad": the fourteen indicators of the maternity ledger.
    static std::unique_ptr<TFGraficos> maternidad(const FarmContext& context, QWidget* parent = nullptr);
    // "Gráficos de Cebadero": the eleven indicators of the fattening movements,
    // shown in the window "Gráfico de Cebadero".
    static std::unique_ptr<TFGraficos> cebadero(const FarmContext& context, QWidget* parent = nullptr);

    // The indicator choices in order, the chart-type buttons (bar, line, pie).
    const QList<QAbstractButton*>& indicatorButtons() const { return m_indicators; }
    QAbstractButton* kindButton(ChartKind kind) const;
    QCheckBox* presentacionPreliminar() const { return m_preview; }

private:
    QWidget* makeIndicators();
    QWidget* makeKinds();
    void plot();

    Database& m_db;
    const Clock& m_clock;
    Setup m_setup;
    QList<QAbstractButton*> m_indicators;
    QButtonGroup* m_indicatorGroup = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QCheckBox* m_preview = nullptr;
};
