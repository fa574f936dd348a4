#include "app/FarmOpening.h"
#include "TempFarm.h"
#include "db/AliasConfig.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <deque>
#include <gtest/gtest.h>

namespace {

QByteArray bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& file, const QByteArray& data) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

// A farm of a former run: the alias on <dir>/Datos and a farm holding a female.
struct Start {
    Start() {
        qputenv("ProgramFiles", dir.file(QStringLiteral("Programas")).toUtf8());
        aliases.add(QStringLiteral("Quendal"), folder);
        auto db = Database::openInFolder(folder);
        db->exec(QStringLiteral("insert into Hembras (CodigoHembra) values (77)"));
    }
    ~Start() { qunsetenv("ProgramFiles"); }

    // Opens as the program does, answering the questions from the queue (Quit
    // when it runs out) and keeping what was asked.
    std::unique_ptr<Database> open() {
        return FarmOpening::open(aliases, [this](const FarmLookup& lookup) {
            asked.push_back(lookup);
            if (answers.empty())
                return FarmChoice{FarmChoice::Action::Quit, {}};
            const FarmChoice next = answers.front();
            answers.pop_front();
            return next;
        });
    }
    static bool holdsTheFemale(Database& db) {
        return Query::scalar(db, QStringLiteral("select count(*) c from Hembras where CodigoHembra=77"),
                             QStringLiteral("c"))
                   .asInteger() == 1;
    }

    TempFolder dir;
    QString folder = dir.file(QStringLiteral("Datos"));
    QString file = folder + QStringLiteral("/Quendal.db");
    AliasConfig aliases{dir.file(QStringLiteral("Brimmont/Alias.conf"))};
    std::deque<FarmChoice> answers;
    std::vector<FarmLookup> asked;
};

TEST(FarmOpening, FirstRunCreatesAliasAndFarmALaterRunOpensItWithoutAsking) {
    TempFolder dir;
    qputenv("ProgramFiles", dir.file(QStringLiteral("Programas")).toUtf8());
    AliasConfig aliases(dir.file(QStringLiteral("Alias.conf")));
    int questions = 0;
    const auto ask = [&](const FarmLookup&) { return ++questions, FarmChoice{}; };
    EXPECT_TRUE(FarmOpening::open(aliases, ask));
    const QString created = dir.file(QStringLiteral("Programas/Torvane/Datos/Quendal.db"));
    EXPECT_TRUE(QFileInfo(created).size() > 0);
    EXPECT_EQ(aliases.farmAlias().folder, dir.file(QStringLiteral("Programas/Torvane/Datos")));
    const QByteArray alias = bytes(aliases.file());
    EXPECT_TRUE(FarmOpening::open(aliases, ask));
    EXPECT_EQ(bytes(aliases.file()), alias);
    EXPECT_EQ(questions, 0);
    qunsetenv("ProgramFiles");
}

// Every way the farm goes missing is asked about, naming the path; quitting
// leaves everything as it was and creates nothing.
TEST(FarmOpening, AFarmNotWhereTheAliasSaysIsAskedAboutNeverReplaced) {
    using Finding = FarmLookup::Finding;
    struct Case {
        const char* name;
        std::function<void(Start&)> breakIt;
        Finding finding;
        bool namesAliasFile;
    };
    const Case cases[] = {
        {"folder renamed or drive not connected",
         [](Start& s) { ASSERT_TRUE(QDir().rename(s.folder, s.dir.file("Movida"))); }, Finding::FolderMissing, false},
        {"file renamed", [](Start& s) { ASSERT_TRUE(QFile::rename(s.file, s.folder + "/Quendal.old")); },
         Finding::FileMissing, false},
        {"file emptied", [](Start& s) { write(s.file, {}); }, Finding::FileEmpty, false},
        {"alias damaged",
         [](Start& s) {
             QByteArray b = bytes(s.aliases.file());
             b.replace("Quendal", "Qu\x01\xff\x02al");
             write(s.aliases.file(), b);
         },
         Finding::AliasUnreadable, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start s;
        c.breakIt(s);
        const QByteArray alias = bytes(s.aliases.file());
        const bool folderThere = QFileInfo(s.folder).isDir();
        EXPECT_EQ(s.open(), nullptr);
        ASSERT_EQ(s.asked.size(), 1u);
        EXPECT_EQ(s.asked[0].finding, c.finding);
        const QString named =
            c.namesAliasFile ? s.aliases.file() : (c.finding == Finding::FolderMissing ? s.folder : s.file);
        EXPECT_TRUE(s.asked[0].message().contains(QDir::toNativeSeparators(named)));
        EXPECT_EQ(bytes(s.aliases.file()), alias);
        EXPECT_EQ(QFileInfo(s.folder).isDir(), folderThere);
        EXPECT_EQ(QFileInfo::exists(s.file), c.finding != Finding::FolderMissing && c.finding != Finding::FileMissing);
        if (c.finding == Finding::FileEmpty) {
            EXPECT_EQ(QFileInfo(s.file).size(), 0);
        }
    }
}

TEST(FarmOpening, RetryFindsTheFarmOnceTheDriveIsBack) {
    Start s;
    const QString away = s.dir.file(QStringLiteral("Desconectada"));
    ASSERT_TRUE(QDir().rename(s.folder, away));
    s.answers = {{FarmChoice::Action::Retry, {}}, {FarmChoice::Action::Retry, {}}};
    // The drive comes back while the second question is up.
    auto db = FarmOpening::open(s.aliases, [&](const FarmLookup& lookup) {
        s.asked.push_back(lookup);
        if (s.asked.size() == 2)
            QDir().rename(away, s.folder);
        return FarmChoice{FarmChoice::Action::Retry, {}};
    });
    ASSERT_TRUE(db);
    EXPECT_EQ(s.asked.size(), 2u);
    EXPECT_TRUE(Start::holdsTheFemale(*db));
}

TEST(FarmOpening, AChosenFolderMovesTheAliasOnlyOnceTheFarmIsFoundThere) {
    Start s;
    const QString moved = s.dir.file(QStringLiteral("Movida"));
    ASSERT_TRUE(QDir().rename(s.folder, moved));
    const QString wrong = s.dir.file(QStringLiteral("Vacia"));
    QDir().mkpath(wrong);
    s.answers = {{FarmChoice::Action::UseFolder, wrong}, {FarmChoice::Action::UseFolder, moved}};
    auto db = s.open();
    ASSERT_TRUE(db);
    EXPECT_TRUE(Start::holdsTheFemale(*db));
    ASSERT_EQ(s.asked.size(), 2u);
    EXPECT_EQ(s.asked[1].finding, FarmLookup::Finding::FileMissing); // the wrong folder, asked about in turn
    EXPECT_EQ(s.asked[1].folder, wrong);
    EXPECT_FALSE(QFileInfo::exists(wrong + QStringLiteral("/Quendal.db")));
    EXPECT_EQ(AliasConfig(s.aliases.file()).farmAlias().folder, moved);
}

TEST(FarmOpening, AnUnreadableAliasIsNeverRewrittenAChosenFolderServesThisRun) {
    Start s;
    write(s.aliases.file(), QByteArray("\xff\xfe[\x01]\nPATH\n"));
    const QByteArray damaged = bytes(s.aliases.file());
    s.answers = {{FarmChoice::Action::UseFolder, s.folder}};
    auto db = s.open();
    ASSERT_TRUE(db);
    EXPECT_TRUE(Start::holdsTheFemale(*db));
    EXPECT_EQ(s.asked[0].finding, FarmLookup::Finding::AliasUnreadable);
    EXPECT_TRUE(s.asked[0].folder.isEmpty()); // no folder to create a farm in
    EXPECT_EQ(bytes(s.aliases.file()), damaged);
    EXPECT_THROW(s.aliases.ensureFarmAlias(), DbError);
    EXPECT_EQ(bytes(s.aliases.file()), damaged);
}

TEST(FarmOpening, ANewEmptyFarmOnlyWhenAskedFor) {
    Start s;
    write(s.file, {});
    s.answers = {{FarmChoice::Action::CreateNew, {}}};
    auto db = s.open();
    ASSERT_TRUE(db);
    EXPECT_FALSE(Start::holdsTheFemale(*db));
    EXPECT_GT(QFileInfo(s.file).size(), 0);
    EXPECT_EQ(Query::scalar(*db, QStringLiteral("select count(*) c from TiposJaulas"), QStringLiteral("c")).asInteger(),
              4);
}

TEST(FarmOpening, AnExistingFarmIsNeverCreatedByOpeningIt) {
    TempFolder dir;
    const QString missing = dir.file(QStringLiteral("Quendal.db"));
    EXPECT_THROW(Database{missing}, DbError);
    EXPECT_FALSE(QFileInfo::exists(missing));
    write(missing, {});
    EXPECT_THROW(Database{missing}, DbError);
    EXPECT_EQ(QFileInfo(missing).size(), 0);
}

} // namespace
