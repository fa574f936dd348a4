#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class Database;
class TableCursor;

// The breeding histories the registers show: a female's cycle rows
// (CubriHembras) and a male's mating rows (CubriMachos), one list line per row.
//
// Whose rows a list holds: those of an animal by its number, or, while an animal
// is being registered and has no number yet, the rows without an animal number
// that carry this computer's machine tag. Saving the animal gives those rows its
// number; abandoning it deletes them.
class BreedingHistory {
public:
    // Whose rows: an animal's number, or (no number) the provisional rows of this
    // computer.
    struct Owner {
        std::optional<qint64> number;
        QString machineTag;

        static Owner animal(qint64 number) { return Owner{number, QString()}; }
        static Owner provisional(const QString& machineTag) { return Owner{std::nullopt, machineTag}; }
    };

    // One line of a female's history.
    struct CycleLine {
        int position = 0; // 1 for the first line
        qint64 orden = 0;
        std::optional<qint64> female;
        QDate mating;
        qint64 male = 0; // -1 for an insemination
        std::optional<bool> palpation;
        QDate birth;
        qint64 alive = 0;
        qint64 dead = 0;
        qint64 adopted = 0;
        qint64 given = 0;
        std::optional<bool> weaning; // Destetada
        qint64 weaned = 0;           // Destetados
        QString machine;
        qint64 accumulated = 0; // weaned kits from the first line to this one

        // Drawn in red: the cycle has no weaning recorded.
        bool unweaned() const { return !weaning.value_or(false); }
        // The texts under "Orden", "Fecha", "Macho", "Pal.", "Fecha", "Vivos",
        // "Muert.", "+", "-", "Destet.", "Acum.".
        QStringList cells() const;
        // "{yyyymmdd}|{Orden}|{CodigoHembra}|{FechaCubricion}|{CodigoMacho}|{Palpacion}|
        // {FechaParto}|{NacidosVivos}|{NacidosMuertos}|{Anadidos}|{Quitados}|{Destetada}|
        // {Destetados}|{Maquina}|{Acum}": the line as one text.
        QString entry() const;
    };

    // One line of a male's matings.
    struct MatingLine {
        int position = 0;
        qint64 orden = 0;
        std::optional<qint64> male;
        QDate mating;
        qint64 female = 0;
        std::optional<bool> palpation;
        qint64 alive = 0;
        qint64 dead = 0;
        QString machine;

        // The texts under "Orden", "Fecha", "Hembra", "Pal.", "Vivos", "Muertos".
        QStringList cells() const;
        // "{yyyymmdd}|{Orden}|{CodigoMacho}|{FechaCubricion}|{CodigoHembra}|{Palpacion}|
        // {NacidosVivos}|{NacidosMuertos}|{Maquina}".
        QString entry() const;
    };

    static QStringList cycleHeadings();
    static QStringList matingHeadings();

    // The lines run by mating date (a row without a date first); rows of one date
    // keep the order in which they were recorded. "Acum." is then given in list order.
    static std::vector<CycleLine> cycles(Database& db, const Owner& owner);
    static std::vector<MatingLine> matings(Database& db, const Owner& owner);

    // Deletes the rows of a list, from the last line to the first, each with
    // "delete from CubriHembras where orden={orden}" (CubriMachos for a male).
    static void deleteCycles(Database& db, const std::vector<CycleLine>& lines);
    static void deleteMatings(Database& db, const std::vector<MatingLine>& lines);
    // Gives the provisional rows of this computer to the animal just saved:
    // "update CubriHembras set CodigoHembra={code} where (CodigoHembra is null) and
    // maquina='{tag}'" (CubriMachos and CodigoMacho for a male).
    static void adoptCycles(Database& db, qint64 female, const QString& machineTag);
    static void adoptMatings(Database& db, qint64 male, const QString& machineTag);
    // "delete from CubriHembras where orden={orden}" (CubriMachos for a male).
    static void deleteCycle(Database& db, qint64 orden);
    static void deleteMating(Database& db, qint64 orden);

    // The rules of the cycle dialog on its cursor over CubriHembras: a new row
    // belongs to `female` (NULL while she is being registered), carries the machine
    // tag and starts unweaned; on saving, an empty "Macho" and empty counts are 0,
    // and a corrected mating date is carried to the male's mirror row (CubriMachos,
    // found by female and the former date) in the same transaction.
    static void attachCycleRules(TableCursor& cubriHembras, const QVariant& female, const QString& machineTag);
    // The same for the mating dialog over CubriMachos: an empty "Hembra" and empty
    // counts are 0.
    static void attachMatingRules(TableCursor& cubriMachos, const QVariant& male, const QString& machineTag);

    // The filter that narrows a cursor over the table to one row.
    static QString oneRow(qint64 orden);
};
