#include "FreeStatement.h"

#include "db/Database.h"
#include "db/ProgressWatch.h"
#include "db/Query.h"

#include <sqlite3.h>

namespace freestatement {

Outcome run(Database& db, const QString& text, const std::function<bool()>& keepGoing) {
    bool failed = false;
    bool interrupted = false;
    {
        ProgressWatch watch(db, keepGoing);
        try {
            Query q(db, text);
            q.exec();
        } catch (const std::exception&) {
            failed = true;
        }
        interrupted = watch.interrupted();
    }
    if (!sqlite3_get_autocommit(db.handle())) {
        db.execNative(QStringLiteral("ROLLBACK"));
        failed = true;
    }
    if (interrupted)
        return Outcome::Cancelled;
    return failed ? Outcome::Failed : Outcome::Ran;
}

} // namespace freestatement
