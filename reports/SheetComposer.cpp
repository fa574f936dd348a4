#include "SheetComposer.h"

#include "db/DisplayFormat.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Rounding of millimetre sums must not push a line that fits onto the next column.
constexpr double kEpsilon = 1e-6;

// What a bound cell shows, by kind: a masked number, or the column's typed value.
// A text the program computed itself (a row of its own lines) is left to its text.
QVariant cellValue(const Field& value, const QString& mask) {
    if (!mask.isEmpty())
        return value.asFloat();
    const QVariant typed = value.typed();
    if (typed.typeId() == QMetaType::QString && value.declaredType().isEmpty())
        return QVariant();
    return typed;
}

class Composition {
public:
    Composition(const Sheet& sheet, SheetRows& rows) : m_sheet(sheet), m_rows(rows) {
        m_doc.title = sheet.title();
        m_doc.orientation = sheet.orientation();
        m_doc.paper = sheet.paperSize();
        const QRectF content = sheet.contentRect();
        m_footerTop = content.bottom() - sheet.band(BandKind::PageFooter).height();
        for (const SheetElement& e : sheet.band(BandKind::Detail).elements()) {
            if (e.kind == SheetElement::Kind::Text || e.kind == SheetElement::Kind::Field ||
                e.kind == SheetElement::Kind::Marks)
                m_doc.table.push_back({e.name, sheet.columnCaption(e.name)});
        }
    }

    SheetDocument run() {
        startPage();
        const double lineHeight = m_sheet.band(BandKind::Detail).height();
        int rowNumber = 0;
        while (lineHeight > 0 && !m_rows.eof()) {
            // Where the line goes: the current column, the next one, or a new page.
            // A column that holds no line yet takes it even when it overflows.
            int page = currentPage();
            int column = m_column;
            const bool fits = m_y + lineHeight <= m_footerTop + kEpsilon || m_y <= m_columnTop + kEpsilon;
            if (!fits) {
                if (column + 1 < m_sheet.columns()) {
                    ++column;
                } else {
                    ++page;
                    column = 0;
                }
            }
            std::optional<BandPrint> print = prepare(BandKind::Detail, page, column, rowNumber, &m_rows);
            if (print) {
                if (page != currentPage()) {
                    finishPage();
                    startPage();
                } else if (column != m_column) {
                    m_column = column;
                    m_y = m_columnTop;
                }
                place(*print, m_sheet.columnLeft(m_column), m_y);
                m_y += lineHeight;
                m_used = std::max(m_used, m_y);
                ++m_doc.rows;
            }
            ++rowNumber;
            m_rows.next();
        }
        const double summaryHeight = m_sheet.band(BandKind::Summary).height();
        if (summaryHeight > 0) {
            const bool fits = m_used + summaryHeight <= m_footerTop + kEpsilon || m_used <= m_columnTop + kEpsilon;
            const int page = fits ? currentPage() : currentPage() + 1;
            if (std::optional<BandPrint> print = prepare(BandKind::Summary, page, -1, -1, nullptr)) {
                if (!fits) {
                    finishPage();
                    startPage();
                }
                place(*print, m_sheet.contentRect().left(), m_used);
                m_used += summaryHeight;
            }
        }
        finishPage();
        return std::move(m_doc);
    }

private:
    int currentPage() const { return int(m_doc.pages.size()); }

    void startPage() {
        SheetPage page;
        page.number = currentPage() + 1;
        m_doc.pages.push_back(std::move(page));
        const QRectF content = m_sheet.contentRect();
        m_y = content.top();
        m_y += placeFullWidth(BandKind::PageHeader, m_y);
        if (currentPage() == 1)
            m_y += placeFullWidth(BandKind::Title, m_y);
        double captions = 0.0;
        for (int column = 0; column < m_sheet.columns(); ++column) {
            if (std::optional<BandPrint> print = prepare(BandKind::ColumnHeader, currentPage(), column, -1, nullptr)) {
                place(*print, m_sheet.columnLeft(column), m_y);
                captions = m_sheet.band(BandKind::ColumnHeader).height();
            }
        }
        m_y += captions;
        m_columnTop = m_y;
        m_used = m_y;
        m_column = 0;
    }

    void finishPage() { placeFullWidth(BandKind::PageFooter, m_footerTop); }

    double placeFullWidth(BandKind kind, double y) {
        std::optional<BandPrint> print = prepare(kind, currentPage(), -1, -1, nullptr);
        if (!print)
            return 0.0;
        place(*print, m_sheet.contentRect().left(), y);
        return m_sheet.band(kind).height();
    }

    std::optional<BandPrint> prepare(BandKind kind, int page, int column, int row, const SheetRows* rows) {
        const SheetBand& band = m_sheet.band(kind);
        if (band.height() <= 0)
            return std::nullopt;
        BandPrint print(kind, page, column, row, rows, band.elements());
        if (rows) {
            for (const SheetElement& e : print.elements()) {
                if (e.kind != SheetElement::Kind::Field)
                    continue;
                const Field value = rows->field(e.field);
                print.setText(e.name, e.mask.isEmpty() ? value.asString() : display::mask(value.asFloat(), e.mask));
                print.element(e.name).value = cellValue(value, e.mask);
            }
        }
        for (const BandHook& hook : band.hooks())
            hook(print);
        if (print.skipped())
            return std::nullopt;
        return print;
    }

    void place(const BandPrint& print, double x, double y) {
        SheetPage& page = m_doc.pages.back();
        for (const SheetElement& e : print.elements()) {
            if (!e.visible)
                continue;
            SheetItem item;
            item.band = print.band();
            item.name = e.name;
            item.column = print.column();
            item.row = print.row();
            item.rect = e.rect.translated(x, y);
            item.font = e.font;
            item.align = e.align;
            item.pen = e.pen;
            switch (e.kind) {
            case SheetElement::Kind::Text:
            case SheetElement::Kind::Field:
                item.kind = SheetItem::Kind::Text;
                item.text = e.text;
                item.value = e.value;
                break;
            case SheetElement::Kind::PageNumber:
                item.kind = SheetItem::Kind::Text;
                item.text = e.text + QString::number(page.number);
                break;
            case SheetElement::Kind::Marks:
                item.kind = SheetItem::Kind::Marks;
                item.text = e.text;
                break;
            case SheetElement::Kind::Line:
                item.kind = SheetItem::Kind::Line;
                break;
            case SheetElement::Kind::Frame:
                item.kind = SheetItem::Kind::Frame;
                break;
            case SheetElement::Kind::Painting:
                item.kind = SheetItem::Kind::Painting;
                item.painting = e.painting;
                if (!item.painting)
                    continue;
                break;
            }
            // An empty text leaves nothing on the page.
            if ((item.kind == SheetItem::Kind::Text || item.kind == SheetItem::Kind::Marks) && item.text.isEmpty())
                continue;
            page.items.push_back(std::move(item));
        }
    }

    const Sheet& m_sheet;
    SheetRows& m_rows;
    SheetDocument m_doc;
    double m_footerTop = 0.0;
    double m_columnTop = 0.0;
    double m_y = 0.0;
    double m_used = 0.0;
    int m_column = 0;
};

} // namespace

BandPrint::BandPrint(BandKind band, int page, int column, int row, const SheetRows* rows,
                     std::vector<SheetElement> elements)
    : m_band(band), m_page(page), m_column(column), m_row(row), m_rows(rows), m_elements(std::move(elements)) {}

Field BandPrint::field(const QString& name) const {
    if (!m_rows)
        throw std::logic_error("Only the detail band has a current row");
    return m_rows->field(name);
}

SheetElement& BandPrint::element(const QString& name) {
    auto it = std::find_if(m_elements.begin(), m_elements.end(), [&](const SheetElement& e) { return e.name == name; });
    if (it == m_elements.end())
        throw std::invalid_argument(QStringLiteral("La hoja no tiene el elemento '%1'").arg(name).toStdString());
    return *it;
}

std::optional<SheetDocument> SheetComposer::compose(const Sheet& sheet, SheetRows& rows) {
    if (sheet.skipWhenEmpty() && rows.eof())
        return std::nullopt;
    return Composition(sheet, rows).run();
}

std::optional<SheetDocument> SheetComposer::compose(const Sheet& sheet) {
    ListRows none;
    return compose(sheet, none);
}
