#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <sqlite3.h>
#include <stdexcept>

// A statement written straight against the SQLite C API: prepared once, values
// bound by position per run, reset after each. What the benchmark's raw
// baselines and the farm generator are made of.
class RawStatement {
public:
    RawStatement(sqlite3* db, const char* sql) : m_db(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;
    ~RawStatement() { sqlite3_finalize(m_stmt); }

    RawStatement& bind(int i, qint64 v) {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    RawStatement& bind(int i, int v) { return bind(i, qint64(v)); }
    RawStatement& bind(int i, double v) {
        sqlite3_bind_double(m_stmt, i, v);
        return *this;
    }
    // A date in its stored form, ISO text; NULL for no date.
    RawStatement& bind(int i, const QDate& d) {
        if (!d.isValid())
            return null(i);
        return bind(i, d.toString(Qt::ISODate));
    }
    RawStatement& bind(int i, const QString& text) {
        const QByteArray bytes = text.toUtf8();
        sqlite3_bind_text(m_stmt, i, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return *this;
    }
    RawStatement& null(int i) {
        sqlite3_bind_null(m_stmt, i);
        return *this;
    }

    // Runs a statement that returns no rows.
    void run() {
        const int rc = sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
    }
    // Steps to the next row; false at the end (the statement is then reset).
    bool row() {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        sqlite3_reset(m_stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        return false;
    }
    void reset() { sqlite3_reset(m_stmt); }

    int columns() const { return sqlite3_column_count(m_stmt); }
    int type(int column) const { return sqlite3_column_type(m_stmt, column); }
    double real(int column) const { return sqlite3_column_double(m_stmt, column); }
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    qint64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    QDate date(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return text ? QDate::fromString(QString::fromUtf8(text), Qt::ISODate) : QDate();
    }
    QString text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return text ? QString::fromUtf8(text) : QString();
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
