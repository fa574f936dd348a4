#pragma once

#include "results/References.h"
#include "results/TechnicalResults.h"

#include <QColor>
#include <memory>

class QChart;

namespace band_chart {

// The colour of a mark on screen and in the charts: green, amber, red; grey for none.
QColor colour(results::Mark mark);

// The bar chart of one indicator band by band: a bar per band that has the
// figure (a band without it, say no birth yet, is left out), coloured by its
// mark, the band's day and pool under it, and the reference as a dashed line.
// The indicator's caption is the title.
std::unique_ptr<QChart> make(results::Indicator id, const std::vector<results::ResultColumn>& bands,
                             const results::References& references);

} // namespace band_chart
