#include "FarmRows.h"
#include "Keys.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "analysis/ui/TFDatosDiarios.h"
#include "db/Database.h"
#include "db/TableCursor.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {

// The female totals of the ledger in date order.
QStringList femaleTotals(Database& db) {
    return testkit::rowTexts(db, QStringLiteral("select NumeroTotalHembras from HistoricoMaternidad order by Fecha"));
}

QString label(QWidget& screen, const char* name) {
    return screen.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

bool enabled(QWidget& screen, const char* name) {
    return button(&screen, name)->isEnabled();
}

// Types a date into "Fecha" and presses Enter, as the farmer opens or adds a day.
void typeDay(TFDatosDiarios& screen, const QString& keys) {
    typeOver(screen.input(QStringLiteral("Fecha")), keys);
    QTest::keyClick(screen.input(QStringLiteral("Fecha")), Qt::Key_Return);
}

struct Fixture : ScreenFarm<> {
    Fixture() : ScreenFarm(QDate(2001, 3, 20)) {
        db().exec(QStringLiteral("update DatosExplotacion set NutriPriMaternidad='Lactancia', Nutri4Maternidad='Heno'"));
        testkit::addLedgerDay(db(), QDate(2001, 3, 1),
                              QStringLiteral("NumeroTotalHembras=480, NumeroTotalMachos=40, PalpacionesPositivas=3, "
                                             "PalpacionesNegativas=1, Cubriciones=7, NumeroPartos=2, NacidosVivos=9, "
                                             "NacidosMuertos=1"));
        testkit::addLedgerDay(db(), QDate(2001, 3, 5), QStringLiteral("NumeroTotalHembras=500, NumeroTotalMachos=41"));
        testkit::addLedgerDay(db(), QDate(2001, 3, 9), QStringLiteral("NumeroTotalHembras=520, NumeroTotalMachos=42"));
    }
};

} // namespace

class DailyScreenTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheEarliestDayWithItsIndices() {
        Fixture f;
        TFDatosDiarios screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Mantenimiento de Datos Diarios"));
        QVERIFY(!button(&screen, "anadir"));
        QCOMPARE(qobject_cast<QLineEdit*>(screen.input(QStringLiteral("Fecha")))->text(), QStringLiteral("01/03/2001"));
        QStringList captions;
        for (const QLabel* l : screen.findChildren<QLabel*>())
            captions << l->text();
        for (const char* caption : {"Kg. de Lactancia", "Kg. de ", "Kg. de Heno", "Palp Positivas", "Nº de Partos"})
            QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
        QCOMPARE(label(screen, "PalpTotales"), QStringLiteral("4"));
        QCOMPARE(label(screen, "indicePalpaciones"), QStringLiteral("Palpaciones Positivas 75,00 %"));
        QCOMPARE(label(screen, "indiceNacidos"), QStringLiteral("Nacidos Vivos / Parto 4,50"));
        QCOMPARE(label(screen, "indiceDestetados"), QStringLiteral("Destetados / Camada 0"));
        // Browsing: the moves, no recount; the moves refresh the indices.
        QVERIFY(!enabled(screen, "primero") && enabled(screen, "siguiente") && !enabled(screen, "recalcular"));
        click(&screen, "ultimo");
        QCOMPARE(screen.cursor().position(), 2);
        QCOMPARE(label(screen, "indicePalpaciones"), QStringLiteral("Palpaciones Positivas 0 %"));
        QCOMPARE(label(screen, "indiceNacidos"), QStringLiteral("Nacidos Vivos / Parto 0"));
    }

    void aChangedTotalShiftsEveryLaterDayAndOnlyThem() {
        Fixture f;
        ScriptedMessages messages;
        TFDatosDiarios screen(f.context);
        showActive(screen);
        const auto setFemales = [&](const QString& total) {
            typeDay(screen, QStringLiteral("05032001"));
            QCOMPARE(screen.cursor().state(), TableCursor::State::Edit);
            QCOMPARE(QApplication::focusWidget(), screen.input(QStringLiteral("NumeroTotalHembras")));
            QVERIFY(!enabled(screen, "siguiente") && enabled(screen, "recalcular"));
            typeOver(screen.input(QStringLiteral("NumeroTotalHembras")), total);
            click(&screen, "aceptar");
            QCOMPARE(screen.cursor().state(), TableCursor::State::Browse);
        };
        setFemales(QStringLiteral("510"));
        QCOMPARE(femaleTotals(f.db()), (QStringList{"480", "510", "530"}));
        setFemales(QStringLiteral("500"));
        QCOMPARE(femaleTotals(f.db()), (QStringList{"480", "500", "520"}));
        // Only "Altas" and "Muertas": no other day changes.
        const QStringList before = testkit::ledger(f.db());
        typeDay(screen, QStringLiteral("05032001"));
        typeOver(screen.input(QStringLiteral("AltasHembras")), QStringLiteral("3"));
        typeOver(screen.input(QStringLiteral("BajasHembrasMuertas")), QStringLiteral("2"));
        click(&screen, "aceptar");
        const QStringList after = testkit::ledger(f.db());
        QCOMPARE(after.size(), 3);
        QCOMPARE(after[0], before[0]);
        QCOMPARE(after[2], before[2]);
        QVERIFY(after[1] != before[1]);
        QVERIFY(messages.asked().isEmpty());
    }

    void aNewDayStartsFromTheDayBeforeItWithItsTotalsLocked() {
        Fixture f;
        ScriptedMessages messages;
        TFDatosDiarios screen(f.context);
        showActive(screen);
        // No leaves the screen as it was.
        messages.answer(QMessageBox::No);
        typeDay(screen, QStringLiteral("07032001"));
        QCOMPARE(screen.cursor().state(), TableCursor::State::Edit); // typed over, not opened
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked()[0].caption, QStringLiteral("¡Atención!"));
        QCOMPARE(messages.asked()[0].text, QStringLiteral("Fecha NO Existente ¿Desea darla de Alta?"));
        QCOMPARE(messages.asked()[0].defaultButton, QMessageBox::No);
        QCOMPARE(testkit::count(f.db(), QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), 3);

        const QStringList before = testkit::ledger(f.db());
        messages.answer(QMessageBox::Yes);
        QTest::keyClick(screen.input(QStringLiteral("Fecha")), Qt::Key_Return);
        QCOMPARE(screen.cursor().state(), TableCursor::State::Insert);
        QCOMPARE(screen.cursor().value(QStringLiteral("NumeroTotalHembras")).toInt(), 500);
        QCOMPARE(screen.cursor().value(QStringLiteral("NumeroTotalMachos")).toInt(), 41);
        QVERIFY(!screen.input(QStringLiteral("NumeroTotalHembras"))->isEnabled());
        QVERIFY(!screen.input(QStringLiteral("NumeroTotalMachos"))->isEnabled());
        QCOMPARE(QApplication::focusWidget(), screen.input(QStringLiteral("BajasHembrasMuertas")));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.input(QStringLiteral("BajasHembrasEliminadas")));
        // A second lookup of the totals cannot undo the lock while the addition lasts.
        QVERIFY(!screen.input(QStringLiteral("NumeroTotalHembras"))->isEnabled());
        click(&screen, "aceptar");
        QCOMPARE(femaleTotals(f.db()), (QStringList{"480", "500", "500", "520"}));
        const QStringList after = testkit::ledger(f.db());
        QCOMPARE((QStringList{after[0], after[1], after[3]}), before);
        QVERIFY(screen.input(QStringLiteral("NumeroTotalHembras"))->isEnabled() == false); // browsing: locked
        QVERIFY(screen.input(QStringLiteral("Fecha"))->isEnabled());

        // A day earlier than every stored day starts at 0 and 0.
        messages.answer(QMessageBox::Yes);
        typeDay(screen, QStringLiteral("01022001"));
        QCOMPARE(screen.cursor().state(), TableCursor::State::Insert);
        QCOMPARE(screen.cursor().value(QStringLiteral("NumeroTotalHembras")).toInt(), 0);
        click(&screen, "aceptar");
        QCOMPARE(femaleTotals(f.db()), (QStringList{"0", "480", "500", "500", "520"}));
    }

    void recalcularOnAnEmptyDayGivesSixZerosUntilEscapeCancels() {
        Fixture f;
        ScriptedMessages messages;
        TFDatosDiarios screen(f.context);
        showActive(screen);
        const QStringList before = testkit::ledger(f.db());
        typeDay(screen, QStringLiteral("01032001"));
        click(&screen, "recalcular");
        for (const char* column : {"Cubriciones", "PalpacionesPositivas", "PalpacionesNegativas", "NumeroPartos",
                                   "NacidosVivos", "NacidosMuertos"}) {
            QCOMPARE(screen.cursor().value(QString::fromLatin1(column)).toInt(), 0);
            QCOMPARE(qobject_cast<QLineEdit*>(screen.input(QString::fromLatin1(column)))->text(), QStringLiteral("0"));
        }
        QCOMPARE(label(screen, "PalpTotales"), QStringLiteral("0"));
        QCOMPARE(label(screen, "indicePalpaciones"), QStringLiteral("Palpaciones Positivas 0 %"));
        // "Observaciones" takes Enter as a new line.
        auto* remarks = qobject_cast<QPlainTextEdit*>(screen.input(QStringLiteral("Observaciones")));
        remarks->setFocus();
        QTest::keyClicks(remarks, QStringLiteral("uno"));
        QTest::keyClick(remarks, Qt::Key_Return);
        QTest::keyClicks(remarks, QStringLiteral("dos"));
        QCOMPARE(remarks->toPlainText(), QStringLiteral("uno\ndos"));
        QCOMPARE(QApplication::focusWidget(), remarks);
        // Escape abandons the recount first; the next closes the screen.
        QTest::keyClick(remarks, Qt::Key_Escape);
        QCOMPARE(screen.cursor().state(), TableCursor::State::Browse);
        QVERIFY(screen.isVisible());
        QCOMPARE(testkit::ledger(f.db()), before);
        QCOMPARE(label(screen, "indicePalpaciones"), QStringLiteral("Palpaciones Positivas 75,00 %"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
    }

    void borrarAsksAndDeletesOnlyThatDay() {
        Fixture f;
        ScriptedMessages messages;
        TFDatosDiarios screen(f.context);
        showActive(screen);
        typeDay(screen, QStringLiteral("05032001"));
        messages.answer(QMessageBox::Yes);
        click(&screen, "borrar");
        QCOMPARE(messages.lastText(), QStringLiteral("¿Está seguro de que desea BORRAR?"));
        QCOMPARE(messages.asked().last().defaultButton, QMessageBox::No);
        QCOMPARE(femaleTotals(f.db()), (QStringList{"480", "520"}));
    }
};

QTEST_MAIN(DailyScreenTest)
#include "DailyScreenTest.moc"
