#include "KeyNavigation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

bool ownsEnter(const QObject* w) {
    return qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QAbstractItemView*>(w);
}

bool ownsArrows(const QObject* w) {
    return ownsEnter(w) || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

void moveFocus(QWidget* from, bool forward) {
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(from, &tab);
}

} // namespace

bool KeyNavigation::isEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

KeyNavigation::KeyNavigation(QWidget* screen, Option option) : QObject(screen), m_screen(screen), m_option(option) {}

KeyNavigation* KeyNavigation::install(QWidget* screen, Option option) {
    auto* nav = new KeyNavigation(screen, option);
    nav->watch(screen);
    return nav;
}

void KeyNavigation::watch(QObject* object) {
    if (object->isWidgetType()) {
        object->installEventFilter(this);
        for (QObject* child : object->children())
            watch(child);
    }
}

bool KeyNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent*>(event)->child());
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only the screen's own fields: the dialogs opened from it (Qt's file, print
    // and input dialogs, message boxes, or a screen with its own navigation) are
    // other windows and keep their own keys, so Enter saves in "Guardar como PDF".
    if (!widget || !widget->hasFocus() || widget->window() != m_screen->window())
        return false;
    if (isEnter(key)) {
        if (ownsEnter(widget))
            return false;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->isEnabled())
                button->click();
            return true;
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible())
            return false;
        moveFocus(widget, true);
        return true;
    }
    if (m_option == WithArrows && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) &&
        key->modifiers() == Qt::NoModifier && !ownsArrows(widget)) {
        moveFocus(widget, key->key() == Qt::Key_Down);
        return true;
    }
    return false;
}
