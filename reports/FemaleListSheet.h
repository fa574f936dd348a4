#pragma once

#include "HouseSheet.h"

// The layout shared by the lists of females: two page columns (four on the
// occupied cages list), each line starting with "Jaula", "Hembra" and the four
// mark glyphs under "1 2 3 4", then the sheet's own columns, and the mark legend
// in the footer. The male selection listing uses it too, adapted by showMales().
class FemaleListSheet : public HouseSheet {
public:
    static constexpr double kCageWidth = 11.0;
    static constexpr double kCodeWidth = 13.0;
    static constexpr double kMarksWidth = 16.0;

    FemaleListSheet(Database& db, const QString& title, const QDate& date, int columnsPerPage = 2);

    // "Macho" over CodigoMacho, no mark caption, no glyphs and no legend.
    void showMales();
    bool showsMarks() const { return m_marks; }

private:
    bool m_marks = true;
};
