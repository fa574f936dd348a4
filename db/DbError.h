#pragma once

#include <QString>
#include <stdexcept>

// An error raised by the farm database: the engine's own message, the
// statement that caused it so a log or a test can tell which one failed, and
// the engine's extended result code (SQLITE_CONSTRAINT_UNIQUE, SQLITE_BUSY, ...)
// so the screens can say in Spanish what went wrong. The code is 0 for the
// layer's own errors, which are already worded for the farmer.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, const QString& statement = {}, int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_statement(statement), m_code(code) {}

    QString message() const { return m_message; }
    QString statement() const { return m_statement; }
    int code() const { return m_code; }

private:
    QString m_message;
    QString m_statement;
    int m_code = 0;
};

// A day/month/year text that is no calendar date.
class InvalidDate : public std::runtime_error {
public:
    explicit InvalidDate(const QString& text)
        : std::runtime_error(QStringLiteral("'%1' is not a valid date").arg(text).toStdString()), m_text(text) {}

    QString message() const { return QString::fromStdString(what()); }
    QString text() const { return m_text; }

private:
    QString m_text;
};
