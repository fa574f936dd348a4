#include "BulkAdditions.h"

#include "db/Database.h"
#include "db/MaternityLedger.h"
#include "db/Query.h"
#include "db/Transaction.h"

BulkAdditions::Missing BulkAdditions::firstMissing(const BulkAddition& a) {
    if (a.count <= 0)
        return Missing::Count;
    if (a.fromCage == 0)
        return Missing::FromCage;
    if (a.toCage == 0 || a.toCage < a.fromCage)
        return Missing::ToCage;
    if (a.birth.isNull())
        return Missing::Birth;
    if (a.entry.isNull())
        return Missing::Entry;
    return Missing::None;
}

bool BulkAdditions::cagesFree(qint64 fromCage, qint64 toCage) {
    Query q(m_db, QStringLiteral("select * from Hembras where Jaula between :desde and :hasta"));
    q.bindInteger(QStringLiteral("desde"), fromCage);
    q.bindInteger(QStringLiteral("hasta"), toCage);
    q.open();
    return q.eof();
}

BulkAdditions::Outcome BulkAdditions::add(const BulkAddition& a) {
    if (!cagesFree(a.fromCage, a.toCage))
        return Outcome::CagesTaken;
    Transaction recording(m_db);
    const qint64 last =
        Query::scalar(m_db, QStringLiteral("select max(CodigoHembra) ultimo from Hembras"), QStringLiteral("ultimo"))
            .asInteger();
    const qint64 span = a.toCage - a.fromCage + 1;
    Query insert(m_db, QStringLiteral("insert into Hembras (CodigoHembra, NumeroPadre, NumeroMadre, FechaNacimiento, "
                                      "FechaEntrada, Raza, Enfermedad, Jaula, Marca1, Marca2, Marca3, Marca4, "
                                      "CausaBaja, Seleccion) Values (:codigo, 0, 0, :nac, :entrada, :raza, 0, :jaula, "
                                      "False, False, False, False, -1, False)"));
    insert.bindDate(QStringLiteral("nac"), a.birth);
    insert.bindDate(QStringLiteral("entrada"), a.entry);
    insert.bindText(QStringLiteral("raza"), a.breed);
    qint64 offset = 0;
    for (qint64 k = 1; k <= a.count; ++k) {
        insert.bindInteger(QStringLiteral("codigo"), last + k);
        insert.bindInteger(QStringLiteral("jaula"), a.fromCage + offset);
        insert.exec();
        offset = (offset + 1 == span) ? 0 : offset + 1;
    }
    MaternityLedger(m_db).bulkAdditions(a.entry, a.count);
    recording.commit();
    return Outcome::Added;
}
