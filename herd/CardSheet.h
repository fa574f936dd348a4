#pragma once

#include "reports/HouseSheet.h"
#include "reports/SheetRows.h"

#include <QDate>
#include <memory>

class Database;
class Query;

// The two cards of the registers, "Ficha de Hembra" and "Ficha de Macho", in the
// house style (A4 portrait, always previewed): under the house header a block of
// captions with the animal's values in bold, then one detail line per cycle or
// mating row in the order they were recorded.
//
// The female card's "Acumulados" is the running total of weaned kits over the
// printed lines, starting from 0 at each printing.
class CardSheet : public HouseSheet {
public:
    // Reads the animal's row now. `today` is the header date.
    static std::unique_ptr<CardSheet> female(Database& db, qint64 female, const QDate& today);
    static std::unique_ptr<CardSheet> male(Database& db, qint64 male, const QDate& today);

    // The rows the detail lines are printed from, opened now.
    std::unique_ptr<SheetRows> rows() const;
    // Their statements.
    static QString femaleRows(qint64 female); // "select * from CubriHembras where CodigoHembra={code} order by orden"
    static QString maleRows(qint64 male);     // "select * from CubriMachos where CodigoMacho={code} order by orden"

    // The header block's value of a column ("CodigoHembra", "Seleccion", "CausaBaja",
    // "FechaBaja", ...), as printed.
    QString headerValue(const QString& column) const;

private:
    // `rows` is the statement of the detail rows.
    CardSheet(Database& db, const QString& title, const QDate& today, QString rows);
    // A caption with its bold value at a place of the three-column block; an empty
    // caption prints the value alone.
    void addPair(int block, int line, const QString& caption, const QString& column, const QString& value);
    // The block both cards open with, from the animal's row: number, cage,
    // selection, breed, dates and parents (the number asked for when there is no row).
    void addAnimal(const Query& q, const QString& codeCaption, const char* codeColumn, qint64 code);

    std::shared_ptr<qint64> m_accumulated = std::make_shared<qint64>(0);
    QString m_rows;
};
