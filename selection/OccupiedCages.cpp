#include "OccupiedCages.h"

#include "db/SqlFormat.h"
#include "reports/HouseStyle.h"

OccupiedCages::OccupiedCages(Database& db, qint64 from, qint64 to, const QDate& today)
    : m_from(from), m_to(to), m_sheet(db, QStringLiteral("Jaulas Ocupadas"), today, 4), m_query(db) {
    m_sheet.setSelection(house::cageRange(from, to));
    m_sheet.setSkipWhenEmpty(true);
}

QStringList OccupiedCages::statement(qint64 from, qint64 to) {
    QStringList lines{QStringLiteral("select * from Hembras where CausaBaja not in (0,1)")};
    if (from > 0)
        lines << QStringLiteral(" and Jaula>=") + sql::number(from);
    if (to > 0)
        lines << QStringLiteral(" and Jaula<=") + sql::number(to);
    lines << QStringLiteral("order by Jaula");
    return lines;
}

SheetRows& OccupiedCages::rows() {
    m_query.clear();
    for (const QString& line : statement(m_from, m_to))
        m_query << line;
    m_query.open();
    m_rows = std::make_unique<QueryRows>(m_query);
    return *m_rows;
}
