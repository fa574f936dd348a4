#include "BarArtwork.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace barArtwork {
namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to the size asked for.
void drawAdd(QPainter& p) {
    // A sheet with list lines, an arrow going into it and a plus sign.
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 2.5, 12, 16));
    p.setPen(QPen(QColor(60, 90, 160), 1.5));
    for (int y : {6, 9, 12, 15})
        p.drawLine(QPointF(12, y), QPointF(19, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    QPainterPath arrow;
    arrow.moveTo(1, 8);
    arrow.lineTo(7, 8);
    arrow.lineTo(7, 5);
    arrow.lineTo(12, 10);
    arrow.lineTo(7, 15);
    arrow.lineTo(7, 12);
    arrow.lineTo(1, 12);
    arrow.closeSubpath();
    p.drawPath(arrow);
    p.setBrush(QColor(30, 150, 50));
    p.drawRect(QRectF(15, 13, 3, 10));
    p.drawRect(QRectF(11.5, 16.5, 10, 3));
}

void drawSave(QPainter& p) {
    // A check mark.
    QPen pen(QColor(30, 150, 50), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(4, 13);
    tick.lineTo(10, 19);
    tick.lineTo(20, 5);
    p.drawPath(tick);
}

void drawCancel(QPainter& p) {
    // A circular arrow around an exclamation mark.
    p.setPen(QPen(QColor(200, 60, 40), 2.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 18, 18), 100 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 60, 40));
    QPainterPath head;
    head.moveTo(8, 1);
    head.lineTo(14, 4.5);
    head.lineTo(8, 8.5);
    head.closeSubpath();
    p.drawPath(head);
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(10.75, 7.5, 2.5, 7));
    p.drawEllipse(QRectF(10.5, 16, 3, 3));
}

void drawDelete(QPainter& p) {
    // An eraser, tilted, rubbing out a line.
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.translate(12, 12);
    p.rotate(-35);
    p.setBrush(QColor(235, 120, 140));
    p.drawRect(QRectF(-9, -4.5, 11, 9));
    p.setBrush(QColor(90, 130, 210));
    p.drawRect(QRectF(2, -4.5, 7, 9));
    p.resetTransform();
    p.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::DashLine));
    p.drawLine(QPointF(2, 22), QPointF(22, 22));
}

void drawExit(QPainter& p) {
    // An open door in its frame.
    p.setPen(QPen(QColor(90, 60, 30), 1.5));
    p.setBrush(QColor(250, 240, 200));
    p.drawRect(QRectF(5, 2, 14, 20));
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(160, 100, 50));
    QPolygonF door;
    door << QPointF(5, 2) << QPointF(13, 5) << QPointF(13, 23) << QPointF(5, 22);
    p.drawPolygon(door);
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QRectF(10.5, 12.5, 2, 2));
}

} // namespace

QPixmap picture(Picture which, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    switch (which) {
    case Picture::Add:
        drawAdd(p);
        break;
    case Picture::Save:
        drawSave(p);
        break;
    case Picture::Cancel:
        drawCancel(p);
        break;
    case Picture::Delete:
        drawDelete(p);
        break;
    case Picture::Exit:
        drawExit(p);
        break;
    }
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap greyed(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int g = 110 + qGray(line[x]) / 3;
            line[x] = qRgba(g, g, g, qAlpha(line[x]) * 2 / 3);
        }
    }
    return QPixmap::fromImage(image);
}

QIcon icon(Picture which, int size) {
    const QPixmap normal = picture(which, size);
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(greyed(normal), QIcon::Disabled);
    return icon;
}

} // namespace barArtwork
