#pragma once

#include <QStyledItemDelegate>

// Draws one entry of the planner's day list: the day ("lunes, 05/03/2001") in
// bold italic on the first line and, beside it, the eleven task captions one
// per line, each after its box (ticked for a task to print); a thin grey line
// under the entry parts it from the next. The item holds the day's line in
// Qt::UserRole.
class GuideDayDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int kLineRole = Qt::UserRole;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
