#include "SheetOutput.h"

#include "FileChoice.h"
#include "reports/SheetTable.h"
#include "SheetPreviewWindow.h"
#include "SheetRenderer.h"
#include "widgets/AppInfo.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <stdexcept>

namespace {

SheetOutput* g_output = nullptr;

QtSheetOutput& qtOutput() {
    static QtSheetOutput output;
    return output;
}

const QString kAttention = QStringLiteral("¡Atención!");

// When the sheet cannot reach a printer, the farmer can still keep it as a file.
void offerPdf(QWidget* parent, const SheetDocument& sheet, const QString& reason) {
    const QString question =
        reason + QStringLiteral("\r¿Desea guardar la hoja \"%1\" como documento PDF?").arg(sheet.title);
    if (messages::ask(parent, kAttention, question, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                      QMessageBox::Yes) == QMessageBox::Yes)
        sheets::saveAsPdf(parent, sheet);
}

// The sheet title as a file name: characters no file system takes become "_".
QString fileNameFor(const QString& title) {
    QString name = title.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("Hoja") : name;
}

// The wait cursor while a sheet is being composed, put back however composing ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

QtSheetOutput::QtSheetOutput(PrinterLookup printers) : m_printers(std::move(printers)) {}

std::optional<QPrinterInfo> QtSheetOutput::systemPrinter() {
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull())
        return preferred;
    const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
    if (!installed.isEmpty())
        return installed.first();
    return std::nullopt;
}

void QtSheetOutput::preview(QWidget* parent, const SheetDocument& sheet) {
    SheetPreviewWindow window(
        sheet, [this, &sheet](QWidget* from) { print(from, sheet); }, parent);
    window.exec();
}

void QtSheetOutput::print(QWidget* parent, const SheetDocument& sheet) {
    const std::optional<QPrinterInfo> printer = m_printers();
    if (!printer) {
        offerPdf(parent, sheet, QStringLiteral("No hay ninguna impresora instalada en este equipo."));
        return;
    }
    QPrinter device(*printer, QPrinter::HighResolution);
    device.setDocName(sheet.title);
    device.setFullPage(true);
    device.setPageLayout(SheetRenderer::pageLayout(sheet));
    if (!SheetRenderer::paint(sheet, device)) {
        offerPdf(parent, sheet,
                 QStringLiteral("No se ha podido imprimir en la impresora \"%1\".").arg(printer->printerName()));
    }
}

namespace sheets {

SheetOutput& output() {
    return g_output ? *g_output : qtOutput();
}

void install(SheetOutput* o) {
    g_output = o;
}

bool produce(QWidget* parent, const Sheet& sheet, SheetRows& rows, Destination destination) {
    std::optional<SheetDocument> document;
    {
        WaitCursor wait;
        document = SheetComposer::compose(sheet, rows);
    }
    if (!document)
        return false;
    if (destination == Destination::Preview)
        output().preview(parent, *document);
    else
        output().print(parent, *document);
    return true;
}

bool produce(QWidget* parent, const Sheet& sheet, Destination destination) {
    ListRows none;
    return produce(parent, sheet, none, destination);
}

namespace {

// Asks for a file of that kind, the sheet's title as the suggested name in the
// documents folder, and writes it; a file that cannot be written is said.
bool saveAs(QWidget* parent, const SheetDocument& sheet, const QString& caption, const QString& filter,
            const QString& suffix, const std::function<void(const QString& path)>& write) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString dotted = QLatin1Char('.') + suffix;
    const QString suggested = QDir(folder).filePath(fileNameFor(sheet.title) + dotted);
    std::optional<QString> chosen = filechoice::saveFile(parent, caption, suggested, filter, suffix);
    if (!chosen || chosen->trimmed().isEmpty())
        return false;
    QString path = *chosen;
    if (!path.endsWith(dotted, Qt::CaseInsensitive))
        path += dotted;
    QString reason;
    try {
        WaitCursor wait;
        write(path);
        return true;
    } catch (const std::exception& error) {
        reason = QString::fromUtf8(error.what());
    }
    QString text = QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        text += QStringLiteral("\r") + reason;
    messages::inform(parent, QString::fromUtf8(app::kTitle), text, QMessageBox::Critical);
    return false;
}

} // namespace

bool saveAsPdf(QWidget* parent, const SheetDocument& sheet) {
    return saveAs(parent, sheet, QStringLiteral("Guardar como PDF"), QStringLiteral("Documentos PDF (*.pdf)"),
                  QStringLiteral("pdf"), [&sheet](const QString& path) {
                      if (!SheetRenderer::writePdf(sheet, path))
                          throw std::runtime_error(std::string());
                  });
}

bool exportToExcel(QWidget* parent, const SheetDocument& sheet) {
    return saveAs(parent, sheet, QStringLiteral("Exportar a Excel"), QStringLiteral("Libros de Excel (*.xlsx)"),
                  QStringLiteral("xlsx"), [&sheet](const QString& path) { sheet_table::writeExcel(sheet, path); });
}

bool exportToCsv(QWidget* parent, const SheetDocument& sheet) {
    return saveAs(parent, sheet, QStringLiteral("Exportar a CSV"),
                  QStringLiteral("Texto separado por punto y coma (*.csv)"), QStringLiteral("csv"),
                  [&sheet](const QString& path) { sheet_table::writeCsv(sheet, path); });
}

} // namespace sheets
