#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

QPixmap emblem(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 100.0;
    QLinearGradient sky(0, 0, 0, size);
    sky.setColorAt(0, QColor(0x4f, 0x8a, 0x3c));
    sky.setColorAt(1, QColor(0x2c, 0x5a, 0x22));
    p.setBrush(sky);
    p.setPen(QPen(QColor(0x1d, 0x3d, 0x16), 2 * s));
    p.drawEllipse(QRectF(2 * s, 2 * s, 96 * s, 96 * s));
    // A sitting rabbit: body, head, two ears and a tail.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xf0, 0xe4));
    p.drawEllipse(QRectF(28 * s, 48 * s, 44 * s, 34 * s));
    p.drawEllipse(QRectF(54 * s, 34 * s, 24 * s, 22 * s));
    p.save();
    p.translate(62 * s, 38 * s);
    p.rotate(-12);
    p.drawEllipse(QRectF(-5 * s, -26 * s, 9 * s, 28 * s));
    p.rotate(20);
    p.drawEllipse(QRectF(2 * s, -24 * s, 9 * s, 26 * s));
    p.restore();
    p.drawEllipse(QRectF(22 * s, 60 * s, 12 * s, 12 * s));
    p.setBrush(QColor(0x33, 0x33, 0x33));
    p.drawEllipse(QRectF(69 * s, 41 * s, 3.5 * s, 3.5 * s));
    return pixmap;
}

QPixmap backgroundTile() {
    QPixmap tile(96, 96);
    tile.fill(QColor(0xe9, 0xe4, 0xd6));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xdc, 0xd5, 0xc2), 1));
    for (int i = -96; i < 96; i += 12)
        p.drawLine(i, 96, i + 96, 0);
    p.setOpacity(0.18);
    p.drawPixmap(24, 24, emblem(48));
    return tile;
}

} // namespace artwork
