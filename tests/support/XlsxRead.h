#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// An Excel workbook read back as a spreadsheet program reads it (the file
// unzipped with `unzip`): each worksheet's cells by row and column (from 1) with
// their kind, their text or number and the number format of their style.
namespace xlsx {

struct Cell {
    enum class Kind { Text, Number, Logical };
    Kind kind = Kind::Text;
    QString text; // a text, or the number as written in the file
    double number = 0.0;
    QString format; // "General", "dd/mm/yyyy", "#,##0.00"...
};

struct Sheet {
    QString name;
    std::map<std::pair<int, int>, Cell> cells;
    // The cell, or nullptr when the file has none there.
    const Cell* at(int row, int column) const;
    // The texts of a row's cells from column 1 to the last one there is ("" for a gap).
    QStringList row(int row) const;
    int lastRow() const;
};

// Every worksheet in workbook order; empty when the file cannot be read.
std::vector<Sheet> read(const QString& path);

// Days since 1899-12-30, as a spreadsheet stores a date.
double serial(int year, int month, int day);

} // namespace xlsx
