#include "../../reports/SheetTestKit.h"
#include "../GuideFarm.h"
#include "Keys.h"
#include "Modal.h"
#include "Screens.h"
#include "ScriptedMessages.h"
#include "guide/GuidePrinting.h"
#include "guide/ui/TFEdicionGuiaTrabajo.h"
#include "guide/ui/TFGuiaTrabajo.h"
#include "herd/ui/TMensajero.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Two never-mated females (cages 30 and 10), a negative one (cage 20), one due
// for her nest box (cage 40) and a male in cage 60.
struct PlannerFarm : GuideFarm {
    PlannerFarm() {
        female(1, 30, QDate(2000, 5, 1));
        female(2, 10, QDate(2000, 6, 1));
        female(3, 20);
        cycle(3, 40, false);
        female(4, 40);
        cycle(4, 27, true);
        male(5, 60);
        maleCycle(5, 10, true);
    }
};

// Every text a page prints, to find a header line.
QStringList allTexts(const SheetPage& page) {
    QStringList out;
    for (const SheetItem& item : page.items)
        out << item.text;
    return out;
}

// A sheet as "title: cages of its lines".
QString summary(const SheetDocument& sheet) {
    QStringList cages;
    for (const SheetPage& page : sheet.pages)
        cages << page.texts(QStringLiteral("jaula"), BandKind::Detail);
    return sheet.title + QStringLiteral(": ") + cages.join(QLatin1Char(' '));
}

void listDays(TFGuiaTrabajo& screen, const QString& from, const QString& to) {
    typeOver(screen.desdeFecha(), from);
    QTest::keyClick(screen.desdeFecha(), Qt::Key_Return);
    typeOver(screen.hastaFecha(), to);
    QTest::keyClick(screen.hastaFecha(), Qt::Key_Return);
    click(&screen, "ListaTareas");
}

// Opens the day edit dialog with Enter on the list's current entry and lets `drive` work it.
void editWithEnter(TFGuiaTrabajo& screen, const std::function<void(TFEdicionGuiaTrabajo*)>& drive) {
    whenModal([drive](QWidget* modal) { drive(qobject_cast<TFEdicionGuiaTrabajo*>(modal)); });
    QTest::keyClick(screen.tareas(), Qt::Key_Return);
}

void tick(TFEdicionGuiaTrabajo* dialog, GuideTask task) {
    dialog->task(task)->setFocus();
    QTest::keyClick(dialog->task(task), Qt::Key_Space);
}

// Captures the sheets and what the waiting message showed while each was out.
class WatchedSheets : public CapturedSheets {
public:
    void preview(QWidget* parent, const SheetDocument& sheet) override {
        note();
        CapturedSheets::preview(parent, sheet);
    }
    QStringList waiting;

private:
    void note() {
        QFrame* w = TMensajero::window();
        waiting << (w->isVisible() ? w->findChild<QLabel*>()->text() : QString());
    }
};

} // namespace

class GuideScreenTest : public QObject {
    Q_OBJECT
private slots:
    void aWeekIsListedEditedAndPrintedInDateOrder() {
        ScreenFarm<PlannerFarm> f(GuideFarm::guideDay());
        ScriptedMessages messages;
        CapturedSheets captured;
        TFGuiaTrabajo screen(f.context);
        showActive(screen);
        QCOMPARE(screen.windowTitle(), QString::fromUtf8("Guía de Trabajo"));
        QVERIFY(!screen.vistaPreliminar()->isChecked());
        QVERIFY(screen.desdeFecha()->isBlank() && screen.hastaFecha()->isBlank());

        listDays(screen, QStringLiteral("05032001"), QStringLiteral("11032001"));
        QCOMPARE(screen.tareas()->count(), 7);
        QCOMPARE(QApplication::focusWidget(), screen.tareas());
        QCOMPARE(screen.plan().lines().first(),
                 QStringLiteral("20010305|05/03/2001|lunes, 05/03/2001|0|0|0|0|0|0|0|0|0|0|0|2|10|3|0|0|15|25"));

        // A fresh guide prints nothing and asks nothing.
        click(&screen, "ImprimirListados");
        QVERIFY(captured.sheets().empty());

        // Delete takes the third day at once.
        screen.tareas()->setCurrentRow(2);
        QTest::keyClick(screen.tareas(), Qt::Key_Delete);
        QCOMPARE(screen.tareas()->count(), 6);
        QCOMPARE(screen.plan().day(2).guideDate(), QStringLiteral("08/03/2001"));
        QVERIFY(messages.asked().isEmpty());

        // Enter on the first day: the matings, the male range up to 9.
        screen.tareas()->setCurrentRow(0);
        editWithEnter(screen, [](TFEdicionGuiaTrabajo* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Edición Guia Trabajo"));
            QCOMPARE(d->number(0)->value(), 2.0);
            tick(d, GuideTask::Cubriciones);
            typeOver(d->number(4), QStringLiteral("9"));
            click(d, "aceptar");
        });
        // Escape leaves the second day as it was.
        screen.tareas()->setCurrentRow(1);
        editWithEnter(screen, [](TFEdicionGuiaTrabajo* d) {
            tick(d, GuideTask::Destetes);
            QTest::keyClick(d->task(GuideTask::Destetes), Qt::Key_Escape);
        });
        QCOMPARE(screen.plan().day(1).line(),
                 QStringLiteral("20010306|06/03/2001|martes, 06/03/2001|0|0|0|0|0|0|0|0|0|0|0|2|10|3|0|0|15|25"));
        // A double click opens the second day: the injections, the nest boxes and the sheetless moves.
        whenModal([](QWidget* modal) {
            auto* d = qobject_cast<TFEdicionGuiaTrabajo*>(modal);
            for (GuideTask t : {GuideTask::Pinchazo, GuideTask::Nidales, GuideTask::MovimientoCebadero,
                                GuideTask::Traslados})
                tick(d, t);
            click(d, "aceptar");
        });
        const QRect second = screen.tareas()->visualItemRect(screen.tareas()->item(1));
        QTest::mouseClick(screen.tareas()->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(screen.tareas()->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(screen.plan().day(0).line(),
                 QStringLiteral("20010305|05/03/2001|lunes, 05/03/2001|0|1|0|0|0|0|0|0|0|0|0|2|10|3|0|9|15|25"));
        QCOMPARE(screen.plan().day(1).line(),
                 QStringLiteral("20010306|06/03/2001|martes, 06/03/2001|1|0|0|1|0|0|0|0|1|1|0|2|10|3|0|0|15|25"));

        // Printed, young females wanted in the order of their age.
        messages.answer(QMessageBox::Yes);
        messages.answer(QMessageBox::No);
        click(&screen, "ImprimirListados");
        QStringList printed;
        for (const auto& [sheet, previewed] : captured.sheets()) {
            QVERIFY(!previewed);
            printed << summary(sheet);
        }
        QCOMPARE(printed, QStringList({QString::fromUtf8("Guía de Cubriciones Hembras: 20"),
                                       QString::fromUtf8("Guía de Cubriciones (Jóvenes): 30 10"),
                                       QString::fromUtf8("Guía de Cubriciones Machos: 60"),
                                       QString::fromUtf8("Guía Pinchazos Ciclización: 10 20 30"),
                                       QString::fromUtf8("Guía de Colocación de Nidales: 40")}));
        QCOMPARE(messages.asked().size(), 2);
        QCOMPARE(messages.asked()[0].caption, QString::fromUtf8("¡Atención!"));
        QCOMPARE(messages.asked()[0].text, GuideQuestions::printYoungText());
        QCOMPARE(messages.asked()[1].text, GuideQuestions::cageOrderFirstText());
        const SheetPage& males = captured.sheets()[2].sheet.pages.at(0);
        QVERIFY(allTexts(males).contains(QStringLiteral("Desde el Macho 0 al Macho 9")));
        const SheetPage& injections = captured.sheets()[3].sheet.pages.at(0);
        QVERIFY(allTexts(injections).contains(QStringLiteral("Desde la Jaula 0 a la Jaula 0")));
        QVERIFY(allTexts(injections).contains(QStringLiteral("martes, 6 de marzo de 2001")));
    }

    void theCageBoxesBoundTheSheetsAndThePreviewIsTicked() {
        ScreenFarm<PlannerFarm> f(GuideFarm::guideDay());
        ScriptedMessages messages;
        WatchedSheets captured;
        TFGuiaTrabajo screen(f.context);
        showActive(screen);
        typeOver(screen.desdeJaula(), QStringLiteral("15"));
        QTest::keyClick(screen.desdeJaula(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), screen.hastaJaula());
        typeOver(screen.hastaJaula(), QStringLiteral("45"));
        listDays(screen, QStringLiteral("06032001"), QStringLiteral("06032001"));
        editWithEnter(screen, [](TFEdicionGuiaTrabajo* d) {
            tick(d, GuideTask::Pinchazo);
            tick(d, GuideTask::Nidales);
            click(d, "aceptar");
        });
        screen.vistaPreliminar()->setFocus();
        QTest::keyClick(screen.vistaPreliminar(), Qt::Key_Space);
        click(&screen, "ImprimirListados");
        QCOMPARE(int(captured.sheets().size()), 2);
        QCOMPARE(captured.waiting, QStringList(2, QStringLiteral("Imprimiendo Listados")));
        QVERIFY(!TMensajero::window()->isVisible());
        // Never-mated females are on the injection sheet wherever they stand.
        QCOMPARE(summary(captured.sheets()[0].sheet), QString::fromUtf8("Guía Pinchazos Ciclización: 10 20 30"));
        QCOMPARE(summary(captured.sheets()[1].sheet), QString::fromUtf8("Guía de Colocación de Nidales: 40"));
        for (const auto& c : captured.sheets()) {
            QVERIFY(c.previewed);
            QVERIFY(allTexts(c.sheet.pages.at(0)).contains(QStringLiteral("Desde la Jaula 15 a la Jaula 45")));
        }
        QVERIFY(messages.asked().isEmpty());
    }

    void listaTareasSendsTheFocusToABlankDateAndEmptiesTheListFirst() {
        ScreenFarm<PlannerFarm> f(GuideFarm::guideDay());
        ScriptedMessages messages;
        TFGuiaTrabajo screen(f.context);
        showActive(screen);
        listDays(screen, QStringLiteral("05032001"), QStringLiteral("06032001"));
        QCOMPARE(screen.tareas()->count(), 2);

        typeOver(screen.hastaFecha(), QString());
        QTest::keyClick(screen.hastaFecha(), Qt::Key_Backspace);
        click(&screen, "ListaTareas");
        QCOMPARE(QApplication::focusWidget(), screen.hastaFecha());
        QCOMPARE(screen.tareas()->count(), 2); // a blank box changes nothing
        typeOver(screen.desdeFecha(), QString());
        QTest::keyClick(screen.desdeFecha(), Qt::Key_Backspace);
        click(&screen, "ListaTareas");
        QCOMPARE(QApplication::focusWidget(), screen.desdeFecha());
        QCOMPARE(screen.tareas()->count(), 2);

        // A text that is no date empties the list and is said once; the box keeps it and the focus.
        typeOver(screen.desdeFecha(), QStringLiteral("05032001"));
        typeOver(screen.hastaFecha(), QStringLiteral("31022001"));
        messages.forget();
        click(&screen, "ListaTareas");
        QTest::qWait(20);
        QCOMPARE(screen.tareas()->count(), 0);
        QCOMPARE(messages.asked().size(), 1);
        QVERIFY(messages.lastText().contains(QStringLiteral("31/02/2001")));
        QCOMPARE(QApplication::focusWidget(), screen.hastaFecha());
        listDays(screen, QStringLiteral("05032001"), QStringLiteral("06032001"));
        QCOMPARE(screen.tareas()->count(), 2);
        listDays(screen, QStringLiteral("06032001"), QStringLiteral("05032001"));
        QCOMPARE(screen.tareas()->count(), 0); // inverted: empty
        listDays(screen, QStringLiteral("05032001"), QStringLiteral("05032001"));
        QCOMPARE(screen.tareas()->count(), 1);
        QCOMPARE(screen.tareas()->item(0)->text(), QStringLiteral("lunes, 05/03/2001"));
        messages.forget();
        // Delete on an emptied list does nothing.
        QTest::keyClick(screen.tareas(), Qt::Key_Delete);
        QTest::keyClick(screen.tareas(), Qt::Key_Delete);
        QCOMPARE(screen.tareas()->count(), 0);
        QCOMPARE(QApplication::focusWidget(), screen.tareas());
        QVERIFY(messages.asked().isEmpty());
    }

    void theWholeGuideGoesToOnePdfInPrintOrder() {
        ScreenFarm<PlannerFarm> f(GuideFarm::guideDay());
        ScriptedMessages messages;
        ScriptedFileChoice files;
        CapturedSheets captured;
        QTemporaryDir folder;
        TFGuiaTrabajo screen(f.context);
        showActive(screen);
        listDays(screen, QStringLiteral("05032001"), QStringLiteral("06032001"));
        for (int row : {0, 1}) {
            screen.tareas()->setCurrentRow(row);
            editWithEnter(screen, [](TFEdicionGuiaTrabajo* d) {
                tick(d, GuideTask::Pinchazo);
                tick(d, GuideTask::Cubriciones);
                click(d, "aceptar");
            });
        }
        // Cancelled: nothing is written, nothing asked.
        click(&screen, "GuardarPdf");
        QCOMPARE(files.asked().size(), 1);
        QVERIFY(messages.asked().isEmpty());

        const QString path = folder.filePath(QStringLiteral("guia"));
        files.answer(path);
        for (int day = 0; day < 2; ++day)
            messages.answer(QMessageBox::No);
        click(&screen, "GuardarPdf");
        QCOMPARE(files.asked().last().defaultSuffix, QStringLiteral("pdf"));
        QVERIFY(files.asked().last().suggestedPath.endsWith(QString::fromUtf8("Guía de Trabajo.pdf")));
        QFile pdf(path + QStringLiteral(".pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        // Each day: injections (3 lines) and the females' matings (1), one page each; no male in range 0 to 0.
        const qsizetype pages = QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type /Page\\b")));
        QCOMPARE(pages, qsizetype(4));
        QCOMPARE(messages.asked().size(), 2); // the young question once a day, answered No
        QVERIFY(captured.sheets().empty());   // nothing went to the printer

        // A file that cannot be written is said at once, before any question.
        files.answer(folder.filePath(QStringLiteral("no-such-folder/guia.pdf")));
        click(&screen, "GuardarPdf");
        QCOMPARE(messages.asked().size(), 3);
        QVERIFY(messages.lastText().startsWith(QStringLiteral("No se ha podido guardar el archivo")));
    }

    void salirAndEscapeCloseTheScreen() {
        ScreenFarm<PlannerFarm> f;
        TFGuiaTrabajo screen(f.context);
        showActive(screen);
        QTest::keyClick(screen.desdeJaula(), Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
        TFGuiaTrabajo again(f.context);
        showActive(again);
        click(&again, "Salir");
        QVERIFY(!again.isVisible());
    }
};

QTEST_MAIN(GuideScreenTest)
#include "GuideScreenTest.moc"
