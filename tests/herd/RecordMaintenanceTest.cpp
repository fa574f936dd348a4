#include "herd/RecordMaintenance.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/Query.h"

#include <gtest/gtest.h>

using namespace testkit;

namespace {

using State = TableCursor::State;

struct Females {
    TempFarm farm;
    TableCursor cursor{farm.db(), QStringLiteral("Hembras.DB"), {QStringLiteral("CodigoHembra")}};
    RecordMaintenance bar{cursor};
    Females() { bar.setKeyColumns({QStringLiteral("CodigoHembra")}); }
};

} // namespace

TEST(RecordMaintenance, AddGivesTheNumberAfterTheHighest) {
    Females f;
    EXPECT_TRUE(f.bar.canAdd());
    EXPECT_EQ(f.bar.nextNumber(), 1);
    EXPECT_EQ(f.bar.add(), 1);
    EXPECT_EQ(f.cursor.state(), State::Insert);
    EXPECT_EQ(f.cursor.value(QStringLiteral("CodigoHembra")).toInt(), 1);
    f.bar.cancel();

    for (int code : {3, 57, 12})
        addFemaleInCage(f.farm.db(), code);
    f.cursor.refresh();
    EXPECT_EQ(f.bar.nextNumber(), 58); // even with lower numbers free
    f.cursor.edit();
    f.cursor.setValue(QStringLiteral("Jaula"), 9);
    EXPECT_EQ(f.bar.add(), 58); // the pending change is abandoned
    f.bar.save();
    EXPECT_EQ(Query::scalar(f.farm.db(), QStringLiteral("select count(*) cuenta from Hembras where Jaula=9"),
                            QStringLiteral("cuenta"))
                  .asInteger(),
              0);
    EXPECT_EQ(f.bar.nextNumber(), 59);
}

TEST(RecordMaintenance, AddIsOnlyForASingleNumericKey) {
    TempFarm farm;
    TableCursor days(farm.db(), QStringLiteral("HistoricoMaternidad.db"), {QStringLiteral("Fecha")});
    RecordMaintenance byDate(days);
    byDate.setKeyColumns({QStringLiteral("Fecha")});
    EXPECT_FALSE(byDate.canAdd());
    EXPECT_THROW(byDate.nextNumber(), std::logic_error);

    TableCursor cycles(farm.db(), QStringLiteral("CubriHembras.db"), {QStringLiteral("Orden")});
    RecordMaintenance byOrder(cycles);
    byOrder.setKeyColumns({QStringLiteral("Orden")});
    EXPECT_TRUE(byOrder.canAdd());
    byOrder.setKeyColumns({QStringLiteral("CodigoHembra"), QStringLiteral("Maquina")});
    EXPECT_FALSE(byOrder.canAdd());
    EXPECT_THROW(byOrder.setKeyColumns({QStringLiteral("Nada")}), std::invalid_argument);
}

TEST(RecordMaintenance, LookupStatementWritesEachKeyInItsForm) {
    TempFarm farm;
    struct Case {
        const char* table;
        QStringList keys;
        QString first;
        QVariantList values;
        QString statement;
    };
    const Case cases[] = {
        {"Hembras.DB",
         {"CodigoHembra"},
         "CodigoHembra",
         {120.0},
         "select CodigoHembra from Hembras where CodigoHembra=120"},
        {"HistoricoMaternidad.db",
         {"Fecha"},
         "Fecha",
         {QDate(2002, 4, 23)},
         "select Fecha from HistoricoMaternidad where Fecha='04/23/2002'"},
        {"MasterPools.db", {"Pool"}, "Pool", {QStringLiteral("P'1")}, "select Pool from MasterPools where Pool='P''1'"},
        {"CubriHembras.db",
         {"CodigoHembra", "FechaCubricion"},
         "Orden",
         {5, QDate(2002, 1, 9)},
         "select Orden from CubriHembras where CodigoHembra=5 and FechaCubricion='01/09/2002'"},
    };
    for (const Case& c : cases) {
        TableCursor cursor(farm.db(), QString::fromUtf8(c.table));
        RecordMaintenance bar(cursor);
        bar.setKeyColumns(c.keys);
        bar.setFirstColumn(c.first);
        EXPECT_EQ(bar.lookupStatement(c.values), c.statement) << c.table;
    }
}

TEST(RecordMaintenance, LookupOpensTheRowOrLeavesEverythingForTheCreationOffer) {
    Females f;
    for (int code : {4, 8})
        addFemaleInCage(f.farm.db(), code, code * 10);
    f.cursor.refresh();

    // Typing a key while browsing is an edit that only "Cancelar" can end.
    f.cursor.edit();
    f.cursor.setValue(QStringLiteral("CodigoHembra"), 8);
    auto e = f.bar.enabling();
    EXPECT_TRUE(e.cancel);
    EXPECT_FALSE(e.save || e.remove || e.add || e.exit);
    EXPECT_FALSE(e.keys.has_value());
    EXPECT_FALSE(e.others.has_value());

    EXPECT_EQ(f.bar.lookup({QVariant()}), RecordMaintenance::Lookup::Incomplete);
    EXPECT_EQ(f.cursor.state(), State::Edit);
    EXPECT_EQ(f.bar.lookup({8.0}), RecordMaintenance::Lookup::Found);
    EXPECT_EQ(f.cursor.state(), State::Edit);
    EXPECT_TRUE(f.bar.openedByKey());
    EXPECT_EQ(f.cursor.value(QStringLiteral("Jaula")).toInt(), 80);
    e = f.bar.enabling();
    EXPECT_TRUE(e.save && e.cancel && e.remove);
    EXPECT_FALSE(e.add || e.exit);
    EXPECT_EQ(e.keys, false);
    EXPECT_EQ(e.others, true);

    f.bar.cancel();
    EXPECT_FALSE(f.bar.openedByKey());
    f.cursor.edit();
    f.cursor.setValue(QStringLiteral("CodigoHembra"), 5);
    EXPECT_EQ(f.bar.lookup({5.0}), RecordMaintenance::Lookup::Missing);
    EXPECT_EQ(f.cursor.state(), State::Edit);
    EXPECT_EQ(f.cursor.value(QStringLiteral("CodigoHembra")).toInt(), 5);
    EXPECT_FALSE(f.bar.openedByKey());
    f.bar.create({5.0});
    EXPECT_EQ(f.cursor.state(), State::Insert);
    EXPECT_EQ(f.cursor.value(QStringLiteral("CodigoHembra")).toInt(), 5);
    e = f.bar.enabling();
    EXPECT_TRUE(e.save && e.cancel);
    EXPECT_FALSE(e.add || e.remove || e.exit);
    EXPECT_EQ(e.keys, false);
    EXPECT_EQ(e.others, true);
    f.bar.save();
    e = f.bar.enabling();
    EXPECT_TRUE(e.add && e.exit);
    EXPECT_FALSE(e.save || e.cancel || e.remove);
    EXPECT_EQ(e.keys, true);
    EXPECT_EQ(e.others, false);
    EXPECT_EQ(f.cursor.count(), 3);
}
