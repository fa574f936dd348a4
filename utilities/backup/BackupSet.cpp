#include "BackupSet.h"

#include "BackupError.h"
#include "BackupInfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <zlib.h>

namespace {

const QString kNoValidPath = QStringLiteral("Es necesario una ruta valida para respaldar la unidad");
const QString kAborted = QStringLiteral("¡ Abortado !");
const QString kNoBackup = QStringLiteral("El disco no contiene ningun respaldo.");
const QString kNotFirst = QStringLiteral("El disco no es el primero del respaldo.");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString onDisk(const QString& diskPath, const QString& name)
{
    return QDir(diskPath).filePath(name);
}

BackupError cannotWrite(const QString& path)
{
    return BackupError(QStringLiteral("No se puede escribir el archivo %1").arg(native(path)));
}

BackupError cannotRead(const QString& path)
{
    return BackupError(QStringLiteral("No se puede leer el archivo %1").arg(native(path)));
}

} // namespace

// Running CRC-32 and length of what went to or came from one disk.
struct BackupTally {
    quint32 crc = crc32(0, nullptr, 0);
    qint64 bytes = 0;
    void add(const QByteArray& piece)
    {
        crc = crc32(crc, reinterpret_cast<const Bytef*>(piece.constData()), static_cast<uInt>(piece.size()));
        bytes += piece.size();
    }
    bool operator==(const BackupTally&) const = default;
};

namespace {

BackupTally tallyOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotRead(path);
    BackupTally tally;
    for (QByteArray piece = file.read(kPieceSize); !piece.isEmpty(); piece = file.read(kPieceSize))
        tally.add(piece);
    return tally;
}

// A valid folder that is no removable drive is shown in the insert-disk
// prompt before disk 1, so the farmer sees where the set goes and can type
// another; a removable drive with its disk in goes ahead as it is.
bool offeredFirst(const BackupDrive& drive, const QString& path)
{
    return !drive.isRemovable(path) && isValidBackupPath(drive, path);
}

int share(qint64 done, qint64 total)
{
    return total > 0 ? static_cast<int>((done * 100 + total / 2) / total) : 100;
}

} // namespace

void requireValidPath(const BackupDrive& drive, const QString& path)
{
    if (!isValidBackupPath(drive, path))
        throw BackupError(kNoValidPath);
}

QString askUntilPresent(const BackupDrive& drive, BackupPrompts& prompts, int disk, QString path, bool ask)
{
    for (;; ask = true) {
        if (ask) {
            const std::optional<QString> typed = prompts.askDisk(disk, path);
            if (!typed)
                throw BackupCancelled(kAborted);
            path = *typed;
        }
        if (drive.isRemovable(path) && !drive.hasDisk(path))
            continue;
        requireValidPath(drive, path);
        return path;
    }
}

// ---- writing a set

bool BackupSetWriter::prepare(const QString& path)
{
    if (!m_drive.isRemovable(path))
        return true;
    // Only an earlier set is ever erased: whatever else the disk holds stays.
    const QStringList set{onDisk(path, kSetName), onDisk(path, kInfoFileName)};
    bool earlier = false;
    for (const QString& file : set)
        earlier = earlier || QFileInfo::exists(file);
    if (!earlier)
        return true;
    if (!m_prompts.askEraseEarlierSet())
        return false;
    m_prompts.action(QStringLiteral("Borrando archivos de respaldo de la unidad..."));
    for (const QString& file : set) {
        if (!QFileInfo::exists(file))
            continue;
        QFile::setPermissions(file, QFile::permissions(file) | QFile::WriteOwner);
        if (!QFile::remove(file)) {
            m_prompts.tell(QStringLiteral("¡ No es posible borrar todos los archivos !"));
            return false;
        }
    }
    return true;
}

qint64 BackupSetWriter::nextDisk(QString& path, bool ask)
{
    for (;; ask = true) {
        path = askUntilPresent(m_drive, m_prompts, m_disk, path, ask);
        if (!prepare(path))
            continue;
        const qint64 room = m_drive.freeBytes(path) - kDiskReserve;
        // A disk that cannot hold one piece is asked for again, saying why.
        if (room >= kPieceSize)
            return room;
        m_prompts.tell(QStringLiteral("El disco de %1 está lleno o protegido contra escritura. Inserte otro disco.")
                           .arg(QDir::toNativeSeparators(path)));
    }
}

void BackupSetWriter::prepareFirst(QString& path)
{
    m_disk = 1;
    m_room = nextDisk(path, offeredFirst(m_drive, path));
}

void BackupSetWriter::finishDisk(const QString& path, qint64 archiveSize, const QString& archivePath,
                                 bool continues, const BackupTally& written)
{
    const QString target = onDisk(path, kSetName);
    if (!(tallyOf(target) == written))
        throw BackupError(QStringLiteral("El disco nº %1 no guarda lo que se escribió en él: la copia no es válida.")
                              .arg(m_disk));
    BackupInfo info;
    info.written = QDateTime::currentDateTime();
    info.disk = m_disk;
    info.archiveSize = archiveSize;
    if (continues)
        info.incompleteFile = native(archivePath);
    info.write(path);
}

void BackupSetWriter::write(const QString& archivePath, QString& path)
{
    if (m_disk == 0)
        prepareFirst(path);
    QFile archive(archivePath);
    if (!archive.open(QIODevice::ReadOnly))
        throw cannotRead(archivePath);
    const qint64 total = archive.size();
    qint64 done = 0;
    qint64 room = m_room;
    m_prompts.action(QStringLiteral("Copia de %1").arg(kSetName));
    auto target = std::make_unique<QFile>(onDisk(path, kSetName));
    if (!target->open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw cannotWrite(target->fileName());
    BackupTally tally;
    for (QByteArray piece = archive.read(kPieceSize); !piece.isEmpty(); piece = archive.read(kPieceSize)) {
        if (piece.size() > room) {
            target->close();
            finishDisk(path, total, archivePath, true, tally);
            ++m_disk;
            room = nextDisk(path, true);
            target = std::make_unique<QFile>(onDisk(path, kSetName));
            if (!target->open(QIODevice::WriteOnly | QIODevice::Truncate))
                throw cannotWrite(target->fileName());
            tally = BackupTally();
        }
        if (target->write(piece) != piece.size() || !target->flush())
            throw cannotWrite(target->fileName());
        tally.add(piece);
        room -= piece.size();
        done += piece.size();
        m_prompts.percent(share(done, total));
    }
    if (archive.error() != QFileDevice::NoError)
        throw cannotRead(archivePath);
    target->close();
    finishDisk(path, total, archivePath, false, tally);
}

// ---- reading a set


void BackupSetReader::read(const QString& archivePath, QString& path)
{
    m_disk = 1;
    BackupInfo first;
    for (bool ask = offeredFirst(m_drive, path);; ask = true) {
        path = askUntilPresent(m_drive, m_prompts, 1, path, ask);
        const std::optional<BackupInfo> info = BackupInfo::read(path);
        if (!info)
            m_prompts.tell(kNoBackup);
        else if (info->disk != 1)
            m_prompts.tell(kNotFirst);
        else {
            first = *info;
            break;
        }
    }
    QFile archive(archivePath);
    if (!archive.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw cannotWrite(archivePath);
    m_prompts.action(QStringLiteral("Copia de %1").arg(first.backupName));
    BackupInfo current = first;
    for (;;) {
        QFile part(onDisk(path, first.backupName));
        if (!part.open(QIODevice::ReadOnly))
            throw cannotRead(part.fileName());
        for (QByteArray piece = part.read(kPieceSize); !piece.isEmpty(); piece = part.read(kPieceSize)) {
            if (archive.write(piece) != piece.size())
                throw cannotWrite(archivePath);
            m_prompts.percent(std::min(100, share(archive.size(), first.archiveSize)));
        }
        if (part.error() != QFileDevice::NoError)
            throw cannotRead(part.fileName());
        if (!current.continues())
            break;
        ++m_disk;
        for (;;) {
            path = askUntilPresent(m_drive, m_prompts, m_disk, path, true);
            const std::optional<BackupInfo> info = BackupInfo::read(path);
            if (!info) {
                m_prompts.tell(kNoBackup);
                continue;
            }
            if (info->backupName.compare(first.backupName, Qt::CaseInsensitive) != 0) {
                m_prompts.tell(QStringLiteral("El disco contiene el respaldo \"%1\" en vez de \"%2\".")
                                   .arg(info->backupName, first.backupName));
                continue;
            }
            // Another number, or a disk of another set of the same name, is passed over.
            if (info->disk != m_disk || info->archiveSize != first.archiveSize)
                continue;
            current = *info;
            break;
        }
    }
    if (!archive.flush() || archive.size() != first.archiveSize)
        throw BackupError(QStringLiteral("El respaldo está incompleto: se leyeron %1 de %2 bytes.")
                              .arg(archive.size())
                              .arg(first.archiveSize));
}
