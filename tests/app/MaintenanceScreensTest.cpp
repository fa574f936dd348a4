#include "FarmRows.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "app/ui/TFActualizacion.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "db/Database.h"
#include "db/Settings.h"
#include "utilities/ui/TFReparacionTablas.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using testkit::rowTexts;

namespace {

QStringList keys(Database& db) {
    return rowTexts(db, QStringLiteral("select name, sql from sqlite_master where type='index' order by name"));
}

} // namespace

class MaintenanceScreensTest : public QObject {
    Q_OBJECT

private slots:
    // The main window finds no version and opens the upgrade, which runs by
    // itself and closes at its end, before the window is ready.
    void theMainWindowUpgradesAnOldFarm() {
        ScreenFarm<> f;
        testkit::makeOldVersion(f.db());
        f.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, NumeroSeleccion) values (4, 2)"));
        ScriptedMessages said;
        TFPantallaPrincipal window(f.context);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(rowTexts(f.db(), QStringLiteral("select Seleccion, Eficacia from Hembras")), QStringList{"True|0"});
        QCOMPARE(f.settings.versionActual(), QStringLiteral("010100"));
        QVERIFY(said.asked().isEmpty());
    }

    // No close button, no buttons at all, Escape does nothing; it closes itself.
    void theUpgradeDialogCannotBeStopped() {
        ScreenFarm<> f;
        ScriptedMessages said;
        TFActualizacion dialog(f.db(), f.settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Actualizar a la Versión 1.1.0"));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(dialog.findChildren<QPushButton*>().isEmpty());
        QStringList seen;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            seen << label->text();
        for (const char* text : {"Estimado usuario:", "Por favor, sea paciente y no interrumpa el proceso. Gracias",
                                 "Versión Actual", "Versión anterior a 1.1.0", "Actualizando a laVersión", "1.1.0",
                                 "Estado"})
            QVERIFY2(seen.contains(QString::fromUtf8(text)), text);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("estado"))->text(),
                 QStringLiteral("Cambiando sistema de Selección (Machos)..."));
        QCOMPARE(f.settings.versionActual(), QStringLiteral("010100"));
    }

    // A farm the upgrade cannot finish: the error is shown, the dialog closes and
    // the version stays unwritten for the next start.
    void anUpgradeErrorIsShownAndTheProgramGoesOn() {
        ScreenFarm<> f;
        f.db().exec(QStringLiteral("insert into Hembras (CodigoHembra) values (4)"));
        f.db().execNative(QStringLiteral("DROP TABLE CubriHembras"));
        ScriptedMessages said;
        TFActualizacion dialog(f.db(), f.settings);
        dialog.exec();
        QCOMPARE(said.asked().size(), 1);
        QCOMPARE(said.asked().first().icon, QMessageBox::Critical);
        QVERIFY(f.settings.versionActual().isEmpty());
        QVERIFY(!dialog.isVisible());
    }

    void repairCancelledChangesNothing() {
        ScreenFarm<> f;
        f.settings.setVersionActual(QStringLiteral("010100"));
        TFPantallaPrincipal window(f.context);
        QAction* item = window.action(QStringLiteral("Archivo/Reparación de Bases de Datos"));
        QVERIFY(item->isEnabled());
        f.db().exec(QStringLiteral("drop index Hembras.Primary"));
        const QStringList before = keys(f.db());
        ScriptedMessages said;
        QStringList texts;
        whenModal([&texts](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Reparación de Bases de Datos"));
            for (QLabel* label : modal->findChildren<QLabel*>())
                texts << label->text();
            click(modal, "cancelar");
        });
        item->trigger();
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts.last(), QStringLiteral("¿Está seguro de querer continuar con el proceso?"));
        QCOMPARE(keys(f.db()), before);
        QVERIFY(said.asked().isEmpty());
    }

    void repairAcceptedRebuildsTheKeys() {
        ScreenFarm<> f;
        const QStringList before = keys(f.db());
        f.db().exec(QStringLiteral("drop index Hembras.Primary"));
        ScriptedMessages said;
        TFReparacionTablas dialog(f.db());
        showActive(dialog);
        // Enter on the focused "Aceptar" runs the repair.
        QWidget* ok = button(&dialog, "aceptar");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(keys(f.db()), before);
        QCOMPARE(said.asked().size(), 2);
        for (const MessageRequest& r : said.asked()) {
            QCOMPARE(r.caption, QStringLiteral("¡Atención!"));
            QCOMPARE(r.icon, QMessageBox::Warning);
        }
        QCOMPARE(said.asked().first().text,
                 QStringLiteral("Se ha producido un error al eliminar la clave primaria de Hembras.Db"));
        QCOMPARE(said.lastText(), QStringLiteral("La reparación de la Base de Datos ha finalizado"));
    }
};

QTEST_MAIN(MaintenanceScreensTest)
#include "MaintenanceScreensTest.moc"
