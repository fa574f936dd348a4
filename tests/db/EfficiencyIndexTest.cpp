#include "db/EfficiencyIndex.h"
#include "TempFarm.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

struct Cycle {
    std::optional<QDate> birth; // FechaParto, nullopt for NULL
    bool weaned;
};

void addFemaleCycle(Database& db, qint64 female, const Cycle& c) {
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, FechaParto, "
                           "NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada) values (%1, %2, "
                           "7, %3, 8, 0, 0, 0, 8, %4)")
                .arg(sql::number(female), sql::date(c.birth ? c.birth->addDays(-31) : QDate(2001, 6, 1)),
                     sql::date(c.birth.value_or(QDate())), sql::logical(c.weaned)));
}

struct Mating {
    std::optional<int> alive; // NacidosVivos, nullopt for NULL
    int dead;
    std::optional<bool> palpation;
};

void addMating(Database& db, qint64 male, const Mating& m) {
    db.exec(QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra, Palpacion, "
                           "NacidosVivos, NacidosMuertos) values (%1, '03/01/2002', 4, %2, %3, %4)")
                .arg(sql::number(male), sql::palpation(m.palpation),
                     m.alive ? sql::number(*m.alive) : QStringLiteral("NULL"), sql::number(m.dead)));
}

QDate d(int day, int month, int year = 2002) {
    return QDate(year, month, day);
}

double stored(Database& db, const QString& statement) {
    return Query::scalar(db, statement, QStringLiteral("Eficacia")).asFloat();
}

struct FemaleCase {
    const char* name;
    std::vector<Cycle> cycles;
    double expected;
};

TEST(EfficiencyIndex, FemaleIndexFromHerWeanedCycles) {
    const FemaleCase cases[] = {
        {"no cycles at all", {}, 0.0},
        {"cycles never weaned", {{d(1, 1), false}, {d(1, 3), false}}, 0.0},
        {"one weaned cycle", {{d(1, 1), true}}, 0.0},
        {"three births over 90 days", {{d(1, 1), true}, {d(15, 2), true}, {d(1, 4), true}}, 36.50},
        {"two weanings 45 days apart: 22.5 goes down to 22", {{d(1, 1), true}, {d(15, 2), true}}, 33.18},
        {"47 days over two: 23.5 goes up to 24", {{d(1, 1), true}, {d(17, 2), true}}, 30.42},
        {"730 / 16 = 45.625 rounds half up", {{d(1, 1), true}, {d(2, 2), true}}, 45.63},
        {"a weaned cycle without birth date counts in n only",
         {{d(1, 1), true}, {d(31, 1), true}, {std::nullopt, true}},
         109.50},
        {"unweaned cycles stay out of the span", {{d(1, 1), true}, {d(31, 1), true}, {d(1, 12), false}}, 48.67},
        {"weaned cycles all without birth date", {{std::nullopt, true}, {std::nullopt, true}}, 0.0},
    };
    for (const FemaleCase& c : cases) {
        TempFarm farm;
        for (const Cycle& cycle : c.cycles)
            addFemaleCycle(farm.db(), 12, cycle);
        // Another female's history never counts.
        addFemaleCycle(farm.db(), 13, {d(1, 6, 2001), true});
        addFemaleCycle(farm.db(), 13, {d(1, 7, 2001), true});
        EXPECT_DOUBLE_EQ(EfficiencyIndex::female(farm.db(), 12), c.expected) << c.name;
    }
}

struct MaleCase {
    const char* name;
    std::vector<Mating> matings;
    double expected;
};

TEST(EfficiencyIndex, MaleIndexFromHisMatings) {
    const MaleCase cases[] = {
        {"no matings", {}, 0.0},
        {"litters 8, 10, 0, 6 with 3 of 4 positive", {{8, 0, true}, {9, 1, true}, {0, 0, false}, {5, 1, true}}, 450.0},
        {"never palpated positive", {{8, 0, false}, {9, 0, std::nullopt}}, 0.0},
        {"a litter with an unknown count is left out of the average only",
         {{8, 0, true}, {10, 0, true}, {std::nullopt, 3, true}, {4, 2, false}},
         (8.0 + 10.0 + 6.0) / 3.0 * 75.0},
        {"not rounded", {{7, 0, true}, {8, 0, true}, {8, 0, false}}, (23.0 / 3.0) * (2.0 / 3.0 * 100.0)},
    };
    for (const MaleCase& c : cases) {
        TempFarm farm;
        for (const Mating& m : c.matings)
            addMating(farm.db(), 5, m);
        addMating(farm.db(), 6, {12, 0, true}); // another male
        EXPECT_DOUBLE_EQ(EfficiencyIndex::male(farm.db(), 5), c.expected) << c.name;
    }
}

TEST(EfficiencyIndex, AnimalNumberedZeroIsMinusOneAndReadsNothing) {
    TempFarm farm;
    addFemaleCycle(farm.db(), 0, {d(1, 1), true});
    addFemaleCycle(farm.db(), 0, {d(1, 4), true});
    addMating(farm.db(), 0, {8, 0, true});
    EXPECT_EQ(EfficiencyIndex::female(farm.db(), 0), -1.0);
    EXPECT_EQ(EfficiencyIndex::male(farm.db(), 0), -1.0);
}

TEST(EfficiencyIndex, TextFormHasTwoDecimalsAndAPoint) {
    const std::pair<double, const char*> cases[] = {{12.5, "12.50"},  {450.0, "450.00"},   {33.18, "33.18"},
                                                    {0.0, "0.00"},    {1234.5, "1234.50"}, {511.1111, "511.11"},
                                                    {36.505, "36.51"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(EfficiencyIndex::text(value), QString::fromUtf8(text)) << value;
}

TEST(EfficiencyIndex, BoundIndexKeepsEveryDecimalAndTextIndexTwo) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, Eficacia) values (1234, 3)"));
    farm.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, Eficacia) values (1235, 3)"));
    farm.db().exec(QStringLiteral("insert into Machos (CodigoMacho, Eficacia) values (77, 3)"));
    const QString female = QStringLiteral("select Eficacia from Hembras where CodigoHembra=1234");
    const QString neighbour = QStringLiteral("select Eficacia from Hembras where CodigoHembra=1235");
    const QString male = QStringLiteral("select Eficacia from Machos where CodigoMacho=77");

    EfficiencyIndex::storeFemale(farm.db(), 1234, 12.5);
    EXPECT_EQ(stored(farm.db(), female), 12.5);
    EfficiencyIndex::storeFemale(farm.db(), 1234, 2.0 / 3.0);
    EXPECT_EQ(stored(farm.db(), female), 2.0 / 3.0);
    EfficiencyIndex::storeMale(farm.db(), 77, 511.111111);
    EXPECT_EQ(stored(farm.db(), male), 511.111111);

    EXPECT_TRUE(EfficiencyIndex::writeFemale(farm.db(), 1234, 12.5));
    EXPECT_EQ(stored(farm.db(), female), 12.5);
    EXPECT_TRUE(EfficiencyIndex::writeMale(farm.db(), 77, 511.111111, EfficiencyIndex::Lines::Two));
    EXPECT_EQ(stored(farm.db(), male), 511.11);
    EXPECT_TRUE(EfficiencyIndex::writeFemale(farm.db(), 1234, 2.0 / 3.0, EfficiencyIndex::Lines::Two));
    EXPECT_EQ(stored(farm.db(), female), 0.67);
    // -1 (no animal) is never written; the other female is untouched throughout.
    EXPECT_FALSE(EfficiencyIndex::writeFemale(farm.db(), 1234, -1.0));
    EXPECT_EQ(stored(farm.db(), female), 0.67);
    EXPECT_EQ(stored(farm.db(), neighbour), 3.0);
}

TEST(EfficiencyIndex, RecomputeAllWritesEveryAnimalButNumberZero) {
    TempFarm farm;
    for (int h : {0, 12, 13})
        farm.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, Eficacia) values (%1, 99)").arg(h));
    for (int m : {0, 5, 6})
        farm.db().exec(QStringLiteral("insert into Machos (CodigoMacho, Eficacia) values (%1, 99)").arg(m));
    for (const Cycle& c : {Cycle{d(1, 1), true}, Cycle{d(15, 2), true}})
        addFemaleCycle(farm.db(), 12, c);
    for (const Mating& m : {Mating{8, 0, true}, Mating{9, 1, true}, Mating{0, 0, false}, Mating{5, 1, true}})
        addMating(farm.db(), 5, m);

    EXPECT_EQ(EfficiencyIndex::recomputeAll(farm.db(), EfficiencyIndex::Lines::Two), 4);
    EXPECT_EQ(stored(farm.db(), QStringLiteral("select Eficacia from Hembras where CodigoHembra=0")), 99.0);
    EXPECT_EQ(stored(farm.db(), QStringLiteral("select Eficacia from Hembras where CodigoHembra=12")), 33.18);
    EXPECT_EQ(stored(farm.db(), QStringLiteral("select Eficacia from Hembras where CodigoHembra=13")), 0.0);
    EXPECT_EQ(stored(farm.db(), QStringLiteral("select Eficacia from Machos where CodigoMacho=0")), 99.0);
    EXPECT_EQ(stored(farm.db(), QStringLiteral("select Eficacia from Machos where CodigoMacho=5")), 450.0);
    EXPECT_EQ(stored(farm.db(), QStringLiteral("select Eficacia from Machos where CodigoMacho=6")), 0.0);
}

} // namespace
