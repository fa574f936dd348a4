#include "FarmRows.h"
#include "TempFarm.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Schema.h"
#include "db/SqlFormat.h"
#include "db/Transaction.h"

#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace testkit;

namespace {

QStringList columnsOf(Database& db, const QString& table) {
    Query q(db, QStringLiteral("select name from pragma_table_info('%1') order by cid").arg(table));
    QStringList names;
    for (q.open(); !q.eof(); q.next())
        names << q.field(QStringLiteral("name")).asString();
    return names;
}

struct TableCase {
    const char* table;
    int columns;
    const char* first;
    const char* last;
};

TEST(Schema, NewFarmHasTwelveTablesInTheirColumnOrder) {
    TempFarm farm;
    const TableCase tables[] = {
        {"DatosExplotacion", 27, "NombreExplotacion", "Marca4"},
        {"Estructura", 4, "Orden", "Tipo"},
        {"TiposJaulas", 2, "TipoJaula", "Descripcion"},
        {"Enfermedades", 3, "CodigoEnfermedad", "TratamientoEnfermedad"},
        {"Hembras", 16, "CodigoHembra", "Seleccion"},
        {"Machos", 10, "CodigoMacho", "Seleccion"},
        {"CubriHembras", 13, "Orden", "Maquina"},
        {"CubriMachos", 8, "Orden", "Maquina"},
        {"HistoricoMaternidad", 24, "Fecha", "Observaciones"},
        {"Pools", 8, "FechaPool", "Estado"},
        {"MasterPools", 17, "Pool", "TotVivos"},
        {"Cebadero", 13, "FechaMovimiento", "Observaciones"},
    };
    EXPECT_EQ(schema::tableNames().size(), 12);
    for (const TableCase& t : tables) {
        const QStringList cols = columnsOf(farm.db(), QString::fromUtf8(t.table));
        ASSERT_EQ(cols.size(), t.columns) << t.table;
        EXPECT_EQ(cols.first(), QString::fromUtf8(t.first)) << t.table;
        EXPECT_EQ(cols.last(), QString::fromUtf8(t.last)) << t.table;
    }
    EXPECT_EQ(columnsOf(farm.db(), QStringLiteral("Hembras")).join(','),
              QStringLiteral("CodigoHembra,NumeroPadre,NumeroMadre,FechaNacimiento,FechaEntrada,Raza,Enfermedad,"
                             "Jaula,Marca1,Marca2,Marca3,Marca4,FechaBaja,CausaBaja,Eficacia,Seleccion"));
    EXPECT_EQ(columnsOf(farm.db(), QStringLiteral("CubriHembras")).join(','),
              QStringLiteral("Orden,CodigoHembra,FechaCubricion,CodigoMacho,Palpacion,FechaParto,NacidosVivos,"
                             "NacidosMuertos,Anadidos,Quitados,Destetados,Destetada,Maquina"));
}

TEST(Schema, DeliveredRows) {
    TempFarm farm;
    Query kinds(farm.db(), QStringLiteral("select TipoJaula from TiposJaulas order by TipoJaula"));
    QString letters;
    for (kinds.open(); !kinds.eof(); kinds.next())
        letters += kinds.field(QStringLiteral("tipojaula")).asString();
    EXPECT_EQ(letters, QStringLiteral("EMNR"));

    EXPECT_GE(count(farm.db(), QStringLiteral("select count(*) cuenta from Enfermedades")), 8);
    Query eight(farm.db(), QStringLiteral("select * from Enfermedades where CodigoEnfermedad=8"));
    eight.open();
    ASSERT_FALSE(eight.eof());
    EXPECT_FALSE(eight.field(QStringLiteral("DescripcionEnfermedad")).asString().isEmpty());

    Query params(farm.db(), QStringLiteral("select * from DatosExplotacion"));
    params.open();
    ASSERT_FALSE(params.eof());
    EXPECT_EQ(params.field(QStringLiteral("NombreExplotacion")).asString(), QString());
    EXPECT_EQ(params.field(QStringLiteral("JaulasNido")).asInteger(), 516);
    EXPECT_EQ(params.field(QStringLiteral("DiasDestetar")).asInteger(), 30);
    EXPECT_EQ(params.field(QStringLiteral("Edad1CubrirHembra")).asInteger(), 130);
    EXPECT_EQ(params.field(QStringLiteral("PorcentRepMacAnual")).asInteger(), 25);
    EXPECT_EQ(params.field(QStringLiteral("Marca1")).asString(), QStringLiteral("Marca 1"));
    EXPECT_EQ(params.field(QStringLiteral("Marca4")).asString(), QStringLiteral("Marca 4"));
}

TEST(Schema, SecondOpenKeepsTheData) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja Sol'"));
    farm.reopen();
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from DatosExplotacion")), 1);
    EXPECT_EQ(Query::scalar(farm.db(), QStringLiteral("select NombreExplotacion from DatosExplotacion"),
                            QStringLiteral("NombreExplotacion"))
                  .asString(),
              QStringLiteral("Granja Sol"));
}

TEST(Schema, OrdenIsNeverReused) {
    TempFarm farm;
    Database& db = farm.db();
    for (int i = 0; i < 3; ++i)
        db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho) values (1, "
                               "'01/0%1/2002', 7)")
                    .arg(i + 1));
    db.exec(QStringLiteral("delete from CubriHembras where Orden=3"));
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra) values (2)"));
    EXPECT_EQ(Query::scalar(db, QStringLiteral("select max(orden) maximo from cubrihembras"), QStringLiteral("MAXIMO"))
                  .asInteger(),
              4);
}

TEST(Schema, PrimaryKeysRefuseDuplicatesAndSecondaryIndexesExist) {
    TempFarm farm;
    Database& db = farm.db();
    db.exec(QStringLiteral("insert into HistoricoMaternidad (Fecha) values ('03/05/2001')"));
    EXPECT_THROW(db.exec(QStringLiteral("insert into HistoricoMaternidad (Fecha) values ('03/05/2001')")), DbError);
    db.exec(QStringLiteral("insert into Hembras (CodigoHembra) values (10)"));
    EXPECT_THROW(db.exec(QStringLiteral("insert into Hembras (CodigoHembra) values (10)")), DbError);
    for (const char* index : {"CubriHembras.index01", "CubriMachos.index01"})
        EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from sqlite_master where type='index' and "
                                           "name='%1'")
                                .arg(QString::fromUtf8(index))),
                  1);
}

TEST(Dialect, DropIndexAndRebuildKeys) {
    TempFarm farm;
    Database& db = farm.db();
    db.exec(QStringLiteral("drop index CubriHembras.Index01"));
    db.exec(QStringLiteral("drop index CubriHembras.Primary"));
    EXPECT_THROW(db.exec(QStringLiteral("drop index CubriHembras.Primary")), DbError) << "already dropped";
    db.exec(QStringLiteral("drop index HistoricoMaternidad.Primary"));
    db.exec(QStringLiteral("insert into HistoricoMaternidad (Fecha) values ('03/05/2001')"));
    db.exec(QStringLiteral("insert into HistoricoMaternidad (Fecha) values ('03/05/2001')"));
    const auto& keys = schema::keys();
    const auto historico = std::find_if(keys.begin(), keys.end(), [](const auto& k) {
        return k.table == QLatin1String("HistoricoMaternidad");
    });
    EXPECT_THROW(schema::createPrimaryKey(db, *historico), DbError) << "two rows share a date";
    const auto cubri = std::find_if(keys.begin(), keys.end(), [](const auto& k) {
        return k.table == QLatin1String("CubriHembras");
    });
    schema::createPrimaryKey(db, *cubri);
    schema::createSecondaryIndex(db, *cubri);
    db.exec(QStringLiteral("drop index CubriHembras.Index01"));
}

TEST(Dialect, AlterTableFormsChangeTheStructure) {
    TempFarm farm;
    Database& db = farm.db();
    db.exec(QStringLiteral("alter table Machos Add NumeroSeleccion Numeric"));
    db.exec(QStringLiteral("alter table Machos Add Apto Boolean"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("Machos")).mid(10), QStringList({"NumeroSeleccion", "Apto"}));
    EXPECT_THROW(db.exec(QStringLiteral("alter table Machos Add Apto Boolean")), DbError);
    db.exec(QStringLiteral("alter table Machos drop NumeroSeleccion"));
    EXPECT_EQ(columnsOf(db, QStringLiteral("Machos")).size(), 11);
    EXPECT_THROW(db.exec(QStringLiteral("alter table Machos drop NumeroSeleccion")), DbError);
}

// A farm with a few rows for the statements below.
void fillSmallFarm(Database& db) {
    db.exec(QStringLiteral("insert into Hembras values (1, 0, 0, '01/15/2001', '05/01/2001', 'Neozelandesa', 0, "
                           "12, True, False, True, False, NULL, -1, 0, False)"));
    db.exec(QStringLiteral("insert into Hembras values (2, 0, 0, '02/20/2001', '06/01/2001', 'Californiana', 3, "
                           "14, False, False, False, False, '03/01/2002', 0, 12.5, True)"));
    db.exec(QStringLiteral("insert into Hembras values (3, 0, 0, NULL, '06/01/2001', '', 0, 16, False, False, "
                           "False, False, NULL, -1, NULL, False)"));
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                           "FechaParto, NacidosVivos, NacidosMuertos, Destetada) values "
                           "(1, '01/10/2002', 7, True, '02/10/2002', 9, 1, True)"));
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                           "FechaParto, NacidosVivos, NacidosMuertos, Destetada) values "
                           "(1, '03/20/2002', 7, True, '04/19/2002', 8, 0, False)"));
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                           "NacidosVivos, NacidosMuertos, Destetada) values (2, '04/01/2002', -1, NULL, 0, 0, "
                           "False)"));
}

TEST(Dialect, StatementsRunWithTheirMeaning) {
    TempFarm farm;
    Database& db = farm.db();
    fillSmallFarm(db);

    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Hembras where CausaBaja not in (0,1)")), 2);
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from CubriHembras where Palpacion is NULL")), 1);
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from CubriHembras where not (Destetada=TRUE)")), 2);
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Hembras where Seleccion=False")), 2);
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from CubriHembras where FechaParto>='02/10/2002' "
                                       "and FechaParto<'04/19/2002'")),
              1);
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from CubriHembras where extract (year from "
                                       "FechaCubricion)=2002 and extract (month from FechaCubricion)=3")),
              1);
    // A female added without an index does not match "Eficacia = 0" until it is computed.
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Hembras where Eficacia = 0")), 1);

    Query last(db);
    last << "select a.CodigoHembra, b.Orden from Hembras a, CubriHembras b"
         << "where a.CodigoHembra=b.CodigoHembra"
         << " and orden in ("
         << " select max(orden) from CubriHembras group by CodigoHembra)"
         << "order by a.CodigoHembra";
    last.open();
    ASSERT_FALSE(last.eof());
    EXPECT_EQ(last.field(QStringLiteral("orden")).asInteger(), 2);
    last.next();
    EXPECT_EQ(last.field(QStringLiteral("CODIGOHEMBRA")).asInteger(), 2);

    Query never(db);
    never << "select CodigoHembra, Jaula from Hembras where CodigoHembra in (select CodigoHembra from CubriHembras)"
          << "union"
          << "select CodigoHembra, Jaula from Hembras where CodigoHembra not in (select CodigoHembra from CubriHembras)"
          << "order by Jaula desc";
    never.open();
    ASSERT_FALSE(never.eof());
    EXPECT_EQ(never.field(QStringLiteral("Jaula")).asInteger(), 16);

    Query dated(db);
    dated << "select '04/23/2002' Fecha, 1 n from Hembras where CodigoHembra=1"
          << "union select FechaCubricion Fecha, 2 n from CubriHembras where Orden=1 order by n";
    dated.open();
    EXPECT_EQ(dated.field(QStringLiteral("fecha")).asDate(), QDate(2002, 4, 23));
    dated.next();
    EXPECT_EQ(dated.field(QStringLiteral("fecha")).asDate(), QDate(2002, 1, 10));

    // Divisions of aggregates are real divisions.
    Query avg(db, QStringLiteral("select sum(NacidosVivos)/count(*) media, 17/4 cuarto from CubriHembras"));
    avg.open();
    EXPECT_DOUBLE_EQ(avg.field(QStringLiteral("media")).asFloat(), 17.0 / 3.0);
    EXPECT_DOUBLE_EQ(avg.field(QStringLiteral("cuarto")).asFloat(), 4.25);

    Query bound(db);
    bound << "select count(*) cuenta from CubriHembras where FechaCubricion>=:fc and FechaCubricion<=:fp"
          << "and CodigoMacho=:M";
    bound.bindDate(QStringLiteral(":fc"), QDate(2002, 1, 1));
    bound.bindDate(QStringLiteral(":fp"), QDate(2002, 3, 31));
    bound.bindNumber(QStringLiteral(":M"), 7);
    bound.open();
    EXPECT_EQ(bound.field(QStringLiteral("cuenta")).asInteger(), 2);

    Query index(db);
    index << "update Hembras set Eficacia=:indice" << "where CodigoHembra=1";
    index.bindNumber(QStringLiteral(":indice"), 36.123456);
    index.exec();
    EXPECT_EQ(index.rowsAffected(), 1);
    EXPECT_DOUBLE_EQ(Query::scalar(db, QStringLiteral("select Eficacia from Hembras where CodigoHembra=1"),
                                   QStringLiteral("eficacia"))
                         .asFloat(),
                     36.123456);
}

TEST(Fields, NullsAndTextForms) {
    TempFarm farm;
    Database& db = farm.db();
    fillSmallFarm(db);
    Query q(db, QStringLiteral("select * from Hembras where CodigoHembra=3"));
    q.open();
    EXPECT_EQ(q.field(QStringLiteral("FechaNacimiento")).asString(), QString());
    EXPECT_FALSE(q.field(QStringLiteral("FechaNacimiento")).asDate().isValid());
    EXPECT_EQ(q.field(QStringLiteral("FechaEntrada")).asString(), QStringLiteral("01/06/2001"));
    EXPECT_EQ(q.field(QStringLiteral("Eficacia")).asFloat(), 0.0);
    EXPECT_EQ(q.field(QStringLiteral("Eficacia")).asString(), QString());
    EXPECT_EQ(q.field(QStringLiteral("Marca1")).asString(), QStringLiteral("False"));
    EXPECT_EQ(q.field(QStringLiteral("CausaBaja")).asString(), QStringLiteral("-1"));
    EXPECT_EQ(q.field(QStringLiteral("Raza")).asString(), QString());
    EXPECT_THROW(q.field(QStringLiteral("NoExiste")), DbError);

    Query palp(db, QStringLiteral("select Palpacion from CubriHembras order by Orden"));
    QStringList forms;
    for (palp.open(); !palp.eof(); palp.next())
        forms << palp.field(QStringLiteral("palpacion")).asString();
    EXPECT_EQ(forms, QStringList({"True", "True", ""}));

    // A sum over no rows is NULL and reads as 0.
    Query none(db, QStringLiteral("select sum(NacidosVivos) suma, max(FechaParto) ultimo from CubriHembras where "
                                  "CodigoHembra=99"));
    none.open();
    EXPECT_EQ(none.field(QStringLiteral("suma")).asInteger(), 0);
    EXPECT_FALSE(none.field(QStringLiteral("ultimo")).asDate().isValid());

    Query eff(db, QStringLiteral("select Eficacia, max(FechaEntrada) ultimo from Hembras where CodigoHembra=2"));
    eff.open();
    EXPECT_EQ(eff.field(QStringLiteral("Eficacia")).asString(), QStringLiteral("12.5"));
    EXPECT_EQ(eff.field(QStringLiteral("ultimo")).asString(), QStringLiteral("01/06/2001"));
}

struct PositionalCase {
    const char* table;
    const char* insert;
    const char* check;
};

TEST(Dialect, PositionalInsertsIntoFixedOrderTables) {
    TempFarm farm;
    Database& db = farm.db();
    const PositionalCase cases[] = {
        {"HistoricoMaternidad",
         "insert into HistoricoMaternidad Values ('04/23/2002', 120, 0, 0, 0, 8, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, "
         "0, 0, 0, 0 ,0, '')",
         "select count(*) cuenta from HistoricoMaternidad where Fecha='04/23/2002' and NumeroTotalHembras=120 and "
         "NumeroTotalMachos=8 and Cubriciones=5 and Observaciones=''"},
        {"Hembras",
         "insert into Hembras values (77, 1, 2, '01/01/2002', '05/01/2002', 'Híbrida', 0, 33, False, True, False, "
         "False, NULL, -1, 0, False)",
         "select count(*) cuenta from Hembras where CodigoHembra=77 and Jaula=33 and Marca2=True and FechaBaja is NULL "
         "and CausaBaja=-1"},
        {"Pools", "insert into Pools values ('05/02/2002', 77, 'P-12', NULL, 0, 0, 11, 'L')",
         "select count(*) cuenta from Pools where FechaPool='05/02/2002' and Pool='P-12' and Palpacion is NULL and "
         "DiasPos=11 and Estado='L'"},
        {"MasterPools", "insert into MasterPools values ('P-12', 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0)",
         "select count(*) cuenta from MasterPools where Pool='P-12' and Lactacion=1 and TotalPool=1 and TotVivos=0"},
        {"Cebadero",
         "insert into Cebadero values ('06/01/2002', 100, 85.5, 0.855, 2, 10, 80, 180, 2.25, 900, 0, 0, 'Lote 1')",
         "select count(*) cuenta from Cebadero where FechaMovimiento='06/01/2002' and PesPromedioEnt=0.855 and "
         "PesPromedioVen=2.25 and Observaciones='Lote 1'"},
    };
    for (const PositionalCase& c : cases) {
        db.exec(QString::fromUtf8(c.insert));
        EXPECT_EQ(count(db, QString::fromUtf8(c.check)), 1) << c.table;
    }
}

TEST(UserText, QuotesAndDateLookingTextAreStoredAsTyped) {
    TempFarm farm;
    Database& db = farm.db();
    const QString texts[] = {QStringLiteral("O'Brien"), QStringLiteral("01/02/2003"), QStringLiteral("'); drop table Hembras; --"),
                             QStringLiteral("12/31/1999 y 'más'"), QStringLiteral("a/b/c")};
    int code = 1;
    for (const QString& text : texts) {
        db.exec(QStringLiteral("insert into Machos (CodigoMacho, Raza) values (%1, %2)")
                    .arg(sql::number(code), sql::text(text)));
        EXPECT_EQ(Query::scalar(db, QStringLiteral("select Raza from Machos where CodigoMacho=%1").arg(code),
                                QStringLiteral("Raza"))
                      .asString(),
                  text);
        EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Machos where Raza=%1").arg(sql::text(text))), 1);
        ++code;
    }
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Hembras")), 0);
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from sqlite_master where name='Hembras'")), 1);
}

TEST(Errors, CarryTheEngineMessageAndTheStatement) {
    TempFarm farm;
    try {
        farm.db().exec(QStringLiteral("select * from NoSuchTable"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("NoSuchTable")));
        EXPECT_EQ(e.statement(), QStringLiteral("select * from NoSuchTable"));
    }
    Query empty(farm.db(), QString());
    EXPECT_THROW(empty.exec(), DbError);
    Query two(farm.db(), QStringLiteral("delete from Hembras; delete from Machos"));
    EXPECT_THROW(two.exec(), DbError);
}

// Each way a statement reaches the engine hands on its extended result code;
// the layer's own refusals carry none.
TEST(Errors, CarryTheEngineResultCode) {
    TempFarm farm;
    Database& db = farm.db();
    db.exec(QStringLiteral("insert into Hembras (CodigoHembra, Jaula) values (7, 1)"));
    const auto codeOf = [](const std::function<void()>& action) {
        try {
            action();
        } catch (const DbError& e) {
            return e.code();
        }
        return -1;
    };
    const QString duplicate = QStringLiteral("insert into Hembras (CodigoHembra, Jaula) values (7, 2)");
    EXPECT_EQ(codeOf([&] { db.exec(duplicate); }), SQLITE_CONSTRAINT_UNIQUE) << "run whole";
    EXPECT_EQ(codeOf([&] { Query(db, duplicate).exec(); }), SQLITE_CONSTRAINT_UNIQUE) << "stepped";
    EXPECT_EQ(codeOf([&] { Query(db, QStringLiteral("select * from NoSuchTable")).open(); }), SQLITE_ERROR)
        << "prepared";
    EXPECT_EQ(codeOf([&] { Query(db, QString()).exec(); }), 0) << "the layer's own";
}

TEST(Transactions, AllOrNothing) {
    TempFarm farm;
    Database& db = farm.db();
    {
        Transaction t(db);
        db.exec(QStringLiteral("insert into Machos (CodigoMacho) values (1)"));
        db.exec(QStringLiteral("insert into Machos (CodigoMacho) values (2)"));
    }
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Machos")), 0);
    try {
        Transaction t(db);
        db.exec(QStringLiteral("insert into Machos (CodigoMacho) values (1)"));
        db.exec(QStringLiteral("insert into Machos (CodigoMacho) values (1)"));
        t.commit();
    } catch (const DbError&) {
    }
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Machos")), 0);
    {
        Transaction outer(db);
        db.exec(QStringLiteral("insert into Machos (CodigoMacho) values (1)"));
        {
            Transaction inner(db);
            db.exec(QStringLiteral("insert into Machos (CodigoMacho) values (2)"));
        }
        outer.commit();
    }
    EXPECT_EQ(count(db, QStringLiteral("select count(*) cuenta from Machos")), 1);
    farm.reopen();
    EXPECT_EQ(count(farm.db(), QStringLiteral("select count(*) cuenta from Machos")), 1);
}

} // namespace
