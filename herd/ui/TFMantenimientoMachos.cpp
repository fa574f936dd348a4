#include "TFMantenimientoMachos.h"

#include "HistoryList.h"
#include "TMnto.h"
#include "db/Clock.h"
#include "db/TableCursor.h"
#include "herd/CardSheet.h"
#include "herd/MaleRegister.h"
#include "widgets/Messages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kCode = QStringLiteral("CodigoMacho");

RegisterCard::Descriptor maleCard() {
    // A new male keeps Seleccion NULL until the farmer ticks or clears it: the
    // card holds that value itself.
    return {.objectName = QStringLiteral("TFMantenimientoMachos"),
            .caption = QStringLiteral("Ficha de Machos"),
            .table = QStringLiteral("Machos.db"),
            .codeColumn = kCode,
            .firstFreeCaption = QStringLiteral("1º Libre"),
            .historyName = QStringLiteral("cubriciones"),
            .historyWidth = 560,
            .kind = TFEdicionCubricion::Kind::Male,
            .fields = RegisterCard::animalFields(kCode, InputField::Kind::Own, false)};
}

} // namespace

TFMantenimientoMachos::TFMantenimientoMachos(const FarmContext& context, QWidget* parent)
    : RegisterCard(context, maleCard(), parent),
      // The herd average is read once, when the screen opens.
      m_average(MaleRegister::herdAverage(m_db)), m_register(std::make_unique<MaleRegister>(m_db, m_tag)) {
    m_register->attach(cursor());
    m_seleccion = static_cast<QCheckBox*>(makeInput({.column = QStringLiteral("Seleccion"),
                                                     .kind = InputField::Kind::Check,
                                                     .caption = QStringLiteral("Selección")},
                                                    m_clock, this));
    addInput(QStringLiteral("Seleccion"), m_seleccion,
             FieldBinder::Access{[this] { return m_seleccionValue; },
                                 [this](const QVariant& v) {
                                     m_seleccionValue = v;
                                     m_seleccion->setChecked(v.isValid() && !v.isNull() && v.toBool());
                                 }});
    connect(m_seleccion, &QCheckBox::clicked, this, [this](bool checked) {
        m_seleccionValue = checked;
        m_bar->binder()->edited(m_seleccion);
    });
    assemble(buildCard());
}

TFMantenimientoMachos::~TFMantenimientoMachos() = default;

QWidget* TFMantenimientoMachos::buildCard() {
    auto* card = new QWidget(this);
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
        for (const BreedingHistory::MatingLine& l : m_register->history(cursor()))
            lines.push_back({l.cells(), l.orden, false});
    });
    m_history->setLines(lines);
    m_index->setText(MaleRegister::relativeIndex(cursor().value(QStringLiteral("Eficacia")), m_average));
    updateControls();
}

qint64 TFMantenimientoMachos::firstFreeNumber() const {
    return m_register->firstFreeNumber();
}

std::unique_ptr<CardSheet> TFMantenimientoMachos::cardSheet(qint64 code) const {
    return CardSheet::male(m_db, code, m_clock.today());
}
