#include "ArchiveError.h"

ArchiveError::ArchiveError(Kind kind, const QString& message, const QString& detail, const QString& entryName)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message), m_detail(detail),
      m_entryName(entryName) {}

ArchiveError ArchiveError::withEntry(const QString& entryName) const {
    return ArchiveError(m_kind, m_message, m_detail, entryName);
}

// The first five texts are the ones archives have always been reported with,
// accents (and their absence) included.
ArchiveError ArchiveError::badSignature(const QString& archivePath) {
    return {Kind::BadSignature, QStringLiteral("Firma Erronea: el archivo \"%1\" no es valido").arg(archivePath)};
}

ArchiveError ArchiveError::unknownVersion() {
    return {Kind::UnknownVersion, QStringLiteral("Versión desconocida")};
}

ArchiveError ArchiveError::badChecksum() {
    return {Kind::BadChecksum, QStringLiteral("CRC incorrecto: los datos dentro del archivo estan corrompidos")};
}

ArchiveError ArchiveError::cannotInflate(const QString& detail) {
    return {Kind::CannotInflate, QStringLiteral("No es posible descomprimir el bloque"), detail};
}

ArchiveError ArchiveError::cannotDeflate(const QString& detail) {
    return {Kind::CannotDeflate, QStringLiteral("No se puede comprimir el bloque"), detail};
}

ArchiveError ArchiveError::damaged(const QString& archivePath, const QString& detail) {
    return {Kind::Damaged, QStringLiteral("El archivo \"%1\" está dañado y no se puede restaurar").arg(archivePath),
            detail};
}

ArchiveError ArchiveError::unsupported(const QString& archivePath, const QString& detail) {
    return {Kind::Unsupported,
            QStringLiteral("El archivo \"%1\" está cifrado o usa compresión sólida, que este programa no admite")
                .arg(archivePath),
            detail};
}

ArchiveError ArchiveError::tooLarge(const QString& archivePath) {
    return {Kind::TooLarge,
            QStringLiteral("El archivo \"%1\" superaría los 2 GB que admite el formato").arg(archivePath)};
}

ArchiveError ArchiveError::readFailed(const QString& path) {
    return {Kind::ReadFailed, QStringLiteral("No se puede leer %1").arg(path)};
}

ArchiveError ArchiveError::writeFailed(const QString& path) {
    return {Kind::WriteFailed, QStringLiteral("No se puede escribir el archivo %1").arg(path)};
}
