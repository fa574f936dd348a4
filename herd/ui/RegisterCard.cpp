#include "RegisterCard.h"

#include "HistoryList.h"
#include "TMnto.h"
#include "db/Clock.h"
#include "db/TableCursor.h"
#include "herd/BreedingHistory.h"
#include "herd/CardSheet.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/EnterMovesOn.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Where Enter stops in an input: the input itself, or the buttons of a box that
// takes no focus of its own (the choice of cull cause).
QList<QWidget*> tabStops(QWidget* input) {
    if (input->focusPolicy() != Qt::NoFocus)
        return {input};
    QList<QWidget*> stops;
    for (QWidget* child : input->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() & Qt::TabFocus)
            stops << child;
    }
    return stops;
}

} // namespace

RegisterCard::RegisterCard(const FarmContext& context, Descriptor descriptor, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_tag(context.machineTag),
      m_descriptor(std::move(descriptor)),
      m_cursor(std::make_unique<TableCursor>(m_db, m_descriptor.table, QStringList{m_descriptor.codeColumn})) {
    setObjectName(m_descriptor.objectName);
    setWindowTitle(m_descriptor.caption);
    for (const InputField& field : m_descriptor.fields) {
        if (QWidget* box = makeInput(field, m_clock, this))
            m_inputs.insert(field.column, box);
    }
    m_codigo = qobject_cast<NumberEdit*>(m_inputs.value(m_descriptor.codeColumn));

    m_index = new QLabel(this);
    m_index->setObjectName(QStringLiteral("Eficacia"));
    QFont bold = m_index->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_index->setFont(bold);
    m_index->setMinimumWidth(70);

    const bool female = m_descriptor.kind == TFEdicionCubricion::Kind::Female;
    m_history = new HistoryList(female ? BreedingHistory::cycleHeadings() : BreedingHistory::matingHeadings(), this);
    m_history->setObjectName(m_descriptor.historyName);
    m_history->setMinimumSize(m_descriptor.historyWidth, 200);

    createBar(m_descriptor.firstFreeCaption);
}

RegisterCard::~RegisterCard() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

void RegisterCard::addInput(const QString& column, QWidget* widget, FieldBinder::Access access) {
    widget->setObjectName(column);
    m_inputs.insert(column, widget);
    if (access.read)
        m_access.insert(column, std::move(access));
}

void RegisterCard::assemble(QWidget* card) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(card, 1);
    layout->addWidget(m_bar);
    m_bar->setDataSource(m_cursor.get());

    QList<TMnto::Campo> campos;
    for (const InputField& field : m_descriptor.fields)
        campos << TMnto::Campo{m_inputs.value(field.column), field.column, m_access.value(field.column)};
    m_bar->setCampos(campos);
    m_bar->setCamposClave({m_descriptor.codeColumn});

    // Enter walks the fields in the order of the bar's list, then the history.
    QList<QAbstractButton*> buttons;
    QWidget* previous = nullptr;
    for (const TMnto::Campo& c : campos) {
        for (QWidget* w : tabStops(c.widget)) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                buttons << button;
        }
    }
    setTabOrder(previous, m_history);

    connect(m_bar, &TMnto::stateApplied, this, &RegisterCard::updateControls);
    m_listener = m_cursor->subscribe([this](TableCursor::Change change, const QString&) {
        if (change == TableCursor::Change::Record || change == TableCursor::Change::State)
            refresh();
    });
    connect(m_history, &HistoryList::insertRequested, this, &RegisterCard::addLine);
    connect(m_history, &HistoryList::openRequested, this, &RegisterCard::openLine);
    connect(m_history, &HistoryList::deleteRequested, this, &RegisterCard::deleteLine);

    KeyNavigation::install(this);
    for (QAbstractButton* button : buttons)
        EnterMovesOn::install(button);

    // The card opens on the first animal, with the history at its last line.
    m_cursor->first();
    refresh();
}

void RegisterCard::createBar(const QString& firstFreeCaption) {
    m_bar = new TMnto(this);
    m_bar->createButtons({TMnto::Anadir, TMnto::Aceptar, TMnto::Cancelar, TMnto::Borrar, TMnto::Salir});
    m_libre = new QPushButton(firstFreeCaption, this);
    m_libre->setObjectName(QStringLiteral("libre"));
    m_libre->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_libre->setIconSize(QSize(24, 24));
    m_bar->addButton(m_libre);
    connect(m_libre, &QPushButton::clicked, this, &RegisterCard::firstFree);
}

std::vector<InputField> RegisterCard::animalFields(const QString& codeColumn, InputField::Kind selection,
                                                   bool datesDefaultToToday) {
    using Kind = InputField::Kind;
    // Numbers of animals and cages never go below zero.
    const auto number = [](const QString& column) {
        return InputField{.column = column, .kind = Kind::Number, .width = 90, .nonNegative = true};
    };
    const auto date = [datesDefaultToToday](const QString& column) {
        return InputField{.column = column, .kind = Kind::Date, .width = 96, .defaultsToToday = datesDefaultToToday};
    };
    return {number(codeColumn),
            number(QStringLiteral("Jaula")),
            {.column = QStringLiteral("Seleccion"), .kind = selection, .caption = QStringLiteral("Selección")},
            {.column = QStringLiteral("Raza"), .kind = Kind::Text, .width = 170, .maxLength = 40},
            date(QStringLiteral("FechaNacimiento")),
            date(QStringLiteral("FechaEntrada")),
            number(QStringLiteral("NumeroPadre")),
            number(QStringLiteral("NumeroMadre"))};
}

QLabel* RegisterCard::caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QGroupBox* RegisterCard::dataBox(const QString& title, const QString& codeCaption, const QString& cageCaption,
                                 QWidget* card) {
    auto* datos = new QGroupBox(title, card);
    auto* grid = new QGridLayout(datos);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(caption(codeCaption, datos), 0, 0);
    grid->addWidget(m_codigo, 0, 1);
    grid->addWidget(caption(cageCaption, datos), 0, 2);
    grid->addWidget(m_inputs.value(QStringLiteral("Jaula")), 0, 3);
    grid->addWidget(m_inputs.value(QStringLiteral("Seleccion")), 0, 5);
    grid->addWidget(caption(QStringLiteral("Raza"), datos), 1, 0);
    grid->addWidget(m_inputs.value(QStringLiteral("Raza")), 1, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("Fecha Nacimiento"), datos), 1, 4);
    grid->addWidget(m_inputs.value(QStringLiteral("FechaNacimiento")), 1, 5);
    grid->addWidget(caption(QStringLiteral("Padre"), datos), 2, 0);
    grid->addWidget(m_inputs.value(QStringLiteral("NumeroPadre")), 2, 1);
    grid->addWidget(caption(QStringLiteral("Madre"), datos), 2, 2);
    grid->addWidget(m_inputs.value(QStringLiteral("NumeroMadre")), 2, 3);
    grid->addWidget(caption(QStringLiteral("Fecha Entrada"), datos), 2, 4);
    grid->addWidget(m_inputs.value(QStringLiteral("FechaEntrada")), 2, 5);
    grid->setColumnStretch(6, 1);
    return datos;
}

void RegisterCard::addFooter(QVBoxLayout* outer, const std::array<const char*, 4>& tips, QWidget* card) {
    auto* navigation = new QHBoxLayout;
    const std::pair<const char*, QStyle::StandardPixmap> moves[] = {{"primero", QStyle::SP_MediaSkipBackward},
                                                                    {"anterior", QStyle::SP_MediaSeekBackward},
                                                                    {"siguiente", QStyle::SP_MediaSeekForward},
                                                                    {"ultimo", QStyle::SP_MediaSkipForward}};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(style()->standardIcon(moves[i].second), QString(), card);
        b->setObjectName(QString::fromLatin1(moves[i].first));
        b->setToolTip(QString::fromUtf8(tips[size_t(i)]));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        m_navigation.insert(b->objectName(), b);
        navigation->addWidget(b);
    }
    connect(m_navigation.value(QStringLiteral("primero")), &QPushButton::clicked, this, [this] { m_cursor->first(); });
    connect(m_navigation.value(QStringLiteral("anterior")), &QPushButton::clicked, this, [this] { m_cursor->prior(); });
    connect(m_navigation.value(QStringLiteral("siguiente")), &QPushButton::clicked, this, [this] { m_cursor->next(); });
    connect(m_navigation.value(QStringLiteral("ultimo")), &QPushButton::clicked, this, [this] { m_cursor->last(); });
    navigation->addStretch();
    m_imprimir = new QPushButton(QStringLiteral("Imprimir Ficha"), card);
    m_imprimir->setObjectName(QStringLiteral("imprimir"));
    m_imprimir->setAutoDefault(false);
    m_imprimir->setFocusPolicy(Qt::NoFocus);
    connect(m_imprimir, &QPushButton::clicked, this, &RegisterCard::printCard);
    navigation->addWidget(m_imprimir);
    outer->addLayout(navigation);

    outer->addWidget(m_history, 1);
    auto* hint =
        new QLabel(QStringLiteral("[Ins] nueva cubrición   [Intro] o doble click: modificar   [Supr] borrar"), card);
    hint->setEnabled(false);
    outer->addWidget(hint);
}

void RegisterCard::updateControls() {
    const bool browsing = m_cursor->state() == TableCursor::State::Browse;
    const int position = m_cursor->position();
    const int count = m_cursor->count();
    m_navigation.value(QStringLiteral("primero"))->setEnabled(browsing && position > 0);
    m_navigation.value(QStringLiteral("anterior"))->setEnabled(browsing && position > 0);
    m_navigation.value(QStringLiteral("siguiente"))->setEnabled(browsing && position >= 0 && position < count - 1);
    m_navigation.value(QStringLiteral("ultimo"))->setEnabled(browsing && position >= 0 && position < count - 1);
    m_imprimir->setEnabled(browsing && position >= 0);
    m_libre->setEnabled(browsing);
    // The history is open while the card itself can be saved.
    m_history->setEnabled(m_inputs.value(QStringLiteral("Jaula"))->isEnabled());
}

void RegisterCard::firstFree() {
    if (m_cursor->isEditing())
        return;
    messages::guarded(this, [this] {
        const qint64 n = firstFreeNumber();
        m_cursor->edit();
        m_cursor->setValue(m_descriptor.codeColumn, n);
    });
    m_codigo->setFocus(Qt::OtherFocusReason);
}

void RegisterCard::printCard() {
    if (m_cursor->isEditing() || m_cursor->position() < 0)
        return;
    const qint64 code = qint64(m_cursor->value(m_descriptor.codeColumn).toDouble());
    messages::guarded(this, [&] {
        const std::unique_ptr<CardSheet> card = cardSheet(code);
        const std::unique_ptr<SheetRows> rows = card->rows();
        sheets::produce(this, *card, *rows, sheets::Destination::Preview);
    });
}

void RegisterCard::addLine() {
    if (m_history->isEnabled())
        editLine(0);
}

void RegisterCard::openLine(qint64 orden) {
    if (m_history->isEnabled() && orden != 0)
        editLine(orden);
}

void RegisterCard::editLine(qint64 orden) {
    // A new animal has no number yet: its rows carry only this computer's tag.
    const QVariant owner =
        m_cursor->state() == TableCursor::State::Insert ? QVariant() : m_cursor->storedValue(m_descriptor.codeColumn);
    bool accepted = false;
    messages::guarded(this, [&] {
        TFEdicionCubricion dialog(m_descriptor.kind, m_db, m_clock, owner, m_tag, orden, this);
        accepted = dialog.exec() == QDialog::Accepted;
    });
    refresh();
    // A line just added is selected.
    if (accepted && orden == 0)
        m_history->selectLast();
}

void RegisterCard::deleteLine(qint64 orden) {
    if (!m_history->isEnabled() || orden == 0)
        return;
    const bool female = m_descriptor.kind == TFEdicionCubricion::Kind::Female;
    // The female card asks with the question sign, the male card with none.
    if (messages::ask(this, QStringLiteral("¡Atención!"),
                      QStringLiteral("¿Está seguro de querer borrar esta cubrición?"),
                      female ? QMessageBox::Question : QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No,
                      QMessageBox::No) == QMessageBox::Yes) {
        messages::guarded(this, [&] {
            if (female)
                BreedingHistory::deleteCycle(m_db, orden);
            else
                BreedingHistory::deleteMating(m_db, orden);
        });
    }
    refresh();
}
