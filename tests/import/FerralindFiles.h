#pragma once

#include "import/CodePage.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include <shapefil.h>

// A field of a dBase file: name, native type ('C', 'N', 'D', 'L') and width.
struct DbfField {
    QString name;
    char type = 'C';
    int width = 20;
};

// A dBase file written with shapelib's writer, record by record. Values are
// texts, written as they stand in whatever field (so a test can put a word in
// a number field) after conversion to the file's code page.
class DbfWriter {
public:
    // languageDriver is the header byte: 0x01 code page 437, 0x02 code page 850,
    // 0x03 or 0x57 Windows-1252, 0 none.
    DbfWriter(const QString& path, const QList<DbfField>& fields, int languageDriver = 0x02);
    DbfWriter(const DbfWriter&) = delete;
    DbfWriter& operator=(const DbfWriter&) = delete;
    ~DbfWriter();

    // One record; fields not named stay blank.
    void add(const QHash<QString, QString>& values, bool deleted = false);
    // One record, a text per field in the order of the fields.
    void addRow(const QStringList& values);
    int fieldIndex(const QString& name) const { return m_index.value(name.toUpper(), -1); }

private:
    DBFHandle m_dbf = nullptr;
    CodePage m_page;
    QHash<QString, int> m_index;
    int m_records = 0;
};

namespace ferralind {

// Every field the import reads from one of its files ("fich_.dbf"), with a
// type and width such a file has.
QList<DbfField> fieldsOf(const QString& file);

} // namespace ferralind

// A predecessor's folder for one test: each of the files with every field the
// import reads and the records the test adds, written when asked.
class FerralindFolder {
public:
    explicit FerralindFolder(const QString& folder) : m_folder(folder) {}
    const QString& folder() const { return m_folder; }

    void add(const QString& file, const QHash<QString, QString>& values, bool deleted = false) {
        m_records[file].push_back({values, deleted});
    }
    bool has(const QString& file) const { return m_records.count(file) > 0; }
    // How a file is written: under another name on disk, with a field left out,
    // in a code page, or not at all.
    void nameOnDisk(const QString& file, const QString& onDisk) { m_names[file] = onDisk; }
    void leaveOutField(const QString& file, const QString& field) { m_leftOut[file] << field; }
    void setDriver(const QString& file, int driver) { m_drivers[file] = driver; }
    void leaveOutFile(const QString& file) { m_missing << file; }

    void write() const;

private:
    struct Record {
        QHash<QString, QString> values;
        bool deleted;
    };
    QString m_folder;
    std::map<QString, std::vector<Record>> m_records;
    QHash<QString, QString> m_names;
    QHash<QString, QStringList> m_leftOut;
    QHash<QString, int> m_drivers;
    QStringList m_missing;
};
