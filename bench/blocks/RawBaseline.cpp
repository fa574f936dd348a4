#include "RawBaseline.h"

#include "RawStatement.h"

#include <QStringList>

namespace rawbaseline {
namespace {

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// The ledger step of a block run, once per list: the day row updated, or made
// with the totals carried from the latest earlier day.
void ledger(sqlite3* db, const QDate& day, int column, const std::vector<qint64>& counts, const char* update) {
    RawStatement exists(db, "select * from HistoricoMaternidad where Fecha=?1");
    exists.bind(1, day);
    const bool found = exists.row();
    exists.reset();
    if (found) {
        RawStatement u(db, update);
        for (int i = 0; i < int(counts.size()); ++i)
            u.bind(i + 1, counts[i]);
        u.bind(int(counts.size()) + 1, day).run();
        return;
    }
    RawStatement carried(db, "select Fecha, NumeroTotalHembras, NumeroTotalMachos from HistoricoMaternidad where "
                             "fecha<?1 order by Fecha desc");
    carried.bind(1, day);
    const bool earlier = carried.row();
    const qint64 females = earlier ? carried.integer(1) : 0;
    const qint64 males = earlier ? carried.integer(2) : 0;
    carried.reset();
    RawStatement insert(db, "insert into HistoricoMaternidad Values (?1, ?2, 0, 0, 0, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                            "?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, '')");
    insert.bind(1, day).bind(2, females).bind(3, males);
    for (int c = 7; c <= 23; ++c) {
        const int at = c - column;
        insert.bind(c - 3, at >= 0 && at < int(counts.size()) ? counts[at] : qint64(0));
    }
    insert.run();
}

} // namespace

void inseminate(sqlite3* db, const std::vector<Insemination>& rows, const QDate& day) {
    exec(db, "BEGIN");
    RawStatement cycle(db, "insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, NacidosVivos, "
                           "NacidosMuertos, Anadidos, Quitados, Destetados, Destetada) VALUES (?1, ?2, -1, 0, 0, 0, 0, "
                           "0, 0)");
    RawStatement births(db, "select FechaCubricion, FechaParto from CubriHembras where CodigoHembra=?1 and FechaParto "
                            "is not NULL order by orden desc");
    RawStatement last(db, "select Palpacion, FechaParto from CubriHembras where CodigoHembra=?1 and FechaCubricion "
                          "<> ?2 order by orden desc");
    RawStatement poolRow(db, "insert into Pools Values (?1, ?2, ?3, NULL, 0, 0, ?4, ?5)");
    RawStatement master(db, "select Pool from MasterPools where pool=?1");
    RawStatement newMaster(db, "insert into MasterPools Values (?1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)");
    RawStatement countN(db, "update MasterPools set Nuliparas=Nuliparas+1, TotalPool=TotalPool+1 where pool=?1");
    RawStatement countL(db, "update MasterPools set Lactacion=Lactacion+1, TotalPool=TotalPool+1 where pool=?1");
    RawStatement countR(db, "update MasterPools set Retrasadas=Retrasadas+1, TotalPool=TotalPool+1 where pool=?1");
    for (const Insemination& r : rows) {
        cycle.bind(1, r.female).bind(2, day).run();
        // Her state: never gave birth "N"; else her last row other than the day's
        // decides, palpated negative "R", otherwise "L" with the days since her birth.
        QString estado = QStringLiteral("N");
        qint64 diasPos = 0;
        births.bind(1, r.female);
        if (births.row()) {
            last.bind(1, r.female).bind(2, day);
            if (last.row()) {
                if (!last.isNull(0) && last.integer(0) == 0) {
                    estado = QStringLiteral("R");
                } else {
                    estado = QStringLiteral("L");
                    QDate born = last.date(1);
                    for (bool more = true; !born.isValid() && more; more = births.row()) {
                        if (births.date(0) != day)
                            born = births.date(1);
                    }
                    diasPos = born.isValid() ? born.daysTo(day) : 0;
                }
            }
            last.reset();
        }
        births.reset();
        poolRow.bind(1, day).bind(2, r.female).bind(3, r.pool).bind(4, diasPos).bind(5, estado).run();
        master.bind(1, r.pool);
        const bool exists = master.row();
        master.reset();
        if (!exists)
            newMaster.bind(1, r.pool).run();
        RawStatement& count = estado == QLatin1String("N") ? countN : estado == QLatin1String("L") ? countL : countR;
        count.bind(1, r.pool).run();
    }
    ledger(db, day, 10, {qint64(rows.size())},
           "update HistoricoMaternidad set Cubriciones=Cubriciones+?1 where Fecha=?2");
    exec(db, "COMMIT");
}

void giveBirth(sqlite3* db, const std::vector<Birth>& rows, const QDate& day) {
    exec(db, "BEGIN");
    RawStatement cycle(db, "update CubriHembras set FechaParto=?1, NacidosVivos=?2, NacidosMuertos=?3, Anadidos=?4, "
                           "Quitados=?5 where orden = ?6");
    RawStatement mated(db, "select FechaCubricion from CubriHembras where orden = ?1");
    RawStatement mirror(db, "update CubriMachos set NacidosVivos=?1, NacidosMuertos=?2 where FechaCubricion=?3 and "
                            "CodigoHembra=?4");
    RawStatement poolRow(db, "select Estado, Pool from Pools where FechaPool=?1 and CodigoHembra=?2");
    RawStatement poolKits(db, "update Pools set NacidosVivos=?1, NacidosMuertos=?2 where FechaPool=?3 and "
                              "CodigoHembra=?4");
    RawStatement countN(db, "update MasterPools set NulVivos=NulVivos+?1, NulPartos=NulPartos+1, "
                            "TotVivos=TotVivos+?1, TotPartos=TotPartos+1 where Pool=?2");
    RawStatement countL(db, "update MasterPools set LacVivos=LacVivos+?1, LacPartos=LacPartos+1, "
                            "TotVivos=TotVivos+?1, TotPartos=TotPartos+1 where Pool=?2");
    RawStatement countR(db, "update MasterPools set RetVivos=RetVivos+?1, RetPartos=RetPartos+1, "
                            "TotVivos=TotVivos+?1, TotPartos=TotPartos+1 where Pool=?2");
    qint64 births = 0, alive = 0, dead = 0;
    for (const Birth& r : rows) {
        cycle.bind(1, day).bind(2, r.alive).bind(3, r.dead).bind(4, r.adopted).bind(5, r.given).bind(6, r.orden).run();
        mated.bind(1, r.orden);
        const QDate fc = mated.row() ? mated.date(0) : QDate();
        mated.reset();
        mirror.bind(1, r.alive).bind(2, r.dead).bind(3, fc).bind(4, r.female).run();
        poolRow.bind(1, fc).bind(2, r.female);
        if (poolRow.row()) {
            const QString estado = poolRow.text(0);
            const QString pool = poolRow.text(1);
            poolRow.reset();
            poolKits.bind(1, r.alive).bind(2, r.dead).bind(3, fc).bind(4, r.female).run();
            RawStatement* count = estado == QLatin1String("N")   ? &countN
                                  : estado == QLatin1String("L") ? &countL
                                  : estado == QLatin1String("R") ? &countR
                                                                 : nullptr;
            if (count)
                count->bind(1, r.alive).bind(2, pool).run();
        }
        alive += r.alive;
        dead += r.dead;
        births += r.alive != 0 || r.dead != 0 ? 1 : 0;
    }
    ledger(db, day, 13, {births, alive, dead},
           "update HistoricoMaternidad set NumeroPartos=NumeroPartos+?1, NacidosVivos=NacidosVivos+?2, "
           "NacidosMuertos=NacidosMuertos+?3 where Fecha=?4");
    exec(db, "COMMIT");
}

QString dump(sqlite3* db) {
    QStringList tables;
    {
        RawStatement names(db, "select name from sqlite_master where type='table' order by name");
        while (names.row())
            tables << names.text(0);
    }
    QString out;
    for (const QString& table : tables) {
        const QByteArray sql = QStringLiteral("select * from \"%1\" order by rowid").arg(table).toUtf8();
        RawStatement rows(db, sql.constData());
        out += table + QLatin1Char('\n');
        while (rows.row()) {
            QStringList cells;
            for (int c = 0; c < rows.columns(); ++c) {
                switch (rows.type(c)) {
                case SQLITE_INTEGER:
                    cells << QStringLiteral("i") + QString::number(rows.integer(c));
                    break;
                case SQLITE_FLOAT:
                    cells << QStringLiteral("r") + QString::number(rows.real(c), 'g', 17);
                    break;
                case SQLITE_NULL:
                    cells << QStringLiteral("n");
                    break;
                default:
                    cells << QStringLiteral("t") + rows.text(c);
                }
            }
            out += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
        }
    }
    return out;
}

} // namespace rawbaseline
