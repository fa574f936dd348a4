#include "MonthlyPoints.h"

#include "db/Clock.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <cmath>

namespace monthly {

std::vector<QDate> months(const QDate& today) {
    const QDate current(today.year(), today.month(), 1);
    std::vector<QDate> list;
    for (int k = kMonths - 1; k >= 0; --k)
        list.push_back(current.addMonths(-k));
    return list;
}

QString statement(const MonthlySource& source, const ChartIndicator& indicator) {
    return QStringLiteral("select %1 suma from %2 where extract (month from %3)=:m and extract (year from %3)=:y%4")
        .arg(indicator.expression, source.table, source.dateColumn, indicator.extraCondition);
}

void zeroMissingFeed(Database& db, const MonthlySource& source) {
    Transaction transaction(db);
    Query q(db);
    for (const QString& update : source.zeroing) {
        q.clear();
        q << update;
        q.exec();
    }
    transaction.commit();
}

std::vector<ChartPoint> points(Database& db, const MonthlySource& source, const ChartIndicator& indicator,
                               const QDate& today) {
    Query q(db, statement(source, indicator));
    std::vector<ChartPoint> list;
    for (const QDate& month : months(today)) {
        q.bindNumber(QStringLiteral("m"), month.month());
        q.bindNumber(QStringLiteral("y"), month.year());
        q.open();
        // NULL (no row, or a division by zero) reads 0.
        const double value = q.field(QStringLiteral("suma")).asFloat();
        q.close();
        ChartPoint point;
        point.x = int(list.size());
        point.y = std::isfinite(value) ? value : 0.0;
        point.month = month.month();
        point.year = month.year();
        point.label = display::date(QDate(2000, month.month(), 1), QStringLiteral("mmmm"));
        list.push_back(point);
    }
    return list;
}

std::vector<ChartPoint> gather(Database& db, const MonthlySource& source, const ChartIndicator& indicator,
                               const Clock& clock) {
    zeroMissingFeed(db, source);
    return points(db, source, indicator, clock.today());
}

} // namespace monthly

namespace maternity_charts {

const std::vector<ChartIndicator>& indicators() {
    static const std::vector<ChartIndicator> list = [] {
        const std::pair<const char*, const char*> rows[] = {
            {"% Muertes de Hembras", "(sum(BajasHembrasMuertas)/avg(NumeroTotalHembras))*100"},
            {"% Reposición de Hembras", "(sum(AltasHembras)/avg(NumeroTotalHembras))*100"},
            {"% Muertes de Machos", "(sum(BajasMachosMuertos)/avg(NumeroTotalMachos))*100"},
            {"% Reposición de Machos", "(sum(AltasMachos)/avg(NumeroTotalMachos))*100"},
            {"Cubriciones", "sum(Cubriciones)"},
            {"% Palpaciones Positivas",
             "(sum(PalpacionesPositivas)/(sum(PalpacionesPositivas)+sum(PalpacionesNegativas)))*100"},
            {"Nacidos Vivos", "sum(NacidosVivos)"},
            {"Media de Nacidos Vivos por Parto", "sum(NacidosVivos)/sum(NumeroPartos)"},
            {"Gazapos Destetados", "sum(Destetados)"},
            {"Destetados por Camada", "sum(Destetados)/sum(NumeroDestetes)"},
            {"Destetados por Hembra", "sum(Destetados)/avg(NumeroTotalHembras)"},
            {"Destetados por Parto", "sum(Destetados)/sum(NumeroPartos)"},
            {"Consumo", "sum(consumo1+consumo2+consumo3+consumo4)"},
            {"Índice de Conversión de Maternidad", "sum(consumo1+consumo2+consumo3+consumo4)/sum(Destetados)"},
        };
        std::vector<ChartIndicator> out;
        for (const auto& [caption, expression] : rows)
            out.push_back({QString::fromUtf8(caption), QString::fromUtf8(expression), QString()});
        return out;
    }();
    return list;
}

const MonthlySource& ledger() {
    static const MonthlySource source{
        QStringLiteral("HistoricoMaternidad"),
        QStringLiteral("Fecha"),
        {QStringLiteral("update HistoricoMaternidad set consumo1 = 0 where consumo1 is null"),
         QStringLiteral("update HistoricoMaternidad set consumo2 = 0 where consumo2 is null"),
         QStringLiteral("update HistoricoMaternidad set consumo3 = 0 where consumo3 is null"),
         QStringLiteral("update HistoricoMaternidad set consumo4 = 0 where consumo4 is null")}};
    return source;
}

} // namespace maternity_charts
