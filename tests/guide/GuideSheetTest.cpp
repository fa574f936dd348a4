#include "guide/GuideSheet.h"
#include "GuideFarm.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"

#include <gtest/gtest.h>

namespace {

using K = GuideSheetKind;

// The computed lines of a sheet: the female (or male) and her cells.
std::vector<std::pair<qint64, QStringList>> lines(const GuideSheetData& data) {
    std::vector<std::pair<qint64, QStringList>> out;
    for (const GuideSheetLine& l : data.lines)
        out.emplace_back(l.code, l.cells);
    return out;
}
using Lines = std::vector<std::pair<qint64, QStringList>>;

struct OriginFarm : GuideFarm {
    OriginFarm() {
        female(1, 1, QDate(2000, 1, 1), -1, 0, true, true); // a birth, then three negatives
        cycle(1, 200, true, 169, 8);
        cycle(1, 120, false);
        cycle(1, 80, false);
        cycle(1, 40, false);
        female(2, 2); // not palpated, then negative: the count stops at the empty palpation
        cycle(2, 80);
        cycle(2, 40, false);
        female(3, 3); // a birth 20 days ago
        cycle(3, 51, true, 20, 9);
        female(4, 4); // never mated, 429 days old
    }
};

TEST(GuideSheet, OriginRuleOfTheInjectionAndMatingSheets) {
    OriginFarm farm;
    const GuideContext c = farm.context();
    const QString repo = QString::fromUtf8("Reposición");
    EXPECT_EQ(lines(collectSheet(farm.db(), K::Pinchazo, c)), (Lines{{1, {"Negativa", "1", "3", ""}},
                                                                     {2, {"Negativa", "0", "1", ""}},
                                                                     {3, {"Parto", "1", "", ""}},
                                                                     {4, {repo, "", "", ""}}}));
    EXPECT_EQ(lines(collectSheet(farm.db(), K::CubricionesHembras, c)),
              (Lines{{1, {"Negativa", "1", "3", ""}}, {2, {"Negativa", "0", "1", ""}}, {3, {"Parto", "1", "", ""}}}));
    const GuideSheetData young = collectSheet(farm.db(), K::CubricionesJovenes, c);
    EXPECT_EQ(lines(young), (Lines{{4, {repo, "429", "", ""}}}));
    EXPECT_EQ(young.title, QString::fromUtf8("Guía de Cubriciones (Jóvenes)"));
    EXPECT_EQ(young.columns[1].caption, QStringLiteral("Edad"));
    const GuideSheetData injection = collectSheet(farm.db(), K::Pinchazo, c);
    EXPECT_EQ(injection.lines[0].marks, house::markGlyphs(true, false, true, false));
    EXPECT_EQ(injection.selection, QStringLiteral("Desde la Jaula 0 a la Jaula 0"));
}

TEST(GuideSheet, PalpationSheetCountsTheNegativesBeforeTheMatingUnderCheck) {
    GuideFarm farm;
    farm.female(10, 10); // two negatives, then mated on the guide day
    farm.cycle(10, 80, false);
    farm.cycle(10, 50, false);
    farm.cycle(10, 0, {}, {}, 0, 0, 0, false, 6);
    farm.female(11, 11); // a single mating, 12 days ago
    farm.cycle(11, 12);
    GuideContext c = farm.context();
    c.parameters.diasPalpar = 0;
    EXPECT_EQ(lines(collectSheet(farm.db(), K::Palpaciones, c)),
              (Lines{{10, {"", "", "0", "6", "2"}}, {11, {"12", "", "0", "7", "0"}}}));
}

TEST(GuideSheet, LitterSizesAgesAndExpectedDates) {
    GuideFarm farm;
    farm.female(20, 20);
    farm.cycle(20, 60, true, 10, 9, 2, 1);
    farm.female(21, 21);
    farm.cycle(21, 70, true, 30, 1200);
    farm.female(22, 22);
    farm.cycle(22, 28, true);
    farm.female(23, 23);
    farm.cycle(23, 30, true);
    const GuideContext c = farm.context();
    const struct {
        K sheet;
        Lines expected;
    } cases[] = {
        {K::RevisionNidos, {{20, {"10", "10", "1", "", ""}}}},
        {K::RetirarNidos, {{21, {"1.200", "30", "1"}}}},
        {K::Destetes, {{21, {"05/03/2001", "1.200", "1", ""}}}},
        {K::Nidales, {{22, {"08/03/2001", "0", ""}}, {23, {"06/03/2001", "0", ""}}}},
        {K::Partos, {{23, {"06/03/2001", ""}}}},
    };
    for (const auto& k : cases)
        EXPECT_EQ(lines(collectSheet(farm.db(), k.sheet, c)), k.expected) << int(k.sheet);
}

TEST(GuideSheet, MaleSheetShowsLastMatingAndPositivePercentage) {
    GuideFarm farm;
    farm.male(3, 50);
    farm.maleCycle(3, 30, true);
    farm.maleCycle(3, 20, true);
    farm.maleCycle(3, 10, false);
    GuideContext c = farm.context({5, 6});
    c.numbers.firstMale = 3;
    c.numbers.lastMale = 3;
    const GuideSheetData data = collectSheet(farm.db(), K::CubricionesMachos, c);
    EXPECT_EQ(lines(data), (Lines{{3, {"23/02/2001", "66,67 %"}}}));
    EXPECT_EQ(data.selection, QStringLiteral("Desde el Macho 3 al Macho 3"));
    EXPECT_TRUE(data.lines[0].marks.isEmpty());
}

SheetDocument compose(GuideSheet& sheet) {
    std::optional<SheetDocument> doc = SheetComposer::compose(sheet.sheet(), sheet.rows());
    EXPECT_TRUE(doc);
    return doc ? *doc : SheetDocument{};
}

TEST(GuideSheet, ComposedInTheHouseStyleWithTheLegendOfThePrintingMoment) {
    OriginFarm farm;
    const GuideContext c = farm.context();
    GuideSheet mating(farm.db(), collectSheet(farm.db(), K::CubricionesHembras, c));
    farm.db().exec(QStringLiteral("update DatosExplotacion set Marca1='Preñada', NombreExplotacion='Otra'"));
    const SheetDocument doc = compose(mating);
    ASSERT_EQ(doc.pages.size(), 1u);
    const SheetPage& page = doc.pages[0];
    EXPECT_EQ(doc.title, QStringLiteral("Guía de Cubriciones Hembras"));
    EXPECT_EQ(page.texts("explotacion"), QStringList{"La Vega"});
    EXPECT_EQ(page.texts("fecha"), QStringList{"lunes, 5 de marzo de 2001"});
    EXPECT_EQ(page.texts("seleccion"), QStringList{"Desde la Jaula 0 a la Jaula 0"});
    EXPECT_EQ(page.texts(HouseSheet::captionName("c1")), (QStringList{"Partos", "Partos"}));
    EXPECT_EQ(page.texts(HouseSheet::captionName("c3")), (QStringList{"Cubr.", "Cubr."}));
    EXPECT_EQ(page.texts("c0", BandKind::Detail), (QStringList{"Negativa", "Negativa", "Parto"}));
    EXPECT_EQ(page.texts("codigo", BandKind::Detail), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(page.texts("c3", BandKind::Detail), QStringList{}); // filled in by hand
    EXPECT_EQ(page.texts("leyenda1"), QStringList{QString::fromUtf8("1. Preñada")});

    farm.male(3, 50);
    farm.maleCycle(3, 10, false);
    GuideContext males = c;
    males.numbers.lastMale = 9;
    GuideSheet male(farm.db(), collectSheet(farm.db(), K::CubricionesMachos, males));
    const SheetDocument maleDoc = compose(male);
    EXPECT_EQ(maleDoc.pages[0].texts(HouseSheet::captionName("codigo")), (QStringList{"Macho", "Macho"}));
    EXPECT_TRUE(maleDoc.pages[0].texts("leyenda1").isEmpty());
    EXPECT_EQ(maleDoc.pages[0].texts("c1", BandKind::Detail), QStringList{"0,00 %"});

    farm.db().exec(QStringLiteral("update Hembras set Enfermedad=3 where CodigoHembra=2"));
    GuideSheet sick(farm.db(), collectSheet(farm.db(), K::Enfermos, c));
    EXPECT_EQ(sick.sheet().columns(), 1);
    EXPECT_EQ(compose(sick).pages[0].texts("c0", BandKind::Detail), QStringList{"Coccidiosis"});
    EXPECT_EQ(mating.sheet().columns(), 2);
}

TEST(GuideSheet, SheetWithoutLinesIsNotProduced) {
    GuideFarm farm;
    GuideSheet sheet(farm.db(), collectSheet(farm.db(), K::Partos, farm.context()));
    EXPECT_TRUE(sheet.isEmpty());
    EXPECT_FALSE(SheetComposer::compose(sheet.sheet(), sheet.rows()));
}

TEST(GuideSheet, EveryColumnFitsItsPageColumn) {
    OriginFarm farm;
    for (int k = 0; k <= int(K::Enfermos); ++k)
        EXPECT_NO_THROW({ GuideSheet s(farm.db(), collectSheet(farm.db(), K(k), farm.context())); }) << k;
}

} // namespace
