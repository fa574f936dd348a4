#include "GuideCounts.h"

#include "db/DisplayFormat.h"
#include "db/Query.h"

namespace {

// "cuenta" per animal of a statement grouped by the animal's number.
QHash<qint64, qint64> countsBy(Database& db, const QString& animal, const QString& statement) {
    QHash<qint64, qint64> counts;
    Query q(db, statement);
    for (q.open(); !q.eof(); q.next())
        counts.insert(q.field(animal).asInteger(), q.field(QStringLiteral("cuenta")).asInteger());
    return counts;
}

} // namespace

qint64 GuideCounts::births(qint64 female) {
    if (!m_births)
        m_births = countsBy(m_db, QStringLiteral("CodigoHembra"),
                            QStringLiteral("select CodigoHembra, count(*) cuenta from cubriHembras where fechaParto is "
                                           "not null group by CodigoHembra"));
    return m_births->value(female);
}

qint64 GuideCounts::negatives(qint64 female, int skip) {
    if (!m_palpations) {
        m_palpations.emplace();
        Query q(m_db,
                QStringLiteral("select CodigoHembra, Palpacion from cubriHembras order by CodigoHembra, orden desc"));
        for (q.open(); !q.eof(); q.next()) {
            const Field p = q.field(QStringLiteral("Palpacion"));
            (*m_palpations)[q.field(QStringLiteral("CodigoHembra")).asInteger()].push_back(p.isNull() ? Palpation::None
                                                                                           : p.asBoolean()
                                                                                               ? Palpation::Positive
                                                                                               : Palpation::Negative);
        }
    }
    const auto it = m_palpations->constFind(female);
    if (it == m_palpations->cend())
        return 0;
    qint64 n = 0;
    for (size_t row = size_t(std::max(skip, 0)); row < it->size() && (*it)[row] == Palpation::Negative; ++row)
        ++n;
    return n;
}

QString GuideCounts::positivePercent(qint64 male) {
    if (!m_maleMatings) {
        m_maleMatings = countsBy(m_db, QStringLiteral("CodigoMacho"),
                                 QStringLiteral("select CodigoMacho, count(*) cuenta from cubriMachos group by "
                                                "CodigoMacho"));
        m_malePositives = countsBy(m_db, QStringLiteral("CodigoMacho"),
                                   QStringLiteral("select CodigoMacho, count(*) cuenta from cubriMachos where "
                                                  "Palpacion=True group by CodigoMacho"));
    }
    const qint64 matings = m_maleMatings->value(male);
    if (matings == 0)
        return QString();
    const qint64 positives = m_malePositives->value(male);
    return display::mask(double(positives) / double(matings) * 100.0, QStringLiteral("##0.00 %"));
}
