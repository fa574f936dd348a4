#pragma once

#include <QString>

class Database;

// One recording, all or nothing: create it, do the writes, call commit().
// Destroyed without commit, everything since its creation is undone.
// Transactions nest: an inner one is a savepoint of the outer.
class Transaction {
public:
    explicit Transaction(Database& db);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    void commit();

private:
    Database& m_db;
    QString m_name;
    bool m_done = false;
};
