#include "FarmStructure.h"

#include "db/Database.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <algorithm>
#include <stdexcept>

namespace {

FarmStructure::Range rangeOf(const Query& q) {
    FarmStructure::Range r;
    r.orden = q.field(QStringLiteral("Orden")).asInteger();
    r.desde = q.field(QStringLiteral("JaulaDesde")).asFloat();
    r.hasta = q.field(QStringLiteral("JaulaHasta")).asFloat();
    r.tipo = q.field(QStringLiteral("Tipo")).asString();
    r.entry = QStringList{display::mask(r.desde, QStringLiteral("0000000000")), sql::number(r.orden),
                          q.field(QStringLiteral("JaulaDesde")).asString(),
                          q.field(QStringLiteral("JaulaHasta")).asString(), r.tipo}
                  .join(QLatin1Char('|'));
    return r;
}

} // namespace

FarmStructure::FarmStructure(Database& db) : m_db(db) {}

std::vector<FarmStructure::Range> FarmStructure::ranges() const {
    Query q(m_db, QStringLiteral("select * from estructura"));
    std::vector<Range> out;
    for (q.open(); !q.eof(); q.next())
        out.push_back(rangeOf(q));
    std::sort(out.begin(), out.end(), [](const Range& a, const Range& b) { return a.entry < b.entry; });
    return out;
}

std::optional<FarmStructure::Range> FarmStructure::range(qint64 orden) const {
    Query q(m_db, QStringLiteral("select * from Estructura where orden=%1").arg(sql::number(orden)));
    q.open();
    if (q.eof())
        return std::nullopt;
    return rangeOf(q);
}

bool FarmStructure::canAccept(double desde, double hasta, int typeIndex) {
    return desde > 0 && hasta > 0 && typeIndex >= 0 && typeIndex < 4 && desde <= hasta;
}

bool FarmStructure::overlaps(double desde, double hasta, qint64 orden) const {
    const QString d = sql::whole(desde);
    const QString h = sql::whole(hasta);
    Query q(m_db, QStringLiteral("select * from Estructura where ((JaulaDesde<=%1 and JaulaHasta>=%1) or "
                                 "(JaulaDesde<=%2 and JaulaHasta>=%2) or (JaulaDesde>=%1 and JaulaHasta<=%2)) and "
                                 "orden<>%3")
                      .arg(d, h, sql::number(orden)));
    q.open();
    return !q.eof();
}

QString FarmStructure::letter(int typeIndex) {
    if (typeIndex < 0 || typeIndex >= 4)
        throw std::invalid_argument("no cage kind at this position");
    return QString(QLatin1Char(kLetters[typeIndex]));
}

int FarmStructure::typeIndex(const QString& letter) {
    if (letter.size() != 1)
        return -1;
    return int(QString::fromLatin1(kLetters).indexOf(letter));
}

QStringList FarmStructure::typeChoices() {
    return {QStringLiteral("(R) Reposición Colectiva"), QStringLiteral("(E) Espera Individual"),
            QStringLiteral("(N) Jaula Nido"), QStringLiteral("(M) Jaula Macho")};
}

void FarmStructure::insert(double desde, double hasta, int typeIndex) {
    m_db.exec(QStringLiteral("insert into Estructura (JaulaDesde, JaulaHasta, Tipo) VALUES (%1, %2, '%3')")
                  .arg(sql::whole(desde), sql::whole(hasta), letter(typeIndex)));
}

void FarmStructure::update(qint64 orden, double desde, double hasta, int typeIndex) {
    m_db.exec(QStringLiteral("update Estructura set JaulaDesde=%1, JaulaHasta=%2, Tipo='%3' where orden=%4")
                  .arg(sql::whole(desde), sql::whole(hasta), letter(typeIndex), sql::number(orden)));
}

void FarmStructure::remove(qint64 orden) {
    m_db.exec(QStringLiteral("delete from Estructura where orden=%1").arg(sql::number(orden)));
}
