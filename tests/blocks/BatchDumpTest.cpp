// Two rounds of every block batch on a small farm, then the tables they write
// compared value by value, storage class included, with the content they have
// always left; and the same rounds on two copies of one farm, one with every
// statement prepared anew and one reusing them, compared in full.
#include "BlockFarm.h"
#include "blocks/BlockBatch.h"
#include "blocks/BlockRow.h"
#include "blocks/CycleEvents.h"
#include "blocks/MatingEvent.h"
#include "db/FarmParameters.h"
#include "db/StatementCache.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QDate kMated(2002, 3, 1);
const QDate kPalpated = kMated.addDays(10);
const QDate kBorn = kMated.addDays(31);
const QDate kWeaned = kBorn.addDays(30);
const QDate kAgain = kWeaned.addDays(1);

using Edit = std::function<void(CandidateList&)>;

void run(Database& db, BlockEvent& event, const QDate& day, const Edit& edit = {}) {
    CandidateList list = blockbatch::load(db, event, {}, day);
    if (edit)
        edit(list);
    blockbatch::process(db, event, list, day);
}

// Keeps the rows of these females only.
Edit only(QStringList females) {
    return [females](CandidateList& list) {
        for (int i = list.size() - 1; i >= 0; --i) {
            if (!females.contains(list.fields(i).at(blockrow::kAnimal)))
                list.removeAt(i);
        }
    };
}

void setOn(CandidateList& list, const QString& female, int field, const QStringList& values) {
    for (int i = 0; i < list.size(); ++i) {
        if (list.fields(i).at(blockrow::kAnimal) == female)
            list.setFields(i, field, values);
    }
}

// Six females through matings, inseminations, palpations (two negative),
// births, weanings, and a second round of inseminations in which the states
// "L" and "N" are classified, and a third giving "R".
void twoRounds(Database& db) {
    const FarmParameters p = FarmParameters::read(db);
    MatingEvent matings(p);
    run(db, matings, kMated, [](CandidateList& l) {
        only({"1", "2", "3"})(l);
        for (int i = 0; i < l.size(); ++i)
            l.setFields(i, MatingEvent::kMale, {QString::number(7 + i)});
    });
    InseminationEvent p1(p, QStringLiteral("P1"));
    run(db, p1, kMated, only({"4", "5", "6"}));
    PalpationEvent palpations(p);
    run(db, palpations, kPalpated, [](CandidateList& l) {
        setOn(l, QStringLiteral("2"), PalpationEvent::kResult, {QStringLiteral("-")});
        setOn(l, QStringLiteral("5"), PalpationEvent::kResult, {QStringLiteral("-")});
    });
    BirthEvent births;
    run(db, births, kBorn, [](CandidateList& l) {
        setOn(l, QStringLiteral("1"), BirthEvent::kAlive, {"9", "1", "2", "0"});
        setOn(l, QStringLiteral("3"), BirthEvent::kAlive, {"0", "0", "0", "0"});
        setOn(l, QStringLiteral("4"), BirthEvent::kAlive, {"7", "0", "0", "3"});
        setOn(l, QStringLiteral("6"), BirthEvent::kAlive, {"11", "2", "0", "0"});
    });
    WeaningEvent weanings(p);
    run(db, weanings, kWeaned, [](CandidateList& l) { setOn(l, QStringLiteral("6"), WeaningEvent::kWeaned, {"10"}); });
    InseminationEvent p2(p, QStringLiteral("P2"));
    run(db, p2, kAgain);
    run(db, palpations, kAgain.addDays(10),
        [](CandidateList& l) { setOn(l, QStringLiteral("1"), PalpationEvent::kResult, {QStringLiteral("-")}); });
    InseminationEvent p3(p, QStringLiteral("O'Neil 01/02/2003"));
    run(db, p3, kAgain.addDays(20), only({"1"}));
}

void herd(BlockFarm& farm) {
    for (int f = 1; f <= 6; ++f)
        farm.female(f, 10 * f, QDate(2001, 6, 1).addDays(f));
}

// Every row of the tables in key order, each value with its storage class.
QString dump(Database& db, const QStringList& tables) {
    QString all;
    for (const QString& table : tables) {
        Query names(db, QStringLiteral("select name from pragma_table_info('%1') order by cid").arg(table));
        QStringList columns;
        for (names.open(); !names.eof(); names.next())
            columns << names.field(QStringLiteral("name")).asString();
        QStringList typed;
        for (const QString& c : columns)
            typed << QStringLiteral("typeof(%1) || ':' || coalesce(%1, '') as %1").arg(c);
        Query rows(db, QStringLiteral("select %1 from %2 order by rowid").arg(typed.join(QLatin1String(", ")), table));
        for (rows.open(); !rows.eof(); rows.next()) {
            QStringList cells;
            for (const QString& c : columns)
                cells << rows.field(c).raw().toString();
            all += table + QLatin1Char('|') + cells.join(QLatin1Char('|')) + QLatin1Char('\n');
        }
    }
    return all;
}

const QStringList kWritten{"CubriHembras", "CubriMachos", "Pools", "MasterPools", "HistoricoMaternidad"};

// What the batches above have always left in the tables they write.
const char* const kExpected =
    R"(CubriHembras|integer:1|real:1.0|text:2002-03-01|real:7.0|integer:1|text:2002-04-01|real:9.0|real:1.0|real:2.0|real:0.0|real:11.0|integer:1|null:
CubriHembras|integer:2|real:2.0|text:2002-03-01|real:8.0|integer:0|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:3|real:3.0|text:2002-03-01|real:9.0|integer:1|text:2002-04-01|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:4|real:4.0|text:2002-03-01|real:-1.0|integer:1|text:2002-04-01|real:7.0|real:0.0|real:0.0|real:3.0|real:4.0|integer:1|null:
CubriHembras|integer:5|real:5.0|text:2002-03-01|real:-1.0|integer:0|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:6|real:6.0|text:2002-03-01|real:-1.0|integer:1|text:2002-04-01|real:11.0|real:2.0|real:0.0|real:0.0|real:10.0|integer:1|null:
CubriHembras|integer:7|real:1.0|text:2002-05-02|real:-1.0|integer:0|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:8|real:2.0|text:2002-05-02|real:-1.0|integer:1|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:9|real:3.0|text:2002-05-02|real:-1.0|integer:1|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:10|real:4.0|text:2002-05-02|real:-1.0|integer:1|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:11|real:5.0|text:2002-05-02|real:-1.0|integer:1|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:12|real:6.0|text:2002-05-02|real:-1.0|integer:1|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriHembras|integer:13|real:1.0|text:2002-05-22|real:-1.0|null:|null:|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|integer:0|null:
CubriMachos|integer:1|real:7.0|text:2002-03-01|real:1.0|integer:1|real:9.0|real:1.0|null:
CubriMachos|integer:2|real:8.0|text:2002-03-01|real:2.0|integer:0|real:0.0|real:0.0|null:
CubriMachos|integer:3|real:9.0|text:2002-03-01|real:3.0|integer:1|real:0.0|real:0.0|null:
Pools|text:2002-03-01|real:4.0|text:P1|integer:1|real:7.0|real:0.0|real:0.0|text:N
Pools|text:2002-03-01|real:5.0|text:P1|integer:0|real:0.0|real:0.0|real:0.0|text:N
Pools|text:2002-03-01|real:6.0|text:P1|integer:1|real:11.0|real:2.0|real:0.0|text:N
Pools|text:2002-05-02|real:1.0|text:P2|integer:0|real:0.0|real:0.0|real:31.0|text:L
Pools|text:2002-05-02|real:2.0|text:P2|integer:1|real:0.0|real:0.0|real:0.0|text:N
Pools|text:2002-05-02|real:3.0|text:P2|integer:1|real:0.0|real:0.0|real:31.0|text:L
Pools|text:2002-05-02|real:4.0|text:P2|integer:1|real:0.0|real:0.0|real:31.0|text:L
Pools|text:2002-05-02|real:5.0|text:P2|integer:1|real:0.0|real:0.0|real:0.0|text:N
Pools|text:2002-05-02|real:6.0|text:P2|integer:1|real:0.0|real:0.0|real:31.0|text:L
Pools|text:2002-05-22|real:1.0|text:O'Neil 01/02/2003|null:|real:0.0|real:0.0|real:0.0|text:R
MasterPools|text:P1|real:3.0|real:2.0|real:2.0|real:18.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:3.0|real:2.0|real:2.0|real:18.0
MasterPools|text:P2|real:2.0|real:2.0|real:0.0|real:0.0|real:4.0|real:3.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:6.0|real:5.0|real:0.0|real:0.0
MasterPools|text:O'Neil 01/02/2003|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:1.0|real:0.0|real:0.0|real:0.0|real:1.0|real:0.0|real:0.0|real:0.0
HistoricoMaternidad|text:2002-03-01|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:6.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
HistoricoMaternidad|text:2002-03-11|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:4.0|real:2.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
HistoricoMaternidad|text:2002-04-01|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:3.0|real:27.0|real:3.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
HistoricoMaternidad|text:2002-05-01|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:3.0|real:25.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
HistoricoMaternidad|text:2002-05-02|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:6.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
HistoricoMaternidad|text:2002-05-12|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:5.0|real:1.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
HistoricoMaternidad|text:2002-05-22|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:1.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|real:0.0|text:
)";

} // namespace

TEST(BatchDump, EveryBatchLeavesTheTablesAsItAlwaysHas) {
    BlockFarm farm;
    herd(farm);
    twoRounds(farm.db());
    EXPECT_EQ(dump(farm.db(), kWritten).toStdString(), std::string(kExpected));
}

TEST(BatchDump, StatementsPreparedAnewOrReusedLeaveTheSameDatabase) {
    TempFolder folder;
    const QString original = folder.file(QStringLiteral("granja.db"));
    {
        BlockFarm farm;
        herd(farm);
        QFile::copy(farm.db().filePath(), original);
    }
    QString dumps[2];
    for (int copy = 0; copy < 2; ++copy) {
        const QString file = folder.file(QStringLiteral("copia%1.db").arg(copy));
        ASSERT_TRUE(QFile::copy(original, file));
        Database db(file);
        // The first copy keeps no statement beyond the one running: each is
        // prepared again, as a connection without the cache would.
        if (copy == 0)
            db.statements().setCapacity(1);
        twoRounds(db);
        dumps[copy] = dump(db, schema::tableNames() + QStringList{QStringLiteral("sqlite_sequence")});
    }
    EXPECT_FALSE(dumps[0].isEmpty());
    EXPECT_EQ(dumps[0].toStdString(), dumps[1].toStdString());
}
