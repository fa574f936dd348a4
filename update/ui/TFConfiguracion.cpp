#include "TFConfiguracion.h"

#include "TFActualizacionesAutomaticas.h"
#include "db/Settings.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

TFConfiguracion::TFConfiguracion(Settings& settings, QWidget* parent) : QDialog(parent), m_settings(settings) {
    setObjectName(QStringLiteral("TFConfiguracion"));
    setWindowTitle(QStringLiteral("Confgiuración de Torvane"));

    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("paginas"));
    pages->addTab(backupPage(), QStringLiteral("Copia de Seguridad"));
    pages->addTab(updatesPage(), QStringLiteral("Actualizaciones"));
    if (auto* bar = pages->findChild<QTabBar*>())
        bar->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(pages);

    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        save();
        accept();
    });
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this, KeyNavigation::WithArrows);
    load();
}

QStringList TFConfiguracion::drives() {
    QStringList list{QStringLiteral("A:")};
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        list << QStringLiteral("%1:").arg(QLatin1Char(letter));
    return list;
}

QStringList TFConfiguracion::periods() {
    return {QStringLiteral("Nunca"),
            QStringLiteral("Todos los días al empezar"),
            QStringLiteral("Días pares al empezar"),
            QStringLiteral("Días impares al empezar"),
            QStringLiteral("Todos los días al terminar"),
            QStringLiteral("Días pares al terminar"),
            QStringLiteral("Días impares al terminar"),
            QStringLiteral("Primer día de mes al terminar"),
            QStringLiteral("Último día de mes al terminar"),
            QStringLiteral("Primer día de semana al terminar"),
            QStringLiteral("Último día de semana al terminar")};
}

QWidget* TFConfiguracion::backupPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    auto* drive = new QFormLayout;
    m_unidad = new QComboBox(page); // a choice only: not editable
    m_unidad->setObjectName(QStringLiteral("unidad"));
    m_unidad->addItems(drives());
    drive->addRow(QStringLiteral("Realizar en la Unidad"), m_unidad);
    layout->addLayout(drive);

    // Two columns filled top to bottom, the first one taking the odd period.
    auto* box = new QGroupBox(QStringLiteral("Periodicidad de aviso de copia"), page);
    auto* grid = new QGridLayout(box);
    m_periodos = new QButtonGroup(this);
    const QStringList names = periods();
    const int perColumn = int(names.size() + 1) / 2;
    for (int i = 0; i < names.size(); ++i) {
        auto* radio = new QRadioButton(names[i], box);
        radio->setObjectName(QStringLiteral("periodo%1").arg(i));
        m_periodos->addButton(radio, i);
        grid->addWidget(radio, i % perColumn, i / perColumn);
    }
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget* TFConfiguracion::updatesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    m_buscar = new QCheckBox(QStringLiteral("Buscar actualizaciones al iniciar Torvane"), page);
    m_buscar->setObjectName(QStringLiteral("buscar"));
    layout->addWidget(m_buscar);
    auto* now = new QPushButton(QStringLiteral("Actualizar Ahora"), page);
    now->setObjectName(QStringLiteral("actualizarAhora"));
    now->setAutoDefault(false);
    // Whatever the box says, and nothing is written.
    connect(now, &QPushButton::clicked, this, [this] { TFActualizacionesAutomaticas::run(m_settings, this); });
    auto* row = new QHBoxLayout;
    row->addWidget(now);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

void TFConfiguracion::load() {
    // A position outside its list reads as the list's first entry.
    const int drive = m_settings.unidadCopia();
    m_unidad->setCurrentIndex(drive >= 0 && drive < m_unidad->count() ? drive : 0);
    const int period = m_settings.periodicidadAviso();
    QAbstractButton* chosen = m_periodos->button(period);
    (chosen ? chosen : m_periodos->button(0))->setChecked(true);
    m_buscar->setChecked(m_settings.actualizacionAutomatica());
}

void TFConfiguracion::save() {
    m_settings.setUnidadCopia(m_unidad->currentIndex());
    m_settings.setPeriodicidadAviso(m_periodos->checkedId());
    m_settings.setActualizacionAutomatica(m_buscar->isChecked());
}
