#include "FarmRows.h"
#include "FerralindFiles.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "import/FerralindImport.h"
#include "widgets/CopyAnimation.h"
#include "import/ui/TFImportacionFerralind.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTest>

namespace {

QStringList ticked(TFImportacionFerralind& screen) {
    auto* steps = screen.findChild<QListWidget*>(QStringLiteral("pasos"));
    QStringList out;
    for (int i = 0; i < steps->count(); ++i)
        if (steps->item(i)->checkState() == Qt::Checked)
            out << steps->item(i)->text();
    return out;
}

void typeFolder(TFImportacionFerralind& screen, const QString& path) {
    auto* box = screen.findChild<QLineEdit*>(QStringLiteral("carpeta"));
    box->clear();
    QTest::keyClicks(box, path);
}

} // namespace

class ImportScreenTest : public QObject {
    Q_OBJECT
private slots:
    // A folder without the predecessor's files gets the message of the common
    // frame, the farm stays as it was and both buttons stay disabled.
    void aFolderWithoutTheFilesSaysSo() {
        ScreenFarm<> f;
        testkit::addFemaleInCage(f.db(), 5, 1);
        ScriptedMessages messages;
        TFImportacionFerralind screen(f.context);
        showActive(screen);
        typeFolder(screen, f.farm.folder());
        click(&screen, "aceptar");
        QTRY_VERIFY_WITH_TIMEOUT(!messages.asked().isEmpty(), 10000);
        QCOMPARE(messages.asked().first().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(messages.asked().first().icon, QMessageBox::Critical);
        QCOMPARE(messages.lastText(),
                 QStringLiteral("Se ha producido un error al no encontrar\ndatos de FERRALIND en la "
                                "carpeta seleccionada.\nSeleccione correctamente la carpeta en donde\n"
                                "está instalado FERRALIND e inténtelo de nuevo."));
        QVERIFY(screen.isVisible());
        QVERIFY(!button(&screen, "aceptar")->isEnabled());
        QVERIFY(!button(&screen, "cancelar")->isEnabled());
        QCOMPARE(testkit::count(f.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);
    }

    // The folder typed is imported on a worker while the screen stays up and
    // cannot be closed; every step gets its tick, the farm's own connection sees
    // the result and the screen closes after the closing message.
    void importsTheFolderTypedAndCloses() {
        ScreenFarm<> f;
        TempFolder source;
        FerralindFolder files(source.file(QStringLiteral("C/FERRALIND")));
        files.add(QStringLiteral("parame.dbf"), {{QStringLiteral("TF1"), QStringLiteral("Granja Peña")}});
        for (int i = 0; i < 300; ++i)
            files.add(QStringLiteral("fich_.dbf"), {{QStringLiteral("F_NACI"), QStringLiteral("20230101")},
                                                    {QStringLiteral("F_ENTRA"), QStringLiteral("20230301")},
                                                    {QStringLiteral("CUBRI1"), QStringLiteral("20230501")}});
        files.write();
        ScriptedMessages messages;
        TFImportacionFerralind screen(f.context);
        showActive(screen);
        typeFolder(screen, files.folder());
        click(&screen, "aceptar");
        QVERIFY(screen.running());
        QVERIFY(!button(&screen, "aceptar")->isEnabled());
        QVERIFY(!button(&screen, "cancelar")->isEnabled());
        QTest::keyClick(&screen, Qt::Key_Escape);
        QVERIFY(screen.isVisible());

        QTRY_VERIFY_WITH_TIMEOUT(!messages.asked().isEmpty(), 20000);
        QVERIFY(messages.lastText().startsWith(QStringLiteral("Se ha completado la Importación con éxito\n")));
        QCOMPARE(messages.asked().first().icon, QMessageBox::Information);
        QCOMPARE(screen.result(), int(QDialog::Accepted));
        QVERIFY(!screen.isVisible());
        QCOMPARE(ticked(screen), FerralindImport::stepCaptions());
        QVERIFY(!screen.findChild<CopyAnimation*>()->playing());
        QCOMPARE(testkit::count(f.db(), QStringLiteral("select count(*) cuenta from Hembras")), 300);
        QCOMPARE(testkit::rowTexts(f.db(), QStringLiteral("select NombreExplotacion from DatosExplotacion")),
                 QStringList({QStringLiteral("Granja Peña")}));
    }
};

QTEST_MAIN(ImportScreenTest)
#include "ImportScreenTest.moc"
