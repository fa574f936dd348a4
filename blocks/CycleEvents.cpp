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
    return blockrow::numberField(fields, field).toLongLong();
}

// The mating date of a cycle row, to find its mirror and its pool row.
QDate matingDate(Database& db, const QString& orden) {
    Query q(db, QStringLiteral("select * from CubriHembras where orden = %1").arg(orden));
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
    const QString female = blockrow::numberField(fields, blockrow::kAnimal);
    const QString orden = blockrow::numberField(fields, kOrden);
    const bool positive = fields.value(kResult) == QLatin1String("+");
    const QString r = sql::logical(positive);
    Query q(db);
    q << QStringLiteral("update CubriHembras set Palpacion=%1").arg(r) << QStringLiteral("where orden = %1").arg(orden);
    q.exec();
    const QDate fc = matingDate(db, orden);
    q.clear();
    q << QStringLiteral("update CubriMachos set Palpacion=%1 where FechaCubricion='%2' and CodigoHembra=%3")
             .arg(r, sql::dateText(fc), female);
    q.exec();
    PoolCounters(db).recordPalpation(female.toLongLong(), fc, positive);
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
    const QString female = blockrow::numberField(fields, blockrow::kAnimal);
    const QString orden = blockrow::numberField(fields, kOrden);
    const qint64 v = count(fields, kAlive);
    const qint64 m = count(fields, kDead);
    Query q(db);
    q << QStringLiteral("update CubriHembras set FechaParto='%1', NacidosVivos=%2, NacidosMuertos=%3, Anadidos=%4, "
                        "Quitados=%5")
             .arg(sql::dateText(day), sql::number(v), sql::number(m), sql::number(count(fields, kAdopted)),
                  sql::number(count(fields, kGiven)))
      << QStringLiteral("where orden = %1").arg(orden);
    q.exec();
    const QDate fc = matingDate(db, orden);
    q.clear();
    q << QStringLiteral("update CubriMachos set NacidosVivos=%1, NacidosMuertos=%2").arg(sql::number(v), sql::number(m))
      << QStringLiteral("where FechaCubricion='%1' and CodigoHembra=%2").arg(sql::dateText(fc), female);
    q.exec();
    PoolCounters(db).recordBirth(female.toLongLong(), fc, v, m);
    // A litter with neither kit alive nor dead is written, but not counted as a birth.
    m_tally.add(int(v), int(m));
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
    q << QStringLiteral("update CubriHembras set Destetados=%1, Destetada=True").arg(sql::number(n))
      << QStringLiteral("where orden = %1").arg(blockrow::numberField(fields, kOrden));
    q.exec();
    m_weaned += n;
}

void WeaningEvent::recordLedger(Database& db, const QDate& day, int rows) {
    // Every row is one weaning, also one with no kit weaned.
    MaternityLedger(db).weanings(day, rows, int(m_weaned));
}
