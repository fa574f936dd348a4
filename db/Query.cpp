#include "Query.h"

#include "Database.h"
#include "DbError.h"
#include "Dialect.h"
#include "SqlFormat.h"

#include <QRegularExpression>
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

bool Field::isLogical() const {
    return m_type.compare(QLatin1String("BOOLEAN"), Qt::CaseInsensitive) == 0;
}

bool Field::isDate() const {
    if (m_type.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0)
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
    m_lines.clear();
    m_params.clear();
    m_changes = 0;
}

void Query::bindDate(const QString& name, const QDate& value) {
    m_params.insert(name, value.isValid() ? QVariant(value.toString(Qt::ISODate)) : QVariant());
}

void Query::bindNumber(const QString& name, double value) {
    // The engine would store NaN as NULL and infinity as a number no sheet can show.
    m_params.insert(name, sql::finite(value));
}

void Query::bindText(const QString& name, const QString& value) {
    m_params.insert(name, value);
}

void Query::bindNull(const QString& name) {
    m_params.insert(name, QVariant());
}

void Query::close() {
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
    m_eof = true;
    m_row.clear();
}

void Query::prepare() {
    close();
    const QString statement = text();
    const QByteArray sql = dialect::toSqlite(statement).toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db.handle(), sql.constData(), int(sql.size()), &m_stmt, &tail) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db.handle()));
        const int code = sqlite3_extended_errcode(m_db.handle());
        close();
        throw DbError(message, statement, code);
    }
    if (!m_stmt)
        throw DbError(QStringLiteral("La sentencia está vacía"), statement);
    // One statement object runs one statement: trailing text is refused rather
    // than silently dropped.
    if (tail && !QString::fromUtf8(tail).trimmed().remove(QLatin1Char(';')).trimmed().isEmpty()) {
        close();
        throw DbError(QStringLiteral("Sólo se puede ejecutar una sentencia cada vez"), statement);
    }
    for (auto it = m_params.cbegin(); it != m_params.cend(); ++it) {
        QString name = it.key();
        if (!name.startsWith(QLatin1Char(':')))
            name.prepend(QLatin1Char(':'));
        const int index = sqlite3_bind_parameter_index(m_stmt, name.toUtf8().constData());
        if (index == 0)
            continue;
        const QVariant& v = it.value();
        if (v.isNull()) {
            sqlite3_bind_null(m_stmt, index);
        } else if (v.typeId() == QMetaType::Double) {
            sqlite3_bind_double(m_stmt, index, v.toDouble());
        } else {
            const QByteArray bytes = v.toString().toUtf8();
            sqlite3_bind_text(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        }
    }
    m_names.clear();
    m_types.clear();
    m_columns.clear();
    const int count = sqlite3_column_count(m_stmt);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(m_stmt, i));
        const char* decl = sqlite3_column_decltype(m_stmt, i);
        m_names << name;
        m_types << (decl ? QString::fromUtf8(decl) : QString());
        // The first column of a name wins, as "select *" joins read it.
        if (!m_columns.contains(name.toLower()))
            m_columns.insert(name.toLower(), i);
    }
}

void Query::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        m_eof = false;
        const int count = sqlite3_column_count(m_stmt);
        m_row.assign(count, QVariant());
        for (int i = 0; i < count; ++i) {
            switch (sqlite3_column_type(m_stmt, i)) {
            case SQLITE_INTEGER:
                m_row[i] = QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
                break;
            case SQLITE_FLOAT:
                m_row[i] = QVariant(sqlite3_column_double(m_stmt, i));
                break;
            case SQLITE_TEXT:
                m_row[i] = QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i)),
                                                      sqlite3_column_bytes(m_stmt, i)));
                break;
            case SQLITE_BLOB:
                m_row[i] = QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, i)),
                                               sqlite3_column_bytes(m_stmt, i)));
                break;
            default:
                break;
            }
        }
    } else if (rc == SQLITE_DONE) {
        m_eof = true;
        m_row.clear();
    } else {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db.handle()));
        const int code = sqlite3_extended_errcode(m_db.handle());
        close();
        throw DbError(message, text(), code);
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

Field Query::field(const QString& name) const {
    const auto it = m_columns.constFind(name.toLower());
    if (it == m_columns.cend())
        throw DbError(QStringLiteral("Field '%1' not found").arg(name), text());
    const int i = it.value();
    return Field(m_eof || i >= int(m_row.size()) ? QVariant() : m_row[i], m_types.value(i));
}

Field Query::scalar(Database& db, const QString& statement, const QString& column) {
    Query q(db, statement);
    q.open();
    return q.field(column);
}
