#include "TableCursor.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "db/Transaction.h"

#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>
#include <stdexcept>

struct TableCursor::Snapshot {
    State state;
    std::vector<qint64> rowids;
    int pos;
    std::vector<QVariant> row;
    std::vector<QVariant> buffer;
    bool bufferHasRow;
    int posBeforeInsert;
};

namespace {

TableCursor::Kind kindOf(const QString& declared, bool primary) {
    const QString t = declared.toUpper();
    if (t.startsWith(QLatin1String("INTEGER")) && primary)
        return TableCursor::Kind::Counter;
    if (t == QLatin1String("DATE"))
        return TableCursor::Kind::Date;
    if (t == QLatin1String("BOOLEAN") || t == QLatin1String("LOGICAL"))
        return TableCursor::Kind::Logical;
    if (t.startsWith(QLatin1String("REAL")) || t.startsWith(QLatin1String("NUMERIC")) ||
        t.startsWith(QLatin1String("FLOAT")) || t.startsWith(QLatin1String("DOUBLE")) ||
        t.startsWith(QLatin1String("INT")) || t.startsWith(QLatin1String("NUMBER")))
        return TableCursor::Kind::Number;
    return TableCursor::Kind::Text;
}

QVariant read(const Field& f, TableCursor::Kind kind) {
    if (f.isNull())
        return QVariant();
    switch (kind) {
    case TableCursor::Kind::Number:
        return f.asFloat();
    case TableCursor::Kind::Counter:
        return f.asInteger();
    case TableCursor::Kind::Date: {
        const QDate d = f.asDate();
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case TableCursor::Kind::Logical:
        return f.asBoolean();
    case TableCursor::Kind::Text:
        return f.asString();
    }
    return QVariant();
}

void bind(Query& q, const QString& name, TableCursor::Kind kind, const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        q.bindNull(name);
        return;
    }
    switch (kind) {
    case TableCursor::Kind::Number:
    case TableCursor::Kind::Counter:
        q.bindNumber(name, v.toDouble());
        break;
    case TableCursor::Kind::Date:
        q.bindDate(name, v.toDate());
        break;
    case TableCursor::Kind::Logical:
        q.bindNumber(name, v.toBool() ? 1 : 0);
        break;
    case TableCursor::Kind::Text:
        q.bindText(name, v.toString());
        break;
    }
}

bool same(const QVariant& a, const QVariant& b) {
    const bool nullA = !a.isValid() || a.isNull();
    const bool nullB = !b.isValid() || b.isNull();
    if (nullA || nullB)
        return nullA == nullB;
    return a == b;
}

} // namespace

TableCursor::TableCursor(Database& db, const QString& tableName, const QStringList& keyOrder) : m_db(db) {
    // "Hembras.DB": the suffix and its case only name the table.
    QString name = tableName.trimmed();
    static const QRegularExpression suffix(QStringLiteral("\\.db$"), QRegularExpression::CaseInsensitiveOption);
    name.remove(suffix);
    {
        Query q(m_db, QStringLiteral("select name from sqlite_master where type='table' and lower(name)=lower(:n)"));
        q.bindText(QStringLiteral("n"), name);
        q.open();
        if (q.eof())
            throw DbError(QStringLiteral("No existe la tabla %1").arg(tableName));
        m_table = q.field(QStringLiteral("name")).asString();
    }
    {
        Query q(m_db, QStringLiteral("select name, type, pk from pragma_table_info(:t) order by cid"));
        q.bindText(QStringLiteral("t"), m_table);
        for (q.open(); !q.eof(); q.next())
            m_columns.push_back(
                {q.field(QStringLiteral("name")).asString(),
                 kindOf(q.field(QStringLiteral("type")).asString(), q.field(QStringLiteral("pk")).asInteger() > 0)});
    }
    for (const QString& key : keyOrder)
        m_keyOrder << m_columns[requireColumn(key)].name;
    m_row.assign(m_columns.size(), QVariant());
    reloadRowids(-1);
    m_pos = m_rowids.empty() ? -1 : 0;
    loadCurrent();
}

TableCursor::~TableCursor() {
    m_quiet = 0;
    notify(Change::Closed);
}

int TableCursor::indexOf(const QString& column) const {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int TableCursor::requireColumn(const QString& column) const {
    const int i = indexOf(column);
    if (i < 0)
        throw DbError(QStringLiteral("La tabla %1 no tiene el campo %2").arg(m_table, column));
    return i;
}

TableCursor::Kind TableCursor::kind(const QString& column) const {
    return m_columns[requireColumn(column)].kind;
}

QString TableCursor::selection() const {
    QStringList conditions;
    if (!m_linkColumn.isEmpty())
        conditions << (m_linkValue.isValid() && !m_linkValue.isNull() ? m_linkColumn + QStringLiteral("=:mlink")
                                                                      : m_linkColumn + QStringLiteral(" is null"));
    if (!m_filter.trimmed().isEmpty())
        conditions << QLatin1Char('(') + m_filter + QLatin1Char(')');
    QString text = QStringLiteral(" from ") + m_table;
    if (!conditions.isEmpty())
        text += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    return text;
}

void TableCursor::bindSelection(Query& q) const {
    if (!m_linkColumn.isEmpty() && m_linkValue.isValid() && !m_linkValue.isNull())
        bind(q, QStringLiteral("mlink"), kind(m_linkColumn), m_linkValue);
}

void TableCursor::reloadRowids(qint64 keep) {
    const int oldPos = m_pos;
    QString order;
    for (const QString& key : m_keyOrder)
        order += key + QStringLiteral(", ");
    Query q(m_db, QStringLiteral("select rowid as rid") + selection() + QStringLiteral(" order by ") + order +
                      QStringLiteral("rowid"));
    bindSelection(q);
    m_rowids.clear();
    int found = -1;
    for (q.open(); !q.eof(); q.next()) {
        const qint64 id = q.field(QStringLiteral("rid")).asInteger();
        if (id == keep)
            found = int(m_rowids.size());
        m_rowids.push_back(id);
    }
    if (found >= 0)
        m_pos = found;
    else if (m_rowids.empty())
        m_pos = -1;
    else
        m_pos = std::clamp(oldPos, 0, int(m_rowids.size()) - 1);
}

void TableCursor::loadCurrent() {
    m_row.assign(m_columns.size(), QVariant());
    if (m_pos < 0)
        return;
    Query q(m_db, QStringLiteral("select * from ") + m_table + QStringLiteral(" where rowid=:rid"));
    q.bindNumber(QStringLiteral("rid"), double(m_rowids[m_pos]));
    q.open();
    if (q.eof())
        return;
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_row[i] = read(q.field(m_columns[i].name), m_columns[i].kind);
}

qint64 TableCursor::currentRowid() const {
    return m_pos >= 0 ? m_rowids[m_pos] : -1;
}

void TableCursor::setMasterLink(const QString& column, const QVariant& value) {
    if (isEditing())
        throw std::logic_error("the master row cannot change while a row is being edited");
    m_linkColumn = m_columns[requireColumn(column)].name;
    m_linkValue = normalized(kind(m_linkColumn), value);
    reloadRowids(-1);
    m_pos = m_rowids.empty() ? -1 : 0;
    loadCurrent();
    notify(Change::Record);
}

void TableCursor::clearMasterLink() {
    if (isEditing())
        throw std::logic_error("the master row cannot change while a row is being edited");
    m_linkColumn.clear();
    m_linkValue = QVariant();
    reloadRowids(-1);
    m_pos = m_rowids.empty() ? -1 : 0;
    loadCurrent();
    notify(Change::Record);
}

void TableCursor::setFilter(const QString& condition) {
    if (isEditing())
        throw std::logic_error("the filter cannot change while a row is being edited");
    m_filter = condition;
    reloadRowids(-1);
    m_pos = m_rowids.empty() ? -1 : 0;
    loadCurrent();
    notify(Change::Record);
}

void TableCursor::refresh() {
    if (isEditing())
        return;
    reloadRowids(currentRowid());
    loadCurrent();
    notify(Change::Record);
}

bool TableCursor::moveTo(int index) {
    if (isEditing() || index < 0 || index >= count())
        return false;
    m_pos = index;
    loadCurrent();
    notify(Change::Record);
    return true;
}

bool TableCursor::first() {
    return moveTo(0);
}

bool TableCursor::prior() {
    return m_pos > 0 && moveTo(m_pos - 1);
}

bool TableCursor::next() {
    return m_pos + 1 < count() && moveTo(m_pos + 1);
}

bool TableCursor::last() {
    return moveTo(count() - 1);
}

bool TableCursor::locate(const QString& column, const QVariant& value) {
    return locate(QStringList{column}, QVariantList{value});
}

bool TableCursor::locate(const QStringList& columns, const QVariantList& values) {
    if (isEditing() || columns.size() != values.size() || columns.isEmpty())
        return false;
    QString sel = selection();
    QStringList conditions;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString name = m_columns[requireColumn(columns[i])].name;
        const QVariant v = normalized(kind(name), values[i]);
        conditions << (v.isValid() ? name + QStringLiteral("=:k%1").arg(i) : name + QStringLiteral(" is null"));
    }
    sel += (sel.contains(QLatin1String(" where ")) ? QStringLiteral(" and ") : QStringLiteral(" where ")) +
           conditions.join(QStringLiteral(" and "));
    Query q(m_db, QStringLiteral("select rowid as rid") + sel);
    bindSelection(q);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Kind k = kind(columns[i]);
        const QVariant v = normalized(k, values[i]);
        if (v.isValid())
            bind(q, QStringLiteral("k%1").arg(i), k, v);
    }
    std::vector<qint64> hits;
    for (q.open(); !q.eof(); q.next())
        hits.push_back(q.field(QStringLiteral("rid")).asInteger());
    for (int i = 0; i < count(); ++i) {
        if (std::find(hits.begin(), hits.end(), m_rowids[i]) != hits.end())
            return moveTo(i);
    }
    return false;
}

QVariant TableCursor::value(const QString& column) const {
    const int i = requireColumn(column);
    return isEditing() ? m_buffer[i] : m_row[i];
}

QVariant TableCursor::storedValue(const QString& column) const {
    const int i = requireColumn(column);
    if (m_state == State::Insert || (m_state == State::Edit && !m_bufferHasRow))
        return QVariant();
    return m_row[i];
}

QVariant TableCursor::normalized(Kind kind, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (kind) {
    case Kind::Number:
    case Kind::Counter: {
        if (v.typeId() == QMetaType::QDate)
            throw std::runtime_error("una fecha no es un número válido");
        if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
            return kind == Kind::Counter ? QVariant(v.toLongLong()) : QVariant(v.toDouble());
        // Text and floating values alike: what no column can hold is refused here,
        // before it reaches a statement, rather than wrapped or stored as NULL.
        double d = 0;
        if (v.typeId() == QMetaType::QString) {
            const std::optional<double> typed = display::parseNumber(v.toString());
            if (!typed)
                return QVariant();
            d = *typed;
        } else {
            d = sql::finite(v.toDouble());
        }
        return kind == Kind::Counter ? QVariant(sql::rounded(d)) : QVariant(d);
    }
    case Kind::Date: {
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? v : QVariant();
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().date();
        const QString t = v.toString().trimmed();
        const QDate iso = QDate::fromString(t, Qt::ISODate);
        if (iso.isValid())
            return iso;
        const QDate typed = display::parseDate(t);
        return typed.isValid() ? QVariant(typed) : QVariant();
    }
    case Kind::Logical:
        if (v.typeId() == QMetaType::QString) {
            const QString t = v.toString().trimmed();
            if (t.isEmpty())
                return QVariant();
            return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1");
        }
        return v.toBool();
    case Kind::Text:
        return v.toString();
    }
    return QVariant();
}

void TableCursor::setValue(const QString& column, const QVariant& value) {
    if (!isEditing())
        throw std::logic_error("a value is written only while inserting or editing");
    const int i = requireColumn(column);
    m_buffer[i] = normalized(m_columns[i].kind, value);
    notify(Change::Value, m_columns[i].name);
}

void TableCursor::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    notify(Change::State);
}

void TableCursor::insert() {
    if (isEditing())
        cancel();
    const Snapshot before = snapshot();
    m_posBeforeInsert = m_pos;
    m_buffer.assign(m_columns.size(), QVariant());
    m_bufferHasRow = false;
    ++m_quiet;
    try {
        m_state = State::Insert;
        if (m_events.newRecord)
            m_events.newRecord(*this);
    } catch (...) {
        --m_quiet;
        restore(before);
        throw;
    }
    --m_quiet;
    notify(Change::State);
    notify(Change::Record);
}

void TableCursor::edit() {
    if (isEditing())
        return;
    m_buffer = m_row;
    m_bufferHasRow = m_pos >= 0;
    setState(State::Edit);
}

TableCursor::Snapshot TableCursor::snapshot() const {
    return Snapshot{m_state, m_rowids, m_pos, m_row, m_buffer, m_bufferHasRow, m_posBeforeInsert};
}

void TableCursor::restore(const Snapshot& s) {
    m_state = s.state;
    m_rowids = s.rowids;
    m_pos = s.pos;
    m_row = s.row;
    m_buffer = s.buffer;
    m_bufferHasRow = s.bufferHasRow;
    m_posBeforeInsert = s.posBeforeInsert;
}

void TableCursor::writeRow() {
    if (m_state == State::Insert || !m_bufferHasRow) {
        QStringList names;
        QStringList markers;
        std::vector<int> written;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            // The Orden counter is the database's to give.
            if (m_columns[i].kind == Kind::Counter)
                continue;
            names << m_columns[i].name;
            markers << QStringLiteral(":v%1").arg(i);
            written.push_back(int(i));
        }
        Query q(m_db, QStringLiteral("insert into %1 (%2) values (%3)")
                          .arg(m_table, names.join(QStringLiteral(", ")), markers.join(QStringLiteral(", "))));
        for (int i : written)
            bind(q, QStringLiteral("v%1").arg(i), m_columns[i].kind, m_buffer[i]);
        q.exec();
        const qint64 rowid =
            Query::scalar(m_db, QStringLiteral("select last_insert_rowid() rid"), QStringLiteral("rid")).asInteger();
        reloadRowids(rowid);
        return;
    }
    // Only what changed is written: another save's after-rules (an index stored
    // by its own statement) are not overwritten with what the buffer held.
    QStringList sets;
    std::vector<int> written;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (same(m_buffer[i], m_row[i]))
            continue;
        sets << m_columns[i].name + QStringLiteral("=:v%1").arg(i);
        written.push_back(int(i));
    }
    const qint64 rowid = currentRowid();
    if (!sets.isEmpty()) {
        Query q(m_db,
                QStringLiteral("update %1 set %2 where rowid=:rid").arg(m_table, sets.join(QStringLiteral(", "))));
        for (int i : written)
            bind(q, QStringLiteral("v%1").arg(i), m_columns[i].kind, m_buffer[i]);
        q.bindNumber(QStringLiteral("rid"), double(rowid));
        q.exec();
    }
    reloadRowids(rowid);
}

// Back to browsing, the edit buffer forgotten.
void TableCursor::leaveEditing() {
    m_state = State::Browse;
    m_buffer.clear();
    m_bufferHasRow = false;
}

// The frame of a change to the row: the screen's rules and the write in one
// transaction; when anything throws, the transaction rolls back and the cursor
// goes back to where it stood, so the screen sees no change at all.
void TableCursor::runChange(const std::function<void()>& change) {
    const Snapshot before = snapshot();
    ++m_quiet;
    try {
        Transaction transaction(m_db);
        change();
        transaction.commit();
    } catch (...) {
        --m_quiet;
        restore(before);
        notify(Change::Record);
        throw;
    }
    --m_quiet;
    notify(Change::State);
    notify(Change::Record);
}

void TableCursor::post() {
    if (!isEditing())
        return;
    runChange([&] {
        if (m_events.beforePost)
            m_events.beforePost(*this);
        writeRow();
        leaveEditing();
        loadCurrent();
        if (m_events.afterPost) {
            m_events.afterPost(*this);
            loadCurrent(); // the after-rules may have written to the row
        }
    });
}

void TableCursor::cancel() {
    if (!isEditing())
        return;
    runChange([&] {
        if (m_events.beforeCancel)
            m_events.beforeCancel(*this);
        const bool wasInsert = m_state == State::Insert;
        leaveEditing();
        if (wasInsert)
            m_pos = m_posBeforeInsert;
        reloadRowids(currentRowid());
        loadCurrent();
        if (m_events.afterCancel)
            m_events.afterCancel(*this);
    });
}

void TableCursor::remove() {
    if (m_state == State::Insert || (m_state == State::Edit && !m_bufferHasRow)) {
        cancel();
        return;
    }
    if (m_pos < 0)
        return;
    runChange([&] {
        if (m_events.beforeDelete)
            m_events.beforeDelete(*this);
        Query q(m_db, QStringLiteral("delete from ") + m_table + QStringLiteral(" where rowid=:rid"));
        q.bindNumber(QStringLiteral("rid"), double(currentRowid()));
        q.exec();
        leaveEditing();
        // The row that followed takes its place (the last one when it was the last).
        reloadRowids(-1);
        loadCurrent();
        if (m_events.afterDelete)
            m_events.afterDelete(*this);
    });
}

int TableCursor::subscribe(Listener listener) {
    const int id = m_nextListener++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void TableCursor::unsubscribe(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void TableCursor::notify(Change change, const QString& column) {
    if (m_quiet > 0)
        return;
    const auto listeners = m_listeners; // a listener may unsubscribe while it is told
    for (const auto& [id, listener] : listeners)
        listener(change, column);
}
