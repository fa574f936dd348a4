#include "SafetyCopy.h"

#include "Database.h"
#include "DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace {

const QString kFolderName = QStringLiteral("Copias de Seguridad");
// "Quendal 2026-12-09 14.05.33.db": names sort as the copies were taken.
const QString kNamePattern = QStringLiteral("Quendal *.db");

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

DbError snapshotError(const QString& target, const QString& detail) {
    return DbError(QStringLiteral("No se pudo guardar la copia de la granja en %1: %2")
                       .arg(QDir::toNativeSeparators(target), detail));
}

// The newest copies stay; anything older than the kKept newest is removed.
void pruneOldCopies(const QString& folder) {
    const QStringList names = QDir(folder).entryList({kNamePattern}, QDir::Files, QDir::Name | QDir::Reversed);
    for (qsizetype i = SafetyCopy::kKept; i < names.size(); ++i)
        QFile::remove(QDir(folder).filePath(names[i]));
}

} // namespace

namespace SafetyCopy {

QString folderFor(const QString& farmFilePath) {
    QDir dataFolder = QFileInfo(farmFilePath).absoluteDir();
    return QDir::cleanPath(dataFolder.absoluteFilePath(QStringLiteral("../") + kFolderName));
}

void writeSnapshot(Database& db, const QString& targetPath) {
    const QString partial = targetPath + QStringLiteral(".parcial");
    QFile::remove(partial);
    {
        sqlite3* raw = nullptr;
        const int opened = sqlite3_open_v2(QFile::encodeName(partial).constData(), &raw,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::unique_ptr<sqlite3, SqliteCloser> copy(raw);
        if (opened != SQLITE_OK)
            throw snapshotError(targetPath, QString::fromUtf8(sqlite3_errstr(opened)));
        // The whole file in one step: the farm cannot change half way through.
        sqlite3_backup* backup = sqlite3_backup_init(copy.get(), "main", db.handle(), "main");
        if (!backup)
            throw snapshotError(targetPath, QString::fromUtf8(sqlite3_errmsg(copy.get())));
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
            copy.reset();
            QFile::remove(partial);
            throw snapshotError(targetPath, QString::fromUtf8(sqlite3_errstr(stepped != SQLITE_DONE ? stepped : finished)));
        }
    }
    QFile::remove(targetPath);
    if (!QFile::rename(partial, targetPath)) {
        QFile::remove(partial);
        throw snapshotError(targetPath, QStringLiteral("no se pudo renombrar el archivo"));
    }
}

QString save(Database& db, const QDateTime& when) {
    const QString folder = folderFor(db.filePath());
    if (!QDir().mkpath(folder))
        throw snapshotError(folder, QStringLiteral("no se pudo crear la carpeta"));
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString target = QDir(folder).filePath(QStringLiteral("Quendal %1.db").arg(stamp));
    // Two copies within one second keep both.
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = QDir(folder).filePath(QStringLiteral("Quendal %1 (%2).db").arg(stamp).arg(n));
    writeSnapshot(db, target);
    pruneOldCopies(folder);
    return target;
}

} // namespace SafetyCopy
