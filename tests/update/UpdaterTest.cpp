#include "update/Updater.h"
#include "TempFarm.h"
#include "UpdateServer.h"
#include "update/ReleaseSignature.h"
#include "update/UpdateRelease.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QByteArray kOldProgram = "#!/bin/sh\necho old\n";
const QByteArray kNewProgram = QByteArray("#!/bin/sh\necho new\n") + QByteArray(200000, 'x');

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

// The folder the program runs from, with the old program in it.
struct ProgramFolder {
    TempFolder dir;
    QString program = dir.file(QStringLiteral("torvane"));
    ProgramFolder() {
        QFile f(program);
        f.open(QIODevice::WriteOnly);
        f.write(kOldProgram);
    }
    UpdateFiles files() const { return UpdateFiles::beside(program, QStringLiteral("TORVANE.EXE")); }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
};

enum class Signature { Good, OtherKey, Missing, Tampered };

// A release on the server: the status page, the program and its signature.
struct Release {
    QString page = QString(); // empty: made from the fields below
    QString version = QStringLiteral("010100");
    QString date = QStringLiteral("091226");
    qint64 pageSize = -1; // -1: the program's own size
    Signature signature = Signature::Good;
    UpdateServer::File download = {};
};

void publish(UpdateServer& server, const Release& release, const releaseSignature::KeyPair& key) {
    const qint64 size = release.pageSize < 0 ? kNewProgram.size() : release.pageSize;
    const QString page = !release.page.isEmpty() ? release.page
                                                 : release.version + release.date +
                                                       QStringLiteral("%1").arg(size, 10, 10, QLatin1Char('0'));
    server.publish(QStringLiteral("TORVANEUA.HTM"), {.body = page.toLatin1()});
    UpdateServer::File program = release.download;
    program.body = kNewProgram;
    QByteArray signature = releaseSignature::sign(kNewProgram, key.secretKey);
    if (release.signature == Signature::OtherKey)
        signature = releaseSignature::sign(kNewProgram, releaseSignature::generate().secretKey);
    if (release.signature == Signature::Tampered)
        program.body[100] = 'y'; // same size, one byte changed on the way
    server.publish(QStringLiteral("TORVANEDUA.EXE"), program);
    if (release.signature != Signature::Missing)
        server.publish(QStringLiteral("TORVANEDUA.EXE.sig"), {.body = signature});
}

struct Result {
    bool finished = false;
    bool offered = false;
    Updater::Outcome outcome = Updater::Outcome::NoUpdate;
    QString message;
    QStringList started;
};

// Runs the update as the dialog drives it, answering the offer with `install`.
Result run(const QString& server, const ProgramFolder& folder, const QByteArray& publicKey, bool install = true) {
    Result r;
    Updater updater({.server = server,
                     .currentVersion = QStringLiteral("010000"),
                     .files = folder.files(),
                     .publicKey = publicKey,
                     .start =
                         [&r](const QString& program) {
                             r.started << program;
                             return true;
                         },
                     .idleTimeoutMs = 5000});
    QObject::connect(&updater, &Updater::offered, [&] {
        r.offered = true;
        install ? updater.download() : updater.cancel();
    });
    QObject::connect(&updater, &Updater::finished, [&r](Updater::Outcome outcome, const QString& message) {
        r.finished = true;
        r.outcome = outcome;
        r.message = message;
    });
    updater.check();
    (void)QTest::qWaitFor([&r] { return r.finished; }, 15000);
    return r;
}

} // namespace

class UpdaterTest : public QObject {
    Q_OBJECT

private slots:
    void statusPageFields() {
        struct Case {
            const char* page;
            const char* version;
            QDate date;
            qint64 size;
        };
        const Case cases[] = {
            {"0101000912260000012345", "010100", QDate(2026, 12, 9), 12345},
            {"0099993101999999999999", "009999", QDate(1999, 1, 31), 9999999999},
            {"0101003113260000012345", "010100", QDate(), 0}, // month 13: the size counts 0
            {"010100ab12260000012345", "010100", QDate(), 0},
            {"010100091226000001234x", "010100", QDate(2026, 12, 9), 0},
            {"010100091226-000001234", "010100", QDate(2026, 12, 9), 0},
        };
        for (const Case& c : cases) {
            const auto page = StatusPage::read(c.page);
            QVERIFY2(page, c.page);
            QCOMPARE(page->version, QString::fromLatin1(c.version));
            QCOMPARE(page->date, c.date);
            QCOMPARE(page->expectedSize, c.size);
        }
        QVERIFY(!StatusPage::read("0101000912260000012345\n")); // 23 characters
        QVERIFY(!StatusPage::read("010100091226000001234"));
        QVERIFY(!StatusPage::read(""));
        QVERIFY(StatusPage::read("0100000912260000012345")->offersUpdateFrom("010100")); // older, offered
        QVERIFY(!StatusPage::read("0100000912260000012345")->offersUpdateFrom("010000"));
    }

    void transferLineAndAddresses() {
        QCOMPARE(transferLine(500, 1000, 1000), QStringLiteral("500 de 1.000 a 500 Bytes/seg."));
        QCOMPARE(transferLine(1024, 4096, 1000), QStringLiteral("1.024 de 4.096 a 1.024 Bytes/seg."));
        QCOMPARE(transferLine(2048000, 5000000, 1000), QStringLiteral("2.048.000 de 5.000.000 a 2.000 KBytes/seg."));
        QCOMPARE(transferLine(0, 10, 0), QStringLiteral("0 de 10 a 0 Bytes/seg."));
        const UpdateFiles files = UpdateFiles::beside(QStringLiteral("/opt/t/torvane"), QStringLiteral("TORVANE.EXE"));
        QCOMPARE(files.download, QStringLiteral("/opt/t/TORVANEDUA.EXE"));
        QCOMPARE(files.previous, QStringLiteral("/opt/t/TORVANE.OLD"));
        QCOMPARE(files.statusAddress(QStringLiteral("http://h:8080/")),
                 QStringLiteral("http://h:8080/descargasprivadas/TORVANEUA.HTM"));
        QCOMPARE(files.signatureAddress(QStringLiteral("http://h")),
                 QStringLiteral("http://h/descargasprivadas/TORVANEDUA.EXE.sig"));
        QVERIFY(files.statusAddress(QString()).isEmpty());
    }

    // Nothing offered, no message, nothing fetched beyond the page.
    void silentEndsBeforeTheQuestion() {
        const auto key = releaseSignature::generate();
        struct Case {
            const char* name;
            QString page;
            bool offered;
        };
        const Case cases[] = {
            {"same version", QStringLiteral("0100000912260000000010"), false},
            {"older version", QStringLiteral("0099000912260000000010"), true},
            {"line break: 23 characters", QStringLiteral("0101000912260000000010\n"), false},
            {"21 characters", QStringLiteral("010100091226000000010"), false},
        };
        for (const Case& c : cases) {
            UpdateServer server;
            publish(server, {.page = c.page}, key);
            ProgramFolder folder;
            const Result r = run(server.root(), folder, key.publicKey, false);
            QVERIFY2(r.finished, c.name);
            QCOMPARE(r.offered, c.offered);
            QVERIFY(r.message.isEmpty());
            QCOMPARE(server.requested(), QStringList{QStringLiteral("TORVANEUA.HTM")});
            QCOMPARE(folder.entries(), QStringList{QStringLiteral("torvane")});
        }
        // No page on the server, no server listening, no server configured.
        UpdateServer empty;
        ProgramFolder folder;
        for (const QString& server : {empty.root(), QStringLiteral("http://127.0.0.1:1"), QString()}) {
            const Result r = run(server, folder, key.publicKey);
            QVERIFY(r.finished && !r.offered && r.message.isEmpty());
            QCOMPARE(int(r.outcome), int(Updater::Outcome::NoUpdate));
        }
    }

    void downloadsInstalledOnlyWhenComplete() {
        const auto key = releaseSignature::generate();
        const QStringList untouched{QStringLiteral("torvane")};
        const QStringList downloadLeft{QStringLiteral("TORVANEDUA.EXE"), QStringLiteral("torvane")};
        const QStringList swapped{QStringLiteral("TORVANE.OLD"), QStringLiteral("torvane")};
        struct Case {
            const char* name;
            Release release;
            Updater::Outcome outcome;
            bool message;
            QStringList entries;
        };
        const Case cases[] = {
            {"signed, complete", {}, Updater::Outcome::Installed, false, swapped},
            {"announced one byte more",
             {.pageSize = kNewProgram.size() + 1},
             Updater::Outcome::NotInstalled,
             false,
             downloadLeft},
            {"bad date: size 0",
             {.date = QStringLiteral("321226")},
             Updater::Outcome::NotInstalled,
             false,
             downloadLeft},
            {"bad size",
             {.page = QStringLiteral("0101000912260000x00010")},
             Updater::Outcome::NotInstalled,
             false,
             downloadLeft},
            {"tampered on the way",
             {.signature = Signature::Tampered},
             Updater::Outcome::BadSignature,
             true,
             untouched},
            {"signed by another key",
             {.signature = Signature::OtherKey},
             Updater::Outcome::BadSignature,
             true,
             untouched},
            {"no signature", {.signature = Signature::Missing}, Updater::Outcome::BadSignature, true, untouched},
            {"server gone mid-download",
             {.download = {.body = {}, .sendOnly = 70000}},
             Updater::Outcome::DownloadFailed,
             true,
             downloadLeft},
        };
        for (const Case& c : cases) {
            UpdateServer server;
            publish(server, c.release, key);
            ProgramFolder folder;
            const Result r = run(server.root(), folder, key.publicKey);
            QVERIFY2(r.finished && r.offered, c.name);
            QVERIFY2(int(r.outcome) == int(c.outcome), c.name);
            QVERIFY2(r.message.isEmpty() != c.message, qPrintable(QString::fromLatin1(c.name) + ": " + r.message));
            QVERIFY2(folder.entries() == c.entries, qPrintable(folder.entries().join(' ')));
            const bool installed = c.outcome == Updater::Outcome::Installed;
            QCOMPARE(contents(folder.program), installed ? kNewProgram : kOldProgram);
            QCOMPARE(r.started, installed ? QStringList{folder.program} : QStringList());
            if (installed) {
                QCOMPARE(contents(folder.files().previous), kOldProgram);
                QVERIFY(QFile::permissions(folder.program) & QFileDevice::ExeOwner);
            }
        }
    }

    // A previous program that cannot be cleared away: said, and the old program stays.
    void aSwapThatCannotBeDoneKeepsTheOldProgram() {
        const auto key = releaseSignature::generate();
        UpdateServer server;
        publish(server, {}, key);
        ProgramFolder folder;
        QDir(folder.dir.path()).mkpath(QStringLiteral("TORVANE.OLD/busy"));
        const Result r = run(server.root(), folder, key.publicKey);
        QCOMPARE(int(r.outcome), int(Updater::Outcome::NotInstalled));
        QVERIFY(r.message.contains(QStringLiteral("sigue funcionando con la versión actual")));
        QCOMPARE(contents(folder.program), kOldProgram);
        QVERIFY(r.started.isEmpty());
    }

    void theBuiltInKeyIsAKey() {
        QCOMPARE(releaseSignature::releaseKey().size(), releaseSignature::kPublicKeyBytes);
        const auto pair = releaseSignature::generate();
        const QByteArray signature = releaseSignature::sign("datos", pair.secretKey);
        QVERIFY(releaseSignature::verify("datos", signature, pair.publicKey));
        QVERIFY(!releaseSignature::verify("datos", signature, releaseSignature::releaseKey()));
        QVERIFY(!releaseSignature::verify("datos", signature.left(63), pair.publicKey));
    }
};

QTEST_GUILESS_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
