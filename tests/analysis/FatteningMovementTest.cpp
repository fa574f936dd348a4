#include "analysis/FatteningMovement.h"
#include "TempFarm.h"
#include "db/TableCursor.h"

#include <gtest/gtest.h>

namespace {

using Values = FatteningMovement::Values;

struct Case {
    const char* what;
    Values typed;
    Values shown;
};

} // namespace

TEST(FatteningMovement, TheThreeStepsInOrder) {
    const Case cases[] = {
        {"number and total give the average", {100, 65, 0}, {100, 65, 0.65}},
        {"number and average give the total", {100, 0, 0.7}, {100, 70, 0.7}},
        {"total and average give the number", {0, 210, 2.1}, {100, 210, 2.1}},
        {"an average of 0.400 is 0 as a whole number: nothing", {0, 210, 0.4}, {0, 210, 0.4}},
        {"a sale of 50 weighing 115", {50, 115, 0}, {50, 115, 2.3}},
        {"with number and total a typed average is replaced", {100, 65, 9.0}, {100, 65, 0.65}},
        {"an average of 0.5 rounds to the even 0: nothing", {10, 0, 0.5}, {10, 0, 0.5}},
        {"an average of 1.5 rounds to 2: above 0", {10, 0, 1.5}, {10, 15, 1.5}},
        {"the total is written to the nearest whole number", {3, 0, 1.17}, {3, 4, 1.17}},
        {"the number follows the rounded total", {0, 10, 3.0}, {3, 10, 3.0}},
        {"one value alone does nothing", {40, 0, 0}, {40, 0, 0}},
        {"nothing typed", {0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Values v = FatteningMovement::reconcile(c.typed);
        EXPECT_EQ(v.number, c.shown.number) << c.what;
        EXPECT_EQ(v.total, c.shown.total) << c.what;
        EXPECT_NEAR(v.average, c.shown.average, 1e-9) << c.what;
    }
}

TEST(FatteningMovement, OnTheCursorOnlyWhatAStepSetIsWrittenAndBrowsingChangesNothing) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("insert into Cebadero (FechaMovimiento, SalGazaposVen, PesGazaposVen) "
                                  "values ('05/02/2002', 50, 115)"));
    TableCursor movements(farm.db(), QString::fromLatin1(FatteningMovement::kTable),
                          {QString::fromLatin1(FatteningMovement::kKey)});
    const auto& sale = FatteningMovement::saleGroup();
    FatteningMovement::reconcile(movements, sale);
    EXPECT_FALSE(movements.value(sale.average).isValid());

    movements.edit();
    FatteningMovement::reconcile(movements, sale);
    EXPECT_DOUBLE_EQ(movements.value(sale.average).toDouble(), 2.3);
    movements.post();

    // An average below a half with a total: the number stays empty.
    const auto& entry = FatteningMovement::entryGroup();
    movements.edit();
    movements.setValue(entry.total, 210);
    movements.setValue(entry.average, 0.4);
    FatteningMovement::reconcile(movements, entry);
    EXPECT_FALSE(movements.value(entry.number).isValid());
    movements.cancel();

    EXPECT_EQ(FatteningMovement::groupOf(QStringLiteral("pespromedioent"))->number, entry.number);
    EXPECT_EQ(FatteningMovement::groupOf(QStringLiteral("PesGazaposVen"))->number, sale.number);
    EXPECT_FALSE(FatteningMovement::groupOf(QStringLiteral("BajasGazapos")).has_value());
}

TEST(FatteningMovement, FeedCaptionsFromTheFarmsFeedNamesOrNumberedWithoutARow) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("update DatosExplotacion set NutriPriCebadero='Engorde', Nutri3Cebadero='Paja'"));
    EXPECT_EQ(FatteningMovement::feedCaptions(farm.db()),
              (std::array<QString, 3>{"Consumo (Kg.) de Engorde", "Consumo (Kg.) de ", "Consumo (Kg.) de Paja"}));
    farm.db().exec(QStringLiteral("delete from DatosExplotacion"));
    EXPECT_EQ(FatteningMovement::feedCaptions(farm.db()),
              (std::array<QString, 3>{"Consumo 1", "Consumo 2", "Consumo 3"}));
}
