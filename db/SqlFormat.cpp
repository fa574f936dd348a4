#include "SqlFormat.h"

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

QString whole(double value) {
    // Rounded half away from zero, as a whole number never shows "-0".
    const double r = std::round(value);
    return QString::number(static_cast<qint64>(r == 0 ? 0 : r));
}

QString decimal2(double value) {
    // Formatted as the farmer sees it, then the decimal comma made a point.
    return display::mask(value, QStringLiteral("0.00")).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString shortest(double value) {
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
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
