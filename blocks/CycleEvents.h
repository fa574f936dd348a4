#pragma once

#include "BlockEvent.h"
#include "db/MaternityLedger.h"

struct FarmParameters;

// Palpations: the active, healthy females whose last cycle row is not palpated
// and was mated at least DiasPalpar days ago. Every row starts positive ("+");
// the result goes to the cycle row, the male's mirror row and the pool.
class PalpationEvent : public BlockEvent {
public:
    static constexpr int kResult = 6; // field 7: "+" or "-"
    static constexpr int kOrden = 7;

    explicit PalpationEvent(const FarmParameters& parameters);
    QStringList candidateStatement(const CageRange& range, const QDate& day) const override;
    QString candidateRow(const Query& result) const override;
    void processRow(Database& db, const QStringList& fields, const QDate& day) override;
    void recordLedger(Database& db, const QDate& day, int rows) override;
    void startBatch() override { m_positives = m_negatives = 0; }

    // Enter on a row: "+" becomes "-", anything else "+".
    static QString flipped(const QString& result);

private:
    int m_diasPalpar;
    int m_positives = 0;
    int m_negatives = 0;
};

// Births: the active females whose last cycle row was palpated positive, has no
// birth, and was mated at least 29 days ago (health is not considered).
class BirthEvent : public BlockEvent {
public:
    static constexpr int kAlive = 6;   // "Vivos"
    static constexpr int kDead = 7;    // "Muertos"
    static constexpr int kAdopted = 8; // "Adoptados"
    static constexpr int kGiven = 9;   // "Cedidos"
    static constexpr int kOrden = 10;
    static constexpr int kGestationDays = 29;

    QStringList candidateStatement(const CageRange& range, const QDate& day) const override;
    QString candidateRow(const Query& result) const override;
    void processRow(Database& db, const QStringList& fields, const QDate& day) override;
    void recordLedger(Database& db, const QDate& day, int rows) override;
    void startBatch() override { m_tally = {}; }

private:
    MaternityLedger::BirthTally m_tally;
};

// Weanings: each active female's latest litter with a birth and not weaned, born
// at least DiasDestetar days ago and still holding live kits; the proposal is
// born alive + adopted - given away.
class WeaningEvent : public BlockEvent {
public:
    static constexpr int kWeaned = 6; // "Destetados"
    static constexpr int kOrden = 7;

    explicit WeaningEvent(const FarmParameters& parameters);
    QStringList candidateStatement(const CageRange& range, const QDate& day) const override;
    QString candidateRow(const Query& result) const override;
    void processRow(Database& db, const QStringList& fields, const QDate& day) override;
    void recordLedger(Database& db, const QDate& day, int rows) override;
    void startBatch() override { m_weaned = 0; }

private:
    int m_diasDestetar;
    qint64 m_weaned = 0;
};
