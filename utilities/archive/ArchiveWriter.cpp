#include "ArchiveWriter.h"

#include "ArchiveError.h"
#include "BlockPipeline.h"
#include "DiskSync.h"
#include "EntryName.h"
#include "ExtendedReal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QScopeGuard>
#include <QtEndian>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace ArchiveLayout;

namespace {

// The attribute word an entry carries. Windows reports it directly; elsewhere
// it is made from what the file system knows.
std::uint32_t attributesOf(const QFileInfo& info) {
#ifdef Q_OS_WIN
    const DWORD attributes =
        GetFileAttributesW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(info.absoluteFilePath()).utf16()));
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return attributes;
#endif
    std::uint32_t attributes = info.isDir() ? kAttributeFolder : kAttributeArchive;
    if (!(info.permissions() & QFileDevice::WriteOwner))
        attributes |= kAttributeReadOnly;
    if (info.isHidden())
        attributes |= kAttributeHidden;
    return attributes;
}

// Names in plain code-unit order, so one folder always gives the same archive
// whatever order the file system lists it in.
void sortByName(QFileInfoList& list) {
    std::sort(list.begin(), list.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.fileName() < b.fileName(); });
}

} // namespace

ArchiveWriter::ArchiveWriter(const QString& archivePath) : m_archivePath(archivePath) {}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::addFolderTree(const QString& folder) {
    const QFileInfo root(folder);
    if (!root.isDir())
        throw ArchiveError::readFailed(folder);

    // The walk comes before the temporary file exists, so it never meets it;
    // an earlier archive of the same name inside the tree is stepped over.
    m_archiveCanonical = QFileInfo(m_archivePath).canonicalFilePath();
    QList<Item> items;
    QStringList ancestors{root.canonicalFilePath()};
    collect(root.absoluteFilePath(), QString(), ancestors, items);
    m_bytesDone = 0;
    m_bytesTotal = 0;
    for (const Item& item : items)
        m_bytesTotal += item.folder ? 0 : item.source.size();

    // Destroyed without a commit, on any error or exception, the temporary
    // file is removed.
    QSaveFile file(m_archivePath);
    m_file = &file;
    const auto detach = qScopeGuard([this] { m_file = nullptr; });
    if (!file.open(QIODevice::WriteOnly))
        throw ArchiveError::writeFailed(m_archivePath);
    m_header = Header{};
    // Until the last file is in, the header does not call its segment the
    // last: a copy of the file taken midway (between two files it is a well
    // formed archive of fewer files) is refused as unfinished.
    m_header.flags &= ~kLastSegment;
    if (m_archiveId) {
        m_header.archiveId = *m_archiveId;
    } else {
        QElapsedTimer ticks;
        ticks.start();
        m_header.archiveId = quint32(ticks.msecsSinceReference());
    }
    writeAt(0, m_header.encode());

    BlockPipeline pipeline(BlockPipeline::Mode::Compress, int(m_level), m_header.blockSize,
                           m_threads > 0 ? m_threads : BlockPipeline::defaultThreads());
    for (const Item& item : items) {
        if (item.folder)
            addFolderEntry(item);
        else
            addFile(item, pipeline);
    }
    commit();
}

void ArchiveWriter::commit() {
    m_header.flags |= kLastSegment;
    writeAt(0, m_header.encode());
    if (!m_file->flush() || !DiskSync::syncFile(*m_file) || !m_file->commit())
        throw ArchiveError::writeFailed(m_archivePath);
    // The rename is durable only once the folder holding it is synced.
    DiskSync::syncFolder(QFileInfo(m_archivePath).absolutePath());
}

void ArchiveWriter::collect(const QString& folder, const QString& prefix, QStringList& ancestors, QList<Item>& items) {
    const QDir dir(folder);
    if (!dir.isReadable())
        throw ArchiveError::readFailed(folder);
    // Every file, hidden and system ones too; isFile() below then keeps
    // regular files and links to them only, since a pipe or a device would
    // hang the backup or make no sense in it.
    const auto every = QDir::Hidden | QDir::System;
    QFileInfoList files = dir.entryInfoList(QDir::Files | every, QDir::Unsorted);
    QFileInfoList folders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | every, QDir::Unsorted);
    sortByName(files);
    sortByName(folders);

    bool yielded = false;
    for (const QFileInfo& file : std::as_const(files)) {
        if (!file.isFile() || (!m_archiveCanonical.isEmpty() && file.canonicalFilePath() == m_archiveCanonical))
            continue;
        items.append({file, prefix + file.fileName(), false});
        yielded = true;
    }
    for (const QFileInfo& sub : std::as_const(folders)) {
        // A link back to a folder already being walked would never end.
        const QString canonical = sub.canonicalFilePath();
        if (!sub.isDir() || canonical.isEmpty() || ancestors.contains(canonical))
            continue;
        yielded = true;
        ancestors.append(canonical);
        collect(sub.absoluteFilePath(), prefix + sub.fileName() + u'\\', ancestors, items);
        ancestors.removeLast();
    }
    if (!yielded)
        items.append({QFileInfo(folder), prefix + u'.', true});
}

void ArchiveWriter::addFolderEntry(const Item& item) {
    Entry entry;
    entry.name = item.name;
    entry.rawName = EntryName::encode(item.name);
    entry.modified = ExtendedReal::fromDateTime(item.source.lastModified());
    entry.attributes = attributesOf(item.source);
    entry.offset = m_header.endOfData;
    entry.flags = kEntryFolder | kEntryComplete;
    checkRoom(entry.encodedSize());
    writeAt(entry.offset, entry.encode());
    finishEntry(entry);
}

void ArchiveWriter::addFile(const Item& item, BlockPipeline& pipeline) {
    const QString path = item.source.absoluteFilePath();
    if (m_progress.fileStarted)
        m_progress.fileStarted(path);
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        throw ArchiveError::readFailed(path);

    Entry entry;
    entry.name = item.name;
    entry.rawName = EntryName::encode(item.name);
    entry.modified = ExtendedReal::fromDateTime(item.source.lastModified());
    entry.attributes = attributesOf(item.source);
    entry.offset = m_header.endOfData;
    entry.flags = kEntryFile;
    entry.size = item.source.size();
    checkRoom(entry.encodedSize());
    writeAt(entry.offset, entry.encode());
    // What is counted is what was read, should the file change meanwhile.
    entry.size = 0;

    const auto retire = [&] {
        auto block = pipeline.next();
        if (block->failure)
            std::rethrow_exception(block->failure);
        if (block->status != Block::Status::Ok)
            throw ArchiveError::cannotDeflate(QStringLiteral("zlib refused a piece of %1").arg(path))
                .withEntry(item.name);
        writeBlock(*block, entry);
        m_bytesDone += qint64(block->inputSize);
        if (m_progress.bytesDone)
            m_progress.bytesDone(m_bytesDone, std::max(m_bytesDone, m_bytesTotal));
        pipeline.recycle(std::move(block));
    };

    const qint64 blockSize = m_header.blockSize;
    for (bool atEnd = false; !atEnd;) {
        while (pipeline.isFull())
            retire();
        auto block = pipeline.take();
        block->input.resize(std::size_t(blockSize));
        qint64 filled = 0;
        while (filled < blockSize) {
            const qint64 got = source.read(reinterpret_cast<char*>(block->input.data()) + filled, blockSize - filled);
            if (got < 0)
                throw ArchiveError::readFailed(path);
            if (got == 0) {
                atEnd = true;
                break;
            }
            filled += got;
        }
        if (filled == 0) {
            pipeline.recycle(std::move(block));
            break;
        }
        block->inputSize = std::size_t(filled);
        entry.size += filled;
        pipeline.submit(std::move(block));
    }
    while (!pipeline.isEmpty())
        retire();
    finishEntry(entry);
}

void ArchiveWriter::writeBlock(const Block& block, Entry& entry) {
    const qint64 size = qint64(block.storedSize());
    checkRoom(kBlockHeaderSize + size);
    unsigned char head[kBlockHeaderSize];
    qToLittleEndian<std::int32_t>(block.length, head);
    qToLittleEndian<std::uint32_t>(block.checksum, head + 4);
    write(reinterpret_cast<const char*>(head), kBlockHeaderSize);
    write(reinterpret_cast<const char*>(block.stored()), size);
    entry.stored += kBlockHeaderSize + size;
}

void ArchiveWriter::finishEntry(Entry& entry) {
    entry.flags |= kEntryComplete;
    writeAt(entry.offset, entry.encode());
    m_header.endOfData = std::uint32_t(entry.offset + entry.encodedSize() + entry.stored);
    m_header.segmentEntries += 1;
    m_header.entries += 1;
    m_header.segmentBytes += std::uint64_t(entry.size);
    m_header.bytes += std::uint64_t(entry.size);
    m_header.segmentStored += std::uint64_t(entry.stored);
    m_header.stored += std::uint64_t(entry.stored);
    writeAt(0, m_header.encode());
    if (!m_file->seek(m_header.endOfData))
        throw ArchiveError::writeFailed(m_archivePath);
}

void ArchiveWriter::writeAt(qint64 position, const QByteArray& bytes) {
    if (!m_file->seek(position))
        throw ArchiveError::writeFailed(m_archivePath);
    write(bytes.constData(), bytes.size());
}

void ArchiveWriter::write(const char* data, qint64 size) {
    if (m_file->write(data, size) != size)
        throw ArchiveError::writeFailed(m_archivePath);
}

void ArchiveWriter::checkRoom(qint64 more) const {
    if (m_file->pos() + more > kMaxArchiveSize)
        throw ArchiveError::tooLarge(m_archivePath);
}
