#include "utilities/TableRepair.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"

#include <QStringList>
#include <sqlite3.h>

namespace {

// "HistoricoMaternidad" -> "Reparando la tabla HISTORICOMATERNIDAD.DB, por favor, epere..."
QString progressText(const QString& table) {
    return QStringLiteral("Reparando la tabla %1.DB, por favor, epere...").arg(table.toUpper());
}

QString fileName(const QString& table) {
    return table + QStringLiteral(".Db");
}

// Runs one statement on its own; false when it failed.
template <typename Action>
bool attempt(Action action) {
    try {
        action();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

void repairKeys(Database& db, const schema::TableKeys& t, const TableRepair::Report& report) {
    report.show(progressText(t.table));
    const bool secondary = !t.secondaryColumns.isEmpty();
    if (secondary && !attempt([&] { db.exec(QStringLiteral("drop index %1.Index01").arg(t.table)); }))
        report.warn(QStringLiteral("Se ha producido un error al eliminar la clave secundaria de ") + fileName(t.table));
    if (!attempt([&] { db.exec(QStringLiteral("drop index %1.Primary").arg(t.table)); }))
        report.warn(QStringLiteral("Se ha producido un error al eliminar la clave primaria de ") + fileName(t.table));
    // The indexes are created as one action: the first failure leaves the rest uncreated.
    const bool created = attempt([&] {
        schema::createPrimaryKey(db, t);
        if (secondary)
            schema::createSecondaryIndex(db, t);
    });
    if (!created)
        report.warn(QStringLiteral("Se ha producido un error al crear la clave primaria de ") + fileName(t.table));
    report.hide();
}

QString damagedText(const QString& problems) {
    return QStringLiteral("La reparación ha terminado, pero el archivo de la base de datos sigue dañado:\n%1\n\n"
                          "Recupere la última copia de seguridad con \"Restaurar Copia de Seguridad\".")
        .arg(problems);
}

} // namespace

QString TableRepair::integrityProblems(Database& db) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle(), "PRAGMA integrity_check(20)", -1, &stmt, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db.handle()));
    QStringList lines;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    if (rc != SQLITE_DONE)
        lines << QString::fromUtf8(sqlite3_errmsg(db.handle()));
    sqlite3_finalize(stmt);
    if (lines == QStringList{QStringLiteral("ok")})
        return {};
    return lines.join(QLatin1Char('\n'));
}

TableRepair::Outcome TableRepair::run(Database& db, const Report& report) {
    Outcome outcome;
    outcome.before = integrityProblems(db);
    for (const schema::TableKeys& t : schema::keys()) {
        if (!t.primaryColumn.isEmpty())
            repairKeys(db, t, report);
    }
    attempt([&] { db.execNative(QStringLiteral("REINDEX")); });
    outcome.after = integrityProblems(db);
    if (outcome.after.isEmpty())
        report.warn(QStringLiteral("La reparación de la Base de Datos ha finalizado"));
    else
        report.warn(damagedText(outcome.after));
    return outcome;
}
