#include "herd/FemaleRegister.h"
#include "herd/RecordMaintenance.h"
#include "HerdFarm.h"
#include "TempFarm.h"
#include "db/Clock.h"
#include "db/TableCursor.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace herdfarm;

namespace {

const QDate kToday(2002, 6, 1);

// The register as its screen runs it: the cursor over Hembras with the rules.
struct Register {
    explicit Register(Database& db)
        : rules(db, clock, kTag), cursor(db, QStringLiteral("Hembras.DB"), {"CodigoHembra"}) {
        rules.attach(cursor);
    }
    void open(qint64 code) {
        ASSERT_TRUE(cursor.locate(QStringLiteral("CodigoHembra"), code));
        cursor.edit();
    }
    FixedClock clock{kToday};
    FemaleRegister rules;
    TableCursor cursor;
};

} // namespace

TEST(FemaleRegister, NewFemaleIsCountedOnHerEntryDateTakesHerCyclesAndIsRated) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    // Three cycles entered on the card before she is saved, and one of another computer.
    for (const QDate& birth : {QDate(2002, 1, 1), QDate(2002, 2, 15), QDate(2002, 4, 1)})
        addCycle(db, {std::nullopt, birth.addDays(-31), 7, true, birth, 8, 1, 7, true, kTag});
    const qint64 foreign = addCycle(db, {std::nullopt, QDate(2002, 1, 5), 7, {}, {}, 0, 0, 0, false, "OTRO-PC"});

    Register r(db);
    r.cursor.insert();
    EXPECT_EQ(r.cursor.value("CausaBaja").toInt(), -1);
    EXPECT_EQ(r.cursor.value("FechaEntrada").toDate(), kToday);
    EXPECT_EQ(r.cursor.value("Enfermedad").toInt(), 0);
    EXPECT_FALSE(r.cursor.value("Seleccion").toBool());
    EXPECT_EQ(r.rules.history(r.cursor).size(), 3u); // her provisional rows, not the other computer's
    r.cursor.setValue("CodigoHembra", 15);
    r.cursor.setValue("Jaula", 40);
    r.cursor.setValue("FechaEntrada", QDate(2002, 3, 10));
    r.cursor.post();

    EXPECT_EQ(day(db, QDate(2002, 3, 1)), (Day{true, 100, 0, 0, 0}));
    EXPECT_EQ(day(db, QDate(2002, 3, 10)), (Day{true, 101, 1, 0, 0}));
    EXPECT_EQ(day(db, QDate(2002, 3, 20)), (Day{true, 99, 0, 0, 0}));
    EXPECT_EQ(count(db, "CubriHembras", "CodigoHembra=15 and Maquina='GRANJA-PC'"), 3);
    EXPECT_TRUE(value(db, "CubriHembras", "CodigoHembra", QStringLiteral("Orden=%1").arg(foreign)).isNull());
    // Three weanings over 90 days: 3 x 365 / 30.
    EXPECT_DOUBLE_EQ(value(db, "Hembras", "Eficacia", "CodigoHembra=15").asFloat(), 36.5);
    EXPECT_EQ(value(db, "Hembras", "Marca3", "CodigoHembra=15").asString(), "False");
    EXPECT_EQ(r.rules.history(r.cursor).size(), 3u);
}

TEST(FemaleRegister, CullFieldsAndLedgerOnSaving) {
    struct Case {
        const char* name;
        int causaBefore;
        QDate culledBefore;
        int causaTyped;
        QDate culledTyped;
        int causaSaved;
        qint64 cageSaved;
        Day on10, on15, on20;
    };
    const QDate d10(2002, 3, 10), d15(2002, 3, 15);
    const Day untouched10{true, 100, 0, 0, 0}, none{}, untouched20{true, 98, 0, 0, 0};
    const Case cases[] = {
        {"death of an active female", -1, {}, 1, d10, 1, 0, {true, 99, 0, 1, 0}, none, {true, 97, 0, 0, 0}},
        {"cull date without a cause is a cull", -1, {}, -1, d10, 0, 0, {true, 99, 0, 0, 1}, none, {true, 97, 0, 0, 0}},
        {"cull on a day without a row", -1, {}, 0, d15, 0, 0, untouched10, {true, 99, 0, 0, 1}, {true, 97, 0, 0, 0}},
        {"cause changed on a culled female", 0, d10, 1, d10, 1, 0, untouched10, none, untouched20},
        {"cull date moved on a culled female", 1, d10, 1, d15, 1, 0, untouched10, none, untouched20},
        {"cleared date makes her active again", 0, d10, 0, {}, -1, 0, untouched10, none, untouched20},
        {"a cause without a date is no cull", -1, {}, 1, {}, -1, 33, untouched10, none, untouched20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFarm farm;
        Database& db = farm.db();
        threeDays(db);
        addFemale(
            db, {5, c.causaBefore == -1 ? 33 : 0, QDate(2001, 1, 1), QDate(2001, 3, 1), c.causaBefore, c.culledBefore});
        Register r(db);
        r.open(5);
        r.cursor.setValue("CausaBaja", c.causaTyped);
        r.cursor.setValue("FechaBaja", c.culledTyped);
        r.cursor.post();
        EXPECT_EQ(value(db, "Hembras", "CausaBaja", "CodigoHembra=5").asInteger(), c.causaSaved);
        EXPECT_EQ(value(db, "Hembras", "Jaula", "CodigoHembra=5").asInteger(), c.cageSaved);
        EXPECT_EQ(day(db, d10), c.on10);
        EXPECT_EQ(day(db, d15), c.on15);
        EXPECT_EQ(day(db, QDate(2002, 3, 20)), c.on20);
        EXPECT_EQ(day(db, QDate(2002, 3, 1)), (Day{true, 100, 0, 0, 0}));
    }
}

TEST(FemaleRegister, FemaleEnteredAlreadyCulledCountsHerCullAndHerEntry) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    Register r(db);
    r.cursor.insert();
    r.cursor.setValue("CodigoHembra", 9);
    r.cursor.setValue("Jaula", 12);
    r.cursor.setValue("FechaEntrada", QDate(2002, 3, 1));
    r.cursor.setValue("FechaBaja", QDate(2002, 3, 10));
    r.cursor.setValue("CausaBaja", 0);
    r.cursor.post();
    EXPECT_EQ(day(db, QDate(2002, 3, 1)), (Day{true, 101, 1, 0, 0}));
    EXPECT_EQ(day(db, QDate(2002, 3, 10)), (Day{true, 100, 0, 0, 1}));
    EXPECT_EQ(day(db, QDate(2002, 3, 20)), (Day{true, 98, 0, 0, 0}));
    EXPECT_EQ(value(db, "Hembras", "Jaula", "CodigoHembra=9").asInteger(), 0);
}

TEST(FemaleRegister, ACullDateBeforeTheEntryDateIsRefusedAndNothingWritten) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    addFemale(db, {4, 20, QDate(2001, 1, 1), QDate(2002, 3, 10)});
    const QStringList before = ledger(db);
    Register r(db);
    for (bool isNew : {true, false}) {
        SCOPED_TRACE(isNew ? "new female" : "saved female");
        if (isNew) {
            r.cursor.insert();
            r.cursor.setValue("CodigoHembra", 9);
            r.cursor.setValue("FechaEntrada", QDate(2002, 3, 10));
        } else {
            r.open(4);
        }
        r.cursor.setValue("FechaBaja", QDate(2002, 3, 1));
        r.cursor.setValue("CausaBaja", 1);
        try {
            r.cursor.post();
            ADD_FAILURE() << "saved";
        } catch (const FieldRefused& e) {
            EXPECT_EQ(e.column(), QStringLiteral("FechaBaja"));
            EXPECT_STREQ(e.what(), FemaleRegister::kCullBeforeEntry);
        }
        EXPECT_TRUE(r.cursor.isEditing());
        EXPECT_EQ(ledger(db), before);
        r.cursor.cancel();
    }
    EXPECT_EQ(count(db, "Hembras", "CausaBaja<>-1 or CodigoHembra=9"), 0);
    // The entry day itself is allowed.
    r.open(4);
    r.cursor.setValue("FechaBaja", QDate(2002, 3, 10));
    r.cursor.post();
    EXPECT_EQ(day(db, QDate(2002, 3, 10)), (Day{true, 99, 0, 0, 1}));
}

TEST(FemaleRegister, AbandoningANewFemaleDeletesHerCyclesOnly) {
    TempFarm farm;
    Database& db = farm.db();
    addFemale(db, {3, 10});
    const qint64 hers = addCycle(db, {3, QDate(2002, 1, 1)});
    const qint64 foreign = addCycle(db, {std::nullopt, QDate(2002, 1, 2), 7, {}, {}, 0, 0, 0, false, "OTRO-PC"});
    Register r(db);
    r.cursor.insert();
    for (int i = 0; i < 3; ++i)
        addCycle(db, {std::nullopt, QDate(2002, 2, 1 + i), 7, {}, {}, 0, 0, 0, false, kTag});
    ASSERT_EQ(r.rules.history(r.cursor).size(), 3u);
    r.cursor.cancel();
    EXPECT_EQ(count(db, "CubriHembras"), 2);
    EXPECT_EQ(count(db, "CubriHembras", QStringLiteral("Orden in (%1, %2)").arg(hers).arg(foreign)), 2);

    // Abandoning changes to a saved female touches none of her cycles.
    r.open(3);
    r.cursor.setValue("Raza", "Rex");
    r.cursor.cancel();
    EXPECT_EQ(count(db, "CubriHembras", "CodigoHembra=3"), 1);
    EXPECT_EQ(value(db, "Hembras", "Raza", "CodigoHembra=3").asString(), "Neozelandesa");
}

TEST(FemaleRegister, DeletingAFemaleDeletesHerCyclesFirstAndLeavesTheLedger) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    addFemale(db, {3, 10});
    addFemale(db, {4, 11});
    for (int i = 0; i < 3; ++i)
        addCycle(db, {3, QDate(2002, 1, 1 + i)});
    addCycle(db, {4, QDate(2002, 1, 1)});
    const QStringList before = ledger(db);
    Register r(db);
    r.open(3);
    r.cursor.remove();
    EXPECT_EQ(count(db, "Hembras", "CodigoHembra=3"), 0);
    EXPECT_EQ(count(db, "CubriHembras", "CodigoHembra=3"), 0);
    EXPECT_EQ(count(db, "CubriHembras", "CodigoHembra=4"), 1);
    EXPECT_EQ(ledger(db), before);
}

TEST(FemaleRegister, ASaveIsAllOrNothing) {
    struct Case {
        const char* name;
        const char* breakIt;
        const char* mendIt;
    };
    const Case cases[] = {
        {"index refused",
         "create trigger noIndex before update of Eficacia on Hembras begin select raise(abort, "
         "'indice rechazado'); end",
         "drop trigger noIndex"},
        {"renumbering refused",
         "create trigger noAdopt before update of CodigoHembra on CubriHembras begin select "
         "raise(abort, 'ciclos rechazados'); end",
         "drop trigger noAdopt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFarm farm;
        Database& db = farm.db();
        threeDays(db);
        Register r(db);
        r.cursor.insert();
        for (int i = 0; i < 2; ++i)
            addCycle(db, {std::nullopt, QDate(2002, 2, 1 + i), 7, {}, {}, 0, 0, 0, false, kTag});
        r.cursor.setValue("CodigoHembra", 21);
        r.cursor.setValue("FechaEntrada", QDate(2002, 3, 10));
        r.cursor.setValue("FechaBaja", QDate(2002, 3, 20));
        r.cursor.setValue("CausaBaja", 1);
        const QStringList before = ledger(db);
        db.exec(QString::fromLatin1(c.breakIt));
        EXPECT_ANY_THROW(r.cursor.post());
        // Nothing of the save stays: no row, no ledger counts, the cycles still provisional.
        EXPECT_EQ(r.cursor.state(), TableCursor::State::Insert);
        EXPECT_EQ(count(db, "Hembras"), 0);
        EXPECT_EQ(ledger(db), before);
        EXPECT_EQ(count(db, "CubriHembras", "CodigoHembra is null"), 2);
        EXPECT_EQ(r.cursor.value("CodigoHembra").toInt(), 21);

        db.exec(QString::fromLatin1(c.mendIt));
        r.cursor.post();
        EXPECT_EQ(count(db, "Hembras", "CodigoHembra=21 and Jaula=0"), 1);
        EXPECT_EQ(count(db, "CubriHembras", "CodigoHembra=21"), 2);
        EXPECT_EQ(day(db, QDate(2002, 3, 10)), (Day{true, 101, 1, 0, 0}));
        EXPECT_EQ(day(db, QDate(2002, 3, 20)), (Day{true, 98, 0, 1, 0}));
    }
}

TEST(FemaleRegister, EverySaveRecomputesTheIndex) {
    TempFarm farm;
    Database& db = farm.db();
    addFemale(db, {6, 10});
    // Two weanings 45 days apart: interval 22.5 rounds to 22.
    addCycle(db, {6, QDate(2001, 12, 1), 7, true, QDate(2002, 1, 1), 8, 0, 8, true});
    addCycle(db, {6, QDate(2002, 1, 15), 7, true, QDate(2002, 2, 15), 9, 0, 9, true});
    Register r(db);
    r.open(6);
    r.cursor.setValue("Raza", "Rex");
    r.cursor.post();
    EXPECT_NEAR(value(db, "Hembras", "Eficacia", "CodigoHembra=6").asFloat(), 33.18, 1e-9);
    EXPECT_NEAR(r.cursor.value("Eficacia").toDouble(), 33.18, 1e-9); // read back after saving
    EXPECT_EQ(FemaleRegister::indexText(r.cursor.value("Eficacia")), "33,18");
}

TEST(FemaleRegister, FirstFreeNumberAndLookupByCage) {
    struct Case {
        std::vector<qint64> codes;
        qint64 free;
    };
    for (const Case& c :
         {Case{{1, 2, 4}, 3}, Case{{}, 1}, Case{{2, 3}, 1}, Case{{1, 2, 3}, 4}, Case{{4, 1, 2, 5}, 3}}) {
        TempFarm farm;
        for (qint64 code : c.codes)
            addFemale(farm.db(), {code, code + 100});
        Register r(farm.db());
        EXPECT_EQ(r.rules.firstFreeNumber(), c.free);
    }
    TempFarm farm;
    addFemale(farm.db(), {7, 120});
    addFemale(farm.db(), {8, 121});
    Register r(farm.db());
    EXPECT_EQ(r.rules.femaleInCage(120), std::optional<qint64>(7));
    EXPECT_EQ(r.rules.femaleInCage(122), std::nullopt);
}

TEST(FemaleRegister, CageCheckAsksOnlyWhenAnOldFemaleShares) {
    // First-mating age of the new farm: 130 days; young while born on 22/01/2002 or later.
    const QDate young(2002, 3, 1), old(2001, 6, 1), lastYoungDay(2002, 1, 22);
    struct Case {
        const char* name;
        QDate other;
        QDate card;
        qint64 cage;
        bool asks;
    };
    const Case cases[] = {
        {"both young", young, young, 50, false},
        {"young on her last young day", lastYoungDay, young, 50, false},
        {"the other is old", old, young, 50, true},
        {"the card's female is old", young, old, 50, true},
        {"no birth date reads as old", {}, young, 50, true},
        {"nobody else in the cage", old, old, 51, false},
        {"cage 0 is never checked", old, old, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFarm farm;
        addFemale(farm.db(), {1, 50, c.other});
        addFemale(farm.db(), {2, 0, old});
        Register r(farm.db());
        EXPECT_EQ(r.rules.cageNeedsQuestion(2, c.cage, c.card), c.asks);
        EXPECT_FALSE(r.rules.cageNeedsQuestion(1, 50, old)); // her own cage
    }
}

TEST(FemaleRegister, FreeCageSearchGoesUpFromTheTypedCage) {
    TempFarm farm;
    for (qint64 cage : {1, 2, 5, 6, 7, 9})
        addFemale(farm.db(), {cage, cage});
    Register r(farm.db());
    EXPECT_EQ(r.rules.firstFreeCage(5, 100), 8);
    EXPECT_EQ(r.rules.firstFreeCage(0, 100), 3);
    EXPECT_EQ(r.rules.firstFreeCage(10, 100), 10);
    // Her own cage is free for her.
    EXPECT_EQ(r.rules.firstFreeCage(5, 6), 6);
}

TEST(FemaleRegister, LeavingTheCullDate) {
    struct Case {
        bool empty;
        int causa;
        int settled;
    };
    for (const Case& c : {Case{false, -1, 0}, Case{false, 0, 0}, Case{false, 1, 1}, Case{true, -1, -1},
                          Case{true, 0, -1}, Case{true, 1, -1}})
        EXPECT_EQ(FemaleRegister::causeOnLeavingCullDate(c.empty, c.causa), c.settled) << c.empty << " " << c.causa;
}

TEST(FemaleRegister, MarkNamesAndFirstMatingAgeFromTheParameters) {
    TempFarm farm;
    FixedClock clock(kToday);
    {
        FemaleRegister r(farm.db(), clock, kTag);
        EXPECT_EQ(r.firstMatingAge(), 130);
    }
    farm.db().exec("update DatosExplotacion set Marca2='Vacunada', Marca3='', Edad1CubrirHembra=120");
    FemaleRegister renamed(farm.db(), clock, kTag);
    EXPECT_EQ(renamed.markNames()[1], "Vacunada");
    EXPECT_EQ(renamed.markNames()[2], "");
    EXPECT_EQ(renamed.firstMatingAge(), 120);
    farm.db().exec("delete from DatosExplotacion");
    FemaleRegister bare(farm.db(), clock, kTag);
    EXPECT_EQ(bare.markNames()[0], "Marca 1");
    EXPECT_EQ(bare.markNames()[3], "Marca 4");
    EXPECT_EQ(bare.firstMatingAge(), 0);
}

TEST(FemaleRegister, IndexText) {
    EXPECT_EQ(FemaleRegister::indexText(36.5), "36,5");
    EXPECT_EQ(FemaleRegister::indexText(0.0), "0");
    EXPECT_EQ(FemaleRegister::indexText(12.0), "12");
    EXPECT_EQ(FemaleRegister::indexText(QVariant()), ""); // never computed
}

TEST(FemaleRegister, DiseasesInTheOrderOfTheirCodes) {
    TempFarm farm;
    Database& db = farm.db();
    db.exec("insert into Enfermedades values (0.5, 'Primera', '')");
    const FixedClock clock{kToday};
    const std::vector<FemaleRegister::Disease> diseases = FemaleRegister(db, clock, kTag).diseases();
    ASSERT_GE(diseases.size(), 9u);
    EXPECT_EQ(diseases.front().code, 0.5);
    EXPECT_EQ(diseases.front().description, "Primera");
    EXPECT_TRUE(
        std::is_sorted(diseases.begin(), diseases.end(), [](const auto& a, const auto& b) { return a.code < b.code; }));
}
