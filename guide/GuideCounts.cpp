#include "GuideCounts.h"

#include "db/DisplayFormat.h"

namespace {

qint64 count(Query& q, const QString& marker, qint64 animal) {
    q.bindNumber(marker, double(animal));
    q.open();
    const qint64 n = q.field(QStringLiteral("cuenta")).asInteger();
    q.close();
    return n;
}

} // namespace

GuideCounts::GuideCounts(Database& db)
    : m_births(db, QStringLiteral("select count(*) cuenta from cubriHembras where fechaParto is not null and "
                                  "CodigoHembra=:hembra")),
      m_cycles(db, QStringLiteral("select * from cubriHembras where CodigoHembra=:hembra order by orden desc")),
      m_malePositives(db, QStringLiteral("select count(*) cuenta from cubriMachos where CodigoMacho=:macho and "
                                         "Palpacion=True")),
      m_maleMatings(db, QStringLiteral("select count(*) cuenta from cubriMachos where CodigoMacho=:macho")) {}

qint64 GuideCounts::births(qint64 female) {
    return count(m_births, QStringLiteral("hembra"), female);
}

qint64 GuideCounts::negatives(qint64 female, int skip) {
    m_cycles.bindNumber(QStringLiteral("hembra"), double(female));
    qint64 n = 0;
    int row = 0;
    for (m_cycles.open(); !m_cycles.eof(); m_cycles.next(), ++row) {
        if (row < skip)
            continue;
        const Field palpacion = m_cycles.field(QStringLiteral("Palpacion"));
        if (palpacion.isNull() || palpacion.asBoolean())
            break;
        ++n;
    }
    m_cycles.close();
    return n;
}

QString GuideCounts::positivePercent(qint64 male) {
    const qint64 matings = count(m_maleMatings, QStringLiteral("macho"), male);
    if (matings == 0)
        return QString();
    const qint64 positives = count(m_malePositives, QStringLiteral("macho"), male);
    return display::mask(double(positives) / double(matings) * 100.0, QStringLiteral("##0.00 %"));
}
