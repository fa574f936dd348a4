#include "CopyAnimation.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kFrames = 24;

void drawFolder(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 4);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 4);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 9);
    path.lineTo(r.right(), r.top() + 9);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawPath(path);
}

} // namespace

CopyAnimation::CopyAnimation(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("animacion"));
    m_timer.setInterval(60);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kFrames;
        update();
    });
}

void CopyAnimation::start() {
    m_frame = 0;
    m_timer.start();
    update();
}

void CopyAnimation::stop() {
    m_timer.stop();
    update();
}

void CopyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = height() - 8;
    const QRectF from(4, 6, h * 1.2, h);
    const QRectF to(width() - 4 - h * 1.2, 6, h * 1.2, h);
    drawFolder(p, from);
    drawFolder(p, to);
    if (!playing())
        return;
    // The sheet rises out of the first folder, arcs over and drops into the second.
    const qreal t = qreal(m_frame) / (kFrames - 1);
    const qreal x = from.center().x() + (to.center().x() - from.center().x()) * t;
    const qreal y = from.top() + 4 - 4 * (h * 0.45) * t * (1 - t);
    const QRectF sheet(x - 6, y, 12, 15);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    for (int line = 1; line <= 3; ++line)
        p.drawLine(QPointF(sheet.left() + 2, sheet.top() + line * 3.5),
                   QPointF(sheet.right() - 2, sheet.top() + line * 3.5));
}
