#include "db/Dialect.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* farm;
    const char* sqlite;
};

const Case kCases[] = {
    {"date_literal_in_comparison", "select * from HistoricoMaternidad where Fecha='04/23/2002'",
     "select * from HistoricoMaternidad where Fecha='2002-04-23'"},
    {"single_digit_date", "where Fecha='4/3/2002'", "where Fecha='2002-04-03'"},
    {"date_in_value_list", "insert into Pools values ('12/31/2001', 5, 'A', NULL, 0, 0, 0, 'N')",
     "insert into Pools values ('2001-12-31', 5, 'A', NULL, 0, 0, 0, 'N')"},
    {"no_calendar_date_left_alone", "where Fecha='02/30/2003'", "where Fecha='02/30/2003'"},
    {"marked_text_left_alone", "values (/*txt*/'01/02/2003')", "values (/*txt*/'01/02/2003')"},
    {"quote_inside_text", "values ('O''Brien 01/02/2003')", "values ('O''Brien 01/02/2003')"},
    {"extract_year", "select extract (year from Fecha) anio from X", "select CAST(strftime('%Y', Fecha) AS INTEGER) anio from X"},
    {"extract_month_nested", "where extract(month from max(a.Fecha))=3",
     "where CAST(strftime('%m', max(a.Fecha)) AS INTEGER)=3"},
    {"division_is_real", "select sum(NacidosVivos)/count(*) media from X",
     "select sum(NacidosVivos)*1.0/count(*) media from X"},
    {"slash_inside_literal_kept", "where Raza='a/b'", "where Raza='a/b'"},
    {"alter_add_numeric", "alter table Hembras Add Eficacia Numeric", "ALTER TABLE Hembras ADD COLUMN Eficacia REAL"},
    {"alter_add_boolean", "alter table Machos Add Seleccion Boolean", "ALTER TABLE Machos ADD COLUMN Seleccion BOOLEAN"},
    {"alter_drop", "alter table Hembras drop NumeroSeleccion", "ALTER TABLE Hembras DROP COLUMN NumeroSeleccion"},
    {"drop_primary", "drop index Hembras.Primary", "DROP INDEX \"Hembras.Primary\""},
    {"drop_secondary", "drop index CubriHembras.Index01", "DROP INDEX \"CubriHembras.index01\""},
    {"join_order_takes_the_selected_table",
     "select a.codigoHembra, Jaula from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra and orden in "
     "( select max(orden) from CubriHembras group by CodigoHembra) order by FechaNacimiento, CodigoHembra desc",
     "select a.codigoHembra, Jaula from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra and orden in "
     "( select max(orden) from CubriHembras group by CodigoHembra) order by FechaNacimiento, a.codigoHembra desc"},
    {"compound_order_left_alone", "select a.X from A a union select b.X from B b order by X",
     "select a.X from A a union select b.X from B b order by X"},
    {"parameters_untouched", "where Fecha>=:fc and Fecha<=:fp", "where Fecha>=:fc and Fecha<=:fp"},
};

class DialectTest : public ::testing::TestWithParam<Case> {};

TEST_P(DialectTest, Translates) {
    EXPECT_EQ(dialect::toSqlite(QString::fromUtf8(GetParam().farm)).toStdString(), GetParam().sqlite);
}

INSTANTIATE_TEST_SUITE_P(Constructs, DialectTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
