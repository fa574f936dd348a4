#include "SelectionFarm.h"
#include "TempFarm.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"
#include "selection/AnimalListing.h"
#include "selection/OccupiedCages.h"

#include <gtest/gtest.h>

using namespace selectionkit;

namespace {

const QDate kToday(2026, 12, 9);

SheetDocument compose(AnimalListing& listing) {
    std::optional<SheetDocument> doc = SheetComposer::compose(listing.sheet(), listing.rows());
    EXPECT_TRUE(doc);
    return doc ? std::move(*doc) : SheetDocument();
}

QStringList listed(Database& db, ListingKind kind, ListingOrder order = ListingOrder::Code) {
    AnimalListing listing(db, kind, order, kToday);
    return lines(compose(listing), {QStringLiteral("codigo")});
}

void nameFarm(Database& db) {
    db.exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja La Vega', Marca1='Vacunada', "
                           "Marca2='', Marca3='Tratada', Marca4='Revisar'"));
}

} // namespace

TEST(CullingFemales, PresentHealthyIndexZeroWithoutPositiveCurrentPalpation) {
    TempFarm farm;
    Database& db = farm.db();
    struct Case {
        Female female;
        std::vector<std::optional<bool>> palpations; // her cycle rows in order; births on the positive ones
        bool proposed;
    };
    const Case cases[] = {
        {{101, 11, QDate(2025, 3, 1)}, {false, true}, false},                         // last palpation positive
        {{102, 12, QDate(2025, 1, 1), 8, -1, 0, false, 0b0101}, {true, false}, true}, // disease 8
        {{103, 13, QDate(2025, 1, 1), 5}, {false}, false},                            // another disease
        {{104, 14, QDate(2025, 1, 1), 0, 0}, {false}, false},                         // culled
        {{105, 15, QDate(2025, 1, 1), 0, 1}, {false}, false},                         // dead
        {{106, 16, QDate(2025, 1, 1), 0, -1, 12.5}, {false}, false},                  // index above 0
        {{107, 17, QDate(2025, 1, 1)}, {}, false},                                    // never mated
        {{108, 18, QDate(2025, 1, 1)}, {std::nullopt}, false},                        // not palpated yet
        {{109, 19, QDate(2024, 12, 1)}, {true, true, false}, true},                   // oldest: listed first
        {{110, 20, QDate(2025, 1, 1)}, {false}, true},                                // same birth date: by code
    };
    for (const Case& c : cases) {
        add(db, c.female);
        for (const auto& palpation : c.palpations)
            addCycle(db, c.female.code, palpation, palpation.value_or(false));
    }
    AnimalListing listing(db, ListingKind::CullingFemales, ListingOrder::Code, kToday);
    SheetDocument doc = compose(listing);
    const QStringList cells{"jaula", "codigo", "marcas", "eficacia", "partos", "edad"};
    EXPECT_EQ(lines(doc, cells),
              (QStringList{"19|109|¨¨¨¨|0,00|2|738", "12|102|þ¨þ¨|0,00|1|707", "20|110|¨¨¨¨|0,00|0|707"}));

    // A new cycle with a negative palpation brings back the female that was pregnant.
    addCycle(db, 101, false);
    EXPECT_EQ(listed(db, ListingKind::CullingFemales), (QStringList{"109", "102", "110", "101"}));
}

TEST(CullingMales, IndexBelowFiftyWithMatingsShownRelativeToTheAverage) {
    TempFarm farm;
    Database& db = farm.db();
    // Average of all males, listed or not: (49.9 + 50 + 0 + 20.1) / 4 = 30.
    addMale(db, 1, 31, QDate(2025, 6, 1), 49.9);
    addMale(db, 2, 32, QDate(2025, 1, 1), 50);
    addMale(db, 3, 33, QDate(2024, 1, 1), 0); // no mating: never listed
    addMale(db, 4, 34, QDate(2025, 1, 1), 20.1);
    for (int female : {1, 2, 3})
        addMating(db, 1, female);
    addMating(db, 2, 1);
    addMating(db, 4, 9);
    AnimalListing listing(db, ListingKind::CullingMales, ListingOrder::Code, kToday);
    SheetDocument doc = compose(listing);
    EXPECT_EQ(lines(doc, {"jaula", "codigo", "eficacia", "cubriciones", "edad"}),
              (QStringList{"34|4|67,00|1|707", "31|1|166,33|3|556"}));
    const SheetPage& page = doc.pages.at(0);
    EXPECT_EQ(page.texts(HouseSheet::captionName("codigo")), (QStringList{"Macho", "Macho"}));
    EXPECT_FALSE(listing.sheet().markLegend());

    // No male above 0: the relative index reads "0".
    db.exec(QStringLiteral("update Machos set Eficacia=0"));
    AnimalListing none(db, ListingKind::CullingMales, ListingOrder::Code, kToday);
    EXPECT_EQ(lines(compose(none), {"codigo", "eficacia"}), (QStringList{"2|0", "4|0", "1|0"}));
}

TEST(SelectionMales, RelativeIndexInTheChosenOrderWithoutMarks) {
    TempFarm farm;
    Database& db = farm.db();
    addMale(db, 7, 3, QDate(2025, 2, 1), 60, true, QDate(2025, 5, 2));
    addMale(db, 5, 9, QDate(2025, 3, 4), 20, true, QDate(2025, 6, 7));
    addMale(db, 6, 1, QDate(), 40, true);
    struct Case {
        ListingOrder order;
        QStringList lines;
    };
    const Case cases[] = {
        {ListingOrder::Code, {"9|5|50,00|04/03/2025|07/06/2025", "1|6|100,00||", "3|7|150,00|01/02/2025|02/05/2025"}},
        {ListingOrder::Cage, {"1|6|100,00||", "3|7|150,00|01/02/2025|02/05/2025", "9|5|50,00|04/03/2025|07/06/2025"}},
        {ListingOrder::Efficiency,
         {"9|5|50,00|04/03/2025|07/06/2025", "1|6|100,00||", "3|7|150,00|01/02/2025|02/05/2025"}},
    };
    for (const Case& c : cases) {
        AnimalListing listing(db, ListingKind::SelectionMales, c.order, kToday);
        SheetDocument doc = compose(listing);
        EXPECT_EQ(lines(doc, {"jaula", "codigo", "eficacia", "nacimiento", "entrada"}), c.lines);
        EXPECT_EQ(lines(doc, {"marcas"}), (QStringList{"", "", ""}));
        const SheetPage& page = doc.pages.at(0);
        EXPECT_EQ(page.texts(HouseSheet::captionName("codigo")), (QStringList{"Macho", "Macho"}));
        EXPECT_TRUE(page.texts(HouseSheet::captionName("marcas")).isEmpty());
        EXPECT_TRUE(page.texts("leyenda1").isEmpty());
    }
    db.exec(QStringLiteral("update Machos set Eficacia=0"));
    AnimalListing none(db, ListingKind::SelectionMales, ListingOrder::Code, kToday);
    EXPECT_EQ(lines(compose(none), {"eficacia"}), (QStringList{"0", "0", "0"}));
}

TEST(SelectionFemales, SelectedFemalesWhateverTheirPresenceInTheChosenOrder) {
    TempFarm farm;
    Database& db = farm.db();
    nameFarm(db);
    add(db, {21, 8, QDate(2025, 1, 2), 5, 0, 7.5, true, 0b0001, QDate(2025, 4, 1)}); // culled and sick: listed
    add(db, {22, 2, QDate(2025, 2, 3), 0, -1, 2.25, true, 0b1010, QDate(2025, 5, 1)});
    add(db, {23, 5, QDate(2025, 3, 4), 0, -1, 2.25, true});
    add(db, {24, 1, QDate(2025, 3, 4), 0, -1, 0, false}); // not selected
    struct Case {
        ListingOrder order;
        QStringList codes;
    };
    const Case cases[] = {{ListingOrder::Code, {"21", "22", "23"}},
                          {ListingOrder::Cage, {"22", "23", "21"}},
                          {ListingOrder::Efficiency, {"22", "23", "21"}}};
    for (const Case& c : cases)
        EXPECT_EQ(listed(db, ListingKind::SelectionFemales, c.order), c.codes);

    AnimalListing listing(db, ListingKind::SelectionFemales, ListingOrder::Code, kToday);
    SheetDocument doc = compose(listing);
    EXPECT_EQ(lines(doc, {"jaula", "codigo", "marcas", "eficacia", "nacimiento", "entrada"}),
              (QStringList{"8|21|þ¨¨¨|7,50|02/01/2025|01/04/2025", "2|22|¨þ¨þ|2,25|03/02/2025|01/05/2025",
                           "5|23|¨¨¨¨|2,25|04/03/2025|"}));
    const SheetPage& page = doc.pages.at(0);
    EXPECT_EQ(page.texts("titulo"), QStringList{"Listado de Selección de Hembras"});
    EXPECT_EQ(page.texts("explotacion"), QStringList{"Granja La Vega"});
    EXPECT_EQ(page.texts("fecha"), QStringList{"miércoles, 9 de diciembre de 2026"});
    EXPECT_EQ(page.texts(HouseSheet::captionName("marcas")), (QStringList{"1 2 3 4", "1 2 3 4"}));
    EXPECT_EQ(page.texts("leyenda2"), QStringList{"2. "});
}

TEST(Listings, AnEmptyListingIsPrintedWithItsHeadersInTwoColumns) {
    TempFarm farm;
    struct Case {
        ListingKind kind;
        const char* title;
        QStringList captions;
    };
    const Case cases[] = {
        {ListingKind::CullingFemales,
         "Listado de Propuesta de Eliminación (Reposición - Hembras)",
         {"Jaula", "Hembra", "1 2 3 4", "Eficacia", "Ptos.", "Edad"}},
        {ListingKind::CullingMales,
         "Listado de Propuesta de Eliminación (Reposición - Machos)",
         {"Jaula", "Macho", "Eficacia", "Cubr.", "Edad"}},
        {ListingKind::SelectionFemales,
         "Listado de Selección de Hembras",
         {"Jaula", "Hembra", "1 2 3 4", "Eficacia", "F.Nacim.", "F. Entrada"}},
        {ListingKind::SelectionMales,
         "Listado de Selección de Machos",
         {"Jaula", "Macho", "Eficacia", "F.Nacim.", "F. Entrada"}},
    };
    for (const Case& c : cases) {
        AnimalListing listing(farm.db(), c.kind, ListingOrder::Code, kToday);
        SheetDocument doc = compose(listing);
        EXPECT_EQ(doc.title, QString::fromUtf8(c.title));
        EXPECT_EQ(doc.rows, 0);
        ASSERT_EQ(doc.pages.size(), 1u);
        QStringList captions;
        for (const SheetItem& item : doc.pages[0].items) {
            if (item.band == BandKind::ColumnHeader && item.kind == SheetItem::Kind::Text && item.column == 0)
                captions << item.text;
        }
        EXPECT_EQ(captions, c.captions) << c.title;
        EXPECT_EQ(doc.pages[0].texts(HouseSheet::captionName("jaula")).size(), 2) << c.title;
        EXPECT_EQ(doc.pages[0].texts("leyenda1").size(), listing::isMale(c.kind) ? 0 : 1) << c.title;
    }
}

TEST(OccupiedCages, ActiveFemalesOfTheRangeInCageOrder) {
    TempFarm farm;
    Database& db = farm.db();
    nameFarm(db);
    add(db, {301, 5, {}, 0, -1, 0, false, 0b0011});
    add(db, {302, 5, {}, 0, -1, 0, false, 0b1000}); // the same cage
    add(db, {303, 6, {}, 0, 0});                    // culled: her row still names cage 6
    add(db, {304, 2, {}, 0, 1});                    // dead
    add(db, {305, 9, {}, 7});                       // sick, still present
    add(db, {0, 7, {}, 0, -1, 0, false, 0b1111});   // no female code: no glyphs
    struct Case {
        qint64 from;
        qint64 to;
        QStringList lines; // empty: nothing is produced
    };
    const Case cases[] = {
        {0, 0, {"5|301|þþ¨¨", "5|302|¨¨¨þ", "7|0|", "9|305|¨¨¨¨"}},
        {5, 6, {"5|301|þþ¨¨", "5|302|¨¨¨þ"}},
        {6, 0, {"7|0|", "9|305|¨¨¨¨"}},
        {0, 4, {}},
        {6, 6, {}},
    };
    for (const Case& c : cases) {
        OccupiedCages cages(db, c.from, c.to, kToday);
        std::optional<SheetDocument> doc = SheetComposer::compose(cages.sheet(), cages.rows());
        ASSERT_EQ(doc.has_value(), !c.lines.isEmpty()) << c.from << "-" << c.to;
        if (!doc)
            continue;
        EXPECT_EQ(lines(*doc, {"jaula", "codigo", "marcas"}), c.lines);
        const SheetPage& page = doc->pages.at(0);
        EXPECT_EQ(page.texts("titulo"), QStringList{"Jaulas Ocupadas"});
        EXPECT_EQ(page.texts("seleccion"), QStringList{house::cageRange(c.from, c.to)});
        EXPECT_EQ(page.texts(HouseSheet::captionName("marcas")).size(), 4);
        EXPECT_EQ(page.texts("leyenda3"), QStringList{"3. Tratada"});
    }
    EXPECT_EQ(house::cageRange(0, 0), QStringLiteral("Desde la Jaula 0 a la Jaula 0"));
    EXPECT_EQ(OccupiedCages::statement(0, 0),
              (QStringList{"select * from Hembras where CausaBaja not in (0,1)", "order by Jaula"}));
    EXPECT_EQ(OccupiedCages::statement(3, 40), (QStringList{"select * from Hembras where CausaBaja not in (0,1)",
                                                            " and Jaula>=3", " and Jaula<=40", "order by Jaula"}));
}
