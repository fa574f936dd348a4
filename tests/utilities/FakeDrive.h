#pragma once

#include "utilities/backup/BackupDrive.h"

#include <QDir>
#include <QFileInfo>

#include <map>

// Folders standing for disks in a removable drive: each has a capacity, and
// a folder not inserted is a drive without its disk.
class FakeDrive : public BackupDrive {
public:
    void insert(const QString& path, qint64 capacity) { m_capacity[path] = capacity; }
    bool hasDisk(const QString& path) const override { return m_capacity.count(path) > 0; }
    qint64 freeBytes(const QString& path) const override
    {
        qint64 used = 0;
        for (const QFileInfo& f : QDir(path).entryInfoList(QDir::Files))
            used += f.size();
        return m_capacity.at(path) - used;
    }
    bool folderExists(const QString& path) const override { return QFileInfo(path).isDir(); }
    bool isRemovable(const QString& path) const override { return hasDisk(path); }

private:
    std::map<QString, qint64> m_capacity;
};
