#include "SheetRenderer.h"

#include "widgets/AppInfo.h"
#include "reports/HouseStyle.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <map>
#include <optional>
#include <tuple>

namespace {

constexpr double kMmPerInch = 25.4;

QRectF toDevice(const QRectF& mm, double dpm) {
    return QRectF(mm.x() * dpm, mm.y() * dpm, mm.width() * dpm, mm.height() * dpm);
}

Qt::Alignment alignment(SheetAlign align) {
    switch (align) {
    case SheetAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case SheetAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case SheetAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QPen pen(double widthMm, double dpm) {
    QPen p(Qt::black);
    p.setWidthF(std::max(widthMm * dpm, 1.0));
    p.setCapStyle(Qt::FlatCap);
    return p;
}

bool sameFont(const SheetFont& a, const SheetFont& b) {
    return a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

// What a page sets on the painter, set again only when it changes: every font
// set is resolved anew for the device, every pen change is written into the
// page. A painting item restores the painter after itself, so what is known
// here stays true.
class PageState {
public:
    PageState(QPainter& painter, double dpm) : m_painter(painter), m_dpm(dpm) {}

    QPainter& painter() { return m_painter; }
    double dpm() const { return m_dpm; }

    void setFont(const SheetFont& font) {
        if (m_font && sameFont(*m_font, font))
            return;
        m_painter.setFont(SheetRenderer::font(font));
        m_font = font;
        m_widths = &widthsOf(font);
    }
    void setPen(const QPen& pen) {
        if (m_pen && *m_pen == pen)
            return;
        m_painter.setPen(pen);
        m_pen = pen;
    }
    void setNoBrush() {
        if (m_noBrush)
            return;
        m_painter.setBrush(Qt::NoBrush);
        m_noBrush = true;
    }
    // The text cut with an ellipsis to the width, in the current font. The
    // width of each text is measured once per font and device: the same
    // numbers, dates and words come back on every line.
    QString fitted(const QString& text, int width) {
        auto it = m_widths->constFind(text);
        if (it == m_widths->constEnd()) {
            if (m_widths->size() > kMeasuredTexts)
                m_widths->clear();
            it = m_widths->insert(text, QFontMetricsF(m_painter.font()).horizontalAdvance(text));
        }
        if (*it <= width)
            return text;
        return m_painter.fontMetrics().elidedText(text, Qt::ElideRight, width);
    }

private:
    static constexpr qsizetype kMeasuredTexts = 100000;

    QHash<QString, qreal>& widthsOf(const SheetFont& font) {
        static std::map<std::tuple<double, double, bool, bool>, QHash<QString, qreal>> widths;
        return widths[{m_dpm, font.points, font.bold, font.italic}];
    }

    QPainter& m_painter;
    double m_dpm;
    std::optional<SheetFont> m_font;
    std::optional<QPen> m_pen;
    bool m_noBrush = false;
    QHash<QString, qreal>* m_widths = nullptr;
};

void paintText(PageState& state, const SheetItem& item) {
    state.setFont(item.font);
    state.setPen(QPen(Qt::black));
    const QRectF box = toDevice(item.rect, state.dpm());
    // A text longer than its box is cut with an ellipsis rather than running
    // into its neighbour; cut to fit, it needs no clip of its own.
    const QString text = state.fitted(item.text, int(box.width()));
    state.painter().drawText(box, int(alignment(item.align)) | Qt::TextSingleLine | Qt::TextDontClip, text);
}

// 'þ' a ticked box, '¨' an empty box, side by side; any other character as text.
void paintMarks(PageState& state, const SheetItem& item) {
    QPainter& painter = state.painter();
    const double dpm = state.dpm();
    const QRectF box = toDevice(item.rect, dpm);
    const double side = std::min(box.height() * 0.62, 2.6 * dpm);
    const double gap = 0.9 * dpm;
    const double width = item.text.size() * side + std::max<qsizetype>(item.text.size() - 1, 0) * gap;
    double x = box.left();
    if (item.align == SheetAlign::Center)
        x = box.center().x() - width / 2;
    else if (item.align == SheetAlign::Right)
        x = box.right() - width;
    const double y = box.center().y() - side / 2;
    state.setFont(item.font);
    for (const QChar c : item.text) {
        const QRectF cell(x, y, side, side);
        if (c == house::kTicked || c == house::kEmptyBox) {
            state.setPen(pen(0.2, dpm));
            state.setNoBrush();
            painter.drawRect(cell);
            if (c == house::kTicked) {
                QPainterPath tick;
                tick.moveTo(cell.left() + side * 0.2, cell.top() + side * 0.52);
                tick.lineTo(cell.left() + side * 0.42, cell.top() + side * 0.76);
                tick.lineTo(cell.left() + side * 0.82, cell.top() + side * 0.22);
                QPen tickPen = pen(0.35, dpm);
                tickPen.setCapStyle(Qt::RoundCap);
                tickPen.setJoinStyle(Qt::RoundJoin);
                state.setPen(tickPen);
                painter.drawPath(tick);
            }
        } else {
            state.setPen(QPen(Qt::black));
            painter.drawText(cell, Qt::AlignCenter, QString(c));
        }
        x += side + gap;
    }
}

} // namespace

QFont SheetRenderer::font(const SheetFont& f) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(f.points);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

QPageLayout SheetRenderer::pageLayout(const SheetDocument& sheet) {
    return QPageLayout(QPageSize(QPageSize::A4),
                       sheet.orientation == SheetOrientation::Landscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void SheetRenderer::paintPage(QPainter& painter, const SheetPage& page, double dpm) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PageState state(painter, dpm);
    for (const SheetItem& item : page.items) {
        switch (item.kind) {
        case SheetItem::Kind::Text:
            paintText(state, item);
            break;
        case SheetItem::Kind::Marks:
            paintMarks(state, item);
            break;
        case SheetItem::Kind::Line: {
            state.setPen(pen(item.pen, dpm));
            const QRectF r = toDevice(item.rect, dpm);
            if (item.rect.width() > 0)
                painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            else
                painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.left(), r.bottom()));
            break;
        }
        case SheetItem::Kind::Frame:
            state.setPen(pen(item.pen, dpm));
            state.setNoBrush();
            painter.drawRect(toDevice(item.rect, dpm));
            break;
        case SheetItem::Kind::Painting:
            painter.save();
            item.painting->paint(painter, toDevice(item.rect, dpm));
            painter.restore();
            break;
        }
    }
    painter.restore();
}

bool SheetRenderer::paint(const SheetDocument& sheet, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpm = device.logicalDpiX() / kMmPerInch;
    for (size_t i = 0; i < sheet.pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, sheet.pages[i], dpm);
    }
    return painter.end();
}

bool SheetRenderer::writePdf(const SheetDocument& sheet, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setTitle(sheet.title);
        writer.setCreator(QString::fromUtf8(app::kTitle));
        writer.setPageLayout(pageLayout(sheet));
        if (!paint(sheet, writer)) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

QImage SheetRenderer::pageImage(const SheetDocument& sheet, int pageIndex, double dpm) {
    QImage image(qRound(sheet.paper.width() * dpm), qRound(sheet.paper.height() * dpm), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpm * 1000));
    image.setDotsPerMeterY(qRound(dpm * 1000));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, sheet.pages.at(size_t(pageIndex)), dpm);
    painter.end();
    return image;
}
