#include "CursorMoves.h"

#include "db/TableCursor.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

CursorMoves::CursorMoves(TableCursor& cursor, const std::array<QString, 4>& tips, QWidget* parent)
    : QWidget(parent), m_cursor(cursor) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* name;
        QStyle::StandardPixmap picture;
        bool (TableCursor::*move)();
    } kMoves[] = {{"primero", QStyle::SP_MediaSkipBackward, &TableCursor::first},
                  {"anterior", QStyle::SP_MediaSeekBackward, &TableCursor::prior},
                  {"siguiente", QStyle::SP_MediaSeekForward, &TableCursor::next},
                  {"ultimo", QStyle::SP_MediaSkipForward, &TableCursor::last}};
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        auto* b = new QPushButton(style()->standardIcon(kMoves[i].picture), QString(), this);
        b->setObjectName(QString::fromLatin1(kMoves[i].name));
        b->setToolTip(tips[i]);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, move = kMoves[i].move] { (m_cursor.*move)(); });
        m_buttons[i] = b;
        row->addWidget(b);
    }
}

void CursorMoves::update() {
    const bool browsing = m_cursor.state() == TableCursor::State::Browse;
    const int position = m_cursor.position();
    const bool back = browsing && position > 0;
    const bool on = browsing && position >= 0 && position < m_cursor.count() - 1;
    m_buttons[0]->setEnabled(back);
    m_buttons[1]->setEnabled(back);
    m_buttons[2]->setEnabled(on);
    m_buttons[3]->setEnabled(on);
}
