#pragma once

#include "BreedingHistory.h"

#include <QString>
#include <optional>

class Database;
class TableCursor;

// What the female and male registers share on their cursors: an animal is
// known by its number column (CodigoHembra, CodigoMacho), and until it is saved
// its history rows carry only this computer's tag.
namespace registers {

// A new animal (not yet saved) is on the cursor: being inserted, or being edited
// with no number stored.
bool isNew(const TableCursor& animals, const QString& codeColumn);

// Whose history rows the card lists: while an animal is being inserted, the
// provisional rows of this computer; otherwise those of the animal shown (none
// while there is no animal). While its number is being typed over, the list stays
// with the animal shown.
std::optional<BreedingHistory::Owner> historyOwner(const TableCursor& animals, const QString& codeColumn,
                                                   const QString& machineTag);

// The first number from `from` up that the ordered numbers of the statement leave free.
qint64 firstGap(Database& db, const QString& statement, const QString& column, qint64 from);

} // namespace registers
