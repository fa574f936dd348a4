#include "analysis/MaternitySummary.h"
#include "FarmRows.h"
#include "SheetText.h"
#include "TempFarm.h"
#include "db/SqlFormat.h"
#include "reports/SheetComposer.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Fixture {
    TempFarm farm;
    Database& db = farm.db();

    void day(const QDate& date, const QString& values = {}) { testkit::addLedgerDay(db, date, values); }
    SummaryLine line(const DatePeriod& period, const QString& caption) {
        for (const SummaryLine& l : maternity_summary::lines(db, period))
            if (l.caption == caption)
                return l;
        ADD_FAILURE() << "no line " << caption.toStdString();
        return {};
    }
};

QStringList texts(const SummaryLine& l) {
    return {l.total, l.days30, l.days90, l.days365};
}

const QDate kJan1(2001, 1, 1);
const QDate kJan31(2001, 1, 31);

} // namespace

TEST(MaternitySummary, StatementAsSentWithEitherBound) {
    const QString fixed = QStringLiteral(
        "select count(*) cuenta, avg(NumeroTotalHembras) media1,sum(BajasHembrasMuertas) suma1, avg(NumeroTotalMachos) "
        "media2,sum(BajasHembrasEliminadas) suma2, sum(AltasHembras) suma3,sum(BajasMachosMuertos) suma4, "
        "sum(BajasMachosEliminados) suma5,sum(AltasMachos) suma6, sum(Cubriciones) suma7,sum(PalpacionesPositivas) "
        "suma8,sum(PalpacionesPositivas+PalpacionesNegativas) suma10,sum(NumeroPartos) suma11, sum(NacidosVivos) "
        "suma12,sum(NacidosMuertos) suma13,sum(NumeroDestetes) suma15, sum(Destetados) suma16,sum(BajasNido) suma17, "
        "sum(Consumo1+Consumo2+Consumo3+Consumo4) suma18 from HistoricoMaternidad where Fecha is not null");
    struct Case {
        DatePeriod period;
        QStringList after;
        const char* caption;
    };
    const std::vector<Case> cases{
        {{}, {}, ""},
        {{kJan1, {}}, {"and Fecha>='01/01/2001'"}, "Desde la fecha 01/01/2001"},
        {{{}, kJan31}, {"and Fecha<='01/31/2001'"}, " Hasta la fecha 31/01/2001"},
        {{kJan1, kJan31},
         {"and Fecha>='01/01/2001'", "and Fecha<='01/31/2001'"},
         "Desde la fecha 01/01/2001 Hasta la fecha 31/01/2001"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(maternity_summary::statement(c.period), QStringList{fixed} + c.after);
        EXPECT_EQ(c.period.caption(), QString::fromUtf8(c.caption));
    }
}

TEST(MaternitySummary, PeriodLengthAndProjections) {
    Fixture f;
    f.day(QDate(2000, 12, 31), QStringLiteral("BajasHembrasMuertas=500"));
    f.day(QDate(2001, 1, 3), QStringLiteral("BajasHembrasMuertas=40"));
    f.day(QDate(2001, 1, 20), QStringLiteral("BajasHembrasMuertas=22"));
    f.day(QDate(2001, 2, 2), QStringLiteral("BajasHembrasMuertas=3"));
    struct Case {
        const char* what;
        DatePeriod period;
        QStringList deaths;
    };
    const std::vector<Case> cases{
        // n = 31 whatever days the ledger holds in January.
        {"January", {kJan1, kJan31}, {"62", "60", "180", "730"}},
        // n = 3 ledger days from Desde on: 65 / 3.
        {"only Desde", {kJan1, {}}, {"65", "650", "1.950", "7.908"}},
        // n = 3 ledger days up to Hasta: 562 / 3.
        {"only Hasta", {{}, kJan31}, {"562", "5.620", "16.860", "68.377"}},
        {"open period", {}, {"565", "4.238", "12.713", "51.556"}},
        // Hasta before Desde: n is negative, nothing is selected and nothing projected.
        {"reversed", {kJan31, kJan1}, {"0", "0", "0", "0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(texts(f.line(c.period, QStringLiteral("Hembras Muertas"))), c.deaths) << c.what;

    // An empty ledger with both dates blank: n = 0, totals and 0 projections.
    Fixture empty;
    EXPECT_EQ(texts(empty.line({}, QStringLiteral("Hembras Muertas"))), (QStringList{"0", "0", "0", "0"}));
    for (qint64 days : {0, -5})
        EXPECT_EQ(texts(SummaryLine::counted(QStringLiteral("x"), 62, days)), (QStringList{"62", "0", "0", "0"}));
}

TEST(MaternitySummary, RatiosAndTheirLiteralZeroTexts) {
    struct Case {
        const char* what;
        QString values;
        const char* caption;
        const char* text;
    };
    const std::vector<Case> cases{
        {"no palpations", {}, "Palpaciones Positivas (%)", "0.00 %"},
        {"3 of 4 positive", "PalpacionesPositivas=3, PalpacionesNegativas=1", "Palpaciones Positivas (%)", "75,00 %"},
        {"no births", {}, "Nacidos Vivos / Parto", "0.00"},
        {"no births, dead", {}, "Nacidos Muertos / Parto", "0.00"},
        {"births", "NumeroPartos=4, NacidosVivos=37, NacidosMuertos=3", "Nacidos Vivos / Parto", "9,25"},
        {"births, dead", "NumeroPartos=4, NacidosVivos=37, NacidosMuertos=3", "Nacidos Muertos / Parto", "0,75"},
        {"no weanings", {}, "Destetados / Camada", "0.00"},
        {"weanings", "NumeroDestetes=4, Destetados=29", "Destetados / Camada", "7,25"},
        {"no females", "Destetados=29", "Destetados / Hembra", "0.00"},
        {"females", "NumeroTotalHembras=1160, Destetados=29", "Destetados / Hembra", "0,03"},
        {"average females", "NumeroTotalHembras=1160", "Numero Medio de Hembras", "1.160"},
        {"no kits born", "BajasNido=3", "% Mortalidad Nacim. Destete", "0.00 %"},
        {"nest losses", "NacidosVivos=40, BajasNido=3", "% Mortalidad Nacim. Destete", "7,50 %"},
    };
    Fixture f;
    for (const Case& c : cases) {
        f.db.exec(QStringLiteral("delete from HistoricoMaternidad"));
        f.day(kJan1, c.values);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(texts(f.line({}, QString::fromUtf8(c.caption))), (QStringList{text, text, text, text})) << c.what;
    }
}

TEST(MaternitySummary, ADayWithAnEmptyFeedFigureAddsNoFeed) {
    Fixture f;
    f.day(kJan1, QStringLiteral("Consumo1=10, Consumo2=10, Consumo3=10, Consumo4=NULL"));
    f.day(QDate(2001, 1, 2), QStringLiteral("Consumo1=1, Consumo2=2, Consumo3=3, Consumo4=4"));
    EXPECT_EQ(f.line({}, QStringLiteral("Consumo")).total, QStringLiteral("10"));
}

// One page in the house style; its texts, in the order they are placed, against the
// text kept with the tests (a month of days with every counter filled).
TEST(MaternitySummary, SheetAsKept) {
    Fixture f;
    f.db.exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja Los Olmos'"));
    for (int d = 1; d <= 31; ++d)
        f.db.exec(QStringLiteral("insert into HistoricoMaternidad Values ('01/%1/2001', %2, 1, 2, 0, 40, 0, 0, 0, 12, "
                                 "9, 3, 8, 74, 4, 0, 7, 58, 3, 20, 10, 5 ,2, '')")
                      .arg(d, 2, 10, QLatin1Char('0'))
                      .arg(1500 + d));
    const auto sheet = maternity_summary::sheet(f.db, {kJan1, kJan31}, QDate(2001, 3, 5));
    ListRows rows = sheet->rows();
    const auto document = SheetComposer::compose(*sheet, rows);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->title, QStringLiteral("Resumen de Datos de Maternidad"));
    ASSERT_EQ(document->pages.size(), 1u);
    for (const char* column : {"total", "proyec30", "proyec90", "proyec365"})
        EXPECT_EQ(document->pages[0].find(QString::fromLatin1(column))->align, SheetAlign::Right) << column;
    const QString actual = sheetText(*document);
    QFile kept(QStringLiteral(TORVANE_ANALYSIS_DATA "/maternity-summary.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << kept.fileName().toStdString();
    EXPECT_EQ(actual, QString::fromUtf8(kept.readAll())) << actual.toStdString();
}
