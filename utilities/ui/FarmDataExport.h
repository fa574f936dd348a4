#pragma once

class Database;
class QWidget;

// "Archivo" > "Exportar Datos...": asks where to keep the workbook (the farm's
// name as the suggested file in the documents folder), writes every farm table
// into it under the waiting message (see export/FarmTables.h) and says when it
// is done. An error is shown and leaves no file; a cancel does nothing.
namespace farm_data_export {

// True when the workbook was written.
bool run(QWidget* parent, Database& db);

} // namespace farm_data_export
