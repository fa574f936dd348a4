#pragma once

#include <QString>

#include <functional>

// What the backup and restore windows show while an archive is written or
// read: the file at hand ("Comprimiendo a %s", "Decomprimiendo a %s") and the
// share of the work done. Both are called on the caller's thread, in order.
struct ArchiveProgress {
    // The path of the file being compressed (its source) or unpacked (its target).
    std::function<void(const QString& path)> fileStarted;
    // Writing: file bytes compressed so far of all to compress. Reading:
    // archive bytes read so far of all to read.
    std::function<void(qint64 done, qint64 total)> bytesDone;
};
