#include "FarmRows.h"
#include "GuideFarm.h"
#include "guide/GuidePlan.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Codes = std::vector<qint64>;
using K = GuideSheetKind;

const QString kDue = QStringLiteral(
    "select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaParto, orden from Hembras a, "
    "CubriHembras b where a.CodigoHembra=b.CodigoHembra");
const QString kMated = QStringLiteral(
    "select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaCubricion, CodigoMacho, orden from "
    "Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra");
const QString kLitter = QStringLiteral(
    "select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaParto, NacidosVivos, Anadidos, "
    "Quitados from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra");
const QString kCages = QStringLiteral("\nand Jaula>=5\n and Jaula<=40\n");
const QString kLast =
    QStringLiteral("orden = ( select max(orden) from CubriHembras c where c.CodigoHembra=a.CodigoHembra)");
const QString kNeverMated = QStringLiteral(
    "not exists (select CodigoHembra from CubriHembras c where c.CodigoHembra=Hembras.CodigoHembra) and "
    "(CodigoHembra is not NULL or not exists (select CodigoHembra from CubriHembras where CodigoHembra is not NULL))");

// The statements as the farm software has always sent them, with the values of
// the guide day 05/03/2001, cages 5 to 40, males 3 to 9. The last cycle row and
// the never-mated females are looked up per animal; cycle rows without a female
// number are passed over; the young females' order is written after a blank.
TEST(GuideSelection, StatementsReadAsTheyAlwaysHave) {
    struct Case {
        K sheet;
        YoungOrder order;
        QString text;
    } cases[] = {
        {K::Pinchazo, YoungOrder::ByAge,
         kDue + kCages + " and ((Palpacion=False) or (FechaParto<='02/25/2001')) and CausaBaja not in (0,1)  and " +
             kLast +
             " union select CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False, '01/01/2000', 0 from Hembras "
             "where " +
             kNeverMated + " and FechaNacimiento<='10/26/2000' order by Jaula"},
        {K::CubricionesHembras, YoungOrder::ByAge,
         kDue + kCages +
             " and ((Palpacion=False) or (FechaParto<='02/23/2001')) and CausaBaja not in (0,1)  and Enfermedad = 0  "
             "and " +
             kLast + " order by Jaula"},
        {K::CubricionesJovenes, YoungOrder::ByAge,
         "select CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False Palpacion, FechaNacimiento FechaParto, 0 "
         "orden from Hembras where " +
             kNeverMated + " and FechaNacimiento<='10/26/2000' order by FechaNacimiento, Jaula"},
        {K::CubricionesJovenes, YoungOrder::ByCage,
         "select CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False Palpacion, FechaNacimiento FechaParto, 0 "
         "orden from Hembras where " +
             kNeverMated + " and FechaNacimiento<='10/26/2000' order by Jaula"},
        {K::CubricionesMachos, YoungOrder::ByAge,
         "select a.codigoMacho, Jaula, Palpacion, orden, FechaCubricion from Machos a, CubriMachos b where "
         "a.CodigoMacho=b.CodigoMacho and a.CodigoMacho>=3 and a.CodigoMacho<=9 and ((Palpacion=False) or "
         "(FechaCubricion<='03/02/2001')) and orden in ( select max(orden) from CubriMachos group by CodigoMacho) "
         "order by Jaula"},
        {K::Palpaciones, YoungOrder::ByAge,
         kMated + kCages + " and Palpacion is NULL and FechaCubricion<='02/21/2001' and CausaBaja not in (0,1)  and " +
             kLast + " order by Jaula"},
        {K::Nidales, YoungOrder::ByAge,
         kMated + kCages +
             " and Palpacion=True and FechaParto is NULL and FechaCubricion<='02/06/2001' and "
             "FechaCubricion>='02/02/2001' and CausaBaja not in (0,1)  and " +
             kLast + " order by Jaula"},
        {K::Partos, YoungOrder::ByAge,
         kMated + kCages +
             " and Palpacion=True and FechaParto is NULL and FechaCubricion<='02/04/2001' and CausaBaja not in (0,1)  "
             "and " +
             kLast + " order by Jaula"},
        {K::RevisionNidos, YoungOrder::ByAge,
         kLitter + kCages +
             " and FechaParto>='02/18/2001' and CausaBaja not in (0,1)  and (NacidosVivos+Anadidos)>(Quitados)  and " +
             kLast + " order by Jaula"},
        {K::RetirarNidos, YoungOrder::ByAge,
         kLitter + kCages +
             " and FechaParto<='02/08/2001' and CausaBaja not in (0,1)  and (NacidosVivos+Anadidos)>(Quitados)  and " +
             kLast + " order by Jaula"},
        {K::Destetes, YoungOrder::ByAge,
         kLitter + kCages +
             " and FechaParto<='02/03/2001' and CausaBaja not in (0,1)  and (NacidosVivos+Anadidos)>(Quitados)  and "
             "orden in ( select max(orden) from CubriHembras where FechaParto is not NULL and not (Destetada=True) "
             "group by CodigoHembra) order by Jaula"},
        {K::Enfermos, YoungOrder::ByAge,
         "select codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Enfermedad, b.* from Hembras a, Enfermedades b "
         "where Enfermedad=CodigoEnfermedad" +
             kCages + " and Enfermedad>0 and CausaBaja not in (0,1)  order by Jaula"},
    };
    GuideFarm farm;
    GuideContext c = farm.context({5, 40});
    c.numbers.firstMale = 3;
    c.numbers.lastMale = 9;
    for (const Case& k : cases) {
        const GuideStatement s = selectionStatement(k.sheet, c, k.order);
        EXPECT_EQ(s.expanded(), k.text) << int(k.sheet);
        EXPECT_FALSE(s.text().contains(QLatin1String("2001"))) << "values are bound, not written in";
        EXPECT_NO_THROW(farm.codes(s, k.sheet == K::CubricionesMachos ? QStringLiteral("CodigoMacho")
                                                                      : QStringLiteral("CodigoHembra")));
    }
}

TEST(GuideSelection, NoCageBoundsMeansNoCageLines) {
    GuideFarm farm;
    for (GuideCages cages : {GuideCages{0, 0}, GuideCages{-3, 0}}) {
        const GuideStatement s = selectionStatement(K::Palpaciones, farm.context(cages));
        EXPECT_EQ(s.lines.size(), 2);
        EXPECT_FALSE(s.text().contains(QLatin1String("Jaula>=")));
    }
    EXPECT_EQ(selectionStatement(K::Palpaciones, farm.context({0, 40})).lines.value(1),
              QStringLiteral(" and Jaula<=:hasta"));
}

TEST(GuideSelection, NeverMatedFemalesComeFromTheWholeFarm) {
    GuideFarm farm;
    farm.female(1, 10); // mated, negative: in range
    farm.cycle(1, 40, false);
    farm.female(2, 90);                       // never mated, outside the range
    farm.female(3, 20, QDate(2000, 1, 1), 1); // never mated, culled
    farm.female(4, 30, QDate(2001, 1, 1));    // never mated, too young
    farm.female(5, 95);                       // mated, outside the range
    farm.cycle(5, 40, false);
    farm.db().exec(QStringLiteral("insert into CubriHembras (FechaCubricion) values ('03/01/2001')")); // no female
    const GuideContext c = farm.context({5, 40});
    EXPECT_EQ(farm.codes(selectionStatement(K::Pinchazo, c)), (Codes{1, 3, 2}));
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesJovenes, c)), (Codes{3, 2}));
}

TEST(GuideSelection, YoungFemalesByAgeOrByCage) {
    GuideFarm farm;
    farm.female(1, 30, QDate(2000, 5, 1));
    farm.female(2, 10, QDate(2000, 6, 1));
    farm.female(3, 20, QDate(2000, 5, 1));
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesJovenes, farm.context(), YoungOrder::ByAge)),
              (Codes{3, 1, 2}));
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesJovenes, farm.context(), YoungOrder::ByCage)),
              (Codes{2, 3, 1}));
}

TEST(GuideSelection, TheDayFieldMovesTheMatingSheetButNotTheInjectionSheet) {
    GuideFarm farm;
    farm.female(1, 10, QDate(2001, 1, 1)); // too young for the never-mated half
    farm.cycle(1, 50, true, 9, 8);         // gave birth 9 days ago
    GuideContext c = farm.context();
    EXPECT_EQ(farm.codes(selectionStatement(K::Pinchazo, c)), (Codes{1})); // 9 >= 10 - 2
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesHembras, c)), Codes{});
    c.numbers.diasCubrirPosparto = 9;
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesHembras, c)), (Codes{1}));
    c.numbers.diasCubrirPosparto = 30;
    EXPECT_EQ(farm.codes(selectionStatement(K::Pinchazo, c)), (Codes{1}));
    c.numbers.injectionLead = 0;
    EXPECT_EQ(farm.codes(selectionStatement(K::Pinchazo, c)), Codes{});
}

TEST(GuideSelection, DateWindowsOfTheCycleSheets) {
    GuideFarm farm;
    const struct {
        int female, matedDaysAgo;
        std::optional<bool> palpation;
        std::optional<int> bornDaysAgo;
        int alive, added, removed;
        bool weaned;
    } rows[] = {
        {26, 26, true, {}, 0, 0, 0, false}, {27, 27, true, {}, 0, 0, 0, false}, {29, 29, true, {}, 0, 0, 0, false},
        {31, 31, true, {}, 0, 0, 0, false}, {32, 32, true, {}, 0, 0, 0, false}, {12, 12, {}, {}, 0, 0, 0, false},
        {11, 11, {}, {}, 0, 0, 0, false},   {40, 45, true, 14, 8, 0, 0, false}, {41, 60, true, 15, 8, 0, 0, false},
        {42, 60, true, 16, 8, 0, 0, false}, {43, 60, true, -5, 8, 0, 0, false}, {50, 60, true, 25, 6, 2, 8, false},
        {51, 70, true, 30, 6, 0, 1, false}, {52, 70, true, 31, 6, 0, 1, true},  {53, 70, true, 29, 6, 0, 1, false},
    };
    for (const auto& r : rows) {
        farm.female(r.female, r.female);
        farm.cycle(r.female, r.matedDaysAgo, r.palpation, r.bornDaysAgo, r.alive, r.added, r.removed, r.weaned);
    }
    const GuideContext c = farm.context();
    EXPECT_EQ(farm.codes(selectionStatement(K::Nidales, c)), (Codes{27, 29, 31}));
    EXPECT_EQ(farm.codes(selectionStatement(K::Partos, c)), (Codes{29, 31, 32}));
    EXPECT_EQ(farm.codes(selectionStatement(K::Palpaciones, c)), (Codes{12}));
    EXPECT_EQ(farm.codes(selectionStatement(K::RevisionNidos, c)), (Codes{40, 41, 43}));
    EXPECT_EQ(farm.codes(selectionStatement(K::RetirarNidos, c)), (Codes{51, 52, 53}));
    EXPECT_EQ(farm.codes(selectionStatement(K::Destetes, c)), (Codes{51}));
}

TEST(GuideSelection, MaleGuideHasItsOwnRange) {
    GuideFarm farm;
    farm.male(3, 50);
    farm.maleCycle(3, 10, true);
    farm.male(4, 40);
    farm.maleCycle(4, 1, false);
    farm.male(5, 30);
    farm.maleCycle(5, 2, true);
    GuideContext c = farm.context({45, 60});
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesMachos, c), QStringLiteral("CodigoMacho")), Codes{});
    c.numbers.firstMale = 3;
    c.numbers.lastMale = 5;
    EXPECT_EQ(farm.codes(selectionStatement(K::CubricionesMachos, c), QStringLiteral("CodigoMacho")), (Codes{4, 3}));
}

TEST(GuideSelection, PrintOrderFollowsDaysThenTheFixedTaskOrder) {
    GuidePlan plan;
    plan.build(QDate(2001, 3, 5), QDate(2001, 3, 7), FarmParameters{});
    EXPECT_TRUE(printOrder(plan).empty());
    GuideDay d = plan.day(0);
    d.setTicked(GuideTask::MovimientoCebadero, true);
    d.setTicked(GuideTask::Traslados, true);
    plan.edit(0, d);
    EXPECT_TRUE(printOrder(plan).empty());
    d = plan.day(2);
    for (GuideTask t :
         {GuideTask::ReproductoresEnfermos, GuideTask::Destetes, GuideTask::Cubriciones, GuideTask::Pinchazo})
        d.setTicked(t, true);
    plan.edit(2, d);
    d = plan.day(1);
    d.setTicked(GuideTask::Palpaciones, true);
    plan.edit(1, d);
    const QDate d6(2001, 3, 6), d7(2001, 3, 7);
    EXPECT_EQ(printOrder(plan), (std::vector<GuideJob>{{1, d6, K::Palpaciones},
                                                       {2, d7, K::Pinchazo},
                                                       {2, d7, K::CubricionesHembras},
                                                       {2, d7, K::CubricionesJovenes},
                                                       {2, d7, K::CubricionesMachos},
                                                       {2, d7, K::Destetes},
                                                       {2, d7, K::Enfermos}}));
}

} // namespace

namespace {

// Every sheet lists on the edge rows exactly what its grouped statement
// ("orden in ( select max(orden) ... group by ...)" and the "not in" list of
// cycle females) always listed.
TEST(GuideSelection, SheetsListWhatTheGroupedStatementsListed) {
    const std::pair<QString, QString> groupedForms[] = {
        {kLast, QStringLiteral("orden in ( select max(orden) from CubriHembras group by CodigoHembra)")},
        {kNeverMated,
         QStringLiteral("CodigoHembra not in (select CodigoHembra from CubriHembras where CodigoHembra is not NULL)")},
    };
    const auto noNumber = [](GuideFarm& f) {
        f.db().exec(QStringLiteral("insert into Hembras values (NULL, 0, 0, '01/01/2000', '01/01/2000', '', 0, 77, "
                                   "False, False, False, False, NULL, -1, 0, False)"));
    };
    const auto nobodys = [](GuideFarm& f) {
        f.db().exec(QStringLiteral("insert into CubriHembras (FechaCubricion, Palpacion) values ('03/01/2001', 0)"));
    };
    struct Case {
        const char* name;
        std::function<void(GuideFarm&)> rows;
    } cases[] = {
        {"no cycle row at all, a female without number",
         [&](GuideFarm& f) {
             f.female(1, 10);
             noNumber(f);
             f.male(3, 5);
         }},
        {"only a cycle row without female", [&](GuideFarm& f) { f.female(1, 10); noNumber(f); nobodys(f); }},
        {"ties, older litters, rows of nobody and of no registered female",
         [&](GuideFarm& f) {
             noNumber(f);
             nobodys(f);
             f.cycle(99, 40, false); // not in the register
             f.female(1, 10);        // two rows of one day: the later one counts
             f.cycle(1, 40, false);
             f.cycle(1, 40, true, 9, 8);
             f.female(2, 11);
             f.cycle(2, 40, true, 9, 8);
             f.cycle(2, 40, false);
             f.female(3, 12); // an unweaned litter before a weaned one
             f.cycle(3, 90, true, 60, 7);
             f.cycle(3, 60, true, 30, 6, 0, 0, true);
             f.female(4, 13); // mated on the day before, a litter before that
             f.cycle(4, 70, true, 35, 8);
             f.cycle(4, 1);
             f.female(5, 14, QDate(2000, 1, 1), -1, 2); // sick, never mated
             f.male(3, 5);
             f.maleCycle(3, 10, false);
             f.maleCycle(3, 10, true);
             f.male(4, 6);
             f.maleCycle(4, 2);
             f.male(5, 7); // no row
         }},
    };
    for (const Case& k : cases) {
        GuideFarm farm;
        k.rows(farm);
        GuideContext c = farm.context();
        c.numbers.firstMale = 1;
        c.numbers.lastMale = 9;
        for (int sheet = 0; sheet <= int(K::Enfermos); ++sheet) {
            const QString now = selectionStatement(K(sheet), c, YoungOrder::ByAge).expanded();
            QString before = now;
            for (const auto& [lookup, group] : groupedForms)
                before.replace(lookup, group);
            EXPECT_TRUE(K(sheet) == K::Enfermos || K(sheet) == K::Destetes || K(sheet) == K::CubricionesMachos ||
                        before != now) << "sheet " << sheet;
            QStringList rows = testkit::rowTexts(farm.db(), now);
            QStringList grouped = testkit::rowTexts(farm.db(), before);
            rows.sort();
            grouped.sort();
            EXPECT_EQ(rows, grouped) << k.name << ", sheet " << sheet;
        }
    }
}

} // namespace
