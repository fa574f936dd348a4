// Writes one archive of a folder and exits: the process the kill test stops
// at random moments.
//
//   archive_write_child <folder> <archive>

#include "utilities/archive/ArchiveError.h"
#include "utilities/archive/ArchiveWriter.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    try {
        ArchiveWriter writer(QString::fromLocal8Bit(argv[2]));
        writer.addFolderTree(QString::fromLocal8Bit(argv[1]));
    } catch (const ArchiveError& error) {
        std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
