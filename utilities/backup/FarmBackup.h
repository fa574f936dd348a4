#pragma once

#include "BackupDrive.h"
#include "BackupPrompts.h"
#include "utilities/archive/ArchiveReader.h"

#include <QString>
#include <functional>

// A consistent copy of an SQLite file, taken through SQLite's backup
// interface, so a farm open in the main window can be saved while it runs.
// Throws BackupError.
void snapshotDatabase(const QString& source, const QString& target);

struct RestoreOutcome {
    int disks = 0;
    QString safetyCopy; // the farm as it was before the restore; empty when there was none
    ExtractResult extracted;
};

// Saves the data folder to disks and puts it back from them. Both throw
// BackupError (BackupCancelled when the user stopped them).
class FarmBackup {
public:
    FarmBackup(const BackupDrive& drive, BackupPrompts& prompts) : m_drive(drive), m_prompts(prompts) {}
    void setThreads(int threads) { m_threads = threads; }

    // The farm database goes in as a snapshot under its own name; the archive
    // is checked and every disk read back before this returns. The number of disks.
    int backup(const QString& dataFolder, QString& drivePath);

    // The whole archive is joined and checked before anything is replaced;
    // then the farm is saved beside the data folder, `closeFarm` runs, and
    // the files are unpacked into place.
    RestoreOutcome restore(const QString& dataFolder, QString& drivePath, OverwriteQuestion question,
                           const std::function<void()>& closeFarm);

private:
    ArchiveProgress progress(const QString& verb);

    const BackupDrive& m_drive;
    BackupPrompts& m_prompts;
    int m_threads = 0;
};
