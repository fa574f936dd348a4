#include "GuideFarm.h"
#include "guide/GuideCounts.h"
#include "guide/GuidePlan.h"
#include "guide/GuideSheetData.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// A small farm with something for every sheet on the guide day.
void stock(GuideFarm& f) {
    f.female(1, 11, QDate(2000, 1, 1), -1, 0, true); // a birth, then two negatives
    f.cycle(1, 200, true, 169, 8);
    f.cycle(1, 80, false);
    f.cycle(1, 40, false);
    f.female(2, 12, QDate(2000, 1, 1), -1, 0, false, true); // weaned litter, due for mating
    f.cycle(2, 75, true, 44, 9, 1, 0, true);
    f.female(3, 13); // mated 12 days ago after a negative
    f.cycle(3, 60, false);
    f.cycle(3, 12);
    f.female(4, 14); // pregnant, 29 days
    f.cycle(4, 29, true);
    f.female(5, 15, QDate(2000, 1, 1), -1, 6); // a litter of 10 days, sick
    f.cycle(5, 41, true, 10, 7, 2, 1);
    f.female(6, 16); // a litter of 30 days
    f.cycle(6, 61, true, 30, 10, 0, 2);
    f.female(7, 17, QDate(2000, 9, 1));    // never mated, 185 days old
    f.female(8, 99, QDate(2000, 1, 1), 1); // never mated, culled, outside the range
    f.male(21, 40);
    f.maleCycle(21, 30, true);
    f.maleCycle(21, 20, true);
    f.maleCycle(21, 5, false);
}

QString sheetText(const GuideSheetData& d) {
    QStringList out{QStringLiteral("== ") + d.title, d.farmName + QStringLiteral(" | ") + d.selection};
    QStringList captions;
    for (const GuideColumn& c : d.columns)
        captions << c.caption;
    out << captions.join(QStringLiteral(" | "));
    for (const GuideSheetLine& l : d.lines)
        out << QStringLiteral("%1 | %2 | %3 | %4")
                   .arg(l.cage)
                   .arg(l.code)
                   .arg(l.marks, l.cells.join(QStringLiteral(" | ")));
    return out.join(QLatin1Char('\n'));
}

TEST(GuideDayText, EverySheetOfOneDayReadsAsKept) {
    GuideFarm farm;
    stock(farm);
    GuideContext c = farm.context({10, 20});
    c.numbers.firstMale = 20;
    c.numbers.lastMale = 29;
    GuideCounts counts(farm.db());
    QStringList sheets;
    for (int k = 0; k <= int(GuideSheetKind::Enfermos); ++k) {
        const GuideSheetData d = collectSheet(farm.db(), counts, GuideSheetKind(k), c);
        if (!d.lines.empty())
            sheets << sheetText(d);
    }
    const QString actual = sheets.join(QStringLiteral("\n\n")) + QLatin1Char('\n');
    QFile kept(QStringLiteral(TORVANE_GUIDE_DATA "/guide-day.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << kept.fileName().toStdString();
    EXPECT_EQ(actual, QString::fromUtf8(kept.readAll())) << actual.toStdString();
}

} // namespace
