#include "FarmHealth.h"

#include "Database.h"
#include "Schema.h"
#include "Transaction.h"

#include <sqlite3.h>

namespace {

// Runs housekeeping text straight on the engine; the result code, and the
// engine's message in `error` when it is not SQLITE_OK.
int run(sqlite3* db, const char* sql, QString* error = nullptr) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK && error)
        *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return rc;
}

// The engine's quick check: "ok", or its first complaint. It reads every page
// but skips the index-against-table comparison, which keeps it well under a
// fifth of a second on a farm of thousands of females.
QString quickCheck(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &stmt, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db));
    QString verdict;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    else
        verdict = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    return verdict;
}

// Whether the file and its folder take a write: the engine's own answer, then a
// trial write rolled back at once. Asking the file system is no proof, since an
// administrator passes every permission check and a drive may refuse all the same.
bool writable(sqlite3* db) {
    if (sqlite3_db_readonly(db, "main") == 1)
        return false;
    if (run(db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return sqlite3_db_readonly(db, "main") != 1; // busy elsewhere is no proof either way
    const int rc = run(db, "CREATE TABLE main.PruebaEscritura (x)") & 0xff;
    run(db, "ROLLBACK");
    return !(rc == SQLITE_READONLY || rc == SQLITE_CANTOPEN || rc == SQLITE_PERM || rc == SQLITE_IOERR ||
             rc == SQLITE_AUTH);
}

} // namespace

FarmHealth FarmHealth::check(Database& db) {
    FarmHealth health;
    sqlite3* handle = db.handle();
    // A file that is no database at all fails on the first read of its schema.
    QString error;
    if (run(handle, "SELECT count(*) FROM sqlite_master", &error) != SQLITE_OK) {
        health.damaged = true;
        health.damage = error;
        return health;
    }
    QString verdict = quickCheck(handle);
    if (verdict != QLatin1String("ok")) {
        health.damaged = true;
        // "*** in database main ***\nPage 6: free space corruption": the page is what tells.
        health.damage = verdict.remove(QStringLiteral("*** in database main ***")).simplified();
        return health;
    }
    if (!writable(handle)) {
        health.readOnly = true;
        return health;
    }
    Transaction t(db);
    health.restoredTables = schema::restoreMissingTables(db);
    schema::ensureLookupIndexes(db);
    t.commit();
    return health;
}

QStringList FarmHealth::messages(const QString& file) const {
    QStringList out;
    if (damaged)
        out << QStringLiteral("La base de datos de la granja está dañada:\n%1\n\n(%2)\n\nUtilice \"Reparación de "
                              "Bases de Datos\" o \"Restaurar Copia de Seguridad\" del menú Archivo antes de "
                              "seguir trabajando con ella.")
                   .arg(file, damage);
    if (readOnly)
        out << QStringLiteral("La base de datos de la granja es de solo lectura:\n%1\n\nNo se podrá guardar ningún "
                              "cambio. Compruebe los permisos del archivo y de su carpeta, o si la unidad está "
                              "protegida contra escritura.")
                   .arg(file);
    if (restoredTables.size() == 1)
        out << QStringLiteral("Faltaba la tabla %1 en la base de datos de la granja:\n%2\n\nSe ha creado de nuevo, "
                              "vacía.")
                   .arg(restoredTables.first(), file);
    else if (restoredTables.size() > 1)
        out << QStringLiteral("Faltaban las tablas %1 en la base de datos de la granja:\n%2\n\nSe han creado de "
                              "nuevo, vacías.")
                   .arg(restoredTables.join(QStringLiteral(", ")), file);
    return out;
}
