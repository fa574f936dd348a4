#include "Dialect.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace dialect {
namespace {

enum class Kind { Code, Literal, Identifier, Comment };

struct Segment {
    Kind kind;
    QString text;
};

// Splits a statement into code, quoted literals, quoted identifiers and comments,
// so that translation never looks inside a literal.
std::vector<Segment> split(const QString& s) {
    std::vector<Segment> out;
    QString code;
    auto flushCode = [&] {
        if (!code.isEmpty())
            out.push_back({Kind::Code, code});
        code.clear();
    };
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c == '\'' || c == '"') {
            flushCode();
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == c) {
                    if (j + 1 < n && s[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const qsizetype end = std::min(j + 1, n);
            out.push_back({c == '\'' ? Kind::Literal : Kind::Identifier, s.mid(i, end - i)});
            i = end;
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            flushCode();
            qsizetype j = s.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype end = j < 0 ? n : j + 2;
            out.push_back({Kind::Comment, s.mid(i, end - i)});
            i = end;
        } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            flushCode();
            qsizetype j = s.indexOf('\n', i);
            const qsizetype end = j < 0 ? n : j;
            out.push_back({Kind::Comment, s.mid(i, end - i)});
            i = end;
        } else {
            code += c;
            ++i;
        }
    }
    flushCode();
    return out;
}

const QRegularExpression& dateLiteralPattern() {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    return re;
}

// '04/23/2002' becomes '2002-04-23'; anything that is no calendar date is left alone.
QString translateLiteral(const QString& literal) {
    const QString content = literal.mid(1, literal.size() - 2);
    const auto m = dateLiteralPattern().match(content);
    if (!m.hasMatch())
        return literal;
    const QDate d(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    if (!d.isValid())
        return literal;
    return QLatin1Char('\'') + d.toString(Qt::ISODate) + QLatin1Char('\'');
}

qsizetype matchingParen(const QString& s, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < s.size(); ++i) {
        if (s[i] == '(')
            ++depth;
        else if (s[i] == ')' && --depth == 0)
            return i;
    }
    return -1;
}

// extract (year from X) and extract (month from X) read the ISO date text.
QString translateExtract(QString code) {
    static const QRegularExpression re(QStringLiteral("\\bextract\\s*(\\()\\s*(year|month|day)\\s+from\\s+"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (;;) {
        const auto m = re.match(code);
        if (!m.hasMatch())
            return code;
        const qsizetype open = m.capturedStart(1);
        const qsizetype close = matchingParen(code, open);
        if (close < 0)
            return code;
        const QString part = m.captured(2).toLower();
        const QString format = part == QLatin1String("year") ? "%Y" : part == QLatin1String("month") ? "%m" : "%d";
        const QString expr = code.mid(m.capturedEnd(), close - m.capturedEnd()).trimmed();
        code.replace(m.capturedStart(), close + 1 - m.capturedStart(),
                     QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)").arg(format, expr));
    }
}

QString columnType(const QString& type) {
    const QString t = type.toLower();
    if (t == QLatin1String("numeric") || t == QLatin1String("number") || t == QLatin1String("float"))
        return QStringLiteral("REAL");
    if (t == QLatin1String("boolean") || t == QLatin1String("logical"))
        return QStringLiteral("BOOLEAN");
    return type;
}

// The statements that exist only in the farm dialect: table changes and key drops.
QString translateStructure(const QString& code) {
    static const QRegularExpression add(
        QStringLiteral("^\\s*alter\\s+table\\s+(\\w+)\\s+add\\s+(?:column\\s+)?(\\w+)\\s+(\\w+)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression drop(
        QStringLiteral("^\\s*alter\\s+table\\s+(\\w+)\\s+drop\\s+(?:column\\s+)?(\\w+)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression dropIndex(QStringLiteral("^\\s*drop\\s+index\\s+(\\w+)\\.(\\w+)\\s*;?\\s*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (auto m = add.match(code); m.hasMatch())
        return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
            .arg(m.captured(1), m.captured(2), columnType(m.captured(3)));
    if (auto m = drop.match(code); m.hasMatch())
        return QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(m.captured(1), m.captured(2));
    if (auto m = dropIndex.match(code); m.hasMatch()) {
        const QString which = m.captured(2).toLower();
        const QString name = which == QLatin1String("primary")   ? primaryIndexName(m.captured(1))
                             : which == QLatin1String("index01") ? secondaryIndexName(m.captured(1))
                                                                 : m.captured(1) + '.' + m.captured(2);
        return QStringLiteral("DROP INDEX \"%1\"").arg(name);
    }
    return code;
}

// Where each character stands in parentheses: 0 at the top level of the statement.
std::vector<int> depths(const QString& code) {
    std::vector<int> out(size_t(code.size()));
    int depth = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (code[i] == '(')
            ++depth;
        out[size_t(i)] = depth;
        if (code[i] == ')')
            --depth;
    }
    return out;
}

// The top-level pieces of a list between `from` and `to`, split at its commas.
std::vector<std::pair<qsizetype, qsizetype>> topLevelItems(const QString& code, const std::vector<int>& depth,
                                                           qsizetype from, qsizetype to) {
    std::vector<std::pair<qsizetype, qsizetype>> items;
    qsizetype start = from;
    for (qsizetype i = from; i < to; ++i) {
        if (code[i] == ',' && depth[size_t(i)] == 0) {
            items.emplace_back(start, i);
            start = i + 1;
        }
    }
    items.emplace_back(start, to);
    return items;
}

// The first top-level match of a keyword pattern at or after `from`, or -1.
qsizetype topLevel(const QString& code, const std::vector<int>& depth, const QRegularExpression& keyword,
                   qsizetype from = 0) {
    for (auto it = keyword.globalMatch(code, from); it.hasNext();) {
        const auto m = it.next();
        if (depth[size_t(m.capturedStart())] == 0)
            return m.capturedStart();
    }
    return -1;
}

// The farm's engine reads a bare column of a join's "order by" as the selected
// column of that name: "select a.CodigoHembra ... order by CodigoHembra" sorts by
// a.CodigoHembra although both tables have one. SQLite calls that ambiguous, so
// such an order term is written with the table of its selected column.
QString qualifyOrder(const QString& code) {
    static const QRegularExpression select(QStringLiteral("^\\s*select\\s+(distinct\\s+)?"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression from(QStringLiteral("\\bfrom\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression orderBy(QStringLiteral("\\border\\s+by\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression qualified(QStringLiteral("^\\s*([A-Za-z_]\\w*)\\.([A-Za-z_]\\w*)\\s*$"));
    static const QRegularExpression bare(QStringLiteral("^(\\s*)([A-Za-z_]\\w*)((\\s+(asc|desc))?\\s*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression compound(QStringLiteral("\\b(union|intersect|except)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto head = select.match(code);
    if (!head.hasMatch())
        return code;
    const std::vector<int> depth = depths(code);
    // The order of a compound select names its result columns, never a table's.
    if (topLevel(code, depth, compound) >= 0)
        return code;
    const qsizetype fromAt = topLevel(code, depth, from, head.capturedEnd());
    const qsizetype orderAt = fromAt < 0 ? -1 : topLevel(code, depth, orderBy, fromAt);
    if (orderAt < 0)
        return code;
    QHash<QString, QString> columns; // lower-case column -> "a.Column" as selected
    for (const auto& [start, end] : topLevelItems(code, depth, head.capturedEnd(), fromAt)) {
        const auto m = qualified.match(code.mid(start, end - start));
        if (m.hasMatch())
            columns.insert(m.captured(2).toLower(), m.captured(1) + QLatin1Char('.') + m.captured(2));
    }
    if (columns.isEmpty())
        return code;
    const qsizetype listAt = orderAt + orderBy.match(code, orderAt).capturedLength();
    QString out = code.left(listAt);
    QStringList terms;
    for (const auto& [start, end] : topLevelItems(code, depth, listAt, code.size())) {
        const QString term = code.mid(start, end - start);
        const auto m = bare.match(term);
        const auto column = m.hasMatch() ? columns.constFind(m.captured(2).toLower()) : columns.constEnd();
        terms << (column == columns.constEnd() ? term : m.captured(1) + *column + m.captured(3));
    }
    return out + terms.join(QLatin1Char(','));
}

} // namespace

bool looksLikeDateLiteral(const QString& content) {
    return dateLiteralPattern().match(content).hasMatch();
}

QString primaryIndexName(const QString& table) {
    return table + QStringLiteral(".Primary");
}

QString secondaryIndexName(const QString& table) {
    return table + QStringLiteral(".index01");
}

QString toSqlite(const QString& statement) {
    const std::vector<Segment> segments = split(statement);

    // Work on the code with every literal, identifier and comment replaced by a
    // placeholder, so patterns that span them (extract around a quoted name) still match.
    QString code;
    QStringList held;
    bool textMarked = false;
    for (const Segment& seg : segments) {
        if (seg.kind == Kind::Code) {
            code += seg.text;
            textMarked = false;
            continue;
        }
        QString kept = seg.text;
        if (seg.kind == Kind::Literal && !textMarked)
            kept = translateLiteral(seg.text);
        textMarked = seg.kind == Kind::Comment && seg.text == QLatin1String(kTextMarker);
        code += QChar(0x1) + QString::number(held.size()) + QChar(0x1);
        held << kept;
    }

    // Every division is a real division: the farm's numbers are floating point,
    // so 17 kits over 4 births is 4.25, never 4.
    code.replace(QLatin1Char('/'), QStringLiteral("*1.0/"));
    // Most statements have neither: a plain search spares the patterns.
    if (code.contains(QLatin1String("extract"), Qt::CaseInsensitive))
        code = translateExtract(code);
    if (code.contains(QLatin1String("alter"), Qt::CaseInsensitive) ||
        code.contains(QLatin1String("drop"), Qt::CaseInsensitive))
        code = translateStructure(code);

    if (code.contains(QLatin1String("order"), Qt::CaseInsensitive))
        code = qualifyOrder(code);

    static const QRegularExpression placeholder(QStringLiteral("\\x01(\\d+)\\x01"));
    QString out;
    qsizetype last = 0;
    for (auto it = placeholder.globalMatch(code); it.hasNext();) {
        const auto m = it.next();
        out += code.mid(last, m.capturedStart() - last);
        out += held.at(m.captured(1).toInt());
        last = m.capturedEnd();
    }
    out += code.mid(last);
    return out;
}

} // namespace dialect
