#include "BlockBatch.h"

#include "BlockRow.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace blockbatch {

CandidateList load(Database& db, const BlockEvent& event, const CageRange& range, const QDate& day) {
    CandidateList list;
    Query q(db);
    for (const QString& line : event.candidateStatement(range, day))
        q.add(line);
    for (q.open(); !q.eof(); q.next())
        list.insert(event.candidateRow(q));
    return list;
}

void process(Database& db, BlockEvent& event, const CandidateList& rows, const QDate& day) {
    // Every event is written with its day: without one nothing is written.
    if (!rows.isEmpty() && !day.isValid())
        throw InvalidDate(QString());
    event.startBatch();
    Transaction recording(db);
    for (int i = 0; i < rows.size(); ++i)
        event.processRow(db, rows.fields(i), day);
    if (!rows.isEmpty())
        event.recordLedger(db, day, rows.size());
    recording.commit();
}

} // namespace blockbatch
