#include "reports/FemaleListSheet.h"
#include "FemaleRows.h"
#include "TempFarm.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"

#include <gtest/gtest.h>

namespace {

const QDate kDay(2001, 3, 5);

QString expectedGlyphs(int i) {
    return house::markGlyphs(i & 1, i & 2, i & 4, i & 8);
}

struct ListFixture {
    TempFarm farm;
    std::unique_ptr<FemaleListSheet> sheet;
    std::unique_ptr<Query> query;
    std::unique_ptr<QueryRows> rows;

    explicit ListFixture(int females) {
        addFemales(farm.db(), females);
        nameFarm(farm.db());
        sheet = std::make_unique<FemaleListSheet>(farm.db(), QStringLiteral("Listado de Hembras"), kDay);
        sheet->addColumn(SheetColumn::bound(QStringLiteral("eficacia"), QStringLiteral("Eficacia"), 14,
                                            SheetAlign::Right, QStringLiteral("Eficacia"), QStringLiteral("##0.00")));
        sheet->addColumn(SheetColumn::computed(QStringLiteral("cubr"), QStringLiteral("Cubr."), 10));
        sheet->onRow([](BandPrint& p) {
            p.setText(QStringLiteral("cubr"),
                      p.field(QStringLiteral("Jaula")).asInteger() % 2 ? QStringLiteral("x") : QString());
        });
    }

    SheetDocument compose() {
        query =
            std::make_unique<Query>(farm.db(), QStringLiteral("select * from Hembras where CausaBaja not in (0,1)"));
        *query << QStringLiteral("order by Jaula");
        query->open();
        rows = std::make_unique<QueryRows>(*query);
        std::optional<SheetDocument> doc = SheetComposer::compose(*sheet, *rows);
        EXPECT_TRUE(doc);
        return doc ? std::move(*doc) : SheetDocument();
    }
};

TEST(FemaleListSheet, EveryFemaleOnceInOrderLeftColumnThenRight) {
    const int females = 350; // 300 listed
    ListFixture f(females);
    const SheetDocument doc = f.compose();
    const std::vector<int> listed = listedIndexes(females);
    ASSERT_EQ(listed.size(), 300u);
    EXPECT_EQ(doc.rows, 300);
    ASSERT_EQ(doc.pages.size(), 3u);

    size_t next = 0;
    int fullColumn = 0;
    for (const SheetPage& page : doc.pages) {
        int lastColumn = 0;
        int perColumn[2] = {0, 0};
        for (const SheetItem& item : page.items) {
            if (item.band != BandKind::Detail || item.name != QLatin1String("codigo"))
                continue;
            ASSERT_LT(next, listed.size());
            const int i = listed[next++];
            EXPECT_EQ(item.text, QString::number(1000 + i));
            EXPECT_GE(item.column, lastColumn) << "the left column is filled before the right one";
            lastColumn = item.column;
            ++perColumn[item.column];
            EXPECT_GT(item.rect.left(), f.sheet->columnLeft(item.column));
            EXPECT_LT(item.rect.right(), f.sheet->columnLeft(item.column) + f.sheet->columnWidth());
        }
        if (page.number == 1)
            fullColumn = perColumn[0];
        // A column is started only when the one before it is full.
        if (perColumn[1] > 0) {
            EXPECT_EQ(perColumn[0], fullColumn) << "page " << page.number;
        }
        if (page.number < int(doc.pages.size())) {
            EXPECT_EQ(perColumn[1], fullColumn) << "page " << page.number;
        }
    }
    EXPECT_EQ(next, listed.size());
    EXPECT_GT(fullColumn, 40);
}

TEST(FemaleListSheet, CellsOfEachLine) {
    ListFixture f(40);
    const SheetDocument doc = f.compose();
    const SheetPage& page = doc.pages.at(0);
    const std::vector<int> listed = listedIndexes(40);
    const QStringList cages = page.texts(QStringLiteral("jaula"), BandKind::Detail);
    const QStringList glyphs = page.texts(QStringLiteral("marcas"), BandKind::Detail);
    const QStringList efficiency = page.texts(QStringLiteral("eficacia"), BandKind::Detail);
    ASSERT_EQ(cages.size(), int(listed.size()));
    ASSERT_EQ(glyphs.size(), int(listed.size()));
    for (size_t n = 0; n < listed.size(); ++n) {
        const int i = listed[n];
        EXPECT_EQ(cages[n], QString::number(i + 1));
        EXPECT_EQ(glyphs[n], expectedGlyphs(i)) << i;
        EXPECT_EQ(efficiency[n], display::mask(i * 0.25, QStringLiteral("##0.00")));
    }
    EXPECT_EQ(glyphs[5], QString::fromUtf8("þ¨þ¨")) << "female 5 has marks 1 and 3";
    // The hand-filled column prints only where the hook wrote something, and every
    // line is closed by its rule.
    const auto oddCages = std::count_if(listed.begin(), listed.end(), [](int i) { return (i + 1) % 2 == 1; });
    EXPECT_EQ(page.texts(QStringLiteral("cubr"), BandKind::Detail).size(), oddCages);
    int rules = 0;
    for (const SheetItem& item : page.items)
        rules += item.band == BandKind::Detail && item.kind == SheetItem::Kind::Line ? 1 : 0;
    EXPECT_EQ(rules, int(listed.size()));
    const SheetItem* mark = page.find(QStringLiteral("marcas"));
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->kind, SheetItem::Kind::Marks);
}

TEST(FemaleListSheet, HeaderCaptionsAndFooterOnEveryPage) {
    ListFixture f(350);
    f.sheet->setSelection(house::cageRange(0, 0));
    const SheetDocument doc = f.compose();
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(doc.title, QStringLiteral("Listado de Hembras"));
    for (const SheetPage& page : doc.pages) {
        SCOPED_TRACE(page.number);
        EXPECT_EQ(page.texts(QStringLiteral("titulo")), QStringList{QStringLiteral("Listado de Hembras")});
        EXPECT_EQ(page.texts(QStringLiteral("explotacion")), QStringList{QStringLiteral("Granja La Vega")});
        EXPECT_EQ(page.texts(QStringLiteral("fecha")), QStringList{QStringLiteral("lunes, 5 de marzo de 2001")});
        EXPECT_EQ(page.texts(QStringLiteral("seleccion")),
                  QStringList{QStringLiteral("Desde la Jaula 0 a la Jaula 0")});
        for (const char* caption : {"jaula", "codigo", "marcas", "eficacia", "cubr"})
            EXPECT_EQ(page.texts(HouseSheet::captionName(QString::fromLatin1(caption))).size(), 2) << caption;
        EXPECT_EQ(page.texts(HouseSheet::captionName(QStringLiteral("codigo"))),
                  QStringList({QStringLiteral("Hembra"), QStringLiteral("Hembra")}));
        EXPECT_EQ(page.texts(QStringLiteral("marco")).size(), 2) << "a framed caption row over each column";
        EXPECT_EQ(page.texts(QStringLiteral("pagina")), QStringList{QStringLiteral("Página %1").arg(page.number)});
        EXPECT_EQ(page.texts(QStringLiteral("leyenda1")), QStringList{QStringLiteral("1. Vacunada")});
        EXPECT_EQ(page.texts(QStringLiteral("leyenda2")), QStringList{QStringLiteral("2. ")});
        EXPECT_EQ(page.texts(QStringLiteral("leyenda3")), QStringList{QStringLiteral("3. Tratada")});
        EXPECT_EQ(page.texts(QStringLiteral("leyenda4")), QStringList{QStringLiteral("4. Revisar")});
        EXPECT_NE(page.find(QStringLiteral("reglaLeyenda")), nullptr);
        const SheetItem* legend = page.find(QStringLiteral("leyenda1"));
        EXPECT_TRUE(legend->font.italic);
        EXPECT_LT(legend->font.points, page.find(QStringLiteral("explotacion"))->font.points);
    }
    const SheetItem* farmName = doc.pages[0].find(QStringLiteral("explotacion"));
    for (const SheetItem& item : doc.pages[0].items)
        EXPECT_LE(item.font.points, farmName->font.points) << "the farm name is the largest text";
    EXPECT_EQ(doc.pages[0].find(QStringLiteral("fecha"))->align, SheetAlign::Right);
}

TEST(FemaleListSheet, LegendIsReadAgainForEveryFooter) {
    ListFixture f(350);
    // The mark name changes while the second page is being filled.
    f.sheet->onRow([&](BandPrint& p) {
        if (p.row() == 150)
            f.farm.db().exec(QStringLiteral("update DatosExplotacion set Marca1='Preñada'"));
    });
    const SheetDocument doc = f.compose();
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(doc.pages[0].texts(QStringLiteral("leyenda1")), QStringList{QStringLiteral("1. Vacunada")});
    EXPECT_EQ(doc.pages[1].texts(QStringLiteral("leyenda1")), QStringList{QStringLiteral("1. Preñada")});
    EXPECT_EQ(doc.pages[2].texts(QStringLiteral("leyenda1")), QStringList{QStringLiteral("1. Preñada")});
}

TEST(FemaleListSheet, WithoutParameterRowFarmNameAndLegendNamesAreEmpty) {
    ListFixture f(3);
    f.farm.db().exec(QStringLiteral("delete from DatosExplotacion"));
    FemaleListSheet sheet(f.farm.db(), QStringLiteral("Jaulas Ocupadas"), kDay, 4);
    Query q(f.farm.db(), QStringLiteral("select * from Hembras order by Jaula"));
    q.open();
    QueryRows rows(q);
    const SheetDocument doc = *SheetComposer::compose(sheet, rows);
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_TRUE(doc.pages[0].texts(QStringLiteral("explotacion")).isEmpty());
    EXPECT_EQ(doc.pages[0].texts(QStringLiteral("leyenda4")), QStringList{QStringLiteral("4. ")});
    EXPECT_EQ(doc.pages[0].texts(HouseSheet::captionName(QStringLiteral("marcas"))).size(), 4);
    EXPECT_TRUE(doc.pages[0].texts(QStringLiteral("seleccion")).isEmpty());
}

TEST(FemaleListSheet, AdaptedForMales) {
    TempFarm farm;
    for (int m : {7, 9})
        farm.db().exec(QStringLiteral("insert into Machos (CodigoMacho, Jaula, Eficacia) values (%1, %1, 40)").arg(m));
    FemaleListSheet sheet(farm.db(), QStringLiteral("Listado de Selección"), kDay);
    sheet.setTitle(sheet.title() + QStringLiteral(" de Machos"));
    sheet.showMales();
    Query q(farm.db(), QStringLiteral("select CodigoMacho, Jaula, Eficacia from Machos order by CodigoMacho"));
    q.open();
    QueryRows rows(q);
    const SheetDocument doc = *SheetComposer::compose(sheet, rows);
    const SheetPage& page = doc.pages.at(0);
    EXPECT_EQ(doc.title, QStringLiteral("Listado de Selección de Machos"));
    EXPECT_EQ(page.texts(QStringLiteral("titulo")), QStringList{QStringLiteral("Listado de Selección de Machos")});
    EXPECT_EQ(page.texts(HouseSheet::captionName(QStringLiteral("codigo"))),
              QStringList({QStringLiteral("Macho"), QStringLiteral("Macho")}));
    EXPECT_TRUE(page.texts(HouseSheet::captionName(QStringLiteral("marcas"))).isEmpty());
    EXPECT_EQ(page.texts(QStringLiteral("codigo"), BandKind::Detail), QStringList({"7", "9"}));
    EXPECT_TRUE(page.texts(QStringLiteral("marcas")).isEmpty());
    EXPECT_TRUE(page.texts(QStringLiteral("leyenda1")).isEmpty());
    EXPECT_EQ(page.find(QStringLiteral("reglaLeyenda")), nullptr);
    EXPECT_EQ(page.texts(QStringLiteral("pagina")), QStringList{QStringLiteral("Página 1")});
}

TEST(FemaleListSheet, ColumnsMustFitTheirPageColumn) {
    TempFarm farm;
    FemaleListSheet two(farm.db(), QStringLiteral("Dos columnas"), kDay, 2);
    EXPECT_NO_THROW(two.addColumn(SheetColumn::computed(QStringLiteral("a"), QStringLiteral("A"), two.freeWidth())));
    EXPECT_THROW(two.addColumn(SheetColumn::computed(QStringLiteral("b"), QStringLiteral("B"), 1)),
                 std::invalid_argument);
    FemaleListSheet four(farm.db(), QStringLiteral("Jaulas Ocupadas"), kDay, 4);
    EXPECT_GE(four.freeWidth(), 0.0);
}

TEST(FemaleListSheet, EmptyListIsProducedOnlyWhenNotMarked) {
    TempFarm farm;
    FemaleListSheet sheet(farm.db(), QStringLiteral("Guía de Partos"), kDay);
    Query q(farm.db(), QStringLiteral("select * from Hembras order by Jaula"));
    q.open();
    QueryRows rows(q);
    const std::optional<SheetDocument> doc = SheetComposer::compose(sheet, rows);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pages.size(), 1u);
    EXPECT_EQ(doc->pages[0].texts(HouseSheet::captionName(QStringLiteral("jaula"))).size(), 2);
    EXPECT_EQ(doc->pages[0].texts(QStringLiteral("leyenda1")), QStringList{QStringLiteral("1. Marca 1")});
    sheet.setSkipWhenEmpty(true);
    EXPECT_FALSE(SheetComposer::compose(sheet, rows));
}

} // namespace
