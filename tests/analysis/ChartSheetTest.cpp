#include "analysis/ChartSheet.h"
#include "TempFarm.h"
#include "reports/SheetComposer.h"

#include <gtest/gtest.h>

namespace {

struct NoPainting : SheetPainting {
    void paint(QPainter&, const QRectF&) const override {}
};

} // namespace

TEST(ChartSheet, OneLandscapePageWithFarmDateAndChart) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja Los Olmos'"));
    struct Case {
        bool parameterRow;
        const char* farmName;
    };
    for (const Case& c : {Case{true, "Granja Los Olmos"}, Case{false, ""}}) {
        if (!c.parameterRow)
            farm.db().exec(QStringLiteral("delete from DatosExplotacion"));
        const auto chart = std::make_shared<NoPainting>();
        const ChartSheet sheet(farm.db(), QStringLiteral("Cubriciones"), QDate(2001, 3, 5), chart);
        const auto document = SheetComposer::compose(sheet);
        ASSERT_TRUE(document);
        EXPECT_EQ(document->title, QStringLiteral("Cubriciones"));
        EXPECT_EQ(document->orientation, SheetOrientation::Landscape);
        ASSERT_EQ(document->pages.size(), 1u);
        const SheetPage& page = document->pages[0];
        EXPECT_EQ(page.texts(QStringLiteral("explotacion")).join(QString()), QString::fromUtf8(c.farmName));
        EXPECT_EQ(page.texts(QStringLiteral("fecha")), QStringList{"lunes, 5 de marzo de 2001"});
        EXPECT_EQ(page.find(QStringLiteral("fecha"))->align, SheetAlign::Right);
        const SheetItem* painted = page.find(QStringLiteral("grafico"));
        ASSERT_TRUE(painted);
        EXPECT_EQ(painted->painting, chart);
        EXPECT_GT(painted->rect.width(), painted->rect.height()); // the page's width, below the heading
        EXPECT_LE(painted->rect.bottom(), document->paper.height() - Sheet::kMargin + 1e-6);
        for (const SheetItem& item : page.items) // no page header and no footer
            EXPECT_EQ(item.band, BandKind::Title) << item.name.toStdString();
    }
}
