#include "MarkBoxes.h"

#include <QApplication>
#include <QPainter>

void paintMarkBoxes(QPainter* painter, const QRect& rect, const QString& glyphs, const QColor& color) {
    const int side = std::min(rect.height() - 6, 11);
    const int gap = 4;
    const int width = int(glyphs.size()) * side + (int(glyphs.size()) - 1) * gap;
    int x = rect.center().x() - width / 2;
    const int y = rect.center().y() - side / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(color, 1));
    painter->setBrush(Qt::NoBrush);
    for (const QChar g : glyphs) {
        const QRectF box(x + 0.5, y + 0.5, side, side);
        painter->drawRect(box);
        if (g == QChar(0xFE)) {
            QPen tick(color, 1.6);
            painter->setPen(tick);
            painter->drawPolyline(QPolygonF({QPointF(box.left() + side * 0.2, box.top() + side * 0.55),
                                             QPointF(box.left() + side * 0.42, box.top() + side * 0.78),
                                             QPointF(box.left() + side * 0.82, box.top() + side * 0.22)}));
            painter->setPen(QPen(color, 1));
        }
        x += side + gap;
    }
    painter->restore();
}

MarkBoxesDelegate::MarkBoxesDelegate(int marksColumn, int boldRole, QObject* parent)
    : QStyledItemDelegate(parent), m_marksColumn(marksColumn), m_boldRole(boldRole) {}

void MarkBoxesDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(m_boldRole).toBool())
        option->font.setBold(true);
}

void MarkBoxesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (index.column() != m_marksColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem blank = option;
    initStyleOption(&blank, index);
    blank.text.clear();
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &blank, painter, option.widget);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    paintMarkBoxes(painter, option.rect, index.data().toString(),
                   selected ? option.palette.highlightedText().color() : option.palette.text().color());
}
