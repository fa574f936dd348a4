#pragma once

#include "BreedingHistory.h"

#include <QString>
#include <optional>

class Database;
class TableCursor;

// The rules of the male register ("Ficha de Machos") on its cursor over Machos.
// Unlike the female register it has no cull, no disease, no cage check and no
// effect on the maternity ledger.
//
// Saving a male, in one transaction with the row itself: the mating rows entered
// while he was new become his, and his efficiency index is recomputed and stored
// bound as :indice. Abandoning a new male deletes the mating rows entered for
// him; deleting a male deletes his mating rows first.
class MaleRegister {
public:
    MaleRegister(Database& db, QString machineTag);

    Database& database() const { return m_db; }
    QString machineTag() const { return m_tag; }

    // Installs the rules on the register's cursor over Machos. A new male keeps
    // Seleccion empty (NULL) until the farmer ticks or clears it.
    void attach(TableCursor& machos);

    static bool isNew(const TableCursor& machos);
    std::optional<BreedingHistory::Owner> historyOwner(const TableCursor& machos) const;
    std::vector<BreedingHistory::MatingLine> history(const TableCursor& machos) const;

    // "1º Libre": the lowest male number from 1 up that no male has.
    qint64 firstFreeNumber() const;

    // The average index of all males, "select avg(Eficacia) Media from Machos",
    // read once when the screen opens.
    static double herdAverage(Database& db);
    // "Indice de Eficacia": his index over the herd average, times 100, "0.00";
    // the fixed text "0.00" when the average is not above 0.
    static QString relativeIndex(const QVariant& eficacia, double average);

private:
    Database& m_db;
    QString m_tag;
    bool m_savingNew = false;
};
