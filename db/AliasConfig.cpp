#include "AliasConfig.h"

#include "DbError.h"

#include <QDir>
#include <QFile>
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

AliasConfig::Entry AliasConfig::farmAlias() const {
    using State = Entry::State;
    if (!QFileInfo::exists(m_file))
        return {State::Missing, {}, {}};
    QFile raw(m_file);
    if (!raw.open(QIODevice::ReadOnly))
        return {State::Unreadable, {}, QStringLiteral("no se puede abrir el archivo: %1").arg(raw.errorString())};
    QSettings ini(m_file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return {State::Unreadable, {}, QStringLiteral("el archivo no tiene un formato válido")};
    const std::optional<QString> known = folder(QLatin1String(kFarmAlias));
    if (!known)
        return {State::Unreadable, {}, QStringLiteral("el archivo no contiene el alias %1").arg(kFarmAlias)};
    if (known->trimmed().isEmpty())
        return {State::Unreadable, {}, QStringLiteral("el alias %1 no indica ninguna carpeta").arg(kFarmAlias)};
    return {State::Known, QDir::fromNativeSeparators(*known), {}};
}

QString AliasConfig::ensureFarmAlias() {
    const Entry entry = farmAlias();
    switch (entry.state) {
    case Entry::State::Known:
        return entry.folder;
    case Entry::State::Unreadable:
        throw DbError(QStringLiteral("No se puede leer la configuración del alias %1 (%2): %3")
                          .arg(QLatin1String(kFarmAlias), m_file, entry.problem));
    case Entry::State::Missing:
        break;
    }
    const QString dataFolder = defaultDataFolder();
    add(QLatin1String(kFarmAlias), dataFolder);
    return dataFolder;
}
