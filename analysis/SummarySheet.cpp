#include "SummarySheet.h"

#include "db/DisplayFormat.h"

namespace {

const QStringList kColumns{QStringLiteral("concepto"), QStringLiteral("total"), QStringLiteral("proyec30"),
                           QStringLiteral("proyec90"), QStringLiteral("proyec365")};

QString count(double value) {
    return display::mask(value, QStringLiteral("#,##0"));
}

} // namespace

SummaryLine SummaryLine::counted(const QString& caption, double sum, qint64 days) {
    const auto projected = [&](int span) { return days > 0 ? count(sum / double(days) * span) : count(0); };
    return {caption, count(sum), projected(30), projected(90), projected(365)};
}

SummaryLine SummaryLine::same(const QString& caption, const QString& text) {
    return {caption, text, text, text, text};
}

SummarySheet::SummarySheet(Database& db, const QString& title, const QDate& today, const QString& selection,
                           const std::vector<SummaryLine>& lines)
    : HouseSheet(db, title, today), m_lines(lines) {
    setSelection(selection);
    addColumn(SheetColumn::bound(kColumns[0], QString(), 70.0, SheetAlign::Left, kColumns[0]));
    addColumn(SheetColumn::bound(kColumns[1], QStringLiteral("Total"), 28.0, SheetAlign::Right, kColumns[1]));
    addColumn(SheetColumn::bound(kColumns[2], QStringLiteral("Proyec. 30"), 28.0, SheetAlign::Right, kColumns[2]));
    addColumn(SheetColumn::bound(kColumns[3], QStringLiteral("Proyec. 90"), 28.0, SheetAlign::Right, kColumns[3]));
    addColumn(SheetColumn::bound(kColumns[4], QStringLiteral("Proyec. 365"), 28.0, SheetAlign::Right, kColumns[4]));
}

ListRows SummarySheet::rows() const {
    ListRows rows(kColumns);
    for (const SummaryLine& line : m_lines)
        rows.append({line.caption, line.total, line.days30, line.days90, line.days365});
    return rows;
}
