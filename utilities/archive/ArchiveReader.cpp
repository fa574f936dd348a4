#include "ArchiveReader.h"

#include "ArchiveError.h"
#include "BlockPipeline.h"
#include "EntryName.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QtEndian>

#include <limits>

using namespace ArchiveLayout;

ArchiveReader::ArchiveReader(const QString& archivePath)
    : m_name(archivePath), m_ownDevice(std::make_unique<QFile>(archivePath)), m_device(m_ownDevice.get()) {}

ArchiveReader::ArchiveReader(QIODevice* device, const QString& name) : m_name(name), m_device(device) {}

ArchiveReader::~ArchiveReader() = default;

ArchiveError ArchiveReader::damage(const QString& detail) const {
    return ArchiveError::damaged(m_name, detail);
}

int ArchiveReader::threads() const {
    return m_threads > 0 ? m_threads : BlockPipeline::defaultThreads();
}

const Header& ArchiveReader::header() {
    open();
    return m_header;
}

void ArchiveReader::open() {
    if (m_opened)
        return;
    if (!m_device->isOpen() && !m_device->open(QIODevice::ReadOnly))
        throw ArchiveError::readFailed(m_name);
    m_size = m_device->size();

    unsigned char fixed[kHeaderSize] = {};
    const qint64 have = std::min<qint64>(m_size, kHeaderSize);
    readExactly(0, fixed, have);
    if (have < 4 || qFromLittleEndian<std::uint32_t>(fixed) != kSignature)
        throw ArchiveError::badSignature(m_name);
    if (have >= 8 && qFromLittleEndian<std::uint32_t>(fixed + 4) > kVersion)
        throw ArchiveError::unknownVersion();
    if (have < kHeaderSize)
        throw damage(QStringLiteral("shorter than an archive header"));

    m_header = Header::decodeFixed(fixed);
    const std::uint32_t commentLength = Header::commentLength(fixed);
    if (commentLength > m_size - kHeaderSize)
        throw damage(QStringLiteral("comment runs past the end of the file"));
    m_header.comment.resize(commentLength);
    readExactly(kHeaderSize, m_header.comment.data(), commentLength);
    m_dataStart = kHeaderSize + qint64(commentLength);

    if (m_header.blockSize == 0 || m_header.blockSize > kMaxBlockSize)
        throw damage(QStringLiteral("block size %1 out of range").arg(m_header.blockSize));
    if (m_header.endOfData < m_dataStart || m_header.endOfData > m_size)
        throw damage(QStringLiteral("end of data %1 outside the file").arg(m_header.endOfData));
    // A writer stopped midway leaves its unfinished entry past the end of data.
    if (m_size > m_header.endOfData)
        throw damage(QStringLiteral("%1 bytes past the end of data").arg(m_size - m_header.endOfData));
    if (m_header.flags & (kEncrypted | kSolid))
        throw ArchiveError::unsupported(m_name, QStringLiteral("archive flags %1").arg(m_header.flags));
    // Archives of one segment are the only ones written, and it is the last;
    // without the flag the writer never finished.
    if (!(m_header.flags & kLastSegment))
        throw damage(QStringLiteral("archive flags %1: not the last segment").arg(m_header.flags));
    m_opened = true;
}

void ArchiveReader::readExactly(qint64 position, void* into, qint64 size) {
    if (size == 0)
        return;
    if (m_device->pos() != position && !m_device->seek(position))
        throw damage(QStringLiteral("cannot seek to %1").arg(position));
    const qint64 got = m_device->read(static_cast<char*>(into), size);
    if (got < 0)
        throw ArchiveError::readFailed(m_name);
    if (got != size)
        throw damage(QStringLiteral("%1 bytes at %2 run past the end of the file").arg(size).arg(position));
}

ArchiveReader::Located ArchiveReader::readEntry(qint64 position) {
    const qint64 end = m_header.endOfData;
    if (end - position < 4)
        throw damage(QStringLiteral("entry at %1 runs past the end of data").arg(position));
    unsigned char lengthBytes[4];
    readExactly(position, lengthBytes, 4);
    const std::uint32_t nameLength = qFromLittleEndian<std::uint32_t>(lengthBytes);
    if (nameLength == 0 || nameLength > kMaxNameLength || end - position < kEntryFixedSize + qint64(nameLength))
        throw damage(QStringLiteral("entry at %1 has a name length of %2").arg(position).arg(nameLength));

    Located at;
    QByteArray rest(qsizetype(nameLength) + kEntryFixedSize - 4, '\0');
    readExactly(position + 4, rest.data(), rest.size());
    Entry& entry = at.entry;
    entry.rawName = rest.left(nameLength);
    entry.name = EntryName::decode(entry.rawName);
    entry.decodeRest(reinterpret_cast<const unsigned char*>(rest.constData()) + nameLength);
    at.dataStart = position + entry.encodedSize();

    const auto refuse = [&](const QString& why) {
        return damage(QStringLiteral("entry \"%1\" at %2: %3").arg(entry.name).arg(position).arg(why));
    };
    if (entry.flags & kEntryEncrypted)
        throw ArchiveError::unsupported(m_name, QStringLiteral("encrypted entry")).withEntry(entry.name);
    const std::uint8_t kind = entry.flags & (kEntryFile | kEntryFolder);
    if (kind != kEntryFile && kind != kEntryFolder)
        throw refuse(QStringLiteral("flags %1 name neither a file nor a folder").arg(entry.flags));
    if (!(entry.flags & kEntryComplete))
        throw refuse(QStringLiteral("entry never finished"));
    if (entry.offset != position)
        throw refuse(QStringLiteral("offset field says %1").arg(entry.offset));
    if (entry.size < 0 || entry.stored < 0 || entry.stored > end - at.dataStart)
        throw refuse(QStringLiteral("sizes %1 and %2 do not fit").arg(entry.size).arg(entry.stored));
    // Each block gives at most a block's bytes and takes at least 9.
    const qint64 mostBlocks = entry.stored / (kBlockHeaderSize + 1);
    if (entry.isFolder() ? (entry.size != 0 || entry.stored != 0)
                         : (entry.stored == 0) != (entry.size == 0) || entry.size > mostBlocks * m_header.blockSize)
        throw refuse(QStringLiteral("sizes %1 and %2 do not agree").arg(entry.size).arg(entry.stored));
    QString why;
    const auto parts = EntryName::safeParts(entry.name, entry.isFolder(), &why);
    if (!parts)
        throw refuse(why);
    at.parts = *parts;
    return at;
}

const QList<ArchiveReader::Located>& ArchiveReader::chain() {
    open();
    if (m_chained)
        return m_chain;
    QList<Located> list;
    for (qint64 position = m_dataStart; position < m_header.endOfData;) {
        list.append(readEntry(position));
        position = list.last().dataStart + list.last().entry.stored;
    }
    checkCounters(list);
    checkNames(list);
    m_chain = std::move(list);
    m_chained = true;
    return m_chain;
}

void ArchiveReader::checkCounters(const QList<Located>& list) const {
    // No overflow: the stored sizes lie inside a file of at most 4 GiB, and
    // readEntry holds each size to a block's bytes per 9 stored bytes.
    std::uint64_t bytes = 0, stored = 0;
    for (const Located& at : list) {
        bytes += std::uint64_t(at.entry.size);
        stored += std::uint64_t(at.entry.stored);
    }
    const auto found = std::uint32_t(list.size());
    if (m_header.entries != found || m_header.segmentEntries != found)
        throw damage(QStringLiteral("the header counts %1 entries (%2 in its segment), %3 found")
                         .arg(m_header.entries)
                         .arg(m_header.segmentEntries)
                         .arg(found));
    if (m_header.bytes != bytes || m_header.segmentBytes != bytes || m_header.stored != stored ||
        m_header.segmentStored != stored)
        throw damage(QStringLiteral("the header's byte totals disagree with its entries (%1 and %2 bytes)")
                         .arg(bytes)
                         .arg(stored));
}

void ArchiveReader::checkNames(const QList<Located>& list) const {
    QHash<QString, QString> named;   // every entry's key, with its name
    QHash<QString, QString> files;   // the keys of file entries
    QHash<QString, QString> folders; // every folder some entry is, or lies in
    const auto collide = [&](const QString& name, const QString& other) {
        return damage(QStringLiteral("\"%1\" would be unpacked onto \"%2\"").arg(name, other)).withEntry(name);
    };
    for (const Located& at : list) {
        const QString& name = at.entry.name;
        const QString key = EntryName::collisionKey(at.parts);
        if (const auto other = named.constFind(key); other != named.cend())
            throw collide(name, *other);
        if (!at.entry.isFolder())
            if (const auto folder = folders.constFind(key); folder != folders.cend())
                throw collide(name, *folder);
        // The folders on the way may not be files.
        for (qsizetype depth = 1; depth < at.parts.size(); ++depth) {
            const QString folder = EntryName::collisionKey(at.parts.first(depth));
            if (const auto file = files.constFind(folder); file != files.cend())
                throw collide(name, *file);
            folders.insert(folder, name);
        }
        named.insert(key, name);
        (at.entry.isFolder() ? folders : files).insert(key, name);
    }
}

QList<Entry> ArchiveReader::entries() {
    QList<Entry> list;
    for (const Located& at : chain())
        list.append(at.entry);
    return list;
}

void ArchiveReader::advance(qint64 bytes) {
    m_done += bytes;
    if (m_progress.bytesDone)
        m_progress.bytesDone(m_done, qint64(m_header.endOfData) - m_dataStart);
}

void ArchiveReader::verify() {
    open();
    m_done = 0;
    const QList<Located>& list = chain();
    BlockPipeline pipeline(BlockPipeline::Mode::Expand, 0, m_header.blockSize, threads());
    for (const Located& at : list) {
        advance(at.entry.encodedSize());
        if (!at.entry.isFolder())
            readBlocks(at, pipeline, [](const unsigned char*, std::size_t) {});
    }
}

ExtractResult ArchiveReader::extractAll(const QString& folder) {
    // Check the whole chain first: a hostile name or a broken layout anywhere
    // refuses the archive before a single file is touched.
    const QList<Located>& list = chain();

    if (!QDir().mkpath(folder))
        throw ArchiveError::writeFailed(folder);
    const QString root = QFileInfo(folder).canonicalFilePath();
    m_done = 0;
    ExtractResult result;
    bool replaceAll = false;
    BlockPipeline pipeline(BlockPipeline::Mode::Expand, 0, m_header.blockSize, threads());
    for (const Located& at : list) {
        advance(at.entry.encodedSize());
        if (at.entry.isFolder()) {
            const QString path = at.parts.isEmpty() ? root : root + u'/' + at.parts.join(u'/');
            if (!QDir().mkpath(path))
                throw ArchiveError::writeFailed(path).withEntry(at.entry.name);
            ++result.folders;
        } else {
            extractFile(at, root, pipeline, result, replaceAll);
        }
        if (result.cancelled)
            break;
    }
    return result;
}

void ArchiveReader::extractFile(const Located& at, const QString& root, BlockPipeline& pipeline, ExtractResult& result,
                                bool& replaceAll) {
    const Entry& entry = at.entry;
    const QString target = root + u'/' + at.parts.join(u'/');
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent))
        throw ArchiveError::writeFailed(target).withEntry(entry.name);
    // The name itself was checked; this catches a folder on the way that is a
    // link pointing elsewhere.
    const QString realParent = QFileInfo(parent).canonicalFilePath();
    if (realParent != root && !realParent.startsWith(root + u'/'))
        throw damage(QStringLiteral("\"%1\" would be written outside %2").arg(entry.name, root)).withEntry(entry.name);

    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink()) {
        if (!replaceAll && m_question) {
            switch (m_question(entry, existing)) {
            case OverwriteAnswer::Keep:
                ++result.kept;
                advance(entry.stored);
                return;
            case OverwriteAnswer::Cancel:
                result.cancelled = true;
                return;
            case OverwriteAnswer::ReplaceAll:
                replaceAll = true;
                break;
            case OverwriteAnswer::Replace:
                break;
            }
        }
        // Replace the link itself, never the file it points to.
        if (existing.isSymLink() && !QFile::remove(target))
            throw ArchiveError::writeFailed(target).withEntry(entry.name);
    }

    if (m_progress.fileStarted)
        m_progress.fileStarted(target);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw ArchiveError::writeFailed(target).withEntry(entry.name);
    readBlocks(at, pipeline, [&](const unsigned char* data, std::size_t size) {
        if (out.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            throw ArchiveError::writeFailed(target).withEntry(entry.name);
    });
    const QDateTime modified = entry.modifiedTime();
    if (modified.isValid() && out.flush())
        out.setFileTime(modified, QFileDevice::FileModificationTime);
    if (!out.commit())
        throw ArchiveError::writeFailed(target).withEntry(entry.name);
    ++result.files;
}

void ArchiveReader::readBlocks(const Located& at, BlockPipeline& pipeline, const Sink& sink) {
    const Entry& entry = at.entry;
    const qint64 end = at.dataStart + entry.stored;
    const std::uint32_t blockSize = m_header.blockSize;
    qint64 produced = 0;

    const auto retire = [&] {
        auto block = pipeline.next();
        if (block->failure)
            std::rethrow_exception(block->failure);
        switch (block->status) {
        case Block::Status::Ok:
            break;
        case Block::Status::BadChecksum:
            throw ArchiveError::badChecksum().withEntry(entry.name);
        case Block::Status::TooLong:
            throw damage(QStringLiteral("a block inflates past %1 bytes").arg(blockSize)).withEntry(entry.name);
        case Block::Status::TrailingBytes:
            throw damage(QStringLiteral("bytes after a block's zlib stream")).withEntry(entry.name);
        case Block::Status::CannotDeflate:
        case Block::Status::CannotInflate:
            throw ArchiveError::cannotInflate(QStringLiteral("zlib refused a block")).withEntry(entry.name);
        }
        produced += qint64(block->dataSize());
        if (produced > entry.size)
            throw damage(QStringLiteral("blocks hold more than %1 bytes").arg(entry.size)).withEntry(entry.name);
        sink(block->data(), block->dataSize());
        advance(kBlockHeaderSize + qint64(block->inputSize));
        pipeline.recycle(std::move(block));
    };
    // Blocks already handed to the pipeline come before the fault found now:
    // report theirs first, as reading one block after another would.
    const auto fail = [&](const QString& why) {
        while (!pipeline.isEmpty())
            retire();
        throw damage(why).withEntry(entry.name);
    };

    for (qint64 position = at.dataStart; position < end;) {
        while (pipeline.isFull())
            retire();
        if (end - position < kBlockHeaderSize)
            fail(QStringLiteral("block header at %1 runs past its entry").arg(position));
        unsigned char head[kBlockHeaderSize];
        readExactly(position, head, kBlockHeaderSize);
        const std::int32_t length = qFromLittleEndian<std::int32_t>(head);
        const std::uint32_t checksum = qFromLittleEndian<std::uint32_t>(head + 4);
        if (length == 0 || length == std::numeric_limits<std::int32_t>::min())
            fail(QStringLiteral("block at %1 has length %2").arg(position).arg(length));
        const qint64 size = length < 0 ? -qint64(length) : qint64(length);
        if (size > (length < 0 ? qint64(blockSize) : qint64(compressedLimit(blockSize))))
            fail(QStringLiteral("block at %1 has length %2").arg(position).arg(length));
        if (size > end - position - kBlockHeaderSize)
            fail(QStringLiteral("block at %1 runs past its entry").arg(position));

        auto block = pipeline.take();
        if (block->input.size() < std::size_t(size))
            block->input.resize(std::size_t(size));
        readExactly(position + kBlockHeaderSize, block->input.data(), size);
        block->inputSize = std::size_t(size);
        block->length = length;
        block->checksum = checksum;
        pipeline.submit(std::move(block));
        position += kBlockHeaderSize + size;
    }
    while (!pipeline.isEmpty())
        retire();
    if (produced != entry.size)
        throw damage(QStringLiteral("blocks hold %1 of %2 bytes").arg(produced).arg(entry.size)).withEntry(entry.name);
}
