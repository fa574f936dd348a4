#pragma once

#include "FarmHealth.h"

#include <QString>
#include <memory>

struct sqlite3;
class StatementCache;

// The farm database: one SQLite file, "Quendal.db", in the data folder the
// alias names. An existing farm is opened as it is: a missing or empty file is
// refused, never replaced by a new farm. A new farm is created only when asked
// for, complete with every table, key and delivered row.
class Database {
public:
    static constexpr const char* kFileName = "Quendal.db";
    enum class Open { Existing, CreateNew };

    // Existing: opens the file without ever creating it; a missing or empty file
    // throws DbError. A damaged or read-only file still opens (see health()).
    // CreateNew: creates the file when missing or empty, as a complete new farm.
    explicit Database(const QString& filePath, Open mode = Open::Existing);
    // A new farm, or the farm already there, in a data folder (created when missing):
    // the first run and the new farm the farmer asks for.
    static std::unique_ptr<Database> openInFolder(const QString& dataFolder);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    QString filePath() const { return m_path; }
    // Lets go of the file, so that it can be replaced (a restore does), and
    // opens it again as an existing farm afterwards, checked as at start-up.
    // Whoever holds this object keeps it: the screens meet the restored farm.
    // reopen() throws DbError as the constructor does, and leaves it closed.
    void close();
    void reopen();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db.get(); }
    // What the checks at opening found.
    const FarmHealth& health() const { return m_health; }

    // Runs one statement in the farm dialect that returns no rows.
    void exec(const QString& statement);
    // Runs SQLite text as it stands (the layer's own housekeeping).
    void execNative(const QString& statement);

    // The prepared statements of this connection, kept for reuse.
    StatementCache& statements() { return *m_statements; }

    // Nesting depth of open transactions, for unique savepoint names.
    int& transactionDepth() { return m_depth; }
    // True while a recording is open whose inner transactions join it.
    bool& joiningTransaction() { return m_joining; }

private:
    void open(Open mode);
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    QString m_path;
    std::unique_ptr<sqlite3, Closer> m_db;
    // Declared after the connection: its statements are finalized first.
    std::unique_ptr<StatementCache> m_statements;
    int m_depth = 0;
    FarmHealth m_health;
    bool m_joining = false;
};
