#include "AliasConfig.h"

#include "DbError.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

AliasConfig::AliasConfig()
    : AliasConfig(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/Brimmont/Alias.conf")) {}

AliasConfig::AliasConfig(QString file) : m_file(std::move(file)) {}

std::optional<QString> AliasConfig::folder(const QString& alias) const {
    QSettings ini(m_file, QSettings::IniFormat);
    for (const QString& group : ini.childGroups()) {
        if (group.compare(alias, Qt::CaseInsensitive) == 0)
            return ini.value(group + QStringLiteral("/PATH")).toString();
    }
    return std::nullopt;
}

void AliasConfig::add(const QString& alias, const QString& folder) {
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSettings ini(m_file, QSettings::IniFormat);
    ini.beginGroup(alias);
    ini.setValue(QStringLiteral("TYPE"), QStringLiteral("STANDARD"));
    ini.setValue(QStringLiteral("PATH"), QDir::toNativeSeparators(folder));
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw DbError(QStringLiteral("No se puede guardar la configuración del alias en %1").arg(m_file));
}

QString AliasConfig::defaultDataFolder() {
    // The variable is read as the older systems did, at most 255 characters.
    const QString programFiles = qEnvironmentVariable("ProgramFiles").left(255);
    if (!programFiles.isEmpty())
        return QDir::cleanPath(programFiles + QStringLiteral("/Torvane/Datos"));
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Torvane/Datos"));
}

QString AliasConfig::ensureFarmAlias() {
    if (auto known = folder(QLatin1String(kFarmAlias)))
        return QDir::fromNativeSeparators(*known);
    const QString dataFolder = defaultDataFolder();
    add(QLatin1String(kFarmAlias), dataFolder);
    return dataFolder;
}
