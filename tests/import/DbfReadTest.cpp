#include "FerralindFiles.h"
#include "TempFarm.h"
#include "import/DbfTable.h"
#include "import/ImportError.h"

#include <QDir>
#include <gtest/gtest.h>

// The code page comes from the language-driver byte of the header; text in
// each arrives as typed, Spanish letters and quotes included.
TEST(DbfRead, TextArrivesAsTypedInEveryCodePage) {
    struct Case {
        int driver;
        const char* tilde; // the bytes of "ñ" in that code page
    } cases[] = {{0x01, "\xa4"}, {0x02, "\xa4"}, {0x03, "\xf1"}, {0x57, "\xf1"}, {0x00, "\xa4"}, {0x64, "\xa4"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        TempFolder folder;
        {
            DbfWriter w(folder.file(QStringLiteral("t.dbf")), {{QStringLiteral("RAZA"), 'C', 30}}, c.driver);
            w.add({{QStringLiteral("RAZA"), QStringLiteral("Peña d'Éibar ¿ú?")}});
        }
        const DbfTable t(folder.path(), QStringLiteral("T.DBF"));
        EXPECT_EQ(t.text(0, t.field(QStringLiteral("raza"))), QStringLiteral("Peña d'Éibar ¿ú?"));
        EXPECT_EQ(decode(codePageOfDriver(c.driver), c.tilde, 1), QStringLiteral("ñ"));
    }
}

// Numbers round, empty reads 0; dates are empty or yyyymmdd; a value that is
// neither says file, record and field.
TEST(DbfRead, NumbersDatesAndLogicals) {
    TempFolder folder;
    {
        DbfWriter w(folder.file(QStringLiteral("Macho6.DBF")),
                    {{QStringLiteral("N"), 'N', 10}, {QStringLiteral("D"), 'D', 8}, {QStringLiteral("L"), 'L', 1}});
        w.add({{QStringLiteral("N"), QStringLiteral("2.5")},
               {QStringLiteral("D"), QStringLiteral("20240229")},
               {QStringLiteral("L"), QStringLiteral("T")}});
        w.add({{QStringLiteral("N"), QStringLiteral("-1.4")}, {QStringLiteral("D"), QStringLiteral("00000000")}});
        w.add({{QStringLiteral("N"), QStringLiteral("doce")},
               {QStringLiteral("D"), QStringLiteral("20241332")},
               {QStringLiteral("L"), QStringLiteral("y")}},
              true);
    }
    const DbfTable t(folder.path(), QStringLiteral("macho6.dbf"));
    const int n = t.field(QStringLiteral("N")), d = t.field(QStringLiteral("D")), l = t.field(QStringLiteral("L"));
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.whole(0, n), 3);
    EXPECT_EQ(t.whole(1, n), -1);
    EXPECT_EQ(t.date(0, d), QDate(2024, 2, 29));
    EXPECT_FALSE(t.date(1, d).isValid());
    EXPECT_TRUE(t.logical(0, l));
    EXPECT_FALSE(t.logical(1, l));
    EXPECT_TRUE(t.logical(2, l));
    EXPECT_TRUE(t.isDeleted(2));
    EXPECT_FALSE(t.isDeleted(1));
    try {
        t.whole(2, n);
        FAIL() << "a word read as a number";
    } catch (const ImportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Archivo macho6.dbf, registro 3, campo N: 'doce' no es un número"));
    }
    EXPECT_THROW(t.date(2, d), ImportError);
    EXPECT_THROW(t.field(QStringLiteral("FALTA")), ImportError);
    EXPECT_THROW(DbfTable(folder.path(), QStringLiteral("fich_.dbf")), ImportError);
}
