#pragma once

#include "SheetDocument.h"
#include "SheetRows.h"

#include <optional>

// What a band's hook sees while the band is being printed: where it stands,
// the current row (detail only), and a working copy of the band's elements whose
// texts and visibility it may change for this printing alone.
class BandPrint {
public:
    BandPrint(BandKind band, int page, int column, int row, const SheetRows* rows, std::vector<SheetElement> elements);

    BandKind band() const { return m_band; }
    int page() const { return m_page; }     // from 1
    int column() const { return m_column; } // page column from 0; -1 for full-width bands
    int row() const { return m_row; }       // row number from 0 in the detail; -1 elsewhere
    bool hasRow() const { return m_rows != nullptr; }
    // A column of the current row; throws std::logic_error outside the detail.
    Field field(const QString& name) const;

    SheetElement& element(const QString& name);
    QString text(const QString& name) { return element(name).text; }
    // A text set here stands alone: the value the bound cell held is forgotten.
    void setText(const QString& name, const QString& text) {
        SheetElement& e = element(name);
        e.text = text;
        e.value = QVariant();
    }
    void setVisible(const QString& name, bool visible) { element(name).visible = visible; }
    // This band is left out this time (a detail row is then not printed).
    void skip() { m_skipped = true; }
    bool skipped() const { return m_skipped; }

    const std::vector<SheetElement>& elements() const { return m_elements; }

private:
    BandKind m_band;
    int m_page;
    int m_column;
    int m_row;
    const SheetRows* m_rows;
    std::vector<SheetElement> m_elements;
    bool m_skipped = false;
};

// Lays a sheet out over its rows: the page header on every page, the title once,
// the column header over every page column, one detail line per row filling the
// page columns one after the other, the summary after the last row and the page
// footer at the foot of every page. Each band's hooks run as it is placed (the
// detail's once per row, the footer's once per page).
class SheetComposer {
public:
    // Nothing when the sheet is marked not to be produced and has no row.
    static std::optional<SheetDocument> compose(const Sheet& sheet, SheetRows& rows);
    // A sheet without rows: header, summary and footer only.
    static std::optional<SheetDocument> compose(const Sheet& sheet);
};
