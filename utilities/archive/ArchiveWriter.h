#pragma once

#include "ArchiveLayout.h"
#include "ArchiveProgress.h"

#include <QFileInfo>
#include <QList>
#include <QString>

#include <optional>

class QSaveFile;

class BlockPipeline;
struct Block;

// zlib levels an archive can be written with; the backup uses Normal.
enum class CompressionLevel : int { None = 0, SuperFast = 1, Fast = 5, Normal = -1, Maximum = 9 };

// Writes a new archive holding every file of a folder tree.
//
// Files of a folder come first, in the order of their names, then its
// subfolders, each in turn; an empty folder gets an entry of its own. After
// every file the entry and the header are rewritten with the final sizes and
// counters.
//
// The header calls its segment the last only once the last file is in, so a
// copy of an archive being written is refused by the reader.
//
// An archive is complete or it is not there: it is written under a temporary
// name beside the target, synced to the disk, and renamed over the target only
// once the last file is in (the folder is synced after the rename, on POSIX).
// Any failure, exception or interruption before that removes the temporary
// file and leaves an archive already under the target's name as it was.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const QString& archivePath);
    ~ArchiveWriter();

    void setLevel(CompressionLevel level) { m_level = level; }
    // 1 writes on the calling thread only; the bytes are the same for any count.
    void setThreads(int threads) { m_threads = threads; }
    // The header normally carries the millisecond tick count; tests that
    // compare archives fix it.
    void setArchiveId(quint32 id) { m_archiveId = id; }
    void setProgress(ArchiveProgress progress) { m_progress = std::move(progress); }

    // Writes the tree under `folder` as a new archive that replaces any
    // earlier one of that name. Throws ArchiveError.
    void addFolderTree(const QString& folder);

    const ArchiveLayout::Header& header() const { return m_header; }

private:
    struct Item {
        QFileInfo source;
        QString name;
        bool folder = false;
    };

    void collect(const QString& folder, const QString& prefix, QStringList& ancestors, QList<Item>& items);
    void addFile(const Item& item, BlockPipeline& pipeline);
    void addFolderEntry(const Item& item);
    void writeBlock(const Block& block, ArchiveLayout::Entry& entry);
    void finishEntry(ArchiveLayout::Entry& entry);
    void writeAt(qint64 position, const QByteArray& bytes);
    void write(const char* data, qint64 size);
    void checkRoom(qint64 more) const;
    void commit();

    QString m_archivePath;
    QString m_archiveCanonical; // an earlier archive of that name, left out of the walk
    CompressionLevel m_level = CompressionLevel::Normal;
    int m_threads = 0;
    std::optional<quint32> m_archiveId;
    ArchiveProgress m_progress;
    ArchiveLayout::Header m_header;
    QSaveFile* m_file = nullptr; // while addFolderTree runs
    qint64 m_bytesDone = 0;
    qint64 m_bytesTotal = 0;
};
