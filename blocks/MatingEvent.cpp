#include "MatingEvent.h"

#include "BlockRow.h"
#include "db/FarmParameters.h"
#include "db/MaternityLedger.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "pools/PoolCounters.h"

MatingEvent::MatingEvent(const FarmParameters& parameters)
    : m_diasCubrirPosparto(parameters.diasCubrirPosparto), m_edad1CubrirHembra(parameters.edad1CubrirHembra) {}

QStringList MatingEvent::candidates(const CageRange& range, const QDate& day, const QString& firstLine,
                                    const QString& healthy) const {
    const QString dEdad = sql::dateText(day.addDays(-m_edad1CubrirHembra));
    const QString dPost = sql::dateText(day.addDays(-m_diasCubrirPosparto));
    QStringList lines{firstLine};
    lines << rangeLines(range);
    // The cycle row is the female's last: her highest Orden, found through the
    // index on (CodigoHembra, Orden) for her alone rather than grouped over the
    // whole cycle table for every load.
    lines << QStringLiteral(" and FechaNacimiento<='%1' and ((Palpacion=False) or (FechaParto<='%2')) and %3=0 and "
                            "CausaBaja not in (0,1) and orden = ( select max(orden) from CubriHembras c where "
                            "c.CodigoHembra=a.CodigoHembra)")
                 .arg(dEdad, dPost, healthy);
    // Never-mated females old enough, from the whole farm: no cycle row of hers,
    // looked up in the same index. A cycle row without a female number (one
    // being entered on another computer) is nobody's and hides no female. A
    // female without a number has no cycle row of hers; she is listed only
    // while the farm has no numbered cycle row at all, as the list of cycle
    // females ("not in") always had it.
    lines << QStringLiteral(" union select CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False, '01/01/2000', "
                            "0 from Hembras where not exists (select CodigoHembra from CubriHembras c where "
                            "c.CodigoHembra=Hembras.CodigoHembra) and (CodigoHembra is not NULL or not exists (select "
                            "CodigoHembra from CubriHembras where CodigoHembra is not NULL)) and "
                            "FechaNacimiento<='%1'")
                 .arg(dEdad);
    return lines;
}

QStringList MatingEvent::candidateStatement(const CageRange& range, const QDate& day) const {
    return candidates(range, day,
                      QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, "
                                     "FechaParto, Orden from Hembras a, CubriHembras b where "
                                     "a.CodigoHembra=b.CodigoHembra "),
                      QStringLiteral("enfermedad"));
}

QString MatingEvent::candidateRow(const Query& result) const {
    return blockrow::femaleRow(result, {QStringLiteral("0"), result.field(QStringLiteral("Orden")).asString()});
}

namespace {

// A new cycle row: mated on the day, not palpated, no birth, not weaned.
// An insemination writes -1 as its male.
void insertCycleRow(Database& db, qint64 female, const QDate& day, qint64 male) {
    Query q(db);
    q << "insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho,"
      << "NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada)"
      << "VALUES (:hembra, :fecha, :macho, 0, 0, 0, 0, 0, False)";
    q.bindInteger(QStringLiteral("hembra"), female);
    q.bindDate(QStringLiteral("fecha"), day);
    q.bindInteger(QStringLiteral("macho"), male);
    q.exec();
}

} // namespace

void MatingEvent::processRow(Database& db, const QStringList& fields, const QDate& day) {
    const qint64 female = blockrow::integerField(fields, blockrow::kAnimal);
    const qint64 male = blockrow::integerField(fields, kMale);
    insertCycleRow(db, female, day, male);
    // The male's mirror row is written also for male 0.
    Query q(db);
    q << "insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra,"
      << "NacidosVivos, NacidosMuertos)"
      << "VALUES (:macho, :fecha, :hembra, 0, 0)";
    q.bindInteger(QStringLiteral("macho"), male);
    q.bindDate(QStringLiteral("fecha"), day);
    q.bindInteger(QStringLiteral("hembra"), female);
    q.exec();
}

void MatingEvent::recordLedger(Database& db, const QDate& day, int rows) {
    MaternityLedger(db).matings(day, rows);
}

InseminationEvent::InseminationEvent(const FarmParameters& parameters, QString pool)
    : MatingEvent(parameters), m_pool(std::move(pool)) {}

QStringList InseminationEvent::candidateStatement(const CageRange& range, const QDate& day) const {
    return candidates(range, day,
                      QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, "
                                     "FechaParto, Orden from Hembras a, CubriHembras b where "
                                     "a.CodigoHembra=b.CodigoHembra"),
                      QStringLiteral("Enfermedad"));
}

QString InseminationEvent::candidateRow(const Query& result) const {
    return blockrow::femaleRow(result, {m_pool, result.field(QStringLiteral("Orden")).asString()});
}

void InseminationEvent::processRow(Database& db, const QStringList& fields, const QDate& day) {
    const qint64 female = blockrow::integerField(fields, blockrow::kAnimal);
    insertCycleRow(db, female, day, -1);
    // The female is classified after her new cycle row exists; rows of this day do not count.
    PoolCounters(db).recordInsemination(female, day, fields.value(kPool));
}
