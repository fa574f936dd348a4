#pragma once

#include "Sheet.h"

#include <QStringList>
#include <vector>

// A produced sheet: its pages with every text, glyph, rule and frame in its
// place, in millimetres from the paper's top left. This is what the output
// previews, prints or saves, and what tests read.
struct SheetItem {
    enum class Kind { Text, Marks, Line, Frame, Painting };
    Kind kind = Kind::Text;
    BandKind band = BandKind::Detail;
    QString name;
    int column = -1; // page column of a column header or detail item; -1 for full-width bands
    int row = -1;    // number of the row (from 0) of a detail item
    QRectF rect;
    QString text;
    QVariant value; // what the text shows, when a bound cell knew it (see SheetElement::value)
    SheetFont font;
    SheetAlign align = SheetAlign::Left;
    double pen = 0.2;
    std::shared_ptr<const SheetPainting> painting;
};

struct SheetPage {
    int number = 0;
    std::vector<SheetItem> items;

    // The texts of the items of that name (and band), in the order they were placed.
    QStringList texts(const QString& name) const;
    QStringList texts(const QString& name, BandKind band) const;
    // The first item of that name, or nullptr.
    const SheetItem* find(const QString& name) const;
};

// A column of the sheet read as a table: a detail cell that holds text or glyphs,
// in the order of the detail band, and the caption over it.
struct SheetTableColumn {
    QString name;
    QString caption;
};

struct SheetDocument {
    QString title;
    std::vector<SheetTableColumn> table;
    SheetOrientation orientation = SheetOrientation::Portrait;
    QSizeF paper;
    int rows = 0; // detail lines printed
    std::vector<SheetPage> pages;
};
