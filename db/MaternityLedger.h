#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class Database;
class Query;

// The daily maternity ledger (HistoricoMaternidad): one day row per date on which
// something was recorded, with the day's event counters and two running totals
// (females and males present at the end of the day).
//
// Every event call is one recording: make sure the day row exists (carrying the
// totals of the latest earlier day, 0 and 0 when there is none), add the event's
// counts, and shift the totals of every later day when the event changes how many
// animals are present. A recording runs in its own Transaction, which nests as a
// savepoint inside a caller's: either all of its statements take effect or none.
//
// Two ways of creating a day row exist and give the same row: the register style
// inserts it with zero counters and then adds the event with an update; the block
// style writes the batch's counts straight into the new row.
class MaternityLedger {
public:
    explicit MaternityLedger(Database& db);

    // Register style, on her entry date: one female more that day (AltasHembras +1)
    // and every later day.
    void newFemale(const QDate& entry);
    // Register style, on her cull date: one female fewer that day and every later
    // day; causaBaja 0 counts as culled (BajasHembrasEliminadas), 1 as died
    // (BajasHembrasMuertas). Any other cause is no cull and is refused.
    void cull(const QDate& date, int causaBaja);
    // Register style: count females added at once on their entry date. 0 sends nothing.
    void bulkAdditions(const QDate& date, qint64 count);

    // Block style, once per processed list that had a row: the day row is made
    // even when every count is 0 (a births run of litters with no kit at all).
    // A list with no row never reaches the ledger.
    // Counts are 64-bit from the rows to the ledger.
    void matings(const QDate& date, qint64 count); // inseminations count here too
    void palpations(const QDate& date, qint64 positives, qint64 negatives);
    // births = females with at least one kit born alive or dead (see BirthTally).
    void births(const QDate& date, qint64 births, qint64 alive, qint64 dead);
    void weanings(const QDate& date, qint64 count, qint64 kits);

    // A day's running totals corrected by hand: the day row itself is saved by its
    // screen; here every later day moves by the same differences ("+-3" for -3).
    // Nothing is sent when both differences are 0.
    void correctTotals(const QDate& date, qint64 deltaFemales, qint64 deltaMales);

    // The batch totals of a births run: a litter with neither kit alive nor dead
    // is written as a birth elsewhere but not counted as one here.
    struct BirthTally {
        qint64 births = 0;
        qint64 alive = 0;
        qint64 dead = 0;
        void add(qint64 aliveKits, qint64 deadKits);
    };
    void births(const QDate& date, const BirthTally& tally);

    // A female's save records a cull when she is saved culled or dead (0 or 1)
    // while she was active (neither 0 nor 1, normally -1) when editing began; a
    // new female counts as active.
    // Changing the cause of an already culled female records nothing.
    static bool recordsCull(int causaWhenEditingBegan, int causaSaved);

    // The totals a new day row for this date would carry: those of the latest
    // earlier day row, 0 and 0 when there is none.
    struct Totals {
        qint64 females = 0;
        qint64 males = 0;
    };
    Totals carriedTotals(const QDate& date);

    // Every statement the ledger sends (lines joined by "\n"), its bound values
    // written in as the statement would read with them; for logs and tests.
    void setTrace(std::function<void(const QString&)> trace) { m_trace = std::move(trace); }

private:
    enum class Style { Register, Block };
    struct Counters;

    // A statement's lines with its date bound as ":fecha" and amounts by name.
    struct Statement {
        QStringList lines;
        std::vector<std::pair<QString, qint64>> amounts;
    };

    // The register recordings: day row with zero counters, the day's update, the shift.
    void registerEvent(const QDate& date, const Statement& dayUpdate, const Statement& shift);
    // The block recordings: counts written into a new row, or one update of an existing one.
    void blockEvent(const QDate& date, const Counters& counters, const Statement& update);

    bool dayRowExists(const QDate& date);
    Totals carried(const QDate& date, Style style);
    void insertDay(const QDate& date, const Totals& totals, const Counters& counters);
    void run(const QDate& date, const Statement& statement);
    void trace(const Query& q);
    static void requireDate(const QDate& date);

    Database& m_db;
    std::function<void(const QString&)> m_trace;
};
