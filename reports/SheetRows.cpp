#include "SheetRows.h"

#include "db/DbError.h"

Field ListRows::field(const QString& name) const {
    qsizetype column = -1;
    for (qsizetype i = 0; i < m_columns.size() && column < 0; ++i) {
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            column = i;
    }
    if (column < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    if (eof())
        return Field();
    const QVariantList& row = m_rows[m_current];
    return Field(column < row.size() ? row[column] : QVariant(), QString());
}
