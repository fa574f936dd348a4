#pragma once

#include <QDate>
#include <QString>

// A large synthetic farm, the same bytes for the same seed: 5,000 females (or
// as many as asked) with
// about seventeen cycles each (mating, palpation, birth, weaning, every 45 days),
// a hundred males with their mirror rows, and a ledger row per day. On `kDay`
// the first half of the females are due for mating (last litter weaned) and
// the second half are pregnant and due to give birth.
class LargeFarm {
public:
    static constexpr int kFemales = 5000;
    static constexpr int kMales = 100;
    static constexpr int kCyclesEach = 17;
    static inline const QDate kDay{2024, 6, 3};

    // Writes the farm database of this many females into this file unless it
    // is already there.
    static void ensure(const QString& file, int females = kFemales);
};
