#include "Updater.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QUrl>

Updater::Updater(Options options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_network(new QNetworkAccessManager(this)) {}

Updater::~Updater() {
    if (m_reply)
        m_reply->abort();
}

bool Updater::startProgram(const QString& program) {
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

QNetworkReply* Updater::get(const QString& address) {
    QNetworkRequest request{QUrl(address)};
    request.setTransferTimeout(m_options.idleTimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    return reply;
}

void Updater::check() {
    m_clock.start();
    const QString address = m_options.files.statusAddress(m_options.server);
    if (address.isEmpty() || !QUrl(address).isValid()) {
        finish(Outcome::NoUpdate);
        return;
    }
    QNetworkReply* reply = get(address);
    connect(reply, &QNetworkReply::requestSent, this, &Updater::connected);
    connect(reply, &QNetworkReply::finished, this, &Updater::statusArrived);
    keepSmall(reply);
}

void Updater::keepSmall(QNetworkReply* reply) {
    // The page and the signature are a few bytes: anything much longer is not
    // one of them and is not read into memory.
    connect(reply, &QNetworkReply::readyRead, this, [reply] {
        if (reply->bytesAvailable() > 4096)
            reply->abort();
    });
}

void Updater::statusArrived() {
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    reply->deleteLater();
    if (m_done)
        return;
    // No connection, a refused request, a missing page: no update, silently.
    if (reply->error() != QNetworkReply::NoError) {
        finish(Outcome::NoUpdate);
        return;
    }
    const std::optional<StatusPage> page = StatusPage::read(reply->readAll());
    if (!page || !page->offersUpdateFrom(m_options.currentVersion)) {
        finish(Outcome::NoUpdate);
        return;
    }
    m_page = *page;
    emit offered(m_page);
}

void Updater::download() {
    QFile::remove(m_options.files.download);
    m_file.setFileName(m_options.files.download);
    if (!m_file.open(QIODevice::WriteOnly)) {
        finish(
            Outcome::DownloadFailed,
            QStringLiteral("No se puede crear el archivo %1:\n%2").arg(m_options.files.download, m_file.errorString()));
        return;
    }
    m_received = 0;
    m_announced = -1;
    QNetworkReply* reply = get(m_options.files.downloadAddress(m_options.server));
    // The progress follows the bytes written here: Qt's own progress signal is
    // held back for a while after each one and would leave a slow transfer
    // showing an old count.
    connect(reply, &QNetworkReply::readyRead, this, &Updater::writeReceived);
    connect(reply, &QNetworkReply::finished, this, &Updater::downloadArrived);
}

void Updater::writeReceived() {
    if (m_done || !m_reply)
        return;
    const QByteArray chunk = m_reply->readAll();
    if (m_file.write(chunk) != chunk.size()) {
        const QString why = m_file.errorString();
        m_file.close();
        finish(Outcome::DownloadFailed,
               QStringLiteral("No se puede escribir el archivo %1:\n%2").arg(m_options.files.download, why));
        return;
    }
    m_received += chunk.size();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_announced = length.isValid() ? length.toLongLong() : -1;
    emit progress(m_received, m_announced);
}

void Updater::downloadArrived() {
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    reply->deleteLater();
    if (m_done)
        return;
    if (reply->error() == QNetworkReply::NoError)
        writeReceived();
    if (m_done)
        return;
    m_file.close();
    if (reply->error() != QNetworkReply::NoError) {
        finish(Outcome::DownloadFailed,
               QStringLiteral("Error al descargar la nueva versión:\n%1").arg(reply->errorString()));
        return;
    }
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 announced = length.isValid() ? length.toLongLong() : -1;
    // A download of any other size than both announced stays where it is and
    // is never run.
    if (m_received != announced || m_received != m_page.expectedSize ||
        QFileInfo(m_options.files.download).size() != m_received) {
        finish(Outcome::NotInstalled);
        return;
    }
    QNetworkReply* signature = get(m_options.files.signatureAddress(m_options.server));
    connect(signature, &QNetworkReply::finished, this, &Updater::signatureArrived);
    keepSmall(signature);
}

void Updater::signatureArrived() {
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    reply->deleteLater();
    if (m_done)
        return;
    // A signature that cannot be fetched is a missing one: installUpdate refuses it.
    const QByteArray signature = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    const InstallResult result = installUpdate(m_options.files, signature, m_options.publicKey, m_options.start);
    switch (result.kind) {
    case InstallResult::Kind::Installed:
        finish(Outcome::Installed);
        break;
    case InstallResult::Kind::BadSignature:
        finish(Outcome::BadSignature, result.message);
        break;
    case InstallResult::Kind::NotInstalled:
    case InstallResult::Kind::NotStarted:
        finish(Outcome::NotInstalled, result.message);
        break;
    }
}

void Updater::cancel() {
    if (m_done)
        return;
    finish(Outcome::Cancelled);
}

void Updater::finish(Outcome outcome, const QString& message) {
    if (m_done)
        return;
    m_done = true;
    if (m_reply && m_reply->isRunning())
        m_reply->abort();
    if (m_file.isOpen())
        m_file.close();
    emit finished(outcome, message);
}
