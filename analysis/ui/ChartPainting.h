#pragma once

#include "reports/Sheet.h"

#include <QImage>
#include <QSize>
#include <memory>

class QChart;
class QGraphicsScene;

// A chart as a sheet paints it: the chart sits in a scene of its own that is
// never shown, is laid out at a size in pixels (so its texts keep a readable
// size) and is then scaled into the place it is given. A chart view that was
// never shown would paint nothing.
class ChartPainting : public SheetPainting {
public:
    explicit ChartPainting(std::unique_ptr<QChart> chart);
    ~ChartPainting() override;

    const QChart& chart() const { return *m_chart; }
    // Paints the chart into `area`, laid out at a width of kWidth pixels and the
    // area's proportions.
    void paint(QPainter& painter, const QRectF& area) const override;
    // The chart laid out at that size on white, for a PNG.
    QImage image(const QSize& size) const;

    static constexpr int kWidth = 1000;

private:
    void layOut(const QSizeF& pixels) const;

    std::unique_ptr<QGraphicsScene> m_scene;
    QChart* m_chart; // owned by the scene
};
