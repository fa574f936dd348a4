#include "../../reports/SheetTestKit.h"
#include "../SelectionFarm.h"
#include "Keys.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "reports/ui/SheetRenderer.h"
#include "selection/ui/TFJaulasOcupadas.h"
#include "selection/ui/TFListadoAnimales.h"
#include "widgets/NumberEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QRadioButton>
#include <QTest>

using namespace selectionkit;

namespace {

// TORVANE_KEEP_SHEETS=<folder> keeps the launchers' pictures and their sheets as PDF to look at.
QString kept(const QString& file) {
    const QByteArray folder = qgetenv("TORVANE_KEEP_SHEETS");
    return folder.isEmpty() ? QString() : QDir(QString::fromLocal8Bit(folder)).filePath(file);
}

void keepPicture(const QString& name, QWidget& screen) {
    if (const QString file = kept(name + QStringLiteral(".png")); !file.isEmpty())
        screen.grab().save(file);
}

void keepSheet(const QString& name, const SheetDocument& sheet) {
    if (const QString file = kept(name + QStringLiteral(".pdf")); !file.isEmpty())
        SheetRenderer::writePdf(sheet, file);
}

} // namespace

class LaunchersTest : public QObject {
    Q_OBJECT
private slots:
    void cullingLauncherPreviewsOrPrintsAndCloses() {
        ScreenFarm<> f;
        add(f.db(), {101, 4, QDate(2025, 1, 1), 0, -1, 0, false, 0b0101});
        addCycle(f.db(), 101, false);
        ScriptedMessages messages;
        CapturedSheets captured;
        for (const bool preview : {true, false}) {
            TFListadoAnimales screen(f.context, ListingKind::CullingFemales);
            showActive(screen);
            QCOMPARE(screen.windowTitle(), QStringLiteral("Propuesta de Eliminación (Hembras)"));
            QVERIFY(screen.orden().isEmpty());
            QVERIFY(screen.vistaPreliminar()->isChecked());
            QCOMPARE(QApplication::focusWidget(), screen.vistaPreliminar());
            if (!preview)
                QTest::keyClick(screen.vistaPreliminar(), Qt::Key_Space);
            // Down moves on to "Aceptar", Up back, as Enter and Shift+Tab do.
            QTest::keyClick(screen.vistaPreliminar(), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), button(&screen, "aceptar"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QCOMPARE(QApplication::focusWidget(), screen.vistaPreliminar());
            if (!preview)
                keepPicture(QStringLiteral("propuesta-hembras"), screen);
            click(&screen, "aceptar");
            QVERIFY(!screen.isVisible());
            QCOMPARE(screen.result(), int(QDialog::Accepted));
        }
        QCOMPARE(int(captured.sheets().size()), 2);
        keepSheet(QStringLiteral("propuesta-hembras"), captured.sheets()[0].sheet);
        for (size_t i = 0; i < 2; ++i) {
            QCOMPARE(captured.sheets()[i].previewed, i == 0);
            QCOMPARE(lines(captured.sheets()[i].sheet, {"codigo", "partos", "edad"}), QStringList{"101|0|707"});
        }
        QVERIFY(messages.asked().isEmpty());
    }

    void selectionLauncherListsInTheOrderChosenByKeys() {
        ScreenFarm<> f;
        addMale(f.db(), 1, 30, QDate(2025, 1, 1), 20, true);
        addMale(f.db(), 2, 10, QDate(2025, 1, 1), 60, true);
        addMale(f.db(), 3, 20, QDate(2025, 1, 1), 40, false);
        ScriptedMessages messages;
        CapturedSheets captured;
        TFListadoAnimales screen(f.context, ListingKind::SelectionMales);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Listado de Selección de Machos"));
        QCOMPARE(screen.orden().size(), 3);
        QCOMPARE(screen.orden().at(0)->text(), QStringLiteral("Código Macho"));
        QVERIFY(screen.orden().at(0)->isChecked());
        // Down picks the next order.
        QTest::keyClick(screen.orden().at(0), Qt::Key_Down);
        QVERIFY(screen.orden().at(1)->isChecked());
        QVERIFY(!screen.orden().at(0)->isChecked());
        keepPicture(QStringLiteral("seleccion-machos"), screen);
        click(&screen, "aceptar");
        QVERIFY(!screen.isVisible());
        QCOMPARE(int(captured.sheets().size()), 1);
        const SheetDocument& sheet = captured.sheets()[0].sheet;
        keepSheet(QStringLiteral("seleccion-machos"), sheet);
        QCOMPARE(sheet.title, QStringLiteral("Listado de Selección de Machos"));
        QCOMPARE(lines(sheet, {"jaula", "codigo", "eficacia"}), (QStringList{"10|2|150,00", "30|1|50,00"}));
    }

    void occupiedCagesLauncherStaysOpenAndSaysNothingForAnEmptyRange() {
        ScreenFarm<> f;
        add(f.db(), {7, 12, {}});
        add(f.db(), {8, 30, {}, 0, 0});
        ScriptedMessages messages;
        CapturedSheets captured;
        TFJaulasOcupadas screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Búsqueda de Jaulas Ocupadas"));
        QCOMPARE(screen.desde()->value(), 0.0);
        QCOMPARE(screen.hasta()->value(), 0.0);
        QVERIFY(screen.presentacionPreliminar()->isChecked());

        typeOver(screen.desde(), QStringLiteral("20"));
        QTest::keyClick(screen.desde(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.hasta());
        typeOver(screen.hasta(), QStringLiteral("40"));
        click(&screen, "aceptar");
        QVERIFY(captured.sheets().empty());
        QVERIFY(messages.asked().isEmpty());
        QVERIFY(screen.isVisible());

        typeOver(screen.desde(), QStringLiteral("0"));
        typeOver(screen.hasta(), QStringLiteral("0"));
        keepPicture(QStringLiteral("jaulas-ocupadas"), screen);
        click(&screen, "aceptar");
        QVERIFY(screen.isVisible());
        QCOMPARE(int(captured.sheets().size()), 1);
        QVERIFY(captured.sheets()[0].previewed);
        const SheetDocument& sheet = captured.sheets()[0].sheet;
        keepSheet(QStringLiteral("jaulas-ocupadas"), sheet);
        QCOMPARE(sheet.title, QStringLiteral("Jaulas Ocupadas"));
        QCOMPARE(sheet.pages.at(0).texts(QStringLiteral("seleccion")),
                 QStringList{QStringLiteral("Desde la Jaula 0 a la Jaula 0")});
        QCOMPARE(lines(sheet, {"jaula", "codigo"}), QStringList{"12|7"});
        QVERIFY(messages.asked().isEmpty());

        QTest::keyClick(screen.desde(), Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
    }
};

QTEST_MAIN(LaunchersTest)
#include "LaunchersTest.moc"
