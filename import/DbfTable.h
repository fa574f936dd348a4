#pragma once

#include "CodePage.h"

#include <QDate>
#include <QString>

#include <shapefil.h>

// One dBase file of the predecessor program, read through shapelib: its records
// in file order, each field by name as text, whole number, date or logical.
// Records count from 0 here; the import numbers them from 1.
class DbfTable {
public:
    // Opens `name` in `folder`, the name matched without regard to case
    // ("MADRES.DBF", "madres.dbf"), since such folders come from another system.
    // A file that is not there or cannot be read throws ImportError (MissingFile).
    DbfTable(const QString& folder, const QString& name);
    DbfTable(const DbfTable&) = delete;
    DbfTable& operator=(const DbfTable&) = delete;
    ~DbfTable();

    // The name the import asked for, as messages give it.
    const QString& name() const { return m_name; }
    int recordCount() const;
    CodePage codePage() const { return m_codePage; }
    // A record marked deleted keeps its position but holds no data to import.
    bool isDeleted(int record) const;

    // The index of a field; a field the file lacks throws ImportError (MissingField).
    int field(const QString& fieldName) const;

    // The field's text with the padding trimmed, converted from the file's code page.
    QString text(int record, int field) const;
    // True when the field holds nothing but blanks.
    bool isEmpty(int record, int field) const;
    // A whole number: decimals rounded to the nearest, an empty field 0. A text
    // that is no number throws ImportError (BadValue) naming record and field.
    qint64 whole(int record, int field) const;
    // The same, or nothing when the text is no number.
    bool tryWhole(int record, int field, qint64& value) const;
    // A date, "yyyymmdd": a null date when empty (blanks or "00000000"). Any
    // other text throws ImportError (BadValue).
    QDate date(int record, int field) const;
    // A logical: "T", "t", "Y" or "y" is true; anything else, empty included, false.
    bool logical(int record, int field) const;

    // Raises the error of a value the import cannot take, naming this file, the
    // record (counted from 1) and the field.
    [[noreturn]] void refuse(int record, int field, const QString& why) const;
    QString fieldName(int field) const;

private:
    const char* raw(int record, int field) const;

    QString m_name;
    DBFHandle m_dbf = nullptr;
    CodePage m_codePage = CodePage::Cp850;
};
