#pragma once

#include "GuideSelection.h"
#include "reports/Sheet.h"

#include <QStringList>
#include <vector>

class Database;

// A column of a guide sheet after the common ones ("Jaula", the animal, and on
// the female sheets "1 2 3 4"). A column filled in by hand prints empty.
struct GuideColumn {
    QString caption;
    double width = 10.0; // mm
    SheetAlign align = SheetAlign::Right;
};

// One printed line: the cage, the animal, her four mark glyphs and the texts of
// the sheet's own columns in column order.
struct GuideSheetLine {
    qint64 cage = 0;
    qint64 code = 0;   // CodigoHembra; CodigoMacho on the male sheet
    QString marks;     // four glyphs; empty on the male sheet
    QStringList cells; // one text per GuideColumn

    bool operator==(const GuideSheetLine&) const = default;
};

// A guide sheet as data: what it is called, what it was restricted to, its
// columns and its lines with every computed text, in the selection's order.
struct GuideSheetData {
    GuideSheetKind kind = GuideSheetKind::Pinchazo;
    QString title;
    QString farmName;
    QDate day;
    QString selection; // "Desde la Jaula 5 a la Jaula 40", "Desde el Macho 3 al Macho 9"
    std::vector<GuideColumn> columns;
    std::vector<GuideSheetLine> lines;

    bool isFemaleSheet() const { return kind != GuideSheetKind::CubricionesMachos; }
    // All sheets print in two columns per page but the sick breeders' one.
    int columnsPerPage() const { return kind == GuideSheetKind::Enfermos ? 1 : 2; }
};

class GuideCounts;

// Runs the sheet's selection for the day and computes every line, the
// per-animal counts read set-wise (see GuideCounts).
GuideSheetData collectSheet(Database& db, GuideSheetKind sheet, const GuideContext& context,
                            YoungOrder youngOrder = YoungOrder::ByAge);
// The same with counts read once for a whole print run.
GuideSheetData collectSheet(Database& db, GuideCounts& counts, GuideSheetKind sheet, const GuideContext& context,
                            YoungOrder youngOrder = YoungOrder::ByAge);
