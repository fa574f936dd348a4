#include "FarmBackup.h"

#include "BackupError.h"
#include "BackupSet.h"
#include "db/Database.h"
#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveWriter.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <filesystem>
#include <memory>

namespace {

struct SqliteClose {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteClose>;

SqliteHandle openSqlite(const QString& path, int flags)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    SqliteHandle handle(raw);
    if (rc != SQLITE_OK)
        throw BackupError(QStringLiteral("No se puede abrir la base de datos %1").arg(QDir::toNativeSeparators(path)));
    return handle;
}

bool isDatabaseSideFile(const QString& name)
{
    const QString db = QString::fromLatin1(Database::kFileName);
    return name.compare(db + QLatin1String("-journal"), Qt::CaseInsensitive) == 0
        || name.compare(db + QLatin1String("-wal"), Qt::CaseInsensitive) == 0
        || name.compare(db + QLatin1String("-shm"), Qt::CaseInsensitive) == 0;
}

// The data folder as it is to be archived: the farm database as a snapshot,
// every other file linked (copied where links are not possible).
void stage(const QString& dataFolder, const QString& staging)
{
    const QDir source(dataFolder);
    QDir().mkpath(staging);
    QDirIterator it(dataFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = source.relativeFilePath(info.filePath());
        const QString target = QDir(staging).filePath(relative);
        if (info.isDir() && !info.isSymLink()) {
            QDir().mkpath(target);
            continue;
        }
        if (!info.isFile())
            continue;
        if (relative.compare(QString::fromLatin1(Database::kFileName), Qt::CaseInsensitive) == 0) {
            snapshotDatabase(info.filePath(), target);
            continue;
        }
        if (!relative.contains(QLatin1Char('/')) && isDatabaseSideFile(relative))
            continue;
        std::error_code error;
        std::filesystem::create_hard_link(info.filePath().toStdString(), target.toStdString(), error);
        if (error && !QFile::copy(info.filePath(), target))
            throw BackupError(QStringLiteral("No se puede leer el archivo %1").arg(QDir::toNativeSeparators(info.filePath())));
    }
}

QString safetyCopyPath(const QString& dataFolder)
{
    const QFileInfo folder(dataFolder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QDir(folder.absolutePath()).filePath(
        QStringLiteral("%1 antes de restaurar %2.db").arg(folder.fileName(), stamp));
}

} // namespace

void snapshotDatabase(const QString& source, const QString& target)
{
    QFile::remove(target);
    SqliteHandle from = openSqlite(source, SQLITE_OPEN_READONLY);
    SqliteHandle to = openSqlite(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    int rc = SQLITE_ERROR;
    if (backup) {
        // All pages in one step: the copy is of one moment of the farm.
        rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
    }
    if (rc != SQLITE_DONE)
        throw BackupError(QStringLiteral("No se puede copiar la base de datos %1: %2")
                              .arg(QDir::toNativeSeparators(source), QString::fromUtf8(sqlite3_errmsg(to.get()))));
}

ArchiveProgress FarmBackup::progress(const QString& verb)
{
    ArchiveProgress progress;
    progress.fileStarted = [this, verb](const QString& path) {
        m_prompts.action(verb.arg(QFileInfo(path).fileName()));
    };
    progress.bytesDone = [this](qint64 done, qint64 total) {
        m_prompts.percent(total > 0 ? static_cast<int>((done * 100 + total / 2) / total) : 100);
    };
    return progress;
}

int FarmBackup::backup(const QString& dataFolder, QString& drivePath)
{
    if (!QFileInfo(dataFolder).isDir())
        throw BackupError(QStringLiteral("La ruta \"%1\" no existe").arg(QDir::toNativeSeparators(dataFolder)));
    BackupSetWriter disks(m_drive, m_prompts);
    disks.prepareFirst(drivePath);
    QTemporaryDir temp(QDir::temp().filePath(QStringLiteral("~Backup-XXXXXX")));
    if (!temp.isValid())
        throw BackupError(QStringLiteral("No se puede crear la carpeta temporal %1").arg(QDir::tempPath()));
    const QString staging = temp.filePath(QStringLiteral("Datos"));
    const QString archivePath = temp.filePath(kSetName);
    try {
        stage(dataFolder, staging);
        ArchiveWriter writer(archivePath);
        writer.setLevel(CompressionLevel::Normal);
        writer.setThreads(m_threads);
        writer.setProgress(progress(QStringLiteral("Comprimiendo a %1")));
        writer.addFolderTree(staging);
        ArchiveReader check(archivePath);
        check.setThreads(m_threads);
        check.verify();
    } catch (const ArchiveError& error) {
        throw BackupError(error.message());
    }
    disks.write(archivePath, drivePath);
    return disks.disks();
}

RestoreOutcome FarmBackup::restore(const QString& dataFolder, QString& drivePath, OverwriteQuestion question,
                                   const std::function<void()>& closeFarm)
{
    if (!QDir().mkpath(dataFolder))
        throw BackupError(QStringLiteral("La ruta \"%1\" no existe").arg(QDir::toNativeSeparators(dataFolder)));
    requireValidPath(m_drive, drivePath);
    QTemporaryDir temp(QDir::temp().filePath(QStringLiteral("~Backup-XXXXXX")));
    if (!temp.isValid())
        throw BackupError(QStringLiteral("No se puede crear la carpeta temporal %1").arg(QDir::tempPath()));
    const QString archivePath = temp.filePath(kSetName);
    BackupSetReader disks(m_drive, m_prompts);
    disks.read(archivePath, drivePath);
    RestoreOutcome outcome;
    outcome.disks = disks.disks();
    try {
        ArchiveReader reader(archivePath);
        reader.setThreads(m_threads);
        reader.verify();
        const QString farm = QDir(dataFolder).filePath(QString::fromLatin1(Database::kFileName));
        if (QFileInfo::exists(farm)) {
            outcome.safetyCopy = safetyCopyPath(dataFolder);
            snapshotDatabase(farm, outcome.safetyCopy);
        }
        if (closeFarm)
            closeFarm();
        reader.setProgress(progress(QStringLiteral("Decomprimiendo a %1")));
        reader.setOverwriteQuestion(std::move(question));
        outcome.extracted = reader.extractAll(dataFolder);
    } catch (const ArchiveError& error) {
        throw BackupError(error.message());
    }
    if (outcome.extracted.cancelled)
        throw BackupCancelled(QString());
    return outcome;
}
