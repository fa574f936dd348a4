#include "db/StatementCache.h"
#include "TempFarm.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <gtest/gtest.h>

namespace {

const QString kInsertKind = QStringLiteral("insert into TiposJaulas (TipoJaula, Descripcion) values (:tipo, :texto)");

void addKind(Database& db, const QString& tipo) {
    Query q(db, kInsertKind);
    q.bindText(QStringLiteral("tipo"), tipo);
    q.bindText(QStringLiteral("texto"), QStringLiteral("Jaula ") + tipo);
    q.exec();
}

QString kindText(Database& db, const QString& tipo) {
    Query q(db, QStringLiteral("select Descripcion from TiposJaulas where TipoJaula=:tipo"));
    q.bindText(QStringLiteral("tipo"), tipo);
    q.open();
    return q.field(QStringLiteral("descripcion")).asString();
}

} // namespace

TEST(StatementCache, OneTextIsPreparedOnceAndReusedWithNewValues) {
    TempFarm farm;
    StatementCache& cache = farm.db().statements();
    addKind(farm.db(), QStringLiteral("X"));
    const auto before = cache.stats();
    for (const char* tipo : {"Y", "Z", "W"})
        addKind(farm.db(), QString::fromLatin1(tipo));
    EXPECT_EQ(cache.stats().hits - before.hits, 3);
    EXPECT_EQ(cache.stats().misses, before.misses);
    EXPECT_EQ(kindText(farm.db(), QStringLiteral("Z")), QStringLiteral("Jaula Z"));
    // Columns are found whatever the case of the name asked, again and again.
    Query q(farm.db(), QStringLiteral("select TipoJaula, Descripcion from TiposJaulas where TipoJaula in ('X', 'Y', "
                                      "'Z', 'W') order by TipoJaula"));
    int rows = 0;
    for (q.open(); !q.eof(); q.next(), ++rows)
        EXPECT_EQ(q.field(QStringLiteral("DESCRIPCION")).asString(),
                  QStringLiteral("Jaula ") + q.field(QStringLiteral("tipojaula")).asString());
    EXPECT_EQ(rows, 4);
}

TEST(StatementCache, TheLeastRecentlyUsedIsEvictedAndPreparedAgainWhenNeeded) {
    TempFarm farm;
    StatementCache& cache = farm.db().statements();
    cache.setCapacity(2);
    const QStringList texts{QStringLiteral("select 1 uno"), QStringLiteral("select 2 uno"),
                            QStringLiteral("select 3 uno")};
    const auto before = cache.stats();
    for (const QString& t : texts)
        EXPECT_EQ(Query::scalar(farm.db(), t, QStringLiteral("uno")).asString(), t.mid(7, 1));
    EXPECT_EQ(cache.stats().size, 2);
    EXPECT_GE(cache.stats().evictions - before.evictions, 1);
    // "select 1" left the cache: it is prepared again and still right.
    const auto misses = cache.stats().misses;
    EXPECT_EQ(Query::scalar(farm.db(), texts[0], QStringLiteral("uno")).asInteger(), 1);
    EXPECT_EQ(cache.stats().misses, misses + 1);
}

TEST(StatementCache, AStatementThatFailedRunsAgain) {
    TempFarm farm;
    addKind(farm.db(), QStringLiteral("X"));
    const auto hits = farm.db().statements().stats().hits;
    // "X" exists: the key refuses it, and the same statement then takes "Y".
    EXPECT_THROW(addKind(farm.db(), QStringLiteral("X")), DbError);
    addKind(farm.db(), QStringLiteral("Y"));
    EXPECT_EQ(kindText(farm.db(), QStringLiteral("Y")), QStringLiteral("Jaula Y"));
    EXPECT_GE(farm.db().statements().stats().hits - hits, 2);
    // A failed select leaves no open read behind: a write to its table goes through.
    const QString failing = QStringLiteral("select TipoJaula, abs(-9223372036854775807 - length(TipoJaula)) n "
                                           "from TiposJaulas");
    EXPECT_THROW(Query::scalar(farm.db(), failing, QStringLiteral("n")), DbError);
    farm.db().exec(QStringLiteral("delete from TiposJaulas where TipoJaula='Y'"));
    EXPECT_EQ(kindText(farm.db(), QStringLiteral("Y")), QString());
}

TEST(StatementCache, TheSameTextOpenTwiceAtOnceReadsTwoResults) {
    TempFarm farm;
    for (const char* tipo : {"X", "Y"})
        addKind(farm.db(), QString::fromLatin1(tipo));
    const QString text = QStringLiteral("select TipoJaula from TiposJaulas where TipoJaula in ('X', 'Y') "
                                        "order by TipoJaula");
    QStringList pairs;
    Query outer(farm.db(), text);
    for (outer.open(); !outer.eof(); outer.next()) {
        Query inner(farm.db(), text);
        for (inner.open(); !inner.eof(); inner.next())
            pairs << outer.field(QStringLiteral("TipoJaula")).asString() +
                         inner.field(QStringLiteral("TipoJaula")).asString();
    }
    EXPECT_EQ(pairs, QStringList({"XX", "XY", "YX", "YY"}));
    // Both given back: the next run is a hit on the one cached statement.
    const auto hits = farm.db().statements().stats().hits;
    Query again(farm.db(), text);
    again.open();
    EXPECT_EQ(again.field(QStringLiteral("TipoJaula")).asString(), QStringLiteral("X"));
    EXPECT_EQ(farm.db().statements().stats().hits, hits + 1);
}

TEST(StatementCache, ACachedSelectSeesTheTableAsAlteredAndDropped) {
    TempFarm farm;
    addKind(farm.db(), QStringLiteral("X"));
    const QString all = QStringLiteral("select * from TiposJaulas where TipoJaula='X'");
    Query q(farm.db(), all);
    q.open();
    EXPECT_FALSE(q.hasField(QStringLiteral("Capacidad")));
    q.close();
    farm.db().exec(QStringLiteral("alter table TiposJaulas Add Capacidad Numeric"));
    farm.db().exec(QStringLiteral("update TiposJaulas set Capacidad=8"));
    q.open();
    EXPECT_TRUE(q.hasField(QStringLiteral("capacidad")));
    EXPECT_EQ(q.field(QStringLiteral("Capacidad")).asInteger(), 8);
    EXPECT_EQ(q.fieldNames().size(), 3);
    q.close();
    farm.db().exec(QStringLiteral("alter table TiposJaulas drop Capacidad"));
    q.open();
    EXPECT_FALSE(q.hasField(QStringLiteral("Capacidad")));
    EXPECT_EQ(q.field(QStringLiteral("Descripcion")).asString(), QStringLiteral("Jaula X"));
}

TEST(StatementCache, AStatementObjectMayOutliveItsConnection) {
    auto farm = std::make_unique<TempFarm>();
    Query q(farm->db(), QStringLiteral("select TipoJaula from TiposJaulas order by TipoJaula"));
    q.open();
    ASSERT_FALSE(q.eof());
    const QString first = q.field(QStringLiteral("TipoJaula")).asString();
    farm.reset();
    // The row read stays readable, and letting go touches nothing of the closed connection.
    EXPECT_EQ(q.field(QStringLiteral("TipoJaula")).asString(), first);
    q.close();
    EXPECT_TRUE(q.eof());
}
