#include "herd/MaleRegister.h"
#include "HerdFarm.h"
#include "TempFarm.h"
#include "db/TableCursor.h"

#include <gtest/gtest.h>

using namespace herdfarm;

namespace {

struct Register {
    explicit Register(Database& db) : rules(db, kTag), cursor(db, QStringLiteral("Machos.db"), {"CodigoMacho"}) {
        rules.attach(cursor);
    }
    void open(qint64 code) {
        ASSERT_TRUE(cursor.locate(QStringLiteral("CodigoMacho"), code));
        cursor.edit();
    }
    MaleRegister rules;
    TableCursor cursor;
};

} // namespace

TEST(MaleRegister, RelativeIndexAgainstTheHerdAverage) {
    struct Case {
        QVariant own;
        double average;
        const char* shown;
    };
    const Case cases[] = {
        {100.0, 80.0, "125,00"}, {40.0, 80.0, "50,00"}, {QVariant(), 80.0, "0,00"},
        {100.0, 0.0, "0.00"},    {100.0, -3.0, "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaleRegister::relativeIndex(c.own, c.average), QString::fromLatin1(c.shown)) << c.average;

    TempFarm farm;
    EXPECT_EQ(MaleRegister::herdAverage(farm.db()), 0.0); // no males
    addMale(farm.db(), 1, 60);
    addMale(farm.db(), 2, 100);
    EXPECT_DOUBLE_EQ(MaleRegister::herdAverage(farm.db()), 80.0);
}

TEST(MaleRegister, NewMaleTakesHisMatingsKeepsSelectionEmptyAndLeavesTheLedger) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    const QStringList before = ledger(db);
    Register r(db);
    r.cursor.insert();
    // Two matings entered before he is saved: 8 + 2 kits positive, 6 + 0 negative.
    addMating(db, std::nullopt, QDate(2002, 2, 1), 11, true, 8, 2, kTag);
    addMating(db, std::nullopt, QDate(2002, 2, 3), 12, false, 6, 0, kTag);
    const qint64 foreign = addMating(db, std::nullopt, QDate(2002, 2, 3), 13, true, 9, 0, "OTRO-PC");
    ASSERT_EQ(r.rules.history(r.cursor).size(), 2u);
    r.cursor.setValue("CodigoMacho", 4);
    r.cursor.post();
    EXPECT_EQ(count(db, "CubriMachos", "CodigoMacho=4"), 2);
    EXPECT_TRUE(value(db, "CubriMachos", "CodigoMacho", QStringLiteral("Orden=%1").arg(foreign)).isNull());
    EXPECT_TRUE(value(db, "Machos", "Seleccion", "CodigoMacho=4").isNull());
    EXPECT_EQ(count(db, "Machos", "CodigoMacho=4 and Seleccion=False"), 0);
    // Average litter 8 times 50 % positive.
    EXPECT_DOUBLE_EQ(value(db, "Machos", "Eficacia", "CodigoMacho=4").asFloat(), 400.0);
    EXPECT_EQ(ledger(db), before);

    // A mating added to him later counts at his next save.
    addMating(db, 4, QDate(2002, 3, 1), 14, true, 10, 0);
    r.open(4);
    r.cursor.setValue("Raza", "Rex");
    r.cursor.post();
    EXPECT_NEAR(value(db, "Machos", "Eficacia", "CodigoMacho=4").asFloat(), (10.0 + 6.0 + 10.0) / 3 * (2.0 / 3 * 100),
                1e-9);
    EXPECT_EQ(ledger(db), before);
}

TEST(MaleRegister, AbandoningANewMaleDeletesHisMatingsAndDeletingAMaleDeletesHis) {
    TempFarm farm;
    Database& db = farm.db();
    addMale(db, 1);
    addMale(db, 3);
    addMating(db, 1, QDate(2002, 1, 1), 5, true, 8, 0);
    addMating(db, 3, QDate(2002, 1, 1), 6, true, 8, 0);
    addMating(db, 3, QDate(2002, 1, 9), 7, {}, 0, 0);
    Register r(db);
    r.cursor.insert();
    addMating(db, std::nullopt, QDate(2002, 2, 1), 11, true, 8, 2, kTag);
    addMating(db, std::nullopt, QDate(2002, 2, 3), 12, false, 6, 0, kTag);
    r.cursor.cancel();
    EXPECT_EQ(count(db, "CubriMachos"), 3);

    r.open(3);
    r.cursor.remove();
    EXPECT_EQ(count(db, "Machos"), 1);
    EXPECT_EQ(count(db, "CubriMachos"), 1);
    EXPECT_EQ(count(db, "CubriMachos", "CodigoMacho=1"), 1);
}

TEST(MaleRegister, FirstFreeNumber) {
    struct Case {
        std::vector<qint64> codes;
        qint64 free;
    };
    for (const Case& c : {Case{{1, 3}, 2}, Case{{}, 1}, Case{{1, 2}, 3}, Case{{3}, 1}}) {
        TempFarm farm;
        for (qint64 code : c.codes)
            addMale(farm.db(), code);
        MaleRegister r(farm.db(), kTag);
        EXPECT_EQ(r.firstFreeNumber(), c.free);
    }
}
