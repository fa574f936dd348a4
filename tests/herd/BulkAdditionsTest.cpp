#include "herd/BulkAdditions.h"
#include "herd/FemaleMarks.h"
#include "HerdFarm.h"
#include "TempFarm.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

using namespace herdfarm;

namespace {

const QDate kBirth(2002, 1, 5);
const QDate kEntry(2002, 3, 10);

BulkAddition addition(qint64 n, qint64 from, qint64 to) {
    return {n, from, to, kBirth, kEntry, QStringLiteral("Neozelandesa")};
}

// "code:cage" of every female in code order.
QStringList placed(Database& db) {
    QStringList out;
    Query q(db, QStringLiteral("select CodigoHembra, Jaula from Hembras order by CodigoHembra"));
    for (q.open(); !q.eof(); q.next())
        out << q.field(QStringLiteral("CodigoHembra")).asString() + ':' + q.field(QStringLiteral("Jaula")).asString();
    return out;
}

} // namespace

TEST(BulkAdditions, FirstMissingInputInFocusOrder) {
    using M = BulkAdditions::Missing;
    const struct {
        BulkAddition a;
        M expected;
    } cases[] = {
        {addition(0, 10, 12), M::Count},
        {addition(-3, 10, 12), M::Count},
        {addition(5, 0, 12), M::FromCage},
        {addition(5, 10, 0), M::ToCage},
        {addition(5, 12, 10), M::ToCage},
        {{5, 10, 12, {}, kEntry, {}}, M::Birth},
        {{5, 10, 12, kBirth, {}, {}}, M::Entry},
        {addition(5, 10, 12), M::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BulkAdditions::firstMissing(c.a), c.expected);
}

TEST(BulkAdditions, CodesFollowTheHighestAndCagesAreUsedInTurn) {
    TempFarm farm;
    Database& db = farm.db();
    EXPECT_EQ(BulkAdditions(db).add(addition(5, 10, 12)), BulkAdditions::Outcome::Added);
    EXPECT_EQ(placed(db), QStringList({"1:10", "2:11", "3:12", "4:10", "5:11"}));
    EXPECT_EQ(value(db, "Hembras", "Raza", "CodigoHembra=4").asString(), "Neozelandesa");
    EXPECT_EQ(value(db, "Hembras", "FechaEntrada", "CodigoHembra=4").asDate(), kEntry);
    EXPECT_EQ(value(db, "Hembras", "CausaBaja", "CodigoHembra=4").asInteger(), -1);
    EXPECT_TRUE(value(db, "Hembras", "FechaBaja", "CodigoHembra=4").isNull());

    TempFarm other;
    addFemale(other.db(), {250, 900});
    BulkAdditions(other.db()).add(addition(3, 1, 3));
    EXPECT_EQ(placed(other.db()), QStringList({"250:900", "251:1", "252:2", "253:3"}));
}

TEST(BulkAdditions, AnyRowInTheRangeTakesItsCageCulledOnesToo) {
    for (const int causa : {-1, 0, 1}) {
        TempFarm farm;
        Database& db = farm.db();
        addFemale(db, {7, 11, {2001, 1, 1}, {2001, 3, 1}, causa, causa == -1 ? QDate() : QDate(2001, 6, 1)});
        const QStringList before = ledger(db);
        EXPECT_EQ(BulkAdditions(db).add(addition(2, 10, 12)), BulkAdditions::Outcome::CagesTaken);
        EXPECT_EQ(count(db, "Hembras"), 1);
        EXPECT_EQ(ledger(db), before);
    }
}

TEST(BulkAdditions, LedgerDayMadeFromTheCarriedTotalsAndLaterDaysRaised) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db); // 01/03 100, 10/03 100, 20/03 98
    BulkAddition a = addition(4, 10, 11);
    a.entry = QDate(2002, 3, 5);
    BulkAdditions(db).add(a);
    EXPECT_EQ(day(db, QDate(2002, 3, 1)), (Day{true, 100, 0, 0, 0}));
    EXPECT_EQ(day(db, QDate(2002, 3, 5)), (Day{true, 104, 4, 0, 0}));
    EXPECT_EQ(day(db, QDate(2002, 3, 10)), (Day{true, 104, 0, 0, 0}));
    EXPECT_EQ(day(db, QDate(2002, 3, 20)), (Day{true, 102, 0, 0, 0}));
}

TEST(BulkAdditions, AFailureLeavesNoFemaleAndNoLedgerChange) {
    TempFarm farm;
    Database& db = farm.db();
    threeDays(db);
    BulkAddition a = addition(2, 10, 11);
    a.breed = QStringLiteral("O'Brien"); // a quote in the breed is stored as typed
    EXPECT_EQ(BulkAdditions(db).add(a), BulkAdditions::Outcome::Added);
    EXPECT_EQ(value(db, "Hembras", "Raza", "CodigoHembra=2").asString(), "O'Brien");

    // A ledger that refuses the write undoes the females inserted before it.
    const QStringList before = ledger(db);
    db.execNative(QStringLiteral("create trigger refuse before update on HistoricoMaternidad "
                                 "begin select raise(abort, 'refused'); end"));
    EXPECT_THROW(BulkAdditions(db).add(addition(2, 20, 21)), DbError);
    EXPECT_EQ(count(db, "Hembras"), 2);
    EXPECT_EQ(ledger(db), before);
}

TEST(FemaleMarks, ApplicableOnlyWithAMarkAndBothBounds) {
    MarkChange m;
    m.from = 1;
    m.to = 100;
    EXPECT_FALSE(m.applicable());
    m.marks[1] = true;
    EXPECT_TRUE(m.applicable());
    m.from = 0;
    EXPECT_FALSE(m.applicable());
}

TEST(FemaleMarks, StatementTickedLinesFirstThenCleared) {
    MarkChange m;
    m.marks = {false, std::nullopt, true, std::nullopt};
    EXPECT_EQ(m.statementLines(), QStringList({"update Hembras set ", "Marca3=True,", "Marca1=False",
                                               "where Jaula between :j1 and :j2"}));
    m.range = MarkChange::Range::Codes;
    m.marks = {true, true, std::nullopt, false};
    EXPECT_EQ(m.statementLines(), QStringList({"update Hembras set ", "Marca1=True,", "Marca2=True,", "Marca4=False",
                                               "where CodigoHembra between :j1 and :j2"}));
}

TEST(FemaleMarks, EveryRowInTheRangeCulledIncludedOtherMarksKept) {
    TempFarm farm;
    Database& db = farm.db();
    addFemale(db, {1, 5});
    addFemale(db, {2, 100, {2001, 1, 1}, {2001, 3, 1}, 0, {2001, 6, 1}});
    addFemale(db, {3, 101});
    db.exec(QStringLiteral("update Hembras set Marca3=True"));
    MarkChange m;
    m.from = 1;
    m.to = 100;
    m.marks[1] = true;
    m.apply(db);
    EXPECT_EQ(count(db, "Hembras", "Marca2=True"), 2);
    EXPECT_EQ(value(db, "Hembras", "Marca2", "CodigoHembra=3").asBoolean(), false);
    EXPECT_EQ(count(db, "Hembras", "Marca3=True"), 3);
}
