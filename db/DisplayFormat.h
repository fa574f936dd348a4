#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

// What the farmer sees: numbers through format masks and dates in the Spanish
// convention, whatever the machine's own locale. Screens and sheets format
// here and nowhere else.
namespace display {

// Spanish (Spain): "," decimal, "." thousands, Spanish day and month names.
QLocale spanish();

// A number through a mask: "0" a digit always written, "#" a digit written only
// when significant, "," asks for thousands separators, "." places the decimal
// separator, anything else is copied. A mask of only "#" writes nothing for 0.
// Halves round away from zero on the number as written to fifteen digits.
QString mask(double value, const QString& mask);

// A date through a mask of d, dd, ddd, dddd, m, mm, mmm, mmmm, yy, yyyy and
// "quoted" literals: "dd/mm/yyyy", "dddd, d \"de\" mmmm \"de\" yyyy", "yyyymmdd".
// A null date writes nothing.
QString date(const QDate& date, const QString& mask = QStringLiteral("dd/mm/yyyy"));

// The long date of sheet headers: "lunes, 5 de marzo de 2001".
QString longDate(const QDate& date);

// Reads a day/month/year text. A blank text is no date (a null QDate); any other
// text that is not a calendar date throws InvalidDate carrying the text.
QDate parseDate(const QString& text);

// Reads a number from text: plain "1234.5", or with the Spanish separators
// "1.234,5" (a text holding a comma takes its points as thousands). A blank text
// is no number (nullopt); a text that is no number, or one that no column can
// hold (infinity, NaN, beyond the range of a double), throws DbError.
std::optional<double> parseNumber(const QString& text);

} // namespace display
