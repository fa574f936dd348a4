#include "CycleEvents.h"

#include "BlockRow.h"
#include "db/FarmParameters.h"
#include "db/MaternityLedger.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "pools/PoolCounters.h"

namespace {

// A count typed in a row: a whole number, 0 when empty.
qint64 count(const QStringList& fields, int field) {
    return blockrow::integerField(fields, field);
}

// The mating date of a cycle row, to find its mirror and its pool row.
QDate matingDate(Database& db, qint64 orden) {
    Query q(db, QStringLiteral("select FechaCubricion from CubriHembras where orden = :orden"));
    q.bindInteger(QStringLiteral("orden"), orden);
    q.open();
    return q.field(QStringLiteral("FechaCubricion")).asDate();
}

} // namespace

PalpationEvent::PalpationEvent(const FarmParameters& parameters) : m_diasPalpar(parameters.diasPalpar) {}

QStringList PalpationEvent::candidateStatement(const CageRange& range, const QDate& day) const {
    QStringList lines{QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, orden "
                                     "from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra")};
    lines << rangeLines(range, QStringLiteral(" and Jaula>=%1"));
    lines << QStringLiteral(" and FechaCubricion<='%1' and Enfermedad=0 and CausaBaja not in (0,1) and Palpacion is "
                            "NULL and orden in ( select max(orden) from CubriHembras group by CodigoHembra)")
                 .arg(sql::dateText(day.addDays(-m_diasPalpar)));
    return lines;
}

QString PalpationEvent::candidateRow(const Query& result) const {
    return blockrow::femaleRow(result, {QStringLiteral("+"), result.field(QStringLiteral("orden")).asString()});
}

QString PalpationEvent::flipped(const QString& result) {
    return result == QLatin1String("+") ? QStringLiteral("-") : QStringLiteral("+");
}

void PalpationEvent::processRow(Database& db, const QStringList& fields, const QDate&) {
    const qint64 female = blockrow::integerField(fields, blockrow::kAnimal);
    const qint64 orden = blockrow::integerField(fields, kOrden);
    const bool positive = fields.value(kResult) == QLatin1String("+");
    Query q(db);
    q << "update CubriHembras set Palpacion=:palpacion"
      << "where orden = :orden";
    q.bindLogical(QStringLiteral("palpacion"), positive);
    q.bindInteger(QStringLiteral("orden"), orden);
    q.exec();
    const QDate fc = matingDate(db, orden);
    q.clear();
    q << "update CubriMachos set Palpacion=:palpacion where FechaCubricion=:fc and CodigoHembra=:hembra";
    q.bindLogical(QStringLiteral("palpacion"), positive);
    q.bindDate(QStringLiteral("fc"), fc);
    q.bindInteger(QStringLiteral("hembra"), female);
    q.exec();
    PoolCounters(db).recordPalpation(female, fc, positive);
    ++(positive ? m_positives : m_negatives);
}

void PalpationEvent::recordLedger(Database& db, const QDate& day, int) {
    MaternityLedger(db).palpations(day, m_positives, m_negatives);
}

QStringList BirthEvent::candidateStatement(const CageRange& range, const QDate& day) const {
    QStringList lines{QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, Orden "
                                     "from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra")};
    lines << rangeLines(range, QStringLiteral(" and Jaula>=%1"));
    lines << QStringLiteral(" and Palpacion=True and FechaCubricion<='%1' and FechaParto is NULL and CausaBaja not in "
                            "(0,1) and orden in ( select max(orden) from CubriHembras group by CodigoHembra)")
                 .arg(sql::dateText(day.addDays(-kGestationDays)));
    return lines;
}

QString BirthEvent::candidateRow(const Query& result) const {
    const QString zero = QStringLiteral("0");
    return blockrow::femaleRow(result, {zero, zero, zero, zero, result.field(QStringLiteral("Orden")).asString()});
}

void BirthEvent::processRow(Database& db, const QStringList& fields, const QDate& day) {
    const qint64 female = blockrow::integerField(fields, blockrow::kAnimal);
    const qint64 orden = blockrow::integerField(fields, kOrden);
    const qint64 v = count(fields, kAlive);
    const qint64 m = count(fields, kDead);
    Query q(db);
    q << "update CubriHembras set FechaParto=:fp, NacidosVivos=:v, NacidosMuertos=:m, Anadidos=:a, Quitados=:q"
      << "where orden = :orden";
    q.bindDate(QStringLiteral("fp"), day);
    q.bindInteger(QStringLiteral("v"), v);
    q.bindInteger(QStringLiteral("m"), m);
    q.bindInteger(QStringLiteral("a"), count(fields, kAdopted));
    q.bindInteger(QStringLiteral("q"), count(fields, kGiven));
    q.bindInteger(QStringLiteral("orden"), orden);
    q.exec();
    const QDate fc = matingDate(db, orden);
    q.clear();
    q << "update CubriMachos set NacidosVivos=:v, NacidosMuertos=:m"
      << "where FechaCubricion=:fc and CodigoHembra=:hembra";
    q.bindInteger(QStringLiteral("v"), v);
    q.bindInteger(QStringLiteral("m"), m);
    q.bindDate(QStringLiteral("fc"), fc);
    q.bindInteger(QStringLiteral("hembra"), female);
    q.exec();
    PoolCounters(db).recordBirth(female, fc, v, m);
    // A litter with neither kit alive nor dead is written, but not counted as a birth.
    m_tally.add(v, m);
}

void BirthEvent::recordLedger(Database& db, const QDate& day, int) {
    MaternityLedger(db).births(day, m_tally);
}

WeaningEvent::WeaningEvent(const FarmParameters& parameters) : m_diasDestetar(parameters.diasDestetar) {}

QStringList WeaningEvent::candidateStatement(const CageRange& range, const QDate& day) const {
    QStringList lines{QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, "
                                     "FechaParto, NacidosVivos, NacidosMuertos, Anadidos, Quitados, Orden from "
                                     "Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra")};
    lines << rangeLines(range);
    lines << QStringLiteral(" and FechaParto<='%1' and CausaBaja not in (0,1) and (NacidosVivos+Anadidos)>(Quitados) "
                            "and orden in ( select max(orden) from CubriHembras where FechaParto is not NULL and not "
                            "(Destetada=TRUE) group by CodigoHembra)")
                 .arg(sql::dateText(day.addDays(-m_diasDestetar)));
    return lines;
}

QString WeaningEvent::candidateRow(const Query& result) const {
    const qint64 live = result.field(QStringLiteral("NacidosVivos")).asInteger() +
                        result.field(QStringLiteral("Anadidos")).asInteger() -
                        result.field(QStringLiteral("Quitados")).asInteger();
    return blockrow::femaleRow(result, {sql::number(live), result.field(QStringLiteral("Orden")).asString()});
}

void WeaningEvent::processRow(Database& db, const QStringList& fields, const QDate&) {
    const qint64 n = count(fields, kWeaned);
    Query q(db);
    q << "update CubriHembras set Destetados=:destetados, Destetada=True"
      << "where orden = :orden";
    q.bindInteger(QStringLiteral("destetados"), n);
    q.bindInteger(QStringLiteral("orden"), blockrow::integerField(fields, kOrden));
    q.exec();
    m_weaned += n;
}

void WeaningEvent::recordLedger(Database& db, const QDate& day, int rows) {
    // Every row is one weaning, also one with no kit weaned.
    MaternityLedger(db).weanings(day, rows, m_weaned);
}
