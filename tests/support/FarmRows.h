#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Database;

// Farm rows as the tests write them by hand and read them back.
namespace testkit {

// The count a statement names "cuenta": "select count(*) cuenta from Hembras".
qint64 count(Database& db, const QString& statement);
// Every row the statement reads, its columns in table order as text joined by '|'.
QStringList rowTexts(Database& db, const QString& statement);
// Every ledger row as text, for "the ledger did not change".
QStringList ledger(Database& db);
// A ledger day row of zeros and empty remarks, then the columns given
// ("NacidosVivos=9, Cubriciones=3").
void addLedgerDay(Database& db, const QDate& day, const QString& values = {});
// An active female with nothing but her number and cage.
void addFemaleInCage(Database& db, int code, int cage = 0);
// A range of the farm structure: cages `desde` to `hasta` of kind `tipo`.
void putRange(Database& db, int desde, int hasta, const char* tipo);

// Takes a farm back to the version before 1.1.0: no Eficacia and no Seleccion on
// the registers, the old number NumeroSeleccion instead.
void makeOldVersion(Database& db);

} // namespace testkit
