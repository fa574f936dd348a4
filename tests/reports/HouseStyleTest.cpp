#include "reports/HouseStyle.h"
#include "TempFarm.h"
#include "db/Query.h"

#include <gtest/gtest.h>

namespace {

const QString kT = QString(house::kTicked);
const QString kE = QString(house::kEmptyBox);

TEST(HouseStyle, GlyphsAreTheTickedAndEmptyBoxCharacters) {
    EXPECT_EQ(kT, QString::fromUtf8("þ"));
    EXPECT_EQ(kE, QString::fromUtf8("¨"));
    EXPECT_EQ(house::markGlyphs(true, false, true, false), QString::fromUtf8("þ¨þ¨"));
    EXPECT_EQ(house::markGlyphs(false, false, false, false), QString::fromUtf8("¨¨¨¨"));
    EXPECT_EQ(house::markGlyphs(false, true, true, true), QString::fromUtf8("¨þþþ"));
}

TEST(HouseStyle, GlyphsAndSignsOfStoredRows) {
    TempFarm farm;
    struct Case {
        const char* marks;     // Marca1..Marca4 as written in the insert
        const char* palpation; // Palpacion as written
        const char* glyphs;
        const char* sign;
        const char* poolSign;
    };
    const Case cases[] = {
        {"True, False, True, False", "True", "þ¨þ¨", "+", "+"},
        {"NULL, NULL, NULL, NULL", "False", "¨¨¨¨", "-", "-"},
        {"True, True, True, True", "NULL", "þþþþ", "?", "-"},
        {"False, NULL, False, True", "NULL", "¨¨¨þ", "?", "-"},
    };
    int code = 1;
    for (const Case& c : cases) {
        farm.db().exec(
            QStringLiteral("insert into Hembras (CodigoHembra, Marca1, Marca2, Marca3, Marca4) values (%1, %2)")
                .arg(code)
                .arg(QString::fromUtf8(c.marks)));
        farm.db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, Palpacion) values (%1, %2)")
                           .arg(code)
                           .arg(QString::fromUtf8(c.palpation)));
        Query q(farm.db(), QStringLiteral("select * from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra "
                                          "and a.CodigoHembra=%1")
                               .arg(code));
        q.open();
        ASSERT_FALSE(q.eof());
        EXPECT_EQ(house::markGlyphs(q), QString::fromUtf8(c.glyphs)) << c.marks;
        EXPECT_EQ(house::palpationSign(q.field(QStringLiteral("Palpacion"))), QString::fromUtf8(c.sign)) << c.palpation;
        EXPECT_EQ(house::poolPalpationSign(q.field(QStringLiteral("Palpacion"))), QString::fromUtf8(c.poolSign))
            << c.palpation;
        ++code;
    }
    EXPECT_EQ(house::palpationSign(std::optional<bool>()), QStringLiteral("?"));
}

TEST(HouseStyle, CaptionsAndLegendLines) {
    const std::pair<QString, const char*> cases[] = {
        {house::cageRange(0, 0), "Desde la Jaula 0 a la Jaula 0"},
        {house::cageRange(12, 1340), "Desde la Jaula 12 a la Jaula 1340"},
        {house::maleRange(3, 45), "Desde el Macho 3 al Macho 45"},
        {house::legendLine(1, QString()), "1. "},
        {house::legendLine(3, QStringLiteral("Vacunada")), "3. Vacunada"},
        {house::headerDate(QDate(2001, 3, 5)), "lunes, 5 de marzo de 2001"},
        {house::headerDate(QDate(2003, 9, 24)), "miércoles, 24 de septiembre de 2003"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, QString::fromUtf8(expected));
}

TEST(HouseStyle, FarmNameAndMarkNamesFromTheParameterRow) {
    TempFarm farm;
    EXPECT_EQ(house::farmName(farm.db()), QString());
    EXPECT_EQ(house::markNames(farm.db()), QStringList({"Marca 1", "Marca 2", "Marca 3", "Marca 4"}));
    farm.db().exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja La Vega', Marca2=NULL, "
                                  "Marca3='Vacunada'"));
    EXPECT_EQ(house::farmName(farm.db()), QStringLiteral("Granja La Vega"));
    EXPECT_EQ(house::markNames(farm.db()), QStringList({"Marca 1", "", "Vacunada", "Marca 4"}));
    farm.db().exec(QStringLiteral("delete from DatosExplotacion"));
    EXPECT_EQ(house::farmName(farm.db()), QString());
    EXPECT_EQ(house::markNames(farm.db()), QStringList({"", "", "", ""}));
}

} // namespace
