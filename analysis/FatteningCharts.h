#pragma once

#include "MonthlyPoints.h"

#include <vector>

// "Gráficos de Cebadero": eleven indicators of the fattening movements, month by
// month. Both averages leave out the movements whose average is not above 0, so a
// month's entry-only movement does not pull down the sale weight.
namespace fattening_charts {

inline constexpr const char* kCaption = "Gráficos de Cebadero";
// The chart window keeps this title of its own, whatever the screen's caption.
inline constexpr const char* kWindowTitle = "Gráfico de Cebadero";

// The eleven indicators in their order (the first is chosen initially).
const std::vector<ChartIndicator>& indicators();
// Cebadero by FechaMovimiento, its three feed columns made 0 where empty; the
// fattening summary zeroes them with the same statements.
const MonthlySource& movements();

} // namespace fattening_charts
