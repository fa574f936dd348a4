#include "../reports/SheetTestKit.h"
#include "FarmRows.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "XlsxRead.h"
#include "app/ui/Shell.h"
#include "app/ui/TFConsolaSQL.h"
#include "app/ui/TFGranjaNoEncontrada.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "app/ui/TFSplash.h"
#include "blocks/ui/TFPartosHembras.h"
#include "db/Clock.h"
#include "db/Query.h"
#include "db/Schema.h"
#include "db/Settings.h"
#include "reports/ui/FileChoice.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFrame>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

using testkit::count;

namespace {

const QStringList kMenuPaths = {
    "Archivo/Datos de la Explotación",
    "Archivo/Definir Estructura de la Granja",
    "Archivo/Importación desde Ferralind",
    "Archivo/Hacer Copia de Seguridad",
    "Archivo/Restaurar Copia de Seguridad",
    "Archivo/Reparación de Bases de Datos",
    "Archivo/Exportar Datos...",
    "Archivo/Configuración",
    "Archivo/Acerca de Torvane...",
    "Archivo/Salir",
    "Control por Bloques/Cubriciones",
    "Control por Bloques/Palpaciones",
    "Control por Bloques/Partos",
    "Control por Bloques/Destetes",
    "Control por Bloques/Traslado hembras jaulas",
    "Control por Bloques/Traslado hembras (Nidales)",
    "Control por Bloques/Traslado machos jaulas",
    "Control por Bloques/Entrada inseminaciones",
    "Control por Bloques/Altas de Hembras",
    "Control por Bloques/Marcar Hembras (Por Jaula)",
    "Control por Bloques/Marcar Hembras (Por Código)",
    "Maternidad/Datos Diarios",
    "Maternidad/Gráficos",
    "Maternidad/Resumen",
    "Maternidad/Resultados Técnicos",
    "Guía de Trabajo",
    "Control Individual/Ficha Hembra",
    "Control Individual/Ficha Macho",
    "Control Individual/Pools",
    "Control Individual/Jaulas ocupadas",
    "Cebadero/Movimiento",
    "Cebadero/Gráficos",
    "Cebadero/Resumen",
    "Reposición/Objetivos y Estado Actual",
    "Reposición/Listado de Propuesta de Eliminación (Hembras)",
    "Reposición/Listado de Propuesta de Eliminación (Machos)",
    "Selección/Listado Hembras",
    "Selección/Listado Machos",
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFarm<> {
        TFPantallaPrincipal window{context};
    };

    // Opens the console, types the statement with keys and presses "Aceptar".
    void runInConsole(Fixture& f, const QString& statement) {
        whenModal([statement](QWidget* modal) {
            auto* console = qobject_cast<TFConsolaSQL*>(modal);
            QVERIFY(console);
            QCOMPARE(console->windowTitle(), QStringLiteral("Introduzca SQL"));
            auto* text = console->findChild<QPlainTextEdit*>(QStringLiteral("sql"));
            text->setFocus();
            QTest::keyClicks(text, statement);
            auto* ok = console->findChild<QPushButton*>(QStringLiteral("aceptar"));
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return);
        });
        f.window.about(Qt::ControlModifier);
    }

private slots:
    void menuInOrderWithSeparators() {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Torvane v.1.0"));
        QCOMPARE(f.window.menuPaths(), kMenuPaths);
        const QList<QAction*> archivo = f.window.menuBar()->actions().first()->menu()->actions();
        QStringList shape;
        for (QAction* a : archivo)
            shape << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(shape.join(QLatin1Char('|')),
                 QStringLiteral("Datos de la Explotación|Definir Estructura de la Granja|-|Importación desde "
                                "Ferralind|-|Hacer Copia de Seguridad|Restaurar Copia de Seguridad|Reparación de "
                                "Bases de Datos|Exportar Datos...|-|Configuración|-|Acerca de Torvane...|-|Salir"));
        QStringList titles;
        for (QAction* a : f.window.menuBar()->actions())
            titles << a->text();
        // Each title has its own mnemonic; the paths name them without it.
        QCOMPARE(titles, QStringList({"&Archivo", "&Control por Bloques", "&Maternidad", "&Guía de Trabajo",
                                      "Control &Individual", "C&ebadero", "&Reposición", "&Selección"}));
        QVERIFY(f.window.action(QStringLiteral("Guía de Trabajo"))->menu() == nullptr);
    }

    void theMenuBarOpensFromTheKeyboard() {
        Fixture f;
        showActive(f.window);
        QMenuBar* bar = f.window.menuBar();
        QMenu* archivo = bar->actions().constFirst()->menu();
        // Alt pressed and released alone puts the bar in keyboard mode on its
        // first title; Down opens that menu.
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &f.window;
        QTest::keyPress(focused, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(focused, Qt::Key_Alt, Qt::NoModifier);
        QCOMPARE(bar->activeAction(), bar->actions().constFirst());
        QTest::keyClick(bar, Qt::Key_Down);
        QTRY_VERIFY(archivo->isVisible());
        QTest::keyClick(archivo, Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(!archivo->isVisible());
        // F10 opens the first menu; Alt and a title's letter open that one.
        QTest::keyClick(&f.window, Qt::Key_F10);
        QTRY_VERIFY(archivo->isVisible());
        QTest::keyClick(archivo, Qt::Key_Escape);
        QTRY_VERIFY(!archivo->isVisible());
        QMenu* maternidad = bar->actions().at(2)->menu();
        QTest::keyClick(&f.window, Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(maternidad->isVisible());
        maternidad->close();
    }

    void qtOwnTextsInSpanish() {
        // Whatever the machine's language (the tests run in C.UTF-8).
        QVERIFY(shell::installQtSpanish(*qApp));
        QLineEdit box;
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QStringList texts;
        for (const QAction* a : menu->actions())
            texts << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("Deshacer")) && texts.contains(QStringLiteral("Seleccionar todo")),
                 qPrintable(texts.join(QLatin1Char('|'))));
    }

    // Qt's dialogs opened from a screen keep their own Enter: it saves the file
    // and accepts the prompt, it does not move to the next field of the dialog.
    void qtDialogsOfAScreenKeepTheirEnter() {
        Fixture f;
        TFPartosHembras screen(FarmContext{f.farm.db(), f.clock, f.settings, QStringLiteral("GRANJA")});
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QString typed = f.farm.folder() + QStringLiteral("/partos.pdf");
        whenModal([&typed](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name->setFocus();
            name->selectAll();
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        const std::optional<QString> chosen = filechoice::saveFile(
            &screen, QStringLiteral("Guardar como PDF"), f.farm.folder() + QStringLiteral("/x.pdf"),
            QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral("pdf"));
        QCOMPARE(chosen.value_or(QString()), typed);

        whenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            QVERIFY(dialog);
            auto* line = dialog->findChild<QLineEdit*>();
            line->setFocus();
            QTest::keyClicks(line, QStringLiteral("P-12"));
            QTest::keyClick(line, Qt::Key_Return);
        });
        QCOMPARE(messages::prompt(&screen, QStringLiteral("Pool"), QStringLiteral("Nombre")).value_or(QString()),
                 QStringLiteral("P-12"));
    }

    void itemsWithoutScreensStayDisabled() {
        Fixture f;
        // The items whose screens exist; every other one stays disabled.
        const QStringList built = {"Archivo/Datos de la Explotación", "Archivo/Definir Estructura de la Granja",
                                   "Archivo/Importación desde Ferralind",
                                   "Archivo/Hacer Copia de Seguridad", "Archivo/Restaurar Copia de Seguridad",
                                   "Archivo/Reparación de Bases de Datos", "Archivo/Exportar Datos...", "Archivo/Configuración", "Archivo/Salir", "Archivo/Acerca de Torvane...", "Control por Bloques/Cubriciones",
                                   "Control por Bloques/Palpaciones", "Control por Bloques/Partos",
                                   "Control por Bloques/Destetes",
                                   "Control por Bloques/Entrada inseminaciones",
                                   "Control por Bloques/Traslado hembras jaulas",
                                   "Control por Bloques/Traslado hembras (Nidales)",
                                   "Control por Bloques/Traslado machos jaulas", "Control por Bloques/Altas de Hembras",
                                   "Control por Bloques/Marcar Hembras (Por Jaula)",
                                   "Control por Bloques/Marcar Hembras (Por Código)", "Control Individual/Ficha Hembra",
                                   "Control Individual/Ficha Macho", "Control Individual/Pools", "Maternidad/Datos Diarios",
                                   "Maternidad/Gráficos", "Maternidad/Resumen", "Maternidad/Resultados Técnicos",
                                   "Cebadero/Movimiento",
                                   "Cebadero/Gráficos", "Cebadero/Resumen", "Guía de Trabajo",
                                   "Reposición/Objetivos y Estado Actual",
                                   "Control Individual/Jaulas ocupadas",
                                   "Reposición/Listado de Propuesta de Eliminación (Hembras)",
                                   "Reposición/Listado de Propuesta de Eliminación (Machos)",
                                   "Selección/Listado Hembras", "Selección/Listado Machos"};
        for (const QString& path : kMenuPaths)
            QVERIFY2(f.window.action(path)->isEnabled() == built.contains(path), qPrintable(path));
    }

    void exportarDatosWritesEveryTableToTheChosenWorkbook() {
        Fixture f;
        ScriptedMessages messages;
        ScriptedFileChoice files;
        QTemporaryDir dir;
        files.answer(dir.filePath(QStringLiteral("granja")));
        f.window.action(QStringLiteral("Archivo/Exportar Datos..."))->trigger();
        QCOMPARE(files.asked().size(), 1);
        QCOMPARE(files.asked()[0].filter, QStringLiteral("Libros de Excel (*.xlsx)"));
        QCOMPARE(int(xlsx::read(dir.filePath(QStringLiteral("granja.xlsx"))).size()), int(schema::tableNames().size()));
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked()[0].text, QStringLiteral("El proceso ha finalizado con éxito"));
        // A cancelled choice writes nothing and says nothing.
        f.window.action(QStringLiteral("Archivo/Exportar Datos..."))->trigger();
        QCOMPARE(messages.asked().size(), 1);
    }

    void salirEndsTheProgram() {
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.window.action(QStringLiteral("Archivo/Salir"))->trigger();
        QVERIFY(!f.window.isVisible());
    }

    void aboutWithoutCtrlShowsTheSplashUntilItsTimer() {
        Fixture f;
        f.window.setSplashDuration(50);
        bool seen = false;
        whenModal([&seen](QWidget* modal) {
            auto* splash = qobject_cast<TFSplash*>(modal);
            QVERIFY(splash);
            QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("name"))->text(), QStringLiteral("Torvane v.1.0"));
            QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("product"))->text(), QStringLiteral("Gestión Torvane"));
            QVERIFY(splash->findChild<QLabel*>(QStringLiteral("line"))->text().startsWith(
                QStringLiteral("Programa de Gestión Cunícola")));
            seen = true;
        }, true);
        f.window.about(Qt::NoModifier);
        QVERIFY(seen);
    }

    void consoleRunsStatementsInTheFarmDialect() {
        Fixture f;
        ScriptedMessages messages;
        runInConsole(f, QStringLiteral("insert into HistoricoMaternidad (Fecha, NumeroTotalHembras) values "
                                       "('04/23/2002', 120)"));
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked().last().caption, QStringLiteral("Atención"));
        QCOMPARE(messages.lastText(), QStringLiteral("SQL Ejecutada con éxito"));
        QCOMPARE(messages.asked().last().icon, QMessageBox::Warning);
        QCOMPARE(count(f.farm.db(), QStringLiteral("select count(*) cuenta from HistoricoMaternidad where "
                                                   "Fecha='04/23/2002' and NumeroTotalHembras=120")),
                 1);

        runInConsole(f, QStringLiteral("select extract (year from Fecha) anio from HistoricoMaternidad"));
        QCOMPARE(messages.lastText(), QStringLiteral("SQL Ejecutada con éxito"));
    }

    void consoleReportsEveryFailureTheSameWay_data() {
        QTest::addColumn<QString>("statement");
        QTest::newRow("garbage") << "esto no es SQL";
        QTest::newRow("empty") << "";
        QTest::newRow("no such table") << "delete from Conejos";
        QTest::newRow("duplicate key") << "insert into Enfermedades values (1, 'x', 'y')";
    }

    void consoleReportsEveryFailureTheSameWay() {
        QFETCH(QString, statement);
        Fixture f;
        ScriptedMessages messages;
        runInConsole(f, statement);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked().last().caption, QStringLiteral("Atención"));
        QCOMPARE(messages.lastText(), QStringLiteral("Se produjo un error al ejecutar esa sentencia SQL"));
        QCOMPARE(messages.asked().last().icon, QMessageBox::Critical);
    }

    void consoleCancelledRunsNothing() {
        Fixture f;
        ScriptedMessages messages;
        whenModal([](QWidget* modal) {
            auto* text = modal->findChild<QPlainTextEdit*>(QStringLiteral("sql"));
            text->setFocus();
            QTest::keyClicks(text, QStringLiteral("delete from Enfermedades"));
            QTest::keyClick(text, Qt::Key_Escape);
        });
        f.window.about(Qt::ControlModifier);
        QVERIFY(messages.asked().isEmpty());
        QVERIFY(count(f.farm.db(), QStringLiteral("select count(*) cuenta from Enfermedades")) > 0);
    }

    // A runaway cross join is stopped from its waiting message, by "Cancelar" or
    // Escape; the program answered meanwhile, and the console keeps the text.
    void consoleCancelsARunawayStatement_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancelar") << false;
        QTest::newRow("Escape") << true;
    }

    void consoleCancelsARunawayStatement() {
        QFETCH(bool, byEscape);
        Fixture f;
        f.farm.db().execNative(QStringLiteral("insert into Hembras (CodigoHembra) with recursive n(i) as (select 1 "
                                              "union all select i+1 from n where i<2000) select i from n"));
        ScriptedMessages messages;
        const QString statement = QStringLiteral("select count(*) from Hembras a, Hembras b, Hembras c");
        bool stopped = false;
        qint64 took = 0;
        whenModal([&](QWidget* modal) {
            auto* text = modal->findChild<QPlainTextEdit*>(QStringLiteral("sql"));
            text->setFocus();
            QTest::keyClicks(text, statement);
            QTimer::singleShot(300, modal, [&, modal] {
                auto* waiting = modal->findChild<QFrame*>(QStringLiteral("TMensajeroCancelable"));
                QVERIFY(waiting && waiting->isVisible());
                stopped = true;
                if (byEscape)
                    QTest::keyClick(text, Qt::Key_Escape);
                else
                    QTest::mouseClick(waiting->findChild<QPushButton*>(QStringLiteral("cancelar")), Qt::LeftButton);
            });
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("aceptar")), Qt::LeftButton);
            took = clock.elapsed();
            QVERIFY(modal->isVisible());
            QCOMPARE(text->toPlainText(), statement);
            QVERIFY(!modal->findChild<QFrame*>(QStringLiteral("TMensajeroCancelable")));
        });
        f.window.about(Qt::ControlModifier);
        QVERIFY(stopped);
        QVERIFY2(took < 5000, qPrintable(QString::number(took)));
        QCOMPARE(messages.lastText(), QString::fromUtf8(TFConsolaSQL::kCancelled));
    }

    // "begin" would leave a transaction open and every later change of the run
    // undone at exit: it is rolled back and reported as failed, text kept.
    void consoleRollsBackAStatementThatLeavesATransactionOpen() {
        Fixture f;
        ScriptedMessages messages;
        whenModal([&](QWidget* modal) {
            auto* text = modal->findChild<QPlainTextEdit*>(QStringLiteral("sql"));
            text->setFocus();
            QTest::keyClicks(text, QStringLiteral("begin"));
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("aceptar")), Qt::LeftButton);
            QVERIFY(modal->isVisible());
            QCOMPARE(text->toPlainText(), QStringLiteral("begin"));
        });
        f.window.about(Qt::ControlModifier);
        QCOMPARE(messages.lastText(), QStringLiteral("Se produjo un error al ejecutar esa sentencia SQL"));
        QCOMPARE(sqlite3_get_autocommit(f.farm.db().handle()), 1);
        runInConsole(f, QStringLiteral("insert into Enfermedades values (99, 'x', 'y')"));
        QCOMPARE(messages.lastText(), QStringLiteral("SQL Ejecutada con éxito"));
        f.farm.reopen();
        QCOMPARE(count(f.farm.db(), QStringLiteral("select count(*) cuenta from Enfermedades where "
                                                   "CodigoEnfermedad=99")),
                 1);
    }

    // The start-up question of a farm not found hands back the farmer's choice;
    // a new farm is confirmed first and is not offered without a folder.
    void farmNotFoundAsksWhatToDo() {
        ScriptedMessages messages;
        FarmLookup lookup{FarmLookup::Finding::FolderMissing, QStringLiteral("/no-existe/usb/Datos"),
                          QStringLiteral("/tmp/Alias.conf"), {}};
        QString started;
        const auto chooser = [&](QWidget*, const QString& start) {
            started = start;
            return QStringLiteral("/tmp/Granja");
        };
        struct Case {
            const char* button;
            QMessageBox::StandardButton confirm;
            FarmChoice::Action action;
        };
        for (const Case& c : {Case{"reintentar", QMessageBox::NoButton, FarmChoice::Action::Retry},
                              Case{"elegir", QMessageBox::NoButton, FarmChoice::Action::UseFolder},
                              Case{"crear", QMessageBox::Yes, FarmChoice::Action::CreateNew},
                              Case{"salir", QMessageBox::NoButton, FarmChoice::Action::Quit}}) {
            whenModal([&](QWidget* modal) {
                QVERIFY(modal->findChild<QLabel*>(QStringLiteral("texto"))->text().contains("/no-existe/usb/Datos"));
                auto* b = modal->findChild<QPushButton*>(QString::fromLatin1(c.button));
                if (c.confirm != QMessageBox::NoButton) {
                    messages.answer(QMessageBox::No); // not yet: the question stays
                    QTest::mouseClick(b, Qt::LeftButton);
                    QVERIFY(modal->isVisible());
                    messages.answer(c.confirm);
                }
                QTest::mouseClick(b, Qt::LeftButton);
            });
            const FarmChoice choice = TFGranjaNoEncontrada::ask(lookup, chooser);
            QCOMPARE(int(choice.action), int(c.action));
            if (c.action == FarmChoice::Action::UseFolder)
                QCOMPARE(choice.folder, QStringLiteral("/tmp/Granja"));
        }
        QCOMPARE(started, QStringLiteral("/")); // the nearest folder still there
        QCOMPARE(messages.asked().size(), 2);
        QVERIFY(messages.asked().last().text.contains(QStringLiteral("/no-existe/usb/Datos/Quendal.db")));

        lookup = FarmLookup{FarmLookup::Finding::AliasUnreadable, {}, QStringLiteral("/tmp/Alias.conf"), "x"};
        TFGranjaNoEncontrada unreadable(lookup, chooser);
        QVERIFY(!unreadable.findChild<QPushButton*>(QStringLiteral("crear")));
        QVERIFY(unreadable.findChild<QLabel*>(QStringLiteral("texto"))->text().contains("/tmp/Alias.conf"));
    }

    void startupReadsTheSettings() {
        ScreenFarm<> f;
        {
            TFPantallaPrincipal window(f.context);
            QVERIFY(window.startupPlan().upgradeDatabase);
            QVERIFY(!window.startupPlan().offerUpdate);
        }
        f.settings.setVersionActual(QStringLiteral("cualquier cosa"));
        f.settings.setActualizacionAutomatica(true);
        TFPantallaPrincipal window(f.context);
        QVERIFY(!window.startupPlan().upgradeDatabase);
        QVERIFY(window.startupPlan().offerUpdate);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
