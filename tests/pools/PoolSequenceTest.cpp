#include "PoolTestKit.h"
#include "TempFarm.h"

#include "db/Database.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "db/Transaction.h"

#include <gtest/gtest.h>
#include <map>

using namespace poolkit;

namespace {

// A small deterministic generator, so the sequence is the same on every machine.
class SplitMix {
public:
    explicit SplitMix(quint64 seed) : m_state(seed) {}
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 m_state;
};

// What the test knows of one cycle, written the way the block screens write it.
struct Cycle {
    qint64 orden = 0;
    QDate mated;
    std::optional<bool> palpation;
    QDate born;
    int poolRow = -1; // index into Model::rows, -1 for a natural mating
};

struct Row {
    QString pool;
    QString estado;
    std::optional<bool> palpation;
    bool born = false;
    qint64 alive = 0;
    qint64 dead = 0;
};

struct Model {
    std::map<qint64, std::vector<Cycle>> females;
    std::vector<Row> rows;

    // The state she should enter a pool in, from what the test did to her.
    PoolEntry expectedEntry(qint64 female, const QDate& d) const {
        const auto it = females.find(female);
        if (it == females.end())
            return {QStringLiteral("N"), 0};
        bool gaveBirth = false;
        for (const Cycle& c : it->second)
            gaveBirth = gaveBirth || c.born.isValid();
        if (!gaveBirth)
            return {QStringLiteral("N"), 0};
        const Cycle& last = it->second.back();
        if (last.palpation == false)
            return {QStringLiteral("R"), 0};
        return {QStringLiteral("L"), last.born.daysTo(d)};
    }

    static PoolGroup& group(PoolTotals& t, const QString& estado) {
        return estado == QLatin1String("N") ? t.nul : estado == QLatin1String("L") ? t.lac : t.ret;
    }

    // Running totals: every event counted once as it happened.
    std::map<QString, PoolTotals> running() const {
        std::map<QString, PoolTotals> out;
        for (const Row& r : rows) {
            PoolTotals& t = out[r.pool];
            t.pool = r.pool;
            for (PoolGroup* g : {&group(t, r.estado), &t.all}) {
                g->females += 1;
                g->positives += r.palpation == true ? 1 : 0;
                g->births += r.born ? 1 : 0;
                g->alive += r.alive;
            }
        }
        return out;
    }

    // The import's rebuild: palpated rows only, births only with a kit.
    std::map<QString, PoolTotals> rebuilt() const {
        std::map<QString, PoolTotals> out;
        for (const Row& r : rows) {
            PoolTotals& t = out[r.pool];
            t.pool = r.pool;
            for (PoolGroup* g : {&group(t, r.estado), &t.all}) {
                g->females += r.palpation.has_value() ? 1 : 0;
                g->positives += r.palpation == true ? 1 : 0;
                g->births += r.alive + r.dead > 0 ? 1 : 0;
                g->alive += r.palpation.has_value() ? r.alive : 0;
            }
        }
        return out;
    }
};

std::map<QString, PoolTotals> stored(Database& db) {
    std::map<QString, PoolTotals> out;
    PoolCounters pools(db);
    Query q(db, QStringLiteral("select Pool from MasterPools order by Pool"));
    for (q.open(); !q.eof(); q.next()) {
        const QString name = q.field(QStringLiteral("Pool")).asString();
        out[name] = *pools.totals(name);
    }
    return out;
}

void expectWholeIsSumOfStates(const std::map<QString, PoolTotals>& pools, int step) {
    for (const auto& [name, t] : pools) {
        EXPECT_EQ(t.all.females, t.nul.females + t.lac.females + t.ret.females) << name.toStdString() << " @" << step;
        EXPECT_EQ(t.all.positives, t.nul.positives + t.lac.positives + t.ret.positives) << name.toStdString();
        EXPECT_EQ(t.all.births, t.nul.births + t.lac.births + t.ret.births) << name.toStdString();
        EXPECT_EQ(t.all.alive, t.nul.alive + t.lac.alive + t.ret.alive) << name.toStdString();
    }
}

} // namespace

// Many females go through inseminations (and some natural matings),
// palpations and births in a pseudo-random order, as the block screens would
// record them. After every step the running totals match what happened and
// every whole-pool counter is the sum of its three states; now and then the
// import's rebuild is tried (and rolled back) against its own rule. Once every
// cycle is palpated, the rebuild equals the running totals in every pool
// without a litter of no kits.
TEST(PoolSequence, RunningTotalsAndRebuildAgreeOverARandomHistory) {
    TempFarm farm;
    Database& db = farm.db();
    PoolCounters pools(db);
    Model model;
    SplitMix rng(20020610);
    const QStringList poolNames{QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P'3"),
                                QStringLiteral("P4 sin camada")};
    const QString zeroLitterPool = poolNames.last(); // the only pool with litters of no kit

    Transaction run(db); // as a screen's recording holds its rows
    QDate today(2002, 1, 7);
    int inseminations = 0, palpations = 0, births = 0, naturals = 0, checkpoints = 0;

    for (int step = 0; step < 600; ++step) {
        today = today.addDays(rng.below(2));
        const qint64 female = 1 + rng.below(40);
        std::vector<Cycle>& cycles = model.females[female];
        // One event a day per female, as the block screens give her.
        if (!cycles.empty() && (cycles.back().mated == today || cycles.back().born == today))
            continue;

        if (cycles.empty() || cycles.back().palpation == false || cycles.back().born.isValid()) {
            Cycle c;
            c.mated = today;
            if (rng.below(6) == 0) {
                c.orden = addCycle(db, female, today, std::nullopt, {}, 0, 0, 30 + rng.below(5));
                ++naturals;
            } else {
                const QString pool = poolNames.at(rng.below(poolNames.size()));
                const PoolEntry expected = model.expectedEntry(female, today);
                c.orden = addInsemination(db, female, today);
                const PoolEntry got = pools.recordInsemination(female, today, pool);
                EXPECT_EQ(got, expected) << "female " << female << " @" << step;
                model.rows.push_back({pool, expected.estado, std::nullopt, false, 0, 0});
                c.poolRow = int(model.rows.size()) - 1;
                ++inseminations;
            }
            cycles.push_back(c);
        } else if (!cycles.back().palpation.has_value()) {
            Cycle& c = cycles.back();
            const bool positive = rng.below(10) < 7;
            db.exec(QStringLiteral("update CubriHembras set Palpacion=%1 where orden = %2")
                        .arg(sql::logical(positive), sql::number(c.orden)));
            EXPECT_EQ(pools.recordPalpation(female, c.mated, positive), c.poolRow >= 0) << "@" << step;
            c.palpation = positive;
            if (c.poolRow >= 0)
                model.rows[c.poolRow].palpation = positive;
            ++palpations;
        } else {
            Cycle& c = cycles.back();
            const bool mayBeEmpty = c.poolRow < 0 || model.rows[c.poolRow].pool == zeroLitterPool;
            qint64 alive = rng.below(13), dead = rng.below(4);
            if (mayBeEmpty && rng.below(3) == 0)
                alive = dead = 0;
            else if (alive + dead == 0)
                alive = 1;
            db.exec(QStringLiteral("update CubriHembras set FechaParto=%1, NacidosVivos=%2, NacidosMuertos=%3 "
                                   "where orden = %4")
                        .arg(sql::date(today), sql::number(alive), sql::number(dead), sql::number(c.orden)));
            EXPECT_EQ(pools.recordBirth(female, c.mated, alive, dead), c.poolRow >= 0) << "@" << step;
            c.born = today;
            if (c.poolRow >= 0) {
                Row& r = model.rows[c.poolRow];
                r.born = true;
                r.alive = alive;
                r.dead = dead;
            }
            ++births;
        }

        const auto now = stored(db);
        ASSERT_EQ(now, model.running()) << "@" << step;
        expectWholeIsSumOfStates(now, step);

        if (step % 75 == 74) {
            {
                Transaction trial(db); // never committed: the running totals come back
                pools.recompute();
                EXPECT_EQ(stored(db), model.rebuilt()) << "@" << step;
            }
            EXPECT_EQ(stored(db), model.running()) << "after rollback @" << step;
            ++checkpoints;
        }
    }

    // Every event kind and every state occurred.
    EXPECT_GT(inseminations, 100);
    EXPECT_GT(palpations, 100);
    EXPECT_GT(births, 50);
    EXPECT_GT(naturals, 10);
    EXPECT_GE(checkpoints, 7);
    const auto before = model.running();
    for (const auto& [name, t] : before)
        EXPECT_TRUE(t.nul.females > 0 && t.lac.females > 0 && t.ret.females > 0) << name.toStdString();

    // Palpate whatever is still pending, then rebuild for real.
    for (auto& [female, cycles] : model.females) {
        Cycle& c = cycles.back();
        if (c.palpation.has_value())
            continue;
        pools.recordPalpation(female, c.mated, false);
        c.palpation = false;
        if (c.poolRow >= 0)
            model.rows[c.poolRow].palpation = false;
    }
    const auto running = stored(db);
    ASSERT_EQ(running, model.running());
    EXPECT_EQ(pools.recompute(), int(poolNames.size()));
    run.commit();
    const auto rebuilt = stored(db);
    EXPECT_EQ(rebuilt, model.rebuilt());
    expectWholeIsSumOfStates(rebuilt, -1);
    for (const QString& name : poolNames) {
        if (name == zeroLitterPool) {
            EXPECT_LT(rebuilt.at(name).all.births, running.at(name).all.births);
            EXPECT_EQ(rebuilt.at(name).all.females, running.at(name).all.females);
        } else {
            EXPECT_EQ(rebuilt.at(name), running.at(name)) << name.toStdString();
        }
    }
}
