#pragma once

#include "ArchiveLayout.h"
#include "ArchiveProgress.h"

#include <QFileInfo>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class ArchiveError;
class QIODevice;
class BlockPipeline;

// What to do with a file about to be unpacked over an existing one.
enum class OverwriteAnswer { Replace, ReplaceAll, Keep, Cancel };
using OverwriteQuestion =
    std::function<OverwriteAnswer(const ArchiveLayout::Entry& archived, const QFileInfo& existing)>;

struct ExtractResult {
    int files = 0;   // files written
    int folders = 0; // empty-folder entries recreated
    int kept = 0;    // existing files left as they were
    bool cancelled = false;
};

// Reads an archive back: lists it, checks it, or unpacks it into a folder.
//
// The whole chain of entries is checked before anything is written, so an
// archive is refused whole when its layout is damaged, when the entries found
// or their sizes disagree with the header's counters, when bytes follow the
// end of data (what a writer cut short leaves), when a name would leave the
// extraction folder ("..", an absolute path, a drive letter) or reach a device
// or a stream, or when two names would be unpacked onto one file. Each file
// is unpacked into a temporary name beside its target and moved into place
// only after all its blocks have passed their checksums, so a failure never
// leaves a half-written file looking complete.
class ArchiveReader {
public:
    explicit ArchiveReader(const QString& archivePath);
    // Reads from an open or openable random-access device; `name` is what
    // messages call it.
    ArchiveReader(QIODevice* device, const QString& name);
    ~ArchiveReader();

    void setThreads(int threads) { m_threads = threads; }
    void setProgress(ArchiveProgress progress) { m_progress = std::move(progress); }
    // Without a question an existing file is replaced.
    void setOverwriteQuestion(OverwriteQuestion question) { m_question = std::move(question); }

    // All throw ArchiveError.
    const ArchiveLayout::Header& header();
    QList<ArchiveLayout::Entry> entries();
    // Reads and checks every block without writing anything.
    void verify();
    ExtractResult extractAll(const QString& folder);

private:
    struct Located {
        ArchiveLayout::Entry entry;
        QStringList parts;
        qint64 dataStart = 0;
    };
    using Sink = std::function<void(const unsigned char* data, std::size_t size)>;

    void open();
    // Every entry, read and checked against the header and each other once.
    const QList<Located>& chain();
    Located readEntry(qint64 position);
    void checkNames(const QList<Located>& list) const;
    void checkCounters(const QList<Located>& list) const;
    void readBlocks(const Located& at, BlockPipeline& pipeline, const Sink& sink);
    void extractFile(const Located& at, const QString& root, BlockPipeline& pipeline, ExtractResult& result,
                     bool& replaceAll);
    void readExactly(qint64 position, void* into, qint64 size);
    void advance(qint64 bytes);
    ArchiveError damage(const QString& detail) const;
    int threads() const;

    QString m_name;
    std::unique_ptr<QIODevice> m_ownDevice;
    QIODevice* m_device = nullptr;
    qint64 m_size = 0;
    bool m_opened = false;
    bool m_chained = false;
    QList<Located> m_chain;
    ArchiveLayout::Header m_header;
    qint64 m_dataStart = 0;
    int m_threads = 0;
    ArchiveProgress m_progress;
    OverwriteQuestion m_question;
    qint64 m_done = 0;
};
