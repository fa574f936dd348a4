#include "SheetTable.h"

#include "HouseStyle.h"
#include "export/CsvFile.h"
#include "export/XlsxBook.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace {

const QString kTicked = QStringLiteral("X");

struct Column {
    QString name;
    QString caption;
    int marks = 0; // glyph columns it spreads over; 0: a value
    bool used = false;
};

// The text of the first item of that name in that band of the first page.
QString firstText(const SheetDocument& sheet, const QString& name, BandKind band) {
    if (sheet.pages.empty())
        return QString();
    const QStringList texts = sheet.pages.front().texts(name, band);
    return texts.isEmpty() ? QString() : texts.front();
}

} // namespace

namespace sheet_table {

ExportTable read(const SheetDocument& sheet) {
    ExportTable out;
    out.name = sheet.title;
    const QString title = firstText(sheet, QStringLiteral("titulo"), BandKind::PageHeader);
    out.heading << (title.isEmpty() ? sheet.title : title);
    for (const char* line : {"explotacion", "seleccion"}) {
        const QString text = firstText(sheet, QString::fromLatin1(line), BandKind::PageHeader);
        if (!text.isEmpty())
            out.heading << text;
    }

    std::vector<Column> columns;
    QHash<QString, size_t> index;
    for (const SheetTableColumn& c : sheet.table) {
        index.insert(c.name, columns.size());
        columns.push_back({c.name, c.caption, 0, !c.caption.isEmpty()});
    }
    // The detail items by line, in line order; glyph columns as wide as their longest mark row.
    std::map<int, std::vector<const SheetItem*>> lines;
    for (const SheetPage& page : sheet.pages) {
        for (const SheetItem& item : page.items) {
            if (item.band != BandKind::Detail || item.row < 0 || !index.contains(item.name))
                continue;
            if (item.kind != SheetItem::Kind::Text && item.kind != SheetItem::Kind::Marks)
                continue;
            lines[item.row].push_back(&item);
            Column& column = columns[index.value(item.name)];
            column.used = true;
            if (item.kind == SheetItem::Kind::Marks)
                column.marks = std::max(column.marks, int(item.text.size()));
        }
    }

    // Where each column starts in the table.
    std::vector<int> start(columns.size(), -1);
    int width = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (!c.used)
            continue;
        start[i] = width;
        if (c.marks == 0) {
            out.captions << c.caption;
            ++width;
            continue;
        }
        for (int mark = 1; mark <= c.marks; ++mark) {
            const QString legend = firstText(sheet, QStringLiteral("leyenda%1").arg(mark), BandKind::PageFooter);
            out.captions << (legend.isEmpty() ? house::legendLine(mark, QString()) : legend).trimmed();
        }
        width += c.marks;
    }

    for (const auto& [row, items] : lines) {
        std::vector<ExportCell> cells(static_cast<size_t>(width));
        for (const SheetItem* item : items) {
            const size_t i = index.value(item->name);
            if (start[i] < 0)
                continue;
            if (item->kind == SheetItem::Kind::Marks) {
                for (qsizetype mark = 0; mark < item->text.size() && mark < columns[i].marks; ++mark) {
                    if (item->text.at(mark) == house::kTicked)
                        cells[size_t(start[i] + mark)] = ExportCell::fromText(kTicked);
                }
            } else {
                cells[size_t(start[i])] = ExportCell::fromValue(item->value, item->text);
            }
        }
        out.rows.push_back(std::move(cells));
    }
    return out;
}

void writeExcel(const SheetDocument& sheet, const QString& path) {
    XlsxBook book(path);
    book.addTable(read(sheet));
    book.close();
}

void writeCsv(const SheetDocument& sheet, const QString& path) {
    csv::write(read(sheet), path);
}

} // namespace sheet_table
