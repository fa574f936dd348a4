#pragma once

#include <QString>

class Database;

// One recording, all or nothing: create it, do the writes, call commit().
// Destroyed without commit, everything since its creation is undone.
// Transactions nest: an inner one is a savepoint of the outer.
class Transaction {
public:
    // How the transactions opened inside this one nest.
    enum class Inner {
        // Each keeps a savepoint: its failure can be caught and the recording go on.
        Savepoints,
        // Each joins this one: for a recording that any failure ends whole (a
        // block run), where an inner savepoint would protect nothing.
        Joined,
    };

    explicit Transaction(Database& db, Inner inner = Inner::Savepoints);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    void commit();

private:
    void end();

    Database& m_db;
    QString m_name;
    bool m_done = false;
    bool m_joined = false;     // part of an outer recording, no savepoint of its own
    bool m_joinsInner = false; // the recording whose inner transactions join it
};
