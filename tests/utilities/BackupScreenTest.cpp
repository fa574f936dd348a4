// The backup and restore screens, driven as the farmer does: fake drives for
// the disks, the prompts and messages answered from a script.

#include "ArchiveTestKit.h"
#include "FakeDrive.h"
#include "FarmRows.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "db/SafetyCopy.h"
#include "utilities/backup/BackupInfo.h"
#include "utilities/ui/TFConfirmaSobreescribir.h"
#include "utilities/ui/TFCopiaSeguridad.h"
#include "utilities/ui/TFProgresoCopia.h"

#include <QAbstractButton>
#include <QLabel>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

struct Fixture {
    ScreenFarm<> f;
    TempFolder disks;
    FakeDrive drive;
    ScriptedMessages messages;

    Fixture() {
        f.db().exec(QStringLiteral("CREATE TABLE Prueba (n INTEGER, t TEXT)"));
        f.db().exec(QStringLiteral("WITH RECURSIVE c(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM c WHERE n < 1999) "
                                   "INSERT INTO Prueba SELECT n, 'fila ' || n FROM c"));
        QDir().mkpath(dataFolder() + QStringLiteral("/Fotos"));
        kit::writeFile(dataFolder() + QStringLiteral("/Fotos/foto.jpg"), kit::randomBytes(5, 60000));
    }
    QString dataFolder() const { return f.farm.folder() + QStringLiteral("/Datos"); }
    QString disk(int n, qint64 capacity = 5 * 8192 + 8192) {
        const QString path = disks.file(QStringLiteral("disco%1").arg(n));
        QDir().mkpath(path);
        drive.insert(path, capacity);
        return path;
    }
    QString rows() { return testkit::rowTexts(f.db(), QStringLiteral("SELECT count(*) FROM Prueba")).value(0); }
    template <class Screen> void open(Screen& screen, const QString& path) {
        screen.setDrive(drive);
        screen.setDrivePath(path);
        showActive(screen);
    }
    QStringList texts() const {
        QStringList out;
        for (const MessageRequest& r : messages.asked())
            out << r.text;
        return out;
    }
};

// Answers each overwrite dialog as it comes up, one click each, in order. The
// restore serves the event loop while it works, so the dialogs are watched
// for rather than waited on.
class OverwriteClicks : public QObject {
public:
    explicit OverwriteClicks(QStringList clicks) : m_clicks(std::move(clicks)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<TFConfirmaSobreescribir*>(QApplication::activeModalWidget());
            if (!dialog || dialog->property("respondida").toBool() || m_clicks.isEmpty())
                return;
            dialog->setProperty("respondida", true);
            seen << dialog->windowTitle() + QLatin1Char('|') +
                        dialog->findChild<QLabel*>(QStringLiteral("archivado"))->text();
            click(dialog, m_clicks.takeFirst().toLatin1().constData());
        });
        m_timer.start(20);
    }
    QStringList seen;

private:
    QStringList m_clicks;
    QTimer m_timer;
};

} // namespace

class BackupScreenTest : public QObject {
    Q_OBJECT
private slots:
    void backupOverDisksWhileOpenThenRestoreIntoTheRunningFarm() {
        Fixture x;
        const QString d1 = x.disk(1), d2 = x.disk(2), d3 = x.disk(3);
        for (const QString& d : {d2, d3})
            x.messages.answerPrompt(d);
        {
            TFCopiaSeguridad screen(x.f.context);
            x.open(screen, d1);
            QCOMPARE(screen.windowTitle(), QStringLiteral("Hacer Copia de Seguridad"));
            click(&screen, "aceptar");
            QVERIFY(!screen.isVisible());
        }
        QCOMPARE(x.messages.lastText(), QStringLiteral("La realización de Copia de Seguridad ha finalizado"));
        QCOMPARE(x.messages.asked().last().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(x.messages.asked().last().icon, QMessageBox::Warning);
        QVERIFY(!x.messages.prompted().isEmpty());
        QCOMPARE(x.messages.prompted().first().caption, QStringLiteral("Mensaje de Sistema"));
        QCOMPARE(x.messages.prompted().first().label,
                 QStringLiteral("Por favor inserte el disco nº 2 en la unidad %1:").arg(driveName(d1)));
        const int disks = x.messages.prompted().size() + 1;
        QVERIFY(disks >= 2 && disks <= 3);
        // What went on the disks reads as one archive in the format's own terms.
        QByteArray joined;
        for (const QString& d : QStringList{d1, d2, d3}.mid(0, disks))
            joined += kit::readFile(d + QStringLiteral("/ZR"));
        QCOMPARE(kit::parse(joined).entries, 2u);

        x.f.db().exec(QStringLiteral("DELETE FROM Prueba"));
        x.messages.forget();
        // Disk 2 offered first is refused; then disk 1, then the rest in order.
        x.messages.answerPrompt(d1);
        for (const QString& d : QStringList{d2, d3}.mid(0, disks - 1))
            x.messages.answerPrompt(d);
        OverwriteClicks answers({QStringLiteral("siATodo")});
        {
            TFRestaurarCopia screen(x.f.context);
            x.open(screen, d2);
            click(&screen, "aceptar");
            QVERIFY(!screen.isVisible());
        }
        QCOMPARE(answers.seen, QStringList{QStringLiteral("Confirma sobreescribir archivo|Quendal.db")});
        QCOMPARE(x.texts().first(), QStringLiteral("El disco no es el primero del respaldo."));
        const QString done = x.messages.lastText();
        QVERIFY2(done.startsWith(QStringLiteral("La restauración de Copia de Seguridad ha finalizado\n\n")),
                 qPrintable(done));
        QVERIFY(done.contains(QDir::toNativeSeparators(SafetyCopy::folderFor(x.f.db().filePath()))));
        // The main window's own connection reads the restored farm.
        QCOMPARE(x.rows(), QStringLiteral("2000"));
    }

    void cancelInTheDiskPromptAbortsAndTheScreenStaysOpen() {
        Fixture x;
        // A folder that is no removable drive is offered in the prompt first.
        const QString folder = x.disks.file(QStringLiteral("carpeta"));
        QDir().mkpath(folder);
        TFCopiaSeguridad screen(x.f.context);
        x.open(screen, folder);
        click(&screen, "aceptar");
        QCOMPARE(x.messages.prompted().size(), 1);
        QCOMPARE(x.messages.prompted().first().text, QDir::toNativeSeparators(folder));
        QCOMPARE(x.texts(), QStringList{QStringLiteral("¡ Abortado !")});
        QVERIFY(screen.isVisible());
        QVERIFY(button(&screen, "aceptar")->isEnabled());
        QVERIFY(QDir(folder).isEmpty());
    }

    void noKeepsAFileAndCancelStopsWithoutAWord() {
        Fixture x;
        const QString d1 = x.disk(1, 10'000'000);
        {
            TFCopiaSeguridad screen(x.f.context);
            x.open(screen, d1);
            click(&screen, "aceptar");
        }
        x.f.db().exec(QStringLiteral("DELETE FROM Prueba"));
        kit::writeFile(x.dataFolder() + QStringLiteral("/Fotos/foto.jpg"), "mi foto");
        x.messages.forget();
        OverwriteClicks answers({QStringLiteral("no"), QStringLiteral("cancelar")});
        TFRestaurarCopia screen(x.f.context);
        x.open(screen, d1);
        click(&screen, "aceptar");
        QCOMPARE(answers.seen.size(), 2);
        QVERIFY(x.messages.asked().isEmpty());
        QVERIFY(screen.isVisible());
        QCOMPARE(x.rows(), QStringLiteral("0"));
        QCOMPARE(kit::readFile(x.dataFolder() + QStringLiteral("/Fotos/foto.jpg")), QByteArray("mi foto"));
    }
};

QTEST_MAIN(BackupScreenTest)
#include "BackupScreenTest.moc"
