#pragma once

#include "BlockEvent.h"

struct FarmParameters;

// Natural matings: the females due for mating in the range (last cycle palpated
// negative or its birth old enough, healthy, active, old enough) and every
// never-mated female of the farm old enough. Each row gets a new cycle row and
// the male's mirror row; the ledger counts the matings.
class MatingEvent : public BlockEvent {
public:
    static constexpr int kMale = 6;  // field 7: the male
    static constexpr int kOrden = 7; // field 8: hidden Orden, 0 for a never-mated female

    explicit MatingEvent(const FarmParameters& parameters);

    QStringList candidateStatement(const CageRange& range, const QDate& day) const override;
    QString candidateRow(const Query& result) const override;
    void processRow(Database& db, const QStringList& fields, const QDate& day) override;
    void recordLedger(Database& db, const QDate& day, int rows) override;

protected:
    // The two texts differ by a blank between matings and inseminations.
    QStringList candidates(const CageRange& range, const QDate& day, const QString& firstLine,
                           const QString& healthy) const;

    int m_diasCubrirPosparto;
    int m_edad1CubrirHembra;
};

// Artificial inseminations: the same candidates; each row gets a cycle row with
// male -1 and no mirror, and is recorded in its pool.
class InseminationEvent : public MatingEvent {
public:
    static constexpr int kPool = 6; // field 7: the pool name

    InseminationEvent(const FarmParameters& parameters, QString pool);

    QStringList candidateStatement(const CageRange& range, const QDate& day) const override;
    QString candidateRow(const Query& result) const override;
    void processRow(Database& db, const QStringList& fields, const QDate& day) override;

private:
    QString m_pool;
};
