#include "TFAltasHembras.h"

#include "TMensajero.h"
#include "herd/BulkAdditions.h"
#include "widgets/DateEdit.h"
#include "widgets/DialogButtons.h"
#include "widgets/FarmContext.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// This screen writes its caption without the accent.
const QString kAtencion = QStringLiteral("¡Atencion!");
} // namespace

TFAltasHembras::TFAltasHembras(const FarmContext& context, QWidget* parent) : QDialog(parent), m_db(context.db) {
    setObjectName(QStringLiteral("TFAltasHembras"));
    setWindowTitle(QStringLiteral("Altas de Hembras"));
    auto number = [this](const char* name) {
        auto* box = new NumberEdit(this);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    m_cantidad = number("Cantidad");
    m_desde = number("DesdeJaula");
    m_hasta = number("HastaJaula");
    m_nacimiento = new DateEdit(context.clock, this);
    m_nacimiento->setObjectName(QStringLiteral("FechaNacimiento"));
    m_entrada = new DateEdit(context.clock, this);
    m_entrada->setObjectName(QStringLiteral("FechaEntrada"));
    m_raza = new QLineEdit(this);
    m_raza->setObjectName(QStringLiteral("Raza"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("Cantidad"), m_cantidad);
    form->addRow(QStringLiteral("Desde la jaula"), m_desde);
    form->addRow(QStringLiteral("Hasta la jaula"), m_hasta);
    form->addRow(QStringLiteral("Fecha Nacimiento"), m_nacimiento);
    form->addRow(QStringLiteral("Fecha Entrada"), m_entrada);
    form->addRow(QStringLiteral("Raza"), m_raza);
    layout->addLayout(form);
    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFAltasHembras::accept);
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this);
    m_cantidad->setFocus();
}

void TFAltasHembras::accept() {
    if (!m_nacimiento->checkTyped() || !m_entrada->checkTyped())
        return;
    const BulkAddition addition{qint64(m_cantidad->value()), qint64(m_desde->value()), qint64(m_hasta->value()),
                                m_nacimiento->date(), m_entrada->date(), m_raza->text()};
    switch (BulkAdditions::firstMissing(addition)) {
    case BulkAdditions::Missing::Count: m_cantidad->setFocus(); return;
    case BulkAdditions::Missing::FromCage: m_desde->setFocus(); return;
    case BulkAdditions::Missing::ToCage: m_hasta->setFocus(); return;
    case BulkAdditions::Missing::Birth: m_nacimiento->setFocus(); return;
    case BulkAdditions::Missing::Entry: m_entrada->setFocus(); return;
    case BulkAdditions::Missing::None: break;
    }
    auto outcome = BulkAdditions::Outcome::CagesTaken;
    bool done = false;
    {
        const TMensajero wait(QStringLiteral("Dando de alta las nuevas hembras..."));
        const TMensajero::Showing shown(wait);
        done = messages::guarded(this, [&] { outcome = BulkAdditions(m_db).add(addition); });
    }
    if (!done)
        return;
    if (outcome == BulkAdditions::Outcome::CagesTaken)
        messages::inform(this, kAtencion, QStringLiteral("No todas las jaulas seleccionadas están libres"),
                         QMessageBox::Critical);
    else
        messages::inform(this, kAtencion, QStringLiteral("El proceso ha finalizado con éxito"),
                         QMessageBox::Information);
}
