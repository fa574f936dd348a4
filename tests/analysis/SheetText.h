#pragma once

#include "reports/SheetComposer.h"

#include <QStringList>

// The texts of a composed sheet in the order they are placed, as kept with the
// tests: header and footer texts one a line ("name: text"), each detail line as
// its cells joined by " | ".
inline QString sheetText(const SheetDocument& document) {
    QStringList lines;
    int row = -1;
    for (const SheetPage& page : document.pages)
        for (const SheetItem& item : page.items) {
            if (item.kind != SheetItem::Kind::Text || item.text.isEmpty())
                continue;
            if (item.band == BandKind::Detail && item.row == row)
                lines.last() += QStringLiteral(" | ") + item.text;
            else
                lines << (item.band == BandKind::Detail ? item.text : item.name + QStringLiteral(": ") + item.text);
            row = item.band == BandKind::Detail ? item.row : -1;
        }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
