#pragma once

#include "reports/SheetComposer.h"

#include <QPrinterInfo>
#include <functional>
#include <optional>

class QWidget;

// Where produced sheets go. Every sheet of the program leaves through this seam,
// so tests can put their own output in its place and capture the sheet.
class SheetOutput {
public:
    virtual ~SheetOutput() = default;
    // Shows the pages in the preview window and returns once the user closed it.
    virtual void preview(QWidget* parent, const SheetDocument& sheet) = 0;
    // Sends the sheet straight to the printer, its title as the print job's title.
    virtual void print(QWidget* parent, const SheetDocument& sheet) = 0;
};

// The real output: the preview window, and the default printer. A machine
// without a printer says so and offers to save the sheet as a PDF file instead.
class QtSheetOutput : public SheetOutput {
public:
    using PrinterLookup = std::function<std::optional<QPrinterInfo>()>;

    explicit QtSheetOutput(PrinterLookup printers = systemPrinter);

    // The default printer, else the first one installed; nothing when there is none.
    static std::optional<QPrinterInfo> systemPrinter();

    void preview(QWidget* parent, const SheetDocument& sheet) override;
    void print(QWidget* parent, const SheetDocument& sheet) override;

private:
    PrinterLookup m_printers;
};

namespace sheets {

// Ticked "Vista Preliminar" means the preview; clear means straight to the printer.
enum class Destination { Preview, Printer };

// The output in force: the real one unless a test installed its own.
SheetOutput& output();
// Installs an output (nullptr restores the real one).
void install(SheetOutput* output);

// Composes the sheet over its rows and hands it to the output. False when the
// sheet is marked not to be produced and has no row: then nothing is shown.
bool produce(QWidget* parent, const Sheet& sheet, SheetRows& rows, Destination destination);
// A sheet without rows (a summary, a card filled by the program).
bool produce(QWidget* parent, const Sheet& sheet, Destination destination);

// Asks for a file and saves the sheet there as PDF. False when the user cancels
// or the file cannot be written (which is said in a message).
bool saveAsPdf(QWidget* parent, const SheetDocument& sheet);
// The same for a spreadsheet: the sheet as an Excel workbook (title, farm and
// selection above the table, values typed) or as CSV (see reports/SheetTable.h).
bool exportToExcel(QWidget* parent, const SheetDocument& sheet);
bool exportToCsv(QWidget* parent, const SheetDocument& sheet);

} // namespace sheets
