#pragma once

#include "db/Query.h"
#include "reports/FemaleListSheet.h"
#include "reports/SheetRows.h"

#include <QDate>
#include <QStringList>
#include <memory>

class Database;

// The occupied cages of a range: every active female whose cage lies between the
// two bounds (a bound of 0 is open), in cage order, with her code and marks. The
// sheet "Jaulas Ocupadas" has four page columns and is not produced at all when
// no female is listed.
class OccupiedCages {
public:
    OccupiedCages(Database& db, qint64 from, qint64 to, const QDate& today);
    OccupiedCages(const OccupiedCages&) = delete;
    OccupiedCages& operator=(const OccupiedCages&) = delete;

    // The statement, built line by line: a bound of 0 adds no line.
    static QStringList statement(qint64 from, qint64 to);

    const FemaleListSheet& sheet() const { return m_sheet; }
    // Runs the statement; the rows from the first. Each call runs it again.
    SheetRows& rows();

private:
    qint64 m_from;
    qint64 m_to;
    FemaleListSheet m_sheet;
    Query m_query;
    std::unique_ptr<QueryRows> m_rows;
};
