#include "SummaryTotals.h"

#include "db/Query.h"

SummaryTotals::SummaryTotals(Database& db, const QStringList& statement, const DatePeriod& period) {
    Query q(db);
    for (const QString& line : statement)
        q << line;
    q.open();
    for (const QString& name : q.fieldNames())
        m_values.insert(name.toLower(), q.field(name).asFloat());
    m_days = period.length(q.field(QStringLiteral("cuenta")).asInteger());
}

double SummaryTotals::value(const char* column) const {
    return m_values.value(QString::fromLatin1(column).toLower());
}

SummaryLine SummaryTotals::counted(const char* caption, double sum) const {
    return SummaryLine::counted(QString::fromUtf8(caption), sum, m_days);
}
