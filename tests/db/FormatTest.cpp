#include "db/DbError.h"
#include "db/DisplayFormat.h"
#include "db/SqlFormat.h"

#include "TempFarm.h"
#include "blocks/BlockRow.h"
#include "db/Query.h"
#include "db/TableCursor.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct MaskCase {
    double value;
    const char* mask;
    const char* shown;
};

const MaskCase kMasks[] = {
    {3390, "#,##0", "3.390"},
    {0, "#,##0", "0"},
    {1234567, "#,##0", "1.234.567"},
    {-3390, "#,##0", "-3.390"},
    {999.6, "#,##0", "1.000"},
    {0, "#,###", ""},
    {7, "#,###", "7"},
    {12345, "#,###", "12.345"},
    {516, "0", "516"},
    {2.5, "0", "3"},
    {-2.5, "0", "-3"},
    {42, "000000", "000042"},
    {1234567, "000000", "1234567"},
    {0, "###", ""},
    {45, "###", "45"},
    {12.5, "0.00", "12,50"},
    {2.675, "0.00", "2,68"},
    {0, "0.00", "0,00"},
    {-0.001, "0.00", "0,00"},
    {1.2345, "0.000", "1,235"},
    {85.714285, "##0.00 %", "85,71 %"},
    {0.5, "##0.00 %", "0,50 %"},
    {1234.5, "##0.00 %", "1234,50 %"},
    {7.1, "0.00 %", "7,10 %"},
    {99.95, "##0", "100"},
    {0, "##0", "0"},
    {4.25, "0.0", "4,3"},
    {36.5, "0.00", "36,50"},
    // A hair below one half stays below it; the value is rounded as it is.
    {2.4999999999, "0", "2"},
    {-2.4999999999, "0", "-2"},
    {0.0049999999, "0.00", "0,00"},
    {9.995, "0.00", "10,00"},
    {0.000123456, "0.0000", "0,0001"},
};

TEST(Mask, WritesEveryMaskOfTheSheets) {
    for (const MaskCase& c : kMasks)
        EXPECT_EQ(display::mask(c.value, QString::fromUtf8(c.mask)).toStdString(), c.shown)
            << c.value << " through " << c.mask;
}

struct DateCase {
    QDate date;
    const char* mask;
    const char* shown;
};

TEST(DateMask, WritesSpanishDates) {
    const DateCase cases[] = {
        {QDate(2001, 3, 5), "dddd, d \"de\" mmmm \"de\" yyyy", "lunes, 5 de marzo de 2001"},
        {QDate(2002, 2, 4), "dd/mm/yyyy", "04/02/2002"},
        {QDate(2026, 12, 9), "dddd, dd/mm/yyyy", "miércoles, 09/12/2026"},
        {QDate(2002, 4, 23), "yyyymmdd", "20020423"},
        {QDate(), "dd/mm/yyyy", ""},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(display::date(c.date, QString::fromUtf8(c.mask)), QString::fromUtf8(c.shown)) << c.mask;
    EXPECT_EQ(display::longDate(QDate(2001, 3, 5)), QStringLiteral("lunes, 5 de marzo de 2001"));
}

TEST(ParseDate, ReadsDayMonthYearOrRefuses) {
    EXPECT_EQ(display::parseDate(QStringLiteral("04/02/2002")), QDate(2002, 2, 4));
    EXPECT_EQ(display::parseDate(QStringLiteral("4/2/2002")), QDate(2002, 2, 4));
    EXPECT_FALSE(display::parseDate(QStringLiteral("  /  /    ")).isValid());
    EXPECT_FALSE(display::parseDate(QString()).isValid());
    for (const char* bad : {"31/02/2002", "00/01/2002", "12/13/2002", "ab/cd/efgh"}) {
        try {
            display::parseDate(QString::fromUtf8(bad));
            ADD_FAILURE() << bad << " was taken as a date";
        } catch (const InvalidDate& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid date").arg(QString::fromUtf8(bad)));
        }
    }
}

TEST(StatementValues, FormsOfEveryKind) {
    EXPECT_EQ(sql::dateText(QDate(2002, 4, 23)), QStringLiteral("04/23/2002"));
    EXPECT_EQ(sql::date(QDate(2002, 4, 3)), QStringLiteral("'04/03/2002'"));
    EXPECT_EQ(sql::date(QDate()), QStringLiteral("NULL"));
    EXPECT_EQ(sql::number(-1), QStringLiteral("-1"));
    EXPECT_EQ(sql::whole(41.6), QStringLiteral("42"));
    EXPECT_EQ(sql::whole(-0.2), QStringLiteral("0"));
    EXPECT_EQ(sql::decimal2(12.5), QStringLiteral("12.50"));
    EXPECT_EQ(sql::decimal2(1234.567), QStringLiteral("1234.57"));
    EXPECT_EQ(sql::decimal2(0), QStringLiteral("0.00"));
    EXPECT_EQ(sql::shortest(1.25), QStringLiteral("1.25"));
    EXPECT_EQ(sql::shortest(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(sql::shortest(3), QStringLiteral("3"));
    EXPECT_EQ(sql::logical(true), QStringLiteral("True"));
    EXPECT_EQ(sql::palpation(std::nullopt), QStringLiteral("NULL"));
    EXPECT_EQ(sql::palpation(false), QStringLiteral("False"));
    EXPECT_EQ(sql::text(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(sql::text(QStringLiteral("01/02/2003")), QStringLiteral("/*txt*/'01/02/2003'"));
}

// Numbers no column can hold are refused with a Spanish text, never wrapped to
// -9223372036854775808 nor stored as NULL: in statement values, in the text
// readers and in the block row fields.
TEST(NumbersNoColumnHolds, AreRefusedEverywhere) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double bad : {1e308, -1e308, 9.5e18, -9.5e18, 9223372036854775808.0, inf, -inf, nan}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(sql::whole(bad), DbError);
    }
    for (double bad : {inf, -inf, nan}) {
        EXPECT_THROW(sql::decimal2(bad), DbError);
        EXPECT_THROW(sql::shortest(bad), DbError);
    }
    // The edges of the range still pass.
    EXPECT_EQ(sql::whole(-9223372036854775808.0), QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(sql::whole(9.2e18), QStringLiteral("9200000000000000000"));
    EXPECT_EQ(sql::shortest(1e308).size(), 309);

    TempFarm farm;
    TableCursor cycles(farm.db(), QStringLiteral("CubriHembras.db"), {QStringLiteral("Orden")});
    cycles.insert();
    for (const char* text : {"nan", "inf", "-inf", "1e400", "9.5e18", "1e308", "abc"}) {
        SCOPED_TRACE(text);
        const QString t = QString::fromLatin1(text);
        const bool isDouble = t == QLatin1String("9.5e18") || t == QLatin1String("1e308");
        if (isDouble)
            EXPECT_TRUE(display::parseNumber(t).has_value()); // a REAL column holds it
        else
            EXPECT_THROW(display::parseNumber(t), DbError);
        // A whole-number field of a block row, and a counter of the cursor.
        EXPECT_THROW(blockrow::numberField({QStringLiteral("000001"), t}, 1), DbError);
        EXPECT_THROW(cycles.setValue(QStringLiteral("Orden"), t), DbError);
    }
    EXPECT_THROW(cycles.setValue(QStringLiteral("NacidosVivos"), nan), DbError);
    Query bound(farm.db(), QStringLiteral("update Hembras set Eficacia=:indice"));
    EXPECT_THROW(bound.bindNumber(QStringLiteral(":indice"), nan), DbError);
    EXPECT_THROW(bound.bindNumber(QStringLiteral(":indice"), -inf), DbError);
    EXPECT_EQ(display::parseNumber(QStringLiteral("1.234,5")), 1234.5);
    EXPECT_EQ(display::parseNumber(QStringLiteral("  ")), std::nullopt);
    EXPECT_EQ(blockrow::numberField({QStringLiteral("000001"), QStringLiteral("41.6")}, 1), QStringLiteral("42"));
}

} // namespace
