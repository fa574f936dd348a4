#include "DiskSync.h"

#include <QFile>
#include <QFileDevice>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
namespace {

// EINVAL and ENOTSUP: a pipe, a special file or a file system without sync.
bool cannotSync(int error) {
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

int syncDescriptor(int fd) {
    int result;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    return result;
}

} // namespace
#endif

bool DiskSync::syncFile(QFileDevice& file) {
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (fd < 0)
        return false;
    return syncDescriptor(fd) == 0 || cannotSync(errno);
#else
    // Left to QSaveFile::commit(), which flushes the file's buffers to the
    // disk before renaming it on this platform.
    Q_UNUSED(file);
    return true;
#endif
}

void DiskSync::syncFolder(const QString& path) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    syncDescriptor(fd);
    ::close(fd);
#else
    Q_UNUSED(path);
#endif
}
