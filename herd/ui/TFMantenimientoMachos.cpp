#include "TFMantenimientoMachos.h"

#include "widgets/EnterMovesOn.h"
#include "HistoryList.h"
#include "TMnto.h"
#include "db/Clock.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"
#include "herd/CardSheet.h"
#include "herd/MaleRegister.h"
#include "db/TableCursor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kCode = QStringLiteral("CodigoMacho");

} // namespace

TFMantenimientoMachos::TFMantenimientoMachos(const FarmContext& context, QWidget* parent)
    : RegisterCard(context, kCode, TFEdicionCubricion::Kind::Male, parent) {
    setObjectName(QStringLiteral("TFMantenimientoMachos"));
    setWindowTitle(QStringLiteral("Ficha de Machos"));

    // The herd average is read once, when the screen opens.
    m_average = MaleRegister::herdAverage(m_db);
    m_register = std::make_unique<MaleRegister>(m_db, m_tag);
    m_cursor = std::make_unique<TableCursor>(m_db, QStringLiteral("Machos.db"), QStringList{kCode});
    m_register->attach(*m_cursor);

    QWidget* card = buildCard();
    createBar(QStringLiteral("1º Libre"));
    layOut(card);

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
    setTabOrder(previous, m_history);
    m_bar->setCampos(campos);
    m_bar->setCamposClave({kCode});
    connect(m_seleccion, &QCheckBox::clicked, this, [this](bool checked) {
        m_seleccionValue = checked;
        m_bar->binder()->edited(m_seleccion);
    });

    connect(m_bar, &TMnto::stateApplied, this, [this] { updateControls(); });
    followCursor();

    KeyNavigation::install(this);
    EnterMovesOn::install(m_seleccion);

    m_cursor->first();
    refresh();
}

TFMantenimientoMachos::~TFMantenimientoMachos() = default;

QWidget* TFMantenimientoMachos::buildCard() {
    auto* card = new QWidget(this);
    m_codigo = numberInput(kCode, card);
    numberInput(QStringLiteral("Jaula"), card);
    m_seleccion = checkInput(QStringLiteral("Seleccion"), QStringLiteral("Selección"), card);
    breedInput(card);
    dateInput(QStringLiteral("FechaNacimiento"), false, card);
    dateInput(QStringLiteral("FechaEntrada"), false, card);
    numberInput(QStringLiteral("NumeroPadre"), card);
    numberInput(QStringLiteral("NumeroMadre"), card);

    createIndexLabel(card);
    createHistory(BreedingHistory::matingHeadings(), QStringLiteral("cubriciones"), 560, card);

    auto* outer = new QVBoxLayout(card);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(
        dataBox(QStringLiteral("Datos del Macho"), QStringLiteral("Nº Macho"), QStringLiteral("Nº Jaula"), card));

    auto* indice = new QHBoxLayout;
    indice->addStretch();
    indice->addWidget(caption(QStringLiteral("Indice de Eficacia"), card));
    indice->addWidget(m_index);
    outer->addLayout(indice);

    addFooter(outer, {"Primer macho", "Macho anterior", "Macho siguiente", "Último macho"}, card);
    return card;
}

void TFMantenimientoMachos::refresh() {
    std::vector<HistoryList::Line> lines;
    messages::guarded(this, [&] {
        for (const BreedingHistory::MatingLine& l : m_register->history(*m_cursor))
            lines.push_back({l.cells(), l.orden, false});
    });
    m_history->setLines(lines);
    m_index->setText(MaleRegister::relativeIndex(m_cursor->value(QStringLiteral("Eficacia")), m_average));
    updateControls();
}

qint64 TFMantenimientoMachos::firstFreeNumber() const {
    return m_register->firstFreeNumber();
}

std::unique_ptr<CardSheet> TFMantenimientoMachos::cardSheet(qint64 code) const {
    return CardSheet::male(m_db, code, m_clock.today());
}

QString TFMantenimientoMachos::cardRows(qint64 code) const {
    return CardSheet::maleRows(code);
}
