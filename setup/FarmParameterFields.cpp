#include "FarmParameterFields.h"

#include "db/TableCursor.h"

namespace farmParameters {

const std::vector<Field>& fields() {
    static const std::vector<Field> list = {
        {"NombreExplotacion", "Nombre de la Explotación", "", false},
        {"JaulasNido", "Jaulas de Nido (N)", "Jaulas", true},
        {"JaulasEspera", "Jaulas de Espera Individual (E)", "Jaulas", true},
        {"JaulasReposicion", "Jaulas de Reposición Colectiva (R)", "Jaulas", true},
        {"DiasPalpar", "Días a palpar desde cubrición", "Días", true},
        {"DiasDestetar", "Días a destetar desde parto", "Días", true},
        {"DiasEngorde", "Días de estancia en engorde", "Días", true},
        {"DiasCubrirPosparto", "Días a cubrir posparto", "Días", true},
        {"IntervaloCubrirMacho", "Intervalo entre cubrición macho", "Días", true},
        {"EdadCamadasRevisar", "Edad máxima de las camadas a revisar", "Edades", true},
        {"EdadRetirarNidal", "Edad a retirar nidal en camadas", "Edades", true},
        {"Edad1CubrirHembra", "Edad primera cubrición hembra", "Edades", true},
        {"Edad1CubrirMacho", "Edad primera cubrición macho", "Edades", true},
        {"EdadSemanasSalida", "Edad en semanas salida jaula colectiva", "Edades", true},
        {"PorcentRepHemAnual", "% de reposición hembras anual", "Reposiciones", true},
        {"PorcentRepMacAnual", "% de reposición machos anual", "Reposiciones", true},
        {"NutriPriMaternidad", "Nutrimento principal maternidad", "Nutrimentos", false},
        {"Nutri2Maternidad", "Nutrimento 2º maternidad", "Nutrimentos", false},
        {"Nutri3Maternidad", "Nutrimento 3º maternidad", "Nutrimentos", false},
        {"Nutri4Maternidad", "Nutrimento 4º maternidad", "Nutrimentos", false},
        {"NutriPriCebadero", "Nutrimento principal cebadero", "Nutrimentos", false},
        {"Nutri2Cebadero", "Nutrimento 2º cebadero", "Nutrimentos", false},
        {"Nutri3Cebadero", "Nutrimento 3º cebadero", "Nutrimentos", false},
        {"Marca1", "Marca 1", "Marcas Hembras", false},
        {"Marca2", "Marca 2", "Marcas Hembras", false},
        {"Marca3", "Marca 3", "Marcas Hembras", false},
        {"Marca4", "Marca 4", "Marcas Hembras", false},
    };
    return list;
}

QStringList pages() {
    return {QStringLiteral("Jaulas"),       QStringLiteral("Días"),        QStringLiteral("Edades"),
            QStringLiteral("Reposiciones"), QStringLiteral("Nutrimentos"), QStringLiteral("Marcas Hembras")};
}

void beginEditing(TableCursor& cursor) {
    cursor.first();
    if (cursor.isEmpty())
        cursor.insert();
    else
        cursor.edit();
}

} // namespace farmParameters
