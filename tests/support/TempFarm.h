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
