#include "FemaleMarks.h"

#include "db/Query.h"

#include <algorithm>

bool MarkChange::applicable() const {
    const bool any = std::any_of(marks.begin(), marks.end(), [](const auto& m) { return m.has_value(); });
    return any && from > 0 && to > 0;
}

QStringList MarkChange::statementLines() const {
    QStringList lines{QStringLiteral("update Hembras set ")};
    for (const bool value : {true, false})
        for (int i = 0; i < 4; ++i)
            if (marks[i] == value)
                lines << QStringLiteral("Marca%1=%2,").arg(i + 1).arg(value ? QStringLiteral("True")
                                                                            : QStringLiteral("False"));
    if (lines.size() > 1)
        lines.last().chop(1);
    lines << (range == Range::Cages ? QStringLiteral("where Jaula between :j1 and :j2")
                                    : QStringLiteral("where CodigoHembra between :j1 and :j2"));
    return lines;
}

void MarkChange::apply(Database& db) const {
    if (!applicable())
        return;
    Query q(db);
    for (const QString& line : statementLines())
        q << line;
    q.bindInteger(QStringLiteral("j1"), from);
    q.bindInteger(QStringLiteral("j2"), to);
    q.exec();
}
