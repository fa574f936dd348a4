#pragma once

#include <QRect>
#include <QString>
#include <QStyledItemDelegate>

class QPainter;

// The mark glyphs on screen: 'þ' is drawn as a ticked box, '¨' as an empty box,
// side by side and centred in the rectangle.
void paintMarkBoxes(QPainter* painter, const QRect& rect, const QString& glyphs, const QColor& color);

// Draws a list's mark column as boxes (the column's text holds the glyphs) and
// a row in bold where the model says so (role given at construction).
class MarkBoxesDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    MarkBoxesDelegate(int marksColumn, int boldRole, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int m_marksColumn;
    int m_boldRole;
};
