#include "HerdFarm.h"
#include "Keys.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "herd/ui/TFAltasHembras.h"
#include "herd/ui/TFMarcarHembras.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using namespace herdfarm;

class BulkScreensTest : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFarm<> {
        ScriptedMessages messages;
    };

    // Types each value and Enter, from the focused box on.
    static void typeInTurn(const QStringList& values) {
        for (const QString& v : values) {
            typeOver(QApplication::focusWidget(), v);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    }

private slots:
    void additionsCheckSilentlyAddAndRefuseTakenCages() {
        Fixture f;
        TFAltasHembras screen(f.context);
        showActive(screen);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Cantidad"));
        // Cantidad 0: Enter through every box to "Aceptar", then back to Cantidad without a word.
        typeInTurn({"0", "10", "12", "05012002", "10032002", "Neozelandesa"});
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("aceptar"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Cantidad"));
        QVERIFY(f.messages.asked().isEmpty());

        typeInTurn({"5"});
        screen.findChild<QPushButton*>(QStringLiteral("aceptar"))->click();
        QCOMPARE(f.messages.asked().size(), 1);
        QCOMPARE(f.messages.asked().last().caption, QStringLiteral("¡Atencion!"));
        QCOMPARE(f.messages.lastText(), QStringLiteral("El proceso ha finalizado con éxito"));
        QCOMPARE(count(f.db(), "Hembras", "Jaula=10"), 2);
        QCOMPARE(day(f.db(), QDate(2002, 3, 10)), (Day{true, 5, 5, 0, 0}));
        QVERIFY(screen.isVisible());

        screen.findChild<QPushButton*>(QStringLiteral("aceptar"))->click();
        QCOMPARE(f.messages.lastText(), QStringLiteral("No todas las jaulas seleccionadas están libres"));
        QCOMPARE(f.messages.asked().last().icon, QMessageBox::Critical);
        QCOMPARE(count(f.db(), "Hembras"), 5);
    }

    void marksEnabledByABoxAndBothBoundsThenClose() {
        Fixture f;
        f.db().exec(QStringLiteral("update DatosExplotacion set Marca1='Buena', Marca2='Vieja'"));
        addFemale(f.db(), {1, 5});
        addFemale(f.db(), {2, 100, {2001, 1, 1}, {2001, 3, 1}, 0, {2001, 6, 1}});
        addFemale(f.db(), {3, 101});
        TFMarcarHembras screen(f.context, MarkChange::Range::Cages);
        showActive(screen);
        auto* ok = screen.findChild<QPushButton*>(QStringLiteral("aceptar"));
        auto* box2 = screen.findChild<QCheckBox*>(QStringLiteral("Marca2"));
        QCOMPARE(box2->text(), QStringLiteral("Vieja"));
        QCOMPARE(box2->checkState(), Qt::PartiallyChecked);
        typeOver(screen.findChild<NumberEdit*>(QStringLiteral("Desde")), QStringLiteral("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        typeOver(QApplication::focusWidget(), QStringLiteral("100"));
        QVERIFY(!ok->isEnabled()); // every box grey
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), box2);
        QTest::keyClick(box2, Qt::Key_Space);
        QCOMPARE(box2->checkState(), Qt::Checked);
        QVERIFY(ok->isEnabled());
        typeOver(screen.findChild<NumberEdit*>(QStringLiteral("Desde")), QStringLiteral("0"));
        QVERIFY(!ok->isEnabled());
        typeOver(screen.findChild<NumberEdit*>(QStringLiteral("Desde")), QStringLiteral("1"));
        ok->click();
        QVERIFY(!screen.isVisible());
        QVERIFY(f.messages.asked().isEmpty());
        QCOMPARE(count(f.db(), "Hembras", "Marca2=True"), 2);
    }
};

QTEST_MAIN(BulkScreensTest)
#include "BulkScreensTest.moc"
