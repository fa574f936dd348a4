#include "BlockBatch.h"

#include "BlockRow.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace blockbatch {

CandidateList load(Database& db, const BlockEvent& event, const CageRange& range, const QDate& day) {
    QStringList rows;
    Query q(db);
    for (const QString& line : event.candidateStatement(range, day))
        q.add(line);
    for (q.open(); !q.eof(); q.next())
        rows << event.candidateRow(q);
    return CandidateList::of(std::move(rows));
}

void process(Database& db, BlockEvent& event, const CandidateList& rows, const QDate& day) {
    // Every event is written with its day: without one nothing is written.
    if (!rows.isEmpty() && !day.isValid())
        throw InvalidDate(QString());
    event.startBatch();
    // Any failure ends the whole run: the pool and ledger steps inside need no
    // savepoints of their own.
    Transaction recording(db, Transaction::Inner::Joined);
    for (int i = 0; i < rows.size(); ++i)
        event.processRow(db, rows.fields(i), day);
    if (!rows.isEmpty())
        event.recordLedger(db, day, rows.size());
    recording.commit();
}

} // namespace blockbatch
