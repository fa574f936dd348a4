#pragma once

#include <QDateTime>
#include <QString>

class Database;

// The copy of the farm kept before an import or a restore replaces it: a
// consistent snapshot of the open farm file, taken by the engine itself, so a
// replacement made by mistake costs nothing.
namespace SafetyCopy {

// How many safety copies are kept; the oldest go first.
constexpr int kKept = 5;

// "Copias de Seguridad" beside the data folder that holds the farm file.
QString folderFor(const QString& farmFilePath);

// Writes a consistent snapshot of the open farm to targetPath, complete or not
// at all: it is written beside the target and renamed over it at the end.
// Throws DbError.
void writeSnapshot(Database& db, const QString& targetPath);

// Saves a snapshot into folderFor(db.filePath()) under a name made of the day
// and time, keeps the newest kKept, and returns the new copy's path. Throws DbError.
QString save(Database& db, const QDateTime& when);

} // namespace SafetyCopy
