#pragma once

#include <QDialog>
#include <memory>

class QChart;
class QChartView;

// The chart window of the maternity and fattening charts: the chart fills it,
// with one button "Salir" below; "Salir" or Escape closes it. The screen that
// opens it gives its title.
class ChartWindow : public QDialog {
    Q_OBJECT
public:
    ChartWindow(std::unique_ptr<QChart> chart, const QString& title, QWidget* parent = nullptr);

    QChart* chart() const;

private:
    QChartView* m_view = nullptr;
};
