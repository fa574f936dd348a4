#include "GuideSheet.h"

#include "reports/FemaleListSheet.h"
#include "reports/HouseStyle.h"

namespace {

QString cellName(size_t column) {
    return QStringLiteral("c%1").arg(column);
}

} // namespace

GuideSheet::GuideSheet(Database& db, const GuideSheetData& data) {
    if (data.isFemaleSheet())
        m_sheet = std::make_unique<FemaleListSheet>(db, data.title, data.day, data.columnsPerPage());
    else
        m_sheet = std::make_unique<HouseSheet>(db, data.title, data.day, data.columnsPerPage());
    m_sheet->setFarmName(data.farmName);
    m_sheet->setSelection(data.selection);
    m_sheet->setSkipWhenEmpty(true);
    addColumns(data);

    const QString code = data.isFemaleSheet() ? QStringLiteral("CodigoHembra") : QStringLiteral("CodigoMacho");
    m_names << QStringLiteral("Jaula") << code << QStringLiteral("Marca1") << QStringLiteral("Marca2")
            << QStringLiteral("Marca3") << QStringLiteral("Marca4");
    for (size_t i = 0; i < data.columns.size(); ++i)
        m_names << cellName(i);
    for (const GuideSheetLine& line : data.lines) {
        QVariantList values{line.cage, line.code};
        for (int mark = 0; mark < 4; ++mark)
            values << (mark < line.marks.size() && line.marks.at(mark) == house::kTicked);
        for (size_t i = 0; i < data.columns.size(); ++i)
            values << line.cells.value(int(i));
        m_lines.push_back(values);
    }
}

void GuideSheet::addColumns(const GuideSheetData& data) {
    if (!data.isFemaleSheet()) {
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("jaula"), QStringLiteral("Jaula"),
                                              FemaleListSheet::kCageWidth, SheetAlign::Right, QStringLiteral("Jaula")));
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("codigo"), QStringLiteral("Macho"),
                                              FemaleListSheet::kCodeWidth, SheetAlign::Right,
                                              QStringLiteral("CodigoMacho")));
    }
    for (size_t i = 0; i < data.columns.size(); ++i) {
        const GuideColumn& c = data.columns[i];
        m_sheet->addColumn(SheetColumn::bound(cellName(i), c.caption, c.width, c.align, cellName(i)));
    }
}

SheetRows& GuideSheet::rows() {
    m_rows = std::make_unique<ListRows>(m_names);
    for (const QVariantList& line : m_lines)
        m_rows->append(line);
    return *m_rows;
}
