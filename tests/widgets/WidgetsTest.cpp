#include "Keys.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "db/Clock.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "widgets/AppInfo.h"
#include "widgets/DateEdit.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"
#include "widgets/TitleFit.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <sqlite3.h>

// A small screen with the common inputs, as a real screen lays them out.
class Form : public QDialog {
public:
    explicit Form(const Clock& clock, KeyNavigation::Option option = KeyNavigation::EnterOnly) {
        auto* layout = new QVBoxLayout(this);
        first = new QLineEdit(this);
        date = new DateEdit(clock, this);
        count = new NumberEdit(this);
        weight = new NumberEdit(this, 3);
        notes = new QPlainTextEdit(this);
        button = new QPushButton(QStringLiteral("Aceptar"), this);
        for (QWidget* w : std::initializer_list<QWidget*>{first, date, count, weight, notes, button})
            layout->addWidget(w);
        KeyNavigation::install(this, option);
    }
    QLineEdit* first;
    DateEdit* date;
    NumberEdit* count;
    NumberEdit* weight;
    QPlainTextEdit* notes;
    QPushButton* button;
};

class WidgetsTest : public QObject {
    Q_OBJECT
    FixedClock m_clock{QDate(2026, 12, 9)};

    std::unique_ptr<Form> shown(KeyNavigation::Option option = KeyNavigation::EnterOnly) {
        auto form = std::make_unique<Form>(m_clock, option);
        form->show();
        form->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(form.get())); }();
        return form;
    }

    static void insertTwice(TempFarm& farm, const char* statement) {
        farm.db().exec(QString::fromUtf8(statement));
        farm.db().exec(QString::fromUtf8(statement));
    }

    static void focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

private slots:
    void dateTypedAndRewrittenOnLeaving_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("defaultsToToday");
        QTest::addColumn<QString>("shown");
        QTest::newRow("full date") << "05032001" << false << "05/03/2001";
        QTest::newRow("blank cleared") << "" << false << "";
        QTest::newRow("blank becomes today") << "" << true << "09/12/2026";
        QTest::newRow("plus fills today") << "+" << false << "09/12/2026";
        QTest::newRow("plus after digits") << "12+" << false << "09/12/2026";
    }

    void dateTypedAndRewrittenOnLeaving() {
        QFETCH(QString, keys);
        QFETCH(bool, defaultsToToday);
        QFETCH(QString, shown);
        auto form = shown_form();
        form->date->setDefaultsToToday(defaultsToToday);
        focus(form->date);
        form->date->clear();
        form->date->setCursorPosition(0);
        QTest::keyClicks(form->date, keys);
        QTest::keyClick(form->date, Qt::Key_Tab);
        QVERIFY(!form->date->hasFocus());
        QCOMPARE(form->date->isBlank() ? QString() : form->date->displayText(), shown);
    }

    // Nothing typed is thrown away or replaced: a text that is no date stays, says
    // so through the program's error box, and keeps the focus, however the box is left.
    void dateThatIsNoDateIsKeptAndSaid_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("defaultsToToday");
        QTest::addColumn<int>("leave");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        QTest::newRow("no calendar date, Tab") << "31022026" << false << int(Qt::Key_Tab) << "31/02/2026"
                                               << "'31/02/2026' is not a valid date";
        QTest::newRow("not today instead, Enter") << "31022026" << true << int(Qt::Key_Return) << "31/02/2026"
                                                  << "'31/02/2026' is not a valid date";
        QTest::newRow("half typed, Shift+Tab") << "120" << false << int(Qt::Key_Backtab) << "12/0 /    "
                                               << "'12/0/' is not a valid date";
        QTest::newRow("half typed in a box defaulting to today") << "0503" << true << int(Qt::Key_Tab) << "05/03/    "
                                                                 << "'05/03/' is not a valid date";
    }

    void dateThatIsNoDateIsKeptAndSaid() {
        QFETCH(QString, keys);
        QFETCH(bool, defaultsToToday);
        QFETCH(int, leave);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        ScriptedMessages messages;
        auto form = shown_form();
        form->date->setDefaultsToToday(defaultsToToday);
        typeOver(form->date, QString());
        form->date->clear();
        form->date->setCursorPosition(0);
        QTest::keyClicks(form->date, keys);
        QTest::keyClick(form->date, Qt::Key(leave));
        QTRY_COMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked().first().caption, QString::fromUtf8(app::kTitle));
        QCOMPARE(messages.asked().first().icon, QMessageBox::Critical);
        QCOMPARE(messages.lastText(), message);
        QVERIFY(form->date->hasFocus());
        QCOMPARE(form->date->displayText(), kept);
        QTest::qWait(20);
        QCOMPARE(messages.asked().size(), 1);
    }

    // A click on a button leaves the box and presses the button: one message, and
    // the button's action does not go on. Each new attempt to leave says it again.
    void dateSaidOnceWhenAButtonIsClicked() {
        ScriptedMessages messages;
        auto form = shown_form();
        int proceeded = 0;
        QObject::connect(form->button, &QPushButton::clicked, form.get(), [&] {
            if (form->date->checkTyped())
                ++proceeded;
        });
        typeOver(form->date, QStringLiteral("31022026"));
        QTest::mouseClick(form->button, Qt::LeftButton);
        QTRY_COMPARE(messages.asked().size(), 1);
        QTest::qWait(20);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(proceeded, 0);
        QVERIFY(form->date->hasFocus());
        QCOMPARE(form->date->text(), QStringLiteral("31/02/2026"));

        QTest::keyClick(form->date, Qt::Key_Tab);
        QTRY_COMPARE(messages.asked().size(), 2);
        form->button->click(); // already told, focus still in the box: nothing more is said
        QCOMPARE(messages.asked().size(), 2);
        QCOMPARE(proceeded, 0);

        typeOver(form->date, QStringLiteral("28022026"));
        QTest::mouseClick(form->button, Qt::LeftButton);
        QCOMPARE(proceeded, 1);
        QTest::qWait(20);
        QCOMPARE(messages.asked().size(), 2);
        QCOMPARE(form->date->text(), QStringLiteral("28/02/2026"));
    }

    void dateReadsNullTodayOrRefuses() {
        auto form = shown_form();
        QVERIFY(!form->date->date().isValid());
        form->date->setDefaultsToToday(true);
        QCOMPARE(form->date->date(), QDate(2026, 12, 9));
        form->date->setDefaultsToToday(false);
        form->date->setText(QStringLiteral("30/02/2003"));
        QVERIFY_THROWS_EXCEPTION(InvalidDate, form->date->date());
        try {
            form->date->date();
        } catch (const InvalidDate& e) {
            QCOMPARE(e.message(), QStringLiteral("'30/02/2003' is not a valid date"));
        }
        form->date->setDate(QDate(2002, 4, 23));
        QCOMPARE(form->date->date(), QDate(2002, 4, 23));
        QCOMPARE(form->date->displayText(), QStringLiteral("23/04/2002"));
    }

    // Engine errors provoked on a real farm file reach the farmer as a Spanish
    // sentence with the engine's own words on the line below.
    void engineErrorsLeadWithASpanishSentence() {
        struct Case {
            const char* name;
            std::function<void(TempFarm&)> provoke;
            int code;
            const char* sentence;
            const char* engine;
        };
        const char* key = "Ya existe un registro con esa clave; no se ha grabado.";
        const char* inUse = "La base de datos de la granja está en uso en otro ordenador. Espere un momento y vuelva "
                            "a intentarlo.";
        const Case cases[] = {
            {"duplicate female", [](TempFarm& f) { insertTwice(f, "insert into Hembras (CodigoHembra) values (7)"); },
             SQLITE_CONSTRAINT_UNIQUE, key, "UNIQUE constraint failed: Hembras.CodigoHembra"},
            {"duplicate cycle row",
             [](TempFarm& f) { insertTwice(f, "insert into CubriHembras (Orden, CodigoHembra) values (3, 7)"); },
             SQLITE_CONSTRAINT_PRIMARYKEY, key, "UNIQUE constraint failed: CubriHembras.Orden"},
            {"required value",
             [](TempFarm& f) {
                 f.db().execNative(QStringLiteral("create table Notas (Texto text not null)"));
                 f.db().exec(QStringLiteral("insert into Notas (Texto) values (NULL)"));
             },
             SQLITE_CONSTRAINT_NOTNULL, "Falta un dato obligatorio; no se ha grabado.",
             "NOT NULL constraint failed: Notas.Texto"},
            {"in use by another computer",
             [](TempFarm& f) {
                 sqlite3* other = nullptr;
                 sqlite3_open_v2(QFile::encodeName(f.db().filePath()).constData(), &other, SQLITE_OPEN_READWRITE,
                                 nullptr);
                 const auto closer = qScopeGuard([other] { sqlite3_close_v2(other); });
                 QCOMPARE(sqlite3_exec(other, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
                 sqlite3_busy_timeout(f.db().handle(), 0);
                 f.db().exec(QStringLiteral("insert into Hembras (CodigoHembra) values (8)"));
             },
             SQLITE_BUSY, inUse, "database is locked"},
            {"read-only file",
             [](TempFarm& f) {
                 // Root writes through a chmod; a read-only connection refuses as the file would.
                 f.db().execNative(QStringLiteral("pragma query_only = 1"));
                 f.db().exec(QStringLiteral("insert into Hembras (CodigoHembra) values (9)"));
             },
             SQLITE_READONLY,
             "El archivo de la base de datos de la granja es de sólo lectura: no se pueden grabar cambios.",
             "attempt to write a readonly database"},
            {"disk full",
             [](TempFarm& f) {
                 const qint64 pages =
                     Query::scalar(f.db(), QStringLiteral("select page_count cuenta from pragma_page_count()"),
                                   QStringLiteral("cuenta"))
                         .asInteger();
                 f.db().execNative(QStringLiteral("pragma max_page_count = %1").arg(pages));
                 f.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, Raza) values (10, '%1')")
                                 .arg(QString(20000, QLatin1Char('x'))));
             },
             SQLITE_FULL, "El disco está lleno: libere espacio y vuelva a intentarlo.", "database or disk is full"},
            {"damaged file",
             [](TempFarm& f) {
                 const QString path = f.folder() + QStringLiteral("/Dañado.db");
                 QFile file(path);
                 QVERIFY(file.open(QIODevice::WriteOnly));
                 file.write(QByteArray(8192, 'x'));
                 file.close();
                 // The damaged file opens (start-up says so); its first statement fails.
                 Database damaged(path);
                 damaged.exec(QStringLiteral("delete from Hembras"));
             },
             SQLITE_NOTADB,
             "El archivo de la base de datos de la granja está dañado. Repárelo con \"Reparación de Bases de Datos\" o "
             "recupere una copia con \"Restaurar Copia de Seguridad\" (menú \"Archivo\").",
             "file is not a database"},
        };
        for (const Case& c : cases) {
            TempFarm farm;
            ScriptedMessages messages;
            QVERIFY2(!messages::guarded(nullptr, [&] { c.provoke(farm); }), c.name);
            QVERIFY2(messages.asked().size() == 1, c.name);
            const QStringList lines = messages.lastText().split(QLatin1Char('\n'));
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines.at(0), QString::fromUtf8(c.sentence));
            QCOMPARE(lines.at(1), QString::fromUtf8(c.engine));
            QCOMPARE(messages::engineSentence(c.code), QString::fromUtf8(c.sentence));
            QCOMPARE(messages.asked().last().caption, QString::fromUtf8(app::kTitle));
        }
        // The layer's own errors are already the farmer's words; other refusals keep the engine's alone.
        QCOMPARE(messages::errorText(DbError(QStringLiteral("La sentencia está vacía"))),
                 QStringLiteral("La sentencia está vacía"));
        QCOMPARE(messages::errorText(DbError(QStringLiteral("no such table: X"), {}, SQLITE_ERROR)),
                 QStringLiteral("no such table: X"));
        QCOMPARE(messages::engineSentence(SQLITE_CONSTRAINT_CHECK), QString());
        QCOMPARE(messages::engineSentence(SQLITE_BUSY_SNAPSHOT), QString::fromUtf8(inUse));
    }

    void numberTypedThroughItsMask_data() {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::newRow("thousands") << 0 << "3390" << "3.390" << 3390.0;
        QTest::newRow("minus anywhere") << 0 << "33-90" << "-3.390" << -3390.0;
        QTest::newRow("plus makes positive") << 0 << "-12+" << "12" << 12.0;
        QTest::newRow("letters ignored") << 0 << "1a2b" << "12" << 12.0;
        QTest::newRow("no separator without decimals") << 0 << "1,5" << "15" << 15.0;
        QTest::newRow("comma decimals") << 3 << "12,5" << "12,500" << 12.5;
        QTest::newRow("point types the comma") << 3 << "2.25" << "2,250" << 2.25;
        QTest::newRow("separator once") << 3 << "1,2,3" << "1,230" << 1.23;
        QTest::newRow("extra decimals dropped") << 3 << "0,12345" << "0,123" << 0.123;
        QTest::newRow("leading zeros") << 0 << "007" << "7" << 7.0;
        QTest::newRow("millions") << 0 << "1234567" << "1.234.567" << 1234567.0;
        QTest::newRow("no more than a number column holds whole") << 0 << "12345678901234567"
                                                                  << "123.456.789.012" << 123456789012.0;
    }

    void numberTypedThroughItsMask() {
        QFETCH(int, decimals);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(double, value);
        auto form = shown_form();
        NumberEdit* box = decimals ? form->weight : form->count;
        focus(box);
        QTest::keyClicks(box, keys);
        QCOMPARE(box->text(), shown);
        QCOMPARE(box->value(), value);
    }

    void numberBackspaceAndRetyping() {
        auto form = shown_form();
        form->weight->setValue(1234.5);
        QCOMPARE(form->weight->text(), QStringLiteral("1.234,500"));
        focus(form->weight);
        QTRY_COMPARE(form->weight->selectedText(), form->weight->text());
        QTest::keyClicks(form->weight, QStringLiteral("7"));
        QCOMPARE(form->weight->value(), 7.0); // typing over the whole selection starts from 0
        QTest::keyClicks(form->weight, QStringLiteral(",25"));
        QTest::keyClick(form->weight, Qt::Key_Backspace);
        QCOMPARE(form->weight->value(), 7.2);
        QTest::keyClick(form->weight, Qt::Key_Backspace);
        QTest::keyClick(form->weight, Qt::Key_Backspace);
        QTest::keyClicks(form->weight, QStringLiteral("8"));
        QCOMPARE(form->weight->value(), 78.0);
        QSignalSpy edited(form->count, &NumberEdit::valueEdited);
        focus(form->count);
        QTest::keyClicks(form->count, QStringLiteral("45"));
        QCOMPARE(edited.count(), 2);
    }

    void enterMovesOnPressesButtonsAndTypesLines() {
        auto form = shown_form();
        int clicks = 0;
        connect(form->button, &QPushButton::clicked, this, [&] { ++clicks; });
        focus(form->first);
        QTest::keyClick(form->first, Qt::Key_Return);
        QVERIFY(form->date->hasFocus());
        QTest::keyClick(form->date, Qt::Key_Enter);
        QVERIFY(form->count->hasFocus());
        QTest::keyClick(form->count, Qt::Key_Enter, Qt::KeypadModifier); // the keypad's Enter too
        QVERIFY(form->weight->hasFocus());
        QTest::keyClick(form->weight, Qt::Key_Return);
        QVERIFY(form->notes->hasFocus());
        QTest::keyClicks(form->notes, QStringLiteral("a"));
        QTest::keyClick(form->notes, Qt::Key_Return);
        QTest::keyClicks(form->notes, QStringLiteral("b"));
        QCOMPARE(form->notes->toPlainText(), QStringLiteral("a\nb"));
        focus(form->button);
        QTest::keyClick(form->button, Qt::Key_Return);
        QCOMPARE(clicks, 1);
        QVERIFY(form->isVisible()); // Enter never closes the screen by itself
    }

    void arrowsMoveOnlyWhereAsked() {
        auto plain = shown_form();
        focus(plain->first);
        QTest::keyClick(plain->first, Qt::Key_Down);
        QVERIFY(plain->first->hasFocus());

        auto arrows = shown_form(KeyNavigation::WithArrows);
        focus(arrows->date);
        QTest::keyClick(arrows->date, Qt::Key_Down);
        QVERIFY(arrows->count->hasFocus());
        QTest::keyClick(arrows->count, Qt::Key_Up);
        QVERIFY(arrows->date->hasFocus());
    }

    void escapeClosesTheScreen() {
        auto form = shown_form();
        focus(form->first);
        QTest::keyClick(form->first, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
    }

    // A short dialog is never narrower than its caption in the title bar.
    void dialogsAsWideAsTheirCaptions() {
        TitleFit::install();
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Traslados de Hembras a otras jaulas de la granja"));
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QPushButton(QStringLiteral("Aceptar"), &dialog));
        QVERIFY(dialog.sizeHint().width() < TitleFit::titleWidth(&dialog));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.width() >= TitleFit::titleWidth(&dialog));
    }

private:
    std::unique_ptr<Form> shown_form(KeyNavigation::Option option = KeyNavigation::EnterOnly) { return shown(option); }
};

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
