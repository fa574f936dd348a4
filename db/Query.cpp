#include "Query.h"

#include "Database.h"
#include "DbError.h"
#include "SqlFormat.h"
#include "StatementCache.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace {

const QRegularExpression& isoDate() {
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})"));
    return re;
}

QString plainNumber(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

} // namespace

// The declared type is looked at for every field read: its length rules out
// most types before the letters are compared.
bool Field::isLogical() const {
    return m_type.size() == 7 && m_type.compare(QLatin1String("BOOLEAN"), Qt::CaseInsensitive) == 0;
}

bool Field::isDate() const {
    if (m_type.size() == 4 && m_type.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0)
        return true;
    // A computed column (max(Fecha)) has no declared type: ISO text is a date.
    return m_type.isEmpty() && m_value.typeId() == QMetaType::QString &&
           isoDate().match(m_value.toString()).hasMatch();
}

qint64 Field::asInteger() const {
    if (isNull())
        return 0;
    if (m_value.typeId() == QMetaType::LongLong)
        return m_value.toLongLong();
    return std::llround(asFloat());
}

double Field::asFloat() const {
    if (isNull())
        return 0.0;
    bool ok = false;
    const double v = m_value.toDouble(&ok);
    return ok ? v : 0.0;
}

QDate Field::asDate() const {
    if (isNull() || m_value.typeId() != QMetaType::QString)
        return QDate();
    const auto m = isoDate().match(m_value.toString());
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

bool Field::asBoolean() const {
    if (isNull())
        return false;
    if (m_value.typeId() == QMetaType::QString) {
        const QString s = m_value.toString();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
    }
    return asFloat() != 0.0;
}

QString Field::asString() const {
    if (isNull())
        return QString();
    if (isLogical())
        return asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    if (isDate()) {
        const QDate d = asDate();
        return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : m_value.toString();
    }
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
        return QString::number(m_value.toLongLong());
    case QMetaType::Double:
        return plainNumber(m_value.toDouble());
    default:
        return m_value.toString();
    }
}

QVariant Field::typed() const {
    if (isNull())
        return QVariant();
    if (isLogical())
        return asBoolean();
    if (isDate()) {
        const QDate d = asDate();
        return d.isValid() ? QVariant(d) : QVariant(m_value.toString());
    }
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return m_value;
    case QMetaType::Int:
    case QMetaType::UInt:
        return m_value.toLongLong();
    default:
        return m_value.toString();
    }
}

Query::Query(Database& db) : m_db(db) {}

Query::Query(Database& db, const QString& firstLine) : m_db(db) {
    add(firstLine);
}

Query::~Query() {
    close();
}

Query& Query::add(const QString& line) {
    m_lines << line;
    return *this;
}

void Query::clear() {
    close();
    m_stmt.reset();
    m_lines.clear();
    m_params.clear();
    m_changes = 0;
}

void Query::bind(const QString& name, Kind kind, QVariant value) {
    for (Param& p : m_params) {
        if (p.name == name) {
            p.kind = kind;
            p.value = std::move(value);
            return;
        }
    }
    m_params.push_back({name, kind, std::move(value)});
}

void Query::bindDate(const QString& name, const QDate& value) {
    if (value.isValid())
        bind(name, Kind::Date, value.toString(Qt::ISODate));
    else
        bindNull(name);
}

void Query::bindNumber(const QString& name, double value) {
    // The engine would store NaN as NULL and infinity as a number no sheet can show.
    bind(name, Kind::Number, sql::finite(value));
}

void Query::bindInteger(const QString& name, qint64 value) {
    bind(name, Kind::Integer, value);
}

void Query::bindLogical(const QString& name, bool value) {
    bind(name, Kind::Logical, value);
}

void Query::bindText(const QString& name, const QString& value) {
    bind(name, Kind::Text, value);
}

void Query::bindNull(const QString& name) {
    bind(name, Kind::Null, QVariant());
}

QString Query::expandedText() const {
    static const QRegularExpression marker(QStringLiteral(":(\\w+)"));
    const QString statement = text();
    QString out;
    qsizetype last = 0;
    for (auto it = marker.globalMatch(statement); it.hasNext();) {
        const auto m = it.next();
        const auto p = std::find_if(m_params.cbegin(), m_params.cend(), [&m](const Param& p) {
            return p.name == m.captured(1) || p.name == m.captured(0);
        });
        if (p == m_params.cend())
            continue;
        out += statement.mid(last, m.capturedStart() - last);
        switch (p->kind) {
        case Kind::Date:
            out += sql::date(QDate::fromString(p->value.toString(), Qt::ISODate));
            break;
        case Kind::Number:
            out += sql::shortest(p->value.toDouble());
            break;
        case Kind::Integer:
            out += sql::number(p->value.toLongLong());
            break;
        case Kind::Logical:
            out += sql::logical(p->value.toBool());
            break;
        case Kind::Text:
            out += sql::text(p->value.toString());
            break;
        case Kind::Null:
            out += QStringLiteral("NULL");
            break;
        }
        last = m.capturedEnd();
    }
    return out + statement.mid(last);
}

void Query::close() {
    if (m_open) {
        m_stmt->giveBack();
        m_open = false;
    }
    m_eof = true;
    m_row.clear();
}

void Query::fail() {
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db.handle()));
    const int code = sqlite3_extended_errcode(m_db.handle());
    close();
    throw DbError(message, text(), code);
}

void Query::prepare() {
    close();
    m_stmt = m_db.statements().acquire(text());
    m_open = true;
    sqlite3_stmt* stmt = m_stmt->handle();
    for (const Param& p : m_params) {
        const int index = m_stmt->parameter(p.name);
        if (index == 0)
            continue;
        int rc = SQLITE_OK;
        switch (p.kind) {
        case Kind::Null:
            rc = sqlite3_bind_null(stmt, index);
            break;
        case Kind::Number:
            rc = sqlite3_bind_double(stmt, index, p.value.toDouble());
            break;
        case Kind::Integer:
            rc = sqlite3_bind_int64(stmt, index, p.value.toLongLong());
            break;
        case Kind::Logical:
            rc = sqlite3_bind_int(stmt, index, p.value.toBool() ? 1 : 0);
            break;
        case Kind::Date:
        case Kind::Text: {
            const QByteArray bytes = p.value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        }
        if (rc != SQLITE_OK)
            fail();
    }
}

void Query::step() {
    sqlite3_stmt* stmt = m_stmt->handle();
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        m_stmt->followSchema();
        m_eof = false;
        const int count = sqlite3_column_count(stmt);
        m_row.assign(count, QVariant());
        for (int i = 0; i < count; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                m_row[i] = QVariant(qint64(sqlite3_column_int64(stmt, i)));
                break;
            case SQLITE_FLOAT:
                m_row[i] = QVariant(sqlite3_column_double(stmt, i));
                break;
            case SQLITE_TEXT:
                m_row[i] = QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                                      sqlite3_column_bytes(stmt, i)));
                break;
            case SQLITE_BLOB:
                m_row[i] = QVariant(
                    QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)), sqlite3_column_bytes(stmt, i)));
                break;
            default:
                break;
            }
        }
    } else if (rc == SQLITE_DONE) {
        m_stmt->followSchema();
        // A finished statement goes back at once: the same text run again
        // meanwhile (a loop over a finished result) reuses it.
        close();
    } else {
        fail();
    }
}

void Query::exec() {
    prepare();
    do {
        step();
    } while (!m_eof);
    m_changes = sqlite3_changes(m_db.handle());
    close();
}

void Query::open() {
    prepare();
    step();
}

void Query::next() {
    if (!m_eof)
        step();
}

bool Query::hasField(const QString& name) const {
    return m_stmt && m_stmt->column(name) >= 0;
}

QStringList Query::fieldNames() const {
    return m_stmt ? m_stmt->columnNames() : QStringList();
}

Field Query::field(const QString& name) const {
    const int i = m_stmt ? m_stmt->column(name) : -1;
    if (i < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name), text());
    return Field(m_eof || i >= int(m_row.size()) ? QVariant() : m_row[i], m_stmt->columnTypes().value(i));
}

Field Query::scalar(Database& db, const QString& statement, const QString& column) {
    Query q(db, statement);
    q.open();
    return q.field(column);
}
