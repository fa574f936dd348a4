#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class Clock;
class Database;

// One indicator a chart can plot: its caption (also the chart's title) and its
// aggregate expression over the rows of one month, with an optional condition
// written right after the month's ("and PesPromedioEnt>0" style, with its blank).
struct ChartIndicator {
    QString caption;
    QString expression;
    QString extraCondition;
};

// A table charted month by month: its name, its date column, and the statements
// that make its empty feed figures 0 before the points are gathered (in order;
// the change is permanent).
struct MonthlySource {
    QString table;
    QString dateColumn;
    QStringList zeroing;
};

// One point of a monthly chart: x from 0 (the oldest month) to 11 (the current
// one), the month's value (0 when it has no row, or when its expression divides
// by zero), and the full Spanish name of the month as its label.
struct ChartPoint {
    int x = 0;
    double y = 0;
    QString label;
    int month = 0;
    int year = 0;
};

// The twelve monthly points of the maternity and fattening charts: the months
// from eleven before the current one up to the current one, today's date (from
// the clock) deciding.
namespace monthly {

inline constexpr int kMonths = 12;

// The first day of each of the twelve months ending with today's, oldest first.
std::vector<QDate> months(const QDate& today);
// The month's statement: "select {expression} suma from {table} where extract
// (month from {date column})=:m and extract (year from {date column})=:y", then the
// indicator's extra condition; the month and the year are bound.
QString statement(const MonthlySource& source, const ChartIndicator& indicator);
// Runs the source's zeroing statements in their order, as one recording.
void zeroMissingFeed(Database& db, const MonthlySource& source);
// The twelve points of the indicator, reading the table as it stands.
std::vector<ChartPoint> points(Database& db, const MonthlySource& source, const ChartIndicator& indicator,
                               const QDate& today);
// What "Aceptar" gathers: the empty feed figures made 0, then the twelve points.
std::vector<ChartPoint> gather(Database& db, const MonthlySource& source, const ChartIndicator& indicator,
                               const Clock& clock);

} // namespace monthly

// "Gráficos de Maternidad": fourteen indicators of the ledger, month by month.
namespace maternity_charts {

inline constexpr const char* kCaption = "Gráficos de Maternidad";

// The fourteen indicators in their order (the first is chosen initially).
const std::vector<ChartIndicator>& indicators();
// HistoricoMaternidad by Fecha, its four feed columns made 0 where empty.
const MonthlySource& ledger();

} // namespace maternity_charts
