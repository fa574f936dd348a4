#pragma once

#include "GuideSheetData.h"
#include "reports/HouseSheet.h"
#include "reports/SheetRows.h"

#include <memory>

// A guide sheet laid out in the house style over its computed lines, ready for
// the output seam: the title, the farm name read when the planner opened, the
// guide day in the long form, the range caption, the caption row over each page
// column, and on the female sheets the mark legend, read again for every footer.
// A sheet without lines is not produced.
class GuideSheet {
public:
    GuideSheet(Database& db, const GuideSheetData& data);

    const HouseSheet& sheet() const { return *m_sheet; }
    // The lines, from the first; each call starts again.
    SheetRows& rows();
    bool isEmpty() const { return m_lines.empty(); }

private:
    void addColumns(const GuideSheetData& data);

    std::unique_ptr<HouseSheet> m_sheet;
    std::vector<QVariantList> m_lines;
    QStringList m_names;
    std::unique_ptr<ListRows> m_rows;
};
