#include "PoolCounters.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "db/Transaction.h"

#include <QStringList>
#include <vector>

namespace {

struct CounterNames {
    const char* females;
    const char* positives;
    const char* births;
    const char* alive;
};

// The MasterPools counters of a state; none for a state the program never
// writes (it can only come from imported data).
const CounterNames* countersOf(const QString& estado) {
    static const CounterNames nul{"Nuliparas", "NulPositivas", "NulPartos", "NulVivos"};
    static const CounterNames lac{"Lactacion", "LacPositivas", "LacPartos", "LacVivos"};
    static const CounterNames ret{"Retrasadas", "RetPositivas", "RetPartos", "RetVivos"};
    if (estado == poolstate::kNulliparous)
        return &nul;
    if (estado == poolstate::kLactating)
        return &lac;
    if (estado == poolstate::kDelayed)
        return &ret;
    return nullptr;
}

void requireDate(const QDate& d) {
    if (!d.isValid())
        throw DbError(QStringLiteral("La fecha no es válida"));
}

// The Pools row of a cycle: same female, FechaPool equal to the mating date.
QString poolRowWhere(qint64 female, const QDate& fc) {
    return QStringLiteral("where FechaPool=%1 and CodigoHembra=%2").arg(sql::date(fc), sql::number(female));
}

PoolGroup readGroup(const Query& q, const CounterNames& c) {
    PoolGroup g;
    g.females = q.field(QLatin1String(c.females)).asInteger();
    g.positives = q.field(QLatin1String(c.positives)).asInteger();
    g.births = q.field(QLatin1String(c.births)).asInteger();
    g.alive = q.field(QLatin1String(c.alive)).asInteger();
    return g;
}

} // namespace

PoolEntry PoolCounters::classify(qint64 female, const QDate& d) const {
    requireDate(d);
    const QString code = sql::number(female);
    PoolEntry entry{poolstate::kNulliparous, 0};

    // A female who never gave birth is nulliparous, whatever her last mating gave.
    Query births(m_db, QStringLiteral("select * from CubriHembras where CodigoHembra=%1 and FechaParto is not NULL "
                                      "order by orden desc")
                           .arg(code));
    births.open();
    if (births.eof())
        return entry;

    // Otherwise her last cycle row (by Orden) other than the day's inseminations
    // decides: palpated negative is delayed, anything else lactating.
    Query last(m_db, QStringLiteral("select * from CubriHembras where CodigoHembra=%1 and FechaCubricion <> %2 "
                                    "order by orden desc")
                         .arg(code, sql::date(d)));
    last.open();
    // Her only births lie on rows dated d: there is no earlier cycle to judge
    // her by, so she enters as never having given birth.
    if (last.eof())
        return entry;
    if (last.field(QStringLiteral("Palpacion")).asString() == QLatin1String("False")) {
        entry.estado = poolstate::kDelayed;
        return entry;
    }
    entry.estado = poolstate::kLactating;
    // Days since her previous birth: that of her last cycle row, or, when that
    // row holds none (a hand-edited history), her latest birth before the day.
    QDate born = last.field(QStringLiteral("FechaParto")).asDate();
    for (; !born.isValid() && !births.eof(); births.next()) {
        if (births.field(QStringLiteral("FechaCubricion")).asDate() != d)
            born = births.field(QStringLiteral("FechaParto")).asDate();
    }
    entry.diasPos = born.isValid() ? born.daysTo(d) : 0;
    return entry;
}

PoolEntry PoolCounters::recordInsemination(qint64 female, const QDate& d, const QString& pool) {
    Transaction t(m_db);
    const PoolEntry entry = classify(female, d);
    const QString name = sql::text(pool);

    m_db.exec(QStringLiteral("insert into Pools Values (%1, %2, %3, NULL, 0, 0, %4, '%5')")
                  .arg(sql::date(d), sql::number(female), name, sql::number(entry.diasPos), entry.estado));

    Query master(m_db, QStringLiteral("select * from MasterPools where pool=") + name);
    master.open();
    if (master.eof())
        m_db.exec(QStringLiteral("insert into MasterPools Values (%1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)")
                      .arg(name));
    master.close();

    const QString c = QLatin1String(countersOf(entry.estado)->females);
    m_db.exec(QStringLiteral("update MasterPools set %1=%1+1, TotalPool=TotalPool+1 where pool=%2").arg(c, name));
    t.commit();
    return entry;
}

bool PoolCounters::recordPalpation(qint64 female, const QDate& fc, bool positive) {
    requireDate(fc);
    Transaction t(m_db);
    Query row(m_db, QStringLiteral("select * from Pools ") + poolRowWhere(female, fc));
    row.open();
    if (row.eof())
        return false;
    const QString estado = row.field(QStringLiteral("Estado")).asString();
    const QString pool = row.field(QStringLiteral("Pool")).asString();
    // A row already counted positive (palpated again after a hand correction of
    // the cycle) is not counted twice.
    const bool alreadyPositive = row.field(QStringLiteral("Palpacion")).asString() == QLatin1String("True");
    row.close();

    m_db.exec(QStringLiteral("update Pools set Palpacion=%1 ").arg(sql::logical(positive)) + poolRowWhere(female, fc));
    // A negative result changes no counter; a state the program never writes
    // has no counter of its own and is left uncounted, so that the whole pool
    // stays the sum of its three states.
    const CounterNames* c = countersOf(estado);
    if (positive && !alreadyPositive && c)
        m_db.exec(QStringLiteral("update MasterPools set %1=%1+1, TotPositivas=TotPositivas+1 where pool=%2")
                      .arg(QLatin1String(c->positives), sql::text(pool)));
    t.commit();
    return true;
}

bool PoolCounters::recordBirth(qint64 female, const QDate& fc, qint64 alive, qint64 dead) {
    requireDate(fc);
    if (alive < 0 || dead < 0)
        throw DbError(QStringLiteral("El número de gazapos nacidos no puede ser negativo"));
    Transaction t(m_db);
    Query row(m_db, QStringLiteral("select * from Pools ") + poolRowWhere(female, fc));
    row.open();
    if (row.eof())
        return false;
    const QString estado = row.field(QStringLiteral("Estado")).asString();
    const QString pool = row.field(QStringLiteral("Pool")).asString();
    row.close();

    const QString v = sql::number(alive);
    m_db.exec(QStringLiteral("update Pools set NacidosVivos=%1, NacidosMuertos=%2 ").arg(v, sql::number(dead)) +
              poolRowWhere(female, fc));
    // Every birth counts once, also one with no kit born.
    if (const CounterNames* c = countersOf(estado))
        m_db.exec(QStringLiteral("update MasterPools set %1=%1+%2, %3=%3+1, TotVivos=TotVivos+%2, "
                                 "TotPartos=TotPartos+1 where Pool=%4")
                      .arg(QLatin1String(c->alive), v, QLatin1String(c->births), sql::text(pool)));
    t.commit();
    return true;
}

int PoolCounters::recompute(const std::function<void(int, int)>& progress) {
    Transaction t(m_db);
    m_db.exec(QStringLiteral("delete from MasterPools"));

    QStringList pools;
    {
        Query q(m_db, QStringLiteral("select pool from pools group by pool"));
        for (q.open(); !q.eof(); q.next()) {
            // Rows without any pool name belong to no pool and get no totals row.
            if (!q.field(QStringLiteral("pool")).isNull())
                pools << q.field(QStringLiteral("pool")).asString();
        }
    }

    int done = 0;
    for (const QString& pool : pools) {
        const QString name = sql::text(pool);
        PoolGroup nul, lac, ret, all;
        auto groupOf = [&](const QString& estado) -> PoolGroup* {
            if (estado == poolstate::kNulliparous)
                return &nul;
            if (estado == poolstate::kLactating)
                return &lac;
            if (estado == poolstate::kDelayed)
                return &ret;
            return nullptr;
        };

        // Females and kits count only rows already palpated.
        Query palpated(m_db);
        palpated << QStringLiteral("select count(*) cuenta, sum(nacidosvivos) suma, estado, palpacion")
                 << QStringLiteral("from pools where pool=") + name
                 << QStringLiteral("and palpacion is not NULL group by estado, palpacion");
        for (palpated.open(); !palpated.eof(); palpated.next()) {
            const qint64 cuenta = palpated.field(QStringLiteral("cuenta")).asInteger();
            const qint64 suma = palpated.field(QStringLiteral("suma")).asInteger();
            all.females += cuenta;
            all.alive += suma;
            if (PoolGroup* g = groupOf(palpated.field(QStringLiteral("estado")).asString())) {
                g->females += cuenta;
                g->alive += suma;
                if (palpated.field(QStringLiteral("palpacion")).asBoolean()) {
                    g->positives = cuenta;
                    all.positives += cuenta;
                }
            }
        }
        palpated.close();

        // Births count only litters with a kit born alive or dead.
        Query born(m_db);
        born << QStringLiteral("select count(*) cuenta, estado") << QStringLiteral("from pools where pool=") + name
             << QStringLiteral("and (nacidosvivos>0 or nacidosmuertos>0) group by estado");
        for (born.open(); !born.eof(); born.next()) {
            const qint64 cuenta = born.field(QStringLiteral("cuenta")).asInteger();
            all.births += cuenta;
            if (PoolGroup* g = groupOf(born.field(QStringLiteral("estado")).asString()))
                g->births = cuenta;
        }
        born.close();

        QStringList values{name};
        for (const PoolGroup* g : {&nul, &lac, &ret, &all})
            for (qint64 v : {g->females, g->positives, g->births, g->alive})
                values << sql::whole(double(v));
        m_db.exec(QStringLiteral("Insert into MasterPools Values (%1)").arg(values.join(QLatin1String(", "))));

        ++done;
        if (progress)
            progress(done, int(pools.size()));
    }
    t.commit();
    return int(pools.size());
}

std::optional<PoolTotals> PoolCounters::totals(const QString& pool) const {
    Query q(m_db, QStringLiteral("select * from MasterPools where pool=") + sql::text(pool));
    q.open();
    if (q.eof())
        return std::nullopt;
    PoolTotals t;
    t.pool = q.field(QStringLiteral("Pool")).asString();
    t.nul = readGroup(q, *countersOf(poolstate::kNulliparous));
    t.lac = readGroup(q, *countersOf(poolstate::kLactating));
    t.ret = readGroup(q, *countersOf(poolstate::kDelayed));
    t.all = readGroup(q, {"TotalPool", "TotPositivas", "TotPartos", "TotVivos"});
    return t;
}
