#include "TFBloque.h"

#include "TFEdicionFila.h"
#include "blocks/BlockBatch.h"
#include "db/Clock.h"
#include "herd/ui/TMensajero.h"
#include "reports/HouseStyle.h"
#include "widgets/DateEdit.h"
#include "widgets/KeyNavigation.h"
#include "widgets/MarkBoxes.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kAtencion = QStringLiteral("¡Atencion!");
}

TFBloque::TFBloque(FarmContext context, Texts texts, BlockListModel::Columns columns, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)), m_texts(std::move(texts)), m_animalCaption(columns.animal) {
    setWindowTitle(m_texts.caption);
    // The farm parameters and the mark names are read once, when the screen opens.
    m_parameters = FarmParameters::read(m_context.db);

    m_model = new BlockListModel(columns, this);
    m_from = new NumberEdit(this);
    m_from->setObjectName(QStringLiteral("desde"));
    m_to = new NumberEdit(this);
    m_to->setObjectName(QStringLiteral("hasta"));
    m_date = new DateEdit(m_context.clock, this);
    m_date->setObjectName(QStringLiteral("fecha"));
    m_date->setVisible(m_texts.hasDate);
    m_counter = new QLabel(m_model->list().counterText(), this);
    m_counter->setObjectName(QStringLiteral("contador"));
    m_search = new QPushButton(QStringLiteral("Buscar datos de Jaulas"), this);
    m_search->setObjectName(QStringLiteral("buscar"));

    m_inputs = new QGridLayout;
    m_inputs->addWidget(new QLabel(QStringLiteral("Desde la Jaula"), this), 0, 0);
    m_inputs->addWidget(m_from, 0, 1);
    m_inputs->addWidget(new QLabel(QStringLiteral("Hasta la Jaula"), this), 1, 0);
    m_inputs->addWidget(m_to, 1, 1);
    auto* dateLabel = new QLabel(QStringLiteral("Fecha"), this);
    dateLabel->setVisible(m_texts.hasDate);
    m_inputs->addWidget(dateLabel, 0, 2);
    m_inputs->addWidget(m_date, 0, 3);
    m_inputs->addWidget(m_counter, 1, 3, Qt::AlignRight);
    m_inputs->addWidget(m_search, 0, 4, 2, 1);
    m_inputs->setColumnStretch(5, 1);

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("lista"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionsClickable(false);
    m_view->setItemDelegate(new MarkBoxesDelegate(m_model->marksColumn(), BlockListModel::kBoldRole, m_view));
    m_view->installEventFilter(this);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_texts.doubleClickActs)
            act(index);
    });

    auto* legend = new QGridLayout;
    const auto lines = house::markLegend(m_parameters);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(lines[i], this);
        label->setObjectName(QStringLiteral("leyenda%1").arg(i + 1));
        QFont italic = label->font();
        italic.setItalic(true);
        label->setFont(italic);
        legend->addWidget(label, i % 2, i / 2);
        label->setVisible(columns.marks);
    }

    m_process = new QPushButton(m_texts.processButton, this);
    m_process->setObjectName(QStringLiteral("procesar"));
    auto* exit = new QPushButton(QStringLiteral("Salir"), this);
    exit->setObjectName(QStringLiteral("salir"));
    for (QPushButton* b : {m_search, m_process, exit})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_process);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_inputs);
    layout->addWidget(m_view, 1);
    layout->addLayout(legend);
    layout->addLayout(buttons);

    connect(m_model, &BlockListModel::countChanged, m_counter, &QLabel::setText);
    connect(m_search, &QPushButton::clicked, this, &TFBloque::load);
    connect(m_process, &QPushButton::clicked, this, &TFBloque::process);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_from, m_to);
    setTabOrder(m_to, m_date);
    setTabOrder(m_date, m_search);
    setTabOrder(m_search, m_view);
    setTabOrder(m_view, m_process);
    setTabOrder(m_process, exit);
    fitColumns();
    KeyNavigation::install(this);
}

void TFBloque::fitColumns() {
    // Every column is as wide as its heading and a seven-digit number; the screen
    // opens wide enough for all of them, within the screen.
    QHeaderView* header = m_view->horizontalHeader();
    const QFontMetrics metrics = m_view->fontMetrics();
    header->setMinimumSectionSize(metrics.horizontalAdvance(QStringLiteral("0000000")) + metrics.height());
    m_view->resizeColumnsToContents();
    int width = 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_model->columnCount(); ++column)
        width += header->sectionSize(column);
    const QMargins margins = layout()->contentsMargins();
    QSize size(std::max(width + margins.left() + margins.right(), sizeHint().width()), 560);
    if (const QScreen* shownOn = screen())
        size = size.boundedTo(shownOn->availableGeometry().size());
    resize(size);
}

void TFBloque::addInput(const QString& caption, QWidget* input) {
    m_inputs->addWidget(new QLabel(caption, this), m_inputRow, 0);
    m_inputs->addWidget(input, m_inputRow, 1);
    ++m_inputRow;
    setTabOrder(m_to, input);
    setTabOrder(input, m_date);
}

void TFBloque::editRow(int row, const QString& caption, const std::vector<EditedField>& fields) {
    const QStringList current = rowFields(row);
    std::vector<TFEdicionFila::Value> values;
    for (const EditedField& f : fields)
        values.push_back({f.caption, current.value(f.field), f.number});
    TFEdicionFila dialog(caption, current, m_animalCaption, std::move(values), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList edited = dialog.values();
    for (size_t i = 0; i < fields.size(); ++i)
        m_model->setFields(row, fields[i].field, {edited.value(qsizetype(i))});
}

void TFBloque::load() {
    // The screen's own check (the transfers' destination) comes before the day.
    if (!readyToLoad())
        return;
    // A day that is no date has said so and keeps the focus.
    if (m_texts.hasDate && !m_date->checkTyped())
        return;
    if (m_texts.hasDate && m_date->isBlank()) {
        m_date->setFocus();
        return;
    }
    bool loaded = false;
    {
        const TMensajero wait(QStringLiteral("Recopilando información"));
        const TMensajero::Showing shown(wait);
        m_model->setList(CandidateList());
        loaded = messages::guarded(this, [&] {
            const QDate day = m_texts.hasDate ? m_date->date() : m_context.clock.today();
            const CageRange range{qint64(m_from->value()), qint64(m_to->value())};
            m_model->setList(blockbatch::load(m_context.db, *event(), range, day));
        });
    }
    m_view->resizeColumnsToContents();
    // An error stops the load at its own message.
    if (loaded && m_model->list().isEmpty())
        messages::inform(this, kAtencion, m_texts.emptyMessage, QMessageBox::Critical);
    m_view->setFocus();
    if (!m_model->list().isEmpty())
        select(0);
}

void TFBloque::process() {
    // The day is read from the box again: a date changed after loading is the one
    // written. A blank box gets the focus back, as when loading, and a day that is
    // no date says so.
    if (m_texts.hasDate && !m_date->checkTyped())
        return;
    if (m_texts.hasDate && !m_model->list().isEmpty() && m_date->isBlank()) {
        m_date->setFocus();
        return;
    }
    const bool done = messages::guarded(this, [&] {
        const QDate day = m_texts.hasDate ? m_date->date() : m_context.clock.today();
        const TMensajero wait(m_texts.waitMessage);
        const TMensajero::Showing shown(wait);
        auto e = event();
        blockbatch::process(m_context.db, *e, m_model->list(), day);
    });
    if (!done)
        return;
    messages::inform(this, kAtencion, QStringLiteral("El proceso ha finalizado con éxito"), QMessageBox::Information);
    accept();
}

int TFBloque::selectedRow() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TFBloque::select(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->clearSelection();
        return;
    }
    m_view->selectRow(row);
    m_view->setCurrentIndex(m_model->index(row, 0));
}

void TFBloque::act(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const int row = index.row();
    rowAction(row);
    // Changed or not, the selection moves on, unless this was the last row.
    select(row + 1 < m_model->rowCount() ? row + 1 : row);
}

void TFBloque::removeSelected() {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_model->removeRowAt(row);
    select(std::min(row, m_model->rowCount() - 1));
}

bool TFBloque::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyNavigation::isEnter(key)) {
            const int row = selectedRow();
            if (row >= 0)
                act(m_model->index(row, 0));
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
