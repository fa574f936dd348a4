#include "UpdateInstall.h"

#include "ReleaseSignature.h"

#include <QFile>

namespace {

const QString kKeepsRunning = QStringLiteral("Torvane sigue funcionando con la versión actual.");

InstallResult notInstalled(const QString& why) {
    return {InstallResult::Kind::NotInstalled,
            QStringLiteral("No se ha podido instalar la nueva versión: %1.\n%2").arg(why, kKeepsRunning)};
}

bool signatureChecks(const QString& download, const QByteArray& signature, const QByteArray& publicKey) {
    QFile file(download);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return releaseSignature::verify(file.readAll(), signature, publicKey);
}

} // namespace

InstallResult installUpdate(const UpdateFiles& files, const QByteArray& signature, const QByteArray& publicKey,
                            const std::function<bool(const QString& program)>& start) {
    // A program fetched over plain HTTP runs only when the release key signed it.
    if (!signatureChecks(files.download, signature, publicKey)) {
        QFile::remove(files.download);
        return {InstallResult::Kind::BadSignature,
                QStringLiteral("La nueva versión descargada no lleva una firma válida de Torvane y no se ha "
                               "instalado; el archivo descargado se ha borrado.\n") +
                    kKeepsRunning};
    }
    QFile::setPermissions(files.download, QFile::permissions(files.download) | QFileDevice::ReadOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    if (QFile::exists(files.previous) && !QFile::remove(files.previous))
        return notInstalled(QStringLiteral("no se puede borrar %1").arg(files.previous));
    if (!QFile::rename(files.program, files.previous))
        return notInstalled(QStringLiteral("no se puede renombrar %1").arg(files.program));
    if (!QFile::rename(files.download, files.program)) {
        // Without this the folder would be left with no program at all.
        QFile::rename(files.previous, files.program);
        return notInstalled(QStringLiteral("no se puede renombrar %1").arg(files.download));
    }
    if (!start(files.program))
        return {InstallResult::Kind::NotStarted,
                QStringLiteral("La nueva versión se ha instalado, pero no se ha podido iniciar.\nCierre Torvane y "
                               "vuelva a abrirlo para usarla.")};
    return {InstallResult::Kind::Installed, QString()};
}
