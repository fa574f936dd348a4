#include "utilities/ui/BackupScreen.h"

#include "db/Database.h"
#include "utilities/backup/BackupDrive.h"
#include "utilities/backup/BackupError.h"
#include "widgets/CopyAnimation.h"
#include "utilities/ui/TFProgresoCopia.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const SystemDrive& systemDrive() {
    static const SystemDrive drive;
    return drive;
}

} // namespace

BackupScreen::BackupScreen(const FarmContext& context, const QString& title, const QString& explanation,
                           QWidget* parent)
    : QDialog(parent), m_context(context), m_drive(&systemDrive()), m_drivePath(defaultBackupPath()) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    auto* top = new QHBoxLayout;
    auto* text = new QLabel(explanation, this);
    text->setObjectName(QStringLiteral("explicacion"));
    text->setWordWrap(true);
    m_animation = new CopyAnimation(CopyAnimation::Destination::Disk, this);
    top->addWidget(text, 1);
    layout->addLayout(top);
    layout->addWidget(m_animation, 0, Qt::AlignHCenter);
    DialogButtons buttons(this);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    layout->addLayout(buttons.layout);
    connect(m_ok, &QPushButton::clicked, this, &BackupScreen::start);
    m_ok->setFocus();
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    setFixedWidth(420);
}

QString BackupScreen::dataFolder() const {
    return QFileInfo(m_context.db.filePath()).absolutePath();
}

void BackupScreen::reject() {
    if (!m_running)
        QDialog::reject();
}

void BackupScreen::start() {
    if (m_running)
        return;
    m_running = true;
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    m_animation->start();
    std::optional<QString> finished;
    {
        TFProgresoCopia progress(progressCaption(), this);
        progress.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const auto say = [&progress](const QString& text) {
            if (!text.isEmpty())
                messages::inform(&progress, QStringLiteral("¡Atención!"), text, QMessageBox::Warning);
        };
        try {
            finished = work(progress);
        } catch (const BackupError& stop) {
            say(stop.message());
        } catch (const std::exception& error) {
            messages::showError(&progress, error);
        }
    }
    m_animation->stop();
    m_running = false;
    m_ok->setEnabled(true);
    m_cancel->setEnabled(true);
    if (!finished)
        return;
    accept();
    messages::inform(parentWidget(), QStringLiteral("¡Atención!"), *finished, QMessageBox::Warning);
}
