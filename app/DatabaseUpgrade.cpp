#include "app/DatabaseUpgrade.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/EfficiencyIndex.h"
#include "db/Query.h"
#include "db/Settings.h"

#include <utility>
#include <vector>

namespace {

const QString kVersion = QStringLiteral("010100");

} // namespace

DatabaseUpgrade::DatabaseUpgrade(Database& db, Settings& settings, Progress progress)
    : m_db(db), m_settings(settings), m_progress(std::move(progress)) {}

void DatabaseUpgrade::run() {
    m_progress.caption(QStringLiteral("Añadiendo el Ind. de Efic. (Hembras) a la Estructura..."));
    m_progress.maximum(100);
    m_progress.value(0);
    addColumn(QStringLiteral("Hembras"), QStringLiteral("Eficacia"), QStringLiteral("Numeric"));
    m_progress.value(100);

    m_progress.caption(QStringLiteral("Calculando el Indice de Eficacia (Hembras)..."));
    indices(QStringLiteral("Hembras"), QStringLiteral("CodigoHembra"), true);

    m_progress.caption(QStringLiteral("Añadiendo el Ind. de Efic. (Machos) a la Estructura..."));
    m_progress.maximum(100);
    m_progress.value(0);
    addColumn(QStringLiteral("Machos"), QStringLiteral("Eficacia"), QStringLiteral("Numeric"));
    m_progress.value(100);

    m_progress.caption(QStringLiteral("Calculando el Indice de Eficacia (Machos)..."));
    indices(QStringLiteral("Machos"), QStringLiteral("CodigoMacho"), false);

    m_progress.caption(QStringLiteral("Cambiando sistema de Selección (Hembras)..."));
    selection(QStringLiteral("Hembras"), QStringLiteral("CodigoHembra"));
    m_progress.caption(QStringLiteral("Cambiando sistema de Selección (Machos)..."));
    selection(QStringLiteral("Machos"), QStringLiteral("CodigoMacho"));

    m_settings.setVersionActual(kVersion);
}

// Adding a column that exists changes nothing and is not reported.
void DatabaseUpgrade::addColumn(const QString& table, const QString& column, const QString& type) {
    try {
        m_db.exec(QStringLiteral("alter table %1 Add %2 %3").arg(table, column, type));
    } catch (const DbError&) {
    }
}

int DatabaseUpgrade::count(const QString& table) {
    Query q(m_db, QStringLiteral("select count(*) cuenta from %1").arg(table));
    q.open();
    return static_cast<int>(q.field(QStringLiteral("cuenta")).asInteger());
}

// An index that cannot be computed (-1) leaves the animal's Eficacia as it was.
void DatabaseUpgrade::indices(const QString& table, const QString& codeColumn, bool female) {
    m_progress.maximum(count(table));
    std::vector<qint64> codes;
    {
        Query q(m_db, QStringLiteral("select %1 from %2").arg(codeColumn, table));
        for (q.open(); !q.eof(); q.next())
            codes.push_back(q.field(codeColumn).asInteger());
    }
    int done = 0;
    for (qint64 code : codes) {
        if (female)
            EfficiencyIndex::writeFemale(m_db, code, EfficiencyIndex::female(m_db, code),
                                         EfficiencyIndex::Lines::Two);
        else
            EfficiencyIndex::writeMale(m_db, code, EfficiencyIndex::male(m_db, code), EfficiencyIndex::Lines::Two);
        m_progress.value(++done);
    }
}

// NumeroSeleccion above 0 (an empty value reads 0) makes the animal selected. The
// old column is dropped only when every row was converted: dropping it after a
// failing row would lose the selection of every animal after that row. A missing
// column (a database already at 1.1.0) leaves every Seleccion as it is.
void DatabaseUpgrade::selection(const QString& table, const QString& codeColumn) {
    m_progress.maximum(100);
    m_progress.value(0);
    addColumn(table, QStringLiteral("Seleccion"), QStringLiteral("Boolean"));
    m_progress.maximum(count(table));

    bool converted = true;
    try {
        std::vector<std::pair<qint64, bool>> rows;
        {
            Query q(m_db, QStringLiteral("select %1, NumeroSeleccion from %2").arg(codeColumn, table));
            for (q.open(); !q.eof(); q.next())
                rows.emplace_back(q.field(codeColumn).asInteger(),
                                  q.field(QStringLiteral("NumeroSeleccion")).asInteger() > 0);
        }
        Query update(m_db, QStringLiteral("update %1 set Seleccion=:seleccion where %2=:codigo").arg(table, codeColumn));
        int done = 0;
        for (const auto& [code, selected] : rows) {
            update.bindLogical(QStringLiteral("seleccion"), selected);
            update.bindInteger(QStringLiteral("codigo"), code);
            update.exec();
            m_progress.value(++done);
        }
    } catch (const DbError&) {
        converted = false;
    }
    if (!converted)
        return;
    try {
        m_db.exec(QStringLiteral("alter table %1 drop NumeroSeleccion").arg(table));
    } catch (const DbError&) {
    }
}
