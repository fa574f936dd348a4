#pragma once

#include <QDate>
#include <QString>
#include <optional>

// How values are written into statement text. Every statement the program
// builds formats its values here and nowhere else.
namespace sql {

// "mm/dd/yyyy", without quotes: the {date} of "where Fecha='{date}'".
QString dateText(const QDate& date);
// The date as a quoted literal, or NULL for no date.
QString date(const QDate& date);
// A whole number in plain decimal.
QString number(qint64 value);
// A number a column can hold: any finite value. Infinity and NaN throw DbError.
double finite(double value);
// A number column or field holding a whole number, rounded half away from zero.
// Infinity, NaN and values beyond the 64-bit range throw DbError rather than wrap.
qint64 rounded(double value);
// rounded() in plain decimal: the format "0".
QString whole(double value);
// Two decimals ("0.00") with any decimal comma turned into a point: 12.5 -> "12.50".
// This and shortest() refuse infinity and NaN as finite() does.
QString decimal2(double value);
// The shortest decimal form with its first decimal comma turned into a point.
QString shortest(double value);
// True or False, unquoted.
QString logical(bool value);
// A palpation: True, False, or NULL when not palpated yet.
QString palpation(std::optional<bool> value);
// Text as typed, quoted, single quotes doubled; text that would read as a date
// literal is marked so that it is stored as typed.
QString text(const QString& value);

} // namespace sql
