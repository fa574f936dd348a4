#pragma once

#include <QString>

#include <stdexcept>

// The one error the archive code throws. message() is the text the user sees,
// exactly as the backup and restore screens show it; detail() says, for logs
// and tests, which check failed; entryName() names the archived file being
// handled when it happened, if any.
class ArchiveError : public std::runtime_error {
public:
    enum class Kind {
        BadSignature,   // not an archive of ours
        UnknownVersion, // written by a newer program
        BadChecksum,    // a block's bytes changed since they were written
        CannotInflate,  // zlib refused a compressed block
        CannotDeflate,  // zlib refused to compress a piece
        Damaged,        // the layout itself is broken or hostile
        Unsupported,    // encrypted or solid archives, which we never write
        TooLarge,       // the archive would outgrow its 32-bit offsets
        ReadFailed,     // a source file or folder could not be read
        WriteFailed,    // a target file could not be written
    };

    ArchiveError(Kind kind, const QString& message, const QString& detail = {}, const QString& entryName = {});

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    const QString& detail() const { return m_detail; }
    const QString& entryName() const { return m_entryName; }

    // The same error, now knowing which archived file it concerns.
    ArchiveError withEntry(const QString& entryName) const;

    static ArchiveError badSignature(const QString& archivePath);
    static ArchiveError unknownVersion();
    static ArchiveError badChecksum();
    static ArchiveError cannotInflate(const QString& detail);
    static ArchiveError cannotDeflate(const QString& detail);
    static ArchiveError damaged(const QString& archivePath, const QString& detail);
    static ArchiveError unsupported(const QString& archivePath, const QString& detail);
    static ArchiveError tooLarge(const QString& archivePath);
    static ArchiveError readFailed(const QString& path);
    static ArchiveError writeFailed(const QString& path);

private:
    Kind m_kind;
    QString m_message;
    QString m_detail;
    QString m_entryName;
};
