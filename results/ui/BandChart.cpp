#include "BandChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

using namespace results;

namespace band_chart {

QColor colour(Mark mark) {
    switch (mark) {
    case Mark::Good:
        return QColor(40, 150, 60);
    case Mark::Fair:
        return QColor(235, 165, 0);
    case Mark::Poor:
        return QColor(205, 40, 40);
    case Mark::None:
        break;
    }
    return QColor(90, 120, 170);
}

std::unique_ptr<QChart> make(Indicator id, const std::vector<ResultColumn>& bands, const References& references) {
    const IndicatorDefinition& d = definition(id);
    auto chart = std::make_unique<QChart>();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    chart->setTitle(d.caption);
    QFont font = chart->titleFont();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    chart->setTitleFont(font);

    // One bar set per mark, each band's value in the set of its mark and 0 in
    // the others: stacked, every bar keeps its full width and its colour.
    struct Bar {
        QString label;
        double value;
        Mark mark;
    };
    std::vector<Bar> bars;
    for (const ResultColumn& band : bands)
        if (const auto v = band.value(id))
            bars.push_back({band.caption, *v, references.mark(id, v)});

    const bool referenced = d.better != Better::None;
    const std::vector<std::pair<Mark, QString>> sets =
        referenced ? std::vector<std::pair<Mark, QString>>{{Mark::Good, QStringLiteral("Alcanza la referencia")},
                                                           {Mark::Fair, QStringLiteral("Dentro del límite")},
                                                           {Mark::Poor, QStringLiteral("Más allá del límite")}}
                   : std::vector<std::pair<Mark, QString>>{{Mark::None, QStringLiteral("Bandas")}};
    auto* series = new QStackedBarSeries;
    for (const auto& [mark, name] : sets) {
        auto* set = new QBarSet(name);
        for (const Bar& bar : bars)
            *set << (bar.mark == mark ? bar.value : 0.0);
        set->setColor(colour(mark));
        set->setBorderColor(colour(mark).darker(130));
        series->append(set);
    }
    chart->addSeries(series);

    QStringList labels;
    double top = 0;
    for (const Bar& bar : bars) {
        labels << bar.label;
        top = std::max(top, bar.value);
    }
    auto* x = new QBarCategoryAxis;
    x->append(labels);
    x->setLabelsAngle(labels.size() > 8 ? -60 : 0);
    auto* y = new QValueAxis;
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);

    if (referenced) {
        const double reference = references.of(id).value;
        top = std::max(top, reference);
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("Referencia ") + text(id, reference));
        QPen pen(QColor(40, 40, 40));
        pen.setStyle(Qt::DashLine);
        pen.setWidthF(2.0);
        line->setPen(pen);
        const double n = double(std::max<qsizetype>(labels.size(), 1));
        line->append(-0.5, reference);
        line->append(n - 0.5, reference);
        chart->addSeries(line);
        // The line runs over the bars' places: its own hidden axis spans the categories.
        auto* along = new QValueAxis;
        along->setRange(-0.5, n - 0.5);
        along->setVisible(false);
        chart->addAxis(along, Qt::AlignBottom);
        line->attachAxis(along);
        line->attachAxis(y);
    }
    y->setRange(0, top > 0 ? top * 1.15 : 1.0);
    y->applyNiceNumbers();
    y->setLabelFormat(d.decimals == 0 ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace band_chart
