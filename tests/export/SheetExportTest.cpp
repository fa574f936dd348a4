#include "../guide/GuideFarm.h"
#include "../reports/FemaleRows.h"
#include "FarmRows.h"
#include "XlsxRead.h"
#include "analysis/MaternitySummary.h"
#include "export/CsvFile.h"
#include "export/FarmTables.h"
#include "export/XlsxBook.h"
#include "guide/GuideSheet.h"
#include "reports/FemaleListSheet.h"
#include "reports/SheetComposer.h"
#include "reports/SheetTable.h"

#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Kind = ExportCell::Kind;

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The sheet composed, written as .xlsx and .csv in `dir` and read back.
struct Exported {
    ExportTable table;
    xlsx::Sheet book;
    QStringList csvLines;
    bool bom = false;

    Exported(const SheetDocument& doc, const QTemporaryDir& dir) {
        table = sheet_table::read(doc);
        const QString excel = dir.filePath(QStringLiteral("hoja.xlsx"));
        const QString csv = dir.filePath(QStringLiteral("hoja.csv"));
        sheet_table::writeExcel(doc, excel);
        sheet_table::writeCsv(doc, csv);
        const std::vector<xlsx::Sheet> sheets = xlsx::read(excel);
        EXPECT_EQ(sheets.size(), 1u);
        if (!sheets.empty())
            book = sheets.front();
        QFile file(csv);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        bom = bytes.startsWith("\xEF\xBB\xBF");
        csvLines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    }
    // The first table row of the workbook: under the heading, the blank line and the captions.
    int firstRow() const { return int(table.heading.size()) + 3; }
};

void expectNumber(const xlsx::Sheet& sheet, int row, int column, double value, const char* format) {
    const xlsx::Cell* cell = sheet.at(row, column);
    ASSERT_TRUE(cell) << row << "," << column;
    EXPECT_EQ(cell->kind, xlsx::Cell::Kind::Number) << row << "," << column;
    EXPECT_DOUBLE_EQ(cell->number, value) << row << "," << column;
    EXPECT_EQ(cell->format, QString::fromUtf8(format)) << row << "," << column;
}

void expectText(const xlsx::Sheet& sheet, int row, int column, const QString& text) {
    const xlsx::Cell* cell = sheet.at(row, column);
    ASSERT_TRUE(cell) << row << "," << column;
    EXPECT_EQ(cell->kind, xlsx::Cell::Kind::Text) << row << "," << column;
    EXPECT_EQ(cell->text, text) << row << "," << column;
}

} // namespace

TEST(SheetExport, ShownTextsReadByKindAndWrittenForCsv) {
    const struct {
        const char* shown;
        Kind kind;
        double number;
        int decimals;
        bool grouped;
        bool percent;
        const char* csv;
    } cases[] = {
        {"1.234,50", Kind::Number, 1234.5, 2, true, false, "1234,50"},
        {"66,67 %", Kind::Number, 66.67, 2, false, true, "66,67%"},
        {"0.00 %", Kind::Number, 0.0, 2, false, true, "0,00%"}, // a ratio without divisor
        {"0.00", Kind::Number, 0.0, 2, false, false, "0,00"},
        {"-3,5", Kind::Number, -3.5, 1, false, false, "-3,5"},
        {"12", Kind::Number, 12.0, 0, false, false, "12"},
        {"1.2345", Kind::Text, 0, 0, false, false, "1.2345"},
        {"007", Kind::Text, 0, 0, false, false, "007"},
        {"05/03/2001", Kind::Date, 0, 0, false, false, "05/03/2001"},
        {"31/02/2001", Kind::Text, 0, 0, false, false, "31/02/2001"},
        {"-", Kind::Text, 0, 0, false, false, "-"},
        {"Neo; \"Z\"", Kind::Text, 0, 0, false, false, "\"Neo; \"\"Z\"\"\""},
        {" Nido", Kind::Text, 0, 0, false, false, "\" Nido\""},
        {"", Kind::Empty, 0, 0, false, false, ""},
    };
    for (const auto& c : cases) {
        const ExportCell cell = ExportCell::fromText(QString::fromUtf8(c.shown));
        EXPECT_EQ(cell.kind, c.kind) << c.shown;
        EXPECT_DOUBLE_EQ(cell.number, c.number) << c.shown;
        EXPECT_EQ(cell.decimals, c.decimals) << c.shown;
        EXPECT_EQ(cell.grouped, c.grouped) << c.shown;
        EXPECT_EQ(cell.percent, c.percent) << c.shown;
        EXPECT_EQ(csv::field(cell), QString::fromUtf8(c.csv)) << c.shown;
    }
    // A value known by kind keeps its precision; its text gives the format only when it shows that value.
    EXPECT_DOUBLE_EQ(ExportCell::fromValue(1.234, QStringLiteral("1.234")).number, 1.234);
    EXPECT_EQ(ExportCell::fromValue(1.234, QStringLiteral("1.234")).decimals, 3);
    EXPECT_EQ(ExportCell::fromValue(12.345, QStringLiteral("12,35")).decimals, 2);
    EXPECT_EQ(csv::field(ExportCell::fromValue(-0.001, QStringLiteral("-0,00"))), QStringLiteral("0,00"));
    EXPECT_EQ(ExportCell::fromValue(QStringLiteral("12"), QStringLiteral("12")).kind, Kind::Text);
}

TEST(SheetExport, WorkGuideSheet) {
    GuideFarm farm;
    farm.female(21, 21, QDate(2000, 1, 1), -1, 0, true);
    farm.cycle(21, 70, true, 30, 1200);
    farm.female(22, 22);
    farm.cycle(22, 72, true, 31, 9);
    GuideSheet guide(farm.db(), collectSheet(farm.db(), GuideSheetKind::Destetes, farm.context()));
    const std::optional<SheetDocument> doc = SheetComposer::compose(guide.sheet(), guide.rows());
    ASSERT_TRUE(doc);
    QTemporaryDir dir;
    const Exported out(*doc, dir);

    EXPECT_EQ(out.table.heading,
              (QStringList{"Guía de Destetes", "La Vega", "Desde la Jaula 0 a la Jaula 0"}));
    const QStringList captions{"Jaula", "Hembra", "1. Buena", "2.", "3. Vieja", "4. Otra",
                               "F.Previs.", "T.ini.", "Ptos.", "Destet."};
    EXPECT_EQ(out.book.name, QStringLiteral("Guía de Destetes"));
    EXPECT_EQ(out.book.row(1), QStringList{"Guía de Destetes"});
    EXPECT_EQ(out.book.row(2), QStringList{"La Vega"});
    EXPECT_EQ(out.book.row(3), QStringList{"Desde la Jaula 0 a la Jaula 0"});
    EXPECT_EQ(out.book.row(5), captions);
    const int first = out.firstRow();
    EXPECT_EQ(out.book.lastRow(), first + 1);
    expectNumber(out.book, first, 1, 21, "0");
    expectText(out.book, first, 3, QStringLiteral("X"));
    EXPECT_FALSE(out.book.at(first, 4));
    expectNumber(out.book, first, 7, xlsx::serial(2001, 3, 5), "dd/mm/yyyy");
    expectNumber(out.book, first, 8, 1200, "#,##0");
    expectNumber(out.book, first + 1, 8, 9, "0");
    EXPECT_FALSE(out.book.at(first, 10)); // filled in by hand

    EXPECT_TRUE(out.bom);
    EXPECT_EQ(out.csvLines, (QStringList{captions.join(';'), "21;21;X;;;;05/03/2001;1200;1;",
                                         "22;22;;;;;04/03/2001;9;1;", ""}));
}

TEST(SheetExport, FemaleListingOverTheRegister) {
    TempFarm farm;
    addFemales(farm.db(), 8);
    nameFarm(farm.db());
    farm.db().exec(QStringLiteral("update Hembras set Raza='12', FechaNacimiento='02/28/2000' where CodigoHembra=1001"));
    farm.db().exec(QStringLiteral("update Hembras set Raza='Neo; \"Z\"' where CodigoHembra=1002"));
    FemaleListSheet sheet(farm.db(), QStringLiteral("Propuesta de Eliminación"), QDate(2001, 3, 5));
    sheet.setSelection(QStringLiteral("Eficacia menor de 2"));
    sheet.addColumn(SheetColumn::bound(QStringLiteral("eficacia"), QStringLiteral("Eficacia"), 14, SheetAlign::Right,
                                       QStringLiteral("Eficacia"), QStringLiteral("##0.00")));
    sheet.addColumn(SheetColumn::bound(QStringLiteral("nacida"), QStringLiteral("Nacida"), 16, SheetAlign::Center,
                                       QStringLiteral("FechaNacimiento")));
    sheet.addColumn(
        SheetColumn::bound(QStringLiteral("raza"), QStringLiteral("Raza"), 16, SheetAlign::Left, QStringLiteral("Raza")));
    Query q(farm.db(), QStringLiteral("select * from Hembras where CausaBaja not in (0,1) order by Jaula"));
    q.open();
    QueryRows rows(q);
    const std::optional<SheetDocument> doc = SheetComposer::compose(sheet, rows);
    ASSERT_TRUE(doc);
    QTemporaryDir dir;
    const Exported out(*doc, dir);

    EXPECT_EQ(out.book.row(5), (QStringList{"Jaula", "Hembra", "1. Vacunada", "2.", "3. Tratada", "4. Revisar",
                                            "Eficacia", "Nacida", "Raza"}));
    const int first = out.firstRow();
    const std::vector<int> listed = listedIndexes(8);
    ASSERT_EQ(out.book.lastRow(), first + int(listed.size()) - 1);
    for (size_t n = 0; n < listed.size(); ++n) {
        const int row = first + int(n);
        const int i = listed[n];
        expectNumber(out.book, row, 1, i + 1, "0");
        expectNumber(out.book, row, 2, 1000 + i, "0");
        for (int mark = 0; mark < 4; ++mark)
            EXPECT_EQ(out.book.at(row, 3 + mark) != nullptr, bool(i & (1 << mark))) << i << " " << mark;
        expectNumber(out.book, row, 7, i * 0.25, "0.00");
    }
    expectNumber(out.book, first + 1, 8, xlsx::serial(2000, 2, 28), "dd/mm/yyyy");
    expectText(out.book, first + 1, 9, QStringLiteral("12")); // a text column stays text
    EXPECT_EQ(out.csvLines[2], QStringLiteral("2;1001;X;;;;0,25;28/02/2000;12"));
    EXPECT_EQ(out.csvLines[3], QStringLiteral("3;1002;;X;;;0,50;;\"Neo; \"\"Z\"\"\""));
}

TEST(SheetExport, MaternitySummary) {
    TempFarm farm;
    testkit::addLedgerDay(farm.db(), QDate(2001, 1, 1),
                          QStringLiteral("NumeroTotalHembras=1000, NumeroPartos=10, NacidosVivos=95"));
    const DatePeriod period{QDate(2001, 1, 1), QDate(2001, 1, 1)};
    const std::unique_ptr<SummarySheet> sheet = maternity_summary::sheet(farm.db(), period, QDate(2001, 3, 5));
    ListRows rows = sheet->rows();
    const std::optional<SheetDocument> doc = SheetComposer::compose(*sheet, rows);
    ASSERT_TRUE(doc);
    QTemporaryDir dir;
    const Exported out(*doc, dir);

    EXPECT_EQ(out.table.heading.value(0), QStringLiteral("Resumen de Datos de Maternidad"));
    EXPECT_EQ(out.book.row(out.firstRow() - 1), (QStringList{"", "Total", "Proyec. 30", "Proyec. 90", "Proyec. 365"}));
    const int first = out.firstRow();
    ASSERT_EQ(out.book.lastRow(), first + int(sheet->lines().size()) - 1);
    const auto rowOf = [&](const char* caption) {
        for (size_t n = 0; n < sheet->lines().size(); ++n)
            if (sheet->lines()[n].caption == QString::fromUtf8(caption))
                return first + int(n);
        ADD_FAILURE() << caption;
        return first;
    };
    expectText(out.book, rowOf("Partos"), 1, QStringLiteral("Partos"));
    expectNumber(out.book, rowOf("Partos"), 2, 10, "0");
    expectNumber(out.book, rowOf("Partos"), 5, 3650, "#,##0");
    expectNumber(out.book, rowOf("Numero Medio de Hembras"), 2, 1000, "#,##0");
    expectNumber(out.book, rowOf("Nacidos Vivos / Parto"), 3, 9.5, "0.00");
    expectNumber(out.book, rowOf("Palpaciones Positivas (%)"), 2, 0, "0.00\" %\"");
    EXPECT_TRUE(out.csvLines.contains(QStringLiteral("Partos;10;300;900;3650")));
}

TEST(FarmTablesExport, EveryTableOnItsSheetWithValuesByKind) {
    TempFarm farm;
    addFemales(farm.db(), 2);
    farm.db().exec(QStringLiteral("update Hembras set FechaNacimiento='02/28/2000', Raza='007' where CodigoHembra=1001"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("granja.xlsx"));
    QStringList steps;
    farm_tables::exportAll(farm.db(), path, [&](const QString& table) { steps << table; });
    const std::vector<xlsx::Sheet> sheets = xlsx::read(path);
    ASSERT_EQ(int(sheets.size()), int(schema::keys().size()));
    QStringList names;
    for (const xlsx::Sheet& s : sheets)
        names << s.name;
    EXPECT_EQ(names, steps);
    const QStringList tables = schema::tableNames();
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()), QSet<QString>(tables.begin(), tables.end()));

    const xlsx::Sheet& females = sheets[size_t(names.indexOf(QStringLiteral("Hembras")))];
    const QStringList header = females.row(1);
    EXPECT_EQ(header.mid(0, 4), (QStringList{"CodigoHembra", "NumeroPadre", "NumeroMadre", "FechaNacimiento"}));
    EXPECT_EQ(females.lastRow(), 3);
    const auto column = [&](const char* name) { return int(header.indexOf(QString::fromUtf8(name))) + 1; };
    expectNumber(females, 3, column("CodigoHembra"), 1001, "0");
    expectNumber(females, 3, column("FechaNacimiento"), xlsx::serial(2000, 2, 28), "dd/mm/yyyy");
    expectNumber(females, 3, column("Eficacia"), 0.25, "0.00");
    expectText(females, 3, column("Raza"), QStringLiteral("007"));
    ASSERT_TRUE(females.at(3, column("Marca1")));
    EXPECT_EQ(females.at(3, column("Marca1"))->kind, xlsx::Cell::Kind::Logical);
    EXPECT_EQ(females.at(3, column("Marca1"))->number, 1.0);
    EXPECT_FALSE(females.at(2, column("FechaNacimiento"))); // NULL: an empty cell
}

TEST(FarmTablesExport, AFileThatCannotBeWrittenLeavesNothingBehind) {
    TempFarm farm;
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("no/existe/granja.xlsx"));
    EXPECT_THROW(farm_tables::exportAll(farm.db(), missingFolder), ExportError);
    const QString kept = dir.filePath(QStringLiteral("granja.xlsx"));
    {
        QFile old(kept);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("anterior");
    }
    {
        XlsxBook book(kept);
        book.addSheet(QStringLiteral("Hoja"), {}, {QStringLiteral("A")});
        // dropped without close(): the file it was to replace stays as it was
    }
    EXPECT_EQ(readFile(kept), QStringLiteral("anterior"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"granja.xlsx"});
}
