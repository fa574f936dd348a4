#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Database;
class Query;

// The cage range of a block screen; a bound of 0 or less is open.
struct CageRange {
    qint64 from = 0;
    qint64 to = 0;
};

// What one kind of block event (matings, palpations, births...) supplies to
// the shared frame: its candidate statement, how a result row becomes a
// candidate row, what processing writes for each row and the ledger counts of
// the batch. The frame (BlockBatch) does the rest.
class BlockEvent {
public:
    virtual ~BlockEvent() = default;

    // The candidate statement's lines for the range and the day.
    virtual QStringList candidateStatement(const CageRange& range, const QDate& day) const = 0;
    // The candidate row built from the current result row.
    virtual QString candidateRow(const Query& result) const = 0;
    // Writes one row's event; called in list order for every row.
    virtual void processRow(Database& db, const QStringList& fields, const QDate& day) = 0;
    // Counts the whole batch in the maternity ledger, once, after the rows.
    virtual void recordLedger(Database& db, const QDate& day, int rows) = 0;
    // Forgets the counts of an earlier batch.
    virtual void startBatch() {}

protected:
    // "and Jaula>={from}" and " and Jaula<={to}", each only for a bound above 0.
    static QStringList rangeLines(const CageRange& range, const QString& fromLine = QStringLiteral("and Jaula>=%1"),
                                  const QString& toLine = QStringLiteral(" and Jaula<=%1"));
};
