#include "TFTraslado.h"

#include "blocks/BlockRow.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

TFTraslado::TFTraslado(const QStringList& rowFields, const QString& animalCaption, qint64 destination,
                       CageFree cageFree, QWidget* parent)
    : QDialog(parent), m_cageFree(std::move(cageFree)) {
    setObjectName(QStringLiteral("TFTraslado"));
    setWindowTitle(QStringLiteral("Traslados"));
    auto* form = new QFormLayout;
    auto* cage = new QLabel(rowFields.value(blockrow::kCage), this);
    cage->setObjectName(QStringLiteral("jaula"));
    auto* animal = new QLabel(rowFields.value(blockrow::kAnimal), this);
    animal->setObjectName(QStringLiteral("animal"));
    m_destino = new NumberEdit(this);
    m_destino->setObjectName(QStringLiteral("Destino"));
    m_destino->setNonNegative(true);
    m_destino->setValue(double(destination));
    form->addRow(QStringLiteral("Jaula"), cage);
    form->addRow(animalCaption, animal);
    form->addRow(QStringLiteral("Destino"), m_destino);
    const DialogButtons buttons(this);
    m_ok = buttons.ok;
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
    m_destino->installEventFilter(this);
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    m_destino->setFocus();
}

qint64 TFTraslado::destination() const {
    return qint64(m_destino->value());
}

bool TFTraslado::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_destino && event->type() == QEvent::FocusOut && isVisible())
        probe();
    return QDialog::eventFilter(watched, event);
}

void TFTraslado::probe() {
    bool free = false;
    messages::guarded(this, [&] { free = m_cageFree(destination()); });
    m_ok->setEnabled(free);
    if (free)
        m_ok->setFocus();
    else
        m_destino->setFocus();
}
