#include "TFMantenimientoMachos.h"

#include "EnterMovesOn.h"
#include "HistoryList.h"
#include "TFEdicionCubricion.h"
#include "TMnto.h"
#include "app/Clock.h"
#include "app/ui/DateEdit.h"
#include "app/ui/KeyNavigation.h"
#include "app/ui/Messages.h"
#include "app/ui/NumberEdit.h"
#include "db/Query.h"
#include "herd/CardSheet.h"
#include "herd/MaleRegister.h"
#include "herd/TableCursor.h"
#include "reports/ui/SheetOutput.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kCode = QStringLiteral("CodigoMacho");

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TFMantenimientoMachos::TFMantenimientoMachos(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_tag(context.machineTag) {
    setObjectName(QStringLiteral("TFMantenimientoMachos"));
    setWindowTitle(QStringLiteral("Ficha de Machos"));

    // The herd average is read once, when the screen opens.
    m_average = MaleRegister::herdAverage(m_db);
    m_register = std::make_unique<MaleRegister>(m_db, m_tag);
    m_cursor = std::make_unique<TableCursor>(m_db, QStringLiteral("Machos.db"), QStringList{kCode});
    m_register->attach(*m_cursor);

    QWidget* card = buildCard();
    m_bar = new TMnto(this);
    m_bar->createButtons({TMnto::Anadir, TMnto::Aceptar, TMnto::Cancelar, TMnto::Borrar, TMnto::Salir});
    m_libre = new QPushButton(QStringLiteral("1º Libre"), this);
    m_libre->setObjectName(QStringLiteral("libre"));
    m_libre->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    m_libre->setIconSize(QSize(24, 24));
    m_bar->addButton(m_libre);
    connect(m_libre, &QPushButton::clicked, this, &TFMantenimientoMachos::firstFree);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(card, 1);
    layout->addWidget(m_bar);

    m_bar->setDataSource(m_cursor.get());
    QList<TMnto::Campo> campos;
    QWidget* previous = nullptr;
    for (const char* name : {"CodigoMacho", "Jaula", "Seleccion", "Raza", "FechaNacimiento", "FechaEntrada",
                             "NumeroPadre", "NumeroMadre"}) {
        const QString column = QString::fromLatin1(name);
        QWidget* w = m_inputs.value(column);
        if (w == m_seleccion)
            campos << TMnto::Campo{w, column,
                                   FieldBinder::Access{[this] { return m_seleccionValue; },
                                                       [this](const QVariant& v) {
                                                           m_seleccionValue = v;
                                                           m_seleccion->setChecked(v.isValid() && !v.isNull() &&
                                                                                   v.toBool());
                                                       }}};
        else
            campos << TMnto::Campo{w, column};
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    setTabOrder(previous, m_matings);
    m_bar->setCampos(campos);
    m_bar->setCamposClave({kCode});
    connect(m_seleccion, &QCheckBox::clicked, this, [this](bool checked) {
        m_seleccionValue = checked;
        m_bar->binder()->edited(m_seleccion);
    });

    connect(m_bar, &TMnto::stateApplied, this, [this] { updateControls(); });
    m_listener = m_cursor->subscribe([this](TableCursor::Change change, const QString&) {
        if (change == TableCursor::Change::Record || change == TableCursor::Change::State)
            refresh();
    });
    connect(m_matings, &HistoryList::insertRequested, this, &TFMantenimientoMachos::addMating);
    connect(m_matings, &HistoryList::openRequested, this, &TFMantenimientoMachos::openMating);
    connect(m_matings, &HistoryList::deleteRequested, this, &TFMantenimientoMachos::deleteMating);

    KeyNavigation::install(this);
    EnterMovesOn::install(m_seleccion);

    m_cursor->first();
    refresh();
}

TFMantenimientoMachos::~TFMantenimientoMachos() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

QWidget* TFMantenimientoMachos::buildCard() {
    auto* card = new QWidget(this);
    const auto number = [this, card](const QString& column) {
        auto* n = new NumberEdit(card);
        n->setObjectName(column);
        n->setNonNegative(true); // numbers of animals and cages
        n->setFixedWidth(90);
        m_inputs.insert(column, n);
        return n;
    };
    const auto date = [this, card](const QString& column) {
        auto* d = new DateEdit(m_clock, card);
        d->setObjectName(column);
        d->setFixedWidth(96);
        m_inputs.insert(column, d);
        return d;
    };
    m_codigo = number(kCode);
    number(QStringLiteral("Jaula"));
    m_seleccion = new QCheckBox(QStringLiteral("Selección"), card);
    m_seleccion->setObjectName(QStringLiteral("Seleccion"));
    m_inputs.insert(QStringLiteral("Seleccion"), m_seleccion);
    auto* raza = new QLineEdit(card);
    raza->setObjectName(QStringLiteral("Raza"));
    raza->setMaxLength(40);
    raza->setMinimumWidth(170);
    m_inputs.insert(QStringLiteral("Raza"), raza);
    date(QStringLiteral("FechaNacimiento"));
    date(QStringLiteral("FechaEntrada"));
    number(QStringLiteral("NumeroPadre"));
    number(QStringLiteral("NumeroMadre"));

    m_index = new QLabel(card);
    m_index->setObjectName(QStringLiteral("Eficacia"));
    QFont bold = m_index->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_index->setFont(bold);
    m_index->setMinimumWidth(70);

    m_matings = new HistoryList(BreedingHistory::matingHeadings(), card);
    m_matings->setObjectName(QStringLiteral("cubriciones"));
    m_matings->setMinimumSize(560, 200);

    auto* outer = new QVBoxLayout(card);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* datos = new QGroupBox(QStringLiteral("Datos del Macho"), card);
    auto* grid = new QGridLayout(datos);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(caption(QStringLiteral("Nº Macho"), datos), 0, 0);
    grid->addWidget(m_codigo, 0, 1);
    grid->addWidget(caption(QStringLiteral("Nº Jaula"), datos), 0, 2);
    grid->addWidget(m_inputs.value(QStringLiteral("Jaula")), 0, 3);
    grid->addWidget(m_seleccion, 0, 5);
    grid->addWidget(caption(QStringLiteral("Raza"), datos), 1, 0);
    grid->addWidget(raza, 1, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("Fecha Nacimiento"), datos), 1, 4);
    grid->addWidget(m_inputs.value(QStringLiteral("FechaNacimiento")), 1, 5);
    grid->addWidget(caption(QStringLiteral("Padre"), datos), 2, 0);
    grid->addWidget(m_inputs.value(QStringLiteral("NumeroPadre")), 2, 1);
    grid->addWidget(caption(QStringLiteral("Madre"), datos), 2, 2);
    grid->addWidget(m_inputs.value(QStringLiteral("NumeroMadre")), 2, 3);
    grid->addWidget(caption(QStringLiteral("Fecha Entrada"), datos), 2, 4);
    grid->addWidget(m_inputs.value(QStringLiteral("FechaEntrada")), 2, 5);
    grid->setColumnStretch(6, 1);
    outer->addWidget(datos);

    auto* indice = new QHBoxLayout;
    indice->addStretch();
    indice->addWidget(caption(QStringLiteral("Indice de Eficacia"), card));
    indice->addWidget(m_index);
    outer->addLayout(indice);

    auto* navigation = new QHBoxLayout;
    const std::pair<const char*, QStyle::StandardPixmap> moves[] = {{"primero", QStyle::SP_MediaSkipBackward},
                                                                    {"anterior", QStyle::SP_MediaSeekBackward},
                                                                    {"siguiente", QStyle::SP_MediaSeekForward},
                                                                    {"ultimo", QStyle::SP_MediaSkipForward}};
    const char* const tips[] = {"Primer macho", "Macho anterior", "Macho siguiente", "Último macho"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(style()->standardIcon(moves[i].second), QString(), card);
        b->setObjectName(QString::fromLatin1(moves[i].first));
        b->setToolTip(QString::fromUtf8(tips[i]));
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
    connect(m_imprimir, &QPushButton::clicked, this, &TFMantenimientoMachos::printCard);
    navigation->addWidget(m_imprimir);
    outer->addLayout(navigation);

    outer->addWidget(m_matings, 1);
    auto* hint =
        new QLabel(QStringLiteral("[Ins] nueva cubrición   [Intro] o doble click: modificar   [Supr] borrar"), card);
    hint->setEnabled(false);
    outer->addWidget(hint);
    return card;
}

void TFMantenimientoMachos::refresh() {
    std::vector<HistoryList::Line> lines;
    messages::guarded(this, [&] {
        for (const BreedingHistory::MatingLine& l : m_register->history(*m_cursor))
            lines.push_back({l.cells(), l.orden, false});
    });
    m_matings->setLines(lines);
    m_index->setText(MaleRegister::relativeIndex(m_cursor->value(QStringLiteral("Eficacia")), m_average));
    updateControls();
}

void TFMantenimientoMachos::updateControls() {
    const bool browsing = m_cursor->state() == TableCursor::State::Browse;
    const int position = m_cursor->position();
    const int count = m_cursor->count();
    m_navigation.value(QStringLiteral("primero"))->setEnabled(browsing && position > 0);
    m_navigation.value(QStringLiteral("anterior"))->setEnabled(browsing && position > 0);
    m_navigation.value(QStringLiteral("siguiente"))->setEnabled(browsing && position >= 0 && position < count - 1);
    m_navigation.value(QStringLiteral("ultimo"))->setEnabled(browsing && position >= 0 && position < count - 1);
    m_imprimir->setEnabled(browsing && position >= 0);
    m_libre->setEnabled(browsing);
    m_matings->setEnabled(m_inputs.value(QStringLiteral("Jaula"))->isEnabled());
}

void TFMantenimientoMachos::firstFree() {
    if (m_cursor->isEditing())
        return;
    messages::guarded(this, [this] {
        const qint64 n = m_register->firstFreeNumber();
        m_cursor->edit();
        m_cursor->setValue(kCode, n);
    });
    m_codigo->setFocus(Qt::OtherFocusReason);
}

void TFMantenimientoMachos::printCard() {
    if (m_cursor->isEditing() || m_cursor->position() < 0)
        return;
    const qint64 code = qint64(m_cursor->value(kCode).toDouble());
    messages::guarded(this, [&] {
        const std::unique_ptr<CardSheet> card = CardSheet::male(m_db, code, m_clock.today());
        Query q(m_db, CardSheet::maleRows(code));
        q.open();
        QueryRows rows(q);
        sheets::produce(this, *card, rows, sheets::Destination::Preview);
    });
}

void TFMantenimientoMachos::addMating() {
    if (!m_matings->isEnabled())
        return;
    const QVariant owner = m_cursor->state() == TableCursor::State::Insert ? QVariant() : m_cursor->storedValue(kCode);
    bool added = false;
    messages::guarded(this, [&] {
        TFEdicionCubricion dialog(TFEdicionCubricion::Kind::Male, m_db, m_clock, owner, m_tag, 0, this);
        added = dialog.exec() == QDialog::Accepted;
    });
    refresh();
    if (added)
        m_matings->selectLast();
}

void TFMantenimientoMachos::openMating(qint64 orden) {
    if (!m_matings->isEnabled() || orden == 0)
        return;
    const QVariant owner = m_cursor->state() == TableCursor::State::Insert ? QVariant() : m_cursor->storedValue(kCode);
    messages::guarded(this, [&] {
        TFEdicionCubricion dialog(TFEdicionCubricion::Kind::Male, m_db, m_clock, owner, m_tag, orden, this);
        dialog.exec();
    });
    refresh();
}

void TFMantenimientoMachos::deleteMating(qint64 orden) {
    if (!m_matings->isEnabled() || orden == 0)
        return;
    if (messages::ask(this, QStringLiteral("¡Atención!"),
                      QStringLiteral("¿Está seguro de querer borrar esta cubrición?"), QMessageBox::NoIcon,
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
        messages::guarded(this, [&] { BreedingHistory::deleteMating(m_db, orden); });
    refresh();
}
