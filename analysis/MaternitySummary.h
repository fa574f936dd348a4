#pragma once

#include "DatePeriod.h"
#include "SummarySheet.h"

#include <memory>
#include <vector>

class Database;

// "Resumen de Datos de Maternidad": the ledger condensed over a period into its
// totals, the totals projected to 30, 90 and 365 days, the average herd sizes and
// the reproduction ratios.
//
// The period's length n is "Hasta" - "Desde" + 1 with both dates, otherwise the
// number of ledger days selected. A ratio whose divisor is not above 0 shows the
// literal texts "0.00" or "0.00 %" (with a full stop, whatever the separators).
namespace maternity_summary {

inline constexpr const char* kTitle = "Resumen de Datos de Maternidad";

// The aggregate statement, one line per part: the fixed select, then the period's
// conditions on Fecha.
QStringList statement(const DatePeriod& period);
// Runs the aggregate and gives the sheet's lines in order; a NULL result reads 0.
std::vector<SummaryLine> lines(Database& db, const DatePeriod& period);
// The sheet, with the farm name read now and today's date in its header.
std::unique_ptr<SummarySheet> sheet(Database& db, const DatePeriod& period, const QDate& today);

} // namespace maternity_summary
