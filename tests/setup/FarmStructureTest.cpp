#include "setup/FarmStructure.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/Query.h"
#include "db/TableCursor.h"
#include "setup/FarmParameterFields.h"

#include <gtest/gtest.h>

using namespace testkit;

TEST(FarmStructure, RangesComeInOrderOfTheirFirstCage) {
    TempFarm farm;
    putRange(farm.db(), 200, 250, "M");
    putRange(farm.db(), 10, 20, "N");
    putRange(farm.db(), 3, 9, "R");
    putRange(farm.db(), 100, 199, "E");
    FarmStructure structure(farm.db());
    QStringList entries;
    for (const auto& r : structure.ranges())
        entries << r.entry;
    EXPECT_EQ(entries, QStringList({"0000000003|3|3|9|R", "0000000010|2|10|20|N", "0000000100|4|100|199|E",
                                    "0000000200|1|200|250|M"}));
    const auto one = structure.range(4);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->desde, 100);
    EXPECT_EQ(one->hasta, 199);
    EXPECT_EQ(one->tipo, QStringLiteral("E"));
    EXPECT_FALSE(structure.range(99).has_value());
}

TEST(FarmStructure, OverlapsAnyStoredRangeButItsOwn) {
    TempFarm farm;
    putRange(farm.db(), 21, 30, "N"); // orden 1
    putRange(farm.db(), 50, 60, "E"); // orden 2
    FarmStructure structure(farm.db());
    struct Case {
        int desde, hasta;
        qint64 orden;
        bool overlaps;
    };
    const Case cases[] = {
        {10, 20, 0, false}, // next to 21-30
        {10, 21, 0, true},  // shares cage 21
        {30, 40, 0, true},  // shares cage 30
        {1, 100, 0, true},  // around both
        {25, 26, 0, true},  // inside
        {31, 49, 0, false}, // between
        {61, 61, 0, false}, // a single cage after
        {21, 30, 1, false}, // a range changed onto itself
        {21, 35, 1, false}, // grown without touching another
        {21, 50, 1, true},  // grown onto 50-60
        {21, 30, 2, true},  // the other range moved onto it
    };
    for (const Case& c : cases)
        EXPECT_EQ(structure.overlaps(c.desde, c.hasta, c.orden), c.overlaps)
            << c.desde << "-" << c.hasta << " orden " << c.orden;
}

TEST(FarmStructure, AcceptNeedsARealRangeAndAKind) {
    struct Case {
        double desde, hasta;
        int tipo;
        bool ok;
    };
    const Case cases[] = {
        {10, 20, 0, true},  {5, 5, 3, true},     {0, 20, 0, false},  {10, 0, 0, false},
        {20, 10, 1, false}, {10, 20, -1, false}, {-3, 20, 2, false}, {1, 1, 4, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FarmStructure::canAccept(c.desde, c.hasta, c.tipo), c.ok)
            << c.desde << "-" << c.hasta << " " << c.tipo;
}

TEST(FarmStructure, KindsAndTheirLetters) {
    EXPECT_EQ(FarmStructure::typeChoices(),
              QStringList({"(R) Reposición Colectiva", "(E) Espera Individual", "(N) Jaula Nido", "(M) Jaula Macho"}));
    const std::pair<const char*, int> letters[] = {{"R", 0},  {"E", 1}, {"N", 2},   {"M", 3},
                                                   {"X", -1}, {"", -1}, {"RE", -1}, {"n", -1}};
    for (const auto& [letter, index] : letters)
        EXPECT_EQ(FarmStructure::typeIndex(QString::fromUtf8(letter)), index) << letter;
    EXPECT_EQ(FarmStructure::letter(2), QStringLiteral("N"));
    EXPECT_THROW(FarmStructure::letter(4), std::invalid_argument);
}

TEST(FarmStructure, InsertChangeAndDelete) {
    TempFarm farm;
    FarmStructure structure(farm.db());
    structure.insert(10, 20, 2);
    structure.insert(21, 30, 1);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Estructura where JaulaDesde=10 and "
                                              "JaulaHasta=20 and Tipo='N'")),
              1);
    structure.update(1, 11, 19, 3);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Estructura where orden=1 and "
                                              "JaulaDesde=11 and JaulaHasta=19 and Tipo='M'")),
              1);
    structure.remove(2);
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Estructura")), 1);
    // A new range never takes the number of a deleted one.
    structure.insert(40, 50, 0);
    EXPECT_EQ(structure.ranges().back().orden, 3);
}

TEST(FarmParameters, FieldsInScreenOrder) {
    const auto& fields = farmParameters::fields();
    ASSERT_EQ(fields.size(), 27u);
    EXPECT_STREQ(fields.front().column, "NombreExplotacion");
    EXPECT_STREQ(fields.front().page, "");
    EXPECT_EQ(farmParameters::pages(),
              QStringList({"Jaulas", "Días", "Edades", "Reposiciones", "Nutrimentos", "Marcas Hembras"}));
    // Pages come one after the other, in the order of the tabs.
    QStringList seen;
    for (const auto& f : fields) {
        const QString page = QString::fromUtf8(f.page);
        if (!page.isEmpty() && (seen.isEmpty() || seen.last() != page))
            seen << page;
    }
    EXPECT_EQ(seen, farmParameters::pages());
    // Every column of the table is on the screen exactly once.
    TempFarm farm;
    TableCursor row(farm.db(), QStringLiteral("DatosExplotacion.db"));
    EXPECT_EQ(row.columns().size(), fields.size());
    for (const auto& f : fields) {
        EXPECT_TRUE(row.hasColumn(QString::fromUtf8(f.column))) << f.column;
        EXPECT_EQ(row.kind(QString::fromUtf8(f.column)) == TableCursor::Kind::Number, f.number) << f.column;
    }
}

TEST(FarmParameters, EditingCreatesTheRowOnlyWhenConfirmed) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("delete from DatosExplotacion"));
    {
        TableCursor row(farm.db(), QStringLiteral("DatosExplotacion.db"));
        farmParameters::beginEditing(row);
        EXPECT_EQ(row.state(), TableCursor::State::Insert);
        row.setValue(QStringLiteral("NombreExplotacion"), QStringLiteral("Granja"));
        row.cancel();
    }
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from DatosExplotacion")), 0);
    {
        TableCursor row(farm.db(), QStringLiteral("DatosExplotacion.db"));
        farmParameters::beginEditing(row);
        row.setValue(QStringLiteral("DiasPalpar"), -4);
        row.post();
    }
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from DatosExplotacion where DiasPalpar=-4")), 1);
    TableCursor row(farm.db(), QStringLiteral("DatosExplotacion.db"));
    farmParameters::beginEditing(row);
    EXPECT_EQ(row.state(), TableCursor::State::Edit);
    EXPECT_EQ(row.value(QStringLiteral("DiasPalpar")).toInt(), -4);
}
