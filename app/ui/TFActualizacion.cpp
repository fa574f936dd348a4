#include "app/ui/TFActualizacion.h"

#include "app/DatabaseUpgrade.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel* wrapped(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TFActualizacion::TFActualizacion(Database& db, Settings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_db(db), m_settings(settings) {
    setObjectName(QStringLiteral("TFActualizacion"));
    setWindowTitle(QStringLiteral("Actualizar a la Versión 1.1.0"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    auto* greeting = wrapped("Estimado usuario:", this);
    QFont bold = greeting->font();
    bold.setBold(true);
    greeting->setFont(bold);
    layout->addWidget(greeting);
    layout->addWidget(wrapped("Actualmente está ejecutando una versión más moderna de Quendal que la instalada "
                              "anteriormente en su sistema, por lo que se está procediendo a la actualización "
                              "de la estructura de los datos contenidos en la misma.",
                              this));
    layout->addWidget(wrapped("Por favor, sea paciente y no interrumpa el proceso. Gracias", this));

    auto* versions = new QFormLayout;
    versions->addRow(QStringLiteral("Versión Actual"), new QLabel(QStringLiteral("Versión anterior a 1.1.0"), this));
    versions->addRow(QStringLiteral("Actualizando a laVersión"), new QLabel(QStringLiteral("1.1.0"), this));
    m_estado = new QLabel(this);
    m_estado->setObjectName(QStringLiteral("estado"));
    versions->addRow(QStringLiteral("Estado"), m_estado);
    layout->addLayout(versions);

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("progreso"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_bar);
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    setFixedWidth(500);
}

void TFActualizacion::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, this, &TFActualizacion::upgrade);
    }
}

void TFActualizacion::upgrade() {
    // The window is painted after each change; the user's keys wait until the end.
    auto paint = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    DatabaseUpgrade::Progress progress;
    progress.caption = [this, paint](const QString& caption) {
        m_estado->setText(caption);
        paint();
    };
    progress.maximum = [this, paint](int maximum) {
        m_bar->setRange(0, qMax(maximum, 1)); // a range of 0 to 0 would show a busy bar
        paint();
    };
    progress.value = [this, paint](int value) {
        m_bar->setValue(qMin(value, m_bar->maximum()));
        paint();
    };
    messages::guarded(this, [&] { DatabaseUpgrade(m_db, m_settings, progress).run(); });
    m_bar->setValue(m_bar->maximum());
    accept();
}
