#pragma once

#include "analysis/MonthlyPoints.h"

#include <QColor>
#include <functional>
#include <memory>

class QChart;

// The three ways a monthly chart is drawn.
enum class ChartKind { Bar, Line, Pie };

// Builds the chart of twelve monthly points: only the series of its kind, no
// axes, the indicator's caption as the title. Bars and pie slices take one
// colour per point, drawn by `colour`; the line is red. Bars carry no value
// labels and the line no point markers.
namespace monthly_chart {

using Colour = std::function<QColor()>;

// A colour whose red, green and blue parts are each drawn from 0 to 254.
QColor randomColour();

std::unique_ptr<QChart> make(const QString& title, const std::vector<ChartPoint>& points, ChartKind kind,
                             const Colour& colour = randomColour);

} // namespace monthly_chart
