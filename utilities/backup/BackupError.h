#pragma once

#include <QString>
#include <stdexcept>

// A backup or restore stopped; message() is the Spanish text the screen shows.
class BackupError : public std::runtime_error {
public:
    explicit BackupError(QString message) : std::runtime_error(message.toStdString()), m_message(std::move(message)) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The user pressed Cancel in the insert-disk prompt ("¡ Abortado !") or in the
// overwrite question (no message).
class BackupCancelled : public BackupError {
public:
    explicit BackupCancelled(QString message) : BackupError(std::move(message)) {}
};
