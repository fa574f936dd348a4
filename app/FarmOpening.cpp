#include "FarmOpening.h"

#include "db/AliasConfig.h"
#include "db/Database.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

QString FarmLookup::databaseFile() const {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QLatin1String(Database::kFileName));
}

FarmLookup FarmLookup::inspect(const AliasConfig& aliases) {
    const AliasConfig::Entry entry = aliases.farmAlias();
    switch (entry.state) {
    case AliasConfig::Entry::State::Missing:
        return {Finding::FirstRun, AliasConfig::defaultDataFolder(), aliases.file(), {}};
    case AliasConfig::Entry::State::Unreadable:
        return {Finding::AliasUnreadable, {}, aliases.file(), entry.problem};
    case AliasConfig::Entry::State::Known:
        break;
    }
    return inspectFolder(entry.folder, aliases.file());
}

FarmLookup FarmLookup::inspectFolder(const QString& folder, const QString& aliasFile) {
    FarmLookup lookup{Finding::Found, QDir::cleanPath(folder), aliasFile, {}};
    const QFileInfo file(lookup.databaseFile());
    if (!QFileInfo(lookup.folder).isDir())
        lookup.finding = Finding::FolderMissing;
    else if (!file.exists())
        lookup.finding = Finding::FileMissing;
    else if (file.size() == 0)
        lookup.finding = Finding::FileEmpty;
    return lookup;
}

QString FarmLookup::message() const {
    const QString path = QDir::toNativeSeparators(databaseFile());
    switch (finding) {
    case Finding::FirstRun:
    case Finding::Found:
        return {};
    case Finding::AliasUnreadable:
        return QStringLiteral("No se puede leer la configuración del alias de la granja:\n%1\n(%2)\n\nEl archivo no "
                              "se modificará. Corríjalo y pulse \"Reintentar\", o elija la carpeta donde está la "
                              "granja para trabajar con ella en esta sesión.")
            .arg(QDir::toNativeSeparators(aliasFile), problem);
    case Finding::FolderMissing:
        return QStringLiteral("No se encuentra la carpeta de datos de la granja:\n%1\n\nPuede que la unidad donde "
                              "está no esté conectada (un disco externo, una memoria USB o una unidad de red) o que "
                              "la carpeta se haya movido o cambiado de nombre.")
            .arg(QDir::toNativeSeparators(folder));
    case Finding::FileMissing:
        return QStringLiteral("No se encuentra la base de datos de la granja:\n%1\n\nLa carpeta existe, pero el "
                              "archivo %2 no está en ella: puede que se haya movido, cambiado de nombre o borrado.")
            .arg(path, QLatin1String(Database::kFileName));
    case Finding::FileEmpty:
        return QStringLiteral("La base de datos de la granja está vacía (0 bytes):\n%1\n\nPuede que una copia o una "
                              "grabación se interrumpiera. Elija la carpeta donde está la granja o restaure una copia "
                              "de seguridad.")
            .arg(path);
    }
    return {};
}

std::unique_ptr<Database> FarmOpening::open(AliasConfig& aliases, const Ask& ask) {
    const QString alias = QLatin1String(AliasConfig::kFarmAlias);
    // A folder the farmer chose, looked in instead of the alias's.
    std::optional<QString> chosen;
    for (;;) {
        const FarmLookup lookup =
            chosen ? FarmLookup::inspectFolder(*chosen, aliases.file()) : FarmLookup::inspect(aliases);
        const bool aliasReadable = aliases.farmAlias().state != AliasConfig::Entry::State::Unreadable;
        switch (lookup.finding) {
        case FarmLookup::Finding::FirstRun:
            aliases.add(alias, lookup.folder);
            return Database::openInFolder(lookup.folder);
        case FarmLookup::Finding::Found:
            if (chosen && aliasReadable)
                aliases.add(alias, lookup.folder);
            return std::make_unique<Database>(lookup.databaseFile());
        default:
            break;
        }
        const FarmChoice choice = ask(lookup);
        switch (choice.action) {
        case FarmChoice::Action::Quit:
            return nullptr;
        case FarmChoice::Action::Retry:
            chosen.reset(); // where the alias says, now that the drive may be back
            break;
        case FarmChoice::Action::UseFolder:
            if (!choice.folder.isEmpty())
                chosen = choice.folder;
            break;
        case FarmChoice::Action::CreateNew:
            if (lookup.folder.isEmpty())
                break; // no folder to create it in: asked again
            if (aliasReadable)
                aliases.add(alias, lookup.folder);
            return Database::openInFolder(lookup.folder);
        }
    }
}
