#include "PoolTestKit.h"
#include "TempFarm.h"

#include "db/Database.h"
#include "db/Query.h"
#include "pools/PoolSummary.h"
#include "reports/SheetComposer.h"

#include <gtest/gtest.h>

using namespace poolkit;

namespace {

const QDate kDay = day(2002, 6, 10);

struct CellCase {
    PoolGroup group;
    PoolCells cells;
};

std::vector<QStringList> detailTexts(Database& db, const PoolDetail& detail) {
    Query q(db);
    std::vector<QStringList> rows;
    for (detail.open(q); !q.eof(); q.next())
        rows.push_back(PoolDetail::screenTexts(q));
    return rows;
}

QStringList column(const std::vector<QStringList>& rows, int k) {
    QStringList out;
    for (const QStringList& r : rows)
        out << r[k];
    return out;
}

} // namespace

TEST(PoolSummary, ComputedCellsRoundAndGiveZeroForNoDivisor) {
    const std::vector<CellCase> cases = {
        {{10, 7, 6, 51}, {"70", "60", "8,5"}},
        {{3, 2, 0, 0}, {"67", "0", "0"}},  // no birth yet: the mean is 0
        {{0, 0, 0, 0}, {"0", "0", "0"}},   // a state with no female
        {{3, 3, 3, 31}, {"100", "100", "10,3"}},
    };
    for (const CellCase& c : cases)
        EXPECT_EQ(poolCells(c.group), c.cells) << c.group.females << " " << c.group.alive;
}

TEST(PoolSummary, NoPoolGivesZeroEverywhere) {
    const auto lines = poolSummary(std::nullopt);
    QStringList captions;
    for (const PoolSummaryLine& l : lines) {
        captions << l.caption;
        EXPECT_EQ(l.females, 0);
        EXPECT_EQ(l.cells, (PoolCells{"0", "0", "0"}));
    }
    EXPECT_EQ(captions, (QStringList{"Nulíparas", "Lactación", "Retrasadas", "Total"}));
}

TEST(PoolSummary, SheetPrintsTheGridWithEmptyZeroCountsUnderThePoolLine) {
    TempFarm farm;
    const PoolTotals t = totalsOf(QStringLiteral("P'1"), {0, 0, 0, 0, 10, 7, 6, 51, 0, 0, 0, 0, 10, 7, 6, 51});
    PoolSummarySheet sheet(farm.db(), kDay, t.pool, poolSummary(t));
    EXPECT_EQ(sheet.title(), QStringLiteral("Composición del Pool"));
    auto rows = sheet.rows();
    const auto doc = SheetComposer::compose(sheet, rows);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("titulo")).value(0), QStringLiteral("Resumen del Pool"));
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("seleccion")).value(0), QStringLiteral("Pool: P'1"));
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("total")), (QStringList{"10", "10"})); // a count of 0 prints nothing
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("positivas")), (QStringList{"0", "70", "0", "70"}));
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("vivos")), (QStringList{"0", "8,5", "0", "8,5"}));
}

TEST(PoolSummary, NamesInKeyOrder) {
    TempFarm farm;
    for (const char* pool : {"P2", "A", "P1"}) {
        addInsemination(farm.db(), 1, kDay);
        PoolCounters(farm.db()).recordInsemination(1, kDay, QString::fromLatin1(pool));
    }
    EXPECT_EQ(poolNames(farm.db()), (QStringList{"A", "P1", "P2"}));
}

TEST(PoolDetail, SortsAsTheHeadingsAreClicked) {
    TempFarm farm;
    const QString pool = QStringLiteral("O'Neill");
    addPoolRow(farm.db(), kDay, 30, pool, true, 8, 1, 0, QStringLiteral("N"));
    addPoolRow(farm.db(), kDay.addDays(1), 1200, pool, std::nullopt, 0, 0, 40, QStringLiteral("L"));
    addPoolRow(farm.db(), kDay.addDays(2), 7, pool, false, 0, 0, 90, QStringLiteral("R"));
    addPoolRow(farm.db(), kDay, 8, QStringLiteral("other"), true, 0, 0, 0, QStringLiteral("N"));

    PoolDetail detail(pool);
    EXPECT_EQ(detail.sortColumn(), 0);
    EXPECT_TRUE(detail.ascending());
    auto rows = detailTexts(farm.db(), detail);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (QStringList{"11/06/2002", "1.200", "?", "0", "0", "40", "L"}));
    EXPECT_EQ(column(rows, 1), (QStringList{"7", "30", "1.200"})); // opens by female code

    struct Click {
        int column;
        QString order;
        QStringList codes;
    };
    const std::vector<Click> clicks = {
        {1, "order by CodigoHembra", {"7", "30", "1.200"}},
        {1, "order by CodigoHembra desc", {"1.200", "30", "7"}},
        {6, "order by Estado", {"1.200", "30", "7"}},
        {6, "order by Estado desc", {"7", "30", "1.200"}},
        {6, "order by Estado", {"1.200", "30", "7"}},
        {0, "order by FechaPool", {"30", "1.200", "7"}},
    };
    for (const Click& c : clicks) {
        detail.sortBy(c.column);
        EXPECT_EQ(detail.orderLine(), c.order);
        EXPECT_EQ(column(detailTexts(farm.db(), detail), 1), c.codes) << c.order.toStdString();
    }

    PoolDetail fresh(pool);
    fresh.sortBy(0); // the mark starts on Fecha ascending: the first click turns it
    EXPECT_EQ(fresh.orderLine(), QStringLiteral("order by FechaPool desc"));
    EXPECT_FALSE(fresh.ascending());
}

TEST(PoolDetail, CompositionSheetPrintsMinusForUnpalpatedAndNothingWhenEmpty) {
    TempFarm farm;
    const QString pool = QStringLiteral("P1");
    addPoolRow(farm.db(), kDay, 30, pool, true, 8, 1, 0, QStringLiteral("N"));
    addPoolRow(farm.db(), kDay, 31, pool, std::nullopt, 0, 0, 40, QStringLiteral("L"));
    PoolDetail detail(pool);
    detail.sortBy(1);
    detail.sortBy(1);
    Query q(farm.db());
    detail.open(q);
    PoolCompositionSheet sheet(farm.db(), kDay, pool);
    QueryRows rows(q);
    const auto doc = SheetComposer::compose(sheet, rows);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("hembra")), (QStringList{"31", "30"}));
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("palpacion")), (QStringList{"-", "+"}));
    EXPECT_EQ(doc->pages.at(0).texts(QStringLiteral("seleccion")).value(0), QStringLiteral("Pool: P1"));

    PoolDetail empty(QStringLiteral("none"));
    Query none(farm.db());
    empty.open(none);
    QueryRows noRows(none);
    EXPECT_FALSE(SheetComposer::compose(sheet, noRows));
}
