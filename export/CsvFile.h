#pragma once

#include "ExportTable.h"

// A table as the text a Spanish spreadsheet opens: UTF-8 with its byte-order
// mark (so accents come out right), ";" between fields, lines ended by CR LF,
// the captions as the first line and one line per row. Numbers have a "," before
// their decimals and no thousands separator (a percentage ends in "%"), dates are
// "dd/mm/yyyy"; a text holding ";", quotes, a line break or spaces at its ends is
// quoted with its quotes doubled. The lines above the table are not written.
namespace csv {

QByteArray text(const ExportTable& table);
// Throws ExportError when the file cannot be written.
void write(const ExportTable& table, const QString& path);

// One cell as a field of the line.
QString field(const ExportCell& cell);

} // namespace csv
