#include "DisplayFormat.h"

#include "DbError.h"

#include <QRegularExpression>
#include <cmath>

namespace display {

QLocale spanish() {
    QLocale l(QLocale::Spanish, QLocale::Spain);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

namespace {

struct MaskShape {
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int decimals = 0;
    int requiredDecimals = 0;
    bool thousands = false;
    bool anyZero = false;
};

bool isPlaceholder(QChar c) {
    return c == '0' || c == '#';
}

MaskShape parseMask(const QString& m) {
    MaskShape shape;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < m.size(); ++i) {
        if (isPlaceholder(m[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        shape.prefix = m;
        return shape;
    }
    shape.prefix = m.left(first);
    const qsizetype point = m.indexOf(QLatin1Char('.'), first);
    const qsizetype body_end = (point >= 0 && point > last) ? point + 1 : last + 1;
    shape.suffix = m.mid(body_end);
    const qsizetype int_end = point >= 0 ? point : body_end;
    // Integer digits: every "0" from the first "0" on counts as a digit always written.
    bool seenZero = false;
    for (qsizetype i = first; i < int_end; ++i) {
        const QChar c = m[i];
        if (c == ',')
            shape.thousands = true;
        if (c == '0')
            seenZero = true;
        if (isPlaceholder(c) && seenZero)
            ++shape.minIntegerDigits;
    }
    if (point >= 0) {
        for (qsizetype i = point + 1; i < body_end && i <= last; ++i) {
            if (m[i] == '0') {
                ++shape.decimals;
                shape.requiredDecimals = shape.decimals;
            } else if (m[i] == '#') {
                ++shape.decimals;
            }
        }
    }
    shape.anyZero = m.contains(QLatin1Char('0'));
    return shape;
}

// Rounds half away from zero on the decimal digits the number is written with
// (its 15 significant digits), so 2.675 becomes 2.68 as a person reading it
// would expect, while 2.4999999999 stays below the half and becomes 2. The
// digits are rounded as text: no arithmetic nudges a value across the half.
QString roundedDigits(double value, int decimals) {
    // A whole number (a cage, a count) is its digits: nothing to round.
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        const QString whole = QString::number(qint64(std::fabs(value)));
        return decimals > 0 ? whole + QLatin1Char('.') + QString(decimals, QLatin1Char('0')) : whole;
    }
    const QString written = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±XX
    const qsizetype e = written.indexOf(QLatin1Char('e'));
    QString digits = written.left(e).remove(QLatin1Char('.'));
    int intDigits = written.mid(e + 1).toInt() + 1;
    if (intDigits < 1) {
        digits.prepend(QString(1 - intDigits, QLatin1Char('0')));
        intDigits = 1;
    }
    const int cut = intDigits + decimals;
    if (digits.size() <= cut)
        digits.append(QString(cut + 1 - digits.size(), QLatin1Char('0')));
    const bool up = digits.at(cut) >= QLatin1Char('5');
    digits.truncate(cut);
    for (int i = cut - 1; up; --i) {
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++intDigits;
            break;
        }
        if (digits.at(i) != QLatin1Char('9')) {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            break;
        }
        digits[i] = QLatin1Char('0');
    }
    QString out = digits.left(intDigits);
    while (out.size() > 1 && out.startsWith(QLatin1Char('0')))
        out.remove(0, 1);
    if (decimals > 0)
        out += QLatin1Char('.') + digits.mid(intDigits, decimals);
    return out;
}

} // namespace

QString mask(double value, const QString& m) {
    const MaskShape shape = parseMask(m);
    if (!std::isfinite(value))
        value = 0;
    QString digits = roundedDigits(value, shape.decimals);
    QString intPart = digits.section(QLatin1Char('.'), 0, 0);
    QString decPart = digits.section(QLatin1Char('.'), 1, 1);
    const bool isZero = digits.count(QLatin1Char('0')) + digits.count(QLatin1Char('.')) == digits.size();

    if (!shape.anyZero && isZero)
        return QString();

    // Optional decimals ("#") drop their trailing zeros.
    while (decPart.size() > shape.requiredDecimals && decPart.endsWith(QLatin1Char('0')))
        decPart.chop(1);
    if (intPart == QLatin1String("0"))
        intPart.clear();
    while (intPart.size() < shape.minIntegerDigits)
        intPart.prepend(QLatin1Char('0'));
    if (shape.thousands) {
        for (qsizetype i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, QLatin1Char('.'));
    }
    QString out = intPart;
    if (!decPart.isEmpty())
        out += QLatin1Char(',') + decPart;
    if (value < 0 && !isZero)
        out.prepend(QLatin1Char('-'));
    return shape.prefix + out + shape.suffix;
}

QString date(const QDate& d, const QString& m) {
    if (!d.isValid())
        return QString();
    // Turn the mask into Qt's notation: months are M, literals go in single quotes.
    QString qt;
    for (qsizetype i = 0; i < m.size();) {
        const QChar c = m[i];
        if (c == '"') {
            const qsizetype end = m.indexOf(QLatin1Char('"'), i + 1);
            const QString literal = m.mid(i + 1, (end < 0 ? m.size() : end) - i - 1);
            qt += QLatin1Char('\'') + QString(literal).replace(QLatin1Char('\''), QStringLiteral("''")) +
                  QLatin1Char('\'');
            i = end < 0 ? m.size() : end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < m.size() && m[i + run] == c)
            ++run;
        const QString token = m.mid(i, run);
        if (c == 'd' || c == 'y')
            qt += token;
        else if (c == 'm')
            qt += QString(run, QLatin1Char('M'));
        else if (c.isLetter())
            qt += QLatin1Char('\'') + token + QLatin1Char('\'');
        else
            qt += token;
        i += run;
    }
    return spanish().toString(d, qt);
}

QString longDate(const QDate& d) {
    return date(d, QStringLiteral("dddd, d \"de\" mmmm \"de\" yyyy"));
}

QDate parseDate(const QString& text) {
    const QString t = text.trimmed();
    static const QRegularExpression blank(QStringLiteral("^[\\s/]*$"));
    if (blank.match(t).hasMatch())
        return QDate();
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})$"));
    const auto m = dmy.match(t);
    if (m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 50 ? 2000 : 1900;
        const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid())
            return d;
    }
    throw InvalidDate(text);
}

std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.contains(QLatin1Char(',')))
        t = t.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    // The reader takes "inf" and "nan" as numbers and gives infinity for "1e400"
    // with ok false: neither is a value a column can hold.
    if (!std::isfinite(value))
        throw DbError(QStringLiteral("El valor '%1' no es un número que se pueda guardar").arg(text.trimmed()));
    if (!ok)
        throw DbError(QStringLiteral("'%1' no es un número válido").arg(text.trimmed()));
    return value;
}

} // namespace display
