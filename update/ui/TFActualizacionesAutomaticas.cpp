#include "TFActualizacionesAutomaticas.h"

#include "db/Settings.h"
#include "widgets/AppInfo.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("¡Atención!");

// Every event loop, the modal ones included, ends: main() then returns.
void endProgram() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

} // namespace

TFActualizacionesAutomaticas::TFActualizacionesAutomaticas(Updater::Options options, const QString& product,
                                                           QWidget* parent)
    : QDialog(parent), m_updater(new Updater(std::move(options), this)), m_product(product), m_end(endProgram) {
    setObjectName(QStringLiteral("TFActualizacionesAutomaticas"));
    setWindowTitle(QStringLiteral("Actualizaciones Automáticas"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    m_estado = new QLabel(QStringLiteral("Conectando con el servidor..."), this);
    m_estado->setObjectName(QStringLiteral("estado"));
    layout->addWidget(m_estado);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("progreso"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    layout->addWidget(m_bar);
    m_cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("cancelar"));
    m_cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    setFixedWidth(420);

    connect(m_cancel, &QPushButton::clicked, this, &TFActualizacionesAutomaticas::reject);
    connect(m_updater, &Updater::connected, this,
            [this] { m_estado->setText(QStringLiteral("Buscando actualizaciones...")); });
    connect(m_updater, &Updater::offered, this, &TFActualizacionesAutomaticas::offer);
    connect(m_updater, &Updater::progress, this, &TFActualizacionesAutomaticas::showProgress);
    connect(m_updater, &Updater::finished, this, &TFActualizacionesAutomaticas::finished);
}

void TFActualizacionesAutomaticas::run(const Settings& settings, QWidget* parent) {
    const QString programFile = QString::fromUtf8(app::kProgramFile);
    Updater::Options options{
        .server = settings.servidorActualizaciones(),
        .currentVersion = QString::fromUtf8(app::kInstalledVersion),
        .files = UpdateFiles::beside(QCoreApplication::applicationFilePath(), programFile),
    };
    TFActualizacionesAutomaticas dialog(std::move(options), QString::fromUtf8(app::kProduct), parent);
    dialog.exec();
}

void TFActualizacionesAutomaticas::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // At start-up the main window is not on the screen yet: centre on the screen.
    if (const QScreen* screen = this->screen(); screen && (!parentWidget() || !parentWidget()->isVisible())) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, m_updater, &Updater::check);
    }
}

void TFActualizacionesAutomaticas::offer(const StatusPage& page) {
    const QString question =
        QStringLiteral("Hay disponible una nueva versión de %1. ¿Desea instalarla?").arg(m_product);
    if (!messages::confirm(this, kCaption, question)) {
        accept();
        return;
    }
    m_bar->setRange(0, int(qBound(qint64(1), page.expectedSize, qint64(INT_MAX))));
    m_bar->setValue(0);
    m_updater->download();
}

void TFActualizacionesAutomaticas::showProgress(qint64 received, qint64 total) {
    m_estado->setText(transferLine(received, total, m_updater->elapsedMs()));
    if (total > 0) {
        // The bar counts in bytes while they fit; a larger file in kilobytes.
        const int scale = total > INT_MAX ? 1024 : 1;
        m_bar->setRange(0, int(total / scale));
        m_bar->setValue(int(qMin(received, total) / scale));
    }
}

void TFActualizacionesAutomaticas::finished(Updater::Outcome outcome, const QString& message) {
    switch (outcome) {
    case Updater::Outcome::Cancelled:
        return; // reject() is closing the dialog
    case Updater::Outcome::DownloadFailed:
        // Said, and the dialog stays until "Cancelar".
        messages::inform(this, QString::fromUtf8(app::kTitle), message, QMessageBox::Critical);
        return;
    case Updater::Outcome::Installed:
        m_installed = true;
        accept();
        m_end();
        return;
    case Updater::Outcome::NoUpdate:
    case Updater::Outcome::NotInstalled:
    case Updater::Outcome::BadSignature:
        if (!message.isEmpty())
            messages::inform(this, kCaption, message, QMessageBox::Warning);
        accept();
        return;
    }
}

void TFActualizacionesAutomaticas::reject() {
    m_updater->cancel();
    QDialog::reject();
}
