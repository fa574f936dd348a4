#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <list>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement and what reading it needs, built once: the
// index of every bound parameter and of every result column by name. Column
// names are matched without regard to case; the spelling a caller asks with
// is remembered, so a name is folded once per statement, not once per row.
class PreparedStatement {
public:
    // Prepares one statement; `shown` is the text errors name (the farm
    // dialect as the program wrote it). Throws DbError.
    PreparedStatement(sqlite3* db, const QString& sqliteText, const QString& shown);
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;
    ~PreparedStatement();

    sqlite3_stmt* handle() const { return m_stmt; }
    const QString& sqliteText() const { return m_sqliteText; }

    // After a step: the engine re-prepares a statement by itself when the
    // schema changed (an added column shows in "select *"); the column lookup
    // follows it.
    void followSchema();
    // The column of a name, -1 when the result has none.
    int column(const QString& name);
    const QStringList& columnNames() const { return m_names; }
    const QStringList& columnTypes() const { return m_types; }
    // The index of a named parameter (":name" or "name"), 0 when the text has none.
    int parameter(const QString& name);

    // Handed out to a statement object; a second one asking for the same text
    // meanwhile gets a statement of its own.
    bool inUse() const { return m_inUse; }
    void handOut() { m_inUse = true; }
    // Given back: reset (no lock, no open read), bindings cleared, ready for the
    // next use. Needs nothing of the cache, so a statement object that outlives
    // its connection can still let go.
    void giveBack();

private:
    void readColumns();

    sqlite3_stmt* m_stmt = nullptr;
    bool m_inUse = false;
    QString m_sqliteText;
    QStringList m_names;
    QStringList m_types;
    // A name as a caller asked for it and what it found. Callers ask with the
    // same few literals row after row: found by the literal's own text first,
    // then by equal text, and only a new spelling is folded.
    struct Asked {
        QString name;
        int index;
    };
    static int find(std::vector<Asked>& asked, const QString& name);

    QHash<QString, int> m_folded; // lower-case name -> first column of that name
    std::vector<Asked> m_asked;   // -> column, or -1
    std::vector<Asked> m_params;  // -> parameter index, or 0
    int m_reprepares = 0;
};

// The prepared statements of one connection, kept for reuse: keyed by their
// SQLite text, the dialect translation keyed by the farm text, both bounded
// (the least recently used goes first). A statement is reset, never
// finalized, between uses.
class StatementCache {
public:
    static constexpr int kDefaultCapacity = 256;

    explicit StatementCache(sqlite3* db, int capacity = kDefaultCapacity);
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache();

    // A statement for text in the farm dialect, translated once.
    std::shared_ptr<PreparedStatement> acquire(const QString& farmText);
    // A statement for SQLite text as it stands (savepoints, the layer's housekeeping).
    std::shared_ptr<PreparedStatement> acquireNative(const QString& sqliteText);
    // Gives a statement back: reset, bindings cleared, ready for the next use.
    void release(const std::shared_ptr<PreparedStatement>& statement);

    // The SQLite form of a farm statement, from the translation cache.
    QString translate(const QString& farmText);

    struct Stats {
        qint64 hits = 0;
        qint64 misses = 0;
        qint64 evictions = 0;
        int size = 0;
    };
    Stats stats() const;
    void setCapacity(int capacity);

private:
    std::shared_ptr<PreparedStatement> acquire(const QString& sqliteText, const QString& shown);
    void evict();

    struct Entry {
        std::shared_ptr<PreparedStatement> statement;
        std::list<QString>::iterator age;
    };
    sqlite3* m_db;
    int m_capacity;
    QHash<QString, Entry> m_statements;
    std::list<QString> m_order; // most recently used first
    QHash<QString, QString> m_translations;
    Stats m_stats;
};
