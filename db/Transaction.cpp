#include "Transaction.h"

#include "Database.h"

Transaction::Transaction(Database& db, Inner inner) : m_db(db) {
    if (m_db.joiningTransaction()) {
        m_joined = true;
        return;
    }
    m_name = QStringLiteral("rec%1").arg(++m_db.transactionDepth());
    try {
        m_db.execNative(QStringLiteral("SAVEPOINT ") + m_name);
    } catch (...) {
        --m_db.transactionDepth();
        throw;
    }
    if (inner == Inner::Joined) {
        m_db.joiningTransaction() = true;
        m_joinsInner = true;
    }
}

Transaction::~Transaction() {
    if (m_done || m_joined)
        return;
    try {
        m_db.execNative(QStringLiteral("ROLLBACK TO ") + m_name);
        m_db.execNative(QStringLiteral("RELEASE ") + m_name);
    } catch (...) {
        // Nothing more can be done from a destructor; the engine has already
        // rolled back when it could not keep the savepoint.
    }
    end();
}

void Transaction::commit() {
    if (m_done || m_joined) {
        m_done = true;
        return;
    }
    m_db.execNative(QStringLiteral("RELEASE ") + m_name);
    end();
}

void Transaction::end() {
    m_done = true;
    --m_db.transactionDepth();
    if (m_joinsInner)
        m_db.joiningTransaction() = false;
}
