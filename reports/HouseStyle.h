#pragma once

#include "Sheet.h"
#include "db/FarmParameters.h"
#include "db/Query.h"

#include <QDate>
#include <QStringList>
#include <array>
#include <optional>

class Database;

// The house style every sheet shares, and the one place for the texts it is
// made of: mark glyphs, palpation signs, selection captions, the mark legend,
// the farm name and the header date.
namespace house {

// The mark glyphs kept in texts: 'þ' a ticked box, '¨' an empty box. Sheets and
// lists draw them as boxes, so no symbol font is needed.
inline constexpr QChar kTicked = QChar(0x00FE);
inline constexpr QChar kEmptyBox = QChar(0x00A8);

// One glyph per mark, in mark order.
QString markGlyphs(bool mark1, bool mark2, bool mark3, bool mark4);
// The glyphs of the row's Marca1 to Marca4 (a query, a sheet's rows or a band
// being printed): ticked where the mark reads True, empty where it is false or empty.
template <typename Row> QString markGlyphs(const Row& row) {
    return markGlyphs(row.field(QStringLiteral("Marca1")).asBoolean(), row.field(QStringLiteral("Marca2")).asBoolean(),
                      row.field(QStringLiteral("Marca3")).asBoolean(), row.field(QStringLiteral("Marca4")).asBoolean());
}

// A single palpation: "+" positive, "-" negative, "?" not palpated yet.
QString palpationSign(std::optional<bool> palpation);
QString palpationSign(const Field& palpacion);
// The pool composition sheet's sign: "+" positive, "-" otherwise (not palpated included).
QString poolPalpationSign(const Field& palpacion);

// "Desde la Jaula {from} a la Jaula {to}", 0 standing for an open bound.
QString cageRange(qint64 from, qint64 to);
// "Desde el Macho {first} al Macho {last}".
QString maleRange(qint64 first, qint64 last);
// "1. {name}": the legend line of a mark; an empty name leaves "1. ".
QString legendLine(int number, const QString& name);
// The legend lines under a list of females: "1. {Marca1}" ... "4. {Marca4}".
std::array<QString, 4> markLegend(const FarmParameters& parameters);

// NombreExplotacion of the parameter row; empty when the farm has no such row.
QString farmName(Database& db);
// Marca1 to Marca4 of the parameter row; four empty names when there is no row.
QStringList markNames(Database& db);
// The header date: "lunes, 5 de marzo de 2001".
QString headerDate(const QDate& day);

// Text sizes of the house style; the farm name is the largest text on the page.
inline constexpr SheetFont kTitleFont{12.0, true, true};
inline constexpr SheetFont kFarmFont{16.0, true, true};
inline constexpr SheetFont kDateFont{9.0, false, false};
inline constexpr SheetFont kSelectionFont{10.0, true, false};
inline constexpr SheetFont kCaptionFont{8.0, true, false};
inline constexpr SheetFont kCellFont{8.0, false, false};
inline constexpr SheetFont kLegendFont{7.0, false, true};
inline constexpr SheetFont kPageFont{8.0, false, false};

} // namespace house
