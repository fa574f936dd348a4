#include "BlockFarm.h"
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "blocks/ui/TFTraslados.h"
#include "widgets/NumberEdit.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>

class TransferScreenTest : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFarm<BlockFarm> {
        ScriptedMessages messages;
        Fixture() {
            const QDate born(2001, 1, 1);
            for (int cage : {10, 11, 12})
                farm.female(cage, cage, born);
            farm.female(50, 50, born);
            farm.female(52, 52, born, 0, 0); // culled, still in cage 52
        }
    };

    template <class T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    // Range, "Traslado a la Jaula", each with Enter, then Enter on "Buscar".
    static void search(QWidget* screen, const QString& from, const QString& to, const QString& first) {
        typeOver(child<NumberEdit>(screen, "desde"), from);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), to);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("trasladoA"));
        typeOver(QApplication::focusWidget(), first);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("buscar"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    static QStringList column(QTableView* view, int c) {
        QStringList out;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            out << view->model()->index(r, c).data().toString();
        return out;
    }

private slots:
    void destinationZeroBuildsNoList() {
        Fixture f;
        TFTraslados screen(f.context, Transfers::Kind::Females);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"));
        QVERIFY(child<NumberEdit>(&screen, "trasladoA")->hasFocus());
        QCOMPARE(screen.model()->rowCount(), 0);
        QVERIFY(f.messages.asked().isEmpty());
    }

    void proposesFreeCagesEditsThemAndMovesTwoIntoOne() {
        Fixture f;
        TFTraslados screen(f.context, Transfers::Kind::Females);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Traslados de Hembras"));
        search(&screen, QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("50"));
        QTableView* view = screen.listView();
        QCOMPARE(screen.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Jaula Dest."));
        QCOMPARE(column(view, 3), QStringList({"51", "53", "54"}));
        QCOMPARE(screen.model()->index(0, 3).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));

        // Row 1: an occupied cage keeps "Aceptar" disabled, a free one enables it.
        for (int row : {0, 1}) {
            view->selectRow(row);
            whenModal([](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Traslados"));
                auto* destino = dialog->findChild<NumberEdit*>(QStringLiteral("Destino"));
                auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("aceptar"));
                typeOver(destino, QStringLiteral("52"));
                QTest::keyClick(destino, Qt::Key_Return);
                QVERIFY(!ok->isEnabled());
                QVERIFY(destino->hasFocus());
                typeOver(destino, QStringLiteral("90"));
                QTest::keyClick(destino, Qt::Key_Return);
                QVERIFY(ok->isEnabled());
                QVERIFY(ok->hasFocus());
                QTest::keyClick(ok, Qt::Key_Return);
            });
            QTest::keyClick(view, Qt::Key_Return);
        }
        QCOMPARE(column(view, 3), QStringList({"90", "90", "54"}));
        // A double click does nothing here.
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(screen.model()->index(2, 0)).center());
        QCOMPARE(column(view, 3), QStringList({"90", "90", "54"}));

        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.messages.lastText(), QStringLiteral("El proceso ha finalizado con éxito"));
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from Hembras where Jaula=90")), qint64(2));
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from Hembras where Jaula=54")), qint64(1));
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), qint64(0));
    }

    void nestScreenAsksTheDestinationBeforeTheDateAndListsTheDue() {
        Fixture f;
        const QDate fecha(2002, 6, 30);
        f.farm.cycle(10, fecha.addDays(-27), true);
        f.farm.cycle(11, fecha.addDays(-32), true);
        TFTraslados screen(f.context, Transfers::Kind::Nests);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Traslados de H. (Nidales)"));
        child<QPushButton>(&screen, "buscar")->click();
        QVERIFY(child<NumberEdit>(&screen, "trasladoA")->hasFocus());
        typeOver(child<NumberEdit>(&screen, "trasladoA"), QStringLiteral("50"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("fecha"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("30062002"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(column(screen.listView(), 1), QStringList({"10"}));
        QCOMPARE(column(screen.listView(), 3), QStringList({"51"}));
    }

    void malesWithoutMarksAndAnEmptyRangeSaysSo() {
        Fixture f;
        f.db().exec(QStringLiteral("delete from Machos"));
        f.db().exec(QStringLiteral("insert into Machos (CodigoMacho, Jaula) values (0, 5)"));
        f.db().exec(QStringLiteral("insert into Machos (CodigoMacho, Jaula) values (3, 6)"));
        TFTraslados screen(f.context, Transfers::Kind::Males);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("6"));
        QCOMPARE(screen.model()->columnCount(), 3);
        QCOMPARE(column(screen.listView(), 1), QStringList({"3"}));
        QCOMPARE(column(screen.listView(), 2), QStringList({"7"}));
        QVERIFY(!child<QWidget>(&screen, "leyenda1")->isVisible());
        search(&screen, QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("6"));
        QCOMPARE(f.messages.lastText(), QStringLiteral("No hay machos en esas jaulas"));
    }
};

QTEST_MAIN(TransferScreenTest)
#include "TransferScreenTest.moc"
