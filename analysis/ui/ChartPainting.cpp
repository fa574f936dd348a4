#include "ChartPainting.h"

#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPainter>

ChartPainting::ChartPainting(std::unique_ptr<QChart> chart)
    : m_scene(std::make_unique<QGraphicsScene>()), m_chart(chart.release()) {
    m_scene->addItem(m_chart);
}

ChartPainting::~ChartPainting() = default;

void ChartPainting::layOut(const QSizeF& pixels) const {
    m_chart->setPos(0, 0);
    m_chart->resize(pixels);
    m_scene->setSceneRect(QRectF(QPointF(0, 0), pixels));
    // The chart arranges its title, legend and plot on the layout request the
    // resize posted; a scene that is never shown must be told to do it now. Only
    // the chart's own request is delivered: this may run inside a paint event.
    QCoreApplication::sendPostedEvents(m_chart, QEvent::LayoutRequest);
    if (m_chart->layout())
        m_chart->layout()->activate();
}

void ChartPainting::paint(QPainter& painter, const QRectF& area) const {
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const QSizeF pixels(kWidth, kWidth * area.height() / area.width());
    layOut(pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    m_scene->render(&painter, area, QRectF(QPointF(0, 0), pixels), Qt::KeepAspectRatio);
}

QImage ChartPainting::image(const QSize& size) const {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    layOut(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    m_scene->render(&painter, QRectF(picture.rect()), QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}
