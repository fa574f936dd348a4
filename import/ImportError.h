#pragma once

#include <QString>
#include <stdexcept>

// Why an import stopped: a source file that is not there or cannot be read, a
// field that a step needs and the file lacks, or a value the farm cannot take.
// The message names the file and, where it applies, the record and the field;
// nothing of the import has been kept when it is raised.
class ImportError : public std::runtime_error {
public:
    enum class Kind { MissingFile, MissingField, BadValue };

    ImportError(Kind kind, const QString& message, const QString& file = {})
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message), m_file(file) {}

    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }
    // The source file concerned ("fich_.dbf"), as the import names it.
    QString file() const { return m_file; }

private:
    Kind m_kind;
    QString m_message;
    QString m_file;
};
