// Backup sets spread over fake drives of a chosen capacity, and restored.

#include "ArchiveTestKit.h"
#include "FakeDrive.h"
#include "FarmRows.h"
#include "TempFarm.h"
#include "utilities/backup/BackupError.h"
#include "utilities/backup/BackupInfo.h"
#include "utilities/backup/BackupSet.h"
#include "utilities/backup/FarmBackup.h"
#include "db/SafetyCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

// Answers the prompts from a script and keeps what was said.
class ScriptPrompts : public BackupPrompts {
public:
    std::deque<std::optional<QString>> disks; // answers to the insert-disk prompt
    std::deque<bool> erase;                   // answers to the earlier-set question
    QStringList told, actions, asked;
    std::optional<QString> askDisk(int disk, const QString&) override
    {
        asked << QString::number(disk);
        if (disks.empty())
            return std::nullopt;
        auto answer = disks.front();
        disks.pop_front();
        return answer;
    }
    bool askEraseEarlierSet() override
    {
        const bool yes = !erase.empty() && erase.front();
        if (!erase.empty())
            erase.pop_front();
        return yes;
    }
    void tell(const QString& message) override { told << message; }
    void action(const QString& line) override { actions << line; }
    std::function<void(int)> onPercent;
    void percent(int value) override
    {
        if (onPercent)
            onPercent(value);
    }
};

struct Fixture : ::testing::Test {
    TempFolder root;
    FakeDrive drive;
    ScriptPrompts prompts;

    QString disk(int n, qint64 capacity)
    {
        const QString path = root.file(QStringLiteral("disk%1").arg(n));
        QDir().mkpath(path);
        drive.insert(path, capacity);
        return path;
    }
    QString data(const QString& name, qsizetype randomBytes)
    {
        const QString folder = root.file(name);
        QDir().mkpath(folder + QStringLiteral("/Fotos"));
        kit::writeFile(folder + QStringLiteral("/notas.txt"), kit::farmRows(5000));
        kit::writeFile(folder + QStringLiteral("/Fotos/foto.jpg"), kit::randomBytes(7, randomBytes));
        return folder;
    }
    BackupInfo info(const QString& path) { return BackupInfo::read(path).value(); }
};

QStringList dump(Database& db)
{
    QStringList out;
    for (const QString& table : testkit::rowTexts(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
        out << table << testkit::rowTexts(db, QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    return out;
}

TEST(BackupInfoTest, WritesInOrderLeavesEmptyOutReadsAnyCase)
{
    BackupInfo info;
    info.disk = 2;
    info.archiveSize = 123456;
    EXPECT_EQ(info.text(), QStringLiteral("Backup.Name=ZR\r\nDisk#=2\r\nArchiveSize=123456\r\n"));
    info.incompleteFile = QStringLiteral("/tmp/x/ZR");
    EXPECT_TRUE(info.text().endsWith(QStringLiteral("FileIncompletelySaved=/tmp/x/ZR\r\n")));

    const BackupInfo read = BackupInfo::parse(QStringLiteral("date=1/2/26\nBACKUP.NAME=ZR\r\ndisk#=3\narchivesize=99\n"));
    EXPECT_EQ(read.backupName, QStringLiteral("ZR"));
    EXPECT_EQ(read.disk, 3);
    EXPECT_EQ(read.archiveSize, 99);
    EXPECT_FALSE(read.continues());
}

TEST_F(Fixture, OneDiskHoldsTheSetAndRestoresTheTree)
{
    const QString source = data(QStringLiteral("Datos"), 20000);
    QString path = disk(1, 10'000'000);
    FarmBackup backup(drive, prompts);
    EXPECT_EQ(backup.backup(source, path), 1);
    const BackupInfo one = info(path);
    EXPECT_EQ(one.disk, 1);
    EXPECT_EQ(one.archiveSize, QFileInfo(path + QStringLiteral("/ZR")).size());
    EXPECT_FALSE(one.continues());
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(prompts.actions.contains(QStringLiteral("Comprimiendo a foto.jpg")));
    // An independent reader of the format reads what went on the disk.
    const kit::RawArchive raw = kit::parse(kit::readFile(path + QStringLiteral("/ZR")));
    EXPECT_EQ(raw.entries, 2u);

    const QString target = root.file(QStringLiteral("Nuevo"));
    const RestoreOutcome outcome = backup.restore(target, path, {});
    EXPECT_TRUE(outcome.safetyCopy.isEmpty());
    EXPECT_EQ(kit::tree(target), kit::tree(source));
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/Fotos/foto.jpg")), kit::readFile(source + QStringLiteral("/Fotos/foto.jpg")));
}

TEST_F(Fixture, AFullDiskIsRefusedWithItsReasonAndAnotherTaken)
{
    const QString source = data(QStringLiteral("Datos"), 20000);
    QString path = disk(1, 8192); // only the reserve: not one piece fits
    const QString other = disk(2, 10'000'000);
    prompts.disks = {other};
    FarmBackup backup(drive, prompts);
    EXPECT_EQ(backup.backup(source, path), 1);
    ASSERT_EQ(prompts.told.size(), 1);
    EXPECT_TRUE(prompts.told.front().contains(QStringLiteral("lleno o protegido")));
    EXPECT_TRUE(QFileInfo::exists(other + QStringLiteral("/ZR")));
}

TEST_F(Fixture, ThreeDisksContinueInWholePiecesAndRestoreInOrder)
{
    const QString source = data(QStringLiteral("Datos"), 100'000);
    const QString d1 = disk(1, 50'000), d2 = disk(2, 50'000), d3 = disk(3, 50'000);
    prompts.disks = {d2, d3};
    QString path = d1;
    FarmBackup backup(drive, prompts);
    ASSERT_EQ(backup.backup(source, path), 3);
    EXPECT_EQ(prompts.asked, (QStringList{"2", "3"}));
    QByteArray joined;
    for (const QString& d : {d1, d2, d3}) {
        const qint64 size = QFileInfo(d + QStringLiteral("/ZR")).size();
        EXPECT_LE(size, 50'000 - kDiskReserve);
        EXPECT_EQ(info(d).continues(), d != d3);
        if (d != d3) {
            EXPECT_EQ(size % kPieceSize, 0);
        }
        joined += kit::readFile(d + QStringLiteral("/ZR"));
    }
    EXPECT_EQ(info(d3).archiveSize, joined.size());
    EXPECT_EQ(kit::parse(joined).entries, 2u);

    // Disk 2 offered first is refused; disk 1 is then taken without a word,
    // and a disk of another number is passed over silently.
    prompts.told.clear();
    prompts.disks = {d1, d3, d2, d3};
    path = d2;
    const QString target = root.file(QStringLiteral("Nuevo"));
    const RestoreOutcome outcome = backup.restore(target, path, {});
    EXPECT_EQ(outcome.disks, 3);
    EXPECT_EQ(prompts.told, QStringList{QStringLiteral("El disco no es el primero del respaldo.")});
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/Fotos/foto.jpg")), kit::readFile(source + QStringLiteral("/Fotos/foto.jpg")));
}

TEST_F(Fixture, OnlyAnEarlierSetIsErasedAndOnlyAfterYes)
{
    const QString source = data(QStringLiteral("Datos"), 1000);
    const QString used = disk(1, 10'000'000), other = disk(2, 10'000'000);
    kit::writeFile(used + QStringLiteral("/ZR"), "viejo");
    kit::writeFile(used + QStringLiteral("/infos.txt"), "Disk#=1\n");
    kit::writeFile(used + QStringLiteral("/mis fotos.jpg"), "del usuario");
    kit::writeFile(other + QStringLiteral("/carta.doc"), "sin respaldo");

    // No: the disk is refused and asked for again; Yes: only the set goes.
    prompts.erase = {false, true};
    prompts.disks = {used};
    QString path = used;
    FarmBackup backup(drive, prompts);
    backup.backup(source, path);
    EXPECT_EQ(prompts.asked, QStringList{"1"});
    EXPECT_TRUE(prompts.actions.contains(QStringLiteral("Borrando archivos de respaldo de la unidad...")));
    EXPECT_EQ(kit::readFile(used + QStringLiteral("/mis fotos.jpg")), "del usuario");
    EXPECT_EQ(info(used).disk, 1);

    // A disk without a set is used without the question.
    prompts.erase = {false};
    path = other;
    backup.backup(source, path);
    EXPECT_EQ(prompts.erase.size(), 1u);
    EXPECT_EQ(kit::readFile(other + QStringLiteral("/carta.doc")), "sin respaldo");
}

TEST_F(Fixture, RefusedDisksAndCancelStopWithTheirMessages)
{
    const QString source = data(QStringLiteral("Datos"), 100'000);
    const QString d1 = disk(1, 50'000), d2 = disk(2, 50'000), d3 = disk(3, 50'000), empty = disk(4, 50'000);
    QString path = d1;
    prompts.disks = {d2, d3};
    FarmBackup backup(drive, prompts);
    backup.backup(source, path);

    BackupInfo foreign = info(d2);
    foreign.backupName = QStringLiteral("XY");
    foreign.write(d2);
    prompts.told.clear();
    prompts.disks = {empty, d2, std::nullopt};
    path = d1;
    try {
        backup.restore(root.file(QStringLiteral("Nuevo")), path, {});
        FAIL() << "the restore went on";
    } catch (const BackupCancelled& stop) {
        EXPECT_EQ(stop.message(), QStringLiteral("¡ Abortado !"));
    }
    EXPECT_EQ(prompts.told, (QStringList{QStringLiteral("El disco no contiene ningun respaldo."),
                                         QStringLiteral("El disco contiene el respaldo \"XY\" en vez de \"ZR\".")}));

    path = root.file(QStringLiteral("no existe"));
    try {
        backup.backup(source, path);
        FAIL() << "an invalid path was taken";
    } catch (const BackupError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Es necesario una ruta valida para respaldar la unidad"));
    }
}

TEST_F(Fixture, OpenFarmIsSavedAsASnapshotAndRestoredRowByRowWithASafetyCopy)
{
    TempFarm farm;
    farm.db().exec(QStringLiteral("CREATE TABLE Prueba (n INTEGER, t TEXT)"));
    farm.db().exec(QStringLiteral("WITH RECURSIVE c(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM c WHERE n < 199) "
                                  "INSERT INTO Prueba SELECT n, 'fila ' || n FROM c"));
    const QStringList before = dump(farm.db());
    const QString folder = QFileInfo(farm.db().filePath()).absolutePath();
    QString path = disk(1, 100'000'000);
    FarmBackup backup(drive, prompts);
    // Taken while the farm stays open, in the middle of a change not yet committed.
    farm.db().execNative(QStringLiteral("BEGIN"));
    farm.db().exec(QStringLiteral("UPDATE Prueba SET t = 'a medias'"));
    backup.backup(folder, path);
    farm.db().execNative(QStringLiteral("ROLLBACK"));

    farm.db().exec(QStringLiteral("DELETE FROM Prueba"));
    const RestoreOutcome outcome = backup.restore(
        folder, path, [](const auto&, const auto&) { return OverwriteAnswer::ReplaceAll; }, &farm.db());
    ASSERT_FALSE(outcome.safetyCopy.isEmpty());
    EXPECT_EQ(QFileInfo(outcome.safetyCopy).absolutePath(), SafetyCopy::folderFor(farm.db().filePath()));
    // The same connection object, open again on the restored file.
    ASSERT_TRUE(farm.db().isOpen());
    EXPECT_EQ(dump(farm.db()), before);

    // Restored on a fresh data folder the farm is the same, row by row.
    const QString fresh = root.file(QStringLiteral("Otra/Datos"));
    backup.restore(fresh, path, {});
    Database restored(fresh + QStringLiteral("/Quendal.db"));
    EXPECT_EQ(dump(restored), before);

    Database safety(outcome.safetyCopy);
    EXPECT_EQ(testkit::rowTexts(safety, QStringLiteral("SELECT count(*) FROM Prueba")), QStringList{"0"});
}

TEST_F(Fixture, DamagedSetReplacesNothing)
{
    const QString source = data(QStringLiteral("Datos"), 30'000);
    QString path = disk(1, 10'000'000);
    FarmBackup backup(drive, prompts);
    backup.backup(source, path);
    QByteArray bytes = kit::readFile(path + QStringLiteral("/ZR"));
    bytes[bytes.size() - 100] = static_cast<char>(bytes[bytes.size() - 100] ^ 0x55);
    kit::writeFile(path + QStringLiteral("/ZR"), bytes);

    TempFarm farm;
    farm.db().exec(QStringLiteral("CREATE TABLE Prueba (n INTEGER)"));
    farm.db().exec(QStringLiteral("INSERT INTO Prueba VALUES (7)"));
    const QString target = QFileInfo(farm.db().filePath()).absolutePath();
    kit::writeFile(target + QStringLiteral("/notas.txt"), "actual");
    EXPECT_THROW(backup.restore(target, path, {}, &farm.db()), BackupError);
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/notas.txt")), "actual");
    ASSERT_TRUE(farm.db().isOpen());
    EXPECT_EQ(testkit::rowTexts(farm.db(), QStringLiteral("SELECT n FROM Prueba")), QStringList{"7"});
    EXPECT_FALSE(QFileInfo::exists(SafetyCopy::folderFor(farm.db().filePath())));
}

TEST_F(Fixture, RestoresASetWrittenByAnotherWriterAskingPerFile)
{
    // An archive from the format's description, cut by hand into two disks.
    const QByteArray archive = kit::build({{"Quendal.db", "nueva granja"},
                                           {"a.txt", kit::farmRows(3000)},
                                           {"b.txt", "nuevo b"},
                                           {"c.txt", "nuevo c"},
                                           {"Sub\\d.bin", kit::randomBytes(3, 20000)}});
    const QString d1 = disk(1, 1), d2 = disk(2, 1);
    const qsizetype cut = kPieceSize;
    kit::writeFile(d1 + QStringLiteral("/ZR"), archive.left(cut));
    kit::writeFile(d2 + QStringLiteral("/ZR"), archive.mid(cut));
    BackupInfo info;
    info.archiveSize = archive.size();
    info.disk = 1;
    info.incompleteFile = QStringLiteral("C:\\Temp\\~Backup-1\\ZR");
    info.write(d1);
    info.disk = 2;
    info.incompleteFile.clear();
    info.write(d2);

    const QString target = root.file(QStringLiteral("Datos"));
    QDir().mkpath(target);
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        kit::writeFile(target + QLatin1Char('/') + QLatin1String(name), "viejo");
    // A journal of the farm that was there would be played back onto the new one.
    kit::writeFile(target + QStringLiteral("/Quendal.db-journal"), "viejo");
    // a.txt kept with No; b.txt replaced with Si a Todo, and c.txt with it.
    std::deque<OverwriteAnswer> answers{OverwriteAnswer::Keep, OverwriteAnswer::ReplaceAll};
    int questions = 0;
    prompts.disks = {d2};
    QString path = d1;
    FarmBackup backup(drive, prompts);
    const RestoreOutcome outcome = backup.restore(target, path,
                                                  [&](const auto&, const auto&) {
                                                      ++questions;
                                                      const OverwriteAnswer a = answers.front();
                                                      answers.pop_front();
                                                      return a;
                                                  });
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(outcome.extracted.kept, 1);
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/a.txt")), "viejo");
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/b.txt")), "nuevo b");
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/c.txt")), "nuevo c");
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/Sub/d.bin")), kit::randomBytes(3, 20000));
    EXPECT_EQ(kit::readFile(target + QStringLiteral("/Quendal.db")), "nueva granja");
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/Quendal.db-journal")));
}

TEST_F(Fixture, ADiskThatDoesNotKeepWhatWasWrittenFailsTheBackup)
{
    const QString source = data(QStringLiteral("Datos"), 100'000);
    const QString d1 = disk(1, 50'000), d2 = disk(2, 50'000), d3 = disk(3, 50'000);
    prompts.disks = {d2, d3};
    // The first disk loses a byte once its part is written.
    bool spoiled = false;
    prompts.onPercent = [&](int) {
        const QString part = d1 + QStringLiteral("/ZR");
        if (spoiled || QFileInfo(part).size() < 3 * kPieceSize)
            return;
        QFile file(part);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(100);
        const char byte = file.peek(1).at(0);
        file.write(QByteArray(1, static_cast<char>(byte ^ 1)));
        spoiled = true;
    };
    QString path = d1;
    FarmBackup backup(drive, prompts);
    try {
        backup.backup(source, path);
        FAIL() << "a spoilt disk passed";
    } catch (const BackupError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("El disco nº 1 no guarda lo que se escribió en él: la copia no es válida."));
    }
    EXPECT_TRUE(spoiled);
    EXPECT_FALSE(BackupInfo::read(d1));
    EXPECT_EQ(prompts.asked, QStringList{});
}

} // namespace
