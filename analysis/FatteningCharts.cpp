#include "FatteningCharts.h"

namespace fattening_charts {

const std::vector<ChartIndicator>& indicators() {
    static const std::vector<ChartIndicator> list = [] {
        struct Row {
            const char* caption;
            const char* expression;
            const char* extra;
        };
        const Row rows[] = {
            {"Entrada de Gazapos Destetados", "sum(EntGazaposDes)", ""},
            {"Peso total de los Gazapos Destetados", "sum(PesGazaposDes)", ""},
            {"Peso de Promedio de los Gazapos Destetados", "avg(PesPromedioEnt)", " and PesPromedioEnt>0"},
            {"Bajas de Gazapos en Cebadero", "sum(BajasGazapos)", ""},
            {"(%) de Bajas de Gazapos respecto Gazapos Destetados", "sum(BajasGazapos)/sum(EntGazaposDes)*100", ""},
            {"Salida de Gazapos destinados a Reposición", "sum(SalGazaposRep)", ""},
            {"Salida de Gazapos destinados a Venta", "sum(SalGazaposVen)", ""},
            {"Peso total de los Gazapos Vendidos", "sum(PesGazaposVen)", ""},
            {"Peso de Promedio de los Gazapos Vendidos", "avg(PesPromedioVen)", " and PesPromedioVen>0"},
            {"Consumo", "sum(consumo1+consumo2+consumo3)", ""},
            {"Índice de Conversión del Cebadero",
             "sum(consumo1+consumo2+consumo3)/(sum(PesGazaposVen)-sum(PesGazaposDes))", ""},
        };
        std::vector<ChartIndicator> out;
        for (const Row& row : rows)
            out.push_back(
                {QString::fromUtf8(row.caption), QString::fromUtf8(row.expression), QString::fromUtf8(row.extra)});
        return out;
    }();
    return list;
}

const MonthlySource& movements() {
    static const MonthlySource source{QStringLiteral("Cebadero"),
                                      QStringLiteral("FechaMovimiento"),
                                      {QStringLiteral("update cebadero set consumo1 = 0 where consumo1 is null"),
                                       QStringLiteral("update cebadero set consumo2 = 0 where consumo2 is null"),
                                       QStringLiteral("update cebadero set consumo3 = 0 where consumo3 is null")}};
    return source;
}

} // namespace fattening_charts
