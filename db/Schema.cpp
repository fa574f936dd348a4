#include "Schema.h"

#include "Database.h"
#include "Dialect.h"
#include "Query.h"
#include "SqlFormat.h"

#include <stdexcept>

namespace schema {
namespace {

// Column types: number columns are REAL so that divisions of their aggregates
// are floating point; dates are ISO text under DATE; logicals 0/1 under BOOLEAN.
const char* const kTables[] = {
    "CREATE TABLE DatosExplotacion (NombreExplotacion TEXT, JaulasNido REAL, JaulasEspera REAL, "
    "JaulasReposicion REAL, DiasPalpar REAL, DiasDestetar REAL, DiasEngorde REAL, DiasCubrirPosparto REAL, "
    "IntervaloCubrirMacho REAL, EdadCamadasRevisar REAL, EdadRetirarNidal REAL, Edad1CubrirHembra REAL, "
    "Edad1CubrirMacho REAL, EdadSemanasSalida REAL, PorcentRepHemAnual REAL, PorcentRepMacAnual REAL, "
    "NutriPriMaternidad TEXT, Nutri2Maternidad TEXT, Nutri3Maternidad TEXT, Nutri4Maternidad TEXT, "
    "NutriPriCebadero TEXT, Nutri2Cebadero TEXT, Nutri3Cebadero TEXT, "
    "Marca1 TEXT, Marca2 TEXT, Marca3 TEXT, Marca4 TEXT)",

    "CREATE TABLE Estructura (Orden INTEGER PRIMARY KEY AUTOINCREMENT, JaulaDesde REAL, JaulaHasta REAL, "
    "Tipo VARCHAR(1))",

    "CREATE TABLE TiposJaulas (TipoJaula VARCHAR(1), Descripcion TEXT)",

    "CREATE TABLE Enfermedades (CodigoEnfermedad REAL, DescripcionEnfermedad TEXT, TratamientoEnfermedad TEXT)",

    "CREATE TABLE Hembras (CodigoHembra REAL, NumeroPadre REAL, NumeroMadre REAL, FechaNacimiento DATE, "
    "FechaEntrada DATE, Raza TEXT, Enfermedad REAL, Jaula REAL, Marca1 BOOLEAN, Marca2 BOOLEAN, "
    "Marca3 BOOLEAN, Marca4 BOOLEAN, FechaBaja DATE, CausaBaja REAL, Eficacia REAL, Seleccion BOOLEAN)",

    "CREATE TABLE Machos (CodigoMacho REAL, NumeroPadre REAL, NumeroMadre REAL, FechaNacimiento DATE, "
    "FechaEntrada DATE, Raza TEXT, Enfermedad REAL, Jaula REAL, Eficacia REAL, Seleccion BOOLEAN)",

    "CREATE TABLE CubriHembras (Orden INTEGER PRIMARY KEY AUTOINCREMENT, CodigoHembra REAL, "
    "FechaCubricion DATE, CodigoMacho REAL, Palpacion BOOLEAN, FechaParto DATE, NacidosVivos REAL, "
    "NacidosMuertos REAL, Anadidos REAL, Quitados REAL, Destetados REAL, Destetada BOOLEAN, "
    "Maquina VARCHAR(30))",

    "CREATE TABLE CubriMachos (Orden INTEGER PRIMARY KEY AUTOINCREMENT, CodigoMacho REAL, "
    "FechaCubricion DATE, CodigoHembra REAL, Palpacion BOOLEAN, NacidosVivos REAL, NacidosMuertos REAL, "
    "Maquina VARCHAR(30))",

    "CREATE TABLE HistoricoMaternidad (Fecha DATE, NumeroTotalHembras REAL, AltasHembras REAL, "
    "BajasHembrasMuertas REAL, BajasHembrasEliminadas REAL, NumeroTotalMachos REAL, AltasMachos REAL, "
    "BajasMachosMuertos REAL, BajasMachosEliminados REAL, Cubriciones REAL, PalpacionesPositivas REAL, "
    "PalpacionesNegativas REAL, NumeroPartos REAL, NacidosVivos REAL, NacidosMuertos REAL, Abortos REAL, "
    "NumeroDestetes REAL, Destetados REAL, BajasNido REAL, Consumo1 REAL, Consumo2 REAL, Consumo3 REAL, "
    "Consumo4 REAL, Observaciones TEXT)",

    "CREATE TABLE Pools (FechaPool DATE, CodigoHembra REAL, Pool TEXT, Palpacion BOOLEAN, NacidosVivos REAL, "
    "NacidosMuertos REAL, DiasPos REAL, Estado VARCHAR(1))",

    "CREATE TABLE MasterPools (Pool TEXT, Nuliparas REAL, NulPositivas REAL, NulPartos REAL, NulVivos REAL, "
    "Lactacion REAL, LacPositivas REAL, LacPartos REAL, LacVivos REAL, Retrasadas REAL, RetPositivas REAL, "
    "RetPartos REAL, RetVivos REAL, TotalPool REAL, TotPositivas REAL, TotPartos REAL, TotVivos REAL)",

    "CREATE TABLE Cebadero (FechaMovimiento DATE, EntGazaposDes REAL, PesGazaposDes REAL, PesPromedioEnt REAL, "
    "BajasGazapos REAL, SalGazaposRep REAL, SalGazaposVen REAL, PesGazaposVen REAL, PesPromedioVen REAL, "
    "Consumo1 REAL, Consumo2 REAL, Consumo3 REAL, Observaciones TEXT)",
};

struct Disease {
    int code;
    const char* name;
    const char* treatment;
};

// Code 8 names a chronic condition with no useful treatment: the culling
// proposals treat it like a healthy female, since culling her stays the right call.
const Disease kDiseases[] = {
    {1, "Pasteurelosis (coriza)", "Enrofloxacina en el agua de bebida durante 5 días"},
    {2, "Enteropatía mucoide", "Tiamulina en el agua de bebida; pienso rico en fibra"},
    {3, "Coccidiosis", "Toltrazurilo en el agua de bebida 2 días; repetir a los 5 días"},
    {4, "Mixomatosis", "Sin tratamiento; aislar y vacunar al resto de la granja"},
    {5, "Enfermedad hemorrágica vírica", "Sin tratamiento; vacunación de todos los reproductores"},
    {6, "Mamitis", "Penicilina y estreptomicina inyectable 5 días; retirar la camada"},
    {7, "Sarna", "Ivermectina subcutánea, dos dosis separadas 10 días"},
    {8, "Pododermatitis crónica (mal de patas)", "Sin tratamiento eficaz; valorar la eliminación"},
    {9, "Tiña (dermatofitosis)", "Enilconazol tópico; desinfectar jaulas y nidales"},
    {10, "Estafilococosis (abscesos)", "Antibiótico según antibiograma; drenar los abscesos"},
    {11, "Metritis", "Oxitetraciclina inyectable 3 días"},
    {12, "Otitis", "Limpieza del oído y gotas óticas antibióticas"},
};

const char* const kCageKinds[][2] = {
    {"R", "Reposición Colectiva"},
    {"E", "Espera Individual"},
    {"N", "Jaula Nido"},
    {"M", "Jaula Macho"},
};

// The CREATE TABLE statement of one table, found by the name it begins with.
const char* tableDefinition(const QString& table) {
    const QByteArray prefix = "CREATE TABLE " + table.toLatin1() + " (";
    for (const char* ddl : kTables) {
        if (QByteArray(ddl).startsWith(prefix))
            return ddl;
    }
    throw std::logic_error("no definition for table " + table.toStdString());
}

void createKeys(Database& db, const TableKeys& t) {
    if (!t.primaryColumn.isEmpty())
        createPrimaryKey(db, t);
    if (!t.secondaryColumns.isEmpty())
        createSecondaryIndex(db, t);
}

// The rows a new farm is delivered with, for the tables that have them.
void fillDeliveredRows(Database& db, const QString& table) {
    if (table == QLatin1String("TiposJaulas")) {
        for (const auto& kind : kCageKinds)
            db.exec(QStringLiteral("insert into TiposJaulas (TipoJaula, Descripcion) values (%1, %2)")
                        .arg(sql::text(QString::fromUtf8(kind[0])), sql::text(QString::fromUtf8(kind[1]))));
    } else if (table == QLatin1String("Enfermedades")) {
        for (const Disease& d : kDiseases)
            db.exec(QStringLiteral("insert into Enfermedades values (%1, %2, %3)")
                        .arg(sql::number(d.code), sql::text(QString::fromUtf8(d.name)),
                             sql::text(QString::fromUtf8(d.treatment))));
    } else if (table == QLatin1String("DatosExplotacion")) {
        // A new farm starts with the parameters of a typical farm; the farmer adjusts them.
        db.exec(QStringLiteral(
            "insert into DatosExplotacion values ('', 516, 140, 70, 10, 30, 35, 10, 10, 18, 18, 130, 130, 18, 100, 25, "
            "'', '', '', '', '', '', '', 'Marca 1', 'Marca 2', 'Marca 3', 'Marca 4')"));
    }
}

} // namespace

const std::vector<TableKeys>& keys() {
    static const std::vector<TableKeys> list = {
        {"Cebadero", "FechaMovimiento", {}},
        {"CubriHembras", "Orden", {"CodigoHembra", "Maquina"}},
        {"CubriMachos", "Orden", {"CodigoMacho", "Maquina"}},
        {"Enfermedades", "CodigoEnfermedad", {}},
        {"Estructura", "Orden", {}},
        {"Hembras", "CodigoHembra", {}},
        {"HistoricoMaternidad", "Fecha", {}},
        {"Machos", "CodigoMacho", {}},
        {"MasterPools", "Pool", {}},
        {"TiposJaulas", "TipoJaula", {}},
        {"DatosExplotacion", {}, {}},
        {"Pools", {}, {}},
    };
    return list;
}

QStringList tableNames() {
    QStringList names;
    for (const TableKeys& k : keys())
        names << k.table;
    return names;
}

// A primary key is the unique index "T.Primary"; where the key is the Orden
// counter, SQLite's own row key keeps the identity and this index mirrors it,
// so every table's key can be dropped and built again the same way.
void createPrimaryKey(Database& db, const TableKeys& t) {
    db.execNative(QStringLiteral("CREATE UNIQUE INDEX \"%1\" ON %2 (%3)")
                      .arg(dialect::primaryIndexName(t.table), t.table, t.primaryColumn));
}

void createSecondaryIndex(Database& db, const TableKeys& t) {
    db.execNative(QStringLiteral("CREATE INDEX \"%1\" ON %2 (%3)")
                      .arg(dialect::secondaryIndexName(t.table), t.table, t.secondaryColumns.join(QLatin1String(", "))));
}

QStringList restoreMissingTables(Database& db) {
    QStringList present;
    Query q(db, QStringLiteral("select name from sqlite_master where type='table'"));
    for (q.open(); !q.eof(); q.next())
        present << q.field(QStringLiteral("name")).asString().toLower();
    q.close();
    QStringList restored;
    for (const TableKeys& t : keys()) {
        if (present.contains(t.table.toLower()))
            continue;
        db.execNative(QString::fromUtf8(tableDefinition(t.table)));
        createKeys(db, t);
        // Cage kinds, diseases and the parameter row come back as delivered: an
        // empty TiposJaulas would leave no cage kind to define the structure with.
        fillDeliveredRows(db, t.table);
        restored << t.table;
    }
    return restored;
}

void ensureLookupIndexes(Database& db) {
    db.execNative(QStringLiteral("CREATE INDEX IF NOT EXISTS \"CubriMachos.porHembra\" ON CubriMachos "
                                 "(CodigoHembra, FechaCubricion)"));
    db.execNative(QStringLiteral("CREATE INDEX IF NOT EXISTS \"Pools.porHembra\" ON Pools (CodigoHembra, FechaPool)"));
    // A female's cycle rows in the order they were recorded: her last row, and
    // her rows newest first, without a sort.
    db.execNative(QStringLiteral("CREATE INDEX IF NOT EXISTS \"CubriHembras.porOrden\" ON CubriHembras "
                                 "(CodigoHembra, Orden)"));
}

void create(Database& db) {
    for (const char* ddl : kTables)
        db.execNative(QString::fromUtf8(ddl));
    for (const TableKeys& t : keys()) {
        createKeys(db, t);
        fillDeliveredRows(db, t.table);
    }
}

} // namespace schema
