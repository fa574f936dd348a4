#include "TempFarm.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Dialect.h"
#include "db/Query.h"

#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

qint64 scalar(Database& db, const QString& statement) {
    return Query::scalar(db, statement, QStringLiteral("v")).asInteger();
}

// Overwrites bytes of a closed farm file in place.
void damage(const QString& file, qint64 at, const QByteArray& with) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(with);
}

// Makes a file or folder immutable for its lifetime: even an administrator, who
// passes every permission check, cannot write it. False where the file system
// or the process's rights do not allow it.
class Immutable {
public:
    explicit Immutable(const QString& path) : m_path(QFile::encodeName(path)) { m_set = flags(FS_IMMUTABLE_FL, 0); }
    ~Immutable() {
        if (m_set)
            flags(0, FS_IMMUTABLE_FL);
    }
    bool set() const { return m_set; }

private:
    bool flags(int add, int remove) const {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int f = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &f) == 0;
        f = (f | add) & ~remove;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &f) == 0;
        ::close(fd);
        return ok;
    }
    QByteArray m_path;
    bool m_set = false;
};

TEST(FarmHealth, ASoundFarmSaysNothing) {
    TempFarm farm;
    EXPECT_TRUE(farm.db().health().messages(farm.db().filePath()).isEmpty());
    farm.reopen();
    EXPECT_TRUE(farm.db().health().messages(farm.db().filePath()).isEmpty());
}

// A damaged file still opens, so that repair and restore can be reached, and
// the message names it and both ways out.
TEST(FarmHealth, ADamagedFileOpensAndIsSaid) {
    struct Case {
        const char* name;
        std::function<void(const QString& file, qint64 diseasesPage)> damageIt;
    };
    const Case cases[] = {
        {"three bytes in the middle", [](const QString& f, qint64 page) { damage(f, page, "\x0d\xff\xff"); }},
        {"the header", [](const QString& f, qint64) { damage(f, 0, "SQLite formato 9"); }},
        {"not a database at all",
         [](const QString& f, qint64) {
             QFile file(f);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             file.write(QByteArray(8192, 'x'));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFarm farm;
        const qint64 root =
            scalar(farm.db(), QStringLiteral("select rootpage v from sqlite_master where name='Enfermedades'"));
        const qint64 pageSize = scalar(farm.db(), QStringLiteral("select page_size v from pragma_page_size"));
        const QString file = farm.db().filePath();
        // Damaged behind the farm's back, then opened as the next start does.
        std::unique_ptr<Database> db;
        c.damageIt(file, (root - 1) * pageSize);
        ASSERT_NO_THROW(db = std::make_unique<Database>(file));
        EXPECT_TRUE(db->health().damaged);
        const QStringList said = db->health().messages(file);
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].contains(file));
        EXPECT_TRUE(said[0].contains(QStringLiteral("\"Reparación de Bases de Datos\"")));
        EXPECT_TRUE(said[0].contains(QStringLiteral("\"Restaurar Copia de Seguridad\"")));
    }
}

TEST(FarmHealth, AMissingTableIsMadeAgainEmptyAndNamed) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("insert into Hembras (CodigoHembra) values (5)"));
    farm.db().exec(QStringLiteral("drop table CubriMachos"));
    farm.reopen();
    Database& db = farm.db();
    EXPECT_EQ(db.health().restoredTables, QStringList{QStringLiteral("CubriMachos")});
    const QStringList said = db.health().messages(db.filePath());
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains(QStringLiteral("CubriMachos")));
    EXPECT_EQ(scalar(db, QStringLiteral("select count(*) v from CubriMachos")), 0);
    EXPECT_EQ(scalar(db, QStringLiteral("select count(*) v from Hembras")), 1);
    // With its key and lookup index, and not said again at the next start.
    EXPECT_EQ(scalar(db, QStringLiteral("select count(*) v from sqlite_master where type='index' and "
                                        "tbl_name='CubriMachos'")),
              3);
    farm.reopen();
    EXPECT_TRUE(farm.db().health().restoredTables.isEmpty());
}

TEST(FarmHealth, AMissingTableOfDeliveredRowsGetsThemBack) {
    TempFarm farm;
    farm.db().exec(QStringLiteral("drop table TiposJaulas"));
    farm.db().exec(QStringLiteral("drop table Enfermedades"));
    farm.reopen();
    Database& db = farm.db();
    EXPECT_EQ(db.health().restoredTables, (QStringList{QStringLiteral("Enfermedades"), QStringLiteral("TiposJaulas")}));
    EXPECT_EQ(scalar(db, QStringLiteral("select count(*) v from TiposJaulas")), 4);
    EXPECT_EQ(scalar(db, QStringLiteral("select count(*) v from Enfermedades")), 12);
}

TEST(FarmHealth, AFileOrFolderThatCannotBeWrittenIsSaid) {
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "folder" : "file");
        TempFarm farm;
        const QString file = farm.db().filePath();
        std::unique_ptr<Database> db;
        {
            Immutable locked(folder ? QFileInfo(file).absolutePath() : file);
            if (!locked.set())
                GTEST_SKIP() << "this file system cannot make a file immutable";
            db = std::make_unique<Database>(file);
            EXPECT_TRUE(db->health().readOnly);
            const QStringList said = db->health().messages(file);
            ASSERT_EQ(said.size(), 1);
            EXPECT_TRUE(said[0].contains(QStringLiteral("solo lectura")));
            EXPECT_TRUE(said[0].contains(file));
            // Reading still works.
            EXPECT_GT(scalar(*db, QStringLiteral("select count(*) v from Enfermedades")), 0);
            db.reset();
        }
    }
}

} // namespace
