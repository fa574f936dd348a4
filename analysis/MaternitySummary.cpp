#include "MaternitySummary.h"

#include "db/DisplayFormat.h"
#include "SummaryTotals.h"

namespace maternity_summary {

namespace {

const QString kZero = QStringLiteral("0.00");
const QString kZeroPercent = QStringLiteral("0.00 %");

// dividend / divisor (x factor) through the mask when the condition holds and the
// divisor is not 0; the literal zero text otherwise.
QString ratio(bool shown, double dividend, double divisor, double factor, const QString& mask, const QString& zero) {
    if (!shown || divisor == 0)
        return zero;
    return display::mask(dividend / divisor * factor, mask);
}

} // namespace

QStringList statement(const DatePeriod& period) {
    QStringList lines{QStringLiteral(
        "select count(*) cuenta, avg(NumeroTotalHembras) media1,sum(BajasHembrasMuertas) suma1, "
        "avg(NumeroTotalMachos) media2,sum(BajasHembrasEliminadas) suma2, sum(AltasHembras) "
        "suma3,sum(BajasMachosMuertos) suma4, sum(BajasMachosEliminados) suma5,sum(AltasMachos) suma6, "
        "sum(Cubriciones) suma7,sum(PalpacionesPositivas) suma8,sum(PalpacionesPositivas+PalpacionesNegativas) "
        "suma10,sum(NumeroPartos) suma11, sum(NacidosVivos) suma12,sum(NacidosMuertos) suma13,sum(NumeroDestetes) "
        "suma15, sum(Destetados) suma16,sum(BajasNido) suma17, sum(Consumo1+Consumo2+Consumo3+Consumo4) suma18 "
        "from HistoricoMaternidad where Fecha is not null")};
    lines << period.conditions(QStringLiteral("Fecha"));
    return lines;
}

std::vector<SummaryLine> lines(Database& db, const DatePeriod& period) {
    const SummaryTotals totals(db, statement(period), period);
    const auto v = [&totals](const char* column) { return totals.value(column); };
    const auto counted = [&totals](const char* caption, double sum) { return totals.counted(caption, sum); };
    const auto same = [](const char* caption, const QString& text) {
        return SummaryLine::same(QString::fromUtf8(caption), text);
    };
    const QString percent = QStringLiteral("0.00 %");
    const QString twoDecimals = QStringLiteral("0.00");
    const QString whole = QStringLiteral("#,##0");
    return {
        same("Numero Medio de Hembras", display::mask(v("media1"), whole)),
        counted("Hembras Muertas", v("suma1")),
        counted("Hembras Eliminadas", v("suma2")),
        counted("Altas de Hembras", v("suma3")),
        same("Numero Medio de Machos", display::mask(v("media2"), whole)),
        counted("Machos Muertos", v("suma4")),
        counted("Machos Eliminados", v("suma5")),
        counted("Altas de Machos", v("suma6")),
        counted("Cubriciones", v("suma7")),
        same("Palpaciones Positivas (%)", ratio(v("suma8") > 0, v("suma8"), v("suma10"), 100, percent, kZeroPercent)),
        counted("Partos", v("suma11")),
        counted("Nacidos Vivos", v("suma12")),
        same("Nacidos Vivos / Parto", ratio(v("suma11") > 0, v("suma12"), v("suma11"), 1, twoDecimals, kZero)),
        same("Nacidos Muertos / Parto", ratio(v("suma11") > 0, v("suma13"), v("suma11"), 1, twoDecimals, kZero)),
        counted("Destetes", v("suma15")),
        counted("Destetados", v("suma16")),
        same("Destetados / Camada", ratio(v("suma15") > 0, v("suma16"), v("suma15"), 1, twoDecimals, kZero)),
        same("Destetados / Hembra", ratio(v("media1") > 0, v("suma16"), v("media1"), 1, twoDecimals, kZero)),
        counted("Bajas en Nido", v("suma17")),
        same("% Mortalidad Nacim. Destete",
             ratio(v("suma12") > 0, v("suma17"), v("suma12"), 100, percent, kZeroPercent)),
        counted("Consumo", v("suma18")),
    };
}

std::unique_ptr<SummarySheet> sheet(Database& db, const DatePeriod& period, const QDate& today) {
    return std::make_unique<SummarySheet>(db, QString::fromLatin1(kTitle), today, period.caption(), lines(db, period));
}

} // namespace maternity_summary
