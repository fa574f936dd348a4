#include "db/Clock.h"
#include "widgets/DateEdit.h"
#include "widgets/KeyNavigation.h"
#include "widgets/NumberEdit.h"
#include "widgets/TitleFit.h"
#include "db/DbError.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

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
        QTest::newRow("no calendar date cleared") << "31022002" << false << "";
        QTest::newRow("no calendar date becomes today") << "31022002" << true << "09/12/2026";
        QTest::newRow("blank cleared") << "" << false << "";
        QTest::newRow("blank becomes today") << "" << true << "09/12/2026";
        QTest::newRow("half typed cleared") << "0503" << false << "";
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
