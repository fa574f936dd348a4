#include "EnterMovesOn.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

// The next field after a group of options: the options beside it are one field.
QWidget* nextAfterOptions(QWidget* option) {
    QWidget* w = option->nextInFocusChain();
    while (w && w != option) {
        const bool sibling = qobject_cast<QRadioButton*>(w) && w->parentWidget() == option->parentWidget();
        if (!sibling && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            w->window() == option->window())
            return w;
        w = w->nextInFocusChain();
    }
    return nullptr;
}

} // namespace

void EnterMovesOn::install(QAbstractButton* button) {
    button->installEventFilter(new EnterMovesOn(button));
}

bool EnterMovesOn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button)
        return false;
    if (qobject_cast<QRadioButton*>(button)) {
        if (!button->isChecked())
            button->click();
        if (QWidget* next = nextAfterOptions(button))
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(button, &tab);
    return true;
}
