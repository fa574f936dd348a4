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

// "+1", "+3", "+-3": an amount added in a statement, a negative one read by SQL
// as a subtraction.
QString plus(qint64 amount) {
    return QLatin1Char('+') + sql::number(amount);
}

} // namespace

MaternityLedger::MaternityLedger(Database& db) : m_db(db) {}

QString MaternityLedger::dateOf(const QDate& date) {
    // A day row without a date could never be found again: refuse it before
    // anything is written.
    if (!date.isValid())
        throw DbError(QStringLiteral("No se puede anotar en los datos diarios de maternidad un día sin fecha"));
    return sql::dateText(date);
}

void MaternityLedger::run(Query& q, const QStringList& lines) {
    q.clear();
    for (const QString& line : lines)
        q << line;
    if (m_trace)
        m_trace(q.text());
    q.exec();
}

bool MaternityLedger::dayRowExists(Query& q, const QString& date) {
    q.clear();
    q << QStringLiteral("select * from HistoricoMaternidad where Fecha='%1'").arg(date);
    if (m_trace)
        m_trace(q.text());
    q.open();
    const bool exists = !q.eof();
    q.close();
    return exists;
}

MaternityLedger::Totals MaternityLedger::carried(Query& q, const QString& date, Style style) {
    // The block screens have always sent this text without the blank before "order".
    const QString gap = style == Style::Register ? QStringLiteral(" ") : QString();
    q.clear();
    q << QStringLiteral("select Fecha, NumeroTotalHembras, NumeroTotalMachos from HistoricoMaternidad where "
                        "fecha<'%1'%2order by Fecha desc")
             .arg(date, gap);
    if (m_trace)
        m_trace(q.text());
    q.open();
    Totals totals;
    if (!q.eof()) {
        totals.females = q.field(QStringLiteral("NumeroTotalHembras")).asInteger();
        totals.males = q.field(QStringLiteral("NumeroTotalMachos")).asInteger();
    }
    q.close();
    return totals;
}

MaternityLedger::Totals MaternityLedger::carriedTotals(const QDate& date) {
    Query q(m_db);
    return carried(q, dateOf(date), Style::Register);
}

void MaternityLedger::insertDay(Query& q, const QString& date, const Totals& totals, const Counters& counters) {
    // All 24 columns by position: the date, the females carried, three zeros, the
    // males carried, the counters 7 to 23 and the empty remarks.
    QString values =
        QStringLiteral("'%1', %2, 0, 0, 0, %3").arg(date, sql::number(totals.females), sql::number(totals.males));
    for (int column = 7; column <= 23; ++column)
        values += (column == 23 ? QStringLiteral(" ,") : QStringLiteral(", ")) + sql::number(counters.at[column]);
    run(q, {QStringLiteral("insert into HistoricoMaternidad Values (%1, '')").arg(values)});
}

void MaternityLedger::registerEvent(const QString& d, const QStringList& dayUpdate, const QStringList& shift) {
    Transaction transaction(m_db);
    Query q(m_db);
    if (!dayRowExists(q, d))
        insertDay(q, d, carried(q, d, Style::Register), Counters{});
    run(q, dayUpdate);
    run(q, shift);
    transaction.commit();
}

void MaternityLedger::blockEvent(const QString& d, const Counters& counters, const QString& update) {
    Transaction transaction(m_db);
    Query q(m_db);
    if (dayRowExists(q, d))
        run(q, {update});
    else
        insertDay(q, d, carried(q, d, Style::Block), counters);
    transaction.commit();
}

void MaternityLedger::newFemale(const QDate& entry) {
    bulkAdditions(entry, 1);
}

void MaternityLedger::bulkAdditions(const QDate& date, int count) {
    if (count == 0)
        return;
    const QString d = dateOf(date);
    const QString k = plus(count);
    registerEvent(d,
                  {QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras") + k,
                   QStringLiteral(", AltasHembras=AltasHembras") + k, QStringLiteral("where Fecha='%1'").arg(d)},
                  {QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras") + k,
                   QStringLiteral("where Fecha>'%1'").arg(d)});
}

void MaternityLedger::cull(const QDate& date, int causaBaja) {
    if (causaBaja != 0 && causaBaja != 1)
        throw std::invalid_argument("a cull is recorded with cause 0 (culled) or 1 (died)");
    const QString d = dateOf(date);
    const QString counter = causaBaja == 0 ? QStringLiteral(", BajasHembrasEliminadas=BajasHembrasEliminadas+1")
                                           : QStringLiteral(", BajasHembrasMuertas=BajasHembrasMuertas+1");
    registerEvent(d,
                  {QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras-1"), counter,
                   QStringLiteral("where Fecha='%1'").arg(d)},
                  {QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras-1"),
                   QStringLiteral("where Fecha>'%1'").arg(d)});
}

void MaternityLedger::matings(const QDate& date, int count) {
    const QString d = dateOf(date);
    Counters c;
    c.at[kCubriciones] = count;
    blockEvent(d, c,
               QStringLiteral("update HistoricoMaternidad set Cubriciones=Cubriciones+%1 where Fecha='%2'")
                   .arg(sql::number(count), d));
}

void MaternityLedger::palpations(const QDate& date, int positives, int negatives) {
    const QString d = dateOf(date);
    Counters c;
    c.at[kPalpacionesPositivas] = positives;
    c.at[kPalpacionesNegativas] = negatives;
    blockEvent(d, c,
               QStringLiteral("update HistoricoMaternidad set PalpacionesPositivas=PalpacionesPositivas+%1, "
                              "PalpacionesNegativas=PalpacionesNegativas+%2 where Fecha='%3'")
                   .arg(sql::number(positives), sql::number(negatives), d));
}

void MaternityLedger::births(const QDate& date, int births, int alive, int dead) {
    const QString d = dateOf(date);
    Counters c;
    c.at[kNumeroPartos] = births;
    c.at[kNacidosVivos] = alive;
    c.at[kNacidosMuertos] = dead;
    blockEvent(d, c,
               QStringLiteral("update HistoricoMaternidad set NumeroPartos=NumeroPartos+%1, "
                              "NacidosVivos=NacidosVivos+%2, NacidosMuertos=NacidosMuertos+%3 where Fecha='%4'")
                   .arg(sql::number(births), sql::number(alive), sql::number(dead), d));
}

void MaternityLedger::births(const QDate& date, const BirthTally& tally) {
    births(date, tally.births, tally.alive, tally.dead);
}

void MaternityLedger::BirthTally::add(int aliveKits, int deadKits) {
    alive += aliveKits;
    dead += deadKits;
    if (aliveKits != 0 || deadKits != 0)
        ++births;
}

void MaternityLedger::weanings(const QDate& date, int count, int kits) {
    const QString d = dateOf(date);
    Counters c;
    c.at[kNumeroDestetes] = count;
    c.at[kDestetados] = kits;
    blockEvent(d, c,
               QStringLiteral("update HistoricoMaternidad set NumeroDestetes=NumeroDestetes+%1, "
                              "Destetados=Destetados+%2 where Fecha='%3'")
                   .arg(sql::number(count), sql::number(kits), d));
}

void MaternityLedger::correctTotals(const QDate& date, int deltaFemales, int deltaMales) {
    if (deltaFemales == 0 && deltaMales == 0)
        return;
    const QString d = dateOf(date);
    Transaction transaction(m_db);
    Query q(m_db);
    run(q, {QStringLiteral("update HistoricoMaternidad set NumeroTotalHembras=NumeroTotalHembras%1, "
                           "NumeroTotalMachos=NumeroTotalMachos%2 where Fecha>'%3'")
                .arg(plus(deltaFemales), plus(deltaMales), d)});
    transaction.commit();
}

bool MaternityLedger::recordsCull(int causaWhenEditingBegan, int causaSaved) {
    const auto culled = [](int causa) { return causa == 0 || causa == 1; };
    return culled(causaSaved) && !culled(causaWhenEditingBegan);
}
