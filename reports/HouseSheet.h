#pragma once

#include "Sheet.h"

#include <QDate>

class Database;

// A column of a list sheet: its caption in the framed caption row over every page
// column, and its cell on every detail line.
struct SheetColumn {
    QString name; // the cell's element name, for hooks
    QString caption;
    double width = 15.0; // mm
    SheetAlign align = SheetAlign::Left;
    QString field;      // the row's column printed in the cell; empty: a hook sets it (or it is filled in by hand)
    QString mask;       // number mask for the field; empty: the field's own text
    bool marks = false; // the cell holds mark glyphs

    // A cell showing a column of the row, through a number mask when given.
    static SheetColumn bound(const QString& name, const QString& caption, double width, SheetAlign align,
                             const QString& field, const QString& mask = {});
    // A cell whose text a row hook sets, or that is left empty to be filled in by hand.
    static SheetColumn computed(const QString& name, const QString& caption, double width,
                                SheetAlign align = SheetAlign::Left);
    // A cell of mark glyphs, drawn as boxes.
    static SheetColumn glyphs(const QString& name, const QString& caption, double width);
};

// A sheet in the house style: at the top of every page the date at the right,
// the title, the farm name and the selection caption; the framed caption row over
// each page column; detail lines closed by a thin rule; at the foot a rule and
// "Página" with the number, and on sheets that list females the mark legend in
// small italics between two rules, its names read again for every page.
//
// Element names hooks can use: page header "fecha", "titulo", "explotacion",
// "seleccion"; column header "marco" and captionName(column); detail the column
// names and "regla"; page footer "regla", "leyenda1" to "leyenda4",
// "reglaLeyenda" and "pagina".
class HouseSheet : public Sheet {
public:
    static constexpr double kLineHeight = 4.6;

    // Reads the farm name now, as the sheet is prepared. `date` is the header date:
    // today, or the day the sheet is about (the guide day). The columns per page and
    // the orientation are fixed here: the caption frames and rules are cut to them.
    HouseSheet(Database& db, const QString& title, const QDate& date, int columnsPerPage = 1,
               SheetOrientation orientation = SheetOrientation::Portrait);
    // Its hooks know this sheet: it is neither copied nor moved.
    HouseSheet(const HouseSheet&) = delete;
    HouseSheet& operator=(const HouseSheet&) = delete;

    void setTitle(const QString& title) override;

    Database& database() const { return m_db; }
    QString farmName() const;
    void setFarmName(const QString& name);
    void setDate(const QDate& date);
    // The bold line that says what the sheet was restricted to; empty: no such line.
    void setSelection(const QString& caption);
    QString selection() const { return m_selection; }

    // Adds a column after the last one; throws std::invalid_argument when it does
    // not fit in a page column.
    SheetElement& addColumn(const SheetColumn& column);
    // Width still free in a page column.
    double freeWidth() const;
    void setCaption(const QString& column, const QString& caption);
    QString columnCaption(const QString& cell) const override;

    // The mark legend in the footer, shown or hidden with its rules.
    void setMarkLegend(bool shown);
    bool markLegend() const { return m_legend; }

    // Runs once per row before the line is printed, after the bound cells are filled.
    void onRow(BandHook hook) { detail().addHook(std::move(hook)); }

    static QString captionName(const QString& column) { return QStringLiteral("cabecera.") + column; }

private:
    void layOutHeader();
    void layOutFooter();

    Database& m_db;
    QString m_selection;
    bool m_legend = false;
    double m_nextColumnX = 0.5;
};
