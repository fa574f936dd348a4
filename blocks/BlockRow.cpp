#include "BlockRow.h"

#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "reports/HouseStyle.h"

namespace blockrow {

QString cageText(qint64 cage) {
    // Every row of a list starts with its cage: the usual cage is written
    // straight, anything else through the mask.
    if (cage >= 0 && cage <= 999999)
        return QString::number(cage).rightJustified(6, QLatin1Char('0'));
    return display::mask(double(cage), QStringLiteral("000000"));
}

QString join(const QStringList& fields) {
    return fields.join(QLatin1Char('|'));
}

QStringList split(const QString& row) {
    return row.split(QLatin1Char('|'));
}

QString femaleRow(const Query& result, const QStringList& ownFields) {
    static const QString marks[] = {QStringLiteral("Marca1"), QStringLiteral("Marca2"), QStringLiteral("Marca3"),
                                    QStringLiteral("Marca4")};
    QStringList fields{cageText(result.field(QStringLiteral("Jaula")).asInteger()),
                       result.field(QStringLiteral("CodigoHembra")).asString()};
    for (const QString& mark : marks)
        fields << result.field(mark).asString();
    return join(fields + ownFields);
}

QString numberField(const QStringList& fields, int field) {
    // parseNumber and whole refuse, naming the text, what no column can hold.
    return sql::whole(display::parseNumber(fields.value(field)).value_or(0));
}

qint64 integerField(const QStringList& fields, int field) {
    return numberField(fields, field).toLongLong();
}

QString markGlyphs(const QStringList& fields) {
    auto set = [&fields](int m) { return fields.value(kFirstMark + m) == QLatin1String("True"); };
    return house::markGlyphs(set(0), set(1), set(2), set(3));
}

} // namespace blockrow
