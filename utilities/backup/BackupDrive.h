#pragma once

#include <QString>

// What the backup needs to know of the drive it writes to or reads from.
// The real one asks QStorageInfo; tests put fake drives of a chosen capacity
// in its place.
class BackupDrive {
public:
    virtual ~BackupDrive() = default;
    virtual bool hasDisk(const QString& path) const = 0;
    virtual qint64 freeBytes(const QString& path) const = 0;
    virtual bool folderExists(const QString& path) const = 0;
    virtual bool isRemovable(const QString& path) const = 0;
};

class SystemDrive : public BackupDrive {
public:
    bool hasDisk(const QString& path) const override;
    qint64 freeBytes(const QString& path) const override;
    bool folderExists(const QString& path) const override;
    bool isRemovable(const QString& path) const override;
};

// The path a backup starts with: the first removable drive mounted ("A:\" on
// Windows), else the user's home folder.
QString defaultBackupPath();

// An existing folder; on Windows it must also begin with a drive letter.
bool isValidBackupPath(const BackupDrive& drive, const QString& path);
