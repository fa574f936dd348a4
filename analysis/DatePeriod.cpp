#include "DatePeriod.h"

#include "db/DisplayFormat.h"
#include "db/SqlFormat.h"

QString DatePeriod::caption() const {
    QString caption;
    if (from.isValid())
        caption = QStringLiteral("Desde la fecha ") + display::date(from);
    if (to.isValid())
        caption += QStringLiteral(" Hasta la fecha ") + display::date(to);
    return caption;
}

QStringList DatePeriod::conditions(const QString& column) const {
    QStringList lines;
    if (from.isValid())
        lines << QStringLiteral("and %1>='%2'").arg(column, sql::dateText(from));
    if (to.isValid())
        lines << QStringLiteral("and %1<='%2'").arg(column, sql::dateText(to));
    return lines;
}

qint64 DatePeriod::length(qint64 counted) const {
    if (from.isValid() && to.isValid())
        return from.daysTo(to) + 1;
    return counted;
}
