#include "FarmRows.h"
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "db/Clock.h"
#include "db/Query.h"
#include "db/Settings.h"
#include "setup/FarmParameterFields.h"
#include "setup/ui/TFDatosExplotacion.h"
#include "setup/ui/TFEdicionEstructura.h"
#include "setup/ui/TFEstructuraGranja.h"
#include "widgets/NumberEdit.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace testkit;

namespace {

// Closes any window that opens although none should.
void closeStrayModal(bool& opened) {
    QTimer::singleShot(300, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
}

// Fills the range dialog with keys: the two numbers, the kind by arrows, Enter.
void fillRange(QWidget* modal, int desde, int hasta, int kind) {
    auto* from = modal->findChild<NumberEdit*>(QStringLiteral("desde"));
    auto* to = modal->findChild<NumberEdit*>(QStringLiteral("hasta"));
    typeOver(from, QString::number(desde));
    QTest::keyClick(from, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), to);
    typeOver(to, QString::number(hasta));
    QTest::keyClick(to, Qt::Key_Return);
    auto* radio = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    QVERIFY(radio);
    const QString letters = QStringLiteral("RENM");
    auto* wanted = modal->findChild<QRadioButton*>(QStringLiteral("tipo") + letters[kind]);
    wanted->setFocus();
    QTest::keyClick(wanted, Qt::Key_Return);
    QVERIFY(wanted->isChecked());
}

QStringList rows(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        out << item->text(0) + QLatin1Char('-') + item->text(1) + QLatin1Char(' ') + item->text(2);
    }
    return out;
}

} // namespace

class SetupScreensTest : public QObject {
    Q_OBJECT

    using Fixture = ScreenFarm<>;

    std::unique_ptr<TFEstructuraGranja> structureShown(Fixture& f) {
        auto screen = std::make_unique<TFEstructuraGranja>(f.context);
        showActive(*screen);
        screen->list()->setFocus();
        return screen;
    }

    // Selects a row of the list with the arrow keys, as the farmer does.
    static void selectRow(QTreeWidget* list, int row) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        for (int i = 0; i < row; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    }

private slots:
    void parametersScreenLaysOutItsPages() {
        Fixture f;
        TFDatosExplotacion screen(f.context);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Datos de la Explotación"));
        QStringList tabs;
        for (int i = 0; i < screen.pages()->count(); ++i)
            tabs << screen.pages()->tabText(i);
        QCOMPARE(tabs, farmParameters::pages());
        QVERIFY(qobject_cast<NumberEdit*>(screen.box(QStringLiteral("DiasPalpar"))));
        QVERIFY(!qobject_cast<NumberEdit*>(screen.box(QStringLiteral("Marca1"))));
        // The delivered row is shown for editing.
        QCOMPARE(qobject_cast<NumberEdit*>(screen.box(QStringLiteral("JaulasNido")))->value(), 516.0);
        QCOMPARE(qobject_cast<QLineEdit*>(screen.box(QStringLiteral("Marca3")))->text(), QStringLiteral("Marca 3"));
    }

    void parametersTypedWithEnterCreateTheRow() {
        Fixture f;
        f.db().exec(QStringLiteral("delete from DatosExplotacion"));
        ScriptedMessages messages;
        // What the farmer types in each box, in screen order.
        QStringList typed;
        for (const auto& field : farmParameters::fields())
            typed << (field.number ? QString::number(typed.size() * 3) : QStringLiteral("Texto %1").arg(typed.size()));
        typed[0] = QStringLiteral("Granja O'Donnell");
        typed[5] = QStringLiteral("-7");
        typed[23] = QStringLiteral("01/02/2003");
        int result = -1;
        whenModal([&](QWidget* modal) {
            auto* screen = qobject_cast<TFDatosExplotacion*>(modal);
            QVERIFY(screen);
            const auto& fields = farmParameters::fields();
            screen->box(QString::fromUtf8(fields[0].column))->setFocus();
            for (size_t i = 0; i < fields.size(); ++i) {
                QWidget* box = screen->box(QString::fromUtf8(fields[i].column));
                QTRY_COMPARE(QApplication::focusWidget(), box);
                QCoreApplication::processEvents();
                if (auto* e = qobject_cast<QLineEdit*>(box))
                    e->selectAll();
                QTest::keyClicks(box, typed[int(i)]);
                QTest::keyClick(box, Qt::Key_Return);
            }
            auto* ok = screen->findChild<QPushButton*>(QStringLiteral("aceptar"));
            QTRY_COMPARE(QApplication::focusWidget(), ok);
            QTest::keyClick(ok, Qt::Key_Return);
        });
        TFDatosExplotacion screen(f.context);
        result = screen.exec();
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(messages.asked().isEmpty());
        Query q(f.db(), QStringLiteral("select * from DatosExplotacion"));
        q.open();
        QVERIFY(!q.eof());
        for (size_t i = 0; i < farmParameters::fields().size(); ++i) {
            const auto& field = farmParameters::fields()[i];
            const Field value = q.field(QString::fromUtf8(field.column));
            if (field.number)
                QCOMPARE(value.asInteger(), typed[int(i)].toLongLong());
            else
                QCOMPARE(value.asString(), typed[int(i)]);
        }
        q.next();
        QVERIFY(q.eof());
    }

    void parametersDiscardedByCancelEscapeAndTheCloseBox_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancelar") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void parametersDiscardedByCancelEscapeAndTheCloseBox() {
        QFETCH(int, how);
        for (bool emptyTable : {true, false}) {
            Fixture f;
            if (emptyTable)
                f.db().exec(QStringLiteral("delete from DatosExplotacion"));
            whenModal([how](QWidget* modal) {
                auto* screen = qobject_cast<TFDatosExplotacion*>(modal);
                QWidget* name = screen->box(QStringLiteral("NombreExplotacion"));
                typeOver(name, QStringLiteral("Otra"));
                typeOver(screen->box(QStringLiteral("DiasPalpar")), QStringLiteral("99"));
                if (how == 0)
                    QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("cancelar")), Qt::LeftButton);
                else if (how == 1)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                else
                    screen->close();
            });
            TFDatosExplotacion screen(f.context);
            QCOMPARE(screen.exec(), int(QDialog::Rejected));
            QCOMPARE(count(f.db(), QStringLiteral("select count(*) cuenta from DatosExplotacion")), emptyTable ? 0 : 1);
            QCOMPARE(count(f.db(), QStringLiteral("select count(*) cuenta from DatosExplotacion where DiasPalpar=99")),
                     0);
        }
    }

    void structureListedByFirstCageWithNothingSelected() {
        Fixture f;
        putRange(f.db(), 200, 250, "M");
        putRange(f.db(), 10, 20, "N");
        putRange(f.db(), 3, 9, "R");
        auto screen = structureShown(f);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Definir Estructura de la Granja"));
        QTreeWidget* list = screen->list();
        QCOMPARE(rows(list), QStringList({"3-9 R", "10-20 N", "200-250 M"}));
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Desde Jaula"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Hasta Jaula"));
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("Tipo"));
        QVERIFY(list->alternatingRowColors());
        QVERIFY(list->topLevelItem(0)->textAlignment(0) & Qt::AlignRight);
        QVERIFY(list->selectedItems().isEmpty());

        // Enter and Delete with no row selected do nothing.
        ScriptedMessages messages;
        bool opened = false;
        closeStrayModal(opened);
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::qWait(350);
        QVERIFY(!opened);
        QVERIFY(messages.asked().isEmpty());
    }

    void structureAcceptsNeighboursAndRefusesOverlaps() {
        Fixture f;
        ScriptedMessages messages;
        putRange(f.db(), 21, 30, "N");
        auto screen = structureShown(f);
        struct Case {
            int desde, hasta, kind;
            bool written;
        };
        const Case cases[] = {{10, 20, 1, true}, {10, 21, 0, false}, {1, 100, 3, false}, {31, 31, 3, true}};
        for (const Case& c : cases) {
            messages.forget();
            whenModal([&c](QWidget* modal) {
                QCOMPARE(modal->windowTitle(), QStringLiteral("Edición de Estructura de la Granja"));
                auto* ok = modal->findChild<QPushButton*>(QStringLiteral("aceptar"));
                QVERIFY(!ok->isEnabled());
                fillRange(modal, c.desde, c.hasta, c.kind);
                QTRY_COMPARE(QApplication::focusWidget(), ok);
                QTest::keyClick(ok, Qt::Key_Return);
            });
            QTest::keyClick(screen->list(), Qt::Key_Insert);
            const qint64 stored = count(f.db(), QStringLiteral("select count(*) cuenta from Estructura where "
                                                               "JaulaDesde=%1 and JaulaHasta=%2 and Tipo='%3'")
                                                    .arg(c.desde)
                                                    .arg(c.hasta)
                                                    .arg(QStringLiteral("RENM")[c.kind]));
            QCOMPARE(stored, c.written ? 1 : 0);
            if (c.written) {
                QVERIFY(messages.asked().isEmpty());
            } else {
                QCOMPARE(messages.asked().size(), 1);
                QCOMPARE(messages.asked().last().caption, QStringLiteral("¡Atencion!"));
                QCOMPARE(messages.lastText(),
                         QStringLiteral("Ese intervalo está total o parcialmente definido anteriormente"));
                QCOMPARE(messages.asked().last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            }
            QVERIFY(screen->list()->selectedItems().isEmpty());
        }
        QCOMPARE(rows(screen->list()), QStringList({"10-20 E", "21-30 N", "31-31 M"}));
    }

    void structureRangeChangedOntoItselfIsAccepted() {
        Fixture f;
        ScriptedMessages messages;
        putRange(f.db(), 10, 20, "E");
        putRange(f.db(), 21, 30, "N");
        auto screen = structureShown(f);
        selectRow(screen->list(), 1);
        whenModal([](QWidget* modal) {
            auto* from = modal->findChild<NumberEdit*>(QStringLiteral("desde"));
            auto* to = modal->findChild<NumberEdit*>(QStringLiteral("hasta"));
            QCOMPARE(from->value(), 21.0);
            QCOMPARE(to->value(), 30.0);
            QVERIFY(modal->findChild<QRadioButton*>(QStringLiteral("tipoN"))->isChecked());
            QVERIFY(modal->findChild<QPushButton*>(QStringLiteral("aceptar"))->isEnabled());
            fillRange(modal, 21, 30, 3);
            auto* ok = modal->findChild<QPushButton*>(QStringLiteral("aceptar"));
            QTest::keyClick(ok, Qt::Key_Return);
        });
        QTest::keyClick(screen->list(), Qt::Key_Return);
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(rows(screen->list()), QStringList({"10-20 E", "21-30 M"}));
        QCOMPARE(count(f.db(), QStringLiteral("select count(*) cuenta from Estructura where orden=2 and Tipo='M'")), 1);

        // Cancelled, the dialog changes nothing.
        selectRow(screen->list(), 0);
        whenModal([](QWidget* modal) {
            typeOver(modal->findChild<NumberEdit*>(QStringLiteral("desde")), QStringLiteral("5"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        QTest::keyClick(screen->list(), Qt::Key_Return);
        QCOMPARE(rows(screen->list()), QStringList({"10-20 E", "21-30 M"}));
    }

    void structureAcceptFollowsTheRule() {
        Fixture f;
        f.db().exec(QStringLiteral("insert into Estructura (JaulaDesde, JaulaHasta, Tipo) VALUES (5, 9, 'X')"));
        TFEdicionEstructura stored(f.db(), 1);
        // A letter other than R, E, N, M: no kind chosen, so no "Aceptar".
        QCOMPARE(stored.typeIndex(), -1);
        QVERIFY(!stored.findChild<QPushButton*>(QStringLiteral("aceptar"))->isEnabled());

        TFEdicionEstructura dialog(f.db(), 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("aceptar"));
        auto* from = dialog.findChild<NumberEdit*>(QStringLiteral("desde"));
        auto* to = dialog.findChild<NumberEdit*>(QStringLiteral("hasta"));
        QCOMPARE(from->value(), 0.0);
        QCOMPARE(to->value(), 0.0);
        typeOver(from, QStringLiteral("12"));
        typeOver(to, QStringLiteral("12"));
        QVERIFY(!ok->isEnabled()); // no kind yet
        dialog.findChild<QRadioButton*>(QStringLiteral("tipoR"))->click();
        QVERIFY(ok->isEnabled()); // a single cage is a range
        typeOver(to, QStringLiteral("11"));
        QVERIFY(!ok->isEnabled()); // first above last
        typeOver(to, QStringLiteral("-"));
        QVERIFY(!ok->isEnabled());
        typeOver(to, QStringLiteral("40"));
        QVERIFY(ok->isEnabled());
        typeOver(from, QStringLiteral("0"));
        QVERIFY(!ok->isEnabled());
    }

    void structureDeleteAskedAndNoKeepsTheRow() {
        Fixture f;
        ScriptedMessages messages;
        putRange(f.db(), 10, 20, "E");
        putRange(f.db(), 21, 30, "N");
        auto screen = structureShown(f);
        selectRow(screen->list(), 1);
        messages.answer(QMessageBox::No);
        QTest::keyClick(screen->list(), Qt::Key_Delete);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked().last().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(messages.lastText(), QStringLiteral("¿Está seguro de querer borrar esta definición?"));
        QCOMPARE(messages.asked().last().buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(messages.asked().last().defaultButton, QMessageBox::No);
        QCOMPARE(rows(screen->list()), QStringList({"10-20 E", "21-30 N"}));
        QVERIFY(screen->list()->selectedItems().isEmpty());

        selectRow(screen->list(), 1);
        messages.answer(QMessageBox::Yes);
        QTest::keyClick(screen->list(), Qt::Key_Delete);
        QCOMPARE(rows(screen->list()), QStringList({"10-20 E"}));
        QCOMPARE(count(f.db(), QStringLiteral("select count(*) cuenta from Estructura")), 1);
    }

    void menuOpensBothScreens() {
        Fixture f;
        TFPantallaPrincipal window(f.context);
        for (const char* path : {"Archivo/Datos de la Explotación", "Archivo/Definir Estructura de la Granja"}) {
            QAction* item = window.action(QString::fromUtf8(path));
            QVERIFY(item->isEnabled());
            QString title;
            whenModal([&title](QWidget* modal) { title = modal->windowTitle(); });
            item->trigger();
            QCOMPARE(title, QString::fromUtf8(path).section(QLatin1Char('/'), 1));
        }
    }
};

QTEST_MAIN(SetupScreensTest)
#include "SetupScreensTest.moc"
