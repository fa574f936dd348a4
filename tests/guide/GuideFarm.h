#pragma once

#include "TempFarm.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "guide/GuideSelection.h"

#include <QDate>
#include <optional>

// A farm for the work guide: parameters set, helpers that add animals and cycle
// rows as the registers and block screens leave them, and a reader of the
// female (or male) codes a selection returns.
class GuideFarm : public TempFarm {
public:
    static QDate guideDay() { return QDate(2001, 3, 5); }

    GuideFarm() {
        db().exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='La Vega', DiasPalpar=12, "
                                 "DiasDestetar=30, DiasCubrirPosparto=10, IntervaloCubrirMacho=3, "
                                 "EdadCamadasRevisar=15, EdadRetirarNidal=25, Edad1CubrirHembra=130, "
                                 "Marca1='Buena', Marca2='', Marca3='Vieja', Marca4='Otra'"));
    }

    void female(int code, int cage, const QDate& born = QDate(2000, 1, 1), int causa = -1, int disease = 0,
                bool mark1 = false, bool mark3 = false) {
        db().exec(QStringLiteral("insert into Hembras values (%1, 0, 0, %2, %2, '', %3, %4, %5, False, %6, False, "
                                 "NULL, %7, 0, False)")
                      .arg(sql::number(code), sql::date(born), sql::number(disease), sql::number(cage),
                           sql::logical(mark1), sql::logical(mark3), sql::number(causa)));
    }
    // A cycle row of a female mated `matedDaysAgo` days before the guide day.
    void cycle(int female, int matedDaysAgo, std::optional<bool> palpation = std::nullopt,
               std::optional<int> bornDaysAgo = std::nullopt, int alive = 0, int added = 0, int removed = 0,
               bool weaned = false, int male = 7) {
        const QDate birth = bornDaysAgo ? guideDay().addDays(-*bornDaysAgo) : QDate();
        db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                                 "FechaParto, NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada) "
                                 "values (%1, %2, %3, %4, %5, %6, 0, %7, %8, 0, %9)")
                      .arg(sql::number(female), sql::date(guideDay().addDays(-matedDaysAgo)), sql::number(male),
                           sql::palpation(palpation), sql::date(birth), sql::number(alive), sql::number(added),
                           sql::number(removed), sql::logical(weaned)));
    }
    void male(int code, int cage) {
        db().exec(
            QStringLiteral("insert into Machos values (%1, 0, 0, '01/01/2000', '01/01/2000', '', 0, %2, 0, False)")
                .arg(sql::number(code), sql::number(cage)));
    }
    void maleCycle(int male, int matedDaysAgo, std::optional<bool> palpation = std::nullopt, int female = 1) {
        db().exec(QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra, Palpacion, "
                                 "NacidosVivos, NacidosMuertos) values (%1, %2, %3, %4, 0, 0)")
                      .arg(sql::number(male), sql::date(guideDay().addDays(-matedDaysAgo)), sql::number(female),
                           sql::palpation(palpation)));
    }

    GuideContext context(GuideCages cages = {}) {
        const FarmParameters parameters = FarmParameters::read(db());
        return {.day = guideDay(),
                .numbers = GuideDay::fresh(guideDay(), parameters).numbers(),
                .parameters = parameters,
                .cages = cages};
    }

    // The first column of every row the statement selects, in its order.
    std::vector<qint64> codes(const GuideStatement& statement, const QString& column = QStringLiteral("CodigoHembra")) {
        Query q(db());
        statement.applyTo(q);
        std::vector<qint64> out;
        for (q.open(); !q.eof(); q.next())
            out.push_back(q.field(column).asInteger());
        return out;
    }
};
