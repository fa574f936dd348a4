#include "../../reports/SheetTestKit.h"
#include "../ResultsFarm.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "analysis/ui/ChartWindow.h"
#include "reports/ui/SheetRenderer.h"
#include "results/ui/BandChart.h"
#include "results/ui/TFReferencias.h"
#include "results/ui/TFResultadosTecnicos.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdit.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QTableWidget>
#include <QTest>

using namespace results;

namespace {

// Where the pictures go when TORVANE_KEEP_SHEETS names a folder.
QString kept(const QString& name) {
    const QString folder = qEnvironmentVariable("TORVANE_KEEP_SHEETS");
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

struct Farm {
    Farm() { resultskit::build(f.db()); }
    ScreenFarm<> f{resultskit::kToday};
};

// The line of an indicator in a table.
int lineOf(QTableWidget* table, Indicator id) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->verticalHeaderItem(row)->text() == definition(id).caption)
            return row;
    return -1;
}

QColor markColour(QTableWidgetItem* item) {
    const QImage picture = item->icon().pixmap(12, 12).toImage();
    return picture.isNull() ? QColor() : picture.pixelColor(6, 6);
}

void choosePeriod(TFResultadosTecnicos& screen) {
    screen.desde()->setText(QStringLiteral("01/01/2026"));
    screen.hasta()->setText(QStringLiteral("28/02/2026"));
    click(&screen, "calcular");
}

} // namespace

class ResultsScreenTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheFiguresOfThePeriodWithMarksAndDefinitions() {
        Farm farm;
        ScriptedMessages messages;
        TFResultadosTecnicos screen(farm.f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Resultados Técnicos"));
        QCOMPARE(screen.desde()->text(), QStringLiteral("01/04/2025")); // twelve months up to today
        QCOMPARE(screen.hasta()->text(), QStringLiteral("10/03/2026"));
        QCOMPARE(screen.bandTable()->columnCount(), 2 + 3); // P0 of December too

        choosePeriod(screen);
        QTableWidget* bands = screen.bandTable();
        QCOMPARE(bands->rowCount(), 8); // the ledger figures are not per band
        QCOMPARE(bands->horizontalHeaderItem(2)->text(), QStringLiteral("05/01/2026\nP1"));
        const int kindling = lineOf(bands, Indicator::KindlingRate);
        QCOMPARE(bands->verticalHeaderItem(kindling)->toolTip(), definition(Indicator::KindlingRate).definition);
        QVERIFY(bands->item(kindling, 2)->toolTip().contains(definition(Indicator::KindlingRate).definition));
        QCOMPARE(bands->item(kindling, TFResultadosTecnicos::kReferenceColumn)->text(), QStringLiteral("84,0"));
        QCOMPARE(bands->item(kindling, 2)->text(), QStringLiteral("80,0"));
        QCOMPARE(markColour(bands->item(kindling, 2)), band_chart::colour(Mark::Fair));
        QCOMPARE(markColour(bands->item(kindling, 3)), band_chart::colour(Mark::Poor));
        // A band with no birth yet: no figure per kindling, and no mark.
        const int alive = lineOf(bands, Indicator::AlivePerKindling);
        QCOMPARE(bands->item(alive, 3)->text(), kNoFigure);
        QVERIFY(bands->item(alive, 3)->icon().isNull());
        QVERIFY(bands->item(lineOf(bands, Indicator::Services), 2)->icon().isNull());

        QTableWidget* months = screen.monthTable();
        QCOMPARE(months->rowCount(), kIndicators);
        QCOMPARE(months->item(lineOf(months, Indicator::Replacement), TFResultadosTecnicos::kTotalColumn)->text(),
                 QStringLiteral("4,7"));
        QVERIFY(messages.asked().isEmpty());
        if (const QString file = kept(QStringLiteral("results-screen.png")); !file.isEmpty())
            screen.grab().save(file);
    }

    void changedReferencesAreKeptAndMarkTheFiguresAgain() {
        Farm farm;
        ScriptedMessages messages;
        TFResultadosTecnicos screen(farm.f.context);
        showActive(screen);
        choosePeriod(screen);
        whenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TFReferencias*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->referenceBox(Indicator::KindlingRate)->value(), 84.0);
            QVERIFY(!dialog->referenceBox(Indicator::Services));
            dialog->referenceBox(Indicator::KindlingRate)->setValue(80.0);
            if (const QString file = kept(QStringLiteral("results-references.png")); !file.isEmpty())
                dialog->grab().save(file);
            click(dialog, "aceptar");
        });
        click(&screen, "referencias");
        QTableWidget* bands = screen.bandTable();
        const int kindling = lineOf(bands, Indicator::KindlingRate);
        QCOMPARE(bands->item(kindling, TFResultadosTecnicos::kReferenceColumn)->text(), QStringLiteral("80,0"));
        QCOMPARE(markColour(bands->item(kindling, 2)), band_chart::colour(Mark::Good));
        // Kept for the next session, in the settings and not in the farm.
        QCOMPARE(References::read(farm.f.settings).of(Indicator::KindlingRate).value, 80.0);

        // "Valores por defecto" puts the built-in figures back; "Cancelar" keeps nothing.
        whenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<TFReferencias*>(modal);
            QVERIFY(dialog);
            click(dialog, "porDefecto");
            QCOMPARE(dialog->referenceBox(Indicator::KindlingRate)->value(), 84.0);
            click(dialog, "cancelar");
        });
        click(&screen, "referencias");
        QCOMPARE(References::read(farm.f.settings).of(Indicator::KindlingRate).value, 80.0);
    }

    void printsTheSheetAndDrawsOneIndicatorBandByBand() {
        Farm farm;
        ScriptedMessages messages;
        CapturedSheets captured;
        TFResultadosTecnicos screen(farm.f.context);
        showActive(screen);
        choosePeriod(screen);
        click(&screen, "imprimir");
        QCOMPARE(int(captured.sheets().size()), 1);
        QVERIFY(captured.sheets()[0].previewed);
        QCOMPARE(captured.sheets()[0].sheet.title, QStringLiteral("Resultados Técnicos"));
        if (const QString file = kept(QStringLiteral("results-sheet.pdf")); !file.isEmpty())
            QVERIFY(SheetRenderer::writePdf(captured.sheets()[0].sheet, file));

        screen.chartIndicator()->setCurrentIndex(screen.chartIndicator()->findData(int(Indicator::AlivePerKindling)));
        bool drawn = false;
        whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<ChartWindow*>(modal);
            QVERIFY(window);
            QChart* chart = window->chart();
            QCOMPARE(chart->title(), definition(Indicator::AlivePerKindling).caption);
            // Band B has no kindling yet: only band A has a bar.
            auto* x = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
            QVERIFY(x);
            QCOMPARE(x->categories(), QStringList{QStringLiteral("05/01/2026 P1")});
            if (const QString file = kept(QStringLiteral("results-chart.png")); !file.isEmpty()) {
                QTest::qWait(300);
                window->grab().save(file);
            }
            drawn = true;
            click(window, "salir");
        });
        click(&screen, "grafico");
        QVERIFY(drawn);
    }
};

QTEST_MAIN(ResultsScreenTest)
#include "ResultsScreenTest.moc"
