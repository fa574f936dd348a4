#include "FarmTables.h"

#include "XlsxBook.h"
#include "db/Query.h"
#include "db/Schema.h"

namespace farm_tables {

void exportAll(Database& db, const QString& path, const std::function<void(const QString& table)>& step) {
    XlsxBook book(path, {.streaming = true});
    for (const schema::TableKeys& table : schema::keys()) {
        if (step)
            step(table.table);
        Query q(db, QStringLiteral("select * from %1").arg(table.table));
        q.add(table.primaryColumn.isEmpty() ? QStringLiteral("order by rowid")
                                            : QStringLiteral("order by %1").arg(table.primaryColumn));
        q.open();
        const QStringList columns = q.fieldNames();
        book.addSheet(table.table, {}, columns);
        std::vector<ExportCell> cells(size_t(columns.size()));
        for (; !q.eof(); q.next()) {
            for (qsizetype c = 0; c < columns.size(); ++c) {
                cells[size_t(c)] = ExportCell::fromValue(q.field(columns[c]).typed(), QString());
            }
            book.addRow(cells);
        }
    }
    book.close();
}

} // namespace farm_tables
