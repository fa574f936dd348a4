#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

// What the update server publishes, all in one folder "descargasprivadas/" of
// its root address: the status page {base}UA.HTM, the new program {base}DUA.EXE
// and its detached Ed25519 signature {base}DUA.EXE.sig. {base} is the program
// file name without its extension ("TORVANE" for "TORVANE.EXE").

// The status page: exactly 22 characters, the version (1-6), the release date
// as three groups of two digits, day, month and year (7-12), and the size in
// bytes of the published program (13-22).
struct StatusPage {
    QString version;
    QDate date;
    // 0 when the date or the size cannot be read.
    qint64 expectedSize = 0;

    // Nothing when the body is not exactly 22 characters (a trailing line break
    // makes 23, and then there is no update).
    static std::optional<StatusPage> read(const QByteArray& body);
    // Only equality counts: an older version is offered as well.
    bool offersUpdateFrom(const QString& currentVersion) const { return version != currentVersion; }
};

// The addresses on the server and the files beside the program. Locally the
// running program's own file stands for {base}.EXE; the download and the
// previous program sit in the same folder.
struct UpdateFiles {
    QString base;
    QString program;  // the running program
    QString download; // {folder}/{base}DUA.EXE
    QString previous; // {folder}/{base}.OLD

    // programFileName as the callers hand it ("TORVANE.EXE").
    static UpdateFiles beside(const QString& programPath, const QString& programFileName);

    // {server}/descargasprivadas/{file}; empty when there is no server.
    QString statusAddress(const QString& server) const;
    QString downloadAddress(const QString& server) const;
    QString signatureAddress(const QString& server) const;
};

// The status line of a download: "{received} de {total} a {speed} {unit}/seg.",
// the numbers "#,##0", the average rate since the dialog became active in
// "KBytes" above 1024 bytes a second, otherwise in "Bytes".
QString transferLine(qint64 received, qint64 total, qint64 elapsedMs);
