#pragma once

#include <QDate>
#include <QString>

class Database;

// Many new females at once, all of one birth date, entry date and breed, placed
// in a range of free cages and counted in the maternity ledger on their entry date.
struct BulkAddition {
    qint64 count = 0;
    qint64 fromCage = 0;
    qint64 toCage = 0;
    QDate birth;
    QDate entry;
    QString breed;
};

class BulkAdditions {
public:
    // The first input that stops the addition, in the screen's focus order.
    enum class Missing { None, Count, FromCage, ToCage, Birth, Entry };
    // A count of 0 or below adds nobody; a range whose end lies before its start
    // names no cage at all.
    static Missing firstMissing(const BulkAddition& a);

    enum class Outcome { Added, CagesTaken };

    explicit BulkAdditions(Database& db) : m_db(db) {}
    // Any row of Hembras in the range, culled or not, holds its cage: then nothing
    // is written. Otherwise the females get the codes after the highest one and the
    // cages of the range in turn, again from the first when there are more females
    // than cages. Females and ledger are one recording: all or nothing.
    Outcome add(const BulkAddition& a);
    // Only the free-cage check.
    bool cagesFree(qint64 fromCage, qint64 toCage);

private:
    Database& m_db;
};
