#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

class Database;

// The per-animal counts of the guide sheets, read set-wise: each kind of count
// is read for the whole farm in one statement the first time it is asked for,
// then answered from memory. Printing changes nothing in the farm, so one
// instance serves every sheet of a print run.
class GuideCounts {
public:
    explicit GuideCounts(Database& db) : m_db(db) {}

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
    enum class Palpation : char { Positive, Negative, None };

    Database& m_db;
    std::optional<QHash<qint64, qint64>> m_births;
    std::optional<QHash<qint64, std::vector<Palpation>>> m_palpations; // latest first
    std::optional<QHash<qint64, qint64>> m_maleMatings;
    std::optional<QHash<qint64, qint64>> m_malePositives;
};
