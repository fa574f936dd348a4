#include "widgets/CopyAnimation.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kFrames = 24;

void drawFolder(QPainter& p, const QRectF& r) {
    QPainterPath tab;
    tab.addRoundedRect(QRectF(r.left(), r.top(), r.width() * 0.45, r.height() * 0.3), 2, 2);
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(222, 184, 80));
    p.drawPath(tab);
    p.drawRoundedRect(QRectF(r.left(), r.top() + r.height() * 0.18, r.width(), r.height() * 0.82), 3, 3);
}

void drawDisk(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(30, 40, 70), 1));
    p.setBrush(QColor(60, 80, 140));
    p.drawRoundedRect(r, 2, 2);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top(), r.width() * 0.5, r.height() * 0.32));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.5, r.width() * 0.7, r.height() * 0.45));
}

void drawSheet(QPainter& p, const QPointF& centre) {
    const QRectF r(centre.x() - 7, centre.y() - 9, 14, 18);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    for (int line = 0; line < 3; ++line)
        p.drawLine(QPointF(r.left() + 3, r.top() + 5 + line * 4), QPointF(r.right() - 3, r.top() + 5 + line * 4));
}

} // namespace

CopyAnimation::CopyAnimation(Destination destination, QWidget* parent)
    : QWidget(parent), m_destination(destination) {
    setObjectName(QStringLiteral("animacion"));
    setMinimumSize(sizeHint());
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
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    const QRectF left(area.left(), area.center().y() - 18, 48, 36);
    const QRectF right(area.right() - 38, area.center().y() - 19, 38, 38);
    drawFolder(p, left);
    if (m_destination == Destination::Disk)
        drawDisk(p, right);
    else
        drawFolder(p, right);
    if (!playing())
        return;
    // Two sheets half a flight apart, on an arc from one end to the other.
    const QPointF from(left.center().x() + 10, left.center().y());
    const QPointF to(right.center().x() - 6, right.center().y());
    for (int offset : {0, kFrames / 2}) {
        double t = double((m_frame + offset) % kFrames) / kFrames;
        if (m_reversed)
            t = 1 - t;
        const double lift = 4 * t * (1 - t) * 18;
        drawSheet(p, QPointF(from.x() + (to.x() - from.x()) * t, from.y() - lift));
    }
}
