#pragma once

#include <QString>
#include <functional>
#include <memory>

class AliasConfig;
class Database;

// Where this run looks for its farm, and what it found there.
struct FarmLookup {
    enum class Finding {
        FirstRun,        // no alias configuration yet: the farm is created on the default folder
        Found,           // Quendal.db is there and holds data
        AliasUnreadable, // the configuration is there but cannot be read; it is left untouched
        FolderMissing,   // the data folder is not there (a drive not connected, a folder moved)
        FileMissing,     // the folder is there without Quendal.db
        FileEmpty,       // Quendal.db is there with 0 bytes
    };
    Finding finding = Finding::FirstRun;
    QString folder;    // the data folder looked in; empty when the alias could not be read
    QString aliasFile; // the alias configuration
    QString problem;   // AliasUnreadable: what is wrong with it

    QString databaseFile() const;
    bool found() const { return finding == Finding::Found || finding == Finding::FirstRun; }

    // What the alias configuration names.
    static FarmLookup inspect(const AliasConfig& aliases);
    // What a folder holds (the one the farmer chose).
    static FarmLookup inspectFolder(const QString& folder, const QString& aliasFile);

    // The farmer's message for a farm not found: the path, the likely cause and
    // what can be done; empty when the farm was found.
    QString message() const;
};

// The farmer's answer to a farm that is not where it was expected.
struct FarmChoice {
    enum class Action { Retry, UseFolder, CreateNew, Quit };
    Action action = Action::Quit;
    QString folder; // UseFolder: the folder chosen
};

// Settles the farm of this run. The farm is created only on a true first run or
// when the farmer asks for a new one; a farm that is not where the alias says is
// put to the farmer, as many times as it takes:
// - Retry looks again where the alias says (the drive has been connected);
// - UseFolder looks in the chosen folder, and once the farm is found there the
//   alias is moved to it (an unreadable configuration is never rewritten: the
//   folder then serves this run only);
// - CreateNew starts a new empty farm in the folder looked in;
// - Quit gives up (no database).
class FarmOpening {
public:
    using Ask = std::function<FarmChoice(const FarmLookup&)>;
    static std::unique_ptr<Database> open(AliasConfig& aliases, const Ask& ask);
};
