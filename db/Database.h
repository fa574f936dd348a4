#pragma once

#include <QString>
#include <memory>

struct sqlite3;

// The farm database: one SQLite file, "Quendal.db", in the data folder the
// alias names. Opening a file that does not exist yet creates it with every
// table, key and delivered row, so a new farm starts complete.
class Database {
public:
    static constexpr const char* kFileName = "Quendal.db";

    // Opens (and on first use creates) the database file at this path.
    explicit Database(const QString& filePath);
    // Opens Quendal.db inside a data folder, creating the folder when missing.
    static std::unique_ptr<Database> openInFolder(const QString& dataFolder);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    QString filePath() const { return m_path; }
    sqlite3* handle() const { return m_db.get(); }

    // Runs one statement in the farm dialect that returns no rows.
    void exec(const QString& statement);
    // Runs SQLite text as it stands (the layer's own housekeeping).
    void execNative(const QString& statement);

    // Nesting depth of open transactions, for unique savepoint names.
    int& transactionDepth() { return m_depth; }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    QString m_path;
    std::unique_ptr<sqlite3, Closer> m_db;
    int m_depth = 0;
};
