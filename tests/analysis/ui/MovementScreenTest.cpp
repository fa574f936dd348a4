#include "FarmRows.h"
#include "Keys.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "analysis/ui/TFMovimientoCebadero.h"
#include "db/TableCursor.h"
#include "herd/ui/TMnto.h"
#include "widgets/NumberEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using testkit::count;

namespace {

QString text(TFMovimientoCebadero& screen, const char* column) {
    return qobject_cast<QLineEdit*>(screen.input(QString::fromLatin1(column)))->text();
}

// Types into a box and leaves it with Enter, as the farmer does.
void typeAndLeave(TFMovimientoCebadero& screen, const char* column, const QString& keys) {
    QWidget* box = screen.input(QString::fromLatin1(column));
    typeOver(box, keys);
    QTest::keyClick(box, Qt::Key_Return);
}

int rows(Database& db, const QString& condition) {
    return count(db, QStringLiteral("select count(*) cuenta from Cebadero where ") + condition);
}

} // namespace

class MovementScreenTest : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFarm<> {
        Fixture() : ScreenFarm<>(QDate(2002, 2, 20)) {
            db().exec(QStringLiteral("update DatosExplotacion set NutriPriCebadero='Engorde', "
                                     "Nutri2Cebadero='Acabado', Nutri3Cebadero='Paja'"));
            // Stored as another program left them: number and total without their average.
            db().exec(QStringLiteral("insert into Cebadero (FechaMovimiento, EntGazaposDes, PesGazaposDes, "
                                     "PesPromedioEnt) values ('02/05/2002', 100, 65, 0)"));
            db().exec(QStringLiteral("insert into Cebadero (FechaMovimiento, BajasGazapos) values ('02/01/2002', 3)"));
        }
    };

private slots:
    void boxesInOrderWithCaptionsAndMovesOnlyWhileBrowsing() {
        Fixture f;
        ScriptedMessages messages;
        TFMovimientoCebadero screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Movimiento del Cebadero"));
        QVERIFY(button(&screen, "anadir") == nullptr);

        const QStringList expected = {"Fecha",
                                      "Entrada de Gazapos Destetados",
                                      "Peso total de los Gazapos Destetados",
                                      "Peso de Promedio de los Gazapos Destetados",
                                      "Bajas de Gazapos en Cebadero",
                                      "Salida de Gazapos destinados a Reposición",
                                      "Salida de Gazapos destinados a Venta",
                                      "Peso total de los Gazapos Vendidos",
                                      "Peso de Promedio de los Gazapos Vendidos",
                                      "Consumo (Kg.) de Engorde",
                                      "Consumo (Kg.) de Acabado",
                                      "Consumo (Kg.) de Paja",
                                      "Observaciones"};
        // The boxes in the bar's order, each with its caption, and Enter's walk the same.
        QStringList captions;
        for (QWidget* box : screen.bar()->keyFields() + screen.bar()->otherFields()) {
            for (QLabel* label : screen.findChildren<QLabel*>()) {
                if (label->buddy() == box)
                    captions << label->text();
            }
        }
        QCOMPARE(captions, expected);

        // The earliest date first; the moves walk the dates while browsing.
        QCOMPARE(text(screen, "FechaMovimiento"), QStringLiteral("01/02/2002"));
        QVERIFY(!button(&screen, "primero")->isEnabled());
        click(&screen, "ultimo");
        QCOMPARE(text(screen, "FechaMovimiento"), QStringLiteral("05/02/2002"));
        QVERIFY(button(&screen, "anterior")->isEnabled() && !button(&screen, "siguiente")->isEnabled());
        // Enter on the date opens its movement; Enter then walks the boxes in order.
        QTest::keyClick(screen.input(QStringLiteral("FechaMovimiento")), Qt::Key_Return);
        QCOMPARE(screen.cursor().state(), TableCursor::State::Edit);
        QVERIFY(!button(&screen, "anterior")->isEnabled() && !button(&screen, "primero")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), screen.bar()->otherFields().first());
        for (QWidget* next : screen.bar()->otherFields().mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QVERIFY(messages.asked().isEmpty());
    }

    void leavingAGroupBoxKeepsItsGroupConsistentOnlyWhileEditing() {
        Fixture f;
        ScriptedMessages messages;
        TFMovimientoCebadero screen(f.context);
        showActive(screen);
        click(&screen, "ultimo");
        // Shown and opened by its date, a stored movement stays as it is until a box is left.
        QCOMPARE(text(screen, "PesPromedioEnt"), QStringLiteral("0,000"));
        QTest::keyClick(screen.input(QStringLiteral("FechaMovimiento")), Qt::Key_Return);
        QCOMPARE(screen.cursor().state(), TableCursor::State::Edit);
        QCOMPARE(text(screen, "PesPromedioEnt"), QStringLiteral("0,000"));

        // 100 kits of 65 give 0,650, and a typed average is replaced on leaving.
        typeAndLeave(screen, "EntGazaposDes", QStringLiteral("100"));
        QCOMPARE(text(screen, "PesPromedioEnt"), QStringLiteral("0,650"));
        typeAndLeave(screen, "PesPromedioEnt", QStringLiteral("9"));
        QCOMPARE(text(screen, "PesPromedioEnt"), QStringLiteral("0,650"));
        // 50 sold weighing 115 give 2,300.
        typeAndLeave(screen, "SalGazaposVen", QStringLiteral("50"));
        typeAndLeave(screen, "PesGazaposVen", QStringLiteral("115"));
        QCOMPARE(text(screen, "PesPromedioVen"), QStringLiteral("2,300"));
        click(&screen, "aceptar");
        QCOMPARE(rows(f.db(), QStringLiteral("PesPromedioEnt=0.65 and PesPromedioVen=2.3 and PesGazaposVen=115")), 1);

        // A new date by typing it: 100 kits at 0,700 give 70; 210 at 2,100 give 100 kits.
        messages.answer(QMessageBox::Yes);
        typeAndLeave(screen, "FechaMovimiento", QStringLiteral("10022002"));
        QCOMPARE(messages.lastText(), QStringLiteral("Fecha NO Existente ¿Desea darla de Alta?"));
        QCOMPARE(messages.asked().last().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(screen.cursor().state(), TableCursor::State::Insert);
        typeAndLeave(screen, "EntGazaposDes", QStringLiteral("100"));
        typeAndLeave(screen, "PesPromedioEnt", QStringLiteral("0,7"));
        QCOMPARE(text(screen, "PesGazaposDes"), QStringLiteral("70"));
        typeAndLeave(screen, "PesGazaposVen", QStringLiteral("210"));
        typeAndLeave(screen, "PesPromedioVen", QStringLiteral("2.1"));
        QCOMPARE(text(screen, "SalGazaposVen"), QStringLiteral("100"));
        click(&screen, "aceptar");
        QCOMPARE(rows(f.db(), QStringLiteral("FechaMovimiento='02/10/2002' and PesGazaposDes=70 and "
                                             "SalGazaposVen=100")),
                 1);

        // An average of 0,400 with a total and no number does nothing.
        messages.answer(QMessageBox::Yes);
        typeAndLeave(screen, "FechaMovimiento", QStringLiteral("11022002"));
        typeAndLeave(screen, "PesGazaposDes", QStringLiteral("210"));
        typeAndLeave(screen, "PesPromedioEnt", QStringLiteral("0,4"));
        QCOMPARE(text(screen, "EntGazaposDes"), QStringLiteral("0"));
        // Escape cancels the addition first, then closes the screen.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(screen.cursor().state(), TableCursor::State::Browse);
        QVERIFY(screen.isVisible());
        QCOMPARE(rows(f.db(), QStringLiteral("FechaMovimiento='02/11/2002'")), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
    }

    void deletingAsksFirst() {
        Fixture f;
        ScriptedMessages messages;
        TFMovimientoCebadero screen(f.context);
        showActive(screen);
        QWidget* fecha = screen.input(QStringLiteral("FechaMovimiento"));
        QTest::keyClick(fecha, Qt::Key_Return);
        messages.answer(QMessageBox::No);
        click(&screen, "borrar");
        QCOMPARE(messages.lastText(), QStringLiteral("¿Está seguro de que desea BORRAR?"));
        QCOMPARE(messages.asked().last().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(rows(f.db(), QStringLiteral("1=1")), 2);
        QTest::keyClick(fecha, Qt::Key_Return);
        messages.answer(QMessageBox::Yes);
        click(&screen, "borrar");
        QCOMPARE(rows(f.db(), QStringLiteral("FechaMovimiento='02/01/2002'")), 0);
        QCOMPARE(text(screen, "FechaMovimiento"), QStringLiteral("05/02/2002"));
    }
};

QTEST_MAIN(MovementScreenTest)
#include "MovementScreenTest.moc"
