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
        // Closed on the way out, also when a check below gives up early.
        struct Closer {
            QPointer<QWidget> window;
            bool keep;
            ~Closer() {
                if (!keep && window && window->isVisible())
                    window->close();
            }
        } closer{modal, keepOpen};
        // Activation can arrive late from a window that just closed: insist until
        // the modal window holds it once the pending events are through.
        QTRY_VERIFY((QTest::qWait(5), modal->activateWindow(), QApplication::activeWindow() == modal));
        drive(modal);
    });
}
