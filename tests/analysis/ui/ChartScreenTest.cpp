#include "../../reports/SheetTestKit.h"
#include "FarmRows.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "analysis/ui/ChartPainting.h"
#include "analysis/ui/ChartWindow.h"
#include "analysis/ui/MonthlyChart.h"
#include "analysis/ui/TFGraficos.h"
#include "reports/ui/SheetRenderer.h"

#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QLineSeries>
#include <QPieSeries>
#include <QStackedBarSeries>
#include <QTest>

namespace {

bool inRange(const QColor& c) {
    return c.red() <= 254 && c.green() <= 254 && c.blue() <= 254;
}

// Where the pictures go when TORVANE_KEEP_SHEETS names a folder.
QString kept(const QString& name) {
    const QString folder = qEnvironmentVariable("TORVANE_KEEP_SHEETS");
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

struct Farm {
    Farm() {
        using testkit::addLedgerDay;
        addLedgerDay(f.db(), QDate(2000, 3, 4), QStringLiteral("Cubriciones=40, Consumo1=null, Consumo4=null"));
        addLedgerDay(f.db(), QDate(2000, 3, 5), QStringLiteral("Cubriciones=2, Consumo2=null, Consumo3=null"));
        addLedgerDay(f.db(), QDate(2001, 2, 1), QStringLiteral("Cubriciones=25"));
        addLedgerDay(f.db(), QDate(2000, 2, 20), QStringLiteral("Cubriciones=99")); // thirteen months back
    }
    ScreenFarm<> f{QDate(2001, 2, 15)};
};

} // namespace

class ChartScreenTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheFourteenIndicatorsInTwoColumnsAndBarsChosen() {
        Farm farm;
        const auto screen = TFGraficos::maternidad(farm.f.context);
        showActive(*screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Gráficos de Maternidad"));
        const auto& choices = screen->indicatorButtons();
        QCOMPARE(choices.size(), 14);
        QVERIFY(choices[0]->isChecked());
        QCOMPARE(choices[13]->text(), QStringLiteral("Índice de Conversión de Maternidad"));
        QCOMPARE(choices[7]->x(), choices[13]->x()); // the second column
        QVERIFY(choices[7]->x() > choices[0]->x());
        QCOMPARE(choices[7]->y(), choices[0]->y());
        QVERIFY(screen->kindButton(ChartKind::Bar)->isChecked());
        for (ChartKind kind : {ChartKind::Bar, ChartKind::Line, ChartKind::Pie}) {
            QVERIFY(screen->kindButton(kind)->text().isEmpty());
            QVERIFY(!screen->kindButton(kind)->icon().isNull());
        }
        QVERIFY(screen->presentacionPreliminar()->isChecked());
    }

    void aBarChartInTheWindowRunsMarchToFebruaryWithItsOwnColours() {
        Farm farm;
        const auto screen = TFGraficos::maternidad(farm.f.context);
        showActive(*screen);
        QTest::mouseClick(screen->indicatorButtons()[4], Qt::LeftButton); // "Cubriciones"
        bool driven = false;
        whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<ChartWindow*>(modal);
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QStringLiteral("Gráficos de Maternidad"));
            QChart* chart = window->chart();
            QCOMPARE(chart->title(), QStringLiteral("Cubriciones"));
            QVERIFY(chart->axes().isEmpty());
            QCOMPARE(chart->series().size(), 1);
            auto* bars = qobject_cast<QStackedBarSeries*>(chart->series()[0]);
            QVERIFY(bars);
            QCOMPARE(bars->count(), 12);
            QCOMPARE(bars->barSets().first()->label(), QStringLiteral("marzo"));
            QCOMPARE(bars->barSets().last()->label(), QStringLiteral("febrero"));
            QList<double> values;
            for (int i = 0; i < 12; ++i) {
                values << bars->barSets()[i]->at(i);
                QVERIFY(inRange(bars->barSets()[i]->color()));
            }
            QCOMPARE(values, QList<double>({42, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 25}));
            QTest::keyClick(window, Qt::Key_Escape);
            driven = true;
        });
        click(screen.get(), "aceptar");
        QVERIFY(driven);
        QVERIFY(screen->isVisible());
        // "Aceptar" made every empty feed figure 0, for good.
        QCOMPARE(testkit::count(farm.f.db(),
                                QStringLiteral("select count(*) cuenta from HistoricoMaternidad where Consumo1 is "
                                               "null or Consumo2 is null or Consumo3 is null or Consumo4 is null")),
                 0);
    }

    void aPieChartInTheWindowClosesWithSalir() {
        Farm farm;
        const auto screen = TFGraficos::maternidad(farm.f.context);
        showActive(*screen);
        QTest::mouseClick(screen->kindButton(ChartKind::Pie), Qt::LeftButton);
        QVERIFY(!screen->kindButton(ChartKind::Bar)->isChecked());
        bool driven = false;
        whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<ChartWindow*>(modal);
            QVERIFY(window);
            auto* pie = qobject_cast<QPieSeries*>(window->chart()->series().value(0));
            QVERIFY(pie);
            QCOMPARE(pie->count(), 12);
            QCOMPARE(pie->slices()[6]->label(), QStringLiteral("septiembre"));
            for (QPieSlice* slice : pie->slices())
                QVERIFY(inRange(slice->color()));
            click(window, "salir");
            QVERIFY(!window->isVisible());
            driven = true;
        });
        click(screen.get(), "aceptar");
        QVERIFY(driven);
    }

    void aLineChartClearOfPreviewGoesToThePrinterOnALandscapeSheet() {
        Farm farm;
        ScriptedMessages messages;
        CapturedSheets captured;
        const auto screen = TFGraficos::maternidad(farm.f.context);
        showActive(*screen);
        QTest::mouseClick(screen->indicatorButtons()[4], Qt::LeftButton);
        QTest::mouseClick(screen->kindButton(ChartKind::Line), Qt::LeftButton);
        screen->presentacionPreliminar()->setFocus();
        QTest::keyClick(screen->presentacionPreliminar(), Qt::Key_Space);
        QVERIFY(!screen->presentacionPreliminar()->isChecked());
        click(screen.get(), "aceptar");

        QCOMPARE(int(captured.sheets().size()), 1);
        const auto& [sheet, previewed] = captured.sheets()[0];
        QVERIFY(!previewed);
        QCOMPARE(sheet.title, QStringLiteral("Cubriciones"));
        QCOMPARE(sheet.orientation, SheetOrientation::Landscape);
        QCOMPARE(int(sheet.pages.size()), 1);
        const SheetItem* item = sheet.pages[0].find(QStringLiteral("grafico"));
        QVERIFY(item && item->painting);
        const auto* painting = dynamic_cast<const ChartPainting*>(item->painting.get());
        QVERIFY(painting);
        auto* line = qobject_cast<QLineSeries*>(painting->chart().series().value(0));
        QVERIFY(line);
        QCOMPARE(line->pen().color(), QColor(Qt::red));
        QCOMPARE(line->count(), 12);
        QCOMPARE(line->at(0), QPointF(0, 42));
        QCOMPARE(line->at(11), QPointF(11, 25));
        QVERIFY(painting->chart().axes().isEmpty());

        if (const QString pdf = kept(QStringLiteral("grafico.pdf")); !pdf.isEmpty())
            QVERIFY(SheetRenderer::writePdf(sheet, pdf));
    }

    void everyKindPaintsOffScreen() {
        std::vector<ChartPoint> points;
        for (int i = 0; i < 12; ++i)
            points.push_back({.x = i, .y = double(10 + i * (i % 3)), .label = QStringLiteral("mes %1").arg(i)});
        struct Case {
            ChartKind kind;
            const char* file;
        };
        for (const Case& c : {Case{ChartKind::Bar, "barras.png"}, Case{ChartKind::Line, "lineas.png"},
                              Case{ChartKind::Pie, "tarta.png"}}) {
            const ChartPainting painting(monthly_chart::make(QStringLiteral("Cubriciones"), points, c.kind));
            const QImage picture = painting.image(QSize(1000, 600));
            int coloured = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    coloured += picture.pixelColor(x, y) != QColor(Qt::white);
            QVERIFY2(coloured > 2000, c.file); // more than the title alone
            if (const QString png = kept(QString::fromLatin1(c.file)); !png.isEmpty())
                picture.save(png);
        }
    }
};

QTEST_MAIN(ChartScreenTest)
#include "ChartScreenTest.moc"
