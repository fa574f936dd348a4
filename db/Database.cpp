#include "Database.h"

#include "DbError.h"
#include "Query.h"
#include "Schema.h"
#include "StatementCache.h"
#include "Transaction.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

void Database::Closer::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

Database::Database(const QString& filePath, Open mode) : m_path(filePath) {
    open(mode);
}

void Database::close() {
    m_statements.reset();
    m_db.reset();
    m_depth = 0;
    m_joining = false;
}

void Database::reopen() {
    close();
    try {
        open(Open::Existing);
    } catch (...) {
        close();
        throw;
    }
}

void Database::open(Open mode) {
    const QString& filePath = m_path;
    const QFileInfo file(filePath);
    const bool isNew = !file.exists() || file.size() == 0;
    // An existing farm is never created by opening it: a missing file would come
    // back as a new empty farm, hiding the real one from sight.
    if (mode == Open::Existing && file.exists() && file.size() == 0)
        throw DbError(QStringLiteral("La base de datos %1 está vacía (0 bytes)").arg(filePath));
    const int flags = SQLITE_OPEN_READWRITE | (mode == Open::CreateNew ? SQLITE_OPEN_CREATE : 0);
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(filePath).constData(), &raw, flags, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK) {
        const QString message = raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QStringLiteral("out of memory");
        const int code = raw ? sqlite3_extended_errcode(raw) : SQLITE_NOMEM;
        throw DbError(QStringLiteral("No se puede abrir la base de datos %1: %2").arg(filePath, message), {}, code);
    }
    m_statements = std::make_unique<StatementCache>(raw);
    // Another computer may be writing the same file: wait for it rather than fail.
    sqlite3_busy_timeout(raw, 5000);
    if (mode == Open::CreateNew && isNew) {
        Transaction t(*this);
        schema::create(*this);
        t.commit();
    }
    m_health = FarmHealth::check(*this);
}

std::unique_ptr<Database> Database::openInFolder(const QString& dataFolder) {
    if (!QDir().mkpath(dataFolder))
        throw DbError(QStringLiteral("No se puede crear la carpeta de datos %1").arg(dataFolder));
    return std::make_unique<Database>(QDir(dataFolder).filePath(QLatin1String(kFileName)), Open::CreateNew);
}

Database::~Database() = default;

void Database::exec(const QString& statement) {
    Query(*this, statement).exec();
}

void Database::execNative(const QString& statement) {
    const std::shared_ptr<PreparedStatement> s = m_statements->acquireNative(statement);
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(s->handle());
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db.get()));
    const int code = sqlite3_extended_errcode(m_db.get());
    m_statements->release(s);
    if (rc != SQLITE_DONE)
        throw DbError(message, statement, code);
}
