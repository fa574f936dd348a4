#pragma once

#include "reports/HouseSheet.h"
#include "reports/SheetRows.h"

#include <vector>

// One line of a summary sheet: its caption and the texts of the four value columns
// "Total", "Proyec. 30", "Proyec. 90" and "Proyec. 365".
struct SummaryLine {
    QString caption;
    QString total;
    QString days30;
    QString days90;
    QString days365;

    // A counted line: the sum, and the sum projected to 30, 90 and 365 days over a
    // period of n days, all with the mask "#,##0". A period of no day or less
    // (n <= 0) projects nothing: the projections are 0, never a division by zero.
    static SummaryLine counted(const QString& caption, double sum, qint64 days);
    // An average or ratio: the same text in all four columns.
    static SummaryLine same(const QString& caption, const QString& text);
};

// A summary sheet in the house style: A4 portrait, one page, the title, the farm
// name, today's long date and the selection caption at the top; one line per
// summary line with its caption and the four right-aligned value columns; "Página"
// and the number in the footer.
//
// Detail element names: "concepto", "total", "proyec30", "proyec90", "proyec365".
class SummarySheet : public HouseSheet {
public:
    SummarySheet(Database& db, const QString& title, const QDate& today, const QString& selection,
                 const std::vector<SummaryLine>& lines);

    const std::vector<SummaryLine>& lines() const { return m_lines; }
    // The lines as the rows the sheet is composed over, from the first.
    ListRows rows() const;

private:
    std::vector<SummaryLine> m_lines;
};
