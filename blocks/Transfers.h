#pragma once

#include "BlockEvent.h"

#include <QDate>
#include <QStringList>
#include <set>
#include <vector>

class Database;

// Moving animals to other cages in bulk: the animals of a cage range, each
// proposed the lowest free cage above the one given to the animal before it.
// Transfers change only Jaula: no cycle row and no ledger day.
class Transfers {
public:
    enum class Kind { Females, Nests, Males };

    Transfers(Database& db, Kind kind) : m_db(db), m_kind(kind) {}

    // The candidate statement's lines; 0 leaves a bound out. `date` serves the
    // nest screen only: the females mated 27 to 31 days before it.
    QStringList candidateLines(qint64 fromCage, qint64 toCage, const QDate& date = {}) const;

    // `count` destinations from `start` upward, each the lowest cage above the
    // previous one that no row of the table holds (culled females included).
    // The occupied cages are read once.
    std::vector<qint64> proposeDestinations(qint64 start, int count) const;

    // No row of the table holds this cage now.
    bool cageFree(qint64 cage) const;

    QString table() const;
    // The cages some row of the table holds, from `start` up.
    std::set<qint64> occupiedFrom(qint64 start) const;

private:
    Database& m_db;
    Kind m_kind;
};

// The destinations handed out one by one from a first cage upward: the
// occupied cages are read once, at the first call.
class DestinationProposal {
public:
    DestinationProposal(const Transfers& transfers, qint64 start) : m_transfers(transfers), m_next(start) {}
    qint64 next();

private:
    const Transfers& m_transfers;
    qint64 m_next;
    std::set<qint64> m_occupied;
    bool m_read = false;
};

// A transfer screen's event: rows of cage, animal, (females) the four marks,
// and the proposed destination; processing moves each animal, no ledger step.
class TransferEvent : public BlockEvent {
public:
    TransferEvent(Database& db, Transfers::Kind kind, qint64 firstDestination);

    // The destination field of a row.
    int destinationField() const;

    QStringList candidateStatement(const CageRange& range, const QDate& day) const override;
    QString candidateRow(const Query& result) const override;
    void processRow(Database& db, const QStringList& fields, const QDate& day) override;
    void recordLedger(Database&, const QDate&, int) override {}

private:
    Transfers m_transfers;
    Transfers::Kind m_kind;
    // Rows are built one by one from a const event: the proposal moves on with them.
    mutable DestinationProposal m_proposal;
};
