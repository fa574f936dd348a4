#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class Database;
struct sqlite3_stmt;

// One value of the current row, read as the farm code reads it: NULL reads as
// 0, 0.0, a null date, the empty text or False.
class Field {
public:
    Field() = default;
    Field(QVariant value, QString declaredType) : m_value(std::move(value)), m_type(std::move(declaredType)) {}

    bool isNull() const { return !m_value.isValid() || m_value.isNull(); }
    qint64 asInteger() const;
    double asFloat() const;
    QDate asDate() const;
    bool asBoolean() const;
    // Logicals read "True", "False" or "" (NULL); dates "dd/mm/yyyy"; numbers in
    // plain decimal.
    QString asString() const;
    QVariant raw() const { return m_value; }

private:
    bool isLogical() const;
    bool isDate() const;
    QVariant m_value;
    QString m_type;
};

// A statement object: the text is a list of lines joined by line breaks, values
// are bound by name, and a select is read row by row with columns by name.
class Query {
public:
    explicit Query(Database& db);
    Query(Database& db, const QString& firstLine);
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    ~Query();

    Query& add(const QString& line);
    Query& operator<<(const QString& line) { return add(line); }
    // Closes any open result and forgets the text and the bound values.
    void clear();
    QString text() const { return m_lines.join(QLatin1Char('\n')); }

    void bindDate(const QString& name, const QDate& value);
    void bindNumber(const QString& name, double value);
    void bindText(const QString& name, const QString& value);
    void bindNull(const QString& name);

    // Runs a statement to its end (insert, update, delete, alter, drop).
    void exec();
    // Runs a select and stands on its first row; eof() right away when empty.
    void open();
    bool eof() const { return m_eof; }
    void next();
    void close();

    Field field(const QString& name) const;
    bool hasField(const QString& name) const { return m_columns.contains(name.toLower()); }
    QStringList fieldNames() const { return m_names; }
    int rowsAffected() const { return m_changes; }

    // Convenience: the first row's column of a one-value select (0 when empty).
    static Field scalar(Database& db, const QString& statement, const QString& column);

private:
    void prepare();
    void step();

    Database& m_db;
    QStringList m_lines;
    QHash<QString, QVariant> m_params;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_eof = true;
    int m_changes = 0;
    QStringList m_names;
    QStringList m_types;
    QHash<QString, int> m_columns;
    std::vector<QVariant> m_row;
};
