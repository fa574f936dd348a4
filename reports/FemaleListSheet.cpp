#include "FemaleListSheet.h"

#include "HouseStyle.h"
#include "SheetComposer.h"

FemaleListSheet::FemaleListSheet(Database& db, const QString& title, const QDate& date, int columnsPerPage)
    : HouseSheet(db, title, date, columnsPerPage) {
    addColumn(SheetColumn::bound(QStringLiteral("jaula"), QStringLiteral("Jaula"), kCageWidth, SheetAlign::Right,
                                 QStringLiteral("Jaula")));
    addColumn(SheetColumn::bound(QStringLiteral("codigo"), QStringLiteral("Hembra"), kCodeWidth, SheetAlign::Right,
                                 QStringLiteral("CodigoHembra")));
    addColumn(SheetColumn::glyphs(QStringLiteral("marcas"), QStringLiteral("1 2 3 4"), kMarksWidth));
    setMarkLegend(true);
    // A female's glyphs follow her four marks; a line without a female (code 0) shows none.
    onRow([this](BandPrint& print) {
        if (!m_marks)
            return;
        const bool female = print.field(QStringLiteral("CodigoHembra")).asInteger() > 0;
        print.setText(QStringLiteral("marcas"), female ? house::markGlyphs(print) : QString());
    });
}

void FemaleListSheet::showMales() {
    m_marks = false;
    setCaption(QStringLiteral("codigo"), QStringLiteral("Macho"));
    setCaption(QStringLiteral("marcas"), QString());
    detail().element(QStringLiteral("codigo")).field = QStringLiteral("CodigoMacho");
    setMarkLegend(false);
}
