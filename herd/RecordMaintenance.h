#pragma once

#include "db/TableCursor.h"

#include <QVariantList>
#include <optional>
#include <stdexcept>

// A save refused for the value of one field: the farmer's message and the column
// whose field takes the focus, so the value can be put right.
class FieldRefused : public std::runtime_error {
public:
    FieldRefused(QString column, const QString& message)
        : std::runtime_error(message.toStdString()), m_column(std::move(column)) {}
    QString column() const { return m_column; }

private:
    QString m_column;
};

// The editing cycle of a row-by-row screen, without its widgets: the record
// maintenance bar (TMnto) is this plus buttons and bound fields.
//
// - add: the next free number of a single numeric key, "select max({key})
//   maximo from {table}" plus 1 (1 on an empty table), as a new row;
// - key lookup: the typed key opens its row for editing, or is offered for
//   creation when no row has it;
// - save, cancel and delete go to the cursor, whose events carry the screen's rules;
// - the enabling of buttons and fields follows the cursor's state.
class RecordMaintenance {
public:
    explicit RecordMaintenance(TableCursor& cursor);
    ~RecordMaintenance();
    RecordMaintenance(const RecordMaintenance&) = delete;
    RecordMaintenance& operator=(const RecordMaintenance&) = delete;

    TableCursor& cursor() const { return *m_cursor; }

    // The key columns in field order, and the column of the screen's first field
    // (what the lookup selects).
    void setKeyColumns(const QStringList& columns);
    QStringList keyColumns() const { return m_keys; }
    void setFirstColumn(const QString& column) { m_first = column; }

    // Adding is offered only for a single key holding a number.
    bool canAdd() const;
    qint64 nextNumber() const;
    // Abandons any pending change, begins a new row and gives it the next number.
    qint64 add();

    enum class Lookup { Incomplete, Found, Missing };
    // The lookup statement: "select {first} from {table} where {key}={value}"
    // (" and {key}={value}" for further keys); text quoted, dates 'mm/dd/yyyy',
    // numbers plain.
    QString lookupStatement(const QVariantList& keyValues) const;
    // An invalid value is an empty key field: nothing happens (Incomplete).
    // Found: any pending change is abandoned, the row is opened for editing and
    // can be saved and deleted. Missing: nothing changes; create() may follow.
    Lookup lookup(const QVariantList& keyValues);
    // Abandons any pending change and begins a new row with these keys.
    void create(const QVariantList& keyValues);

    void save();
    void cancel();
    // Deletes the row being edited or shown; a new row is only abandoned.
    void remove();

    // A row opened by its key (not merely typed over) may be saved and deleted.
    bool openedByKey() const { return m_openedByKey; }

    // What the bar enables in the cursor's state; keys and others unset mean
    // "left as they are".
    struct Enabling {
        bool add = false;
        bool save = false;
        bool cancel = false;
        bool remove = false;
        bool exit = false;
        std::optional<bool> keys;
        std::optional<bool> others;
    };
    Enabling enabling() const;

private:
    TableCursor* m_cursor; // null once the cursor has gone
    QStringList m_keys;
    QString m_first;
    bool m_openedByKey = false;
    int m_listener = 0;
};
