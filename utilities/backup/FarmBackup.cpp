#include "FarmBackup.h"

#include "BackupError.h"
#include "BackupSet.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/SafetyCopy.h"
#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveWriter.h"
#include "utilities/archive/EntryName.h"

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

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

SqliteHandle openSqlite(const QString& path, int flags)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    SqliteHandle handle(raw);
    if (rc != SQLITE_OK)
        throw BackupError(QStringLiteral("No se puede abrir la base de datos %1").arg(native(path)));
    return handle;
}

const QString& farmFileName()
{
    static const QString name = QString::fromLatin1(Database::kFileName);
    return name;
}

bool isDatabaseSideFile(const QString& name)
{
    return name.compare(farmFileName() + QLatin1String("-journal"), Qt::CaseInsensitive) == 0
        || name.compare(farmFileName() + QLatin1String("-wal"), Qt::CaseInsensitive) == 0
        || name.compare(farmFileName() + QLatin1String("-shm"), Qt::CaseInsensitive) == 0;
}

BackupError cannotWrite(const QString& path)
{
    return BackupError(QStringLiteral("No se puede escribir el archivo %1").arg(native(path)));
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
        if (relative.compare(farmFileName(), Qt::CaseInsensitive) == 0) {
            snapshotDatabase(info.filePath(), target);
            continue;
        }
        // The journal belongs to the live file; the snapshot has no need of it.
        if (!relative.contains(QLatin1Char('/')) && isDatabaseSideFile(relative))
            continue;
        std::error_code error;
        std::filesystem::create_hard_link(info.filePath().toStdString(), target.toStdString(), error);
        if (error && !QFile::copy(info.filePath(), target))
            throw BackupError(QStringLiteral("No se puede leer el archivo %1").arg(native(info.filePath())));
    }
}

// The farm as it is now, kept where the import keeps its copies. A file the
// engine cannot read through is copied as it lies: a damaged farm is exactly
// what gets restored over.
QString saveSafetyCopy(const QString& farmPath, Database* farm)
{
    const QDateTime now = QDateTime::currentDateTime();
    try {
        if (farm)
            return SafetyCopy::save(*farm, now);
        Database current(farmPath);
        return SafetyCopy::save(current, now);
    } catch (const DbError&) {
        const QString folder = SafetyCopy::folderFor(farmPath);
        const QString target = QDir(folder).filePath(
            QStringLiteral("Quendal %1 tal cual.db").arg(now.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"))));
        if (QDir().mkpath(folder) && QFile::copy(farmPath, target))
            return target;
        throw BackupError(QStringLiteral("No se pudo guardar la copia de la granja actual en %1; no se ha "
                                         "restaurado nada.")
                              .arg(native(folder)));
    }
}

// The farm is opened again however the restore ended. A restored file that
// does not open is put back as it was, from the safety copy.
class ClosedFarm {
public:
    ClosedFarm(Database* farm, QString safetyCopy) : m_farm(farm), m_safetyCopy(std::move(safetyCopy))
    {
        if (m_farm)
            m_farm->close();
    }
    ClosedFarm(const ClosedFarm&) = delete;
    ClosedFarm& operator=(const ClosedFarm&) = delete;
    ~ClosedFarm()
    {
        if (m_farm && !m_farm->isOpen()) {
            try {
                reopen();
            } catch (...) {
            }
        }
    }
    // Throws BackupError when the restored farm cannot be opened.
    void reopen()
    {
        if (!m_farm)
            return;
        try {
            m_farm->reopen();
            return;
        } catch (const DbError& error) {
            const QString path = m_farm->filePath();
            if (m_safetyCopy.isEmpty())
                throw BackupError(QString::fromUtf8(error.what()));
            QFile::remove(path);
            QFile::copy(m_safetyCopy, path);
            m_farm->reopen();
            throw BackupError(QStringLiteral("La granja restaurada no se puede abrir (%1); se ha vuelto a la granja "
                                             "anterior.")
                                  .arg(QString::fromUtf8(error.what())));
        }
    }

private:
    Database* m_farm;
    QString m_safetyCopy;
};

// A folder on the data folder's own drive, so that each file moves into place
// by a rename: beside the data folder, or inside it when that is not possible.
std::unique_ptr<QTemporaryDir> unpackFolder(const QString& dataFolder)
{
    const QFileInfo folder(dataFolder);
    auto beside = std::make_unique<QTemporaryDir>(QDir(folder.absolutePath()).filePath(QStringLiteral("~Restaurar-XXXXXX")));
    if (beside->isValid())
        return beside;
    auto inside = std::make_unique<QTemporaryDir>(QDir(dataFolder).filePath(QStringLiteral("~Restaurar-XXXXXX")));
    if (inside->isValid())
        return inside;
    throw BackupError(QStringLiteral("No se puede crear la carpeta temporal junto a %1").arg(native(dataFolder)));
}

void moveIntoPlace(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
    if (!error)
        return;
    // Another drive after all: copy beside the target, then rename over it.
    const QString partial = to + QStringLiteral(".parcial");
    QFile::remove(partial);
    if (!QFile::copy(from, partial))
        throw cannotWrite(to);
    std::filesystem::rename(QFile::encodeName(partial).toStdString(), QFile::encodeName(to).toStdString(), error);
    if (error) {
        QFile::remove(partial);
        throw cannotWrite(to);
    }
}

} // namespace

void snapshotDatabase(const QString& source, const QString& target)
{
    QFile::remove(target);
    SqliteHandle from = openSqlite(source, SQLITE_OPEN_READONLY);
    // A connection of its own sees only what was committed; it waits while the
    // program commits a change.
    sqlite3_busy_timeout(from.get(), 5000);
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
                              .arg(native(source), QString::fromUtf8(sqlite3_errmsg(to.get()))));
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
        throw BackupError(QStringLiteral("La ruta \"%1\" no existe").arg(native(dataFolder)));
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
    } catch (const ArchiveError& error) {
        throw BackupError(error.message());
    }
    QDir(staging).removeRecursively();
    // The disks are read back against what was written, so the archive itself
    // is checked here once, block by block.
    try {
        ArchiveReader check(archivePath);
        check.setThreads(m_threads);
        check.verify();
    } catch (const ArchiveError& error) {
        throw BackupError(error.message());
    }
    disks.write(archivePath, drivePath);
    return disks.disks();
}

RestoreOutcome FarmBackup::restore(const QString& dataFolder, QString& drivePath, const OverwriteQuestion& question,
                                   Database* farm)
{
    if (!QDir().mkpath(dataFolder))
        throw BackupError(QStringLiteral("La ruta \"%1\" no existe").arg(native(dataFolder)));
    requireValidPath(m_drive, drivePath);
    QTemporaryDir temp(QDir::temp().filePath(QStringLiteral("~Backup-XXXXXX")));
    if (!temp.isValid())
        throw BackupError(QStringLiteral("No se puede crear la carpeta temporal %1").arg(QDir::tempPath()));
    const QString archivePath = temp.filePath(kSetName);
    BackupSetReader disks(m_drive, m_prompts);
    disks.read(archivePath, drivePath);
    RestoreOutcome outcome;
    outcome.disks = disks.disks();

    // One pass over the archive: every block is checked and inflated into the
    // unpacking folder; a damaged set stops here with nothing replaced.
    const std::unique_ptr<QTemporaryDir> unpacked = unpackFolder(dataFolder);
    QList<ArchiveLayout::Entry> entries;
    try {
        ArchiveReader reader(archivePath);
        reader.setThreads(m_threads);
        reader.setProgress(progress(QStringLiteral("Decomprimiendo a %1")));
        entries = reader.entries();
        reader.extractAll(unpacked->path());
    } catch (const ArchiveError& error) {
        throw BackupError(error.message());
    }
    QFile::remove(archivePath);

    const QString farmPath = QDir(dataFolder).filePath(farmFileName());
    if (QFileInfo::exists(farmPath))
        outcome.safetyCopy = saveSafetyCopy(farmPath, farm);
    ClosedFarm closed(farm, outcome.safetyCopy);
    bool replaceAll = !question;
    for (const ArchiveLayout::Entry& entry : entries) {
        const QStringList parts = EntryName::safeParts(entry.name, entry.isFolder()).value_or(QStringList());
        const QString relative = parts.join(QLatin1Char('/'));
        const QString target = relative.isEmpty() ? dataFolder : QDir(dataFolder).filePath(relative);
        if (entry.isFolder()) {
            if (!QDir().mkpath(target))
                throw cannotWrite(target);
            ++outcome.extracted.folders;
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            throw cannotWrite(target);
        const QFileInfo existing(target);
        if ((existing.exists() || existing.isSymLink()) && !replaceAll) {
            const OverwriteAnswer answer = question(entry, existing);
            if (answer == OverwriteAnswer::Cancel) {
                outcome.extracted.cancelled = true;
                break;
            }
            if (answer == OverwriteAnswer::Keep) {
                ++outcome.extracted.kept;
                continue;
            }
            replaceAll = answer == OverwriteAnswer::ReplaceAll;
        }
        moveIntoPlace(QDir(unpacked->path()).filePath(relative), target);
        ++outcome.extracted.files;
        // A journal left by the farm that was there belongs to that file: the
        // engine would play it back onto the restored one.
        if (relative.compare(farmFileName(), Qt::CaseInsensitive) == 0)
            for (const char* side : {"-journal", "-wal", "-shm"})
                QFile::remove(target + QLatin1String(side));
    }
    closed.reopen();
    if (outcome.extracted.cancelled)
        throw BackupCancelled(QString());
    return outcome;
}
