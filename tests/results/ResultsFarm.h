#pragma once

#include "FarmRows.h"
#include "db/Query.h"

#include <QDate>
#include <optional>

// A small farm whose technical results are worked out by hand in the tests.
namespace resultskit {

struct Cycle {
    std::optional<qint64> female = std::nullopt; // none: a row of a female still being registered
    QDate mated = {};
    qint64 male = -1;
    std::optional<bool> palpation = std::nullopt;
    QDate born = {};
    qint64 alive = 0, dead = 0, added = 0, givenAway = 0;
    std::optional<qint64> weaned = std::nullopt; // a weaning recorded with that many kits
};

inline void addCycle(Database& db, const Cycle& c) {
    Query q(db);
    q << QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, FechaParto,")
      << QStringLiteral("NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada)")
      << QStringLiteral("values (:h, :fc, :m, :p, :fp, :v, :mu, :a, :q, :d, :dd)");
    c.female ? q.bindInteger(QStringLiteral("h"), *c.female) : q.bindNull(QStringLiteral("h"));
    q.bindDate(QStringLiteral("fc"), c.mated);
    q.bindInteger(QStringLiteral("m"), c.male);
    c.palpation ? q.bindLogical(QStringLiteral("p"), *c.palpation) : q.bindNull(QStringLiteral("p"));
    q.bindDate(QStringLiteral("fp"), c.born);
    q.bindInteger(QStringLiteral("v"), c.alive);
    q.bindInteger(QStringLiteral("mu"), c.dead);
    q.bindInteger(QStringLiteral("a"), c.added);
    q.bindInteger(QStringLiteral("q"), c.givenAway);
    q.bindInteger(QStringLiteral("d"), c.weaned.value_or(0));
    q.bindLogical(QStringLiteral("dd"), c.weaned.has_value());
    q.exec();
}

inline void addPoolRow(Database& db, const QDate& day, qint64 female, const QString& pool,
                       std::optional<bool> palpation, qint64 alive = 0, qint64 dead = 0) {
    Query q(db, QStringLiteral("insert into Pools values (:f, :h, :pool, :p, :v, :m, 0, 'N')"));
    q.bindDate(QStringLiteral("f"), day);
    q.bindInteger(QStringLiteral("h"), female);
    q.bindText(QStringLiteral("pool"), pool);
    palpation ? q.bindLogical(QStringLiteral("p"), *palpation) : q.bindNull(QStringLiteral("p"));
    q.bindInteger(QStringLiteral("v"), alive);
    q.bindInteger(QStringLiteral("m"), dead);
    q.exec();
}

// Band A, 05/01/2026 pool "P1": five females.
//   1: + born 05/02 10 alive 1 dead, 1 given away, 8 weaned
//   2: + born 05/02  8 alive,        1 adopted,    8 weaned
//   3: + born 05/02  9 alive 2 dead, not weaned yet
//   4: - (negative)
//   7: deleted since: only her pool row is left, + and 7 born alive
// Band B, 16/02/2026 pool "P2": 5 +, no birth yet; 6 not palpated.
// Outside the period: 20/12/2025 pool "P0", female 8.
// Natural matings: 9 on 20/01 (+, 6 alive, not weaned); 10 on 25/01 (+, a birth
// recorded with no kit at all: no kindling); a row of a female being registered
// on 12/01 (no number: not the farm's yet).
// Ledger: 31/12/2025 100 does; 10/01 110 (10 entries); 01/02 108 (1 dead, 1
// culled); 10/02 16 kits weaned; 05/03 120 (12 entries, after "Hasta").
inline void build(Database& db) {
    const QDate a(2026, 1, 5), b(2026, 2, 16), born(2026, 2, 5);
    addCycle(db, {.female = 1,
                  .mated = a,
                  .palpation = true,
                  .born = born,
                  .alive = 10,
                  .dead = 1,
                  .givenAway = 1,
                  .weaned = 8});
    addCycle(db, {.female = 2, .mated = a, .palpation = true, .born = born, .alive = 8, .added = 1, .weaned = 8});
    addCycle(db, {.female = 3, .mated = a, .palpation = true, .born = born, .alive = 9, .dead = 2});
    addCycle(db, {.female = 4, .mated = a, .palpation = false});
    for (qint64 f : {1, 2, 3, 4})
        addPoolRow(db, a, f, QStringLiteral("P1"), f != 4);
    addPoolRow(db, a, 7, QStringLiteral("P1"), true, 7, 0);
    addCycle(db, {.female = 5, .mated = b, .palpation = true});
    addCycle(db, {.female = 6, .mated = b});
    addPoolRow(db, b, 5, QStringLiteral("P2"), true);
    addPoolRow(db, b, 6, QStringLiteral("P2"), std::nullopt);
    addCycle(db, {.female = 8, .mated = QDate(2025, 12, 20), .palpation = true});
    addPoolRow(db, QDate(2025, 12, 20), 8, QStringLiteral("P0"), true);
    addCycle(db, {.female = 9,
                  .mated = QDate(2026, 1, 20),
                  .male = 100,
                  .palpation = true,
                  .born = QDate(2026, 2, 20),
                  .alive = 6});
    addCycle(db,
             {.female = 10, .mated = QDate(2026, 1, 25), .male = 100, .palpation = true, .born = QDate(2026, 2, 25)});
    addCycle(db, {.mated = QDate(2026, 1, 12), .male = 100, .palpation = true});

    testkit::addLedgerDay(db, QDate(2025, 12, 31), QStringLiteral("NumeroTotalHembras=100"));
    testkit::addLedgerDay(db, QDate(2026, 1, 10), QStringLiteral("NumeroTotalHembras=110, AltasHembras=10"));
    testkit::addLedgerDay(db, QDate(2026, 2, 1),
                          QStringLiteral("NumeroTotalHembras=108, BajasHembrasMuertas=1, BajasHembrasEliminadas=1"));
    testkit::addLedgerDay(db, QDate(2026, 2, 10),
                          QStringLiteral("NumeroTotalHembras=108, NumeroDestetes=2, Destetados=16"));
    testkit::addLedgerDay(db, QDate(2026, 3, 5), QStringLiteral("NumeroTotalHembras=120, AltasHembras=12"));
}

inline const QDate kToday(2026, 3, 10);

} // namespace resultskit
