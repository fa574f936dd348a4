#pragma once

#include <QString>

class QFileDevice;

// Pushing written bytes from the system's cache to the disk, so that what a
// program calls finished survives a crash or a power cut.
namespace DiskSync {

// Syncs an open file's data (POSIX; elsewhere QSaveFile::commit() does it).
// False only when the system reports that the bytes could not be written; a
// file system that cannot sync is not a failure.
bool syncFile(QFileDevice& file);

// Syncs a folder's own entries (a rename or a new file in it), on POSIX;
// elsewhere, and where the file system cannot, it does nothing.
void syncFolder(const QString& path);

} // namespace DiskSync
