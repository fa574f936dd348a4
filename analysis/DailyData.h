#pragma once

#include "db/MaternityLedger.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class Database;
class TableCursor;

// The counts of one day row that its index lines are computed from.
struct DayCounts {
    double positives = 0; // PalpacionesPositivas
    double negatives = 0; // PalpacionesNegativas
    double births = 0;    // NumeroPartos
    double bornAlive = 0; // NacidosVivos
    double weanings = 0;  // NumeroDestetes
    double weaned = 0;    // Destetados

    // The day on the cursor: the edit buffer while a day is edited or added.
    static DayCounts of(const TableCursor& days);
};

// The boxes of a day that are shown but never stored: "Palp. Totales" and the three
// lines of "Índices por día", each its caption, a space and the value. A divisor of
// 0 or less is never divided by: the line shows "0 %" or "0" instead.
struct DayIndices {
    QString palpationsTotal; // positives + negatives, "#,##0"
    QString positiveLine;    // "Palpaciones Positivas 75,00 %"
    QString bornAliveLine;   // "Nacidos Vivos / Parto 2,50"
    QString weanedLine;      // "Destetados / Camada 7,25"

    static DayIndices of(const DayCounts& day);
    // A change of this column changes some index line (what the screen recomputes on).
    static bool follows(const QString& column);
};

// The rules of "Mantenimiento de Datos Diarios" on its cursor over the ledger
// (HistoricoMaternidad, keyed and walked by Fecha).
//
// Reference totals: the female and male totals of the day as they stood when its
// edit began (the stored row), or for a day being added the totals it was given
// (those carried from the latest earlier day, 0 and 0 before that). Saving a day
// whose totals differ from them shifts every later day by the differences; the
// shift and the row's write are one transaction, so a write that fails leaves
// every day as it was. Deleting a day changes no other day.
class DailyData {
public:
    static constexpr const char* kTable = "HistoricoMaternidad.db";

    // Reads the feed names of the farm parameters now, as the screen does when it opens.
    explicit DailyData(Database& db);

    // "Kg. de {name}" for Consumo1 to Consumo4, from NutriPriMaternidad and
    // Nutri2Maternidad to Nutri4Maternidad ("Kg. de " when the farm has no row).
    const std::array<QString, 4>& feedCaptions() const { return m_feedCaptions; }
    // The columns of the data boxes in their order, after the key "Fecha".
    static QStringList dataColumns();

    // Installs the save rule and the start of a new day on the cursor.
    void attach(TableCursor& days);

    // "Nº Total Hembras" receives the focus. On a day being added whose female total
    // is 0, the totals of the latest earlier day are copied into it and become the
    // reference totals; true then: both total boxes stay disabled for the rest of
    // the addition. Otherwise nothing happens (false).
    bool carryTotals(TableCursor& days);

    // The reference totals the day on the cursor is saved against.
    MaternityLedger::Totals referenceTotals(const TableCursor& days) const;

    // "Recalcular": the six counters of a day counted again from the cycle rows;
    // palpations are credited to the day of the matings made DiasPalpar days earlier.
    struct Recount {
        qint64 cubriciones = 0;
        qint64 positivas = 0;
        qint64 negativas = 0;
        qint64 partos = 0;
        qint64 vivos = 0;
        qint64 muertos = 0;
    };
    Recount recount(const QDate& day) const;
    // Puts the recount of the day being edited or added into its buffer; it is saved
    // only with the day. Refused (std::logic_error) while browsing.
    void recalculate(TableCursor& days) const;

    // Every statement sent by the save rule and the recount, as sent.
    void setTrace(std::function<void(const QString&)> trace);

private:
    void beforePost(TableCursor& days);

    Database& m_db;
    std::array<QString, 4> m_feedCaptions;
    MaternityLedger m_ledger;
    MaternityLedger::Totals m_newDayReference;
    std::function<void(const QString&)> m_trace;
};
