#pragma once

#include <QString>
#include <stdexcept>

// An error raised by the farm database: the engine's own message, and the
// statement that caused it so a log or a test can tell which one failed.
class DbError : public std::runtime_error {
public:
    DbError(const QString& message, const QString& statement = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_statement(statement) {}

    QString message() const { return m_message; }
    QString statement() const { return m_statement; }

private:
    QString m_message;
    QString m_statement;
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
