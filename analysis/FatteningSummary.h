#pragma once

#include "DatePeriod.h"
#include "SummarySheet.h"

#include <memory>
#include <vector>

class Database;

// "Resumen de Datos de Cebadero": the fattening movements of a period condensed
// into their totals, the totals projected to 30, 90 and 365 days, the two
// average weights and the losses as a share of the kits entered.
//
// The period and its length n follow the maternity summary (DatePeriod on
// FechaMovimiento). The averages take every selected movement whose average is
// filled, a 0 included. A result that divides by zero (losses over a period
// without entries) reads 0.
namespace fattening_summary {

inline constexpr const char* kTitle = "Resumen de Datos de Cebadero";

// The aggregate statement, one line per part: the fixed select, then the period's
// conditions on FechaMovimiento.
QStringList statement(const DatePeriod& period);
// Runs the aggregate over the table as it stands and gives the ten lines in order;
// a NULL result reads 0.
std::vector<SummaryLine> lines(Database& db, const DatePeriod& period);
// What "Aceptar" produces: the empty feed figures of every movement made 0 for
// good, then the sheet with the farm name read now and today's date in its header.
std::unique_ptr<SummarySheet> sheet(Database& db, const DatePeriod& period, const QDate& today);

} // namespace fattening_summary
