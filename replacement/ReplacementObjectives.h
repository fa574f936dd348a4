#pragma once

#include <QDate>
#include <QStringList>

class Database;

// The yearly replacement of one kind of breeding animal against what the current
// year has brought so far. Every figure is 0 until its condition holds, and none
// is ever taken from a zero divisor.
struct ReplacementFigures {
    double additions = 0;   // W: weekly additions still missing to reach the target
    double culls = 0;       // B: excess stock over the year's average, per remaining day
    double stock = 0;       // K: the running total of the latest day recorded
    double targetStock = 0; // A: the year's average running total, whole
    double target = 0;      // P: the farm's yearly replacement percentage
    double projected = 0;   // J: the trend extended to a whole year of 365 days
    double trend = 0;       // T: the year's additions over A, in whole percent

    // The figures as the screen shows them, in its column order: additions "0",
    // culls, stock and target stock "#,##0", target, projection and trend "0 %".
    QStringList texts() const;
};

// The figures of females and males on a day, read once from the farm parameters
// and the maternity ledger.
struct ReplacementObjectives {
    ReplacementFigures females;
    ReplacementFigures males;

    static ReplacementObjectives read(Database& db, const QDate& today);
};

namespace replacement {

// Days left from today to 31 December of today's year: 0 on 31 December,
// 364 on 1 January (365 in a leap year).
int remainingDays(const QDate& today);

// The figures from their inputs: the target P, the remaining days R, the year's
// average total (rounded here), the current stock K and the year's additions S.
ReplacementFigures figures(double target, int remainingDays, double average, double stock, double additions);

} // namespace replacement
