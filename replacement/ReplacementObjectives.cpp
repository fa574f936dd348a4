#include "ReplacementObjectives.h"

#include "db/DisplayFormat.h"
#include "db/FarmParameters.h"
#include "db/Query.h"

#include <cmath>

namespace replacement {

int remainingDays(const QDate& today) {
    return int(today.daysTo(QDate(today.year(), 12, 31)));
}

ReplacementFigures figures(double target, int remainingDays, double average, double stock, double additions) {
    ReplacementFigures f;
    f.target = target;
    f.targetStock = std::round(average);
    f.stock = stock;
    const double r = remainingDays;
    if (f.stock > f.targetStock && r > 0)
        f.culls = (f.stock - f.targetStock) / r;
    if (f.targetStock > 0)
        f.trend = std::round(additions / f.targetStock * 100);
    if (r > 0) {
        if (f.target > f.trend)
            f.additions = (f.target - f.trend) * f.targetStock / 100 / (r / 7);
        // 1 January of a leap year leaves no day behind to extend.
        if (365 - r > 0)
            f.projected = f.trend * 365 / (365 - r);
    }
    return f;
}

} // namespace replacement

QStringList ReplacementFigures::texts() const {
    const QString whole = QStringLiteral("#,##0");
    const QString percent = QStringLiteral("0 %");
    return {display::mask(additions, QStringLiteral("0")),
            display::mask(culls, whole),
            display::mask(stock, whole),
            display::mask(targetStock, whole),
            display::mask(target, percent),
            display::mask(projected, percent),
            display::mask(trend, percent)};
}

namespace {

// The two columns "Hembras" and "Machos" of the first row; a sum or average over
// no row reads 0.
struct Pair {
    double females = 0;
    double males = 0;
};

Pair readPair(Query& q) {
    q.open();
    Pair p;
    if (!q.eof()) {
        p.females = q.field(QStringLiteral("Hembras")).asFloat();
        p.males = q.field(QStringLiteral("Machos")).asFloat();
    }
    q.close();
    return p;
}

} // namespace

ReplacementObjectives ReplacementObjectives::read(Database& db, const QDate& today) {
    const FarmParameters parameters = FarmParameters::read(db);
    const int year = today.year();

    Query q(db, QStringLiteral("select avg(NumeroTotalHembras) Hembras, avg(NumeroTotalMachos) Machos from "
                               "HistoricoMaternidad where extract (year from Fecha)=:year"));
    q.bindInteger(QStringLiteral("year"), year);
    const Pair average = readPair(q);

    // The latest day recorded: the last row in the ledger's key order.
    q.clear();
    q << QStringLiteral("select NumeroTotalHembras Hembras, NumeroTotalMachos Machos from HistoricoMaternidad")
      << QStringLiteral("order by Fecha desc");
    const Pair stock = readPair(q);

    q.clear();
    q << QStringLiteral("select sum(AltasHembras) Hembras, sum(AltasMachos) Machos from HistoricoMaternidad where "
                        "extract (year from fecha)=:year");
    q.bindInteger(QStringLiteral("year"), year);
    const Pair additions = readPair(q);

    const int r = replacement::remainingDays(today);
    return {replacement::figures(parameters.porcentRepHemAnual, r, average.females, stock.females, additions.females),
            replacement::figures(parameters.porcentRepMacAnual, r, average.males, stock.males, additions.males)};
}
