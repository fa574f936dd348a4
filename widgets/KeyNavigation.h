#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// The keyboard every screen shares: Enter moves to the next input and presses
// a focused button, except inside multi-line text and lists where Enter is their
// own; optionally Down and Up move to the next and previous field. It acts in
// the screen's own window only, never inside a dialog opened from it.
class KeyNavigation : public QObject {
    Q_OBJECT
public:
    enum Option { EnterOnly, WithArrows };

    // Attaches to a screen and every widget in it (now and added later).
    static KeyNavigation* install(QWidget* screen, Option option = EnterOnly);
    // Return, or Enter on the numeric keypad, with no other modifier.
    static bool isEnter(const QKeyEvent* key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyNavigation(QWidget* screen, Option option);
    void watch(QObject* object);

    QWidget* m_screen;
    Option m_option;
};
