#pragma once

#include "reports/SheetDocument.h"

#include <QImage>
#include <QPageLayout>

class QPagedPaintDevice;
class QPainter;

// Lays a produced sheet onto paper: every item at its place in millimetres, texts
// in the house font cut to their box, mark glyphs as ticked and empty boxes.
class SheetRenderer {
public:
    // A4 in the sheet's orientation, without printer margins: the sheet keeps its own.
    static QPageLayout pageLayout(const SheetDocument& sheet);

    // Paints one page with the paper's top left at the painter's origin, on a
    // device of this many dots per millimetre.
    static void paintPage(QPainter& painter, const SheetPage& page, double dotsPerMm);
    // Paints every page on a printer or PDF writer set up with pageLayout(); false
    // when painting could not start (a printer that refuses the job).
    static bool paint(const SheetDocument& sheet, QPagedPaintDevice& device);
    // Writes the sheet as a PDF file, replacing the file only once it is complete.
    static bool writePdf(const SheetDocument& sheet, const QString& path);
    // One page as an image (white paper), for tests and thumbnails.
    static QImage pageImage(const SheetDocument& sheet, int pageIndex, double dotsPerMm);

    // The face of the sheets: a plain sans-serif.
    static QFont font(const SheetFont& font);
};
