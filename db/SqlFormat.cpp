#include "SqlFormat.h"

#include "DbError.h"
#include "Dialect.h"
#include "DisplayFormat.h"

#include <QLocale>
#include <cmath>

namespace sql {

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

QString date(const QDate& d) {
    return d.isValid() ? QLatin1Char('\'') + dateText(d) + QLatin1Char('\'') : QStringLiteral("NULL");
}

QString number(qint64 value) {
    return QString::number(value);
}

double finite(double value) {
    if (!std::isfinite(value))
        throw DbError(QStringLiteral("El valor '%1' no es un número que se pueda guardar").arg(value));
    return value;
}

qint64 rounded(double value) {
    // Rounded half away from zero. 2^63 is the first value past the range; the
    // casts below are only defined inside it.
    const double r = std::round(finite(value));
    constexpr double kLimit = 9223372036854775808.0;
    if (r >= kLimit || r < -kLimit)
        throw DbError(QStringLiteral("El número %1 es demasiado grande para guardarlo").arg(value, 0, 'g', 17));
    return r == 0 ? 0 : static_cast<qint64>(r);
}

QString whole(double value) {
    return number(rounded(value));
}

QString decimal2(double value) {
    // Formatted as the farmer sees it, then the decimal comma made a point.
    return display::mask(finite(value), QStringLiteral("0.00")).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString shortest(double value) {
    return QString::number(finite(value), 'f', QLocale::FloatingPointShortest);
}

QString logical(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString palpation(std::optional<bool> value) {
    return value ? logical(*value) : QStringLiteral("NULL");
}

QString text(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    quoted = QLatin1Char('\'') + quoted + QLatin1Char('\'');
    if (dialect::looksLikeDateLiteral(value))
        return QLatin1String(dialect::kTextMarker) + quoted;
    return quoted;
}

} // namespace sql
