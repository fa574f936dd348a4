#pragma once

#include <QString>
#include <functional>

class Database;

// The farm's data for a technician or a benchmarking group: every farm table in
// one Excel workbook, one worksheet per table named after it, the column names
// as the header row and the rows in key order (as stored, for the tables
// without a key), each value by its kind (numbers, dates, logicals, texts).
namespace farm_tables {

// `step` hears the name of each table before it is written. Throws ExportError
// (or DbError) when the workbook cannot be written; no file is left then.
void exportAll(Database& db, const QString& path, const std::function<void(const QString& table)>& step = {});

} // namespace farm_tables
