#include "TFEdicionEstructura.h"

#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"
#include "setup/FarmStructure.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFEdicionEstructura::TFEdicionEstructura(Database& db, qint64 orden, QWidget* parent)
    : QDialog(parent), m_db(db), m_orden(orden) {
    setObjectName(QStringLiteral("TFEdicionEstructura"));
    setWindowTitle(QStringLiteral("Edición de Estructura de la Granja"));

    m_desde = new NumberEdit(this);
    m_desde->setObjectName(QStringLiteral("desde"));
    m_hasta = new NumberEdit(this);
    m_hasta->setObjectName(QStringLiteral("hasta"));
    for (NumberEdit* n : {m_desde, m_hasta})
        n->setFixedWidth(100);
    auto* numbers = new QFormLayout;
    numbers->addRow(QStringLiteral("Dese la Jaula"), m_desde);
    numbers->addRow(QStringLiteral("Hasta la Jaula"), m_hasta);

    auto* group = new QGroupBox(QStringLiteral("Tipo"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_tipo = new QButtonGroup(this);
    const QStringList choices = FarmStructure::typeChoices();
    for (int i = 0; i < choices.size(); ++i) {
        auto* radio = new QRadioButton(choices[i], group);
        radio->setObjectName(QStringLiteral("tipo%1").arg(QLatin1Char(FarmStructure::kLetters[i])));
        m_tipo->addButton(radio, i);
        groupLayout->addWidget(radio);
    }

    DialogButtons buttons(this);
    m_aceptar = buttons.ok;
    connect(m_aceptar, &QPushButton::clicked, this, &TFEdicionEstructura::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numbers);
    layout->addWidget(group);
    layout->addLayout(buttons.layout);

    if (orden != 0) {
        if (const auto range = FarmStructure(m_db).range(orden)) {
            m_desde->setValue(range->desde);
            m_hasta->setValue(range->hasta);
            // A letter other than R, E, N or M leaves the choice empty.
            if (QAbstractButton* b = m_tipo->button(FarmStructure::typeIndex(range->tipo)))
                b->setChecked(true);
        }
    }
    connect(m_desde, &NumberEdit::valueEdited, this, &TFEdicionEstructura::updateAccept);
    connect(m_hasta, &NumberEdit::valueEdited, this, &TFEdicionEstructura::updateAccept);
    connect(m_tipo, &QButtonGroup::idToggled, this, &TFEdicionEstructura::updateAccept);
    updateAccept();

    KeyNavigation::install(this);
    // Enter on a kind chooses it and goes on, as on every other control.
    for (QAbstractButton* b : m_tipo->buttons())
        b->installEventFilter(this);
}

double TFEdicionEstructura::desde() const {
    return m_desde->value();
}

double TFEdicionEstructura::hasta() const {
    return m_hasta->value();
}

int TFEdicionEstructura::typeIndex() const {
    return m_tipo->checkedId();
}

void TFEdicionEstructura::updateAccept() {
    m_aceptar->setEnabled(FarmStructure::canAccept(desde(), hasta(), typeIndex()));
}

bool TFEdicionEstructura::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* radio = qobject_cast<QAbstractButton*>(watched);
        if (radio && key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            radio->setChecked(true);
            QWidget* next = m_aceptar->isEnabled() ? static_cast<QWidget*>(m_aceptar)
                                                   : findChild<QPushButton*>(QStringLiteral("cancelar"));
            next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFEdicionEstructura::accept() {
    if (!FarmStructure::canAccept(desde(), hasta(), typeIndex()))
        return;
    bool overlaps = false;
    if (!messages::guarded(this, [&] { overlaps = FarmStructure(m_db).overlaps(desde(), hasta(), m_orden); }))
        return;
    if (overlaps) {
        messages::inform(this, QStringLiteral("¡Atencion!"),
                         QStringLiteral("Ese intervalo está total o parcialmente definido anteriormente"),
                         QMessageBox::Warning);
        QDialog::reject();
        return;
    }
    QDialog::accept();
}
