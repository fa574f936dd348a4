#pragma once

#include <QString>

// The predecessor's folder of a large farm, the same bytes every time: 5,000
// females with seventeen cycles each, 500 males with 100 to 200 matings, ten
// years of ledger days and fattening movements, and a pool row for every
// insemination. Written with shapelib's dBase writer.
namespace ferralindgen {

constexpr int kFemales = 5000;
constexpr int kMales = 500;

// Writes the folder unless it is already there.
void ensure(const QString& folder);

} // namespace ferralindgen
