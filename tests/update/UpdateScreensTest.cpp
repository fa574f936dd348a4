#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "UpdateServer.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "db/Settings.h"
#include "update/ReleaseSignature.h"
#include "update/ui/TFActualizacionesAutomaticas.h"
#include "update/ui/TFConfiguracion.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

namespace {

const QByteArray kOld = "old program";
const QByteArray kNew = QByteArray("new program ") + QByteArray(300000, 'n');

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings file as stored: the keys and their texts.
QString stored(const QString& file) {
    QSettings raw(file, QSettings::IniFormat);
    QStringList pairs;
    for (const QString& key : raw.allKeys())
        pairs << key + QLatin1Char('=') + raw.value(key).toString();
    pairs.sort();
    return pairs.join(QLatin1Char(' '));
}

// A published release of kNew, signed with key, announced as `version`.
void publish(UpdateServer& server, const releaseSignature::KeyPair& key, const QString& version,
             UpdateServer::File download = {}, int pageDelayMs = 0) {
    const QString page =
        version + QStringLiteral("091226") + QStringLiteral("%1").arg(kNew.size(), 10, 10, QLatin1Char('0'));
    server.publish(QStringLiteral("TORVANEUA.HTM"), {.body = page.toLatin1(), .delayMs = pageDelayMs});
    download.body = kNew;
    server.publish(QStringLiteral("TORVANEDUA.EXE"), download);
    server.publish(QStringLiteral("TORVANEDUA.EXE.sig"), {.body = releaseSignature::sign(kNew, key.secretKey)});
}

// The update dialog on a throw-away program folder, with a test key.
struct UpdateRun {
    TempFolder dir;
    QString program = dir.file(QStringLiteral("torvane"));
    releaseSignature::KeyPair key = releaseSignature::generate();
    UpdateServer server;
    QStringList started;
    bool ended = false;
    TFActualizacionesAutomaticas dialog;

    explicit UpdateRun(UpdateServer::File download = {})
        : dialog({.server = server.root(),
                  .currentVersion = QStringLiteral("010000"),
                  .files = UpdateFiles::beside(program, QStringLiteral("TORVANE.EXE")),
                  .publicKey = key.publicKey,
                  .start =
                      [this](const QString& p) {
                          started << p;
                          return true;
                      },
                  .idleTimeoutMs = 5000},
                 QStringLiteral("Torvane (Gestión Torvane)")) {
        QFile f(program);
        f.open(QIODevice::WriteOnly);
        f.write(kOld);
        f.close();
        publish(server, key, QStringLiteral("010100"), download);
        dialog.setEndProgram([this] { ended = true; });
    }
    QString status() const { return dialog.findChild<QLabel*>(QStringLiteral("estado"))->text(); }
};

} // namespace

class UpdateScreensTest : public QObject {
    Q_OBJECT

    struct Settings_ {
        TempFolder dir;
        QString file = dir.file(QStringLiteral("Quendal.conf"));
        Settings settings{file};
    };

private slots:
    void settingsWithoutTheKeyShowDefaultsAndAceptarWritesAll() {
        Settings_ s;
        TFConfiguracion dialog(s.settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Confgiuración de Torvane"));
        auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("paginas"));
        QCOMPARE(pages->tabText(0), QStringLiteral("Copia de Seguridad"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Actualizaciones"));
        auto* unidad = dialog.findChild<QComboBox*>(QStringLiteral("unidad"));
        QCOMPARE(unidad->count(), 25);
        QVERIFY(!unidad->isEditable());
        QCOMPARE(unidad->currentText(), QStringLiteral("A:"));
        QCOMPARE(unidad->itemText(1), QStringLiteral("C:"));
        QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("periodo0"))->isChecked());
        QCOMPARE(dialog.findChild<QRadioButton*>(QStringLiteral("periodo10"))->text(),
                 QStringLiteral("Último día de semana al terminar"));
        QVERIFY(!dialog.findChild<QCheckBox*>(QStringLiteral("buscar"))->isChecked());
        QCOMPARE(stored(s.file), QString());
        showActive(dialog);
        click(&dialog, "aceptar");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(stored(s.file), QStringLiteral("ActualizacionAutomatica=false PeriodicidadAviso=0 UnidadCopia=0"));
    }

    void chosenValuesAreStoredAndShownAgain() {
        Settings_ s;
        struct Case {
            Qt::Key key; // on the drive list
            int period;
            bool search;
            const char* expected;
        };
        const Case cases[] = {
            {Qt::Key_Down, 7, true, "ActualizacionAutomatica=true PeriodicidadAviso=7 UnidadCopia=1"},
            {Qt::Key_End, 10, false, "ActualizacionAutomatica=false PeriodicidadAviso=10 UnidadCopia=24"},
        };
        for (const Case& c : cases) {
            {
                TFConfiguracion dialog(s.settings);
                showActive(dialog);
                auto* unidad = dialog.findChild<QComboBox*>(QStringLiteral("unidad"));
                unidad->setCurrentIndex(0);
                unidad->setFocus();
                QTest::keyClick(unidad, c.key);
                QTest::mouseClick(dialog.findChild<QRadioButton*>(QStringLiteral("periodo%1").arg(c.period)),
                                  Qt::LeftButton);
                dialog.findChild<QCheckBox*>(QStringLiteral("buscar"))->setChecked(c.search);
                click(&dialog, "aceptar");
            }
            QCOMPARE(stored(s.file), QString::fromLatin1(c.expected));
            TFConfiguracion again(s.settings);
            QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("unidad"))->currentText(),
                     c.key == Qt::Key_Down ? QStringLiteral("C:") : QStringLiteral("Z:"));
            QVERIFY(again.findChild<QRadioButton*>(QStringLiteral("periodo%1").arg(c.period))->isChecked());
            QCOMPARE(again.findChild<QCheckBox*>(QStringLiteral("buscar"))->isChecked(), c.search);
        }
        // A stored position outside its list shows the first entry.
        s.settings.setUnidadCopia(25);
        s.settings.setPeriodicidadAviso(-1);
        TFConfiguracion odd(s.settings);
        QCOMPARE(odd.findChild<QComboBox*>(QStringLiteral("unidad"))->currentText(), QStringLiteral("A:"));
        QVERIFY(odd.findChild<QRadioButton*>(QStringLiteral("periodo0"))->isChecked());
    }

    void cancelEscapeAndCloseWriteNothing() {
        Settings_ s;
        for (int way = 0; way < 3; ++way) {
            TFConfiguracion dialog(s.settings);
            showActive(dialog);
            dialog.findChild<QComboBox*>(QStringLiteral("unidad"))->setCurrentIndex(5);
            dialog.findChild<QCheckBox*>(QStringLiteral("buscar"))->setChecked(true);
            auto* radio = dialog.findChild<QRadioButton*>(QStringLiteral("periodo3"));
            QTest::mouseClick(radio, Qt::LeftButton);
            if (way == 0)
                click(&dialog, "cancelar");
            else if (way == 1)
                QTest::keyClick(radio, Qt::Key_Escape);
            else
                dialog.close();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(stored(s.file), QString());
        }
    }

    void downAndUpMoveTheFocusNotTheChoice() {
        Settings_ s;
        TFConfiguracion dialog(s.settings);
        showActive(dialog);
        auto* first = dialog.findChild<QRadioButton*>(QStringLiteral("periodo0"));
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Down);
        QVERIFY(QApplication::focusWidget() != first);
        QVERIFY(first->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), first);
        auto* unidad = dialog.findChild<QComboBox*>(QStringLiteral("unidad"));
        unidad->setFocus();
        QTest::keyClick(unidad, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), first); // Enter moves on
    }

    void actualizarAhoraOpensTheUpdateAndWritesNothing() {
        Settings_ s;
        UpdateServer server;
        publish(server, releaseSignature::generate(), QStringLiteral("010000"), {}, 600); // nothing new
        s.settings.setServidorActualizaciones(server.root());
        const QString before = stored(s.file);
        ScriptedMessages messages;
        TFConfiguracion dialog(s.settings);
        showActive(dialog);
        dialog.findChild<QTabWidget*>(QStringLiteral("paginas"))->setCurrentIndex(1);
        bool seen = false;
        whenModal(
            [&](QWidget* modal) {
                auto* update = qobject_cast<TFActualizacionesAutomaticas*>(modal);
                QVERIFY(update);
                seen = true;
                QCOMPARE(update->windowTitle(), QStringLiteral("Actualizaciones Automáticas"));
                QCOMPARE(update->updater().options().currentVersion, QStringLiteral("010000"));
                QCOMPARE(update->updater().options().files.base, QStringLiteral("TORVANE"));
                QCOMPARE(update->product(), QStringLiteral("Torvane (Gestión Torvane)"));
                QTRY_VERIFY_WITH_TIMEOUT(!update->isVisible(), 10000); // the same version: it closes alone
            },
            true);
        click(&dialog, "actualizarAhora");
        QVERIFY(seen);
        QVERIFY(dialog.isVisible());
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(stored(s.file), before);
        QCOMPARE(server.requested(), QStringList{QStringLiteral("TORVANEUA.HTM")});
    }

    void yesInstallsTheSignedProgramAndEndsThisOne() {
        ScriptedMessages messages;
        UpdateRun run;
        run.dialog.exec();
        QCOMPARE(messages.asked().size(), 1);
        const MessageRequest question = messages.asked().first();
        QCOMPARE(question.caption, QStringLiteral("¡Atención!"));
        QCOMPARE(question.text,
                 QStringLiteral("Hay disponible una nueva versión de Torvane (Gestión Torvane). ¿Desea instalarla?"));
        QCOMPARE(question.icon, QMessageBox::Question);
        QVERIFY(run.dialog.installed() && run.ended);
        QCOMPARE(run.started, QStringList{run.program});
        QCOMPARE(contents(run.program), kNew);
        QCOMPARE(QDir(run.dir.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({QStringLiteral("TORVANE.OLD"), QStringLiteral("torvane")}));
        QVERIFY2(run.status().startsWith(QStringLiteral("300.012 de 300.012 a ")), qPrintable(run.status()));
        QVERIFY(run.status().endsWith(QStringLiteral("Bytes/seg.")));
    }

    void cancelarAbortsTheDownload() {
        ScriptedMessages messages;
        UpdateRun run({.body = {}, .sendOnly = 100000, .stall = true});
        whenModal([&](QWidget* modal) {
            QTRY_VERIFY_WITH_TIMEOUT(run.status().startsWith(QStringLiteral("100.000 de 300.012 a ")), 4000);
            click(modal, "cancelar");
            QVERIFY(!modal->isVisible());
        });
        run.dialog.exec();
        QCOMPARE(run.dialog.result(), int(QDialog::Rejected));
        QVERIFY(!run.dialog.installed() && !run.ended && run.started.isEmpty());
        QCOMPARE(contents(run.program), kOld);
        QVERIFY2(messages.asked().size() == 1, qPrintable(messages.lastText())); // the question only
    }

    void aBrokenDownloadIsSaidAndWaitsForCancelar() {
        ScriptedMessages messages;
        UpdateRun run({.body = {}, .sendOnly = 100000});
        whenModal([&](QWidget* modal) {
            QTRY_VERIFY_WITH_TIMEOUT(messages.asked().size() == 2, 10000);
            QCOMPARE(messages.asked().last().icon, QMessageBox::Critical);
            QVERIFY(messages.asked().last().text.startsWith(QStringLiteral("Error al descargar la nueva versión")));
            QTest::qWait(50);
            QVERIFY(modal->isVisible());
            click(modal, "cancelar");
        });
        run.dialog.exec();
        QVERIFY(!run.dialog.installed() && run.started.isEmpty());
        QCOMPARE(contents(run.program), kOld);
    }

    void startupOffersTheUpdateOnlyWhenAsked() {
        for (const bool asked : {false, true}) {
            ScreenFarm<> f;
            UpdateServer server;
            publish(server, releaseSignature::generate(), QStringLiteral("010100"));
            f.settings.setVersionActual(QStringLiteral("010100"));
            f.settings.setServidorActualizaciones(server.root());
            f.settings.setActualizacionAutomatica(asked);
            ScriptedMessages messages;
            messages.answer(QMessageBox::No);
            TFPantallaPrincipal window(f.context);
            QCOMPARE(server.requested().size(), asked ? 1 : 0);
            QCOMPARE(messages.asked().size(), asked ? 1 : 0);
            if (asked)
                QVERIFY(messages.lastText().startsWith(QStringLiteral("Hay disponible una nueva versión de Torvane")));
        }
    }
};

QTEST_MAIN(UpdateScreensTest)
#include "UpdateScreensTest.moc"
