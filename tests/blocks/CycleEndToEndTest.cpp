// A whole reproductive cycle through the screens, as a farmer works it: the
// farm parameters, four females entered on their cards, then over several days
// matings and inseminations, palpations (one flipped negative), births and
// weanings, and a second cycle for one female. At the end the cycle rows, the
// male's rows, the pools and every ledger day hold exactly what happened, and
// the card shows the history and the efficiency index.
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "blocks/ui/TFCubricionesHembras.h"
#include "blocks/ui/TFDestetesHembras.h"
#include "blocks/ui/TFInseminacionesHembras.h"
#include "blocks/ui/TFPalpacionesHembras.h"
#include "blocks/ui/TFPartosHembras.h"
#include "db/Clock.h"
#include "db/Query.h"
#include "db/Settings.h"
#include "herd/ui/HistoryList.h"
#include "herd/ui/TFMantenimientoHembras.h"
#include "setup/ui/TFDatosExplotacion.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

const QDate kMated(2002, 1, 10);

QString typed(const QDate& d) {
    return d.toString(QStringLiteral("ddMMyyyy"));
}

// Every box of this walk-through is left with Tab, as the farmer moves on.
void typeOverAndTab(QWidget* box, const QString& keys) {
    typeOver(box, keys);
    QTest::keyClick(box, Qt::Key_Tab);
}

struct Day {
    qint64 hembras, altas, cubriciones, positivas, negativas, partos, vivos, muertos, destetes, destetados;
    bool operator==(const Day&) const = default;
};

} // namespace

class CycleEndToEndTest : public QObject {
    Q_OBJECT

    TempFarm m_farm;
    FixedClock m_clock{QDate(2002, 1, 5)};
    Settings m_settings{m_farm.folder() + QStringLiteral("/Quendal.conf")};
    FarmContext m_context{m_farm.db(), m_clock, m_settings, QStringLiteral("GRANJA-01")};
    ScriptedMessages m_messages;

    qint64 value(const QString& statement) {
        return Query::scalar(m_farm.db(), statement, QStringLiteral("v")).asInteger();
    }

    Day day(const QDate& d) {
        Query q(m_farm.db(), QStringLiteral("select * from HistoricoMaternidad where Fecha=%1")
                                 .arg(QLatin1Char('\'') + d.toString(QStringLiteral("MM/dd/yyyy")) + QLatin1Char('\'')));
        q.open();
        if (q.eof())
            return Day{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        auto n = [&q](const char* c) { return q.field(QLatin1String(c)).asInteger(); };
        return Day{n("NumeroTotalHembras"), n("AltasHembras"), n("Cubriciones"), n("PalpacionesPositivas"),
                   n("PalpacionesNegativas"), n("NumeroPartos"), n("NacidosVivos"), n("NacidosMuertos"),
                   n("NumeroDestetes"), n("Destetados")};
    }

    // Loads a block screen for a cage range on a day, lets `review` change the
    // list, and processes it.
    template <class Screen>
    void runBlock(const QDate& on, int from, int to, const std::function<void(Screen&)>& review = {},
                  const QString& pool = {}) {
        Screen screen(m_context);
        showActive(screen);
        if (auto* poolBox = screen.template findChild<QLineEdit*>(QStringLiteral("pool")))
            poolBox->setText(pool);
        typeOverAndTab(screen.template findChild<NumberEdit*>(QStringLiteral("desde")), QString::number(from));
        typeOverAndTab(screen.template findChild<NumberEdit*>(QStringLiteral("hasta")), QString::number(to));
        typeOverAndTab(screen.template findChild<DateEdit*>(QStringLiteral("fecha")), typed(on));
        click(&screen, "buscar");
        if (review)
            review(screen);
        click(&screen, "procesar");
        QCOMPARE(m_messages.lastText(), QStringLiteral("El proceso ha finalizado con éxito"));
        QVERIFY(!screen.isVisible());
    }

    // Enter on each listed row in turn, typing the dialog's values for it.
    template <class Screen> static void typeRows(Screen& screen, const QList<QStringList>& values) {
        QTableView* view = screen.listView();
        QCOMPARE(screen.model()->rowCount(), values.size());
        view->setFocus();
        view->selectRow(0);
        for (const QStringList& row : values) {
            whenModal([row](QWidget* dialog) {
                QWidget* box = QApplication::focusWidget();
                if (row.isEmpty()) { // nothing to change: left with Escape
                    QTest::keyClick(box, Qt::Key_Escape);
                    return;
                }
                for (const QString& v : row) {
                    QVERIFY(qobject_cast<NumberEdit*>(box));
                    QTest::keyClicks(box, v);
                    QTest::keyClick(box, Qt::Key_Return);
                    box = QApplication::focusWidget();
                }
                QCOMPARE(box->objectName(), QStringLiteral("aceptar"));
                QTest::keyClick(box, Qt::Key_Return);
                Q_UNUSED(dialog);
            });
            QTest::keyClick(view, Qt::Key_Return);
        }
    }

private slots:
    void wholeCycleThroughTheScreens() {
        // The farm parameters, typed on their screen.
        {
            TFDatosExplotacion parameters(m_context);
            showActive(parameters);
            typeOverAndTab(parameters.box(QStringLiteral("NombreExplotacion")), QStringLiteral("Granja El Robledal"));
            typeOverAndTab(parameters.box(QStringLiteral("DiasPalpar")), QStringLiteral("12"));
            typeOverAndTab(parameters.box(QStringLiteral("DiasDestetar")), QStringLiteral("28"));
            typeOverAndTab(parameters.box(QStringLiteral("DiasCubrirPosparto")), QStringLiteral("7"));
            typeOverAndTab(parameters.box(QStringLiteral("Edad1CubrirHembra")), QStringLiteral("120"));
            click(&parameters, "aceptar");
        }
        QCOMPARE(value(QStringLiteral("select DiasPalpar v from DatosExplotacion")), 12);

        // Four females on their cards, in cages 10 to 13, all entered on 01/03/2001.
        {
            TFMantenimientoHembras card(m_context);
            showActive(card);
            for (int cage = 10; cage <= 13; ++cage) {
                click(&card, "anadir");
                typeOverAndTab(card.input(QStringLiteral("Jaula")), QString::number(cage));
                typeOverAndTab(card.input(QStringLiteral("FechaNacimiento")), QStringLiteral("01012001"));
                typeOverAndTab(card.input(QStringLiteral("FechaEntrada")), QStringLiteral("01032001"));
                click(&card, "aceptar");
            }
        }
        QCOMPARE(value(QStringLiteral("select count(*) v from Hembras where CausaBaja=-1 and FechaEntrada='03/01/2001'")),
                 4);
        QVERIFY(m_messages.asked().isEmpty());

        // Day 1: females 1 and 2 mated with male 7, females 3 and 4 inseminated in pool P1.
        // The never-mated females 3 and 4 are listed from the whole farm, whatever the range:
        // the farmer removes them with Delete.
        runBlock<TFCubricionesHembras>(kMated, 10, 11, [](TFCubricionesHembras& s) {
            QCOMPARE(s.model()->rowCount(), 4);
            s.listView()->setFocus();
            s.listView()->selectRow(2);
            QTest::keyClick(s.listView(), Qt::Key_Delete);
            QTest::keyClick(s.listView(), Qt::Key_Delete);
            typeRows(s, {{"7"}, {"7"}});
        });
        runBlock<TFInseminacionesHembras>(kMated, 12, 13, {}, QStringLiteral("P1"));
        // Day 13: palpations; female 2 found empty.
        runBlock<TFPalpacionesHembras>(kMated.addDays(12), 0, 0, [](TFPalpacionesHembras& s) {
            QCOMPARE(s.model()->rowCount(), 4);
            s.listView()->setFocus();
            s.listView()->selectRow(1);
            QTest::keyClick(s.listView(), Qt::Key_Return);
        });
        // Day 32: births (9,1), (0,0), (7,0) for females 1, 3 and 4.
        const QDate born = kMated.addDays(31);
        runBlock<TFPartosHembras>(born, 0, 0, [](TFPartosHembras& s) {
            typeRows(s, {{"9", "1", "0", "0"}, {}, {"7", "0", "0", "0"}});
        });
        // Seven days after her birth female 1 is mated again, before her litter is weaned.
        const QDate mated2 = born.addDays(7);
        runBlock<TFCubricionesHembras>(mated2, 10, 10, [](TFCubricionesHembras& s) {
            // Female 2, palpated negative, is due too; only female 1 is mated today.
            QCOMPARE(s.model()->rowCount(), 1);
            typeRows(s, {{"7"}});
        });
        // Day 60: weanings; female 1 weans 8 of her 9, female 4 her 7; female 3 had no kit.
        const QDate weaned = born.addDays(28);
        runBlock<TFDestetesHembras>(weaned, 0, 0, [](TFDestetesHembras& s) {
            QCOMPARE(s.model()->rowCount(), 2);
            QCOMPARE(s.model()->index(0, 3).data().toString(), QStringLiteral("9"));
            s.listView()->setFocus();
            s.listView()->selectRow(0);
            whenModal([](QWidget* dialog) {
                QWidget* box = QApplication::focusWidget();
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, QStringLiteral("8"));
                QTest::keyClick(box, Qt::Key_Return);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                Q_UNUSED(dialog);
            });
            QTest::keyClick(s.listView(), Qt::Key_Return);
        });
        // Female 1's second cycle: palpated, born 29 days after mating, weaned 28 days later.
        runBlock<TFPalpacionesHembras>(mated2.addDays(12), 10, 10);
        const QDate born2 = mated2.addDays(29);
        runBlock<TFPartosHembras>(born2, 10, 10, [](TFPartosHembras& s) { typeRows(s, {{"10", "0", "0", "0"}}); });
        runBlock<TFDestetesHembras>(born2.addDays(28), 10, 10);

        // The cycle rows, female by female.
        auto cycle = [this](int female, const char* condition) {
            return value(QStringLiteral("select count(*) v from CubriHembras where CodigoHembra=%1 and %2")
                             .arg(female)
                             .arg(QString::fromLatin1(condition)));
        };
        QCOMPARE(value(QStringLiteral("select count(*) v from CubriHembras")), 5);
        QCOMPARE(cycle(1, "CodigoMacho=7 and Palpacion=True and FechaParto='02/10/2002' and NacidosVivos=9 and "
                          "NacidosMuertos=1 and Destetados=8 and Destetada=True"),
                 1);
        QCOMPARE(cycle(1, "FechaCubricion='02/17/2002' and FechaParto='03/18/2002' and NacidosVivos=10 and "
                          "Destetados=10 and Destetada=True"),
                 1);
        QCOMPARE(cycle(2, "CodigoMacho=7 and Palpacion=False and FechaParto is NULL"), 1);
        QCOMPARE(cycle(3, "CodigoMacho=-1 and Palpacion=True and FechaParto='02/10/2002' and NacidosVivos=0 and "
                          "Destetada=False"),
                 1);
        QCOMPARE(cycle(4, "CodigoMacho=-1 and NacidosVivos=7 and Destetados=7 and Destetada=True"), 1);

        // The male's rows mirror his matings; inseminations have none.
        QCOMPARE(value(QStringLiteral("select count(*) v from CubriMachos")), 3);
        QCOMPARE(value(QStringLiteral("select count(*) v from CubriMachos where CodigoMacho=7 and CodigoHembra=1 and "
                                      "Palpacion=True and NacidosVivos=9 and NacidosMuertos=1 and "
                                      "FechaCubricion='01/10/2002'")),
                 1);
        QCOMPARE(value(QStringLiteral("select count(*) v from CubriMachos where CodigoHembra=2 and Palpacion=False")),
                 1);

        // Pool P1: two nulliparous females, both positive, both births (one with no kit), 7 alive.
        QCOMPARE(value(QStringLiteral("select count(*) v from Pools where Pool='P1' and Estado='N' and "
                                      "Palpacion=True")),
                 2);
        QCOMPARE(value(QStringLiteral("select Nuliparas*1000+NulPositivas*100+NulPartos*10 v from MasterPools where "
                                      "Pool='P1'")),
                 2220);
        QCOMPARE(value(QStringLiteral("select NulVivos v from MasterPools where Pool='P1'")), 7);
        QCOMPARE(value(QStringLiteral("select TotalPool*1000+TotPositivas*100+TotPartos*10 v from MasterPools")), 2220);

        // Every ledger day.
        QCOMPARE(value(QStringLiteral("select count(*) v from HistoricoMaternidad")), 9);
        QCOMPARE(day(QDate(2001, 3, 1)), (Day{4, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(day(kMated), (Day{4, 0, 4, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(day(kMated.addDays(12)), (Day{4, 0, 0, 3, 1, 0, 0, 0, 0, 0}));
        QCOMPARE(day(born), (Day{4, 0, 0, 0, 0, 2, 16, 1, 0, 0}));
        QCOMPARE(day(mated2), (Day{4, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(day(weaned), (Day{4, 0, 0, 0, 0, 0, 0, 0, 2, 15}));
        QCOMPARE(day(mated2.addDays(12)), (Day{4, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(day(born2), (Day{4, 0, 0, 0, 0, 1, 10, 0, 0, 0}));
        QCOMPARE(day(born2.addDays(28)), (Day{4, 0, 0, 0, 0, 0, 0, 0, 1, 10}));

        // Female 1 on her card: two lines, weaned 8 then 10, and saved again her index is
        // 2 weanings x 365 / (36 days between her births / 2) = 40.56.
        TFMantenimientoHembras card(m_context);
        showActive(card);
        QWidget* code = card.input(QStringLiteral("CodigoHembra"));
        typeOverAndTab(code, QStringLiteral("1"));
        code->setFocus();
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(card.history()->rowCount(), 2);
        click(&card, "aceptar");
        QCOMPARE(card.indexLabel()->text(), QStringLiteral("40,56"));
        QCOMPARE(Query::scalar(m_farm.db(), QStringLiteral("select Eficacia from Hembras where CodigoHembra=1"),
                               QStringLiteral("Eficacia"))
                     .asFloat(),
                 40.56);
        QVERIFY2(m_messages.asked().size() == 9, qPrintable(m_messages.lastText())); // the nine completions
    }
};

QTEST_MAIN(CycleEndToEndTest)
#include "CycleEndToEndTest.moc"
