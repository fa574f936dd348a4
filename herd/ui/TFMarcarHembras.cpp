#include "TFMarcarHembras.h"

#include "TMensajero.h"
#include "db/Query.h"
#include "widgets/DialogButtons.h"
#include "widgets/FarmContext.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QVBoxLayout>

TFMarcarHembras::TFMarcarHembras(const FarmContext& context, MarkChange::Range range, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_range(range) {
    const bool byCage = range == MarkChange::Range::Cages;
    setObjectName(byCage ? QStringLiteral("TFMarcarHembras") : QStringLiteral("TFMarcarHembrasCodigo"));
    setWindowTitle(byCage ? QStringLiteral("Marcar Hembras") : QStringLiteral("Marcar Hembras Por Codigo de Hembra"));
    m_desde = new NumberEdit(this);
    m_desde->setObjectName(QStringLiteral("Desde"));
    m_hasta = new NumberEdit(this);
    m_hasta->setObjectName(QStringLiteral("Hasta"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(byCage ? QStringLiteral("Desde Jaula") : QStringLiteral("Desde Hembra"), m_desde);
    form->addRow(byCage ? QStringLiteral("Hasta Jaula") : QStringLiteral("Hasta Hembra"), m_hasta);
    layout->addLayout(form);

    QStringList names(4);
    messages::guarded(this, [&] {
        Query q(m_db, QStringLiteral("select * from DatosExplotacion"));
        q.open();
        for (int i = 0; i < 4 && !q.eof(); ++i)
            names[i] = q.field(QStringLiteral("Marca%1").arg(i + 1)).asString();
    });
    for (int i = 0; i < 4; ++i) {
        m_boxes[i] = new QCheckBox(names[i], this);
        m_boxes[i]->setObjectName(QStringLiteral("Marca%1").arg(i + 1));
        m_boxes[i]->setTristate(true);
        m_boxes[i]->setCheckState(Qt::PartiallyChecked);
        connect(m_boxes[i], &QCheckBox::stateChanged, this, &TFMarcarHembras::refresh);
        layout->addWidget(m_boxes[i]);
    }
    DialogButtons buttons(this);
    m_ok = buttons.ok;
    connect(m_ok, &QPushButton::clicked, this, &TFMarcarHembras::accept);
    layout->addLayout(buttons.layout);
    for (NumberEdit* bound : {m_desde, m_hasta})
        connect(bound, &QLineEdit::textChanged, this, &TFMarcarHembras::refresh);

    KeyNavigation::install(this, KeyNavigation::WithArrows);
    refresh();
    m_desde->setFocus();
}

MarkChange TFMarcarHembras::change() const {
    MarkChange c;
    c.range = m_range;
    c.from = qint64(m_desde->value());
    c.to = qint64(m_hasta->value());
    for (int i = 0; i < 4; ++i)
        if (m_boxes[i]->checkState() != Qt::PartiallyChecked)
            c.marks[i] = m_boxes[i]->checkState() == Qt::Checked;
    return c;
}

void TFMarcarHembras::refresh() {
    m_ok->setEnabled(change().applicable());
}

void TFMarcarHembras::accept() {
    const MarkChange c = change();
    if (!c.applicable())
        return;
    bool done = false;
    {
        const TMensajero wait(QStringLiteral("Marcando Hembras... Por favor, espere"));
        const TMensajero::Showing shown(wait);
        done = messages::guarded(this, [&] { c.apply(m_db); });
    }
    if (done)
        QDialog::accept();
}
