#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class Query;

// A statement of the work guide: its lines and the values bound to its markers
// (":d", ":desde", ...). The values never enter the text.
struct GuideStatement {
    QStringList lines;
    std::vector<std::pair<QString, QDate>> dates;
    std::vector<std::pair<QString, qint64>> numbers;

    QString text() const { return lines.join(QLatin1Char('\n')); }
    // The text as it reads with each value written in its statement form
    // ('mm/dd/yyyy' dates, plain decimal numbers): for messages and checks.
    QString expanded() const;
    // Gives the query this statement's lines and binds its values.
    void applyTo(Query& query) const;
};
