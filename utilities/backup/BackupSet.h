#pragma once

#include "BackupDrive.h"
#include "BackupPrompts.h"

#include <QString>

struct BackupTally;

inline const QString kSetName = QStringLiteral("ZR");
constexpr qint64 kPieceSize = 8192;  // copied to and from disk in pieces of this size
constexpr qint64 kDiskReserve = 8192; // left free on every disk

// Spreads an archive over as many disks as it needs, each with its part in
// "ZR" and its "infos.txt". Each disk is read back and compared with what was
// written before the next is asked for. Throws BackupError.
class BackupSetWriter {
public:
    BackupSetWriter(const BackupDrive& drive, BackupPrompts& prompts) : m_drive(drive), m_prompts(prompts) {}
    // Readies disk 1 (asked for while missing); `path` keeps the path last typed.
    void prepareFirst(QString& path);
    // Copies the archive, starting on the disk readied by prepareFirst.
    void write(const QString& archivePath, QString& path);
    int disks() const { return m_disk; }

private:
    // Asks until a disk is given that can be prepared; its room in bytes.
    qint64 nextDisk(QString& path, bool ask);
    bool prepare(const QString& path);
    void finishDisk(const QString& path, qint64 archiveSize, const QString& archivePath, bool continues,
                    const BackupTally& written);

    const BackupDrive& m_drive;
    BackupPrompts& m_prompts;
    int m_disk = 0;
    qint64 m_room = 0;
};

// Reads the disks of a set back in order and joins their parts into one
// archive. Throws BackupError.
class BackupSetReader {
public:
    BackupSetReader(const BackupDrive& drive, BackupPrompts& prompts) : m_drive(drive), m_prompts(prompts) {}
    void read(const QString& archivePath, QString& path);
    int disks() const { return m_disk; }

private:
    const BackupDrive& m_drive;
    BackupPrompts& m_prompts;
    int m_disk = 0;
};

// The drive path is checked before the first disk (both operations).
void requireValidPath(const BackupDrive& drive, const QString& path);
// The drive path of disk `disk`, asking for it (at once when `ask`) until a disk is
// in a removable drive and the path is valid; Cancel aborts the operation.
QString askUntilPresent(const BackupDrive& drive, BackupPrompts& prompts, int disk, QString path, bool ask);
