#pragma once

// Small farms for the register tests: females, males and their cycle rows written
// straight into a temporary farm database, and readers for what the registers
// leave behind.

#include "FarmRows.h"
#include "db/Database.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <ostream>

// Readable failures: texts print as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace herdfarm {

inline const QString kTag = QStringLiteral("GRANJA-PC");

struct Female {
    qint64 code;
    qint64 cage = 0;
    QDate birth = QDate(2001, 1, 1);
    QDate entry = QDate(2001, 3, 1);
    int causa = -1;
    QDate culled = {};
};

inline void addFemale(Database& db, const Female& f) {
    db.exec(QStringLiteral("insert into Hembras (CodigoHembra, NumeroPadre, NumeroMadre, FechaNacimiento, "
                           "FechaEntrada, Raza, Enfermedad, Jaula, Marca1, Marca2, Marca3, Marca4, FechaBaja, "
                           "CausaBaja, Eficacia, Seleccion) values (%1, 0, 0, %2, %3, 'Neozelandesa', 0, %4, False, "
                           "False, False, False, %5, %6, 0, False)")
                .arg(sql::number(f.code), sql::date(f.birth), sql::date(f.entry), sql::number(f.cage),
                     sql::date(f.culled), sql::number(f.causa)));
}

struct Cycle {
    std::optional<qint64> female;
    QDate mating;
    qint64 male = 7;
    std::optional<bool> palpation = {};
    QDate birth = {};
    qint64 alive = 0;
    qint64 dead = 0;
    qint64 weaned = 0;
    bool weaning = false;
    QString machine = {};
};

inline qint64 addCycle(Database& db, const Cycle& c) {
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                           "FechaParto, NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada, "
                           "Maquina) values (%1, %2, %3, %4, %5, %6, %7, 0, 0, %8, %9, %10)")
                .arg(c.female ? sql::number(*c.female) : QStringLiteral("NULL"), sql::date(c.mating),
                     sql::number(c.male), sql::palpation(c.palpation), sql::date(c.birth), sql::number(c.alive),
                     sql::number(c.dead), sql::number(c.weaned), sql::logical(c.weaning),
                     c.machine.isEmpty() ? QStringLiteral("NULL") : sql::text(c.machine)));
    return Query::scalar(db, QStringLiteral("select max(Orden) maximo from CubriHembras"), QStringLiteral("maximo"))
        .asInteger();
}

inline void addMale(Database& db, qint64 code, double eficacia = 0) {
    db.exec(QStringLiteral("insert into Machos (CodigoMacho, NumeroPadre, NumeroMadre, Raza, Enfermedad, Jaula, "
                           "Eficacia, Seleccion) values (%1, 0, 0, 'Californiana', 0, %2, %3, True)")
                .arg(sql::number(code), sql::number(code + 500), sql::shortest(eficacia)));
}

inline qint64 addMating(Database& db, std::optional<qint64> male, const QDate& date, qint64 female,
                        std::optional<bool> palpation, qint64 alive, qint64 dead, const QString& machine = {}) {
    db.exec(QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra, Palpacion, "
                           "NacidosVivos, NacidosMuertos, Maquina) values (%1, %2, %3, %4, %5, %6, %7)")
                .arg(male ? sql::number(*male) : QStringLiteral("NULL"), sql::date(date), sql::number(female),
                     sql::palpation(palpation), sql::number(alive), sql::number(dead),
                     machine.isEmpty() ? QStringLiteral("NULL") : sql::text(machine)));
    return Query::scalar(db, QStringLiteral("select max(Orden) maximo from CubriMachos"), QStringLiteral("maximo"))
        .asInteger();
}

// A value of one row: "select {column} v from {table} where {condition}".
inline Field value(Database& db, const QString& table, const QString& column, const QString& condition) {
    return Query::scalar(db, QStringLiteral("select %1 v from %2 where %3").arg(column, table, condition),
                         QStringLiteral("v"));
}

inline qint64 count(Database& db, const QString& table, const QString& condition = QStringLiteral("1=1")) {
    return Query::scalar(db, QStringLiteral("select count(*) cuenta from %1 where %2").arg(table, condition),
                         QStringLiteral("cuenta"))
        .asInteger();
}

// A day row of the ledger: female total, entries, deaths, culls; all 0 when missing.
struct Day {
    bool exists = false;
    qint64 hembras = 0, altas = 0, muertas = 0, eliminadas = 0;
    bool operator==(const Day&) const = default;
};

inline Day day(Database& db, const QDate& date) {
    Query q(db, QStringLiteral("select * from HistoricoMaternidad where Fecha=%1").arg(sql::date(date)));
    q.open();
    if (q.eof())
        return {};
    return Day{true, q.field(QStringLiteral("NumeroTotalHembras")).asInteger(),
               q.field(QStringLiteral("AltasHembras")).asInteger(),
               q.field(QStringLiteral("BajasHembrasMuertas")).asInteger(),
               q.field(QStringLiteral("BajasHembrasEliminadas")).asInteger()};
}

// Every ledger row as text, for "the ledger did not change".
using testkit::ledger;

// A ledger with days on 01/03/2002 (100 females), 10/03/2002 (100) and 20/03/2002 (98).
inline void threeDays(Database& db) {
    for (const auto& [date, total] :
         {std::pair{QDate(2002, 3, 1), 100}, std::pair{QDate(2002, 3, 10), 100}, std::pair{QDate(2002, 3, 20), 98}})
        db.exec(QStringLiteral("insert into HistoricoMaternidad Values (%1, %2, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, "
                               "0, 0, 0, 0, 0, 0, 0, 0 ,0, '')")
                    .arg(sql::date(date), sql::number(total)));
}

} // namespace herdfarm
