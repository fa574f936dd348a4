#include "FarmRows.h"

#include "db/Database.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

namespace testkit {

qint64 count(Database& db, const QString& statement) {
    return Query::scalar(db, statement, QStringLiteral("cuenta")).asInteger();
}

QStringList rowTexts(Database& db, const QString& statement) {
    Query q(db, statement);
    QStringList rows;
    for (q.open(); !q.eof(); q.next()) {
        QStringList cells;
        for (const QString& name : q.fieldNames())
            cells << q.field(name).asString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList ledger(Database& db) {
    return rowTexts(db, QStringLiteral("select * from HistoricoMaternidad order by Fecha"));
}

void addLedgerDay(Database& db, const QDate& day, const QString& values) {
    db.exec(QStringLiteral("insert into HistoricoMaternidad Values (%1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                           "0, 0, 0, 0, 0, 0, 0, 0 ,0, '')")
                .arg(sql::date(day)));
    if (!values.isEmpty())
        db.exec(QStringLiteral("update HistoricoMaternidad set %1 where Fecha=%2").arg(values, sql::date(day)));
}

void addFemaleInCage(Database& db, int code, int cage) {
    db.exec(
        QStringLiteral("insert into Hembras (CodigoHembra, Jaula, CausaBaja) values (%1, %2, -1)").arg(code).arg(cage));
}

void putRange(Database& db, int desde, int hasta, const char* tipo) {
    db.exec(QStringLiteral("insert into Estructura (JaulaDesde, JaulaHasta, Tipo) VALUES (%1, %2, '%3')")
                .arg(desde)
                .arg(hasta)
                .arg(QString::fromUtf8(tipo)));
}

void makeOldVersion(Database& db) {
    for (const char* table : {"Hembras", "Machos"}) {
        const QString t = QString::fromLatin1(table);
        db.exec(QStringLiteral("alter table %1 drop Eficacia").arg(t));
        db.exec(QStringLiteral("alter table %1 drop Seleccion").arg(t));
        db.exec(QStringLiteral("alter table %1 Add NumeroSeleccion Numeric").arg(t));
    }
}

} // namespace testkit
