#pragma once

#include <QWidget>
#include <array>

class QPushButton;
class TableCursor;

// The first/previous/next/last buttons of a screen that browses a table by its
// cursor ("primero", "anterior", "siguiente", "ultimo"). They move only while the
// cursor is browsing and a row lies that way; update() after every move or state
// change. They never take the focus from the boxes.
class CursorMoves : public QWidget {
    Q_OBJECT
public:
    // The tool tips of the four buttons, in that order.
    CursorMoves(TableCursor& cursor, const std::array<QString, 4>& tips, QWidget* parent);
    void update();

private:
    TableCursor& m_cursor;
    std::array<QPushButton*, 4> m_buttons{};
};
