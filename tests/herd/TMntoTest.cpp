#include "herd/ui/TMnto.h"
#include "FarmRows.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "TempFarm.h"
#include "db/Clock.h"
#include "db/Query.h"
#include "herd/ui/BarArtwork.h"
#include "herd/ui/TMensajero.h"
#include "widgets/DateEdit.h"
#include "widgets/KeyNavigation.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

using testkit::count;

namespace {

// A small register of females, laid out as the real registers are: key first,
// then the other fields, the bar at the bottom.
class FemaleCard : public QDialog {
public:
    FemaleCard(Database& db, const Clock& clock)
        : cursor(db, QStringLiteral("Hembras.DB"), {QStringLiteral("CodigoHembra")}) {
        auto* form = new QFormLayout;
        codigo = new NumberEdit(this);
        jaula = new NumberEdit(this);
        raza = new QLineEdit(this);
        entrada = new DateEdit(clock, this);
        marca = new QCheckBox(QStringLiteral("Marca 1"), this);
        form->addRow(QStringLiteral("Número Hembra"), codigo);
        form->addRow(QStringLiteral("Número Jaula"), jaula);
        form->addRow(QStringLiteral("Raza"), raza);
        form->addRow(QStringLiteral("Fecha Entrada"), entrada);
        form->addRow(QString(), marca);
        bar = new TMnto(this);
        bar->createButtons({TMnto::Anadir, TMnto::Aceptar, TMnto::Cancelar, TMnto::Borrar, TMnto::Salir});
        bar->setDataSource(&cursor);
        bar->setCampos({{codigo, QStringLiteral("CodigoHembra")},
                        {jaula, QStringLiteral("Jaula")},
                        {raza, QStringLiteral("Raza")},
                        {entrada, QStringLiteral("FechaEntrada")},
                        {marca, QStringLiteral("Marca1")}});
        bar->setCamposClave({QStringLiteral("CodigoHembra")});
        cursor.events().newRecord = [](TableCursor& t) { t.setValue(QStringLiteral("CausaBaja"), -1); };
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(bar);
        KeyNavigation::install(this);
    }

    QAbstractButton* button(TMnto::Boton b) const { return bar->boton(b); }
    // Which of "Añadir", "Aceptar", "Cancelar", "Borrar", "Salir" are enabled, as "10001".
    QString buttons() const {
        QString s;
        for (int b = TMnto::Anadir; b <= TMnto::Salir; ++b)
            s += button(TMnto::Boton(b))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }

    TableCursor cursor;
    NumberEdit* codigo;
    NumberEdit* jaula;
    QLineEdit* raza;
    DateEdit* entrada;
    QCheckBox* marca;
    TMnto* bar;
};

void addFemale(Database& db, int code, const QString& raza = QStringLiteral("Californiana")) {
    db.exec(QStringLiteral("insert into Hembras (CodigoHembra, Jaula, Raza, CausaBaja) values (%1, %2, '%3', -1)")
                .arg(code)
                .arg(code + 100)
                .arg(raza));
}

} // namespace

class TMntoTest : public QObject {
    Q_OBJECT
    FixedClock m_clock{QDate(2026, 12, 9)};

    std::unique_ptr<FemaleCard> shown(TempFarm& farm) {
        auto card = std::make_unique<FemaleCard>(farm.db(), m_clock);
        showActive(*card);
        return card;
    }

    // Types as the farmer does: into the box, over its whole text.
    static void typeOver(QLineEdit* box, const QString& keys) {
        box->setFocus();
        QCoreApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, keys);
    }
    static void typeKey(FemaleCard& card, const QString& digits) { typeOver(card.codigo, digits); }

private slots:
    void buttonsCarryCaptionsAndTwoStatePictures() {
        TempFarm farm;
        FemaleCard card(farm.db(), m_clock);
        const QStringList captions = {"Añadir", "Aceptar", "Cancelar", "Borrar", "Salir"};
        for (int b = TMnto::Anadir; b <= TMnto::Salir; ++b) {
            QAbstractButton* button = card.button(TMnto::Boton(b));
            QCOMPARE(button->text(), captions[b]);
            const QImage normal = button->icon().pixmap(24, QIcon::Normal).toImage();
            const QImage greyed = button->icon().pixmap(24, QIcon::Disabled).toImage();
            QVERIFY(!normal.isNull());
            QVERIFY(normal != greyed);
        }
        card.bar->setCadenaBoton(5, QStringLiteral("Cerrar"));
        QCOMPARE(card.button(TMnto::Salir)->text(), QStringLiteral("Cerrar"));
        QCOMPARE(card.bar->cadenaTexBorrar(), QStringLiteral("¿Está seguro de que desea BORRAR?"));
        QCOMPARE(card.bar->cadenaTitAlta(), QStringLiteral("¡Atención!"));
    }

    void browsingEnablesOnlyAddExitAndTheKey() {
        TempFarm farm;
        addFemale(farm.db(), 3);
        auto card = shown(farm);
        QCOMPARE(card->buttons(), QStringLiteral("10001"));
        QVERIFY(card->codigo->isEnabled());
        QVERIFY(!card->jaula->isEnabled() && !card->raza->isEnabled() && !card->marca->isEnabled());
        QCOMPARE(card->codigo->value(), 3.0);
        QCOMPARE(card->raza->text(), QStringLiteral("Californiana"));
        QTRY_COMPARE(QApplication::focusWidget(), card->codigo);
    }

    void addGivesOneOnAnEmptyTableAndSaves() {
        TempFarm farm;
        ScriptedMessages messages;
        auto card = shown(farm);
        QTest::mouseClick(card->button(TMnto::Anadir), Qt::LeftButton);
        QCOMPARE(card->codigo->value(), 1.0);
        QCOMPARE(card->buttons(), QStringLiteral("01100"));
        QVERIFY(!card->codigo->isEnabled());
        QVERIFY(card->jaula->isEnabled() && card->raza->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), card->jaula);
        QTest::keyClicks(card->jaula, QStringLiteral("42"));
        QTest::keyClick(card->jaula, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), card->raza);
        QTest::keyClicks(card->raza, QStringLiteral("Neozelandesa"));
        QTest::keyClick(card->raza, Qt::Key_Return);
        QTest::keyClicks(card->entrada, QStringLiteral("23042002"));
        QTest::mouseClick(card->button(TMnto::Aceptar), Qt::LeftButton);
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where CodigoHembra=1 and "
                                                 "Jaula=42 and Raza='Neozelandesa' and FechaEntrada='04/23/2002' "
                                                 "and CausaBaja=-1")),
                 1);
        QCOMPARE(card->buttons(), QStringLiteral("10001"));
        QTRY_COMPARE(QApplication::focusWidget(), card->codigo);
    }

    void addGivesTheNumberAfterTheHighest() {
        TempFarm farm;
        for (int code : {2, 57, 30})
            addFemale(farm.db(), code);
        auto card = shown(farm);
        card->button(TMnto::Anadir)->click();
        QCOMPARE(card->codigo->value(), 58.0);
        QCOMPARE(card->raza->text(), QString());
        card->button(TMnto::Cancelar)->click();
        QCOMPARE(card->codigo->value(), 2.0);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 3);
    }

    void enterWithAnEmptyKeyDoesNothing() {
        TempFarm farm;
        ScriptedMessages messages;
        auto card = shown(farm);
        // On an empty table the box is empty from the start.
        QTest::keyClick(card->codigo, Qt::Key_Return);
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(card->cursor.state(), TableCursor::State::Browse);
        QCOMPARE(card->buttons(), QStringLiteral("10001"));

        // Rubbing out a shown key is a change that only "Cancelar" can end.
        addFemale(farm.db(), 3);
        card->cursor.refresh();
        typeKey(*card, QString());
        QTest::keyClick(card->codigo, Qt::Key_Backspace);
        QCOMPARE(card->cursor.state(), TableCursor::State::Edit);
        QTest::keyClick(card->codigo, Qt::Key_Return);
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(card->cursor.state(), TableCursor::State::Edit);
        QCOMPARE(card->buttons(), QStringLiteral("00100"));
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);
    }

    void enterOnAnExistingKeyOpensTheRow() {
        TempFarm farm;
        ScriptedMessages messages;
        for (int code : {4, 8})
            addFemale(farm.db(), code, code == 8 ? QStringLiteral("Rex") : QStringLiteral("Belier"));
        auto card = shown(farm);
        typeKey(*card, QStringLiteral("8"));
        QCOMPARE(card->buttons(), QStringLiteral("00100"));
        QTest::keyClick(card->codigo, Qt::Key_Return);
        QVERIFY(messages.asked().isEmpty());
        QCOMPARE(card->raza->text(), QStringLiteral("Rex"));
        QCOMPARE(card->buttons(), QStringLiteral("01110"));
        QVERIFY(!card->codigo->isEnabled());
        QVERIFY(card->raza->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), card->jaula);
        typeOver(card->jaula, QStringLiteral("15"));
        QTest::keyClick(card->jaula, Qt::Key_Return);
        QTest::mouseClick(card->button(TMnto::Aceptar), Qt::LeftButton);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where CodigoHembra=8 and "
                                                 "Jaula=15")),
                 1);
        QCOMPARE(card->buttons(), QStringLiteral("10001"));
    }

    void noToTheCreationOfferLeavesOnlyCancel() {
        TempFarm farm;
        ScriptedMessages messages;
        addFemale(farm.db(), 4);
        auto card = shown(farm);
        typeKey(*card, QStringLiteral("77"));
        messages.answer(QMessageBox::No);
        QTest::keyClick(card->codigo, Qt::Key_Return);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.asked().last().caption, QStringLiteral("¡Atención!"));
        QCOMPARE(messages.lastText(), QStringLiteral("Código NO Existente ¿Desea darlo de Alta?"));
        QCOMPARE(messages.asked().last().defaultButton, QMessageBox::No);
        QCOMPARE(card->codigo->value(), 77.0);
        QCOMPARE(card->cursor.state(), TableCursor::State::Edit);
        QCOMPARE(card->buttons(), QStringLiteral("00100"));
        QTest::mouseClick(card->button(TMnto::Cancelar), Qt::LeftButton);
        QCOMPARE(card->codigo->value(), 4.0);
        QCOMPARE(card->buttons(), QStringLiteral("10001"));
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);
    }

    void yesToTheCreationOfferBeginsTheRowWithTheTypedKey() {
        TempFarm farm;
        ScriptedMessages messages;
        addFemale(farm.db(), 4);
        auto card = shown(farm);
        typeKey(*card, QStringLiteral("77"));
        messages.answer(QMessageBox::Yes);
        QTest::keyClick(card->codigo, Qt::Key_Return);
        QCOMPARE(card->cursor.state(), TableCursor::State::Insert);
        QCOMPARE(card->codigo->value(), 77.0);
        QCOMPARE(card->raza->text(), QString());
        QCOMPARE(card->buttons(), QStringLiteral("01100"));
        QTRY_COMPARE(QApplication::focusWidget(), card->jaula);
        card->button(TMnto::Aceptar)->click();
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where CodigoHembra=77")), 1);
    }

    void deleteAskedAndAnsweredNoKeepsTheRow() {
        TempFarm farm;
        ScriptedMessages messages;
        for (int code : {4, 8, 9})
            addFemale(farm.db(), code);
        auto card = shown(farm);
        typeKey(*card, QStringLiteral("8"));
        QTest::keyClick(card->codigo, Qt::Key_Return);
        messages.answer(QMessageBox::No);
        QTest::mouseClick(card->button(TMnto::Borrar), Qt::LeftButton);
        QCOMPARE(messages.lastText(), QStringLiteral("¿Está seguro de que desea BORRAR?"));
        QCOMPARE(messages.asked().last().defaultButton, QMessageBox::No);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 3);
        QCOMPARE(card->cursor.state(), TableCursor::State::Browse);
        QCOMPARE(card->buttons(), QStringLiteral("10001"));

        typeKey(*card, QStringLiteral("8"));
        QTest::keyClick(card->codigo, Qt::Key_Return);
        messages.answer(QMessageBox::Yes);
        QTest::mouseClick(card->button(TMnto::Borrar), Qt::LeftButton);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where CodigoHembra=8")), 0);
        QCOMPARE(card->codigo->value(), 9.0); // on the next row
        QCOMPARE(card->buttons(), QStringLiteral("10001"));
    }

    void escapeCancelsAPendingEditBeforeItClosesTheScreen() {
        TempFarm farm;
        addFemale(farm.db(), 4);
        auto card = shown(farm);
        card->button(TMnto::Anadir)->click();
        QTRY_COMPARE(QApplication::focusWidget(), card->jaula);
        QTest::keyClicks(card->jaula, QStringLiteral("3"));
        QTest::keyClick(card->jaula, Qt::Key_Escape);
        QVERIFY(card->isVisible());
        QCOMPARE(card->cursor.state(), TableCursor::State::Browse);
        QCOMPARE(card->codigo->value(), 4.0);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);
        QTRY_COMPARE(QApplication::focusWidget(), card->codigo);
        QTest::keyClick(card->codigo, Qt::Key_Escape);
        QVERIFY(!card->isVisible());
    }

    void closingWithAChangePendingRunsTheCancelRules() {
        TempFarm farm;
        addFemale(farm.db(), 4);
        auto card = shown(farm);
        int cancelled = 0;
        card->cursor.events().afterCancel = [&](TableCursor&) { ++cancelled; };
        card->button(TMnto::Anadir)->click();
        card->close();
        QCOMPARE(cancelled, 1);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);
    }

    void saveRefusedStaysEditingWithTheError() {
        TempFarm farm;
        ScriptedMessages messages;
        auto card = shown(farm);
        card->cursor.events().beforePost = [](TableCursor& t) {
            t.database().exec(QStringLiteral("insert into HistoricoMaternidad (Fecha) values ('04/23/2002')"));
            if (t.value(QStringLiteral("Jaula")).toInt() == 0)
                throw std::runtime_error("Falta la jaula");
        };
        card->button(TMnto::Anadir)->click();
        card->button(TMnto::Aceptar)->click();
        QCOMPARE(messages.lastText(), QStringLiteral("Falta la jaula"));
        QCOMPARE(messages.asked().last().icon, QMessageBox::Critical);
        QCOMPARE(card->cursor.state(), TableCursor::State::Insert);
        QCOMPARE(card->buttons(), QStringLiteral("01100"));
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), 0);

        // A date the table cannot take is refused with its conversion error.
        card->jaula->setValue(5);
        card->entrada->setText(QStringLiteral("31/02/2002"));
        card->button(TMnto::Aceptar)->click();
        QCOMPARE(messages.lastText(), QStringLiteral("'31/02/2002' is not a valid date"));
        QCOMPARE(card->cursor.state(), TableCursor::State::Insert);

        card->entrada->setText(QStringLiteral("28/02/2002"));
        card->button(TMnto::Aceptar)->click();
        QCOMPARE(card->cursor.state(), TableCursor::State::Browse);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where Jaula=5 and "
                                                 "FechaEntrada='02/28/2002'")),
                 1);
    }

    // A date typed wrong in a card stays with its message when "Aceptar" is
    // clicked, said once, and the row is not saved.
    void anImpossibleDateIsKeptWhenSaving() {
        TempFarm farm;
        ScriptedMessages messages;
        auto card = shown(farm);
        card->button(TMnto::Anadir)->click();
        typeOver(card->jaula, QStringLiteral("5"));
        typeOver(card->entrada, QStringLiteral("31022002"));
        QTest::mouseClick(card->button(TMnto::Aceptar), Qt::LeftButton);
        QTRY_COMPARE(messages.asked().size(), 1);
        QTest::qWait(20);
        QCOMPARE(messages.asked().size(), 1);
        QCOMPARE(messages.lastText(), QStringLiteral("'31/02/2002' is not a valid date"));
        QVERIFY(card->entrada->hasFocus());
        QCOMPARE(card->entrada->text(), QStringLiteral("31/02/2002"));
        QCOMPARE(card->cursor.state(), TableCursor::State::Insert);
        QCOMPARE(count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras")), 0);

        typeOver(card->entrada, QStringLiteral("28022002"));
        QTest::mouseClick(card->button(TMnto::Aceptar), Qt::LeftButton);
        QCOMPARE(card->cursor.state(), TableCursor::State::Browse);
        QCOMPARE(
            count(farm.db(), QStringLiteral("select count(*) cuenta from Hembras where FechaEntrada='02/28/2002'")), 1);
        QCOMPARE(messages.asked().size(), 1);
    }

    void dateKeyedScreenHasItsOwnOfferAndNoAdd() {
        TempFarm farm;
        ScriptedMessages messages;
        farm.db().exec(QStringLiteral("insert into HistoricoMaternidad (Fecha, NumeroTotalHembras) values "
                                      "('04/23/2002', 120)"));
        QDialog screen;
        TableCursor days(farm.db(), QStringLiteral("HistoricoMaternidad.db"), {QStringLiteral("Fecha")});
        auto* fecha = new DateEdit(m_clock, &screen);
        auto* total = new NumberEdit(&screen);
        auto* bar = new TMnto(&screen);
        auto* add = new QPushButton(&screen);
        bar->setBotonAnadir(add);
        bar->createButtons({TMnto::Aceptar, TMnto::Cancelar, TMnto::Borrar, TMnto::Salir});
        bar->setDataSource(&days);
        bar->setCampos({{fecha, QStringLiteral("Fecha")}, {total, QStringLiteral("NumeroTotalHembras")}});
        bar->setCamposClave({QStringLiteral("Fecha")});
        bar->setCadenaTexAlta(QStringLiteral("Fecha NO Existente ¿Desea darla de Alta?"));
        QVERIFY(bar->boton(TMnto::Anadir) == nullptr); // a date key: the bar lets go of "Añadir"
        auto* layout = new QVBoxLayout(&screen);
        layout->addWidget(fecha);
        layout->addWidget(total);
        layout->addWidget(bar);
        KeyNavigation::install(&screen);
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QCOMPARE(fecha->text(), QStringLiteral("23/04/2002"));

        fecha->setFocus();
        fecha->selectAll();
        QTest::keyClicks(fecha, QStringLiteral("24042002"));
        messages.answer(QMessageBox::No);
        QTest::keyClick(fecha, Qt::Key_Return);
        QCOMPARE(messages.lastText(), QStringLiteral("Fecha NO Existente ¿Desea darla de Alta?"));
        QTest::keyClick(fecha, Qt::Key_Escape);
        QCOMPARE(fecha->text(), QStringLiteral("23/04/2002"));

        // A typed key that is no date: the conversion error, and nothing changes.
        messages.forget();
        fecha->setFocus();
        fecha->selectAll();
        QTest::keyClicks(fecha, QStringLiteral("31022002"));
        QTest::keyClick(fecha, Qt::Key_Return);
        QCOMPARE(messages.lastText(), QStringLiteral("'31/02/2002' is not a valid date"));
        QCOMPARE(days.state(), TableCursor::State::Edit);
        QTest::qWait(20);
        QCOMPARE(messages.asked().size(), 1); // said once: Enter stays in the box
        QVERIFY(fecha->hasFocus());
        QCOMPARE(fecha->text(), QStringLiteral("31/02/2002"));
        bar->cancelar();

        fecha->setFocus();
        fecha->selectAll();
        QTest::keyClicks(fecha, QStringLiteral("23042002"));
        QTest::keyClick(fecha, Qt::Key_Return);
        QCOMPARE(days.state(), TableCursor::State::Edit);
        QVERIFY(bar->boton(TMnto::Borrar)->isEnabled());
        QCOMPARE(total->value(), 120.0);
    }

    void waitingMessageIsOneBorderlessCentredWindowSizedToItsText() {
        TMensajero defaults;
        QCOMPARE(defaults.texto(), QStringLiteral("Texto sin asignar..."));
        TMensajero first(QStringLiteral("Buscando una Jaula libre... Por favor, espere."));
        {
            TMensajero::Showing shown(first);
            QFrame* w = TMensajero::window();
            QVERIFY(w->isVisible());
            QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
            QCOMPARE(w->frameShadow(), QFrame::Raised);
            auto* label = w->findChild<QLabel*>(QStringLiteral("texto"));
            QCOMPARE(label->text(), first.texto());
            const QSize text = label->fontMetrics().size(Qt::TextSingleLine, first.texto());
            QCOMPARE(w->size(), text + QSize(8, 4));
            const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
            QVERIFY((w->geometry().center() - centre).manhattanLength() <= 2);
        }
        QVERIFY(!TMensajero::window()->isVisible());
        TMensajero second(QStringLiteral("Procesando..."));
        second.show();
        QCOMPARE(TMensajero::window()->findChild<QLabel*>(QStringLiteral("texto"))->text(),
                 QStringLiteral("Procesando..."));
        second.hide();
        QVERIFY(!TMensajero::window()->isVisible());
    }
};

QTEST_MAIN(TMntoTest)
#include "TMntoTest.moc"
