#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>
#include <optional>

class BackupDrive;
class BackupPrompts;
class CopyAnimation;
class QPushButton;

// What the backup and the restore screens share: the explanation, "Aceptar"
// and "Cancelar", the animation that plays from "Aceptar" on, the progress
// window while the work runs and the drive the set goes to or comes from.
// "Cancelar", Escape and the close box leave without doing anything. When the
// work ends the screen closes and says so; when it stops, the screen stays open.
class BackupScreen : public QDialog {
    Q_OBJECT
public:
    // The drive the set is written to or read from; the system's unless a
    // test puts fake drives in its place. The path it starts with.
    void setDrive(const BackupDrive& drive) { m_drive = &drive; }
    void setDrivePath(const QString& path) { m_drivePath = path; }
    QString drivePath() const { return m_drivePath; }
    // The number of worker threads of the archive (0: one per core).
    void setThreads(int threads) { m_threads = threads; }

protected:
    BackupScreen(const FarmContext& context, const QString& title, const QString& explanation, QWidget* parent);
    void reject() override;

    // Runs the work with the progress window; the completion text, or
    // nothing when it stopped (what stopped it has been said).
    virtual std::optional<QString> work(BackupPrompts& prompts) = 0;
    virtual QString progressCaption() const = 0;

    Database& db() const { return m_context.db; }
    QString dataFolder() const;
    const BackupDrive& drive() const { return *m_drive; }
    QString& path() { return m_drivePath; }
    int threads() const { return m_threads; }
    CopyAnimation* animation() const { return m_animation; }

private:
    void start();

    const FarmContext& m_context;
    const BackupDrive* m_drive;
    QString m_drivePath;
    int m_threads = 0;
    bool m_running = false;
    CopyAnimation* m_animation;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
