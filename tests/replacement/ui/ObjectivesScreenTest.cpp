#include "FarmRows.h"
#include "Modal.h"
#include "Screens.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "replacement/ui/TFObjetivosReposicion.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

QStringList line(const TFObjetivosReposicion& screen, int at) {
    QStringList texts;
    for (int column = 0; column < TFObjetivosReposicion::kColumns; ++column)
        texts << screen.figure(at, column)->text();
    return texts;
}

} // namespace

class ObjectivesScreenTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheYearAndMovesWithTheKeys() {
        ScreenFarm<> f(QDate(2026, 7, 2));
        testkit::addLedgerDay(f.db(), QDate(2026, 1, 10),
                              QStringLiteral("NumeroTotalHembras=182, AltasHembras=50, NumeroTotalMachos=20"));
        testkit::addLedgerDay(f.db(), QDate(2026, 6, 30),
                              QStringLiteral("NumeroTotalHembras=218, NumeroTotalMachos=20"));
        TFObjetivosReposicion screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Objetivos y Estado Actual de la Reposición"));
        QCOMPARE(line(screen, 0), (QStringList{"6", "0", "218", "200", "100 %", "50 %", "25 %"}));
        QCOMPARE(line(screen, 1), (QStringList{"0", "0", "20", "20", "25 %", "0 %", "0 %"}));

        // The focus runs the upper grid line by line, then the lower grid, then "Aceptar".
        QLineEdit* first = screen.figure(0, 0);
        QCOMPARE(QApplication::focusWidget(), first);
        QTest::keyClicks(first, QStringLiteral("99"));
        QCOMPARE(first->text(), QStringLiteral("6"));
        QTest::keyClick(first, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), screen.figure(0, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), first);
        for (int step = 0; step < 3; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.figure(0, 3));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), screen.figure(1, 0));
        for (int step = 0; step < 4; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), screen.figure(0, 4));
        for (int step = 0; step < 6; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), button(&screen, "aceptar"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Accepted));
    }

    void theMenuItemOpensItAndEscapeClosesIt() {
        ScreenFarm<> f;
        // An installation already upgraded: the main window opens nothing by itself.
        f.settings.setVersionActual(QStringLiteral("1.1.0"));
        TFPantallaPrincipal window(f.context);
        bool opened = false;
        whenModal([&opened](QWidget* modal) {
            QVERIFY(qobject_cast<TFObjetivosReposicion*>(modal));
            opened = true;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!modal->isVisible());
        });
        window.action(QStringLiteral("Reposición/Objetivos y Estado Actual"))->trigger();
        QVERIFY(opened);
    }
};

QTEST_MAIN(ObjectivesScreenTest)
#include "ObjectivesScreenTest.moc"
