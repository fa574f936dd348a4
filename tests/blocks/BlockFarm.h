#pragma once

#include "FarmRows.h"
#include "TempFarm.h"
#include "blocks/BlockRow.h"
#include "blocks/CandidateList.h"
#include "db/Query.h"
#include "db/Schema.h"
#include "db/SqlFormat.h"

#include <QDate>

// The female numbers of a candidate list, in its order.
inline QStringList females(const CandidateList& list) {
    QStringList codes;
    for (int i = 0; i < list.size(); ++i)
        codes << list.fields(i).at(blockrow::kAnimal);
    return codes;
}

// A farm for the block screens: parameters set, and helpers that add females
// and their cycle rows as the registers would have left them.
class BlockFarm : public TempFarm {
public:
    BlockFarm() {
        db().exec(QStringLiteral("update DatosExplotacion set DiasPalpar=10, DiasDestetar=30, DiasCubrirPosparto=10, "
                                 "Edad1CubrirHembra=130, Marca1='Buena', Marca2='', Marca3='Vieja', Marca4='Otra'"));
    }

    void female(int code, int cage, const QDate& born, int disease = 0, int causa = -1, bool mark1 = false,
                bool mark3 = false) {
        db().exec(QStringLiteral("insert into Hembras values (%1, 0, 0, %2, %3, '', %4, %5, %6, False, %7, False, "
                                 "NULL, %8, 0, False)")
                      .arg(sql::number(code), sql::date(born), sql::date(born.addDays(60)), sql::number(disease),
                           sql::number(cage), sql::logical(mark1), sql::logical(mark3), sql::number(causa)));
    }

    // A cycle row: mated on `mated`, with a palpation and an optional birth.
    void cycle(int female, const QDate& mated, std::optional<bool> palpation = std::nullopt, const QDate& birth = {},
               int alive = 0, int dead = 0, bool weaned = false, int male = 7) {
        db().exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                                 "FechaParto, NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada) "
                                 "values (%1, %2, %3, %4, %5, %6, %7, 0, 0, 0, %8)")
                      .arg(sql::number(female), sql::date(mated), sql::number(male), sql::palpation(palpation),
                           sql::date(birth), sql::number(alive), sql::number(dead), sql::logical(weaned)));
    }

    // Every row of every table, as text: two dumps compare equal only when the
    // farm is exactly as it was.
    QString dump() {
        QString all;
        for (const QString& table : schema::tableNames()) {
            for (const QString& row :
                 testkit::rowTexts(db(), QStringLiteral("select * from %1 order by 1, 2").arg(table)))
                all += table + QLatin1Char('|') + row + QLatin1Char('\n');
        }
        return all;
    }

    // Makes the farm refuse the male's mirror row of one female, to break a
    // batch in its middle.
    void refuseMirrorOf(int female) {
        db().execNative(QStringLiteral("CREATE TRIGGER refuse_mirror BEFORE INSERT ON CubriMachos WHEN "
                                       "NEW.CodigoHembra=%1 BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END")
                            .arg(female));
    }
    void acceptMirrors() { db().execNative(QStringLiteral("DROP TRIGGER refuse_mirror")); }

    qint64 count(const QString& statement) {
        return Query::scalar(db(), statement, QStringLiteral("cuenta")).asInteger();
    }
};
