#include "MaternityLedger.h"

#include "DbError.h"
#include "Query.h"
#include "SqlFormat.h"
#include "Transaction.h"

#include <array>
#include <stdexcept>

// Counter values of a new day row by column position (1 to 24 as the table
// orders them); only positions 7 to 23 are counters, the rest is written apart.
struct MaternityLedger::Counters {
    std::array<qint64, 25> at{};
};

namespace {

// Column positions of the counters that events fill.
constexpr int kCubriciones = 10;
constexpr int kPalpacionesPositivas = 11;
constexpr int kPalpacionesNegativas = 12;
constexpr int kNumeroPartos = 13;
constexpr int kNacidosVivos = 14;
constexpr int kNacidosMuertos = 15;
constexpr int kNumeroDestetes = 17;
constexpr int kDestetados = 18;

} // namespace

MaternityLedger::MaternityLedger(Database& db) : m_db(db) {}

void MaternityLedger::requireDate(const QDate& date) {
    // A day row without a date could never be found again: refuse it before
    // anything is written.
    if (!date.isValid())
        throw DbError(QStringLiteral("No se puede anotar en los datos diarios de maternidad un día sin fecha"));
}

void MaternityLedger::trace(const Query& q) {
    if (m_trace)
        m_trace(q.expandedText());
}

void MaternityLedger::run(const QDate& date, const Statement& statement) {
    Query q(m_db);
    for (const QString& line : statement.lines)
        q << line;
    q.bindDate(QStringLiteral("fecha"), date);
    for (const auto& [name, amount] : statement.amounts)
        q.bindInteger(name, amount);
    trace(q);
    q.exec();
}

bool MaternityLedger::dayRowExists(const QDate& date) {
    Query q(m_db, QStringLiteral("select * from HistoricoMaternidad where Fecha=:fecha"));
    q.bindDate(QStringLiteral("fecha"), date);
    trace(q);
    q.open();
    return !q.eof();
}

MaternityLedger::Totals MaternityLedger::carried(const QDate& date, Style style) {
    Query q(m_db);
    if (style == Style::Register) {
        q << "select Fecha, NumeroTotalHembras, NumeroTotalMachos from HistoricoMaternidad where fecha<:fecha order "
             "by Fecha desc";
        q.bindDate(QStringLiteral("fecha"), date);
    } else {
        // The block screens have always sent this text with the date run into
        // "order", which no parameter marker can be; it runs once per list.
        q << QStringLiteral("select Fecha, NumeroTotalHembras, NumeroTotalMachos from HistoricoMaternidad where "
                            "fecha<%1order by Fecha desc")
                 .arg(sql::date(date));
    }
    trace(q);
    q.open();
    Totals totals;
    if (!q.eof()) {
        totals.females = q.field(QStringLiteral("NumeroTotalHembras")).asInteger();
        totals.males = q.field(QStringLiteral("NumeroTotalMachos")).asInteger();
    }
    return totals;
}

MaternityLedger::Totals MaternityLedger::carriedTotals(const QDate& date) {
    requireDate(date);
    return carried(date, Style::Register);
}

void MaternityLedger::insertDay(const QDate& date, const Totals& totals, const Counters& counters) {
    // All 24 columns by position: the date, the females carried, three zeros, the
    // males carried, the counters 7 to 23 and the empty remarks.
    Statement insert;
    QString values = QStringLiteral(":fecha, :hembras, 0, 0, 0, :machos");
    insert.amounts = {{QStringLiteral("hembras"), totals.females}, {QStringLiteral("machos"), totals.males}};
    for (int column = 7; column <= 23; ++column) {
        const QString name = QStringLiteral("c%1").arg(column);
        values += (column == 23 ? QStringLiteral(" ,:") : QStringLiteral(", :")) + name;
        insert.amounts.emplace_back(name, counters.at[column]);
    }
    insert.lines = {QStringLiteral("insert into HistoricoMaternidad Values (%1, '')").arg(values)};
    run(date, insert);
}

void MaternityLedger::registerEvent(const QDate& d, const Statement& dayUpdate, const Statement& shift) {
    Transaction transaction(m_db);
    if (!dayRowExists(d))
        insertDay(d, carried(d, Style::Register), Counters{});
    run(d, dayUpdate);
    run(d, shift);
    transaction.commit();
}

void MaternityLedger::blockEvent(const QDate& d, const Counters& counters, const Statement& update) {
    Transaction transaction(m_db);
    if (dayRowExists(d))
        run(d, update);
    else
        insertDay(d, carried(d, Style::Block), counters);
    transaction.commit();
}

void MaternityLedger::newFemale(const QDate& entry) {
    bulkAdditions(entry, 1);
}

void MaternityLedger::bulkAdditions(const QDate& date, qint64 count) {
    if (count == 0)
        return;
    requireDate(date);
    // "+:k" reads "+-3" for -3: SQL takes it as a subtraction.
    const QString total = QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+:k");
    const std::vector<std::pair<QString, qint64>> k{{QStringLiteral("k"), count}};
    registerEvent(date,
                  {{total, QStringLiteral(", AltasHembras=AltasHembras+:k"), QStringLiteral("where Fecha=:fecha")}, k},
                  {{total, QStringLiteral("where Fecha>:fecha")}, k});
}

void MaternityLedger::cull(const QDate& date, int causaBaja) {
    if (causaBaja != 0 && causaBaja != 1)
        throw std::invalid_argument("a cull is recorded with cause 0 (culled) or 1 (died)");
    requireDate(date);
    const QString total = QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras-1");
    const QString counter = causaBaja == 0 ? QStringLiteral(", BajasHembrasEliminadas=BajasHembrasEliminadas+1")
                                           : QStringLiteral(", BajasHembrasMuertas=BajasHembrasMuertas+1");
    registerEvent(date, {{total, counter, QStringLiteral("where Fecha=:fecha")}, {}},
                  {{total, QStringLiteral("where Fecha>:fecha")}, {}});
}

void MaternityLedger::matings(const QDate& date, qint64 count) {
    requireDate(date);
    Counters c;
    c.at[kCubriciones] = count;
    blockEvent(date, c,
               {{QStringLiteral("update HistoricoMaternidad set Cubriciones=Cubriciones+:n where Fecha=:fecha")},
                {{QStringLiteral("n"), count}}});
}

void MaternityLedger::palpations(const QDate& date, qint64 positives, qint64 negatives) {
    requireDate(date);
    Counters c;
    c.at[kPalpacionesPositivas] = positives;
    c.at[kPalpacionesNegativas] = negatives;
    blockEvent(date, c,
               {{QStringLiteral("update HistoricoMaternidad set PalpacionesPositivas=PalpacionesPositivas+:p, "
                                "PalpacionesNegativas=PalpacionesNegativas+:q where Fecha=:fecha")},
                {{QStringLiteral("p"), positives}, {QStringLiteral("q"), negatives}}});
}

void MaternityLedger::births(const QDate& date, qint64 births, qint64 alive, qint64 dead) {
    requireDate(date);
    Counters c;
    c.at[kNumeroPartos] = births;
    c.at[kNacidosVivos] = alive;
    c.at[kNacidosMuertos] = dead;
    blockEvent(date, c,
               {{QStringLiteral("update HistoricoMaternidad set NumeroPartos=NumeroPartos+:b, "
                                "NacidosVivos=NacidosVivos+:v, NacidosMuertos=NacidosMuertos+:m where Fecha=:fecha")},
                {{QStringLiteral("b"), births}, {QStringLiteral("v"), alive}, {QStringLiteral("m"), dead}}});
}

void MaternityLedger::births(const QDate& date, const BirthTally& tally) {
    births(date, tally.births, tally.alive, tally.dead);
}

void MaternityLedger::BirthTally::add(qint64 aliveKits, qint64 deadKits) {
    alive += aliveKits;
    dead += deadKits;
    if (aliveKits != 0 || deadKits != 0)
        ++births;
}

void MaternityLedger::weanings(const QDate& date, qint64 count, qint64 kits) {
    requireDate(date);
    Counters c;
    c.at[kNumeroDestetes] = count;
    c.at[kDestetados] = kits;
    blockEvent(date, c,
               {{QStringLiteral("update HistoricoMaternidad set NumeroDestetes=NumeroDestetes+:n, "
                                "Destetados=Destetados+:k where Fecha=:fecha")},
                {{QStringLiteral("n"), count}, {QStringLiteral("k"), kits}}});
}

void MaternityLedger::correctTotals(const QDate& date, qint64 deltaFemales, qint64 deltaMales) {
    if (deltaFemales == 0 && deltaMales == 0)
        return;
    requireDate(date);
    Transaction transaction(m_db);
    run(date, {{QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras+:h, "
                               "NumeroTotalMachos=NumeroTotalMachos+:m where Fecha>:fecha")},
               {{QStringLiteral("h"), deltaFemales}, {QStringLiteral("m"), deltaMales}}});
    transaction.commit();
}

bool MaternityLedger::recordsCull(int causaWhenEditingBegan, int causaSaved) {
    const auto culled = [](int causa) { return causa == 0 || causa == 1; };
    return culled(causaSaved) && !culled(causaWhenEditingBegan);
}
