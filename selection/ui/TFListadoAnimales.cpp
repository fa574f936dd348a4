#include "TFListadoAnimales.h"

#include "db/Clock.h"
#include "reports/HouseStyle.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TFListadoAnimales::TFListadoAnimales(const FarmContext& context, ListingKind kind, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_kind(kind) {
    setWindowTitle(listing::launcherTitle(kind));
    // The farm name is read as the launcher opens, for the sheet's header.
    m_farmName = house::farmName(m_db);

    auto* layout = new QVBoxLayout(this);
    const QStringList choices = listing::orderChoices(kind);
    if (!choices.isEmpty()) {
        auto* group = new QGroupBox(QStringLiteral("Orden Listado"), this);
        group->setObjectName(QStringLiteral("OrdenListado"));
        auto* options = new QVBoxLayout(group);
        for (const QString& choice : choices) {
            auto* option = new QRadioButton(choice, group);
            options->addWidget(option);
            m_order << option;
        }
        m_order.first()->setChecked(true);
        layout->addWidget(group);
    }
    m_preview = new QCheckBox(QStringLiteral("Vista preliminar"), this);
    m_preview->setObjectName(QStringLiteral("VistaPreliminar"));
    m_preview->setChecked(true);
    layout->addWidget(m_preview);
    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFListadoAnimales::produce);
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this, listing::isSelection(kind) ? KeyNavigation::EnterOnly : KeyNavigation::WithArrows);
    if (!m_order.isEmpty())
        m_order.first()->setFocus();
    else
        m_preview->setFocus();
}

ListingOrder TFListadoAnimales::chosenOrder() const {
    for (int i = 0; i < m_order.size(); ++i) {
        if (m_order.at(i)->isChecked())
            return ListingOrder(i);
    }
    return ListingOrder::Code;
}

void TFListadoAnimales::produce() {
    const bool done = messages::guarded(this, [this] {
        AnimalListing listing(m_db, m_kind, chosenOrder(), m_clock.today(), m_farmName);
        sheets::produce(this, listing.sheet(), listing.rows(),
                        m_preview->isChecked() ? sheets::Destination::Preview : sheets::Destination::Printer);
    });
    // The listing is out: the launcher has done its work. After an error it stays open.
    if (done)
        accept();
}
