#include "BackupInfo.h"

#include "BackupError.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>

QString BackupInfo::text() const
{
    const QLocale locale;
    QString out;
    const auto line = [&out](const QString& name, const QString& value) {
        if (!value.isEmpty())
            out += name + QLatin1Char('=') + value + QLatin1String("\r\n");
    };
    if (written.isValid()) {
        line(QStringLiteral("Date"), locale.toString(written.date(), QLocale::ShortFormat));
        line(QStringLiteral("Time"), locale.toString(written.time(), QLocale::LongFormat));
    }
    line(QStringLiteral("Backup.Name"), backupName);
    line(QStringLiteral("Disk#"), disk > 0 ? QString::number(disk) : QString());
    line(QStringLiteral("ArchiveSize"), QString::number(archiveSize));
    line(QStringLiteral("FileIncompletelySaved"), incompleteFile);
    return out;
}

BackupInfo BackupInfo::parse(const QString& text)
{
    BackupInfo info;
    info.backupName.clear();
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString row = raw.trimmed();
        const qsizetype eq = row.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString name = row.left(eq).trimmed().toLower();
        const QString value = row.mid(eq + 1).trimmed();
        if (name == QLatin1String("backup.name"))
            info.backupName = value;
        else if (name == QLatin1String("disk#"))
            info.disk = value.toInt();
        else if (name == QLatin1String("archivesize"))
            info.archiveSize = value.toLongLong();
        else if (name == QLatin1String("fileincompletelysaved"))
            info.incompleteFile = value;
    }
    return info;
}

std::optional<BackupInfo> BackupInfo::read(const QString& diskPath)
{
    QFile file(QDir(diskPath).filePath(kInfoFileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(QString::fromLocal8Bit(file.readAll()));
}

void BackupInfo::write(const QString& diskPath) const
{
    const QString path = QDir(diskPath).filePath(kInfoFileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text().toLocal8Bit()) < 0 || !file.commit())
        throw BackupError(QStringLiteral("No se puede escribir el archivo %1").arg(QDir::toNativeSeparators(path)));
}
