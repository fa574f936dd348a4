#include "HouseSheet.h"

#include "HouseStyle.h"
#include "SheetComposer.h"

#include <stdexcept>

namespace {

constexpr double kCaptionRow = 5.5;
constexpr double kCellGap = 1.0;

} // namespace

SheetColumn SheetColumn::bound(const QString& name, const QString& caption, double width, SheetAlign align,
                               const QString& field, const QString& mask) {
    SheetColumn c = computed(name, caption, width, align);
    c.field = field;
    c.mask = mask;
    return c;
}

SheetColumn SheetColumn::computed(const QString& name, const QString& caption, double width, SheetAlign align) {
    SheetColumn c;
    c.name = name;
    c.caption = caption;
    c.width = width;
    c.align = align;
    return c;
}

SheetColumn SheetColumn::glyphs(const QString& name, const QString& caption, double width) {
    SheetColumn c = computed(name, caption, width, SheetAlign::Center);
    c.marks = true;
    return c;
}

HouseSheet::HouseSheet(Database& db, const QString& title, const QDate& date, int columnsPerPage,
                       SheetOrientation orientation)
    : Sheet(title), m_db(db) {
    setOrientation(orientation);
    setColumns(columnsPerPage);
    const double width = contentRect().width();
    SheetBand& header = pageHeader();
    header.addText(QStringLiteral("fecha"), QRectF(0, 0, width, 4.5), house::headerDate(date), house::kDateFont,
                   SheetAlign::Right);
    header.addText(QStringLiteral("titulo"), QRectF(0, 4.5, width, 6.0), title, house::kTitleFont);
    header.addText(QStringLiteral("explotacion"), QRectF(0, 10.5, width, 8.0), house::farmName(db), house::kFarmFont);
    header.addText(QStringLiteral("seleccion"), QRectF(0, 19.0, width, 5.5), QString(), house::kSelectionFont);
    layOutHeader();

    SheetBand& captions = columnHeader();
    captions.addFrame(QStringLiteral("marco"), QRectF(0, 0, columnWidth(), kCaptionRow), 0.3);
    captions.setHeight(kCaptionRow + 1.5);

    SheetBand& line = detail();
    line.addLine(QStringLiteral("regla"), 0, kLineHeight, columnWidth(), 0.1);
    line.setHeight(kLineHeight);

    SheetBand& footer = pageFooter();
    footer.addLine(QStringLiteral("regla"), 0, 1.0, width, 0.3);
    const double half = width * 0.45;
    const double middle = width * 0.35;
    footer.addText(QStringLiteral("leyenda1"), QRectF(0, 1.8, half, 3.6), QString(), house::kLegendFont);
    footer.addText(QStringLiteral("leyenda2"), QRectF(0, 5.4, half, 3.6), QString(), house::kLegendFont);
    footer.addText(QStringLiteral("leyenda3"), QRectF(half, 1.8, middle, 3.6), QString(), house::kLegendFont);
    footer.addText(QStringLiteral("leyenda4"), QRectF(half, 5.4, middle, 3.6), QString(), house::kLegendFont);
    footer.addLine(QStringLiteral("reglaLeyenda"), 0, 9.6, width, 0.3);
    footer.addPageNumber(QStringLiteral("pagina"), QRectF(width - 40.0, 1.8, 40.0, 4.5), QStringLiteral("Página "),
                         house::kPageFont, SheetAlign::Right);
    // The mark names are read again for every footer: a name changed meanwhile shows at once.
    footer.addHook([this](BandPrint& print) {
        if (!m_legend)
            return;
        const QStringList names = house::markNames(m_db);
        for (int mark = 1; mark <= 4; ++mark)
            print.setText(QStringLiteral("leyenda%1").arg(mark), house::legendLine(mark, names.value(mark - 1)));
    });
    layOutFooter();
}

void HouseSheet::setTitle(const QString& title) {
    Sheet::setTitle(title);
    pageHeader().setText(QStringLiteral("titulo"), title);
}

QString HouseSheet::farmName() const {
    return band(BandKind::PageHeader).element(QStringLiteral("explotacion")).text;
}

void HouseSheet::setFarmName(const QString& name) {
    pageHeader().setText(QStringLiteral("explotacion"), name);
}

void HouseSheet::setDate(const QDate& date) {
    pageHeader().setText(QStringLiteral("fecha"), house::headerDate(date));
}

void HouseSheet::setSelection(const QString& caption) {
    m_selection = caption;
    pageHeader().setText(QStringLiteral("seleccion"), caption);
    layOutHeader();
}

void HouseSheet::layOutHeader() {
    // A sheet without a restriction has no selection line.
    pageHeader().setVisible(QStringLiteral("seleccion"), !m_selection.isEmpty());
    pageHeader().setHeight(m_selection.isEmpty() ? 20.0 : 26.0);
}

void HouseSheet::setMarkLegend(bool shown) {
    m_legend = shown;
    layOutFooter();
}

void HouseSheet::layOutFooter() {
    SheetBand& footer = pageFooter();
    for (const char* name : {"leyenda1", "leyenda2", "leyenda3", "leyenda4", "reglaLeyenda"})
        footer.setVisible(QString::fromLatin1(name), m_legend);
    // With the legend, "Página" stands at the right between the two rules.
    footer.element(QStringLiteral("pagina")).rect.moveTop(m_legend ? 3.6 : 1.8);
    footer.setHeight(m_legend ? 10.5 : 7.0);
}

double HouseSheet::freeWidth() const {
    return columnWidth() - m_nextColumnX;
}

SheetElement& HouseSheet::addColumn(const SheetColumn& column) {
    if (column.width > freeWidth() + 1e-6)
        throw std::invalid_argument(
            QStringLiteral("La columna '%1' no cabe en la hoja '%2'").arg(column.name, title()).toStdString());
    const double x = m_nextColumnX;
    m_nextColumnX += column.width + kCellGap;
    columnHeader().addText(captionName(column.name), QRectF(x, 0, column.width, kCaptionRow), column.caption,
                           house::kCaptionFont, column.align);
    const QRectF cell(x, 0, column.width, kLineHeight);
    if (column.marks)
        return detail().addMarks(column.name, cell, column.align);
    if (!column.field.isEmpty())
        return detail().addField(column.name, cell, column.field, column.align, column.mask, house::kCellFont);
    return detail().addText(column.name, cell, QString(), house::kCellFont, column.align);
}

void HouseSheet::setCaption(const QString& column, const QString& caption) {
    columnHeader().setText(captionName(column), caption);
}

QString HouseSheet::columnCaption(const QString& cell) const {
    const SheetBand& captions = band(BandKind::ColumnHeader);
    return captions.has(captionName(cell)) ? captions.element(captionName(cell)).text : QString();
}
