#pragma once

#include "BackupDrive.h"
#include "BackupPrompts.h"
#include "utilities/archive/ArchiveReader.h"

#include <QString>

class Database;

// A consistent copy of an SQLite file, taken through SQLite's backup interface
// on a connection of its own: one moment of the farm as committed, also while
// the program has it open. Throws BackupError.
void snapshotDatabase(const QString& source, const QString& target);

struct RestoreOutcome {
    int disks = 0;
    QString safetyCopy; // the farm as it was before the restore; empty when there was none
    ExtractResult extracted;
};

// Saves the data folder to disks and puts it back from them. Both throw
// BackupError (BackupCancelled when the user stopped them).
//
// `farm` is the farm database the program has open, or null: the restore saves
// it as a safety copy, closes it before any file is replaced and opens it
// again at the end, whatever happened, so the main window goes on with the
// farm that is on disk.
class FarmBackup {
public:
    FarmBackup(const BackupDrive& drive, BackupPrompts& prompts) : m_drive(drive), m_prompts(prompts) {}
    void setThreads(int threads) { m_threads = threads; }

    // The farm database goes in as a snapshot under its own name; the archive
    // is checked and every disk read back before this returns. The number of disks.
    int backup(const QString& dataFolder, QString& drivePath);

    // The disks are joined and the whole archive unpacked, checking every
    // block, into a folder beside the data folder; only then is the farm saved
    // as a safety copy and closed, and each file moved into place whole
    // (`question` decides over an existing one; none replaces it).
    RestoreOutcome restore(const QString& dataFolder, QString& drivePath, const OverwriteQuestion& question,
                           Database* farm = nullptr);

private:
    ArchiveProgress progress(const QString& verb);

    const BackupDrive& m_drive;
    BackupPrompts& m_prompts;
    int m_threads = 0;
};
