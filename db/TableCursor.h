#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

class Database;

// A table opened by name and walked row by row in key order, the way the
// row-by-row screens edit it: a current row, an edit buffer, and the states
// browsing, inserting and editing. The screen's own rules hook into the cycle
// as events; a hook refuses by throwing.
//
// Saving runs in one Transaction together with the before- and after-save hooks,
// so a screen's whole save is all or nothing: if a hook or the write fails,
// everything is rolled back and the cursor stays in the state it was in, with
// the buffer as it was. Cancelling and deleting run their hooks the same way.
//
// Values are QVariants by column kind: numbers as double, the Orden counter as
// qint64, dates as QDate, logicals as bool, text as QString; NULL (and "no row")
// is an invalid QVariant.
class TableCursor {
public:
    enum class State { Browse, Insert, Edit };
    enum class Kind { Number, Counter, Date, Logical, Text };
    struct Column {
        QString name;
        Kind kind;
    };

    // The screen's rules. Each gets the cursor; during afterPost the cursor already
    // stands, browsing, on the saved row.
    struct Events {
        std::function<void(TableCursor&)> beforePost;
        std::function<void(TableCursor&)> afterPost;
        std::function<void(TableCursor&)> beforeCancel;
        std::function<void(TableCursor&)> afterCancel;
        std::function<void(TableCursor&)> beforeDelete;
        std::function<void(TableCursor&)> afterDelete;
        std::function<void(TableCursor&)> newRecord; // a new row was begun: give it its defaults
    };

    // What bound widgets and bars hear: the state changed; the row shown changed
    // (another row, or the buffer replaced); one value of the buffer changed; the
    // cursor is going away (listeners drop it and must not unsubscribe later).
    enum class Change { State, Record, Value, Closed };
    using Listener = std::function<void(Change change, const QString& column)>;

    // Opens a table by name: "Hembras", "Hembras.DB" and "hembras.db" are the same
    // table. keyOrder are the columns the rows are walked in (insertion order when
    // empty). Throws DbError when there is no such table or column.
    TableCursor(Database& db, const QString& tableName, const QStringList& keyOrder = {});
    ~TableCursor();
    TableCursor(const TableCursor&) = delete;
    TableCursor& operator=(const TableCursor&) = delete;

    Database& database() const { return m_db; }
    // The table's own name, as statements write it.
    QString tableName() const { return m_table; }
    QStringList keyOrder() const { return m_keyOrder; }
    const std::vector<Column>& columns() const { return m_columns; }
    bool hasColumn(const QString& column) const { return indexOf(column) >= 0; }
    Kind kind(const QString& column) const;

    // Master-detail link: only rows whose column equals the value (a detail list
    // following its master row). Takes effect at once; the cursor goes to the first row.
    void setMasterLink(const QString& column, const QVariant& value);
    void clearMasterLink();
    // Row filter, a condition in the farm's statement dialect ("CodigoHembra is null").
    void setFilter(const QString& condition);
    // Reads the rows again, staying on the current row while it is still there.
    void refresh();

    int count() const { return int(m_rowids.size()); }
    bool isEmpty() const { return m_rowids.empty(); }
    // Index of the current row in key order; -1 with no rows.
    int position() const { return m_pos; }
    // Moving abandons nothing: it is refused (false) while a change is pending.
    bool first();
    bool prior();
    bool next();
    bool last();
    bool moveTo(int index);
    // Stands on the first row, in key order, whose columns hold these values.
    bool locate(const QString& column, const QVariant& value);
    bool locate(const QStringList& columns, const QVariantList& values);

    State state() const { return m_state; }
    bool isEditing() const { return m_state != State::Browse; }
    // The current value: the edit buffer while inserting or editing, else the row.
    QVariant value(const QString& column) const;
    // The row as stored when editing began (nothing while inserting).
    QVariant storedValue(const QString& column) const;
    // Writes into the edit buffer; the value is turned into the column's kind.
    // Refused (std::logic_error) while browsing.
    void setValue(const QString& column, const QVariant& value);

    // Begins a new row; any pending change is abandoned first (cancel hooks run).
    void insert();
    // Puts the current row into editing. With no row the buffer starts empty and
    // saving it inserts it.
    void edit();
    void post();
    void cancel();
    // Deletes the current row (its hooks run); a row being inserted is cancelled.
    void remove();

    Events& events() { return m_events; }
    int subscribe(Listener listener);
    void unsubscribe(int id);

    // Turns a value into a column kind's form: numbers from text, dates from
    // QDate or ISO text, logicals from bool, number or "True"/"False".
    static QVariant normalized(Kind kind, const QVariant& value);

private:
    struct Snapshot;
    int indexOf(const QString& column) const;
    int requireColumn(const QString& column) const;
    QString selection() const;
    void bindSelection(class Query& q) const;
    void reloadRowids(qint64 keep);
    void loadCurrent();
    void setState(State state);
    void notify(Change change, const QString& column = QString());
    Snapshot snapshot() const;
    void restore(const Snapshot& s);
    void writeRow();
    void runChange(const std::function<void()>& change);
    void leaveEditing();
    qint64 currentRowid() const;

    Database& m_db;
    QString m_table;
    QStringList m_keyOrder;
    std::vector<Column> m_columns;
    QString m_linkColumn;
    QVariant m_linkValue;
    QString m_filter;

    std::vector<qint64> m_rowids;
    int m_pos = -1;
    std::vector<QVariant> m_row;    // the current row as stored
    std::vector<QVariant> m_buffer; // the edit buffer
    bool m_bufferHasRow = false;    // editing a stored row (not a new one)
    int m_posBeforeInsert = -1;
    State m_state = State::Browse;
    int m_quiet = 0; // notifications held back while an action is under way

    Events m_events;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 1;
};
