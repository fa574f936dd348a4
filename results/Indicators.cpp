#include "Indicators.h"

#include "db/DisplayFormat.h"

#include <cmath>

namespace results {

namespace {

QString maskFor(int decimals) {
    return decimals == 0 ? QStringLiteral("#,##0") : QStringLiteral("#,##0.") + QString(decimals, QLatin1Char('0'));
}

} // namespace

const std::vector<IndicatorDefinition>& indicators() {
    // References: the figures the national reference schemes publish for
    // band-managed farms (kindling rate about 84 %, fertility about 85 %, 8.6
    // weaned per litter, 54 weaned per doe per year, 10 to 15 % lost before
    // weaning); the rest follow from them.
    static const std::vector<IndicatorDefinition> list{
        {Indicator::Services, "Cubriciones", QStringLiteral("Hembras inseminadas o cubiertas"), QStringLiteral("Cubr."),
         QStringLiteral("Una por cada inseminación o cubrición del periodo: en una banda, cada hembra inseminada "
                        "en el pool ese día; en un mes, cada ciclo cuya fecha de cubrición cae en el mes."),
         0, Better::None, 0, 0, true},
        {Indicator::Fertility, "Fertilidad", QStringLiteral("Fertilidad (%)"), QStringLiteral("Fert. %"),
         QStringLiteral("Palpaciones positivas ÷ inseminaciones y cubriciones × 100."), 1, Better::Higher, 85, 75,
         true},
        {Indicator::KindlingRate, "TasaPartos", QStringLiteral("Tasa de partos (%)"), QStringLiteral("Partos %"),
         QStringLiteral("Partos ÷ inseminaciones y cubriciones × 100. Un parto es un ciclo con fecha de parto y al "
                        "menos un gazapo nacido, vivo o muerto."),
         1, Better::Higher, 84, 75, true},
        {Indicator::AlivePerKindling, "VivosParto", QStringLiteral("Nacidos vivos por parto"),
         QStringLiteral("N.V./P."), QStringLiteral("Gazapos nacidos vivos ÷ partos."), 2, Better::Higher, 9.5, 8.5,
         true},
        {Indicator::TotalPerKindling, "TotalesParto", QStringLiteral("Nacidos totales por parto"),
         QStringLiteral("N.T./P."), QStringLiteral("Gazapos nacidos vivos y muertos ÷ partos."), 2, Better::Higher,
         10.5, 9.5, true},
        {Indicator::WeanedPerLitter, "DestetadosCamada", QStringLiteral("Destetados por camada"),
         QStringLiteral("Dest/Cam"), QStringLiteral("Gazapos destetados ÷ camadas destetadas."), 2, Better::Higher, 8.6,
         7.8, true},
        {Indicator::WeanedPerService, "DestetadosCubricion", QStringLiteral("Destetados por inseminación"),
         QStringLiteral("Dest/IA"),
         QStringLiteral("Gazapos destetados ÷ inseminaciones y cubriciones. Una banda con camadas aún sin destetar "
                        "no ha llegado a su cifra."),
         2, Better::Higher, 7.2, 6.2, true},
        {Indicator::PreweaningMortality, "MortalidadLactacion", QStringLiteral("Mortalidad nacimiento-destete (%)"),
         QStringLiteral("Mort. %"),
         QStringLiteral("En las camadas destetadas: (nacidos vivos + adoptados − cedidos − destetados) ÷ (nacidos "
                        "vivos + adoptados − cedidos) × 100."),
         1, Better::Lower, 10, 15, true},
        {Indicator::Productivity, "Productividad", QStringLiteral("Destetados por hembra presente y año"),
         QStringLiteral("Dest/Año"),
         QStringLiteral("Gazapos destetados en el periodo según los datos diarios ÷ hembras presentes × 365 ÷ días. "
                        "Hembras presentes: la media, día a día, del total de hembras de los datos diarios."),
         1, Better::Higher, 54, 45, false},
        {Indicator::Replacement, "Reposicion", QStringLiteral("Reposición de hembras (% al mes)"),
         QStringLiteral("Repos. %"),
         QStringLiteral("Altas de hembras de los datos diarios ÷ hembras presentes × 100, por mes (un mes cubierto "
                        "en parte cuenta la parte cubierta)."),
         1, Better::Higher, 9, 7, false},
        {Indicator::Removal, "Bajas", QStringLiteral("Bajas de hembras (% al mes)"), QStringLiteral("Bajas %"),
         QStringLiteral("Hembras muertas y eliminadas de los datos diarios ÷ hembras presentes × 100, por mes."), 1,
         Better::Lower, 9, 12, false},
    };
    return list;
}

const IndicatorDefinition& definition(Indicator id) {
    return indicators()[size_t(id)];
}

QString text(Indicator id, const std::optional<double>& value) {
    if (!value || !std::isfinite(*value))
        return kNoFigure;
    return display::mask(*value, maskFor(definition(id).decimals));
}

} // namespace results
