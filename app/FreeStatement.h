#pragma once

#include <QString>
#include <functional>

class Database;

// The technician's free statement of the console, run as one statement in the
// farm dialect. It may be stopped while it runs, and it can never leave a
// transaction open: a statement that does ("begin", "savepoint") is rolled back
// and counts as failed, since every later change of the run would otherwise be
// undone when the program closes.
namespace freestatement {

enum class Outcome { Ran, Failed, Cancelled };

// `keepGoing` is asked every few thousand engine steps; false stops the statement.
Outcome run(Database& db, const QString& text, const std::function<bool()>& keepGoing);

} // namespace freestatement
