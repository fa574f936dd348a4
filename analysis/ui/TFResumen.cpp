#include "TFResumen.h"

#include "analysis/SummarySheet.h"
#include "db/Clock.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/DateEdit.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QVBoxLayout>

TFResumen::TFResumen(const FarmContext& context, const QString& caption, MakeSheet makeSheet, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_makeSheet(std::move(makeSheet)) {
    setWindowTitle(caption);

    m_desde = new DateEdit(m_clock, this);
    m_desde->setObjectName(QStringLiteral("Desde"));
    m_hasta = new DateEdit(m_clock, this);
    m_hasta->setObjectName(QStringLiteral("Hasta"));
    m_preview = new QCheckBox(QStringLiteral("Vista Preliminar"), this);
    m_preview->setObjectName(QStringLiteral("VistaPreliminar"));
    m_preview->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("Desde"), m_desde);
    form->addRow(QStringLiteral("Hasta"), m_hasta);
    form->addRow(QString(), m_preview);
    layout->addLayout(form);
    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFResumen::produce);
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this);
    m_desde->setFocus();
}

void TFResumen::produce() {
    if (!m_desde->checkTyped() || !m_hasta->checkTyped())
        return;
    messages::guarded(this, [this] {
        const DatePeriod period{m_desde->date(), m_hasta->date()};
        const auto sheet = m_makeSheet(m_db, period, m_clock.today());
        ListRows rows = sheet->rows();
        sheets::produce(this, *sheet, rows,
                        m_preview->isChecked() ? sheets::Destination::Preview : sheets::Destination::Printer);
    });
}
