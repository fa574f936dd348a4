#pragma once

#include "reports/Sheet.h"

#include <QDate>
#include <memory>

class Database;

// The printed chart of the maternity and fattening charts: one landscape A4 page
// whose title band holds the farm name at the left (empty when the farm has no
// parameter row), today's long date at the top right and the chart below them;
// no page header and no footer. Its title, the print job's, is the indicator's
// caption.
//
// Element names: "explotacion", "fecha", "grafico".
class ChartSheet : public Sheet {
public:
    // Reads the farm name now. `chart` paints the chart into its place (the screens
    // give it their chart).
    ChartSheet(Database& db, const QString& caption, const QDate& today, std::shared_ptr<const SheetPainting> chart);
};
