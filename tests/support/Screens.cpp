#include "Screens.h"

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

void showActive(QWidget& screen) {
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

QAbstractButton* button(QWidget* screen, const char* name) {
    return screen->findChild<QAbstractButton*>(QString::fromLatin1(name));
}

void click(QWidget* screen, const char* name) {
    QAbstractButton* b = button(screen, name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}
