#include "reports/SheetComposer.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// A plain two-column sheet with round sizes: 240 mm between header and footer
// hold 24 lines of 10 mm per column.
struct PlainSheet {
    Sheet sheet{QStringLiteral("Hoja de prueba")};
    std::map<BandKind, int> hookRuns;
    std::vector<std::pair<int, int>> footerPages; // (page, column) seen by the footer hook
    std::vector<int> captionColumns;

    explicit PlainSheet(int columns = 2) {
        sheet.setColumns(columns);
        sheet.pageHeader().setHeight(17);
        sheet.pageHeader().addText(QStringLiteral("cabecera"), QRectF(0, 0, 100, 5), QStringLiteral("Cabecera"));
        sheet.columnHeader().setHeight(10);
        sheet.columnHeader().addText(QStringLiteral("rotulo"), QRectF(0, 0, 20, 5), QStringLiteral("Código"));
        sheet.detail().setHeight(10);
        sheet.detail().addField(QStringLiteral("codigo"), QRectF(0, 0, 20, 5), QStringLiteral("codigo"));
        sheet.pageFooter().setHeight(10);
        sheet.pageFooter().addPageNumber(QStringLiteral("pagina"), QRectF(150, 2, 40, 5), QStringLiteral("Página "));
        for (BandKind kind : {BandKind::Title, BandKind::PageHeader, BandKind::ColumnHeader, BandKind::Detail,
                              BandKind::Summary, BandKind::PageFooter})
            sheet.band(kind).addHook([this, kind](BandPrint&) { ++hookRuns[kind]; });
        sheet.pageFooter().addHook([this](BandPrint& p) { footerPages.emplace_back(p.page(), p.column()); });
        sheet.columnHeader().addHook([this](BandPrint& p) { captionColumns.push_back(p.column()); });
    }
};

ListRows numbered(int count) {
    ListRows rows({QStringLiteral("codigo")});
    for (int i = 0; i < count; ++i)
        rows.append({i});
    return rows;
}

// The detail items of a page in the order they were placed.
std::vector<const SheetItem*> lines(const SheetPage& page, const QString& name = QStringLiteral("codigo")) {
    std::vector<const SheetItem*> out;
    for (const SheetItem& item : page.items) {
        if (item.band == BandKind::Detail && item.name == name)
            out.push_back(&item);
    }
    return out;
}

TEST(SheetComposer, FillsLeftColumnThenRightThenNextPage) {
    PlainSheet plain;
    ListRows rows = numbered(100);
    const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);

    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_EQ(doc.rows, 100);
    const int perPage[] = {48, 48, 4};
    int next = 0;
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        const auto placed = lines(doc.pages[p]);
        ASSERT_EQ(int(placed.size()), perPage[p]) << "page " << p + 1;
        for (size_t i = 0; i < placed.size(); ++i) {
            const SheetItem& item = *placed[i];
            EXPECT_EQ(item.text, QString::number(next)) << "page " << p + 1;
            EXPECT_EQ(item.row, next);
            const int column = i < 24 ? 0 : 1;
            EXPECT_EQ(item.column, column);
            EXPECT_DOUBLE_EQ(item.rect.left(), plain.sheet.columnLeft(column));
            EXPECT_DOUBLE_EQ(item.rect.top(), 10 + 17 + 10 + (i % 24) * 10.0);
            ++next;
        }
        EXPECT_EQ(doc.pages[p].texts(QStringLiteral("pagina")), QStringList{QStringLiteral("Página %1").arg(p + 1)});
        EXPECT_EQ(doc.pages[p].texts(QStringLiteral("rotulo")).size(), 2) << "captions over both columns";
    }
    EXPECT_DOUBLE_EQ(plain.sheet.columnLeft(1), 10 + 93 + 4);
}

TEST(SheetComposer, FourColumnsFillInTurnWithCaptionsOverEach) {
    PlainSheet plain(4);
    ListRows rows = numbered(100);
    const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);
    ASSERT_EQ(doc.pages.size(), 2u);
    const auto first = lines(doc.pages[0]);
    ASSERT_EQ(first.size(), 96u);
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i]->text, QString::number(int(i)));
        EXPECT_EQ(first[i]->column, int(i / 24));
        EXPECT_DOUBLE_EQ(first[i]->rect.left(), plain.sheet.columnLeft(int(i / 24)));
    }
    for (int c = 1; c < 4; ++c)
        EXPECT_LT(plain.sheet.columnLeft(c - 1), plain.sheet.columnLeft(c));
    EXPECT_EQ(doc.pages[0].texts(QStringLiteral("rotulo")).size(), 4);
    EXPECT_EQ(lines(doc.pages[1]).size(), 4u);
    EXPECT_EQ(lines(doc.pages[1]).front()->column, 0);
}

TEST(SheetComposer, HooksRunOncePerRowAndOncePerPage) {
    PlainSheet plain;
    plain.sheet.titleBand().setHeight(8);
    plain.sheet.summary().setHeight(8);
    ListRows rows = numbered(100);
    const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);

    EXPECT_EQ(plain.hookRuns[BandKind::Detail], 100);
    EXPECT_EQ(plain.hookRuns[BandKind::PageFooter], int(doc.pages.size()));
    EXPECT_EQ(plain.hookRuns[BandKind::PageHeader], int(doc.pages.size()));
    EXPECT_EQ(plain.hookRuns[BandKind::ColumnHeader], 2 * int(doc.pages.size()));
    EXPECT_EQ(plain.hookRuns[BandKind::Title], 1);
    EXPECT_EQ(plain.hookRuns[BandKind::Summary], 1);
    std::vector<std::pair<int, int>> expected;
    for (int p = 1; p <= int(doc.pages.size()); ++p)
        expected.emplace_back(p, -1);
    EXPECT_EQ(plain.footerPages, expected);
    EXPECT_EQ(plain.captionColumns, std::vector<int>({0, 1, 0, 1, 0, 1}));
}

TEST(SheetComposer, HookSeesWhereTheLineGoesAndChangesOnlyThatPrinting) {
    PlainSheet plain;
    plain.sheet.detail().addText(QStringLiteral("nota"), QRectF(30, 0, 20, 5), QStringLiteral("fija"));
    std::vector<std::pair<int, int>> seen;
    plain.sheet.detail().addHook([&](BandPrint& p) {
        seen.emplace_back(p.page(), p.column());
        if (p.field(QStringLiteral("codigo")).asInteger() % 2 == 0)
            p.setText(QStringLiteral("nota"), QStringLiteral("par"));
    });
    ListRows rows = numbered(50);
    const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);

    EXPECT_EQ(seen[0], std::make_pair(1, 0));
    EXPECT_EQ(seen[24], std::make_pair(1, 1));
    EXPECT_EQ(seen[48], std::make_pair(2, 0));
    QStringList notes;
    for (const SheetPage& page : doc.pages)
        notes << page.texts(QStringLiteral("nota"));
    ASSERT_EQ(notes.size(), 50);
    EXPECT_EQ(notes[0], QStringLiteral("par"));
    EXPECT_EQ(notes[1], QStringLiteral("fija"));
    EXPECT_EQ(notes[49], QStringLiteral("fija"));
    EXPECT_EQ(plain.sheet.detail().element(QStringLiteral("nota")).text, QStringLiteral("fija"));
}

TEST(SheetComposer, SkippedLinesLeaveNoGap) {
    PlainSheet plain;
    plain.sheet.detail().addHook([](BandPrint& p) {
        if (p.field(QStringLiteral("codigo")).asInteger() % 3 == 0)
            p.skip();
    });
    ListRows rows = numbered(9);
    const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);
    const auto placed = lines(doc.pages[0]);
    ASSERT_EQ(placed.size(), 6u);
    EXPECT_EQ(doc.rows, 6);
    EXPECT_EQ(placed[0]->text, QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(placed[1]->rect.top(), placed[0]->rect.top() + 10);
}

TEST(SheetComposer, TitleOnFirstPageOnlyAndSummaryAfterTheLastLine) {
    PlainSheet plain(1);
    plain.sheet.titleBand().setHeight(10);
    plain.sheet.titleBand().addText(QStringLiteral("titulo"), QRectF(0, 0, 100, 8), QStringLiteral("Título"));
    plain.sheet.summary().setHeight(10);
    plain.sheet.summary().addText(QStringLiteral("total"), QRectF(0, 0, 100, 8), QStringLiteral("Total"));

    struct Case {
        int rows;
        size_t pages;
        size_t summaryPage;
        double summaryTop;
    };
    // The first page holds 23 lines below the title, later pages 24.
    const Case cases[] = {{0, 1, 0, 47.0}, {5, 1, 0, 97.0}, {22, 1, 0, 267.0}, {23, 2, 1, 37.0}, {30, 2, 1, 107.0}};
    for (const Case& c : cases) {
        ListRows rows = numbered(c.rows);
        const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);
        ASSERT_EQ(doc.pages.size(), c.pages) << c.rows;
        EXPECT_EQ(doc.pages[0].texts(QStringLiteral("titulo")).size(), 1) << c.rows;
        for (size_t p = 1; p < doc.pages.size(); ++p)
            EXPECT_TRUE(doc.pages[p].texts(QStringLiteral("titulo")).isEmpty()) << c.rows;
        const SheetItem* total = doc.pages[c.summaryPage].find(QStringLiteral("total"));
        ASSERT_NE(total, nullptr) << c.rows;
        EXPECT_DOUBLE_EQ(total->rect.top(), c.summaryTop) << c.rows;
        for (const SheetPage& page : doc.pages)
            EXPECT_EQ(page.texts(QStringLiteral("pagina")).size(), 1) << c.rows;
    }
}

TEST(SheetComposer, EmptySheetPrintsHeaderAndFooterUnlessMarked) {
    PlainSheet plain;
    ListRows none = numbered(0);
    const std::optional<SheetDocument> doc = SheetComposer::compose(plain.sheet, none);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->pages.size(), 1u);
    EXPECT_EQ(doc->rows, 0);
    EXPECT_EQ(doc->pages[0].texts(QStringLiteral("cabecera")), QStringList{QStringLiteral("Cabecera")});
    EXPECT_EQ(doc->pages[0].texts(QStringLiteral("rotulo")).size(), 2);
    EXPECT_EQ(doc->pages[0].texts(QStringLiteral("pagina")), QStringList{QStringLiteral("Página 1")});
    EXPECT_TRUE(lines(doc->pages[0]).empty());

    plain.sheet.setSkipWhenEmpty(true);
    EXPECT_FALSE(SheetComposer::compose(plain.sheet, none));
    EXPECT_FALSE(SheetComposer::compose(plain.sheet));
    EXPECT_EQ(plain.hookRuns[BandKind::PageHeader], 1) << "a sheet not produced runs no hook";
    ListRows one = numbered(1);
    EXPECT_TRUE(SheetComposer::compose(plain.sheet, one));
}

TEST(SheetComposer, BoundFieldsThroughMasksAndEmptyTextsLeaveNothing) {
    Sheet sheet(QStringLiteral("Máscaras"));
    sheet.detail().setHeight(5);
    sheet.detail().addField(QStringLiteral("plano"), QRectF(0, 0, 20, 5), QStringLiteral("valor"));
    sheet.detail().addField(QStringLiteral("mascara"), QRectF(20, 0, 20, 5), QStringLiteral("valor"), SheetAlign::Right,
                            QStringLiteral("#,##0.00"));
    sheet.detail().addField(QStringLiteral("cuenta"), QRectF(40, 0, 20, 5), QStringLiteral("valor"), SheetAlign::Right,
                            QStringLiteral("#,###"));
    ListRows rows({QStringLiteral("Valor")});
    rows.append({1234.5});
    rows.append({QVariant()});
    const SheetDocument doc = *SheetComposer::compose(sheet, rows);
    const SheetPage& page = doc.pages[0];
    EXPECT_EQ(page.texts(QStringLiteral("plano")), QStringList{QStringLiteral("1234.5")});
    EXPECT_EQ(page.texts(QStringLiteral("mascara")), QStringList({QStringLiteral("1.234,50"), QStringLiteral("0,00")}));
    EXPECT_EQ(page.texts(QStringLiteral("cuenta")), QStringList{QStringLiteral("1.235")});
    EXPECT_EQ(page.find(QStringLiteral("mascara"))->align, SheetAlign::Right);
}

TEST(SheetComposer, LineTallerThanThePageStillPrintsOncePerPage) {
    PlainSheet plain(1);
    plain.sheet.detail().setHeight(300);
    ListRows rows = numbered(3);
    const SheetDocument doc = *SheetComposer::compose(plain.sheet, rows);
    ASSERT_EQ(doc.pages.size(), 3u);
    for (const SheetPage& page : doc.pages)
        EXPECT_EQ(lines(page).size(), 1u);
}

TEST(SheetComposer, PaperFollowsTheOrientation) {
    Sheet sheet;
    EXPECT_EQ(sheet.paperSize(), QSizeF(210, 297));
    EXPECT_EQ(sheet.contentRect(), QRectF(10, 10, 190, 277));
    sheet.setOrientation(SheetOrientation::Landscape);
    EXPECT_EQ(sheet.paperSize(), QSizeF(297, 210));
    EXPECT_EQ(sheet.contentRect(), QRectF(10, 10, 277, 190));
    sheet.setColumns(4);
    EXPECT_DOUBLE_EQ(sheet.columnLeft(3) + sheet.columnWidth(), 287.0);
    EXPECT_THROW(sheet.setColumns(0), std::invalid_argument);
    const SheetDocument doc = *SheetComposer::compose(sheet);
    EXPECT_EQ(doc.paper, QSizeF(297, 210));
    EXPECT_EQ(doc.orientation, SheetOrientation::Landscape);
}

TEST(SheetComposer, UnknownElementsAndRowsOutsideTheDetailAreErrors) {
    PlainSheet plain;
    EXPECT_THROW(plain.sheet.detail().setText(QStringLiteral("nada"), QStringLiteral("x")), std::invalid_argument);
    plain.sheet.pageFooter().addHook([](BandPrint& p) { p.field(QStringLiteral("codigo")); });
    ListRows rows = numbered(1);
    EXPECT_THROW(SheetComposer::compose(plain.sheet, rows), std::logic_error);
}

} // namespace
