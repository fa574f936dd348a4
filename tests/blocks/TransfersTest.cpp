#include "blocks/Transfers.h"
#include "blocks/BlockBatch.h"
#include "BlockFarm.h"

#include <gtest/gtest.h>

namespace {

const QDate kBorn(2001, 1, 1);

// The animal codes the candidate statement lists, in its order.
QStringList listed(Database& db, const Transfers& t, qint64 from, qint64 to, const QDate& date = {}) {
    Query q(db);
    for (const QString& line : t.candidateLines(from, to, date))
        q << line;
    QStringList codes;
    for (q.open(); !q.eof(); q.next())
        codes << q.field(q.fieldNames().first()).asString();
    return codes;
}

} // namespace

TEST(Transfers, DestinationsSkipEveryOccupiedCageCulledHoldersToo) {
    BlockFarm farm;
    Database& db = farm.db();
    farm.female(1, 50, kBorn);
    farm.female(2, 52, kBorn, 0, 0); // culled, still holding cage 52
    farm.female(3, 10, kBorn);
    const Transfers t(db, Transfers::Kind::Females);
    EXPECT_EQ(t.proposeDestinations(50, 3), (std::vector<qint64>{51, 53, 54}));
    // Her own cage is occupied by her: female 1 is never proposed 50.
    EXPECT_EQ(t.proposeDestinations(49, 2), (std::vector<qint64>{49, 51}));
    EXPECT_FALSE(t.cageFree(52));
    EXPECT_TRUE(t.cageFree(51));
    // Males look only at Machos.
    EXPECT_EQ(Transfers(db, Transfers::Kind::Males).proposeDestinations(50, 1), (std::vector<qint64>{50}));
    // The male rows carry the destination right after the male.
    db.exec(QStringLiteral("delete from Machos"));
    db.exec(QStringLiteral("insert into Machos (CodigoMacho, Jaula) values (4, 60)"));
    TransferEvent males(db, Transfers::Kind::Males, 60);
    EXPECT_EQ(blockbatch::load(db, males, {}, {}).rows(), QStringList({"000060|4|61"}));
}

TEST(Transfers, CandidatesOfEachScreen) {
    BlockFarm farm;
    Database& db = farm.db();
    const QDate fecha(2002, 6, 30);
    const struct {
        int code;
        int daysBefore;
        std::optional<bool> palpation;
        bool born;
    } females[] = {{11, 26, true, false}, {12, 27, true, false}, {13, 31, true, false}, {14, 32, true, false},
                   {15, 28, false, false}, {16, 28, true, true}};
    for (const auto& f : females) {
        farm.female(f.code, f.code + 100, kBorn);
        farm.cycle(f.code, fecha.addDays(-f.daysBefore), f.palpation, f.born ? fecha : QDate());
    }
    farm.female(17, 117, kBorn, 0, 1); // dead
    const Transfers nests(db, Transfers::Kind::Nests);
    EXPECT_EQ(listed(db, nests, 0, 0, fecha), QStringList({"12", "13"}));
    EXPECT_EQ(listed(db, nests, 113, 0, fecha), QStringList({"13"}));

    const Transfers all(db, Transfers::Kind::Females);
    EXPECT_EQ(listed(db, all, 112, 114), QStringList({"12", "13", "14"}));
    EXPECT_EQ(listed(db, all, 116, 0), QStringList({"16"}));

    db.exec(QStringLiteral("delete from Machos"));
    for (const auto& [code, cage] : {std::pair{0, 1}, std::pair{5, 3}, std::pair{4, 2}})
        db.exec(QStringLiteral("insert into Machos (CodigoMacho, Jaula) values (%1, %2)").arg(code).arg(cage));
    const Transfers males(db, Transfers::Kind::Males);
    EXPECT_EQ(listed(db, males, 0, 0), QStringList({"4", "5"}));
    EXPECT_EQ(males.candidateLines(1, 3),
              QStringList({"select codigoMacho, Jaula from Machos where CodigoMacho<>0", "and Jaula>=1",
                           " and Jaula<=3", "order by Jaula"}));
}

// Every row of the farm but the females' own.
QString otherTables(BlockFarm& farm) {
    QStringList lines = farm.dump().split(QLatin1Char('\n'));
    lines.removeIf([](const QString& line) { return line.startsWith(QStringLiteral("Hembras|")); });
    return lines.join(QLatin1Char('\n'));
}

TEST(Transfers, MoveWritesOnlyTheCagesTwoIntoOneFreeCage) {
    BlockFarm farm;
    Database& db = farm.db();
    farm.female(1, 10, kBorn);
    farm.female(2, 11, kBorn);
    farm.cycle(1, QDate(2002, 1, 1), true);
    const QString before = otherTables(farm);
    TransferEvent event(db, Transfers::Kind::Females, 50);
    CandidateList rows = blockbatch::load(db, event, {}, {});
    EXPECT_EQ(rows.rows(), QStringList({"000010|1|False|False|False|False|50", "000011|2|False|False|False|False|51"}));
    rows.setFields(0, event.destinationField(), {"70"});
    rows.setFields(1, event.destinationField(), {"70"});
    blockbatch::process(db, event, rows, QDate(2002, 6, 1));
    EXPECT_EQ(farm.count(QStringLiteral("select count(*) cuenta from Hembras where Jaula=70")), 2);
    EXPECT_EQ(otherTables(farm), before);
}
