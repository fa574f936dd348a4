#include "TFGuiaTrabajo.h"

#include "GuideDayDelegate.h"
#include "TFEdicionGuiaTrabajo.h"
#include "guide/GuidePrinting.h"
#include "guide/GuideSheet.h"
#include "herd/ui/TMensajero.h"
#include "reports/SheetComposer.h"
#include "reports/ui/FileChoice.h"
#include "reports/ui/PdfBook.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/AppInfo.h"
#include "widgets/DateEdit.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// The two young-female questions, asked in boxes captioned "¡Atención!".
class ScreenQuestions : public GuideQuestions {
public:
    explicit ScreenQuestions(QWidget* parent) : m_parent(parent) {}
    bool printYoung() override { return ask(printYoungText()); }
    bool cageOrderFirst() override { return ask(cageOrderFirstText()); }

private:
    bool ask(const QString& text) { return messages::confirm(m_parent, QString::fromUtf8("¡Atención!"), text); }
    QWidget* m_parent;
};

QPushButton* addButton(QWidget* parent, QLayout* layout, const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

TFGuiaTrabajo::TFGuiaTrabajo(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_parameters(FarmParameters::read(context.db)) {
    setObjectName(QStringLiteral("TFGuiaTrabajo"));
    setWindowTitle(QString::fromUtf8("Guía de Trabajo"));

    m_desdeJaula = new NumberEdit(this);
    m_desdeJaula->setObjectName(QStringLiteral("DesdeJaula"));
    m_hastaJaula = new NumberEdit(this);
    m_hastaJaula->setObjectName(QStringLiteral("HastaJaula"));
    for (NumberEdit* cage : {m_desdeJaula, m_hastaJaula}) {
        cage->setNonNegative(true);
        cage->setValue(0);
    }
    m_desdeFecha = new DateEdit(context.clock, this);
    m_desdeFecha->setObjectName(QStringLiteral("DesdeFecha"));
    m_hastaFecha = new DateEdit(context.clock, this);
    m_hastaFecha->setObjectName(QStringLiteral("HastaFecha"));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("Desde la Jaula"), m_desdeJaula);
    form->addRow(QStringLiteral("Hasta la Jaula"), m_hastaJaula);
    form->addRow(QStringLiteral("Desde la Fecha"), m_desdeFecha);
    form->addRow(QStringLiteral("Hasta la Fecha"), m_hastaFecha);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    QPushButton* lista = addButton(this, left, "Lista Tareas", "ListaTareas");
    left->addSpacing(12);
    m_preview = new QCheckBox(QStringLiteral("Vista Preliminar"), this);
    m_preview->setObjectName(QStringLiteral("VistaPreliminar"));
    left->addWidget(m_preview);
    QPushButton* imprimir = addButton(this, left, "Imprimir Listados", "ImprimirListados");
    QPushButton* pdf = addButton(this, left, "Guardar Guía en PDF", "GuardarPdf");
    left->addStretch();
    QPushButton* salir = addButton(this, left, "Salir", "Salir");

    m_tareas = new QListWidget(this);
    m_tareas->setObjectName(QStringLiteral("TareasARealizar"));
    m_tareas->setItemDelegate(new GuideDayDelegate(m_tareas));
    m_tareas->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tareas->setMinimumSize(420, 500); // two and a half entries in view
    m_tareas->installEventFilter(this);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Tareas a realizar"), this));
    right->addWidget(m_tareas);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(lista, &QPushButton::clicked, this, &TFGuiaTrabajo::listTasks);
    connect(imprimir, &QPushButton::clicked, this, &TFGuiaTrabajo::printLists);
    connect(pdf, &QPushButton::clicked, this, &TFGuiaTrabajo::saveGuidePdf);
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tareas, &QListWidget::itemDoubleClicked, this, &TFGuiaTrabajo::editSelected);

    KeyNavigation::install(this);
    m_desdeJaula->setFocus();
}

bool TFGuiaTrabajo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tareas && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyNavigation::isEnter(key)) {
            editSelected();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            removeSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFGuiaTrabajo::listTasks() {
    // With both dates typed the list is emptied before they are read, so a text
    // that is no date leaves it empty; the box says so once and keeps the focus.
    const bool bothTyped = !m_desdeFecha->isBlank() && !m_hastaFecha->isBlank();
    if (bothTyped && !(m_desdeFecha->isReadable() && m_hastaFecha->isReadable())) {
        m_plan.build(QDate(), QDate(), m_parameters);
        showPlan(0);
    }
    if (!m_desdeFecha->checkTyped() || !m_hastaFecha->checkTyped())
        return;
    GuidePlan::Missing missing = GuidePlan::Missing::None;
    const bool built = messages::guarded(
        this, [&] { missing = m_plan.build(m_desdeFecha->text(), m_hastaFecha->text(), m_parameters); });
    showPlan(0);
    if (!built)
        return;
    if (missing == GuidePlan::Missing::From)
        m_desdeFecha->setFocus();
    else if (missing == GuidePlan::Missing::To)
        m_hastaFecha->setFocus();
    else
        m_tareas->setFocus();
}

void TFGuiaTrabajo::showPlan(int current) {
    m_tareas->clear();
    for (const QString& line : m_plan.lines()) {
        auto* item = new QListWidgetItem(GuideDay::fromLine(line).caption(), m_tareas);
        item->setData(GuideDayDelegate::kLineRole, line);
    }
    if (m_tareas->count() > 0)
        m_tareas->setCurrentRow(std::clamp(current, 0, m_tareas->count() - 1));
}

void TFGuiaTrabajo::editSelected() {
    const int row = m_tareas->currentRow();
    if (row < 0 || row >= m_plan.size())
        return;
    TFEdicionGuiaTrabajo dialog(m_plan.day(row), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_plan.edit(row, dialog.edited());
    showPlan(row);
}

void TFGuiaTrabajo::removeSelected() {
    const int row = m_tareas->currentRow();
    if (row < 0 || row >= m_plan.size())
        return;
    m_plan.removeAt(row);
    showPlan(row);
}

GuideCages TFGuiaTrabajo::cages() const {
    return {.from = qint64(m_desdeJaula->value()), .to = qint64(m_hastaJaula->value())};
}

bool TFGuiaTrabajo::runPlan(const QString& waiting, const std::function<void(GuideSheet&)>& produce) {
    TMensajero mensaje(waiting);
    TMensajero::Showing shown(mensaje);
    ScreenQuestions questions(this);
    return messages::guarded(this, [&] { printPlan(m_db, m_plan, m_parameters, cages(), questions, produce); });
}

void TFGuiaTrabajo::printLists() {
    if (m_plan.isEmpty())
        return;
    const auto destination = m_preview->isChecked() ? sheets::Destination::Preview : sheets::Destination::Printer;
    runPlan(QStringLiteral("Imprimiendo Listados"),
            [&](GuideSheet& sheet) { sheets::produce(this, sheet.sheet(), sheet.rows(), destination); });
}

void TFGuiaTrabajo::saveGuidePdf() {
    if (m_plan.isEmpty())
        return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString title = QString::fromUtf8("Guía de Trabajo");
    const std::optional<QString> chosen =
        filechoice::saveFile(this, QStringLiteral("Guardar como PDF"), QDir(folder).filePath(title + ".pdf"),
                             QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral("pdf"));
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    QString path = *chosen;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");

    const auto cannotSave = [&] {
        messages::inform(
            this, QString::fromUtf8(app::kTitle),
            QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(QDir::toNativeSeparators(path)),
            QMessageBox::Critical);
    };
    PdfBook book(path, title);
    if (!book.isOpen()) {
        cannotSave();
        return;
    }
    bool written = true;
    const bool ran = runPlan(QString::fromUtf8("Guardando Guía en PDF"), [&](GuideSheet& sheet) {
        if (const auto document = SheetComposer::compose(sheet.sheet(), sheet.rows()))
            written = book.add(*document) && written;
    });
    if (!ran || book.pages() == 0)
        return; // stopped by an error already said, or no sheet had lines: nothing to keep
    if (!written || !book.commit())
        cannotSave();
}
