#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Drives the next modal window as soon as it is up and active, from inside its
// own event loop. Whatever the drive leaves open is closed afterwards, so a
// failing check never hangs the run. Pass keepOpen for windows that close by
// themselves (a splash on its timer).
inline void whenModal(const std::function<void(QWidget*)>& drive, bool keepOpen = false) {
    QTimer::singleShot(0, [drive, keepOpen] {
        QWidget* modal = nullptr;
        QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
        modal->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(modal));
        QPointer<QWidget> guard(modal);
        drive(modal);
        if (!keepOpen && guard && guard->isVisible())
            guard->close();
    });
}
