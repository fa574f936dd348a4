#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class Database;
class PreparedStatement;

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
    // The value by its kind, as a spreadsheet wants it: nothing for NULL, a QDate
    // for a date, a bool for a logical, a qint64 or double for a number, a
    // QString for a text.
    QVariant typed() const;
    // The column's declared type ("" for a computed column or a value the program made).
    QString declaredType() const { return m_type; }

private:
    bool isLogical() const;
    bool isDate() const;
    QVariant m_value;
    QString m_type;
};

// A statement object: the text is a list of lines joined by line breaks, values
// are bound by name, and a select is read row by row with columns by name.
// The prepared statement comes from the connection's cache and goes back to it
// when the result is closed, so a text run once per row is prepared once.
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

    // Values bound by name (":name" in the text), kept until clear(): a date
    // in its stored form (ISO text), NULL for no date.
    void bindDate(const QString& name, const QDate& value);
    void bindNumber(const QString& name, double value);
    void bindInteger(const QString& name, qint64 value);
    void bindLogical(const QString& name, bool value);
    void bindText(const QString& name, const QString& value);
    void bindNull(const QString& name);
    // The text with every bound value written in its statement form ('mm/dd/yyyy',
    // True, quoted text...), as the statement would read with the values spliced.
    QString expandedText() const;

    // Runs a statement to its end (insert, update, delete, alter, drop).
    void exec();
    // Runs a select and stands on its first row; eof() right away when empty.
    void open();
    bool eof() const { return m_eof; }
    void next();
    void close();

    Field field(const QString& name) const;
    bool hasField(const QString& name) const;
    QStringList fieldNames() const;
    int rowsAffected() const { return m_changes; }

    // Convenience: the first row's column of a one-value select (0 when empty).
    static Field scalar(Database& db, const QString& statement, const QString& column);

private:
    enum class Kind { Date, Number, Integer, Logical, Text, Null };
    struct Param {
        QString name;
        Kind kind;
        QVariant value;
    };
    void bind(const QString& name, Kind kind, QVariant value);
    void prepare();
    void step();
    [[noreturn]] void fail();

    Database& m_db;
    QStringList m_lines;
    std::vector<Param> m_params;
    // The statement of the current or last run; held in use only while open.
    std::shared_ptr<PreparedStatement> m_stmt;
    bool m_open = false;
    bool m_eof = true;
    int m_changes = 0;
    std::vector<QVariant> m_row;
};
