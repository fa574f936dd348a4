#include "PoolCounters.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
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
const QString kPoolRowWhere = QStringLiteral("where FechaPool=:fc and CodigoHembra=:hembra");

void bindPoolRow(Query& q, qint64 female, const QDate& fc) {
    q.bindDate(QStringLiteral("fc"), fc);
    q.bindInteger(QStringLiteral("hembra"), female);
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
    PoolEntry entry{poolstate::kNulliparous, 0};

    // A female who never gave birth is nulliparous, whatever her last mating gave.
    // Both reads walk her rows down the (CodigoHembra, Orden) index and stop
    // where the answer is.
    Query births(m_db, QStringLiteral("select FechaCubricion, FechaParto from CubriHembras where CodigoHembra=:hembra "
                                      "and FechaParto is not NULL order by orden desc"));
    births.bindInteger(QStringLiteral("hembra"), female);
    births.open();
    if (births.eof())
        return entry;

    // Otherwise her last cycle row (by Orden) other than the day's inseminations
    // decides: palpated negative is delayed, anything else lactating.
    Query last(m_db, QStringLiteral("select Palpacion, FechaParto from CubriHembras where CodigoHembra=:hembra and "
                                    "FechaCubricion <> :d order by orden desc"));
    last.bindInteger(QStringLiteral("hembra"), female);
    last.bindDate(QStringLiteral("d"), d);
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
    const QString name = QStringLiteral("pool");

    Query q(m_db, QStringLiteral("insert into Pools Values (:d, :hembra, :pool, NULL, 0, 0, :diaspos, :estado)"));
    q.bindDate(QStringLiteral("d"), d);
    q.bindInteger(QStringLiteral("hembra"), female);
    q.bindText(name, pool);
    q.bindInteger(QStringLiteral("diaspos"), entry.diasPos);
    q.bindText(QStringLiteral("estado"), entry.estado);
    q.exec();

    q.clear();
    q << "select Pool from MasterPools where pool=:pool";
    q.bindText(name, pool);
    q.open();
    const bool isNew = q.eof();
    q.clear();
    if (isNew) {
        q << "insert into MasterPools Values (:pool, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)";
        q.bindText(name, pool);
        q.exec();
        q.clear();
    }

    const QString c = QLatin1String(countersOf(entry.estado)->females);
    q << QStringLiteral("update MasterPools set %1=%1+1, TotalPool=TotalPool+1 where pool=:pool").arg(c);
    q.bindText(name, pool);
    q.exec();
    t.commit();
    return entry;
}

bool PoolCounters::recordPalpation(qint64 female, const QDate& fc, bool positive) {
    requireDate(fc);
    Transaction t(m_db);
    Query q(m_db, QStringLiteral("select Estado, Pool, Palpacion from Pools ") + kPoolRowWhere);
    bindPoolRow(q, female, fc);
    q.open();
    if (q.eof())
        return false;
    const QString estado = q.field(QStringLiteral("Estado")).asString();
    const QString pool = q.field(QStringLiteral("Pool")).asString();
    // A row already counted positive (palpated again after a hand correction of
    // the cycle) is not counted twice.
    const bool alreadyPositive = q.field(QStringLiteral("Palpacion")).asString() == QLatin1String("True");
    q.clear();

    q << QStringLiteral("update Pools set Palpacion=:palpacion ") + kPoolRowWhere;
    q.bindLogical(QStringLiteral("palpacion"), positive);
    bindPoolRow(q, female, fc);
    q.exec();
    // A negative result changes no counter; a state the program never writes
    // has no counter of its own and is left uncounted, so that the whole pool
    // stays the sum of its three states.
    const CounterNames* c = countersOf(estado);
    if (positive && !alreadyPositive && c) {
        q.clear();
        q << QStringLiteral("update MasterPools set %1=%1+1, TotPositivas=TotPositivas+1 where pool=:pool")
                 .arg(QLatin1String(c->positives));
        q.bindText(QStringLiteral("pool"), pool);
        q.exec();
    }
    t.commit();
    return true;
}

bool PoolCounters::recordBirth(qint64 female, const QDate& fc, qint64 alive, qint64 dead) {
    requireDate(fc);
    if (alive < 0 || dead < 0)
        throw DbError(QStringLiteral("El número de gazapos nacidos no puede ser negativo"));
    Transaction t(m_db);
    Query q(m_db, QStringLiteral("select Estado, Pool from Pools ") + kPoolRowWhere);
    bindPoolRow(q, female, fc);
    q.open();
    if (q.eof())
        return false;
    const QString estado = q.field(QStringLiteral("Estado")).asString();
    const QString pool = q.field(QStringLiteral("Pool")).asString();
    q.clear();

    q << QStringLiteral("update Pools set NacidosVivos=:v, NacidosMuertos=:m ") + kPoolRowWhere;
    q.bindInteger(QStringLiteral("v"), alive);
    q.bindInteger(QStringLiteral("m"), dead);
    bindPoolRow(q, female, fc);
    q.exec();
    // Every birth counts once, also one with no kit born.
    if (const CounterNames* c = countersOf(estado)) {
        q.clear();
        q << QStringLiteral("update MasterPools set %1=%1+:v, %2=%2+1, TotVivos=TotVivos+:v, TotPartos=TotPartos+1 "
                            "where Pool=:pool")
                 .arg(QLatin1String(c->alive), QLatin1String(c->births));
        q.bindInteger(QStringLiteral("v"), alive);
        q.bindText(QStringLiteral("pool"), pool);
        q.exec();
    }
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
        const QString name = QStringLiteral("pool");
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
                 << QStringLiteral("from pools where pool=:pool")
                 << QStringLiteral("and palpacion is not NULL group by estado, palpacion");
        palpated.bindText(name, pool);
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
        born << QStringLiteral("select count(*) cuenta, estado") << QStringLiteral("from pools where pool=:pool")
             << QStringLiteral("and (nacidosvivos>0 or nacidosmuertos>0) group by estado");
        born.bindText(name, pool);
        for (born.open(); !born.eof(); born.next()) {
            const qint64 cuenta = born.field(QStringLiteral("cuenta")).asInteger();
            all.births += cuenta;
            if (PoolGroup* g = groupOf(born.field(QStringLiteral("estado")).asString()))
                g->births = cuenta;
        }
        born.close();

        Query insert(m_db);
        QStringList values{QStringLiteral(":pool")};
        insert.bindText(name, pool);
        for (const PoolGroup* g : {&nul, &lac, &ret, &all}) {
            for (qint64 v : {g->females, g->positives, g->births, g->alive}) {
                const QString counter = QStringLiteral("c%1").arg(values.size());
                values << QLatin1Char(':') + counter;
                insert.bindInteger(counter, v);
            }
        }
        insert << QStringLiteral("Insert into MasterPools Values (%1)").arg(values.join(QLatin1String(", ")));
        insert.exec();

        ++done;
        if (progress)
            progress(done, int(pools.size()));
    }
    t.commit();
    return int(pools.size());
}

std::optional<PoolTotals> PoolCounters::totals(const QString& pool) const {
    Query q(m_db, QStringLiteral("select * from MasterPools where pool=:pool"));
    q.bindText(QStringLiteral("pool"), pool);
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
