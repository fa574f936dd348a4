#include "StatementCache.h"

#include "DbError.h"
#include "Dialect.h"

#include <climits>
#include <sqlite3.h>

PreparedStatement::PreparedStatement(sqlite3* db, const QString& sqliteText, const QString& shown)
    : m_sqliteText(sqliteText) {
    const QByteArray sql = sqliteText.toUtf8();
    const char* tail = nullptr;
    // Persistent: the statement is meant to be kept and run many times.
    if (sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &m_stmt, &tail) !=
        SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        const int code = sqlite3_extended_errcode(db);
        sqlite3_finalize(m_stmt);
        throw DbError(message, shown, code);
    }
    if (!m_stmt)
        throw DbError(QStringLiteral("La sentencia está vacía"), shown);
    // One statement object runs one statement: trailing text is refused rather
    // than silently dropped.
    if (tail && !QString::fromUtf8(tail).trimmed().remove(QLatin1Char(';')).trimmed().isEmpty()) {
        sqlite3_finalize(m_stmt);
        throw DbError(QStringLiteral("Sólo se puede ejecutar una sentencia cada vez"), shown);
    }
    readColumns();
}

PreparedStatement::~PreparedStatement() {
    sqlite3_finalize(m_stmt);
}

void PreparedStatement::readColumns() {
    m_names.clear();
    m_types.clear();
    m_folded.clear();
    m_asked.clear();
    const int count = sqlite3_column_count(m_stmt);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(m_stmt, i));
        const char* decl = sqlite3_column_decltype(m_stmt, i);
        m_names << name;
        m_types << (decl ? QString::fromUtf8(decl) : QString());
        // The first column of a name wins, as "select *" joins read it.
        const QString folded = name.toLower();
        if (!m_folded.contains(folded))
            m_folded.insert(folded, i);
    }
    m_reprepares = sqlite3_stmt_status(m_stmt, SQLITE_STMTSTATUS_REPREPARE, 0);
}

void PreparedStatement::followSchema() {
    if (sqlite3_stmt_status(m_stmt, SQLITE_STMTSTATUS_REPREPARE, 0) != m_reprepares)
        readColumns();
}

int PreparedStatement::find(std::vector<Asked>& asked, const QString& name) {
    for (const Asked& a : asked) {
        if (a.name.constData() == name.constData() && a.name.size() == name.size())
            return a.index;
    }
    for (const Asked& a : asked) {
        if (a.name == name)
            return a.index;
    }
    return INT_MIN;
}

int PreparedStatement::column(const QString& name) {
    if (const int i = find(m_asked, name); i != INT_MIN)
        return i;
    const int i = m_folded.value(name.toLower(), -1);
    m_asked.push_back({name, i});
    return i;
}

int PreparedStatement::parameter(const QString& name) {
    if (const int i = find(m_params, name); i != INT_MIN)
        return i;
    QString marker = name;
    if (!marker.startsWith(QLatin1Char(':')))
        marker.prepend(QLatin1Char(':'));
    const int index = sqlite3_bind_parameter_index(m_stmt, marker.toUtf8().constData());
    m_params.push_back({name, index});
    return index;
}

StatementCache::StatementCache(sqlite3* db, int capacity) : m_db(db), m_capacity(std::max(1, capacity)) {}

StatementCache::~StatementCache() = default;

QString StatementCache::translate(const QString& farmText) {
    if (const auto it = m_translations.constFind(farmText); it != m_translations.cend())
        return it.value();
    // Bounded like the statements: a farm that keeps writing new texts starts afresh.
    if (m_translations.size() >= 4 * m_capacity)
        m_translations.clear();
    const QString sqlite = dialect::toSqlite(farmText);
    m_translations.insert(farmText, sqlite);
    return sqlite;
}

std::shared_ptr<PreparedStatement> StatementCache::acquire(const QString& farmText) {
    return acquire(translate(farmText), farmText);
}

std::shared_ptr<PreparedStatement> StatementCache::acquireNative(const QString& sqliteText) {
    return acquire(sqliteText, sqliteText);
}

std::shared_ptr<PreparedStatement> StatementCache::acquire(const QString& sqliteText, const QString& shown) {
    if (const auto it = m_statements.find(sqliteText); it != m_statements.end()) {
        Entry& entry = it.value();
        m_order.splice(m_order.begin(), m_order, entry.age);
        if (!entry.statement->inUse()) {
            ++m_stats.hits;
            entry.statement->handOut();
            return entry.statement;
        }
        // The same text is open twice at once: the second gets its own
        // statement, finalized when it is given back.
        ++m_stats.misses;
        auto fresh = std::make_shared<PreparedStatement>(m_db, sqliteText, shown);
        fresh->handOut();
        return fresh;
    }
    ++m_stats.misses;
    auto statement = std::make_shared<PreparedStatement>(m_db, sqliteText, shown);
    statement->handOut();
    m_order.push_front(sqliteText);
    m_statements.insert(sqliteText, Entry{statement, m_order.begin()});
    evict();
    return statement;
}

void PreparedStatement::giveBack() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_inUse = false;
}

void StatementCache::release(const std::shared_ptr<PreparedStatement>& statement) {
    if (statement)
        statement->giveBack();
}

void StatementCache::evict() {
    // A statement in use when it leaves the cache lives on with its user.
    while (int(m_statements.size()) > m_capacity) {
        m_statements.remove(m_order.back());
        m_order.pop_back();
        ++m_stats.evictions;
    }
}

StatementCache::Stats StatementCache::stats() const {
    Stats s = m_stats;
    s.size = int(m_statements.size());
    return s;
}

void StatementCache::setCapacity(int capacity) {
    m_capacity = std::max(1, capacity);
    evict();
}
