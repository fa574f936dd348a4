#include "EfficiencyIndex.h"

#include "Query.h"
#include "SqlFormat.h"

#include <cmath>
#include <vector>

namespace {

// Halves go to the even neighbour: 22.5 gives 22, 23.5 gives 24.
double roundHalfEven(double value) {
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

// Two decimals, halves going up: times 100, plus 0.5, cut, divided by 100.
double roundTwoDecimalsHalfUp(double value) {
    return std::trunc(value * 100.0 + 0.5) / 100.0;
}

// The index with two decimals, the way the upgrade and the import have always
// written it: bound as that text ("12.50"), which the number column reads
// exactly as it read the number written into the statement.
void writeText(Database& db, const QString& table, const QString& keyColumn, qint64 key, double index,
               EfficiencyIndex::Lines lines) {
    Query q(db);
    const QString set = QStringLiteral("update %1 set Eficacia=:eficacia").arg(table);
    const QString where = QStringLiteral("where %1=:codigo").arg(keyColumn);
    q.bindText(QStringLiteral("eficacia"), EfficiencyIndex::text(index));
    q.bindInteger(QStringLiteral("codigo"), key);
    if (lines == EfficiencyIndex::Lines::Two)
        q << set << where;
    else
        q << set + QLatin1Char(' ') + where;
    q.exec();
}

std::vector<qint64> codes(Database& db, const QString& statement, const QString& column) {
    std::vector<qint64> out;
    Query q(db, statement);
    for (q.open(); !q.eof(); q.next())
        out.push_back(q.field(column).asInteger());
    return out;
}

} // namespace

double EfficiencyIndex::female(Database& db, qint64 female) {
    if (female == 0)
        return -1.0;
    Query q(db);
    q << QStringLiteral("select min(FechaParto) primera, max(fechaParto) ultima, count(*) destetes")
      << QStringLiteral("from CubriHembras") << QStringLiteral("where CodigoHembra=:codigo")
      << QStringLiteral("and Destetada=True");
    q.bindInteger(QStringLiteral("codigo"), female);
    q.open();
    const qint64 n = q.field(QStringLiteral("destetes")).asInteger();
    const QDate first = q.field(QStringLiteral("primera")).asDate();
    const QDate last = q.field(QStringLiteral("ultima")).asDate();
    // Weaned cycles without a birth date count in n but add nothing to the span.
    const qint64 span = first.isValid() && last.isValid() ? first.daysTo(last) : 0;
    const double interval = n > 0 ? roundHalfEven(double(span) / double(n)) : 0.0;
    if (interval <= 0.0)
        return 0.0;
    return roundTwoDecimalsHalfUp(double(n) * (365.0 / interval));
}

double EfficiencyIndex::male(Database& db, qint64 male) {
    if (male == 0)
        return -1.0;
    const QString where = QStringLiteral("where CodigoMacho=:codigo");
    Query q(db);
    q << QStringLiteral("select avg(NacidosVivos+NacidosMuertos) MediaNacidos, count(*) CuentaCubriciones")
      << QStringLiteral("from CubriMachos") << where;
    q.bindInteger(QStringLiteral("codigo"), male);
    q.open();
    const double average = q.field(QStringLiteral("MediaNacidos")).asFloat();
    const qint64 matings = q.field(QStringLiteral("CuentaCubriciones")).asInteger();
    q.clear();
    q << QStringLiteral("select count(*) CuentaPositivas") << QStringLiteral("from CubriMachos")
      << where + QStringLiteral(" and Palpacion=True");
    q.bindInteger(QStringLiteral("codigo"), male);
    q.open();
    const qint64 positives = q.field(QStringLiteral("CuentaPositivas")).asInteger();
    if (matings == 0)
        return 0.0;
    const double percentPositive = double(positives) / double(matings) * 100.0;
    return average * percentPositive;
}

void EfficiencyIndex::storeFemale(Database& db, qint64 female, double index) {
    Query q(db, QStringLiteral("update Hembras set Eficacia=:indice where CodigoHembra=:codigo"));
    q.bindNumber(QStringLiteral("indice"), index);
    q.bindInteger(QStringLiteral("codigo"), female);
    q.exec();
}

void EfficiencyIndex::storeMale(Database& db, qint64 male, double index) {
    Query q(db, QStringLiteral("update Machos set Eficacia=:indice where CodigoMacho=:codigo"));
    q.bindNumber(QStringLiteral("indice"), index);
    q.bindInteger(QStringLiteral("codigo"), male);
    q.exec();
}

QString EfficiencyIndex::text(double index) {
    return sql::decimal2(index);
}

bool EfficiencyIndex::writeFemale(Database& db, qint64 female, double index, Lines lines) {
    if (index <= -1.0)
        return false;
    writeText(db, QStringLiteral("Hembras"), QStringLiteral("CodigoHembra"), female, index, lines);
    return true;
}

bool EfficiencyIndex::writeMale(Database& db, qint64 male, double index, Lines lines) {
    if (index <= -1.0)
        return false;
    writeText(db, QStringLiteral("Machos"), QStringLiteral("CodigoMacho"), male, index, lines);
    return true;
}

int EfficiencyIndex::recomputeAll(Database& db, Lines lines, const std::function<void(int, int)>& progress) {
    int written = 0;
    // The codes are read first: the updates never run while a read is open.
    const std::vector<qint64> females = codes(
        db, QStringLiteral("select CodigoHembra from Hembras order by CodigoHembra"), QStringLiteral("CodigoHembra"));
    for (std::size_t i = 0; i < females.size(); ++i) {
        written += writeFemale(db, females[i], female(db, females[i]), lines) ? 1 : 0;
        if (progress)
            progress(int(i + 1), int(females.size()));
    }
    const std::vector<qint64> males =
        codes(db, QStringLiteral("select CodigoMacho from Machos order by CodigoMacho"), QStringLiteral("CodigoMacho"));
    for (std::size_t i = 0; i < males.size(); ++i) {
        written += writeMale(db, males[i], male(db, males[i]), lines) ? 1 : 0;
        if (progress)
            progress(int(i + 1), int(males.size()));
    }
    return written;
}
