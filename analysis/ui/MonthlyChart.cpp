#include "MonthlyChart.h"

#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPieSeries>
#include <QRandomGenerator>
#include <QStackedBarSeries>

namespace {

// One bar set per month, holding its value at its own place and 0 elsewhere:
// stacked, each bar keeps its full width and its own colour.
QAbstractSeries* bars(const std::vector<ChartPoint>& points, const monthly_chart::Colour& colour) {
    auto* series = new QStackedBarSeries;
    series->setLabelsVisible(false);
    for (const ChartPoint& point : points) {
        auto* set = new QBarSet(point.label);
        for (const ChartPoint& other : points)
            *set << (other.x == point.x ? point.y : 0.0);
        const QColor c = colour();
        set->setColor(c);
        set->setBorderColor(c.darker(130));
        series->append(set);
    }
    return series;
}

QAbstractSeries* line(const std::vector<ChartPoint>& points) {
    auto* series = new QLineSeries;
    series->setPointsVisible(false);
    QPen pen(Qt::red);
    pen.setWidthF(2.5);
    series->setPen(pen);
    for (const ChartPoint& point : points)
        series->append(point.x, point.y);
    return series;
}

QAbstractSeries* pie(const std::vector<ChartPoint>& points, const monthly_chart::Colour& colour) {
    auto* series = new QPieSeries;
    for (const ChartPoint& point : points) {
        QPieSlice* slice = series->append(point.label, point.y);
        slice->setColor(colour());
        slice->setBorderColor(Qt::white);
    }
    return series;
}

} // namespace

namespace monthly_chart {

QColor randomColour() {
    QRandomGenerator* random = QRandomGenerator::global();
    return QColor(int(random->bounded(255)), int(random->bounded(255)), int(random->bounded(255)));
}

std::unique_ptr<QChart> make(const QString& title, const std::vector<ChartPoint>& points, ChartKind kind,
                             const Colour& colour) {
    auto chart = std::make_unique<QChart>();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    chart->setTitleFont(font);
    switch (kind) {
    case ChartKind::Bar:
        chart->addSeries(bars(points, colour));
        break;
    case ChartKind::Line:
        chart->addSeries(line(points));
        chart->legend()->hide();
        break;
    case ChartKind::Pie:
        chart->addSeries(pie(points, colour));
        break;
    }
    if (kind != ChartKind::Line)
        chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

} // namespace monthly_chart
