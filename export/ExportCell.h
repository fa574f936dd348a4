#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// One cell of a table handed to a spreadsheet, by kind: a number is written as a
// number with the decimals and grouping the sheet showed, a date as a date, a
// text as a text. `text` always keeps what the sheet showed.
struct ExportCell {
    enum class Kind { Empty, Text, Number, Date, Logical };
    Kind kind = Kind::Empty;
    QString text;
    double number = 0.0;
    int decimals = 0;     // digits shown after the decimal comma
    bool grouped = false; // thousands shown with "."
    bool percent = false; // a " %" follows the number
    QDate date;
    bool logical = false;

    // Reads a text as the program shows values: "1.234,5" and "66,67 %" are
    // numbers (so is the plain "0.00" of a ratio without divisor), "05/03/2001" a
    // date; a number with a leading zero ("007") stays a text, as does anything else.
    static ExportCell fromText(const QString& shown);
    // A value whose kind is known (see Field::typed); an invalid value is read
    // from the text. A number takes the decimals and grouping of its text.
    static ExportCell fromValue(const QVariant& value, const QString& shown);
};
