#include "Registers.h"

#include "db/TableCursor.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

namespace registers {

namespace {

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

} // namespace

bool isNew(const TableCursor& animals, const QString& codeColumn) {
    return animals.state() == TableCursor::State::Insert ||
           (animals.state() == TableCursor::State::Edit && isNull(animals.storedValue(codeColumn)));
}

std::optional<BreedingHistory::Owner> historyOwner(const TableCursor& animals, const QString& codeColumn,
                                                   const QString& machineTag) {
    if (animals.state() == TableCursor::State::Insert)
        return BreedingHistory::Owner::provisional(machineTag);
    const QVariant code =
        animals.state() == TableCursor::State::Browse ? animals.value(codeColumn) : animals.storedValue(codeColumn);
    if (isNull(code))
        return std::nullopt;
    return BreedingHistory::Owner::animal(sql::rounded(code.toDouble()));
}

qint64 firstGap(Database& db, const QString& statement, const QString& column, qint64 from) {
    qint64 n = from;
    Query q(db, statement);
    for (q.open(); !q.eof(); q.next()) {
        const qint64 taken = q.field(column).asInteger();
        if (taken < n)
            continue;
        if (taken > n)
            break;
        ++n;
    }
    return n;
}

} // namespace registers
