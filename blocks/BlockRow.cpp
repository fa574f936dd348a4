#include "BlockRow.h"

#include "db/DisplayFormat.h"
#include "db/Query.h"

namespace blockrow {

QString cageText(qint64 cage) {
    return display::mask(double(cage), QStringLiteral("000000"));
}

QString join(const QStringList& fields) {
    return fields.join(QLatin1Char('|'));
}

QStringList split(const QString& row) {
    return row.split(QLatin1Char('|'));
}

QString femaleRow(const Query& result, const QStringList& ownFields) {
    QStringList fields{cageText(result.field(QStringLiteral("Jaula")).asInteger()),
                       result.field(QStringLiteral("CodigoHembra")).asString()};
    for (int m = 1; m <= 4; ++m)
        fields << result.field(QStringLiteral("Marca%1").arg(m)).asString();
    return join(fields + ownFields);
}

QString markGlyphs(const QStringList& fields) {
    QString glyphs;
    for (int m = 0; m < 4; ++m)
        glyphs += fields.value(kFirstMark + m) == QLatin1String("True") ? QChar(0xFE) : QChar(0xA8);
    return glyphs;
}

} // namespace blockrow
