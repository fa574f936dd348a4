#pragma once

#include "DatePeriod.h"
#include "SummarySheet.h"

#include <QHash>
#include <QStringList>

class Database;

// The one row a summary's aggregate statement reads, column by column, with the
// length n of its period in days (the row's "cuenta" through the period rule).
class SummaryTotals {
public:
    SummaryTotals(Database& db, const QStringList& statement, const DatePeriod& period);

    // A column of the row by its alias; NULL (a sum over no row) reads 0.
    double value(const char* column) const;
    qint64 days() const { return m_days; }
    // A counted line over the period: the sum and its projections.
    SummaryLine counted(const char* caption, double sum) const;

private:
    QHash<QString, double> m_values;
    qint64 m_days = 0;
};
