#pragma once

#include "Indicators.h"
#include "analysis/DatePeriod.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class Database;

namespace results {

// What the cycle rows of a band or a month add up to.
struct CycleCounts {
    qint64 services = 0;  // cycle rows (inseminations and matings)
    qint64 positives = 0; // palpated positive
    qint64 kindlings = 0; // a birth date and at least one kit born alive or dead
    qint64 alive = 0;     // kits born alive in those kindlings
    qint64 dead = 0;
    qint64 weanedLitters = 0; // weaning recorded
    qint64 weaned = 0;        // kits weaned in those litters
    qint64 nursed = 0;        // their kits born alive + adopted - given away
    void add(const CycleCounts& other);
};

// What the ledger adds up to over the days of a month or of the period.
struct LedgerCounts {
    qint64 days = 0;     // days counted: those of the period from the first day row on
    double doeDays = 0;  // the female total of each day counted, summed
    double months = 0;   // days counted over the days of their month
    qint64 entries = 0;  // AltasHembras
    qint64 removals = 0; // BajasHembrasMuertas + BajasHembrasEliminadas
    qint64 weaned = 0;   // Destetados
    void add(const LedgerCounts& other);
};

// One column of results: a band, a month or a total.
struct ResultColumn {
    QString caption;
    QDate date;   // the band's insemination day, the month's first day; null for a total
    QString pool; // the band's pool name
    CycleCounts cycles;
    std::optional<LedgerCounts> ledger; // months and their total only

    // The indicator's figure; nothing when its divisor is 0 (or, for the ledger
    // figures, when the column has no ledger).
    std::optional<double> value(Indicator id) const;
};

struct TechnicalResults {
    // Bands: the Pools rows of one insemination day and pool name, dated in the
    // period, in date and name order, and their total.
    std::vector<ResultColumn> bands;
    ResultColumn bandsTotal;
    // Months: those of the period holding a mating or a day of the ledger, in
    // order, and the whole period.
    std::vector<ResultColumn> months;
    ResultColumn monthsTotal;
};

// The results over a period ("Desde"/"Hasta", either may be open). The ledger
// is read up to "Hasta", or today when "Hasta" is open or later: days to come
// hold no does yet. A band's outcome is read from the female's cycle row of that
// insemination (her last by Orden of that female and day), and from the Pools
// row itself when the cycle row is gone.
TechnicalResults compute(Database& db, const DatePeriod& period, const QDate& today);

} // namespace results
