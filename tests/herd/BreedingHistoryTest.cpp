#include "herd/BreedingHistory.h"
#include "HerdFarm.h"
#include "TempFarm.h"
#include "herd/CardSheet.h"
#include "db/TableCursor.h"
#include "reports/SheetComposer.h"

#include <gtest/gtest.h>

using namespace herdfarm;

TEST(BreedingHistory, LinesRunByMatingDateWithRunningWeanedTotals) {
    TempFarm farm;
    Database& db = farm.db();
    // Recorded out of date order; two cycles on one day keep their recording order.
    const qint64 third = addCycle(db, {3, QDate(2002, 5, 2), 7, {}, {}, 0, 0, 0, false});
    const qint64 first = addCycle(db, {3, QDate(2002, 1, 10), 7, true, QDate(2002, 2, 11), 9, 1, 8, true});
    for (int i = 0; i < 8; ++i) // Orden 10 must not come before Orden 9 on the same day
        addCycle(db, {4, QDate(2002, 1, 1)});
    const qint64 second = addCycle(db, {3, QDate(2002, 3, 20), -1, false, {}, 0, 0, 0, true});
    const qint64 fourth = addCycle(db, {3, QDate(2002, 5, 2), 12, true, QDate(2002, 6, 3), 8, 0, 7, true});
    ASSERT_LT(third, fourth);

    const auto lines = BreedingHistory::cycles(db, BreedingHistory::Owner::animal(3));
    ASSERT_EQ(lines.size(), 4u);
    const std::vector<qint64> order = {first, second, third, fourth};
    const std::vector<qint64> acum = {8, 8, 8, 15};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].orden, order[i]);
        EXPECT_EQ(lines[i].position, int(i) + 1);
        EXPECT_EQ(lines[i].accumulated, acum[i]);
    }
    EXPECT_EQ(lines[0].cells(), QStringList({"1", "10/01/2002", "7", "+", "11/02/2002", "9", "1", "0", "0", "8", "8"}));
    EXPECT_EQ(lines[1].cells(), QStringList({"2", "20/03/2002", "-1", "-", "", "0", "0", "0", "0", "0", "8"}));
    EXPECT_EQ(lines[2].cells()[3], "?");
    EXPECT_EQ(lines[0].entry(),
              QStringLiteral("20020110|%1|3|10/01/2002|7|True|11/02/2002|9|1|0|0|True|8||8").arg(first));
    EXPECT_EQ(lines[2].entry(), QStringLiteral("20020502|%1|3|02/05/2002|7|||0|0|0|0|False|0||8").arg(third));
    // Red: no weaning recorded.
    EXPECT_FALSE(lines[0].unweaned());
    EXPECT_FALSE(lines[1].unweaned());
    EXPECT_TRUE(lines[2].unweaned());

    // The three weanings of 8, 0 and 7 kits.
    TempFarm other;
    const qint64 weanings[] = {8, 0, 7};
    for (int i = 0; i < 3; ++i)
        addCycle(other.db(), {9, QDate(2002, 1, 1).addMonths(i), 7, true, {}, 0, 0, weanings[i], true});
    QStringList totals;
    for (const auto& l : BreedingHistory::cycles(other.db(), BreedingHistory::Owner::animal(9)))
        totals << l.cells().last();
    EXPECT_EQ(totals, QStringList({"8", "8", "15"}));
}

TEST(BreedingHistory, ProvisionalRowsAreThoseOfThisComputerWithoutAnOwner) {
    TempFarm farm;
    Database& db = farm.db();
    addCycle(db, {std::nullopt, QDate(2002, 1, 1), 7, {}, {}, 0, 0, 0, false, kTag});
    addCycle(db, {std::nullopt, QDate(2002, 1, 2), 7, {}, {}, 0, 0, 0, false, "OTRO-PC"});
    addCycle(db, {std::nullopt, QDate(2002, 1, 3)}); // a block row without tag
    addCycle(db, {5, QDate(2002, 1, 4), 7, {}, {}, 0, 0, 0, false, kTag});
    const auto provisional = BreedingHistory::cycles(db, BreedingHistory::Owner::provisional(kTag));
    ASSERT_EQ(provisional.size(), 1u);
    EXPECT_EQ(provisional[0].mating, QDate(2002, 1, 1));
    EXPECT_EQ(provisional[0].female, std::nullopt);

    addMating(db, std::nullopt, QDate(2002, 1, 1), 3, true, 8, 0, kTag);
    addMating(db, 2, QDate(2002, 1, 1), 3, true, 8, 0, kTag);
    const auto matings = BreedingHistory::matings(db, BreedingHistory::Owner::provisional(kTag));
    ASSERT_EQ(matings.size(), 1u);
    EXPECT_EQ(matings[0].cells(), QStringList({"1", "01/01/2002", "3", "+", "8", "0"}));
    EXPECT_EQ(matings[0].entry(), QStringLiteral("20020101|%1||01/01/2002|3|True|8|0|GRANJA-PC").arg(matings[0].orden));

    // A tag with a quote cannot break the statement.
    addCycle(db, {std::nullopt, QDate(2002, 1, 1), 7, {}, {}, 0, 0, 0, false, "PC-D'ANGELO"});
    EXPECT_EQ(BreedingHistory::cycles(db, BreedingHistory::Owner::provisional("PC-D'ANGELO")).size(), 1u);
}

TEST(BreedingHistory, CycleDialogRulesSaveEmptyCountsAsZeroAndTouchOnlyTheRow) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    addFemale(db, {3, 10});
    addMating(db, 7, QDate(2002, 1, 10), 3, {}, 0, 0);
    const QStringList before = ledger(db);
    {
        TableCursor t(db, QStringLiteral("CubriHembras.db"), {"Orden"});
        t.setFilter(BreedingHistory::oneRow(0));
        BreedingHistory::attachCycleRules(t, QVariant(), kTag);
        t.insert();
        t.setValue("FechaCubricion", QDate(2002, 1, 10));
        t.post();
    }
    Query q(db, "select * from CubriHembras");
    q.open();
    ASSERT_FALSE(q.eof());
    for (const char* column : {"CodigoMacho", "NacidosVivos", "NacidosMuertos", "Anadidos", "Quitados", "Destetados"}) {
        EXPECT_FALSE(q.field(column).isNull()) << column;
        EXPECT_EQ(q.field(column).asInteger(), 0) << column;
    }
    EXPECT_TRUE(q.field("CodigoHembra").isNull());
    EXPECT_TRUE(q.field("Palpacion").isNull());
    EXPECT_EQ(q.field("Destetada").asString(), "False");
    EXPECT_EQ(q.field("Maquina").asString(), kTag);
    const qint64 orden = q.field("Orden").asInteger();
    q.close();

    // Correcting it: the birth goes into this row only, not the male's mirror nor the ledger.
    TableCursor t(db, QStringLiteral("CubriHembras.db"), {"Orden"});
    t.setFilter(BreedingHistory::oneRow(orden));
    BreedingHistory::attachCycleRules(t, 3, kTag);
    t.edit();
    t.setValue("Palpacion", true);
    t.setValue("FechaParto", QDate(2002, 2, 11));
    t.setValue("NacidosVivos", 9);
    t.post();
    EXPECT_EQ(count(db, "CubriHembras", "NacidosVivos=9 and Palpacion=True and CodigoHembra is null"), 1);
    EXPECT_EQ(count(db, "CubriMachos", "NacidosVivos=0 and Palpacion is null"), 1);
    EXPECT_EQ(ledger(db), before);

    TableCursor m(db, QStringLiteral("CubriMachos.DB"), {"Orden"});
    m.setFilter(BreedingHistory::oneRow(0));
    BreedingHistory::attachMatingRules(m, 7, kTag);
    m.insert();
    m.post();
    EXPECT_EQ(count(db, "CubriMachos",
                    "CodigoMacho=7 and CodigoHembra=0 and NacidosVivos=0 and NacidosMuertos=0 "
                    "and Maquina='GRANJA-PC'"),
              1);
}

TEST(BreedingHistory, ACorrectedMatingDateMovesTheMalesMirrorRowWithIt) {
    TempFarm farm;
    Database& db = farm.db();
    addFemale(db, {3, 10});
    const qint64 orden = addCycle(db, {3, QDate(2002, 1, 10)});
    addMating(db, 7, QDate(2002, 1, 10), 3, {}, 0, 0);
    addMating(db, 7, QDate(2002, 1, 10), 4, {}, 0, 0); // another female's mirror on that day
    TableCursor t(db, QStringLiteral("CubriHembras.db"), {"Orden"});
    t.setFilter(BreedingHistory::oneRow(orden));
    BreedingHistory::attachCycleRules(t, 3, kTag);
    t.edit();
    t.setValue("FechaCubricion", QDate(2002, 1, 12));
    t.post();
    EXPECT_EQ(count(db, "CubriMachos", "CodigoHembra=3 and FechaCubricion='01/12/2002'"), 1);
    EXPECT_EQ(count(db, "CubriMachos", "CodigoHembra=4 and FechaCubricion='01/10/2002'"), 1);

    // A save that fails later takes the mirror's move back with it.
    t.edit();
    t.setValue("FechaCubricion", QDate(2002, 1, 15));
    const auto rules = t.events().beforePost;
    t.events().beforePost = [rules](TableCursor& c) {
        rules(c);
        throw std::runtime_error("disco lleno");
    };
    EXPECT_THROW(t.post(), std::runtime_error);
    EXPECT_EQ(count(db, "CubriMachos", "CodigoHembra=3 and FechaCubricion='01/12/2002'"), 1);
}

TEST(CardSheet, FemaleCardHeaderLinesAndTotalsFromZeroAtEachPrinting) {
    TempFarm farm;
    Database& db = farm.db();
    db.exec("update DatosExplotacion set NombreExplotacion='Granja Los Olivos'");
    addFemale(db, {12, 0, QDate(2000, 7, 4), QDate(2000, 9, 1), 1, QDate(2002, 3, 10)});
    db.exec("update Hembras set Seleccion=True, NumeroPadre=301, NumeroMadre=455 where CodigoHembra=12");
    addCycle(db, {12, QDate(2002, 1, 10), 7, true, QDate(2002, 2, 11), 9, 1, 8, true});
    addCycle(db, {12, QDate(2002, 3, 20), -1, false, {}, 0, 0, 0, true});
    addCycle(db, {12, QDate(2002, 5, 2), 12, {}, QDate(2002, 6, 3), 8, 0, 7, true});
    addCycle(db, {13, QDate(2002, 5, 2), 12, {}, QDate(2002, 6, 3), 8, 0, 7, true});

    const auto card = CardSheet::female(db, 12, QDate(2001, 3, 5));
    EXPECT_EQ(card->title(), "Ficha de Hembra");
    EXPECT_EQ(card->headerValue("CodigoHembra"), "12");
    EXPECT_EQ(card->headerValue("Seleccion"), "Sí");
    EXPECT_EQ(card->headerValue("FechaNacimiento"), "04/07/2000");
    EXPECT_EQ(card->headerValue("NumeroPadre"), "301");
    EXPECT_EQ(card->headerValue("CausaBaja"), "Muerte");
    EXPECT_EQ(card->headerValue("FechaBaja"), "10/03/2002");
    for (int printing = 0; printing < 2; ++printing) {
        Query q(db, CardSheet::femaleRows(12));
        q.open();
        QueryRows rows(q);
        const auto doc = SheetComposer::compose(*card, rows);
        ASSERT_TRUE(doc);
        ASSERT_EQ(doc->rows, 3);
        const SheetPage& page = doc->pages.front();
        EXPECT_EQ(page.texts("acumulados", BandKind::Detail), QStringList({"8", "8", "15"}));
        EXPECT_EQ(page.texts("palpacion", BandKind::Detail), QStringList({"+", "-", "?"}));
        EXPECT_EQ(page.texts("fechaParto", BandKind::Detail),
                  QStringList({"11/02/2002", "03/06/2002"})); // none printed when empty
        EXPECT_EQ(page.texts("macho", BandKind::Detail), QStringList({"7", "-1", "12"}));
        EXPECT_EQ(page.texts("fecha", BandKind::PageHeader), QStringList({"lunes, 5 de marzo de 2001"}));
        EXPECT_EQ(page.texts("explotacion", BandKind::PageHeader), QStringList({"Granja Los Olivos"}));
        EXPECT_EQ(page.texts(HouseSheet::captionName("acumulados"), BandKind::ColumnHeader),
                  QStringList({"Acumulados"}));
    }

    // An active female has no cull beside her parents.
    addFemale(db, {14, 30});
    const auto active = CardSheet::female(db, 14, QDate(2002, 6, 1));
    EXPECT_EQ(active->headerValue("CausaBaja"), "");
    EXPECT_EQ(active->headerValue("FechaBaja"), "");
    EXPECT_EQ(active->headerValue("Seleccion"), "No");
    EXPECT_EQ(active->headerValue("Jaula"), "30");
}

TEST(CardSheet, MaleCard) {
    TempFarm farm;
    Database& db = farm.db();
    addMale(db, 7, 450);
    addMating(db, 7, QDate(2002, 1, 10), 3, true, 8, 1);
    addMating(db, 7, QDate(2002, 1, 12), 4, {}, 0, 0);
    addMating(db, 8, QDate(2002, 1, 12), 5, {}, 0, 0);
    const auto card = CardSheet::male(db, 7, QDate(2002, 6, 1));
    EXPECT_EQ(card->title(), "Ficha de Macho");
    EXPECT_EQ(card->headerValue("CodigoMacho"), "7");
    EXPECT_EQ(card->headerValue("Jaula"), "507");
    EXPECT_EQ(card->headerValue("Seleccion"), "Sí");
    Query q(db, CardSheet::maleRows(7));
    q.open();
    QueryRows rows(q);
    const auto doc = SheetComposer::compose(*card, rows);
    ASSERT_TRUE(doc);
    const SheetPage& page = doc->pages.front();
    EXPECT_EQ(page.texts("hembra", BandKind::Detail), QStringList({"3", "4"}));
    EXPECT_EQ(page.texts("palpacion", BandKind::Detail), QStringList({"+", "?"}));
    EXPECT_EQ(page.texts("vivos", BandKind::Detail), QStringList({"8", "0"}));
    EXPECT_EQ(page.texts(HouseSheet::captionName("muertos"), BandKind::ColumnHeader), QStringList({"Muertos"}));
}

TEST(CardSheet, RowsAreTheAnimalsOwnInTheOrderRecorded) {
    TempFarm farm;
    Database& db = farm.db();
    addFemale(db, {12, 0});
    addMale(db, 7);
    const qint64 first = addCycle(db, {12, QDate(2002, 3, 20), 7, true, {}, 0, 0, 0, false});
    addCycle(db, {13, QDate(2002, 2, 1), 7, true, {}, 0, 0, 0, false});
    const qint64 second = addCycle(db, {12, QDate(2002, 1, 10), 7, true, {}, 0, 0, 0, false});
    addMating(db, 7, QDate(2002, 1, 12), 4, {}, 0, 0);
    addMating(db, 8, QDate(2002, 1, 12), 5, {}, 0, 0);

    const auto orders = [](SheetRows& rows, const char* column) {
        QList<qint64> out;
        for (; !rows.eof(); rows.next())
            out << rows.field(QString::fromLatin1(column)).asInteger();
        return out;
    };
    EXPECT_EQ(orders(*CardSheet::female(db, 12, QDate(2002, 6, 1))->rows(), "Orden"), QList<qint64>({first, second}));
    EXPECT_EQ(orders(*CardSheet::male(db, 7, QDate(2002, 6, 1))->rows(), "CodigoHembra"), QList<qint64>({4}));
}
