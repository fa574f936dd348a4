#include "../../reports/SheetTestKit.h"
#include "Modal.h"
#include "PoolTestKit.h"
#include "Screens.h"
#include "db/Query.h"
#include "ScriptedMessages.h"
#include "pools/ui/TFDetallePool.h"
#include "pools/ui/TFGestionPools.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

using namespace poolkit;

namespace {

const QDate kDay(2002, 6, 10);

// The computed cells of a grid line: "% +", "% Partos", "Media nac. Vivos".
QStringList computed(const TFGestionPools& screen, int line) {
    return {screen.cell(line, 1), screen.cell(line, 2), screen.cell(line, 3)};
}

QStringList codes(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(1);
    return out;
}

void clickHeading(QTreeWidget* list, int column) {
    QHeaderView* h = list->header();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2));
}

} // namespace

class PoolScreensTest : public QObject {
    Q_OBJECT
private slots:
    void noPoolShowsAnEmptyNameAndZeros() {
        ScreenFarm<> f;
        TFGestionPools screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Gestión de Pools"));
        QCOMPARE(screen.pool(), QString());
        for (int line = 0; line < 4; ++line)
            QCOMPARE(computed(screen, line), (QStringList{"0", "0", "0"}));
    }

    void browsesPoolsRecomputingTheCellsAndPrintsTheSummary() {
        ScreenFarm<> f(kDay);
        addPoolRow(f.db(), kDay, 1, QStringLiteral("A"), true, 8, 0, 0, QStringLiteral("N"));
        Query ins(f.db(), QStringLiteral("insert into MasterPools values ('A',0,0,0,0,10,7,6,51,0,0,0,0,10,7,6,51)"));
        ins.exec();
        Query other(f.db(), QStringLiteral("insert into MasterPools values ('B',3,2,0,0,0,0,0,0,0,0,0,0,3,2,0,0)"));
        other.exec();
        ScriptedMessages messages;
        CapturedSheets captured;
        TFGestionPools screen(f.context);
        showActive(screen);
        QCOMPARE(screen.pool(), QStringLiteral("A"));
        QCOMPARE(computed(screen, 3), (QStringList{"70", "60", "8,5"}));
        QCOMPARE(computed(screen, 0), (QStringList{"0", "0", "0"})); // a state with no female
        QCOMPARE(screen.cell(3, 0), QStringLiteral("10"));

        click(&screen, "siguiente");
        QCOMPARE(screen.pool(), QStringLiteral("B"));
        QCOMPARE(computed(screen, 3), (QStringList{"67", "0", "0"})); // no birth yet
        click(&screen, "siguiente");
        QCOMPARE(screen.pool(), QStringLiteral("B"));
        click(&screen, "primero");
        QCOMPARE(screen.pool(), QStringLiteral("A"));
        click(&screen, "ultimo");
        click(&screen, "anterior");
        QCOMPARE(screen.pool(), QStringLiteral("A"));

        click(&screen, "imprimir");
        QCOMPARE(int(captured.sheets().size()), 1);
        const auto& sheet = captured.sheets()[0];
        QVERIFY(!sheet.previewed);
        QCOMPARE(sheet.sheet.title, QStringLiteral("Composición del Pool"));
        const SheetPage& page = sheet.sheet.pages.at(0);
        QCOMPARE(page.texts(QStringLiteral("titulo")).value(0), QStringLiteral("Resumen del Pool"));
        QCOMPARE(page.texts(QStringLiteral("total")), (QStringList{"10", "10"}));
        QCOMPARE(page.texts(QStringLiteral("vivos")), (QStringList{"0", "8,5", "0", "8,5"}));
    }

    void detailShowsQuestionMarkSortsByHeadingsAndPrintsMinus() {
        ScreenFarm<> f(kDay);
        const QString pool = QStringLiteral("P1");
        addPoolRow(f.db(), kDay, 30, pool, true, 8, 1, 0, QStringLiteral("N"));
        addPoolRow(f.db(), kDay.addDays(1), 1200, pool, std::nullopt, 0, 0, 40, QStringLiteral("L"));
        addPoolRow(f.db(), kDay.addDays(2), 7, pool, false, 0, 0, 90, QStringLiteral("R"));
        ScriptedMessages messages;
        CapturedSheets captured;
        TFDetallePool detail(f.db(), f.clock, pool);
        showActive(detail);
        QTreeWidget* list = detail.list();
        QCOMPARE(codes(list), (QStringList{"7", "30", "1.200"}));
        QCOMPARE(list->topLevelItem(2)->text(2), QStringLiteral("?"));
        QVERIFY(list->headerItem()->font(0).bold());
        QVERIFY(list->headerItem()->text(0).startsWith(QStringLiteral("Fecha ")));

        clickHeading(list, 1);
        QCOMPARE(codes(list), (QStringList{"7", "30", "1.200"}));
        clickHeading(list, 1);
        QCOMPARE(codes(list), (QStringList{"1.200", "30", "7"}));
        QVERIFY(list->headerItem()->font(1).bold());
        QVERIFY(!list->headerItem()->font(0).bold());
        clickHeading(list, 6);
        QCOMPARE(codes(list), (QStringList{"1.200", "30", "7"}));
        QCOMPARE(detail.detail().orderLine(), QStringLiteral("order by Estado"));

        click(&detail, "imprimir");
        QCOMPARE(int(captured.sheets().size()), 1);
        const SheetPage& page = captured.sheets()[0].sheet.pages.at(0);
        QCOMPARE(page.texts(QStringLiteral("palpacion")), (QStringList{"-", "+", "-"}));
        QVERIFY(button(&detail, "salir")->isEnabled() && button(&detail, "imprimir")->isEnabled());
    }
};

QTEST_MAIN(PoolScreensTest)
#include "PoolScreensTest.moc"
