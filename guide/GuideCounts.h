#pragma once

#include "db/Query.h"

class Database;

// The per-animal counts of the guide sheets. Each statement is set up once for
// a sheet and run for every line with the animal's number bound.
class GuideCounts {
public:
    explicit GuideCounts(Database& db);

    // The female's cycle rows with a birth.
    qint64 births(qint64 female);
    // Her cycle rows palpated negative one after the other, latest first,
    // passing over the latest `skip` rows; the count stops at the first row
    // palpated positive or not palpated yet.
    qint64 negatives(qint64 female, int skip = 0);
    // The male's matings palpated positive as a percentage of all his
    // matings, "##0.00 %"; empty for a male without matings.
    QString positivePercent(qint64 male);

private:
    Query m_births;
    Query m_cycles;
    Query m_malePositives;
    Query m_maleMatings;
};
