#include "BackupDrive.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// Linux mounts sticks under these; a device name alone does not say "removable".
bool looksRemovable(const QStorageInfo& storage)
{
    const QString root = storage.rootPath();
    return root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/"))
        || root.startsWith(QLatin1String("/mnt/"));
}

} // namespace

bool SystemDrive::hasDisk(const QString& path) const
{
    const QStorageInfo storage(path);
    return storage.isValid() && storage.isReady();
}

qint64 SystemDrive::freeBytes(const QString& path) const
{
    return QStorageInfo(path).bytesAvailable();
}

bool SystemDrive::folderExists(const QString& path) const
{
    return QFileInfo(path).isDir();
}

bool SystemDrive::isRemovable(const QString& path) const
{
    return looksRemovable(QStorageInfo(path));
}

QString defaultBackupPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("A:\\");
#else
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (storage.isValid() && storage.isReady() && looksRemovable(storage))
            return storage.rootPath();
    }
    return QDir::homePath();
#endif
}

bool isValidBackupPath(const BackupDrive& drive, const QString& path)
{
    if (path.isEmpty() || !drive.folderExists(path))
        return false;
#ifdef Q_OS_WIN
    if (path.size() < 2 || path.at(1) != QLatin1Char(':') || !path.at(0).isLetter())
        return false;
#endif
    return true;
}
