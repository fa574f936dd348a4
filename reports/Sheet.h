#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class BandPrint;
class QPainter;

// A printed sheet as the program defines it: a title, the paper, the number of
// columns per page and six bands of elements, each with hooks run before the band
// is printed. Lengths are millimetres; an element's place is taken from the top
// left of its band (of its page column, for the column header and the detail).
enum class SheetOrientation { Portrait, Landscape };
enum class SheetAlign { Left, Center, Right };
enum class BandKind { Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter };

struct SheetFont {
    double points = 8.0;
    bool bold = false;
    bool italic = false;
};

// Something the program paints itself into its place on the page, such as a
// chart: the renderer hands it the painter and the place in the painter's own
// coordinates.
class SheetPainting {
public:
    virtual ~SheetPainting() = default;
    virtual void paint(QPainter& painter, const QRectF& area) const = 0;
};

struct SheetElement {
    enum class Kind {
        Text,       // a fixed text, or one a hook sets
        Field,      // the text of a column of the current row (through a number mask when given)
        Marks,      // mark glyphs ('þ' ticked, '¨' empty), drawn as boxes
        PageNumber, // the text as a prefix, then the page number
        Line,       // a rule along the rectangle's top edge (or its left edge when it has no width)
        Frame,      // the outline of the rectangle
        Painting,   // painted by the program (charts)
    };
    Kind kind = Kind::Text;
    QString name;
    QRectF rect;
    QString text;
    QString field;
    QString mask;
    // The value behind a bound cell's text while a row prints (a number, a QDate, a
    // bool, a text of a typed column); invalid when only the text says what it is.
    QVariant value;
    SheetFont font;
    SheetAlign align = SheetAlign::Left;
    double pen = 0.2;
    bool visible = true;
    std::shared_ptr<const SheetPainting> painting;
};

using BandHook = std::function<void(BandPrint&)>;

class SheetBand {
public:
    explicit SheetBand(BandKind kind) : m_kind(kind) {}

    BandKind kind() const { return m_kind; }
    // A band of no height is not printed.
    double height() const { return m_height; }
    void setHeight(double mm) { m_height = mm; }

    SheetElement& add(SheetElement element);
    SheetElement& addText(const QString& name, const QRectF& rect, const QString& text, SheetFont font = {},
                          SheetAlign align = SheetAlign::Left);
    SheetElement& addField(const QString& name, const QRectF& rect, const QString& field,
                           SheetAlign align = SheetAlign::Left, const QString& mask = {}, SheetFont font = {});
    SheetElement& addMarks(const QString& name, const QRectF& rect, SheetAlign align = SheetAlign::Center);
    SheetElement& addPageNumber(const QString& name, const QRectF& rect, const QString& prefix, SheetFont font = {},
                                SheetAlign align = SheetAlign::Right);
    SheetElement& addLine(const QString& name, double x, double y, double width, double pen = 0.2);
    SheetElement& addFrame(const QString& name, const QRectF& rect, double pen = 0.2);
    SheetElement& addPainting(const QString& name, const QRectF& rect, std::shared_ptr<const SheetPainting> painting);

    // The element of that name; throws std::invalid_argument when there is none.
    SheetElement& element(const QString& name);
    const SheetElement& element(const QString& name) const;
    bool has(const QString& name) const;
    void setText(const QString& name, const QString& text) { element(name).text = text; }
    void setVisible(const QString& name, bool visible) { element(name).visible = visible; }
    void remove(const QString& name);

    const std::vector<SheetElement>& elements() const { return m_elements; }

    // Hooks run in the order they were added, each time the band is printed.
    void addHook(BandHook hook) { m_hooks.push_back(std::move(hook)); }
    const std::vector<BandHook>& hooks() const { return m_hooks; }

private:
    BandKind m_kind;
    double m_height = 0.0;
    std::vector<SheetElement> m_elements;
    std::vector<BandHook> m_hooks;
};

class Sheet {
public:
    static constexpr double kMargin = 10.0;
    static constexpr double kColumnGap = 4.0;

    explicit Sheet(QString title = {});
    virtual ~Sheet() = default;

    // The sheet title is also the title of the print job and of the preview window.
    QString title() const { return m_title; }
    virtual void setTitle(const QString& title) { m_title = title; }

    SheetOrientation orientation() const { return m_orientation; }
    void setOrientation(SheetOrientation orientation) { m_orientation = orientation; }

    // Page columns the detail fills one after the other (1, 2 or 4 on the farm's sheets).
    int columns() const { return m_columns; }
    void setColumns(int columns);

    // A sheet marked so is not produced at all when it has no row.
    bool skipWhenEmpty() const { return m_skipWhenEmpty; }
    void setSkipWhenEmpty(bool skip) { m_skipWhenEmpty = skip; }

    // A4 in the sheet's orientation, and the part inside the 10 mm margins.
    QSizeF paperSize() const;
    QRectF contentRect() const;
    double columnWidth() const;
    double columnLeft(int column) const;

    SheetBand& band(BandKind kind);
    const SheetBand& band(BandKind kind) const;
    SheetBand& titleBand() { return band(BandKind::Title); }
    SheetBand& pageHeader() { return band(BandKind::PageHeader); }
    SheetBand& columnHeader() { return band(BandKind::ColumnHeader); }
    SheetBand& detail() { return band(BandKind::Detail); }
    SheetBand& summary() { return band(BandKind::Summary); }
    SheetBand& pageFooter() { return band(BandKind::PageFooter); }

    // The caption over a detail cell, for the sheet read as a table; none here.
    virtual QString columnCaption(const QString& cell) const;

private:
    QString m_title;
    SheetOrientation m_orientation = SheetOrientation::Portrait;
    int m_columns = 1;
    bool m_skipWhenEmpty = false;
    std::vector<SheetBand> m_bands;
};
