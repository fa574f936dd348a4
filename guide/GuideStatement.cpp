#include "GuideStatement.h"

#include "db/Query.h"
#include "db/SqlFormat.h"

#include <QRegularExpression>

QString GuideStatement::expanded() const {
    static const QRegularExpression marker(QStringLiteral(":(\\w+)"));
    QString out;
    const QString t = text();
    qsizetype at = 0;
    for (auto it = marker.globalMatch(t); it.hasNext();) {
        const auto m = it.next();
        out += t.mid(at, m.capturedStart() - at);
        QString value = m.captured(0);
        for (const auto& [name, date] : dates)
            if (name == m.captured(1))
                value = sql::date(date);
        for (const auto& [name, number] : numbers)
            if (name == m.captured(1))
                value = sql::number(number);
        out += value;
        at = m.capturedEnd();
    }
    return out + t.mid(at);
}

void GuideStatement::applyTo(Query& query) const {
    query.clear();
    for (const QString& line : lines)
        query.add(line);
    for (const auto& [name, date] : dates)
        query.bindDate(name, date);
    for (const auto& [name, number] : numbers)
        query.bindNumber(name, double(number));
}
