#include "ChartSheet.h"

#include "reports/HouseStyle.h"

ChartSheet::ChartSheet(Database& db, const QString& caption, const QDate& today,
                       std::shared_ptr<const SheetPainting> chart)
    : Sheet(caption) {
    setOrientation(SheetOrientation::Landscape);
    const QRectF content = contentRect();
    const double width = content.width();
    const double heading = 10.0;
    SheetBand& band = titleBand();
    band.addText(QStringLiteral("explotacion"), QRectF(0, 0, width * 0.6, 8.0), house::farmName(db), house::kFarmFont);
    band.addText(QStringLiteral("fecha"), QRectF(width * 0.6, 0, width * 0.4, 4.5), house::headerDate(today),
                 house::kDateFont, SheetAlign::Right);
    band.addPainting(QStringLiteral("grafico"), QRectF(0, heading, width, content.height() - heading),
                     std::move(chart));
    band.setHeight(content.height());
}
