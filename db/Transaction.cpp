#include "Transaction.h"

#include "Database.h"

Transaction::Transaction(Database& db) : m_db(db) {
    m_name = QStringLiteral("rec%1").arg(++m_db.transactionDepth());
    try {
        m_db.execNative(QStringLiteral("SAVEPOINT ") + m_name);
    } catch (...) {
        --m_db.transactionDepth();
        throw;
    }
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            m_db.execNative(QStringLiteral("ROLLBACK TO ") + m_name);
            m_db.execNative(QStringLiteral("RELEASE ") + m_name);
        } catch (...) {
            // Nothing more can be done from a destructor; the engine has already
            // rolled back when it could not keep the savepoint.
        }
        --m_db.transactionDepth();
    }
}

void Transaction::commit() {
    if (m_done)
        return;
    m_db.execNative(QStringLiteral("RELEASE ") + m_name);
    m_done = true;
    --m_db.transactionDepth();
}
