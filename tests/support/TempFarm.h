#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away folder for one test: data folder, settings and alias file all
// live under it and vanish with it.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

#include "db/Database.h"

#include <memory>

// A new farm database in a throw-away folder, as a first run creates it.
class TempFarm {
public:
    TempFarm() : m_db(Database::openInFolder(m_folder.file(QStringLiteral("Datos")))) {}
    Database& db() { return *m_db; }
    QString folder() const { return m_folder.path(); }
    // Closes and opens the file again, as the next start of the program does.
    void reopen() {
        const QString path = m_db->filePath();
        m_db.reset();
        m_db = std::make_unique<Database>(path);
    }

private:
    TempFolder m_folder;
    std::unique_ptr<Database> m_db;
};
