#pragma once

#include <QString>
#include <array>

class Database;

// The farm parameters row, as a screen reads it when it opens with
// "select * from DatosExplotacion" (first row). Numbers are whole numbers.
// Without a row, every number reads 0 and the marks are "Marca 1" to "Marca 4".
struct FarmParameters {
    bool hasRow = false;
    QString nombreExplotacion;
    int diasPalpar = 0;
    int diasDestetar = 0;
    int diasEngorde = 0;
    int diasCubrirPosparto = 0;
    int intervaloCubrirMacho = 0;
    int edadCamadasRevisar = 0;
    int edadRetirarNidal = 0;
    int edad1CubrirHembra = 0;
    int edad1CubrirMacho = 0;
    int edadSemanasSalida = 0;
    int porcentRepHemAnual = 0;
    int porcentRepMacAnual = 0;
    std::array<QString, 4> marcas;

    static FarmParameters read(Database& db);
};
