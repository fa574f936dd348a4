// Signs a Torvane release and lays out what the update server publishes.
//
//   torvane-sign --new-key SECRET_KEY_FILE
//       makes a key pair: writes the secret key (hex) to the file, readable by
//       its owner only, and prints the public key as the array to paste into
//       update/ReleaseSignature.cpp.
//   torvane-sign SECRET_KEY_FILE PROGRAM VERSION FOLDER [BASE]
//       writes into FOLDER the three files of "descargasprivadas/":
//       {BASE}DUA.EXE (a copy of PROGRAM), {BASE}DUA.EXE.sig (its detached
//       Ed25519 signature) and {BASE}UA.HTM (the 22-character status page:
//       VERSION, today as ddmmyy, the size in ten digits). BASE is TORVANE.
#include "update/ReleaseSignature.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace {

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

int fail(const QString& text) {
    err() << "torvane-sign: " << text << Qt::endl;
    return 1;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

int newKey(const QString& path) {
    if (QFile::exists(path))
        return fail(QStringLiteral("%1 already exists; it is not overwritten").arg(path));
    const releaseSignature::KeyPair pair = releaseSignature::generate();
    if (!writeFile(path, pair.secretKey.toHex() + '\n'))
        return fail(QStringLiteral("cannot write %1").arg(path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QTextStream out(stdout);
    for (int i = 0; i < pair.publicKey.size(); ++i)
        out << QStringLiteral("0x%1,").arg(quint8(pair.publicKey[i]), 2, 16, QLatin1Char('0'))
            << ((i % 8 == 7) ? "\n" : " ");
    return 0;
}

int publish(const QString& keyPath, const QString& programPath, const QString& version, const QString& folder,
            const QString& base) {
    QFile keyFile(keyPath);
    if (!keyFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(keyPath));
    const QByteArray secretKey = QByteArray::fromHex(keyFile.readAll().trimmed());
    if (secretKey.size() != releaseSignature::kSecretKeyBytes)
        return fail(QStringLiteral("%1 holds no secret key").arg(keyPath));
    if (!QRegularExpression(QStringLiteral("^\\d{6}$")).match(version).hasMatch())
        return fail(QStringLiteral("the version must be six digits, as 010100"));
    QFile program(programPath);
    if (!program.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(programPath));
    const QByteArray bytes = program.readAll();
    if (bytes.size() > 9999999999LL)
        return fail(QStringLiteral("the program is too large for the status page"));
    const QByteArray signature = releaseSignature::sign(bytes, secretKey);
    // The pair must hold together: a signature this program would refuse is no release.
    const QByteArray publicKey = secretKey.right(releaseSignature::kPublicKeyBytes);
    if (!releaseSignature::verify(bytes, signature, publicKey))
        return fail(QStringLiteral("the signature does not verify"));
    if (publicKey != releaseSignature::releaseKey())
        err() << "torvane-sign: warning: this key is not the release key built into this Torvane" << Qt::endl;

    const QDir out(folder);
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create %1").arg(folder));
    const QByteArray page = (version + QDate::currentDate().toString(QStringLiteral("ddMMyy")) +
                             QStringLiteral("%1").arg(bytes.size(), 10, 10, QLatin1Char('0')))
                                .toLatin1();
    const QString download = out.filePath(base + QStringLiteral("DUA.EXE"));
    if (!writeFile(download, bytes) || !writeFile(download + QStringLiteral(".sig"), signature) ||
        !writeFile(out.filePath(base + QStringLiteral("UA.HTM")), page))
        return fail(QStringLiteral("cannot write into %1").arg(folder));
    QTextStream(stdout) << "published " << version << " (" << bytes.size() << " bytes) in " << folder << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--new-key"))
        return newKey(args[1]);
    if (args.size() == 4 || args.size() == 5)
        return publish(args[0], args[1], args[2], args[3], args.value(4, QStringLiteral("TORVANE")));
    return fail(QStringLiteral("usage: torvane-sign --new-key SECRET_KEY_FILE\n"
                               "       torvane-sign SECRET_KEY_FILE PROGRAM VERSION FOLDER [BASE]"));
}
