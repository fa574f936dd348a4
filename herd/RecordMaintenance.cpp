#include "RecordMaintenance.h"

#include "db/Query.h"
#include "db/SqlFormat.h"

#include <cmath>
#include <stdexcept>

RecordMaintenance::RecordMaintenance(TableCursor& cursor) : m_cursor(&cursor) {
    m_listener = m_cursor->subscribe([this](TableCursor::Change change, const QString&) {
        if (change == TableCursor::Change::Closed)
            m_cursor = nullptr;
        else if (change == TableCursor::Change::State && m_cursor->state() != TableCursor::State::Edit)
            m_openedByKey = false;
    });
}

RecordMaintenance::~RecordMaintenance() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

void RecordMaintenance::setKeyColumns(const QStringList& columns) {
    for (const QString& c : columns) {
        if (!m_cursor->hasColumn(c))
            throw std::invalid_argument("key column not in the table: " + c.toStdString());
    }
    m_keys = columns;
}

bool RecordMaintenance::canAdd() const {
    if (m_keys.size() != 1)
        return false;
    const TableCursor::Kind k = m_cursor->kind(m_keys.first());
    return k == TableCursor::Kind::Number || k == TableCursor::Kind::Counter;
}

qint64 RecordMaintenance::nextNumber() const {
    if (!canAdd())
        throw std::logic_error("adding needs a single numeric key");
    // The table is named by its own name: "Hembras.DB" would not be a table to the engine.
    const Field highest =
        Query::scalar(m_cursor->database(),
                      QStringLiteral("select max(%1) maximo from %2").arg(m_keys.first(), m_cursor->tableName()),
                      QStringLiteral("maximo"));
    return highest.isNull() ? 1 : highest.asInteger() + 1;
}

qint64 RecordMaintenance::add() {
    const qint64 number = nextNumber();
    m_cursor->insert(); // abandons any pending change first
    m_cursor->setValue(m_keys.first(), number);
    return number;
}

QString RecordMaintenance::lookupStatement(const QVariantList& keyValues) const {
    const QString first = m_first.isEmpty() ? m_keys.value(0) : m_first;
    QString text = QStringLiteral("select %1 from %2").arg(first, m_cursor->tableName());
    for (qsizetype i = 0; i < m_keys.size() && i < keyValues.size(); ++i) {
        const QVariant v = TableCursor::normalized(m_cursor->kind(m_keys[i]), keyValues[i]);
        QString value;
        switch (m_cursor->kind(m_keys[i])) {
        case TableCursor::Kind::Text:
            value = sql::text(v.toString());
            break;
        case TableCursor::Kind::Date:
            value = sql::date(v.toDate());
            break;
        case TableCursor::Kind::Logical:
            value = sql::logical(v.toBool());
            break;
        default: {
            const double d = v.toDouble();
            value = d == std::floor(d) ? sql::whole(d) : sql::shortest(d);
        }
        }
        text += (i == 0 ? QStringLiteral(" where ") : QStringLiteral(" and ")) + m_keys[i] + QLatin1Char('=') + value;
    }
    return text;
}

RecordMaintenance::Lookup RecordMaintenance::lookup(const QVariantList& keyValues) {
    if (keyValues.size() < m_keys.size() || m_keys.isEmpty())
        return Lookup::Incomplete;
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        if (!keyValues[i].isValid() || keyValues[i].isNull())
            return Lookup::Incomplete;
    }
    Query q(m_cursor->database(), lookupStatement(keyValues));
    q.open();
    if (q.eof())
        return Lookup::Missing;
    q.close();
    m_cursor->cancel();
    if (!m_cursor->locate(m_keys, keyValues.mid(0, m_keys.size())))
        return Lookup::Missing; // stored, but not among the rows this screen shows
    m_cursor->edit();
    m_openedByKey = true;
    return Lookup::Found;
}

void RecordMaintenance::create(const QVariantList& keyValues) {
    m_cursor->insert();
    for (qsizetype i = 0; i < m_keys.size() && i < keyValues.size(); ++i)
        m_cursor->setValue(m_keys[i], keyValues[i]);
}

void RecordMaintenance::save() {
    m_cursor->post();
}

void RecordMaintenance::cancel() {
    m_cursor->cancel();
}

void RecordMaintenance::remove() {
    m_cursor->remove();
}

RecordMaintenance::Enabling RecordMaintenance::enabling() const {
    Enabling e;
    switch (m_cursor->state()) {
    case TableCursor::State::Browse:
        e.add = true;
        e.exit = true;
        e.keys = true;
        e.others = false;
        break;
    case TableCursor::State::Insert:
        e.save = true;
        e.cancel = true;
        e.keys = false;
        e.others = true;
        break;
    case TableCursor::State::Edit:
        e.cancel = true;
        if (m_openedByKey) {
            e.save = true;
            e.remove = true;
            e.keys = false;
            e.others = true;
        }
        break;
    }
    return e;
}
