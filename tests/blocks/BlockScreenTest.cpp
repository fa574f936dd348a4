#include "BlockFarm.h"
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "blocks/ui/TFCubricionesHembras.h"
#include "blocks/ui/TFDestetesHembras.h"
#include "blocks/ui/TFInseminacionesHembras.h"
#include "blocks/ui/TFPalpacionesHembras.h"
#include "blocks/ui/TFPartosHembras.h"
#include "db/Clock.h"
#include "db/Settings.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdit.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {
const QDate kDay(2002, 6, 1);
}

class BlockScreenTest : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFarm<BlockFarm> {
        ScriptedMessages messages;

        Fixture() {
            // Four females whose last mating failed: due again, cage by cage.
            for (int cage : {200, 5, 40, 41}) {
                farm.female(cage, cage, kDay.addDays(-200));
                farm.cycle(cage, kDay.addDays(-20), false);
            }
        }
    };

    template <class T> static T* child(QWidget* w, const char* name) {
        T* c = w->findChild<T*>(QString::fromUtf8(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }

    // Types the range and the date, each confirmed with Enter, and Enter on "Buscar".
    static void search(QWidget* screen, const QString& from, const QString& to, const QString& date) {
        auto* desde = child<NumberEdit>(screen, "desde");
        desde->setFocus();
        QTest::keyClicks(desde, from);
        QTest::keyClick(desde, Qt::Key_Return);
        QWidget* next = QApplication::focusWidget();
        QTest::keyClicks(next, to);
        QTest::keyClick(next, Qt::Key_Return);
        next = QApplication::focusWidget();
        if (auto* pool = qobject_cast<QLineEdit*>(next); pool && pool->objectName() == QLatin1String("pool")) {
            QTest::keyClick(pool, Qt::Key_Return);
            next = QApplication::focusWidget();
        }
        QCOMPARE(next->objectName(), QStringLiteral("fecha"));
        QTest::keyClicks(next, date);
        QTest::keyClick(next, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("buscar"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    static QStringList shownCages(QTableView* view) {
        QStringList cages;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            cages << view->model()->index(r, 0).data().toString();
        return cages;
    }

    static int selected(QTableView* view) {
        const auto rows = view->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

private slots:
    void loadsByKeysInCageOrderWithLegendAndCounter() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Cubriciones de Hembras"));
        QCOMPARE(child<QLabel>(&screen, "contador")->text(), QStringLiteral("0 Selec."));
        QCOMPARE(child<QLabel>(&screen, "leyenda1")->text(), QStringLiteral("1. Buena"));
        QCOMPARE(child<QLabel>(&screen, "leyenda2")->text(), QStringLiteral("2. "));
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
        QCOMPARE(shownCages(screen.listView()), QStringList({"5", "40", "41", "200"}));
        QCOMPARE(child<QLabel>(&screen, "contador")->text(), QStringLiteral("4 Selec."));
        QVERIFY(screen.listView()->hasFocus());
        QVERIFY(f.messages.asked().isEmpty());

        search(&screen, QStringLiteral("6"), QStringLiteral("41"), QStringLiteral("01062002"));
        QCOMPARE(shownCages(screen.listView()), QStringList({"40", "41"}));
    }

    void blankDateKeepsTheListAndAnEmptyLoadSaysSo() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
        child<DateEdit>(&screen, "fecha")->clear();
        child<QPushButton>(&screen, "buscar")->click();
        QCOMPARE(screen.model()->rowCount(), 4);
        QVERIFY(child<DateEdit>(&screen, "fecha")->hasFocus());

        // Too early a day: nobody is old enough.
        child<DateEdit>(&screen, "fecha")->setDate(QDate(2001, 1, 1));
        child<QPushButton>(&screen, "buscar")->click();
        QCOMPARE(screen.model()->rowCount(), 0);
        QCOMPARE(child<QLabel>(&screen, "contador")->text(), QStringLiteral("0 Selec."));
        QCOMPARE(f.messages.asked().size(), 1);
        QCOMPARE(f.messages.asked().last().caption, QStringLiteral("¡Atencion!"));
        QCOMPARE(f.messages.lastText(), QStringLiteral("No hay hembras para cubrir en esas jaulas"));
        QCOMPARE(f.messages.asked().last().icon, QMessageBox::Critical);

        child<DateEdit>(&screen, "fecha")->setText(QStringLiteral("31/02/2005"));
        child<QPushButton>(&screen, "buscar")->click();
        QCOMPARE(f.messages.asked().at(1).text, QStringLiteral("'31/02/2005' is not a valid date"));
        QCOMPARE(screen.model()->rowCount(), 0);
    }

    void rowActionsAndDeletionsMoveTheSelection() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
        QTableView* view = screen.listView();
        QCOMPARE(selected(view), 0);

        // Enter opens "Cubriciones" with the row's cage as the row holds it; a male typed and accepted.
        whenModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Cubriciones"));
            QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("jaula"))->text(), QStringLiteral("000005"));
            auto* male = dialog->findChild<NumberEdit*>(QStringLiteral("Macho"));
            male->setFocus();
            QTest::keyClicks(male, QStringLiteral("33"));
            QTest::keyClick(male, Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(screen.model()->list().fields(0).at(6), QStringLiteral("33"));
        QCOMPARE(selected(view), 1);

        // Escape leaves the row as it was and still moves on.
        const QString before = screen.model()->list().at(1);
        whenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(screen.model()->list().at(1), before);
        QCOMPARE(selected(view), 2);

        // Delete keeps the position; deleting the last row selects the new last.
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(shownCages(view), QStringList({"5", "40", "200"}));
        QCOMPARE(selected(view), 2);
        whenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(selected(view), 2); // Enter on the last row stays there
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(selected(view), 1);
        QCOMPARE(child<QLabel>(&screen, "contador")->text(), QStringLiteral("2 Selec."));
        QTest::keyClick(view, Qt::Key_Delete);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(child<QLabel>(&screen, "contador")->text(), QStringLiteral("0 Selec."));
        QTest::keyClick(view, Qt::Key_Delete); // nothing selected: nothing happens
    }

    void processingUsesTheDateNowInTheBoxAndCloses() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("40"), QStringLiteral("41"), QStringLiteral("01062002"));
        child<DateEdit>(&screen, "fecha")->setDate(kDay.addDays(1));
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.messages.lastText(), QStringLiteral("El proceso ha finalizado con éxito"));
        QCOMPARE(f.messages.asked().last().icon, QMessageBox::Information);
        QVERIFY(!screen.isVisible());
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where "
                                             "FechaCubricion='06/02/2002'")),
                 2);
        QCOMPARE(f.farm.count(QStringLiteral("select Cubriciones cuenta from HistoricoMaternidad where "
                                             "Fecha='06/02/2002'")),
                 2);
    }

    void anEmptyListProcessedClosesAndWritesNothing() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        child<DateEdit>(&screen, "fecha")->setDate(kDay);
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.messages.lastText(), QStringLiteral("El proceso ha finalizado con éxito"));
        QVERIFY(!screen.isVisible());
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), 0);
    }

    void aFailedBatchStaysOpenWithItsListAndCanBeProcessedAgain() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
        const QString before = f.farm.dump();
        f.farm.refuseMirrorOf(40); // the second row of four
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.messages.asked().last().caption, QStringLiteral("Torvane v.1.0"));
        QVERIFY(f.messages.lastText().contains(QStringLiteral("fila rechazada")));
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.model()->rowCount(), 4);
        QCOMPARE(f.farm.dump(), before);

        f.farm.acceptMirrors();
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.messages.lastText(), QStringLiteral("El proceso ha finalizado con éxito"));
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where "
                                             "FechaCubricion='06/01/2002'")),
                 4);
        QCOMPARE(f.farm.count(QStringLiteral("select Cubriciones cuenta from HistoricoMaternidad")), 4);
    }

    void aBlankDateIsNeverProcessed() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
        child<DateEdit>(&screen, "fecha")->clear();
        child<QPushButton>(&screen, "procesar")->click();
        QVERIFY(screen.isVisible());
        QVERIFY(child<DateEdit>(&screen, "fecha")->hasFocus());
        QVERIFY(f.messages.asked().isEmpty());
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriMachos")), 0);
    }

    // A day typed wrong stays in the box with its message; neither button goes on,
    // and a click on one says it once.
    void anImpossibleDayIsKeptAndStopsBothButtons() {
        Fixture f;
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
        const QString before = f.farm.dump();
        auto* fecha = child<DateEdit>(&screen, "fecha");
        typeOver(fecha, QStringLiteral("31022026"));
        QTest::keyClick(fecha, Qt::Key_Return);
        QTRY_COMPARE(f.messages.asked().size(), 1);
        QCOMPARE(f.messages.lastText(), QStringLiteral("'31/02/2026' is not a valid date"));
        QCOMPARE(f.messages.asked().last().caption, QStringLiteral("Torvane v.1.0"));
        QVERIFY(fecha->hasFocus());
        QCOMPARE(fecha->text(), QStringLiteral("31/02/2026"));

        for (const char* button : {"buscar", "procesar"}) {
            const qsizetype asked = f.messages.asked().size();
            QTest::mouseClick(child<QPushButton>(&screen, button), Qt::LeftButton);
            QTRY_COMPARE(f.messages.asked().size(), asked + 1);
            QTest::qWait(20);
            QCOMPARE(f.messages.asked().size(), asked + 1);
            QCOMPARE(f.messages.lastText(), QStringLiteral("'31/02/2026' is not a valid date"));
            QVERIFY(fecha->hasFocus());
            QVERIFY(screen.isVisible());
            QCOMPARE(screen.model()->rowCount(), 4);
        }
        QCOMPARE(f.farm.dump(), before);

        typeOver(fecha, QStringLiteral("02062002"));
        QTest::keyClick(fecha, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.messages.asked().size(), 3);
        QCOMPARE(screen.model()->rowCount(), 4);
        QVERIFY(screen.listView()->hasFocus());
    }

    void tenMatingsThenFiveMoreOnTheSameDay() {
        Fixture f;
        for (int i = 1; i <= 15; ++i)
            f.farm.female(600 + i, 600 + i, kDay.addDays(-200));
        f.farm.db().exec(QStringLiteral("insert into HistoricoMaternidad Values ('05/31/2002', 130, 0, 0, 0, 9, 0, 0, "
                                        "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 ,0, '')"));
        for (const auto& [from, to] : {std::pair{"601", "610"}, std::pair{"611", "615"}}) {
            TFCubricionesHembras screen(f.context);
            showActive(screen);
            search(&screen, QString::fromLatin1(from), QString::fromLatin1(to), QStringLiteral("01062002"));
            // Never-mated females are listed from the whole farm: keep the range's own.
            for (int r = screen.model()->rowCount() - 1; r >= 0; --r) {
                const int cage = screen.model()->index(r, 0).data().toInt();
                if (cage < QString::fromLatin1(from).toInt() || cage > QString::fromLatin1(to).toInt()) {
                    screen.listView()->selectRow(r);
                    QTest::keyClick(screen.listView(), Qt::Key_Delete);
                }
            }
            child<QPushButton>(&screen, "procesar")->click();
        }
        QCOMPARE(f.farm.count(QStringLiteral("select Cubriciones cuenta from HistoricoMaternidad where "
                                             "Fecha='06/01/2002' and NumeroTotalHembras=130 and NumeroTotalMachos=9")),
                 15);
    }

    void inseminationPoolComesFromTheBoxAtLoadTime() {
        Fixture f;
        TFInseminacionesHembras screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Inseminaciones de Hembras"));
        auto* pool = child<QLineEdit>(&screen, "pool");
        pool->setText(QStringLiteral("P7"));
        search(&screen, QStringLiteral("0"), QStringLiteral("41"), QStringLiteral("01062002"));
        QCOMPARE(screen.model()->rowCount(), 3);
        pool->setText(QStringLiteral("P8"));
        QCOMPARE(screen.model()->index(0, 3).data().toString(), QStringLiteral("P7"));
        whenModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Inseminaciones"));
            auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("Pool"));
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QStringLiteral("P8|x"));
            QCOMPARE(box->text(), QStringLiteral("P8x"));
            dialog->findChild<QPushButton*>(QStringLiteral("aceptar"))->click();
        });
        QTest::keyClick(screen.listView(), Qt::Key_Return);
        QCOMPARE(screen.model()->index(0, 3).data().toString(), QStringLiteral("P8x"));
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from Pools where Pool='P7'")), 2);
        QCOMPARE(f.farm.count(QStringLiteral("select TotalPool cuenta from MasterPools where Pool='P8x'")), 1);
    }

    void aNeverMatedFemaleAnywhereIsListedAndDeleteKeepsHerOut() {
        Fixture f;
        f.farm.female(900, 900, kDay.addDays(-400), 3, 0); // sick, culled, far outside the range
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("40"), QStringLiteral("41"), QStringLiteral("01062002"));
        QCOMPARE(shownCages(screen.listView()), QStringList({"40", "41", "900"}));
        QVERIFY(screen.model()->index(2, 0).data(BlockListModel::kBoldRole).toBool());
        QVERIFY(!screen.model()->index(0, 0).data(BlockListModel::kBoldRole).toBool());
        screen.listView()->selectRow(2);
        QTest::keyClick(screen.listView(), Qt::Key_Delete);
        QCOMPARE(selected(screen.listView()), 1);
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoHembra=900")), 0);
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriMachos where CodigoMacho=0")), 2);
    }

    void aCycleRowWithoutFemaleHidesNoNeverMatedFemale() {
        Fixture f;
        f.farm.female(900, 900, kDay.addDays(-400));
        f.farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Maquina) values "
                                        "(NULL, '05/01/2002', 'OTRO')"));
        {
            TFInseminacionesHembras screen(f.context);
            showActive(screen);
            search(&screen, QStringLiteral("40"), QStringLiteral("41"), QStringLiteral("01062002"));
            QCOMPARE(shownCages(screen.listView()), QStringList({"40", "41", "900"}));
        }
        TFCubricionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("40"), QStringLiteral("41"), QStringLiteral("01062002"));
        QCOMPARE(shownCages(screen.listView()), QStringList({"40", "41", "900"}));
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoHembra=900")), 1);
    }

    void palpationsFlipWithEnterAndCountSevenAndThree() {
        Fixture f;
        for (int i = 1; i <= 10; ++i) {
            f.farm.female(100 + i, 100 + i, kDay.addDays(-300));
            f.farm.cycle(100 + i, kDay.addDays(-10));
        }
        TFPalpacionesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("01062002"));
        QCOMPARE(screen.model()->rowCount(), 10);
        QCOMPARE(screen.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Palpación"));
        QTableView* view = screen.listView();
        // Enter flips and walks down: flip rows 1, 2 and 3, then Enter twice on row 4 restores it.
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClick(view, Qt::Key_Return);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(selected(view), 3);
        QTest::keyClick(view, Qt::Key_Return);
        view->selectRow(3);
        QTest::keyClick(view, Qt::Key_Return);
        QStringList signs;
        for (int r = 0; r < 10; ++r)
            signs << screen.model()->index(r, 3).data().toString();
        QCOMPARE(signs.join(QString()), QStringLiteral("---+++++++"));
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.farm.count(QStringLiteral("select PalpacionesPositivas cuenta from HistoricoMaternidad where "
                                             "Fecha='06/01/2002'")),
                 7);
        QCOMPARE(f.farm.count(QStringLiteral("select PalpacionesNegativas cuenta from HistoricoMaternidad where "
                                             "Fecha='06/01/2002'")),
                 3);
    }

    void birthsTypedInTheDialog() {
        Fixture f;
        for (int i = 1; i <= 3; ++i) {
            f.farm.female(300 + i, 300 + i, kDay.addDays(-300));
            f.farm.cycle(300 + i, kDay.addDays(-29), true);
        }
        TFPartosHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("300"), QStringLiteral("399"), QStringLiteral("01062002"));
        QCOMPARE(screen.model()->rowCount(), 3);
        const QStringList litters[] = {{"9", "1", "2", "3"}, {"0", "0", "0", "0"}, {"7", "0", "0", "0"}};
        for (const QStringList& litter : litters) {
            whenModal([litter](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Partos"));
                auto* vivos = dialog->findChild<NumberEdit*>(QStringLiteral("Vivos"));
                vivos->setFocus();
                for (const QString& count : litter) {
                    QWidget* box = QApplication::focusWidget();
                    QTest::keyClicks(box, count);
                    QTest::keyClick(box, Qt::Key_Return);
                }
                QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("aceptar"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            QTest::keyClick(screen.listView(), Qt::Key_Return);
        }
        QCOMPARE(screen.model()->list().at(0).section(QLatin1Char('|'), 6, 9), QStringLiteral("9|1|2|3"));
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.farm.count(QStringLiteral("select NumeroPartos cuenta from HistoricoMaternidad")), 2);
        QCOMPARE(f.farm.count(QStringLiteral("select NacidosVivos cuenta from HistoricoMaternidad")), 16);
        QCOMPARE(f.farm.count(QStringLiteral("select NacidosMuertos cuenta from HistoricoMaternidad")), 1);
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where CodigoHembra=301 and "
                                             "Anadidos=2 and Quitados=3 and FechaParto='06/01/2002'")),
                 1);
    }

    // The births screen opens wide enough for its eight columns, and a loaded
    // list still shows them all, each at least as wide as its contents.
    void everyColumnInSightOpenAndLoaded() {
        Fixture f;
        f.farm.female(123456, 654321, kDay.addDays(-300));
        f.farm.cycle(123456, kDay.addDays(-29), true);
        TFPartosHembras screen(f.context);
        showActive(screen);
        QTableView* view = screen.listView();
        QHeaderView* header = view->horizontalHeader();
        for (const bool loaded : {false, true}) {
            if (loaded)
                search(&screen, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("01062002"));
            QCOMPARE(screen.model()->rowCount(), loaded ? 1 : 0);
            QVERIFY2(header->length() <= view->viewport()->width(),
                     qPrintable(QStringLiteral("%1 > %2").arg(header->length()).arg(view->viewport()->width())));
            QVERIFY(!view->horizontalScrollBar()->isVisible());
            for (int c = 0; loaded && c < screen.model()->columnCount(); ++c) {
                const QModelIndex cell = screen.model()->index(0, c);
                QVERIFY(view->viewport()->rect().contains(view->visualRect(cell)));
                QVERIFY(view->fontMetrics().horizontalAdvance(cell.data().toString()) < view->visualRect(cell).width());
            }
        }
    }

    void weaningEditedToZeroStillCounts() {
        Fixture f;
        f.farm.female(500, 500, kDay.addDays(-300));
        f.farm.cycle(500, kDay.addDays(-61), true, kDay.addDays(-30), 8);
        TFDestetesHembras screen(f.context);
        showActive(screen);
        search(&screen, QStringLiteral("500"), QStringLiteral("500"), QStringLiteral("01062002"));
        QCOMPARE(screen.model()->index(0, 3).data().toString(), QStringLiteral("8"));
        whenModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Destetes"));
            auto* box = dialog->findChild<NumberEdit*>(QStringLiteral("Destetados"));
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->value(), 0.0);
            dialog->findChild<QPushButton*>(QStringLiteral("aceptar"))->click();
        });
        const QPoint cell = screen.listView()->visualRect(screen.model()->index(0, 0)).center();
        QTest::mouseClick(screen.listView()->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(screen.listView()->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(screen.model()->index(0, 3).data().toString(), QStringLiteral("0"));
        child<QPushButton>(&screen, "procesar")->click();
        QCOMPARE(f.farm.count(QStringLiteral("select NumeroDestetes cuenta from HistoricoMaternidad")), 1);
        QCOMPARE(f.farm.count(QStringLiteral("select Destetados cuenta from HistoricoMaternidad")), 0);
        QCOMPARE(f.farm.count(QStringLiteral("select count(*) cuenta from CubriHembras where Destetada=True")), 1);
    }
};

QTEST_MAIN(BlockScreenTest)
#include "BlockScreenTest.moc"
