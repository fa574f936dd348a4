#include "HouseStyle.h"

#include "db/DisplayFormat.h"

namespace house {

QString markGlyphs(bool mark1, bool mark2, bool mark3, bool mark4) {
    QString glyphs;
    for (bool mark : {mark1, mark2, mark3, mark4})
        glyphs += mark ? kTicked : kEmptyBox;
    return glyphs;
}

QString palpationSign(std::optional<bool> palpation) {
    if (!palpation)
        return QStringLiteral("?");
    return *palpation ? QStringLiteral("+") : QStringLiteral("-");
}

QString palpationSign(const Field& palpacion) {
    return palpationSign(palpacion.isNull() ? std::nullopt : std::optional<bool>(palpacion.asBoolean()));
}

QString poolPalpationSign(const Field& palpacion) {
    return palpacion.asBoolean() ? QStringLiteral("+") : QStringLiteral("-");
}

QString cageRange(qint64 from, qint64 to) {
    return QStringLiteral("Desde la Jaula %1 a la Jaula %2").arg(from).arg(to);
}

QString maleRange(qint64 first, qint64 last) {
    return QStringLiteral("Desde el Macho %1 al Macho %2").arg(first).arg(last);
}

QString legendLine(int number, const QString& name) {
    return QStringLiteral("%1. ").arg(number) + name;
}

std::array<QString, 4> markLegend(const FarmParameters& parameters) {
    std::array<QString, 4> lines;
    for (int i = 0; i < 4; ++i)
        lines[i] = legendLine(i + 1, parameters.marcas[i]);
    return lines;
}

QString farmName(Database& db) {
    Query q(db, QStringLiteral("select * from DatosExplotacion"));
    q.open();
    return q.eof() ? QString() : q.field(QStringLiteral("NombreExplotacion")).asString();
}

QStringList markNames(Database& db) {
    Query q(db, QStringLiteral("select * from DatosExplotacion"));
    q.open();
    QStringList names;
    for (int mark = 1; mark <= 4; ++mark)
        names << (q.eof() ? QString() : q.field(QStringLiteral("Marca%1").arg(mark)).asString());
    return names;
}

QString headerDate(const QDate& day) {
    return display::longDate(day);
}

} // namespace house
