#include "../../reports/SheetTestKit.h"
#include "FarmRows.h"
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "analysis/ui/ChartPainting.h"
#include "analysis/ui/ChartWindow.h"
#include "analysis/ui/TFGraficos.h"
#include "analysis/ui/TFResumenCebadero.h"
#include "db/SqlFormat.h"
#include "herd/ui/TMensajero.h"
#include "widgets/DateEdit.h"

#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QStackedBarSeries>
#include <QTest>

namespace {

// Ten January days with 500 kits entered, one empty feed figure among them, and
// in February a sale of average 2.400 beside an entry-only movement.
struct Farm {
    Farm() {
        for (int d = 1; d <= 10; ++d)
            move(QDate(2001, 1, d), QStringLiteral("EntGazaposDes=50, Consumo1=10, Consumo2=%1")
                                        .arg(d == 4 ? QStringLiteral("NULL") : QStringLiteral("0")));
        move(QDate(2001, 2, 3), QStringLiteral("SalGazaposVen=50, PesGazaposVen=120, PesPromedioVen=2.4"));
        move(QDate(2001, 2, 5), QStringLiteral("EntGazaposDes=100, PesPromedioVen=0"));
    }
    void move(const QDate& date, const QString& values) {
        f.db().exec(
            QStringLiteral("insert into Cebadero (FechaMovimiento, Consumo3) values (%1, 0)").arg(sql::date(date)));
        f.db().exec(QStringLiteral("update Cebadero set %1 where FechaMovimiento=%2").arg(values, sql::date(date)));
    }
    qint64 emptyFeeds() {
        return testkit::count(f.db(), QStringLiteral("select count(*) cuenta from Cebadero where Consumo1 is null or "
                                                     "Consumo2 is null or Consumo3 is null"));
    }
    ScreenFarm<> f{QDate(2001, 2, 15)};
};

// The four value texts of the sheet's line with that caption.
QStringList lineTexts(const SheetPage& page, const char* caption) {
    const int at = int(page.texts(QStringLiteral("concepto")).indexOf(QString::fromUtf8(caption)));
    QStringList texts;
    for (const char* column : {"total", "proyec30", "proyec90", "proyec365"})
        texts << page.texts(QString::fromLatin1(column)).value(at);
    return texts;
}

} // namespace

class FatteningScreensTest : public QObject {
    Q_OBJECT
private slots:
    void tenDaysTypedByKeysAreProjectedAndTheFeedZeroed() {
        Farm farm;
        ScriptedMessages messages;
        CapturedSheets captured;
        TFResumenCebadero screen(farm.f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Resumen datos Cebadero"));
        QVERIFY(screen.desde()->isBlank() && screen.hasta()->isBlank());
        QVERIFY(screen.vistaPreliminar()->isChecked());
        QTest::keyClicks(screen.desde(), QStringLiteral("01012001"));
        QTest::keyClick(screen.desde(), Qt::Key_Return);
        QTest::keyClicks(screen.hasta(), QStringLiteral("10012001"));
        QTest::keyClick(screen.hasta(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.vistaPreliminar());
        click(&screen, "aceptar");
        // Both dates blank, to the printer: n is the twelve movements counted.
        for (DateEdit* box : {screen.desde(), screen.hasta()}) {
            typeOver(box, QString());
            QTest::keyClick(box, Qt::Key_Backspace);
        }
        QTest::keyClick(screen.vistaPreliminar(), Qt::Key_Space);
        click(&screen, "aceptar");
        QVERIFY(screen.isVisible());
        QVERIFY(messages.asked().isEmpty());

        QCOMPARE(int(captured.sheets().size()), 2);
        const auto& [tenDays, previewed] = captured.sheets()[0];
        QVERIFY(previewed);
        QCOMPARE(tenDays.title, QStringLiteral("Resumen de Datos de Cebadero"));
        const SheetPage& page = tenDays.pages.at(0);
        QVERIFY(page.texts(QStringLiteral("seleccion"))
                    .contains(QStringLiteral("Desde la fecha 01/01/2001 Hasta la fecha 10/01/2001")));
        QCOMPARE(page.texts(QStringLiteral("concepto")).size(), 10);
        QCOMPARE(lineTexts(page, "Entrada de Gazapos Destetados"), (QStringList{"500", "1.500", "4.500", "18.250"}));
        // The fourth day's empty feed was made 0 before the sums: it counts its 10.
        QCOMPARE(lineTexts(page, "Consumo"), (QStringList{"100", "300", "900", "3.650"}));
        QCOMPARE(farm.emptyFeeds(), 0);

        const auto& [everything, printed] = captured.sheets()[1];
        QVERIFY(!printed);
        const SheetPage& all = everything.pages.at(0);
        QCOMPARE(lineTexts(all, "Peso de Promedio de los Gazapos Vendidos"),
                 (QStringList{"1,200", "1,200", "1,200", "1,200"}));
        QCOMPARE(lineTexts(all, "(%) Bajas de Gazapos respecto a destetados"),
                 (QStringList{"0,00 %", "0,00 %", "0,00 %", "0,00 %"}));
    }

    void theSaleAverageIsChartedInItsOwnWindow() {
        Farm farm;
        const auto screen = TFGraficos::cebadero(farm.f.context);
        showActive(*screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Gráficos de Cebadero"));
        const auto& choices = screen->indicatorButtons();
        QCOMPARE(choices.size(), 11);
        QVERIFY(choices[0]->isChecked());
        QCOMPARE(choices[10]->text(), QStringLiteral("Índice de Conversión del Cebadero"));
        QVERIFY(screen->kindButton(ChartKind::Bar)->isChecked());
        QVERIFY(screen->presentacionPreliminar()->isChecked());
        QTest::mouseClick(choices[8], Qt::LeftButton); // "Peso de Promedio de los Gazapos Vendidos"
        bool driven = false;
        whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<ChartWindow*>(modal);
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QStringLiteral("Gráfico de Cebadero"));
            QCOMPARE(window->chart()->title(), QStringLiteral("Peso de Promedio de los Gazapos Vendidos"));
            auto* bars = qobject_cast<QStackedBarSeries*>(window->chart()->series().value(0));
            QVERIFY(bars);
            QCOMPARE(bars->count(), 12);
            QCOMPARE(bars->barSets()[11]->at(11), 2.4); // the entry-only movement left out
            QCOMPARE(bars->barSets()[10]->at(10), 0.0); // January sold nothing
            QTest::keyClick(window, Qt::Key_Escape);
            driven = true;
        });
        click(screen.get(), "aceptar");
        QVERIFY(driven);
        QVERIFY(screen->isVisible());
        QCOMPARE(farm.emptyFeeds(), 0);
    }

    void clearOfPreviewTheChartSheetIsPrintedAtOnce() {
        Farm farm;
        ScriptedMessages messages;
        CapturedSheets captured;
        const auto screen = TFGraficos::cebadero(farm.f.context);
        showActive(*screen);
        QTest::mouseClick(screen->indicatorButtons()[4], Qt::LeftButton); // losses over entries
        screen->presentacionPreliminar()->setFocus();
        QTest::keyClick(screen->presentacionPreliminar(), Qt::Key_Space);
        click(screen.get(), "aceptar");

        QCOMPARE(int(captured.sheets().size()), 1);
        const auto& [sheet, previewed] = captured.sheets()[0];
        QVERIFY(!previewed);
        QCOMPARE(sheet.title, QStringLiteral("(%) de Bajas de Gazapos respecto Gazapos Destetados"));
        QCOMPARE(sheet.orientation, SheetOrientation::Landscape);
        const SheetItem* item = sheet.pages.at(0).find(QStringLiteral("grafico"));
        QVERIFY(item && item->painting);
        const auto* painting = dynamic_cast<const ChartPainting*>(item->painting.get());
        QVERIFY(painting);
        QCOMPARE(painting->chart().title(), sheet.title);
        // The message was put up while gathering and is down again.
        QCOMPARE(TMensajero::window()->findChild<QLabel*>(QStringLiteral("texto"))->text(),
                 QStringLiteral("Recopilando información..."));
        QVERIFY(!TMensajero::window()->isVisible());
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(farm.emptyFeeds(), 0);
    }
};

QTEST_MAIN(FatteningScreensTest)
#include "FatteningScreensTest.moc"
