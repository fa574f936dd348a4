#include "../reports/SheetTestKit.h"
#include "HerdFarm.h"
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "db/Clock.h"
#include "db/Settings.h"
#include "db/TableCursor.h"
#include "herd/FemaleRegister.h"
#include "herd/ui/HistoryList.h"
#include "herd/ui/TFMantenimientoHembras.h"
#include "herd/ui/TFMantenimientoMachos.h"
#include "herd/ui/TMensajero.h"
#include "herd/ui/TMnto.h"
#include "reports/ui/SheetRenderer.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace herdfarm;

namespace {

const QDate kToday(2002, 6, 1);

struct Fixture : ScreenFarm<> {
    Fixture() : ScreenFarm(kToday, kTag) {}
};

template <typename Screen> std::unique_ptr<Screen> shown(Fixture& f) {
    auto screen = std::make_unique<Screen>(f.context);
    showActive(*screen);
    return screen;
}

template <typename Screen> void openByNumber(Screen& screen, qint64 code) {
    QWidget* key = screen.input(screen.cursor().columns().front().name);
    typeOver(key, QString::number(code));
    QTest::keyClick(key, Qt::Key_Return);
    QCOMPARE(screen.cursor().state(), TableCursor::State::Edit);
}

// Types one cycle into the cycle dialog with keys, starting in "Fecha Cubrición".
void typeCycle(QWidget* modal, const QString& date, const QString& male, int palpationSpaces, const QString& weaned) {
    auto* fecha = modal->findChild<DateEdit*>(QStringLiteral("FechaCubricion"));
    QTRY_COMPARE(QApplication::focusWidget(), fecha);
    QTest::keyClicks(fecha, date);
    QTest::keyClick(fecha, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), male);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    auto* palpacion = modal->findChild<QCheckBox*>(QStringLiteral("Palpacion"));
    QCOMPARE(QApplication::focusWidget(), palpacion);
    for (int i = 0; i < palpationSpaces; ++i)
        QTest::keyClick(palpacion, Qt::Key_Space);
    QTest::keyClick(palpacion, Qt::Key_Return);
    if (!weaned.isEmpty())
        typeOver(modal->findChild<QWidget*>(QStringLiteral("Destetados")), weaned);
    QTest::mouseClick(button(modal, "aceptar"), Qt::LeftButton);
}

QStringList column(HistoryList* list, int c) {
    QStringList out;
    for (int row = 0; row < list->rowCount(); ++row)
        out << list->lineCells(row).value(c);
    return out;
}

} // namespace

class RegisterScreensTest : public QObject {
    Q_OBJECT

private slots:
    void femaleCardOpensOnTheFirstFemaleWithItsCaptionsAndHistory() {
        Fixture f;
        f.db().exec("update DatosExplotacion set Marca2='Vacunada'");
        addFemale(f.db(), {4, 14});
        addFemale(f.db(), {2, 12});
        f.db().exec("update Hembras set Eficacia=36.5, Enfermedad=3 where CodigoHembra=2");
        // Weanings of 8, 0 and 7 kits, the last cycle not weaned yet.
        addCycle(f.db(), {2, QDate(2002, 1, 1), 7, true, QDate(2002, 2, 1), 9, 0, 8, true});
        addCycle(f.db(), {2, QDate(2002, 2, 20), 7, false, {}, 0, 0, 0, true});
        addCycle(f.db(), {2, QDate(2002, 3, 20), 7, true, QDate(2002, 4, 20), 8, 1, 7, false});
        auto card = shown<TFMantenimientoHembras>(f);
        QCOMPARE(card->windowTitle(), QStringLiteral("Ficha de Hembra"));
        QCOMPARE(qobject_cast<NumberEdit*>(card->input("CodigoHembra"))->value(), 2.0);
        QCOMPARE(qobject_cast<QCheckBox*>(card->input("Marca2"))->text(), QStringLiteral("Vacunada"));
        auto* disease = qobject_cast<QComboBox*>(card->input("Enfermedad"));
        QCOMPARE(disease->count(), 13);
        QCOMPARE(disease->currentText(), QStringLiteral("Coccidiosis"));
        QCOMPARE(card->indexLabel()->text(), QStringLiteral("36,5"));
        QVERIFY(card->indexLabel()->font().bold());

        HistoryList* list = card->history();
        QCOMPARE(list->columnCount(), 11);
        QCOMPARE(list->horizontalHeaderItem(10)->text(), QStringLiteral("Acum."));
        QCOMPARE(column(list, 10), QStringList({"8", "8", "15"}));
        QCOMPARE(column(list, 3), QStringList({"+", "-", "+"}));
        QVERIFY(!list->isRed(0) && !list->isRed(1) && list->isRed(2));
        QVERIFY(!list->isEnabled()); // greyed while nothing is pending
        QCOMPARE(list->palette().color(QPalette::Disabled, QPalette::Highlight), QColor(0, 0, 128));

        // Navigation in number order, only while nothing is pending.
        QVERIFY(!button(card.get(), "anterior")->isEnabled());
        QTest::mouseClick(button(card.get(), "siguiente"), Qt::LeftButton);
        QCOMPARE(qobject_cast<NumberEdit*>(card->input("CodigoHembra"))->value(), 4.0);
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(!button(card.get(), "ultimo")->isEnabled());
        QTest::mouseClick(button(card.get(), "primero"), Qt::LeftButton);
        QCOMPARE(list->rowCount(), 3);
        openByNumber(*card, 2);
        QVERIFY(list->isEnabled());
        for (const char* name : {"primero", "siguiente", "imprimir", "libre"})
            QVERIFY2(!button(card.get(), name)->isEnabled(), name);

        // Without a parameter row the marks read "Marca 1" to "Marca 4".
        f.db().exec("delete from DatosExplotacion");
        auto bare = std::make_unique<TFMantenimientoHembras>(f.context);
        QCOMPARE(qobject_cast<QCheckBox*>(bare->input("Marca4"))->text(), QStringLiteral("Marca 4"));
    }

    void enterWalksTheCardInItsFieldOrder() {
        Fixture f;
        addFemale(f.db(), {5, 33});
        auto card = shown<TFMantenimientoHembras>(f);
        openByNumber(*card, 5);
        QStringList walked;
        for (int i = 0; i < 14; ++i) {
            // With no cull date the cause is passed over (after the pending events).
            QCoreApplication::processEvents();
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            walked << w->objectName();
            QTest::keyClick(w, Qt::Key_Return);
        }
        QCOMPARE(walked, QStringList({"Jaula", "Seleccion", "Raza", "FechaNacimiento", "FechaEntrada", "NumeroPadre",
                                      "NumeroMadre", "FechaBaja", "Marca1", "Marca2", "Marca3", "Marca4", "Enfermedad",
                                      "historial"}));
        // Enter passed the check boxes without ticking them.
        QVERIFY(!qobject_cast<QCheckBox*>(card->input("Marca1"))->isChecked());
    }

    void cullingAFemaleByKeysAndClicks() {
        struct Case {
            const char* name;
            int causaBefore;
            bool chooseDeath;
            int causaSaved;
            Day on10;
        };
        const Day untouched{true, 100, 0, 0, 0};
        const Case cases[] = {
            {"death of an active female", -1, true, 1, {true, 99, 0, 1, 0}},
            {"cull date left without a cause", -1, false, 0, {true, 99, 0, 0, 1}},
            {"Eliminación changed to Muerte", 0, true, 1, untouched},
        };
        for (const Case& c : cases) {
            Fixture f;
            threeDays(f.db());
            addFemale(f.db(), {5, c.causaBefore == -1 ? 33 : 0, QDate(2001, 1, 1), QDate(2001, 3, 1), c.causaBefore,
                               c.causaBefore == -1 ? QDate() : QDate(2002, 3, 10)});
            ScriptedMessages messages;
            auto card = shown<TFMantenimientoHembras>(f);
            openByNumber(*card, 5);
            auto* baja = qobject_cast<DateEdit*>(card->input("FechaBaja"));
            typeOver(baja, "10032002");
            QTest::keyClick(baja, Qt::Key_Return);
            auto* eliminacion = card->findChild<QRadioButton*>("causaEliminacion");
            auto* muerte = card->findChild<QRadioButton*>("causaMuerte");
            QTRY_VERIFY(eliminacion->hasFocus() || muerte->hasFocus());
            if (c.causaBefore == -1)
                QVERIFY2(eliminacion->isChecked(), c.name); // a date without a cause is "Eliminación"
            if (c.chooseDeath)
                QTest::mouseClick(muerte, Qt::LeftButton);
            QTest::mouseClick(button(card.get(), "aceptar"), Qt::LeftButton);
            QVERIFY2(messages.asked().isEmpty(), qPrintable(messages.lastText()));
            QCOMPARE(card->cursor().state(), TableCursor::State::Browse);
            QCOMPARE(value(f.db(), "Hembras", "CausaBaja", "CodigoHembra=5").asInteger(), c.causaSaved);
            QCOMPARE(value(f.db(), "Hembras", "Jaula", "CodigoHembra=5").asInteger(), 0);
            QVERIFY2(day(f.db(), QDate(2002, 3, 10)) == c.on10, c.name);
            QVERIFY(day(f.db(), QDate(2002, 3, 1)) == untouched);
            // One female fewer on every later day.
            QCOMPARE(day(f.db(), QDate(2002, 3, 20)).hembras, c.causaBefore == -1 ? 97 : 98);
        }
    }

    void aCullDateBeforeTheEntryIsRefusedWithTheFocusOnIt() {
        Fixture f;
        threeDays(f.db());
        addFemale(f.db(), {5, 33, QDate(2001, 1, 1), QDate(2002, 3, 10)});
        const QStringList before = ledger(f.db());
        ScriptedMessages messages;
        auto card = shown<TFMantenimientoHembras>(f);
        openByNumber(*card, 5);
        auto* baja = qobject_cast<DateEdit*>(card->input("FechaBaja"));
        typeOver(baja, "01032002");
        QTest::keyClick(baja, Qt::Key_Return);
        QTest::mouseClick(button(card.get(), "aceptar"), Qt::LeftButton);
        QCOMPARE(messages.lastText(), QString::fromUtf8(FemaleRegister::kCullBeforeEntry));
        QTRY_COMPARE(QApplication::focusWidget(), baja);
        QCOMPARE(card->cursor().state(), TableCursor::State::Edit);
        QCOMPARE(ledger(f.db()), before);
        QCOMPARE(value(f.db(), "Hembras", "CausaBaja", "CodigoHembra=5").asInteger(), -1);
    }

    void clearingTheCullDateMakesHerActiveAndPassesOverTheCause() {
        Fixture f;
        threeDays(f.db());
        addFemale(f.db(), {5, 0, QDate(2001, 1, 1), QDate(2001, 3, 1), 0, QDate(2002, 3, 10)});
        const QStringList before = ledger(f.db());
        auto card = shown<TFMantenimientoHembras>(f);
        openByNumber(*card, 5);
        auto* baja = qobject_cast<DateEdit*>(card->input("FechaBaja"));
        QVERIFY(card->findChild<QRadioButton*>("causaEliminacion")->isChecked());
        baja->setFocus();
        baja->selectAll();
        QTest::keyClick(baja, Qt::Key_Backspace);
        QTest::keyClick(baja, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), card->input("Marca1"));
        QVERIFY(!card->findChild<QRadioButton*>("causaEliminacion")->isChecked());
        // A click on a cause while there is no date chooses nothing.
        QTest::mouseClick(card->findChild<QRadioButton*>("causaMuerte"), Qt::LeftButton);
        QVERIFY(!card->findChild<QRadioButton*>("causaMuerte")->isChecked());
        QTest::mouseClick(button(card.get(), "aceptar"), Qt::LeftButton);
        QCOMPARE(value(f.db(), "Hembras", "CausaBaja", "CodigoHembra=5").asInteger(), -1);
        QVERIFY(value(f.db(), "Hembras", "FechaBaja", "CodigoHembra=5").isNull());
        QCOMPARE(value(f.db(), "Hembras", "Jaula", "CodigoHembra=5").asInteger(), 0);
        QCOMPARE(ledger(f.db()), before);
    }

    void cageCheckAsksAboutAnOldFemaleAndFindsAFreeCage() {
        struct Case {
            const char* name;
            QDate otherBirth;
            QMessageBox::StandardButton answer;
            bool asked;
            qint64 saved;
        };
        const QDate old(2001, 1, 1), young(2002, 4, 1);
        const Case cases[] = {
            {"Yes finds the first free cage upward", old, QMessageBox::Yes, true, 52},
            {"No keeps the cage as typed", old, QMessageBox::No, true, 50},
            {"two young females share without a question", young, QMessageBox::Yes, false, 50},
        };
        for (const Case& c : cases) {
            Fixture f;
            addFemale(f.db(), {1, 50, c.otherBirth});
            addFemale(f.db(), {2, 51, old});
            addFemale(f.db(), {3, 20, young});
            ScriptedMessages messages;
            messages.answer(c.answer);
            auto card = shown<TFMantenimientoHembras>(f);
            openByNumber(*card, 3);
            auto* jaula = qobject_cast<NumberEdit*>(card->input("Jaula"));
            QTRY_COMPARE(QApplication::focusWidget(), jaula);
            typeOver(jaula, "50");
            QTest::keyClick(jaula, Qt::Key_Return);
            if (c.asked) {
                QTRY_COMPARE(messages.asked().size(), 1);
                const MessageRequest& q = messages.asked().first();
                QCOMPARE(q.caption, QStringLiteral("¡Atención!"));
                QCOMPARE(q.text, QString::fromUtf8(FemaleRegister::kCageQuestion));
                QCOMPARE(q.icon, QMessageBox::Critical);
                QCOMPARE(q.defaultButton, QMessageBox::No);
                QTRY_COMPARE(QApplication::focusWidget(), jaula); // back in "Número Jaula"
            } else {
                QTest::qWait(20);
                QVERIFY2(messages.asked().isEmpty(), c.name);
            }
            QCOMPARE(jaula->value(), double(c.saved));
            if (c.answer == QMessageBox::Yes && c.asked) {
                auto* text = TMensajero::window()->findChild<QLabel*>(QStringLiteral("texto"));
                QCOMPARE(text->text(), QStringLiteral("Buscando una Jaula libre... Por favor, espere."));
                QVERIFY(!TMensajero::window()->isVisible());
            }
            // Leaving again after a No does not ask again about the same cage.
            QTest::keyClick(jaula, Qt::Key_Return);
            QTest::qWait(20);
            QCOMPARE(messages.asked().size(), c.asked ? 1 : 0);
            QTest::mouseClick(button(card.get(), "aceptar"), Qt::LeftButton);
            QCOMPARE(value(f.db(), "Hembras", "Jaula", "CodigoHembra=3").asInteger(), c.saved);
        }
    }

    void newFemaleWithThreeCyclesIsSavedOrAbandonedWithThem() {
        for (const bool save : {true, false}) {
            Fixture f;
            threeDays(f.db());
            addFemale(f.db(), {8, 30});
            ScriptedMessages messages;
            auto card = shown<TFMantenimientoHembras>(f);
            QTest::mouseClick(button(card.get(), "anadir"), Qt::LeftButton);
            QCOMPARE(qobject_cast<NumberEdit*>(card->input("CodigoHembra"))->value(), 9.0);
            typeOver(card->input("Jaula"), "31");
            typeOver(card->input("FechaEntrada"), "10032002");
            HistoryList* list = card->history();
            QVERIFY(list->isEnabled());
            const QStringList dates = {"05012002", "12022002", "20032002"};
            for (int i = 0; i < 3; ++i) {
                QString title;
                whenModal([&](QWidget* modal) {
                    title = modal->windowTitle();
                    // The second is an insemination: male -1.
                    typeCycle(modal, dates[i], i == 1 ? "-1" : "7", 1, i == 0 ? "8" : QString());
                });
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Insert);
                QCOMPARE(title, QStringLiteral("Inserción de nueva cubrición"));
                QCOMPARE(list->rowCount(), i + 1);
                QCOMPARE(list->selectedOrden() != 0, true); // the last line is selected after adding
            }
            QCOMPARE(count(f.db(), "CubriHembras", "CodigoHembra is null and Maquina='GRANJA-PC'"), 3);
            QCOMPARE(column(list, 1), QStringList({"05/01/2002", "12/02/2002", "20/03/2002"}));
            QCOMPARE(column(list, 3), QStringList({"+", "+", "+"}));
            QCOMPARE(column(list, 2), QStringList({"7", "-1", "7"}));
            QTest::mouseClick(button(card.get(), save ? "aceptar" : "cancelar"), Qt::LeftButton);
            QVERIFY2(messages.asked().isEmpty(), qPrintable(messages.lastText()));
            if (save) {
                QCOMPARE(count(f.db(), "CubriHembras", "CodigoHembra=9"), 3);
                QCOMPARE(count(f.db(), "Hembras", "CodigoHembra=9 and Jaula=31 and CausaBaja=-1"), 1);
                QVERIFY(day(f.db(), QDate(2002, 3, 10)) == (Day{true, 101, 1, 0, 0}));
                QCOMPARE(list->rowCount(), 3); // reread: now hers
                QVERIFY(!list->isEnabled());
            } else {
                QCOMPARE(count(f.db(), "CubriHembras"), 0);
                QCOMPARE(count(f.db(), "Hembras"), 1);
                QVERIFY(day(f.db(), QDate(2002, 3, 10)) == (Day{true, 100, 0, 0, 0}));
            }
        }
    }

    void cycleLinesAreCorrectedAndDeletedFromTheList() {
        Fixture f;
        addFemale(f.db(), {5, 33});
        const qint64 first = addCycle(f.db(), {5, QDate(2002, 1, 1), 7, true, QDate(2002, 2, 1), 9, 0, 0, false});
        addCycle(f.db(), {5, QDate(2002, 3, 1)});
        ScriptedMessages messages;
        auto card = shown<TFMantenimientoHembras>(f);
        HistoryList* list = card->history();
        // While browsing the list takes no keys.
        bool opened = false;
        QTimer::singleShot(200, [&] {
            if (QWidget* stray = QApplication::activeModalWidget()) {
                opened = true;
                stray->close();
            }
        });
        QTest::keyClick(list, Qt::Key_Insert);
        QTest::qWait(250);
        QVERIFY(!opened);

        openByNumber(*card, 5);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedOrden(), first);
        QString title;
        whenModal([&](QWidget* modal) {
            title = modal->windowTitle();
            // Every count emptied: stored as 0.
            for (const char* name : {"CodigoMacho", "NacidosVivos", "Destetados"}) {
                auto* box = modal->findChild<NumberEdit*>(QString::fromLatin1(name));
                typeOver(box, QString());
                QTest::keyClick(box, Qt::Key_Backspace);
            }
            typeOver(modal->findChild<QWidget*>(QStringLiteral("Destetados")), "-6"); // a count is never negative
            auto* weaned = modal->findChild<QCheckBox*>(QStringLiteral("Destetada"));
            weaned->setFocus();
            QTest::keyClick(weaned, Qt::Key_Space);
            QTest::mouseClick(button(modal, "aceptar"), Qt::LeftButton);
        });
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(title, QStringLiteral("Edición de Cubrición"));
        QCOMPARE(count(f.db(), "CubriHembras",
                       QStringLiteral("Orden=%1 and CodigoMacho=0 and NacidosVivos=0 and "
                                      "Destetados=6 and Destetada=True and Palpacion=True")
                           .arg(first)),
                 1);
        QCOMPARE(column(list, 10), QStringList({"6", "6"}));
        QVERIFY(!list->isRed(0));

        // Delete asks; No keeps the line, Yes deletes it.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        messages.answer(QMessageBox::No);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(messages.lastText(), QStringLiteral("¿Está seguro de querer borrar esta cubrición?"));
        QCOMPARE(messages.asked().last().icon, QMessageBox::Question);
        QCOMPARE(messages.asked().last().defaultButton, QMessageBox::No);
        QCOMPARE(count(f.db(), "CubriHembras"), 2);
        QTest::keyClick(list, Qt::Key_Down);
        messages.answer(QMessageBox::Yes);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(count(f.db(), "CubriHembras"), 1);
        QCOMPARE(list->rowCount(), 1);
    }

    void aCorrectedMatingDateMovesTheMalesMirrorRow() {
        Fixture f;
        addFemale(f.db(), {5, 33});
        addCycle(f.db(), {5, QDate(2002, 1, 1)});
        addMating(f.db(), 7, QDate(2002, 1, 1), 5, {}, 0, 0);
        ScriptedMessages messages;
        auto card = shown<TFMantenimientoHembras>(f);
        HistoryList* list = card->history();
        openByNumber(*card, 5);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        whenModal([&](QWidget* modal) {
            auto* fecha = modal->findChild<DateEdit*>(QStringLiteral("FechaCubricion"));
            typeOver(fecha, "03012002");
            QTest::keyClick(fecha, Qt::Key_Return);
            QTest::mouseClick(button(modal, "aceptar"), Qt::LeftButton);
        });
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY2(messages.asked().isEmpty(), qPrintable(messages.lastText()));
        QCOMPARE(count(f.db(), "CubriHembras", "CodigoHembra=5 and FechaCubricion='01/03/2002'"), 1);
        QCOMPARE(count(f.db(), "CubriMachos", "CodigoHembra=5 and FechaCubricion='01/03/2002'"), 1);
        QCOMPARE(count(f.db(), "CubriMachos", "FechaCubricion='01/01/2002'"), 0);
    }

    void firstFreeNumberAndLookupByCage() {
        Fixture f;
        for (qint64 code : {1, 2, 4})
            addFemale(f.db(), {code, code == 4 ? 120 : code});
        ScriptedMessages messages;
        auto card = shown<TFMantenimientoHembras>(f);
        auto* codigo = qobject_cast<NumberEdit*>(card->input("CodigoHembra"));
        QTest::mouseClick(button(card.get(), "libre"), Qt::LeftButton);
        QCOMPARE(codigo->value(), 3.0);
        QTRY_COMPARE(QApplication::focusWidget(), codigo);
        messages.answer(QMessageBox::Yes);
        QTest::keyClick(codigo, Qt::Key_Return);
        QCOMPARE(messages.lastText(), QStringLiteral("Código NO Existente ¿Desea darlo de Alta?"));
        QCOMPARE(card->cursor().state(), TableCursor::State::Insert);
        QTest::mouseClick(button(card.get(), "cancelar"), Qt::LeftButton);

        typeOver(codigo, "120");
        QTest::keyClick(codigo, Qt::Key_F5);
        QCOMPARE(codigo->value(), 4.0);
        QCOMPARE(QApplication::focusWidget(), codigo);
        QTest::keyClick(codigo, Qt::Key_Return);
        QCOMPARE(card->cursor().state(), TableCursor::State::Edit);
        QCOMPARE(qobject_cast<NumberEdit*>(card->input("Jaula"))->value(), 120.0);
        QTest::mouseClick(button(card.get(), "cancelar"), Qt::LeftButton);

        messages.forget();
        typeOver(codigo, "999");
        QTest::keyClick(codigo, Qt::Key_F5);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.lastText(), QStringLiteral("No se ha encontrado ninguna Hembra en esa Jaula."));
        QCOMPARE(messages.asked().last().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(messages.asked().last().icon, QMessageBox::Critical);
        QCOMPARE(codigo->value(), 999.0);
    }

    void deletingAFemaleAndAFailedSave() {
        Fixture f;
        threeDays(f.db());
        addFemale(f.db(), {5, 33});
        addFemale(f.db(), {6, 34});
        addCycle(f.db(), {5, QDate(2002, 1, 1)});
        addCycle(f.db(), {6, QDate(2002, 1, 1)});
        const QStringList before = ledger(f.db());
        ScriptedMessages messages;
        auto card = shown<TFMantenimientoHembras>(f);
        openByNumber(*card, 5);
        messages.answer(QMessageBox::Yes);
        QTest::mouseClick(button(card.get(), "borrar"), Qt::LeftButton);
        QCOMPARE(count(f.db(), "Hembras", "CodigoHembra=5"), 0);
        QCOMPARE(count(f.db(), "CubriHembras"), 1);
        QCOMPARE(ledger(f.db()), before);

        // A save the database refuses is reported and leaves the card editing, nothing written.
        f.db().exec("create trigger noIndex before update of Eficacia on Hembras begin select raise(abort, "
                    "'indice rechazado'); end");
        messages.forget();
        openByNumber(*card, 6);
        typeOver(card->input("FechaBaja"), "10032002");
        QTest::keyClick(card->input("FechaBaja"), Qt::Key_Return);
        QTest::mouseClick(button(card.get(), "aceptar"), Qt::LeftButton);
        QCOMPARE(messages.asked().size(), 1);
        QVERIFY(messages.lastText().contains(QStringLiteral("indice rechazado")));
        QCOMPARE(card->cursor().state(), TableCursor::State::Edit);
        QCOMPARE(ledger(f.db()), before);
        QCOMPARE(value(f.db(), "Hembras", "CausaBaja", "CodigoHembra=6").asInteger(), -1);
        f.db().exec("drop trigger noIndex");
        QTest::mouseClick(button(card.get(), "aceptar"), Qt::LeftButton);
        QCOMPARE(value(f.db(), "Hembras", "CausaBaja", "CodigoHembra=6").asInteger(), 0);
        QCOMPARE(day(f.db(), QDate(2002, 3, 10)).eliminadas, 1);
    }

    void cardsArePreviewed() {
        Fixture f;
        addFemale(f.db(), {5, 33});
        addCycle(f.db(), {5, QDate(2002, 1, 1), 7, true, QDate(2002, 2, 1), 9, 0, 8, true});
        addMale(f.db(), 7, 80);
        addMating(f.db(), 7, QDate(2002, 1, 1), 5, true, 9, 0);
        CapturedSheets sheets;
        {
            auto card = shown<TFMantenimientoHembras>(f);
            QTest::mouseClick(button(card.get(), "imprimir"), Qt::LeftButton);
        }
        {
            auto card = shown<TFMantenimientoMachos>(f);
            QTest::mouseClick(button(card.get(), "imprimir"), Qt::LeftButton);
        }
        QCOMPARE(int(sheets.sheets().size()), 2);
        QCOMPARE(sheets.sheets()[0].sheet.title, QStringLiteral("Ficha de Hembra"));
        QCOMPARE(sheets.sheets()[1].sheet.title, QStringLiteral("Ficha de Macho"));
        for (const auto& captured : sheets.sheets()) {
            QVERIFY(captured.previewed);
            QCOMPARE(captured.sheet.rows, 1);
            const QString keep = qEnvironmentVariable("TORVANE_KEEP_SHEETS");
            if (!keep.isEmpty())
                SheetRenderer::writePdf(captured.sheet, keep + QLatin1Char('/') + captured.sheet.title + ".pdf");
        }
    }

    void maleCardShowsTheRelativeIndexAndTakesNewMatings() {
        for (const bool save : {true, false}) {
            Fixture f;
            addMale(f.db(), 1, 60);
            addMale(f.db(), 3, 100);
            const QStringList ledgerBefore = ledger(f.db());
            ScriptedMessages messages;
            auto card = shown<TFMantenimientoMachos>(f);
            QCOMPARE(card->windowTitle(), QStringLiteral("Ficha de Machos"));
            QCOMPARE(card->indexLabel()->text(), QStringLiteral("75,00"));
            QTest::mouseClick(button(card.get(), "ultimo"), Qt::LeftButton);
            QCOMPARE(card->indexLabel()->text(), QStringLiteral("125,00"));

            QTest::mouseClick(button(card.get(), "libre"), Qt::LeftButton);
            auto* codigo = qobject_cast<NumberEdit*>(card->input("CodigoMacho"));
            QCOMPARE(codigo->value(), 2.0);
            messages.answer(QMessageBox::Yes);
            QTest::keyClick(codigo, Qt::Key_Return);
            QCOMPARE(card->cursor().state(), TableCursor::State::Insert);
            HistoryList* list = card->matings();
            for (int i = 0; i < 2; ++i) {
                whenModal([&](QWidget* modal) {
                    QCOMPARE(modal->windowTitle(), QStringLiteral("Inserción de nueva cubrición"));
                    QVERIFY(!modal->findChild<QWidget*>(QStringLiteral("FechaParto")));
                    typeCycle(modal, QStringLiteral("0%1").arg(i + 1) + QStringLiteral("022002"),
                              QStringLiteral("1%1").arg(i), i, QString());
                });
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Insert);
            }
            QCOMPARE(column(list, 2), QStringList({"10", "11"}));
            QCOMPARE(column(list, 3), QStringList({"?", "+"}));
            QCOMPARE(count(f.db(), "CubriMachos", "CodigoMacho is null and Maquina='GRANJA-PC'"), 2);
            QTest::mouseClick(button(card.get(), save ? "aceptar" : "cancelar"), Qt::LeftButton);
            if (save) {
                QCOMPARE(count(f.db(), "CubriMachos", "CodigoMacho=2 and NacidosVivos=0"), 2);
                QVERIFY(value(f.db(), "Machos", "Seleccion", "CodigoMacho=2").isNull());
                QCOMPARE(value(f.db(), "Machos", "Eficacia", "CodigoMacho=2").asFloat(), 0.0);
                // The herd average stays the one read when the screen opened.
                QCOMPARE(card->indexLabel()->text(), QStringLiteral("0,00"));
            } else {
                QCOMPARE(count(f.db(), "CubriMachos"), 0);
                QCOMPARE(count(f.db(), "Machos"), 2);
            }
            QCOMPARE(ledger(f.db()), ledgerBefore);
        }

        // Ticking "Selección" stores it; no males at all reads "0.00".
        Fixture f;
        auto empty = shown<TFMantenimientoMachos>(f);
        QCOMPARE(empty->indexLabel()->text(), QStringLiteral("0.00"));
        QTest::mouseClick(button(empty.get(), "anadir"), Qt::LeftButton);
        QTest::mouseClick(qobject_cast<QCheckBox*>(empty->input("Seleccion")), Qt::LeftButton);
        QTest::mouseClick(button(empty.get(), "aceptar"), Qt::LeftButton);
        QCOMPARE(count(f.db(), "Machos", "CodigoMacho=1 and Seleccion=True"), 1);
    }
};

QTEST_MAIN(RegisterScreensTest)
#include "RegisterScreensTest.moc"
