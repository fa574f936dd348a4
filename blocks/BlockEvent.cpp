#include "BlockEvent.h"

#include "db/SqlFormat.h"

QStringList BlockEvent::rangeLines(const CageRange& range, const QString& fromLine, const QString& toLine) {
    QStringList lines;
    if (range.from > 0)
        lines << fromLine.arg(sql::number(range.from));
    if (range.to > 0)
        lines << toLine.arg(sql::number(range.to));
    return lines;
}
