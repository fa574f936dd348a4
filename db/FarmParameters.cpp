#include "FarmParameters.h"

#include "Query.h"

FarmParameters FarmParameters::read(Database& db) {
    FarmParameters p;
    for (int i = 0; i < 4; ++i)
        p.marcas[i] = QStringLiteral("Marca %1").arg(i + 1);
    Query q(db, QStringLiteral("select * from DatosExplotacion"));
    q.open();
    if (q.eof())
        return p;
    auto whole = [&q](const char* column) { return int(q.field(QLatin1String(column)).asInteger()); };
    p.hasRow = true;
    p.nombreExplotacion = q.field(QStringLiteral("NombreExplotacion")).asString();
    p.diasPalpar = whole("DiasPalpar");
    p.diasDestetar = whole("DiasDestetar");
    p.diasEngorde = whole("DiasEngorde");
    p.diasCubrirPosparto = whole("DiasCubrirPosparto");
    p.intervaloCubrirMacho = whole("IntervaloCubrirMacho");
    p.edadCamadasRevisar = whole("EdadCamadasRevisar");
    p.edadRetirarNidal = whole("EdadRetirarNidal");
    p.edad1CubrirHembra = whole("Edad1CubrirHembra");
    p.edad1CubrirMacho = whole("Edad1CubrirMacho");
    p.edadSemanasSalida = whole("EdadSemanasSalida");
    p.porcentRepHemAnual = whole("PorcentRepHemAnual");
    p.porcentRepMacAnual = whole("PorcentRepMacAnual");
    for (int i = 0; i < 4; ++i)
        p.marcas[i] = q.field(QStringLiteral("Marca%1").arg(i + 1)).asString();
    return p;
}
