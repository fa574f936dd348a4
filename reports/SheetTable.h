#pragma once

#include "SheetDocument.h"
#include "export/ExportTable.h"

// A produced sheet read back as a table, for a spreadsheet: above it the title,
// the farm name and the selection caption of its first page; one column per cell
// of the detail line with the caption over it; one row per detail line printed,
// in the sheet's order (page columns one after the other). Each value comes by
// its kind: what a bound cell held, otherwise read from the text shown
// (ExportCell::fromText). A cell of mark glyphs becomes one column per mark,
// captioned with the legend line ("1. Vacunada") and holding "X" where ticked.
// A column with neither caption nor any text is left out.
namespace sheet_table {

ExportTable read(const SheetDocument& sheet);

// Write the sheet as an Excel workbook of one worksheet, or as CSV; both throw
// ExportError when the file cannot be written.
void writeExcel(const SheetDocument& sheet, const QString& path);
void writeCsv(const SheetDocument& sheet, const QString& path);

} // namespace sheet_table
