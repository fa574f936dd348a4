#include "PoolTestKit.h"

#include "db/Database.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <ostream>
#include <stdexcept>

namespace poolkit {

qint64 addCycle(Database& db, qint64 female, const QDate& mated, std::optional<bool> palpation, const QDate& born,
                qint64 alive, qint64 dead, qint64 male) {
    db.exec(
        QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, FechaParto, "
                       "NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada) "
                       "VALUES (%1, %2, %3, %4, %5, %6, %7, 0, 0, 0, False)")
            .arg(sql::number(female), sql::date(mated), sql::number(male), sql::palpation(palpation), sql::date(born),
                 sql::number(alive), sql::number(dead)));
    return count(db, QStringLiteral("select max(Orden) cuenta from CubriHembras"));
}

qint64 addInsemination(Database& db, qint64 female, const QDate& d) {
    return addCycle(db, female, d);
}

void addPoolRow(Database& db, const QDate& fecha, qint64 female, const QString& pool, std::optional<bool> palpation,
                qint64 alive, qint64 dead, qint64 diasPos, const QString& estado) {
    db.exec(QStringLiteral("Insert into Pools Values (%1, %2, %3, %4, %5, %6, %7, %8)")
                .arg(sql::date(fecha), sql::number(female), sql::text(pool), sql::palpation(palpation),
                     sql::number(alive), sql::number(dead), sql::number(diasPos), sql::text(estado)));
}

std::vector<PoolRow> poolRows(Database& db, qint64 female, const QDate& fc) {
    Query q(db, QStringLiteral("select * from Pools where FechaPool=%1 and CodigoHembra=%2 order by rowid")
                    .arg(sql::date(fc), sql::number(female)));
    std::vector<PoolRow> rows;
    for (q.open(); !q.eof(); q.next())
        rows.push_back({q.field(QStringLiteral("Pool")).asString(), q.field(QStringLiteral("Palpacion")).asString(),
                        q.field(QStringLiteral("NacidosVivos")).asInteger(),
                        q.field(QStringLiteral("NacidosMuertos")).asInteger(),
                        q.field(QStringLiteral("DiasPos")).asInteger(), q.field(QStringLiteral("Estado")).asString()});
    return rows;
}

QString snapshot(Database& db) {
    QString out;
    for (const char* statement : {"select * from Pools order by rowid", "select * from MasterPools order by Pool"}) {
        for (const QString& row : testkit::rowTexts(db, QString::fromLatin1(statement)))
            out += row + QStringLiteral("|\n");
        out += QStringLiteral("--\n");
    }
    return out;
}

PoolTotals totalsOf(const QString& pool, std::initializer_list<qint64> counters) {
    if (counters.size() != 16)
        throw std::invalid_argument("a pool has sixteen counters");
    const qint64* c = counters.begin();
    PoolTotals t;
    t.pool = pool;
    for (PoolGroup* g : {&t.nul, &t.lac, &t.ret, &t.all}) {
        *g = {c[0], c[1], c[2], c[3]};
        c += 4;
    }
    return t;
}

} // namespace poolkit

std::ostream& operator<<(std::ostream& os, const PoolTotals& t) {
    os << '\'' << t.pool.toStdString() << '\'';
    for (const PoolGroup* g : {&t.nul, &t.lac, &t.ret, &t.all})
        os << " [" << g->females << ' ' << g->positives << ' ' << g->births << ' ' << g->alive << ']';
    return os;
}

std::ostream& operator<<(std::ostream& os, const PoolEntry& e) {
    return os << e.estado.toStdString() << '/' << e.diasPos;
}
