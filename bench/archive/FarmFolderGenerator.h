#pragma once

#include <QString>

// Builds, once, the folder the archive benchmark packs: a large farm database
// (SQLite, about 65 MB of cycle, animal and ledger rows) beside photographs
// and documents that do not compress (about 35 MB), a few small files and an
// empty folder. The same seed always gives the same bytes.
class FarmFolderGenerator {
public:
    explicit FarmFolderGenerator(QString folder) : m_folder(std::move(folder)) {}

    // Generates the folder unless a finished one is already there.
    void ensure();
    QString folder() const { return m_folder; }

private:
    void writeDatabase(const QString& path);
    void writeNoise(const QString& path, qint64 size);

    QString m_folder;
    quint64 m_state = 0x5EED2024ull;
    quint64 next();
};
