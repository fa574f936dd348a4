#include "TFJaulasOcupadas.h"

#include "db/Clock.h"
#include "db/SqlFormat.h"
#include "reports/ui/SheetOutput.h"
#include "selection/OccupiedCages.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QVBoxLayout>

TFJaulasOcupadas::TFJaulasOcupadas(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock) {
    setWindowTitle(QStringLiteral("Búsqueda de Jaulas Ocupadas"));

    m_from = new NumberEdit(this);
    m_from->setObjectName(QStringLiteral("desde"));
    m_to = new NumberEdit(this);
    m_to->setObjectName(QStringLiteral("hasta"));
    m_preview = new QCheckBox(QStringLiteral("Presentación Preliminar"), this);
    m_preview->setObjectName(QStringLiteral("PresentacionPreliminar"));
    m_preview->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("Desde la Jaula"), m_from);
    form->addRow(QStringLiteral("Hasta la Jaula"), m_to);
    form->addRow(QString(), m_preview);
    layout->addLayout(form);
    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFJaulasOcupadas::produce);
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this);
    m_from->setFocus();
}

void TFJaulasOcupadas::produce() {
    messages::guarded(this, [this] {
        OccupiedCages cages(m_db, sql::rounded(m_from->value()), sql::rounded(m_to->value()), m_clock.today());
        // With no active female in the range nothing is produced and nothing is said.
        sheets::produce(this, cages.sheet(), cages.rows(),
                        m_preview->isChecked() ? sheets::Destination::Preview : sheets::Destination::Printer);
    });
}
