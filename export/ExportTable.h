#pragma once

#include "ExportCell.h"

#include <QStringList>
#include <stdexcept>
#include <vector>

// A table as it leaves the program for a spreadsheet: the lines said above it
// (title, farm name, selection), the header row of captions and the rows.
struct ExportTable {
    QString name; // the worksheet's name
    QStringList heading;
    QStringList captions;
    std::vector<std::vector<ExportCell>> rows;
};

// A file that could not be written; the text says why.
class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};
