#include "FarmRows.h"
#include "TempFarm.h"
#include "db/DbError.h"
#include "db/SafetyCopy.h"
#include "db/Transaction.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace testkit;

TEST(SafetyCopy, SnapshotHoldsTheFarmAndTheNewestFiveAreKept) {
    TempFarm farm;
    addFemaleInCage(farm.db(), 7, 12);
    const QDateTime first(QDate(2026, 12, 9), QTime(10, 0, 0));
    QString newest;
    for (int i = 0; i < 7; ++i)
        newest = SafetyCopy::save(farm.db(), first.addSecs(i));
    // A second copy in the same second keeps both.
    const QString twin = SafetyCopy::save(farm.db(), first.addSecs(6));
    EXPECT_NE(twin, newest);

    const QString folder = SafetyCopy::folderFor(farm.db().filePath());
    EXPECT_EQ(folder, QDir::cleanPath(farm.folder() + QStringLiteral("/Copias de Seguridad")));
    const QStringList kept = QDir(folder).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), SafetyCopy::kKept);
    EXPECT_FALSE(kept.contains(QStringLiteral("Quendal 2026-12-09 10.00.02.db")));
    EXPECT_TRUE(kept.contains(QFileInfo(newest).fileName()));

    Database copy(newest);
    EXPECT_EQ(rowTexts(copy, QStringLiteral("select CodigoHembra, Jaula from Hembras")),
              rowTexts(farm.db(), QStringLiteral("select CodigoHembra, Jaula from Hembras")));
}

TEST(SafetyCopy, AFailedSnapshotLeavesNothingUnderTheTargetName) {
    TempFarm farm;
    const QString target = farm.folder() + QStringLiteral("/no existe/Quendal.db");
    EXPECT_THROW(SafetyCopy::writeSnapshot(farm.db(), target), DbError);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".parcial")));
}
