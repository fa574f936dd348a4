#include "../../reports/SheetTestKit.h"
#include "FarmRows.h"
#include "Keys.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "analysis/ui/TFResumenMaternidad.h"
#include "widgets/DateEdit.h"

#include <QCheckBox>
#include <QTest>

namespace {

// The four value texts of the sheet's line with that caption.
QStringList lineTexts(const SheetPage& page, const QString& caption) {
    const int at = int(page.texts(QStringLiteral("concepto")).indexOf(caption));
    if (at < 0)
        return {};
    QStringList texts;
    for (const char* column : {"total", "proyec30", "proyec90", "proyec365"})
        texts << page.texts(QString::fromLatin1(column)).value(at);
    return texts;
}

} // namespace

class SummaryScreenTest : public QObject {
    Q_OBJECT
private slots:
    void aJanuaryPeriodTypedByKeysIsPreviewedThenPrinted() {
        ScreenFarm<> f(QDate(2001, 3, 5));
        testkit::addLedgerDay(f.db(), QDate(2001, 1, 3),
                              QStringLiteral("BajasHembrasMuertas=30, NumeroTotalHembras=500"));
        testkit::addLedgerDay(f.db(), QDate(2001, 1, 20),
                              QStringLiteral("BajasHembrasMuertas=32, NumeroTotalHembras=520"));
        testkit::addLedgerDay(f.db(), QDate(2001, 2, 2),
                              QStringLiteral("BajasHembrasMuertas=9, PalpacionesPositivas=3, "
                                             "PalpacionesNegativas=1, NumeroTotalHembras=540"));
        ScriptedMessages messages;
        CapturedSheets captured;
        TFResumenMaternidad screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Resumen datos Maternidad"));
        QVERIFY(screen.desde()->isBlank() && screen.hasta()->isBlank());
        QVERIFY(screen.vistaPreliminar()->isChecked());

        // Both dates: n is the 31 days of January whatever the ledger holds.
        typeOver(screen.desde(), QStringLiteral("01012001"));
        QTest::keyClick(screen.desde(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.hasta());
        QTest::keyClicks(screen.hasta(), QStringLiteral("31012001"));
        QTest::keyClick(screen.hasta(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.vistaPreliminar());
        click(&screen, "aceptar");
        // Only "Desde", the box ticked off with the keyboard: the ledger days counted, to the printer.
        typeOver(screen.hasta(), QString());
        QTest::keyClick(screen.hasta(), Qt::Key_Backspace);
        QTest::keyClick(screen.hasta(), Qt::Key_Return);
        QTest::keyClick(screen.vistaPreliminar(), Qt::Key_Space);
        click(&screen, "aceptar");
        QVERIFY(screen.isVisible());

        QCOMPARE(int(captured.sheets().size()), 2);
        struct Expected {
            bool previewed;
            const char* selection;
            QStringList deaths;
            QStringList palpations;
        };
        const Expected expected[] = {
            {true,
             "Desde la fecha 01/01/2001 Hasta la fecha 31/01/2001",
             {"62", "60", "180", "730"},
             {"0.00 %", "0.00 %", "0.00 %", "0.00 %"}},
            {false,
             "Desde la fecha 01/01/2001",
             {"71", "710", "2.130", "8.638"},
             {"75,00 %", "75,00 %", "75,00 %", "75,00 %"}},
        };
        for (int i = 0; i < 2; ++i) {
            const auto& [sheet, previewed] = captured.sheets()[size_t(i)];
            QCOMPARE(sheet.title, QStringLiteral("Resumen de Datos de Maternidad"));
            QCOMPARE(previewed, expected[i].previewed);
            QCOMPARE(int(sheet.pages.size()), 1);
            const SheetPage& page = sheet.pages[0];
            QVERIFY(page.texts(QStringLiteral("seleccion")).contains(QString::fromUtf8(expected[i].selection)));
            QCOMPARE(lineTexts(page, QStringLiteral("Hembras Muertas")), expected[i].deaths);
            QCOMPARE(lineTexts(page, QStringLiteral("Palpaciones Positivas (%)")), expected[i].palpations);
        }
        QVERIFY(messages.asked().isEmpty());
    }

    void aDateThatIsNoDateProducesNothing() {
        ScreenFarm<> f(QDate(2001, 3, 5));
        ScriptedMessages messages;
        CapturedSheets captured;
        TFResumenMaternidad screen(f.context);
        showActive(screen);
        typeOver(screen.hasta(), QStringLiteral("31022001"));
        click(&screen, "aceptar");
        QCOMPARE(int(captured.sheets().size()), 0);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(screen.hasta()->text(), QStringLiteral("31/02/2001"));
    }

    void escapeClosesTheScreen() {
        ScreenFarm<> f;
        TFResumenMaternidad screen(f.context);
        showActive(screen);
        QTest::keyClick(screen.desde(), Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
    }
};

QTEST_MAIN(SummaryScreenTest)
#include "SummaryScreenTest.moc"
