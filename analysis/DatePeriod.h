#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The period a summary covers, typed as "Desde" and "Hasta"; either may stay
// blank (a null date), leaving that side open.
struct DatePeriod {
    QDate from;
    QDate to;

    // The selection caption of the sheet: "Desde la fecha {from}", then a space,
    // "Hasta la fecha" and {to}, each part only when its date is filled. With only
    // "Hasta" filled it begins with a space; with neither it is empty.
    QString caption() const;
    // The lines that restrict a statement to the period on that date column:
    // "and {column}>='{from}'" and "and {column}<='{to}'", each only when filled.
    QStringList conditions(const QString& column) const;
    // The period's length n in days: with both dates "Hasta" - "Desde" + 1,
    // otherwise the number of rows the statement counted. It may be 0 or negative
    // ("Hasta" before "Desde").
    qint64 length(qint64 counted) const;
};
