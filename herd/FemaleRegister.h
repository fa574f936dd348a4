#pragma once

#include "BreedingHistory.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class Clock;
class Database;
class TableCursor;

// The rules of the female register ("Ficha de Hembra") on its cursor over
// Hembras, and the look-ups its screen offers. A female is active while
// CausaBaja is neither 0 nor 1.
//
// Saving a female, in this order and all in one transaction with the row itself:
//  0. a cull date before her entry date is refused, nothing written;
//  1. a culled or dead female (CausaBaja 0 or 1) has no cage: Jaula 0;
//  2. a cull is counted in the ledger on FechaBaja when she was active when
//     editing began (a new female counts as active);
//  3. a new female is counted in the ledger on FechaEntrada;
//  4. the row is written;
//  5. the cycle rows entered while she was new become hers;
//  6. her efficiency index is recomputed and stored bound as :indice.
// Abandoning a new female deletes the cycle rows entered for her; deleting a
// female deletes her cycle rows first. Neither touches the ledger.
class FemaleRegister {
public:
    // Reads the first-mating age and the mark names of the farm parameters now, as
    // the screen does when it opens.
    FemaleRegister(Database& db, const Clock& clock, QString machineTag);

    Database& database() const { return m_db; }
    QString machineTag() const { return m_tag; }
    int firstMatingAge() const { return m_firstMatingAge; }
    // The captions of the four mark boxes: the parameter row's names, "Marca 1" to
    // "Marca 4" when there is no row.
    const std::array<QString, 4>& markNames() const { return m_marks; }

    // Installs the save, cancel and delete rules and the defaults of a new female
    // on the register's cursor over Hembras.
    void attach(TableCursor& hembras);

    // A new female (not yet saved) is on the cursor.
    static bool isNew(const TableCursor& hembras);
    // Whose cycle rows the card lists: while a female is being inserted, the
    // provisional rows of this computer; otherwise those of the female shown (none
    // while there is no female).
    std::optional<BreedingHistory::Owner> historyOwner(const TableCursor& hembras) const;
    std::vector<BreedingHistory::CycleLine> history(const TableCursor& hembras) const;

    // Leaving "Fecha de Baja": with a date and no cause chosen, the cause is 0
    // ("Eliminación"); with no date, she is active again (-1).
    static int causeOnLeavingCullDate(bool dateEmpty, int causa);

    // A disease "Enfermedad" offers: its code and its description.
    struct Disease {
        double code = 0.0;
        QString description;
    };
    // The farm's diseases in the order of their codes.
    std::vector<Disease> diseases() const;
    // "1ª Libre": the lowest female number from 1 up that no female has.
    qint64 firstFreeNumber() const;
    // F5: the number of the female in that cage (the lowest number when several
    // share it); nothing when no female is there.
    std::optional<qint64> femaleInCage(qint64 cage) const;

    // A female is young while today is not later than her birth date plus the
    // first-mating age. With no birth date she is not young.
    bool isYoung(const QDate& birth) const;
    // The cage check of "Número Jaula": true when another female holds the cage and
    // she or the female on the card is not young, so the farmer is asked whether to
    // look for a free cage. Cage 0 is never checked.
    bool cageNeedsQuestion(qint64 female, qint64 cage, const QDate& birthOnCard) const;
    // The first cage from `from` upward (from 1 when `from` is not above 0) that no
    // other female holds; the female's own cage counts as free for her.
    qint64 firstFreeCage(qint64 from, qint64 female) const;

    // The index as "Indice Eficacia" shows it: general number form with a decimal
    // comma; nothing for a female whose index was never computed.
    static QString indexText(const QVariant& eficacia);

    static constexpr const char* kCageQuestion =
        "Actualmente está intentando colorcar una Hembra NO joven\rcon otra Hembra en la misma Jaula\r¿Desea "
        "localizar la siguiente Jaula que se encuentre libre?";
    static constexpr const char* kSearchingCage = "Buscando una Jaula libre... Por favor, espere.";
    static constexpr const char* kNoFemaleInCage = "No se ha encontrado ninguna Hembra en esa Jaula.";
    // A cull date before the entry date is refused (FieldRefused on "FechaBaja").
    static constexpr const char* kCullBeforeEntry = "La Fecha de Baja no puede ser anterior a la Fecha de Entrada.";

private:
    void beforePost(TableCursor& t);
    void afterPost(TableCursor& t);
    void beforeCancel(TableCursor& t);
    void beforeDelete(TableCursor& t);

    Database& m_db;
    const Clock& m_clock;
    QString m_tag;
    int m_firstMatingAge = 0;
    std::array<QString, 4> m_marks;
    bool m_savingNew = false;
};
