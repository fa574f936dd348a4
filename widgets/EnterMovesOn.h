#pragma once

#include <QObject>

class QAbstractButton;

// On the register screens Enter on a check box goes on to the next field instead
// of ticking it (Space ticks), and Enter on an option chooses it and goes on, so a
// card can be typed through with Enter alone without changing its marks.
// Install after KeyNavigation, so that it is asked first.
class EnterMovesOn : public QObject {
    Q_OBJECT
public:
    static void install(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterMovesOn(QObject* parent) : QObject(parent) {}
};
