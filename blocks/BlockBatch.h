#pragma once

#include "BlockEvent.h"
#include "CandidateList.h"

class Database;

// The shared frame of the block screens: loading the candidates of a range on
// a day, and processing every row of the list. Processing is one recording:
// either every row and the ledger count are written, or nothing is, so a batch
// that fails half-way can be corrected and processed again without counting
// any animal twice.
namespace blockbatch {

// Runs the event's candidate statement and returns its rows in list order.
CandidateList load(Database& db, const BlockEvent& event, const CageRange& range, const QDate& day);

// Writes every row in list order, then the ledger count when there was a row.
void process(Database& db, BlockEvent& event, const CandidateList& rows, const QDate& day);

} // namespace blockbatch
