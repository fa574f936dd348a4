#include "app/DatabaseUpgrade.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Settings.h"

#include <gtest/gtest.h>
#include <memory>

using testkit::rowTexts;

namespace {

// A farm file of the version before 1.1.0: no Eficacia and no Seleccion on the
// registers, the old number NumeroSeleccion instead; closed and opened again.
struct OldFarm {
    TempFarm farm;
    Settings settings{farm.folder() + QStringLiteral("/Quendal.conf")};

    OldFarm() {
        testkit::makeOldVersion(farm.db());
        farm.reopen();
    }
    Database& db() { return farm.db(); }
    void upgrade() { DatabaseUpgrade(db(), settings).run(); }
    QStringList columns(const QString& table) {
        return rowTexts(db(), QStringLiteral("select name from pragma_table_info('%1')").arg(table));
    }
};

} // namespace

TEST(DatabaseUpgrade, OldSelectionNumbersBecomeFlagsAndTheColumnGoes) {
    OldFarm old;
    old.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, NumeroSeleccion) values (1, 0)"));
    old.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, NumeroSeleccion) values (2, 3)"));
    old.db().exec(QStringLiteral("insert into Hembras (CodigoHembra) values (3)"));
    old.db().exec(QStringLiteral("insert into Machos (CodigoMacho, NumeroSeleccion) values (5, 1)"));
    old.db().exec(QStringLiteral("insert into Machos (CodigoMacho, NumeroSeleccion) values (6, 0)"));
    // Female 0 has no index (-1): her Eficacia stays as the new column left it.
    old.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, NumeroSeleccion) values (0, 2)"));
    old.upgrade();

    EXPECT_EQ(rowTexts(old.db(), QStringLiteral("select CodigoHembra, Seleccion, Eficacia from Hembras "
                                                 "order by CodigoHembra")),
              (QStringList{"0|True|", "1|False|0", "2|True|0", "3|False|0"}));
    EXPECT_EQ(rowTexts(old.db(), QStringLiteral("select CodigoMacho, Seleccion, Eficacia from Machos "
                                                 "order by CodigoMacho")),
              (QStringList{"5|True|0", "6|False|0"}));
    for (const char* table : {"Hembras", "Machos"}) {
        const QStringList cols = old.columns(QString::fromLatin1(table));
        EXPECT_FALSE(cols.contains(QStringLiteral("NumeroSeleccion"))) << table;
        EXPECT_TRUE(cols.contains(QStringLiteral("Eficacia"))) << table;
        EXPECT_TRUE(cols.contains(QStringLiteral("Seleccion"))) << table;
    }
    EXPECT_EQ(old.settings.versionActual(), QStringLiteral("010100"));
}

TEST(DatabaseUpgrade, EmptyTablesOnlyChangeTheStructure) {
    OldFarm old;
    old.upgrade();
    EXPECT_FALSE(old.columns(QStringLiteral("Hembras")).contains(QStringLiteral("NumeroSeleccion")));
    EXPECT_EQ(testkit::count(old.db(), QStringLiteral("select count(*) cuenta from Hembras")), 0);
    EXPECT_EQ(old.settings.versionActual(), QStringLiteral("010100"));
}

TEST(DatabaseUpgrade, AFarmAlreadyUpgradedKeepsItsFlagsAndGetsFreshIndices) {
    TempFarm farm;
    Settings settings(farm.folder() + QStringLiteral("/Quendal.conf"));
    farm.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, Seleccion, Eficacia) values (1, True, 99)"));
    farm.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, Seleccion, Eficacia) values (2, False, 99)"));
    farm.db().exec(QStringLiteral("insert into Machos (CodigoMacho, Seleccion, Eficacia) values (4, True, 99)"));
    for (int run = 0; run < 2; ++run) {
        DatabaseUpgrade(farm.db(), settings).run();
        EXPECT_EQ(rowTexts(farm.db(), QStringLiteral("select CodigoHembra, Seleccion, Eficacia from Hembras "
                                                      "order by CodigoHembra")),
                  (QStringList{"1|True|0", "2|False|0"}));
        EXPECT_EQ(rowTexts(farm.db(), QStringLiteral("select Seleccion, Eficacia from Machos")),
                  QStringList{"True|0"});
    }
    EXPECT_EQ(settings.versionActual(), QStringLiteral("010100"));
}

// A row that cannot be converted ends the conversion; the old number stays so
// the animals after it keep their selection for the next run.
TEST(DatabaseUpgrade, AFailedConversionKeepsTheOldColumn) {
    OldFarm old;
    for (int code : {1, 2, 3})
        old.db().exec(QStringLiteral("insert into Hembras (CodigoHembra, NumeroSeleccion) values (%1, 1)").arg(code));
    old.db().execNative(QStringLiteral("CREATE TRIGGER refusa BEFORE UPDATE OF Seleccion ON Hembras "
                                       "WHEN new.CodigoHembra = 2 BEGIN SELECT RAISE(ABORT, 'no'); END"));
    old.upgrade();
    EXPECT_TRUE(old.columns(QStringLiteral("Hembras")).contains(QStringLiteral("NumeroSeleccion")));
    EXPECT_FALSE(old.columns(QStringLiteral("Machos")).contains(QStringLiteral("NumeroSeleccion")));
    EXPECT_EQ(rowTexts(old.db(), QStringLiteral("select NumeroSeleccion from Hembras order by CodigoHembra")),
              (QStringList{"1", "1", "1"}));
}

TEST(DatabaseUpgrade, AnErrorInTheIndicesLeavesTheVersionUnwritten) {
    OldFarm old;
    old.db().exec(QStringLiteral("insert into Hembras (CodigoHembra) values (1)"));
    old.db().execNative(QStringLiteral("DROP TABLE CubriHembras"));
    EXPECT_THROW(old.upgrade(), DbError);
    EXPECT_TRUE(old.settings.versionActual().isEmpty());
}
