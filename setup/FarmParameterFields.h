#pragma once

#include <QStringList>
#include <vector>

class TableCursor;

// The farm parameters row (DatosExplotacion) as its screen lays it out: the farm
// name above six pages of fields. Numbers are whole numbers, names free text;
// whatever is typed is stored as typed.
namespace farmParameters {

struct Field {
    const char* column;
    const char* label;
    const char* page; // empty for the farm name, shown above the pages
    bool number;
};

// Every field, in screen order.
const std::vector<Field>& fields();
// "Jaulas", "Días", "Edades", "Reposiciones", "Nutrimentos", "Marcas Hembras".
QStringList pages();

// Puts the single row into editing; with the table empty a new row is begun, so
// the first confirmation of the screen creates it.
void beginEditing(TableCursor& cursor);

} // namespace farmParameters
