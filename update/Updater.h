#pragma once

#include "ReleaseSignature.h"
#include "UpdateInstall.h"
#include "UpdateRelease.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// The automatic update over HTTP: check() reads the status page into memory
// and offers the published version when it differs from the current one;
// download() then fetches the new program beside the running one, and when
// the bytes received, the bytes the server announced and the size of the page
// all agree, fetches the signature and installs (UpdateInstall). Every
// silent end (no server, no page, a page of the wrong length, the same
// version, a download of the wrong size) finishes with NoUpdate or
// NotInstalled and no message.
class Updater : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString server; // the update server's root address; empty: no update
        QString currentVersion;
        UpdateFiles files;
        QByteArray publicKey = releaseSignature::releaseKey();
        // Starts the installed program; false when it could not be started.
        std::function<bool(const QString& program)> start = startProgram;
        // A transfer that receives nothing for this long fails.
        int idleTimeoutMs = 30000;
    };

    enum class Outcome {
        NoUpdate,       // nothing offered, silently
        NotInstalled,   // wrong size, silently, or a file that could not be moved (message)
        BadSignature,   // missing or wrong signature: download removed (message)
        DownloadFailed, // the transfer broke off (message); the caller waits for "Cancelar"
        Cancelled,
        Installed, // the new program runs: the caller ends this one
    };

    explicit Updater(Options options, QObject* parent = nullptr);
    ~Updater() override;

    void check();
    void download();
    void cancel();

    const Options& options() const { return m_options; }
    // Since check(): the base of the transfer rate.
    qint64 elapsedMs() const { return m_clock.elapsed(); }

    static bool startProgram(const QString& program);

signals:
    void connected();
    void offered(const StatusPage& page);
    void progress(qint64 received, qint64 total);
    // message: what to tell the farmer, empty for the silent ends.
    void finished(Updater::Outcome outcome, const QString& message);

private:
    QNetworkReply* get(const QString& address);
    void keepSmall(QNetworkReply* reply);
    void statusArrived();
    void downloadArrived();
    void writeReceived();
    void signatureArrived();
    void finish(Outcome outcome, const QString& message = QString());

    Options m_options;
    QNetworkAccessManager* m_network;
    QPointer<QNetworkReply> m_reply;
    QElapsedTimer m_clock;
    StatusPage m_page;
    QFile m_file;
    qint64 m_received = 0;
    qint64 m_announced = -1;
    bool m_done = false;
};
