#include "Modal.h"
#include "FemaleRows.h"
#include "ScriptedMessages.h"
#include "SheetTestKit.h"
#include "TempFarm.h"
#include "XlsxRead.h"
#include "db/Query.h"
#include "reports/FemaleListSheet.h"
#include "reports/HouseStyle.h"
#include "reports/ui/SheetPreviewWindow.h"
#include "reports/ui/SheetRenderer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <map>

namespace {

const QDate kDay(2001, 3, 5);
const QString kTitle = QStringLiteral("Listado de Hembras");

// The list of the farm's active females in cage order, with its efficiency.
struct FemaleList {
    TempFarm farm;
    std::unique_ptr<FemaleListSheet> sheet;

    explicit FemaleList(int females) {
        addFemales(farm.db(), females);
        nameFarm(farm.db());
        sheet = std::make_unique<FemaleListSheet>(farm.db(), kTitle, kDay);
        sheet->addColumn(SheetColumn::bound(QStringLiteral("eficacia"), QStringLiteral("Eficacia"), 14,
                                            SheetAlign::Right, QStringLiteral("Eficacia"), QStringLiteral("##0.00")));
    }

    bool produce(sheets::Destination destination) {
        Query q(farm.db(), QStringLiteral("select * from Hembras where CausaBaja not in (0,1) order by Jaula"));
        q.open();
        QueryRows rows(q);
        return sheets::produce(nullptr, *sheet, rows, destination);
    }
};

struct PdfWord {
    QString text;
    double x;
    double y;
};

// The words of every page of a PDF with their places, as poppler reads them.
std::vector<std::vector<PdfWord>> pdfWords(const QString& path, double* pageWidth) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        qWarning("pdftotext (poppler-utils) is needed to read the produced sheets");
        return {};
    }
    std::vector<std::vector<PdfWord>> pages;
    static const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\""));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (const auto m = page.match(line); m.hasMatch()) {
            pages.emplace_back();
            *pageWidth = m.captured(1).toDouble();
        } else if (const auto w = word.match(line); w.hasMatch() && !pages.empty()) {
            QString text = w.captured(3);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            pages.back().push_back({text, w.captured(1).toDouble(), w.captured(2).toDouble()});
        }
    }
    return pages;
}

// True when the word follows `first` on the same line.
bool hasPhrase(const std::vector<PdfWord>& words, const QString& first, const QString& second) {
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i].text == first && words[i + 1].text == second && std::abs(words[i].y - words[i + 1].y) < 1.0)
            return true;
    }
    return false;
}

class RedPainting : public SheetPainting {
public:
    mutable QRectF given;
    void paint(QPainter& painter, const QRectF& area) const override {
        given = area;
        painter.fillRect(area, Qt::red);
    }
};

bool dark(const QImage& image, double xMm, double yMm, double dpm) {
    return qGray(image.pixel(int(xMm * dpm), int(yMm * dpm))) < 128;
}

} // namespace

class SheetOutputTest : public QObject {
    Q_OBJECT

private slots:
    void threeHundredFemalesOnPaper() {
        FemaleList list(350);
        CapturedSheets captured;
        QVERIFY(list.produce(sheets::Destination::Printer));
        QCOMPARE(captured.sheets().size(), size_t(1));
        QVERIFY(!captured.sheets()[0].previewed);
        const SheetDocument& sheet = captured.sheets()[0].sheet;
        QCOMPARE(sheet.title, kTitle);
        QCOMPARE(sheet.rows, 300);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("hembras.pdf"));
        QVERIFY(SheetRenderer::writePdf(sheet, pdf));
        // TORVANE_KEEP_SHEETS=<folder> keeps the PDF to look at.
        if (const QByteArray keep = qgetenv("TORVANE_KEEP_SHEETS"); !keep.isEmpty())
            QFile::copy(pdf, QDir(QString::fromLocal8Bit(keep)).filePath(QStringLiteral("hembras.pdf")));

        double width = 0;
        const auto pages = pdfWords(pdf, &width);
        QCOMPARE(pages.size(), sheet.pages.size());
        QCOMPARE(pages.size(), size_t(3));
        const double middle = width / 2;
        std::vector<int> codesInOrder;
        for (size_t p = 0; p < pages.size(); ++p) {
            const std::vector<PdfWord>& words = pages[p];
            // The codes (1000 and up) of the left column top to bottom, then of the right one.
            std::vector<PdfWord> left, right;
            int hembraLeft = 0, hembraRight = 0;
            for (const PdfWord& w : words) {
                bool number = false;
                const int value = w.text.toInt(&number);
                if (number && value >= 1000 && value < 2000) // the codes, not the year of the date
                    (w.x < middle ? left : right).push_back(w);
                if (w.text == QLatin1String("Hembra"))
                    ++(w.x < middle ? hembraLeft : hembraRight);
            }
            for (auto* column : {&left, &right}) {
                std::stable_sort(column->begin(), column->end(),
                                 [](const PdfWord& a, const PdfWord& b) { return a.y < b.y; });
                for (const PdfWord& w : *column)
                    codesInOrder.push_back(w.text.toInt());
            }
            QVERIFY2(!left.empty() && !right.empty(), "both columns hold lines");
            QCOMPARE(hembraLeft, 1);
            QCOMPARE(hembraRight, 1);
            QVERIFY(hasPhrase(words, QStringLiteral("Página"), QString::number(p + 1)));
            QVERIFY(hasPhrase(words, QStringLiteral("1."), QStringLiteral("Vacunada")));
            QVERIFY(hasPhrase(words, QStringLiteral("3."), QStringLiteral("Tratada")));
            QVERIFY(hasPhrase(words, QStringLiteral("4."), QStringLiteral("Revisar")));
            QVERIFY(std::any_of(words.begin(), words.end(), [](const PdfWord& w) { return w.text == "2."; }));
            QVERIFY(hasPhrase(words, QStringLiteral("Granja"), QStringLiteral("La")));
            QVERIFY(hasPhrase(words, QStringLiteral("lunes,"), QStringLiteral("5")));
            // The glyphs are drawn as boxes, never printed as letters.
            for (const PdfWord& w : words)
                QVERIFY2(!w.text.contains(house::kTicked) && !w.text.contains(house::kEmptyBox), qPrintable(w.text));
        }
        std::vector<int> expected;
        for (int i : listedIndexes(350))
            expected.push_back(1000 + i);
        QCOMPARE(codesInOrder, expected);
    }

    void marksAreDrawnAsTickedAndEmptyBoxes() {
        SheetDocument sheet;
        sheet.paper = QSizeF(210, 297);
        SheetPage page;
        SheetItem marks;
        marks.kind = SheetItem::Kind::Marks;
        marks.text = QString::fromUtf8("þ¨");
        marks.align = SheetAlign::Left;
        marks.rect = QRectF(20, 20, 20, 5);
        page.items.push_back(marks);
        sheet.pages.push_back(page);
        const double dpm = 20;
        const QImage image = SheetRenderer::pageImage(sheet, 0, dpm);
        // Two boxes 2.6 mm wide, 0.9 mm apart, centred on the line's height.
        const double top = 22.5 - 1.3, side = 2.6;
        const double boxes[] = {20.0, 20.0 + side + 0.9};
        for (double left : boxes) {
            QVERIFY(dark(image, left + side / 2, top, dpm));        // top edge
            QVERIFY(dark(image, left + side / 2, top + side, dpm)); // bottom edge
            QVERIFY(dark(image, left, top + side / 2, dpm));        // left edge
            QVERIFY(dark(image, left + side, top + side / 2, dpm)); // right edge
        }
        // The first box holds a tick, the second is empty inside.
        auto inkInside = [&](double left) {
            int ink = 0;
            for (double x = left + 0.4; x < left + side - 0.4; x += 0.1)
                for (double y = top + 0.4; y < top + side - 0.4; y += 0.1)
                    ink += dark(image, x, y, dpm) ? 1 : 0;
            return ink;
        };
        QVERIFY(inkInside(boxes[0]) > 20);
        QCOMPARE(inkInside(boxes[1]), 0);
    }

    void paintingsTakeTheirPlaceOnThePage() {
        TempFarm farm;
        HouseSheet sheet(farm.db(), QStringLiteral("% Palpaciones Positivas"), kDay, 1, SheetOrientation::Landscape);
        auto painting = std::make_shared<RedPainting>();
        sheet.titleBand().setHeight(150);
        sheet.titleBand().addPainting(QStringLiteral("grafico"), QRectF(10, 5, 200, 140), painting);
        CapturedSheets captured;
        QVERIFY(sheets::produce(nullptr, sheet, sheets::Destination::Preview));
        QVERIFY(captured.sheets().at(0).previewed);
        const SheetDocument& doc = captured.sheets()[0].sheet;
        QCOMPARE(doc.paper, QSizeF(297, 210));
        const double dpm = 4;
        const QImage image = SheetRenderer::pageImage(doc, 0, dpm);
        QCOMPARE(image.size(), QSize(297 * 4, 210 * 4));
        // The painting sits in the title band, below the page header, 10 mm in from the margin.
        const SheetItem* item = doc.pages[0].find(QStringLiteral("grafico"));
        QVERIFY(item);
        QCOMPARE(painting->given, QRectF(item->rect.x() * dpm, item->rect.y() * dpm, 200 * dpm, 140 * dpm));
        QCOMPARE(item->rect.left(), 20.0);
        QCOMPARE(QColor(image.pixel(int(item->rect.center().x() * dpm), int(item->rect.center().y() * dpm))),
                 QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(int(15 * dpm), int(item->rect.center().y() * dpm))), QColor(Qt::white));
    }

    void emptySheetMarkedNotToPrintProducesNothing() {
        FemaleList list(0);
        CapturedSheets captured;
        list.sheet->setSkipWhenEmpty(true);
        QVERIFY(!list.produce(sheets::Destination::Preview));
        QVERIFY(captured.sheets().empty());
        list.sheet->setSkipWhenEmpty(false);
        QVERIFY(list.produce(sheets::Destination::Preview));
        QCOMPARE(captured.sheets().size(), size_t(1));
        QCOMPARE(captured.sheets()[0].sheet.pages.size(), size_t(1));
    }

    void previewShowsThePagesUntilClosed() {
        FemaleList list(350);
        ScriptedMessages messages;
        ScriptedFileChoice files;
        QTemporaryDir dir;
        files.answer(dir.filePath(QStringLiteral("desde la vista.pdf")));
        QVERIFY(!QApplication::activeModalWidget());
        bool drove = false;
        whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<SheetPreviewWindow*>(modal);
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), kTitle);
            QCOMPARE(window->pageCount(), 3);
            auto* page = window->findChild<QLabel*>(QStringLiteral("pagina"));
            QCOMPARE(page->text(), QStringLiteral("Página 1 de 3"));
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("siguiente")), Qt::LeftButton);
            QCOMPARE(page->text(), QStringLiteral("Página 2 de 3"));
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("ultima")), Qt::LeftButton);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("siguiente")), Qt::LeftButton);
            QCOMPARE(page->text(), QStringLiteral("Página 3 de 3"));
            QTest::keyClick(window, Qt::Key_PageUp);
            QCOMPARE(window->currentPage(), 2);
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("guardarPdf")), Qt::LeftButton);
            QCOMPARE(files.asked().size(), 1);
            QVERIFY(files.asked()[0].suggestedPath.endsWith(kTitle + QStringLiteral(".pdf")));
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cerrar")), Qt::LeftButton);
            drove = true;
        });
        QVERIFY(list.produce(sheets::Destination::Preview));
        // produce() came back: the window was closed.
        QVERIFY(drove);
        QVERIFY(!QApplication::activeModalWidget());
        QFile saved(dir.filePath(QStringLiteral("desde la vista.pdf")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.read(5) == "%PDF-");
        QVERIFY(messages.asked().isEmpty());
    }

    void previewExportsTheLinesToExcelAndCsv() {
        FemaleList list(30);
        ScriptedMessages messages;
        ScriptedFileChoice files;
        QTemporaryDir dir;
        files.answer(dir.filePath(QStringLiteral("lista")));
        files.answer(dir.filePath(QStringLiteral("lista.csv")));
        whenModal([](QWidget* modal) {
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("exportarExcel")), Qt::LeftButton);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("exportarCsv")), Qt::LeftButton);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cerrar")), Qt::LeftButton);
        });
        QVERIFY(list.produce(sheets::Destination::Preview));
        QCOMPARE(files.asked().size(), 2);
        QVERIFY(files.asked()[0].suggestedPath.endsWith(kTitle + QStringLiteral(".xlsx")));
        QCOMPARE(files.asked()[1].defaultSuffix, QStringLiteral("csv"));
        const std::vector<xlsx::Sheet> book = xlsx::read(dir.filePath(QStringLiteral("lista.xlsx")));
        QCOMPARE(book.size(), size_t(1));
        QCOMPARE(book[0].row(1), QStringList{kTitle});
        QCOMPARE(book[0].row(4).value(6), QStringLiteral("Eficacia"));
        QCOMPARE(book[0].lastRow(), 4 + int(listedIndexes(30).size()));
        QFile csv(dir.filePath(QStringLiteral("lista.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(), QByteArray("\xEF\xBB\xBFJaula;Hembra;1. Vacunada;2.;3. Tratada;4. Revisar;Eficacia\r\n"));
        QVERIFY(messages.asked().isEmpty());
    }

    void printingWithoutPrinterOffersPdf() {
        FemaleList list(30);
        QtSheetOutput noPrinter([] { return std::optional<QPrinterInfo>(); });
        sheets::install(&noPrinter);
        ScriptedMessages messages;
        ScriptedFileChoice files;
        QTemporaryDir dir;

        // Yes: the file is asked for and written; ".pdf" is added to a bare name.
        messages.answer(QMessageBox::Yes);
        files.answer(dir.filePath(QStringLiteral("hoja")));
        QVERIFY(list.produce(sheets::Destination::Printer));
        QCOMPARE(messages.asked().size(), 1);
        const MessageRequest& asked = messages.asked()[0];
        QCOMPARE(asked.caption, QStringLiteral("¡Atención!"));
        QCOMPARE(asked.text, QStringLiteral("No hay ninguna impresora instalada en este equipo.\r¿Desea guardar la "
                                            "hoja \"Listado de Hembras\" como documento PDF?"));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(files.asked().size(), 1);
        QCOMPARE(files.asked()[0].filter, QStringLiteral("Documentos PDF (*.pdf)"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("hoja.pdf"))));

        // No: nothing more is asked and nothing written.
        messages.answer(QMessageBox::No);
        files.answer(dir.filePath(QStringLiteral("otra.pdf")));
        QVERIFY(list.produce(sheets::Destination::Printer));
        QCOMPARE(messages.asked().size(), 2);
        QCOMPARE(files.asked().size(), 1);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("otra.pdf"))));

        // From the preview, "Imprimir" takes the same way.
        messages.answer(QMessageBox::No);
        whenModal([](QWidget* modal) {
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("imprimir")), Qt::LeftButton);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cerrar")), Qt::LeftButton);
        });
        QVERIFY(list.produce(sheets::Destination::Preview));
        QCOMPARE(messages.asked().size(), 3);
        QVERIFY(messages.asked()[2].text.startsWith(QStringLiteral("No hay ninguna impresora")));
        sheets::install(nullptr);
    }

    void aFileThatCannotBeWrittenIsSaid() {
        FemaleList list(3);
        CapturedSheets captured;
        QVERIFY(list.produce(sheets::Destination::Printer));
        ScriptedMessages messages;
        ScriptedFileChoice files;
        const QString path = QStringLiteral("/carpeta-que-no-existe/hoja.pdf");
        files.answer(path);
        QVERIFY(!sheets::saveAsPdf(nullptr, captured.sheets().at(0).sheet));
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked()[0].icon, QMessageBox::Critical);
        QCOMPARE(messages.asked()[0].text, QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(path));
        // A cancelled choice writes nothing and says nothing.
        QVERIFY(!sheets::saveAsPdf(nullptr, captured.sheets().at(0).sheet));
        QCOMPARE(messages.asked().size(), 1);
        // A workbook that cannot be written says why, and leaves nothing there.
        files.answer(QStringLiteral("/carpeta-que-no-existe/hoja.xlsx"));
        QVERIFY(!sheets::exportToExcel(nullptr, captured.sheets().at(0).sheet));
        QCOMPARE(messages.asked().size(), 2);
        QVERIFY(messages.asked()[1].text.startsWith(
            QStringLiteral("No se ha podido guardar el archivo \"/carpeta-que-no-existe/hoja.xlsx\".\r")));
        QVERIFY(!QFile::exists(QStringLiteral("/carpeta-que-no-existe/hoja.xlsx")));
    }
};

QTEST_MAIN(SheetOutputTest)
#include "SheetOutputTest.moc"
