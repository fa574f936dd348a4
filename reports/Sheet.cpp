#include "Sheet.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr double kA4Width = 210.0;
constexpr double kA4Height = 297.0;

[[noreturn]] void noSuchElement(const QString& name) {
    throw std::invalid_argument(QStringLiteral("La hoja no tiene el elemento '%1'").arg(name).toStdString());
}

} // namespace

SheetElement& SheetBand::add(SheetElement element) {
    m_elements.push_back(std::move(element));
    return m_elements.back();
}

SheetElement& SheetBand::addText(const QString& name, const QRectF& rect, const QString& text, SheetFont font,
                                 SheetAlign align) {
    SheetElement e;
    e.kind = SheetElement::Kind::Text;
    e.name = name;
    e.rect = rect;
    e.text = text;
    e.font = font;
    e.align = align;
    return add(std::move(e));
}

SheetElement& SheetBand::addField(const QString& name, const QRectF& rect, const QString& field, SheetAlign align,
                                  const QString& mask, SheetFont font) {
    SheetElement e;
    e.kind = SheetElement::Kind::Field;
    e.name = name;
    e.rect = rect;
    e.field = field;
    e.mask = mask;
    e.font = font;
    e.align = align;
    return add(std::move(e));
}

SheetElement& SheetBand::addMarks(const QString& name, const QRectF& rect, SheetAlign align) {
    SheetElement e;
    e.kind = SheetElement::Kind::Marks;
    e.name = name;
    e.rect = rect;
    e.align = align;
    return add(std::move(e));
}

SheetElement& SheetBand::addPageNumber(const QString& name, const QRectF& rect, const QString& prefix, SheetFont font,
                                       SheetAlign align) {
    SheetElement e;
    e.kind = SheetElement::Kind::PageNumber;
    e.name = name;
    e.rect = rect;
    e.text = prefix;
    e.font = font;
    e.align = align;
    return add(std::move(e));
}

SheetElement& SheetBand::addLine(const QString& name, double x, double y, double width, double pen) {
    SheetElement e;
    e.kind = SheetElement::Kind::Line;
    e.name = name;
    e.rect = QRectF(x, y, width, 0.0);
    e.pen = pen;
    return add(std::move(e));
}

SheetElement& SheetBand::addFrame(const QString& name, const QRectF& rect, double pen) {
    SheetElement e;
    e.kind = SheetElement::Kind::Frame;
    e.name = name;
    e.rect = rect;
    e.pen = pen;
    return add(std::move(e));
}

SheetElement& SheetBand::addPainting(const QString& name, const QRectF& rect,
                                     std::shared_ptr<const SheetPainting> painting) {
    SheetElement e;
    e.kind = SheetElement::Kind::Painting;
    e.name = name;
    e.rect = rect;
    e.painting = std::move(painting);
    return add(std::move(e));
}

SheetElement& SheetBand::element(const QString& name) {
    auto it = std::find_if(m_elements.begin(), m_elements.end(), [&](const SheetElement& e) { return e.name == name; });
    if (it == m_elements.end())
        noSuchElement(name);
    return *it;
}

const SheetElement& SheetBand::element(const QString& name) const {
    return const_cast<SheetBand*>(this)->element(name);
}

bool SheetBand::has(const QString& name) const {
    return std::any_of(m_elements.begin(), m_elements.end(), [&](const SheetElement& e) { return e.name == name; });
}

void SheetBand::remove(const QString& name) {
    std::erase_if(m_elements, [&](const SheetElement& e) { return e.name == name; });
}

Sheet::Sheet(QString title) : m_title(std::move(title)) {
    for (BandKind kind : {BandKind::Title, BandKind::PageHeader, BandKind::ColumnHeader, BandKind::Detail,
                          BandKind::Summary, BandKind::PageFooter})
        m_bands.emplace_back(kind);
}

void Sheet::setColumns(int columns) {
    if (columns < 1)
        throw std::invalid_argument("A sheet has at least one column per page");
    m_columns = columns;
}

QSizeF Sheet::paperSize() const {
    return m_orientation == SheetOrientation::Portrait ? QSizeF(kA4Width, kA4Height) : QSizeF(kA4Height, kA4Width);
}

QRectF Sheet::contentRect() const {
    const QSizeF paper = paperSize();
    return QRectF(kMargin, kMargin, paper.width() - 2 * kMargin, paper.height() - 2 * kMargin);
}

double Sheet::columnWidth() const {
    return (contentRect().width() - (m_columns - 1) * kColumnGap) / m_columns;
}

double Sheet::columnLeft(int column) const {
    return contentRect().left() + column * (columnWidth() + kColumnGap);
}

QString Sheet::columnCaption(const QString&) const {
    return QString();
}

SheetBand& Sheet::band(BandKind kind) {
    return m_bands[static_cast<size_t>(kind)];
}

const SheetBand& Sheet::band(BandKind kind) const {
    return m_bands[static_cast<size_t>(kind)];
}
