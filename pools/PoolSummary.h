#pragma once

#include "PoolCounters.h"
#include "reports/HouseSheet.h"
#include "reports/SheetRows.h"

#include <QStringList>
#include <array>
#include <optional>

class Database;

// The three computed cells of a state: percentage of positive palpations and of
// births over the females ("##0"), and kits born alive per birth ("0.0"). A cell
// whose divisor is 0 reads "0".
struct PoolCells {
    QString positives;
    QString births;
    QString alive;
    bool operator==(const PoolCells&) const = default;
};
PoolCells poolCells(const PoolGroup& group);

// One line of the pool summary: its caption, the females counted as stored and
// the three computed cells.
struct PoolSummaryLine {
    QString caption;
    qint64 females = 0;
    PoolCells cells;
};

// The four lines "Nulíparas", "Lactación", "Retrasadas" and "Total" of a pool;
// with no pool every count and cell is 0.
std::array<PoolSummaryLine, 4> poolSummary(const std::optional<PoolTotals>& totals);

// Every pool name in MasterPools, in key order.
QStringList poolNames(Database& db);

// The pool summary sheet "Resumen del Pool": the grid of the screen under the
// line "Pool: {name}"; counts through "#,###", so 0 prints nothing. Printed even
// though it has no detail line.
class PoolSummarySheet : public HouseSheet {
public:
    PoolSummarySheet(Database& db, const QDate& today, const QString& pool,
                     const std::array<PoolSummaryLine, 4>& lines);
    ListRows rows() const;

private:
    std::array<PoolSummaryLine, 4> m_lines;
};

// The detail of one pool: its Pools rows read by a three-line statement whose
// last line is the current order. The sort column (0 "Fecha" to 6 "Estado")
// starts on 0 marked ascending while the rows start ordered by female code.
class PoolDetail {
public:
    static constexpr int kColumns = 7;
    static const QStringList& headings();

    explicit PoolDetail(QString pool) : m_pool(std::move(pool)) {}

    const QString& pool() const { return m_pool; }
    int sortColumn() const { return m_sortColumn; }
    bool ascending() const { return m_ascending; }
    QString orderLine() const { return m_orderLine; }

    // A click on heading k: descending when k is the current column marked
    // ascending, ascending otherwise.
    void sortBy(int column);

    // Prepares q with the detail's statement, the pool bound, and opens it.
    void open(Query& q) const;

    // The seven screen texts of the current row of q: date, code "#,###",
    // palpation "+", "-" or "?", kits alive and dead and days "0", state.
    static QStringList screenTexts(const Query& q);

private:
    QString m_pool;
    int m_sortColumn = 0;
    bool m_ascending = true;
    QString m_orderLine = QStringLiteral("order by CodigoHembra");
};

// The pool composition sheet "Composición del Pool": two columns per page, one
// line per detail row in its current order, the palpation "+" when True and "-"
// otherwise. Not printed when the pool has no row.
class PoolCompositionSheet : public HouseSheet {
public:
    PoolCompositionSheet(Database& db, const QDate& today, const QString& pool);
};
