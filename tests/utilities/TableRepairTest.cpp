#include "utilities/TableRepair.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "db/Database.h"
#include "db/Query.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using testkit::rowTexts;

namespace {

// What the repair said, in order: "show:", "hide" and "warn:" lines.
struct Said {
    QStringList lines;
    TableRepair::Report report() {
        return {[this](const QString& t) { lines << QStringLiteral("show:") + t; }, [this] { lines << QStringLiteral("hide"); },
                [this](const QString& t) { lines << QStringLiteral("warn:") + t; }};
    }
    QStringList warnings() const { return lines.filter(QRegularExpression(QStringLiteral("^warn:"))); }
};

QStringList keys(Database& db) {
    return rowTexts(db, QStringLiteral("select tbl_name, name, sql from sqlite_master where type='index' "
                                       "order by name"));
}

QStringList allRows(Database& db) {
    QStringList rows;
    for (const char* t : {"Cebadero", "CubriHembras", "Hembras", "HistoricoMaternidad", "TiposJaulas",
                          "Enfermedades", "DatosExplotacion", "Pools"})
        rows << rowTexts(db, QStringLiteral("select * from %1").arg(QString::fromLatin1(t)));
    return rows;
}

} // namespace

TEST(TableRepair, ASoundFarmEndsWithTheClosingMessageAndTheSameKeys) {
    TempFarm farm;
    testkit::addFemaleInCage(farm.db(), 12, 3);
    const QStringList before = keys(farm.db());
    const QStringList rows = allRows(farm.db());
    Said said;
    EXPECT_TRUE(TableRepair::run(farm.db(), said.report()).sound());
    EXPECT_EQ(said.warnings(), QStringList{"warn:La reparación de la Base de Datos ha finalizado"});
    const QStringList shown = said.lines.filter(QRegularExpression(QStringLiteral("^show:")));
    EXPECT_EQ(shown, (QStringList{"show:Reparando la tabla CEBADERO.DB, por favor, epere...",
                                  "show:Reparando la tabla CUBRIHEMBRAS.DB, por favor, epere...",
                                  "show:Reparando la tabla CUBRIMACHOS.DB, por favor, epere...",
                                  "show:Reparando la tabla ENFERMEDADES.DB, por favor, epere...",
                                  "show:Reparando la tabla ESTRUCTURA.DB, por favor, epere...",
                                  "show:Reparando la tabla HEMBRAS.DB, por favor, epere...",
                                  "show:Reparando la tabla HISTORICOMATERNIDAD.DB, por favor, epere...",
                                  "show:Reparando la tabla MACHOS.DB, por favor, epere...",
                                  "show:Reparando la tabla MASTERPOOLS.DB, por favor, epere...",
                                  "show:Reparando la tabla TIPOSJAULAS.DB, por favor, epere..."}));
    EXPECT_EQ(said.lines.count(QStringLiteral("hide")), 10);
    EXPECT_EQ(keys(farm.db()), before);
    EXPECT_EQ(allRows(farm.db()), rows);
}

// Keys already missing: each drop is said, and every key is built all the same.
// Two ledger days of the same date refuse their key; the other tables go on.
TEST(TableRepair, EachFailureIsSaidAndTheRepairGoesOn) {
    TempFarm farm;
    const QStringList before = keys(farm.db());
    farm.db().exec(QStringLiteral("drop index CubriHembras.Index01"));
    farm.db().exec(QStringLiteral("drop index Machos.Primary"));
    farm.db().exec(QStringLiteral("drop index HistoricoMaternidad.Primary"));
    testkit::addLedgerDay(farm.db(), QDate(2026, 3, 4));
    testkit::addLedgerDay(farm.db(), QDate(2026, 3, 4));
    Said said;
    EXPECT_TRUE(TableRepair::run(farm.db(), said.report()).sound());
    EXPECT_EQ(said.warnings(),
              (QStringList{"warn:Se ha producido un error al eliminar la clave secundaria de CubriHembras.Db",
                           "warn:Se ha producido un error al eliminar la clave primaria de HistoricoMaternidad.Db",
                           "warn:Se ha producido un error al crear la clave primaria de HistoricoMaternidad.Db",
                           "warn:Se ha producido un error al eliminar la clave primaria de Machos.Db",
                           "warn:La reparación de la Base de Datos ha finalizado"}));
    QStringList expected = before.filter(QRegularExpression(QStringLiteral("^(?!HistoricoMaternidad)")));
    EXPECT_EQ(keys(farm.db()), expected);
    EXPECT_EQ(testkit::count(farm.db(), QStringLiteral("select count(*) cuenta from HistoricoMaternidad")), 2);
}

// A page of the females' table overwritten: the keys cannot mend it, and the
// farmer is told the file is still damaged and to restore the last backup.
TEST(TableRepair, AFileStillDamagedIsSaid) {
    TempFarm farm;
    for (int code = 1; code <= 400; ++code)
        testkit::addFemaleInCage(farm.db(), code, code);
    const qint64 root = testkit::count(farm.db(), QStringLiteral("select rootpage cuenta from sqlite_master "
                                                                  "where name='Hembras'"));
    const qint64 pageSize = testkit::count(farm.db(), QStringLiteral("select page_size cuenta from pragma_page_size"));
    const QString path = farm.db().filePath();
    farm.reopen(); // everything written out
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek((root - 1) * pageSize);
        file.write(QByteArray(static_cast<int>(pageSize), '\x5a'));
    }
    farm.reopen();
    Said said;
    const TableRepair::Outcome outcome = TableRepair::run(farm.db(), said.report());
    EXPECT_FALSE(outcome.before.isEmpty());
    EXPECT_FALSE(outcome.sound());
    ASSERT_FALSE(said.warnings().isEmpty());
    EXPECT_TRUE(said.warnings().contains(
        QStringLiteral("warn:Se ha producido un error al crear la clave primaria de Hembras.Db")));
    EXPECT_TRUE(said.warnings().last().contains(QStringLiteral("sigue dañado")));
    EXPECT_TRUE(said.warnings().last().contains(QStringLiteral("Restaurar Copia de Seguridad")));
}
