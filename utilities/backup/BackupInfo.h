#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The description file "infos.txt" written on each disk of a backup set.
struct BackupInfo {
    QDateTime written;
    QString backupName = QStringLiteral("ZR");
    int disk = 0;                // 0 when the file names no "Disk#"
    qint64 archiveSize = 0;
    QString incompleteFile;      // "FileIncompletelySaved": empty on the last disk

    bool continues() const { return !incompleteFile.isEmpty(); }
    // Lines "Name=Value" in their fixed order; empty values are left out.
    QString text() const;
    // Names are matched without regard to case.
    static BackupInfo parse(const QString& text);
    // Nothing when the disk holds no "infos.txt".
    static std::optional<BackupInfo> read(const QString& diskPath);
    void write(const QString& diskPath) const; // throws BackupError
};

inline const QString kInfoFileName = QStringLiteral("infos.txt");
