#pragma once

#include <QString>
#include <QStringList>

class Query;

// A candidate row of a block screen: one line of fields joined by "|", the
// cage first, zero-padded to six digits so that text order is cage order,
// then the animal, its four marks ("True", "False" or ""), the screen's own
// fields and, on the female event screens, the hidden Orden of the cycle row.
namespace blockrow {

inline constexpr int kCage = 0;
inline constexpr int kAnimal = 1;
inline constexpr int kFirstMark = 2;
inline constexpr int kFirstOwn = 6; // the screen's own fields start here

QString cageText(qint64 cage);
QString join(const QStringList& fields);
QStringList split(const QString& row);

// Cage, female and marks of a candidate result row ("Jaula", "CodigoHembra",
// "Marca1" to "Marca4"), followed by the screen's own fields.
QString femaleRow(const Query& result, const QStringList& ownFields);

// A whole-number field of a row (animal, count, Orden), rounded; an empty
// field is 0, and a field that is no number, or one no column can hold
// (infinity, NaN, beyond the 64-bit range), is refused before anything is
// written with it. As a value to bind, and as statement text.
qint64 integerField(const QStringList& fields, int field);
QString numberField(const QStringList& fields, int field);

// The four mark glyphs of a row: 'þ' for a mark reading "True", '¨' otherwise.
QString markGlyphs(const QStringList& fields);

} // namespace blockrow
