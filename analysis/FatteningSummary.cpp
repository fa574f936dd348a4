#include "FatteningSummary.h"

#include "FatteningCharts.h"
#include "db/DisplayFormat.h"
#include "SummaryTotals.h"

namespace fattening_summary {

QStringList statement(const DatePeriod& period) {
    QStringList lines{QStringLiteral(
        "select count(*) cuenta, sum(EntGazaposDes) suma1,sum(PesGazaposDes) suma2, avg(PesPromedioEnt) "
        "media1,sum(BajasGazapos) suma3, sum(SalGazaposRep) suma4,sum(SalGazaposVen) suma5, sum(PesGazaposVen) "
        "suma6,avg(PesPromedioVen) media2, sum(Consumo1+Consumo2+Consumo3) "
        "suma7,sum(BajasGazapos)/sum(EntGazaposDes)*100 suma8 from Cebadero where FechaMovimiento is not null")};
    lines << period.conditions(QStringLiteral("FechaMovimiento"));
    return lines;
}

std::vector<SummaryLine> lines(Database& db, const DatePeriod& period) {
    const SummaryTotals totals(db, statement(period), period);
    const auto v = [&totals](const char* column) { return totals.value(column); };
    const auto counted = [&totals](const char* caption, double sum) { return totals.counted(caption, sum); };
    const auto same = [](const char* caption, double value, const char* mask) {
        return SummaryLine::same(QString::fromUtf8(caption), display::mask(value, QString::fromLatin1(mask)));
    };
    return {
        counted("Entrada de Gazapos Destetados", v("suma1")),
        counted("Peso Total de los Gazapos Destetados", v("suma2")),
        same("Peso de Promedio de los Gazapos Destetados", v("media1"), "0.000"),
        counted("Bajas de Gazapos en Cebadero", v("suma3")),
        same("(%) Bajas de Gazapos respecto a destetados", v("suma8"), "0.00 %"),
        counted("Salida de Gazapos Destinados a Reposición", v("suma4")),
        counted("Salida de Gazapos Destinados a Venta", v("suma5")),
        counted("Peso Total de los Gazapos Vendidos", v("suma6")),
        same("Peso de Promedio de los Gazapos Vendidos", v("media2"), "0.000"),
        counted("Consumo", v("suma7")),
    };
}

std::unique_ptr<SummarySheet> sheet(Database& db, const DatePeriod& period, const QDate& today) {
    monthly::zeroMissingFeed(db, fattening_charts::movements());
    return std::make_unique<SummarySheet>(db, QString::fromLatin1(kTitle), today, period.caption(), lines(db, period));
}

} // namespace fattening_summary
