#pragma once

#include "db/Database.h"
#include "db/SqlFormat.h"
#include "reports/SheetDocument.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// Animals and their cycles for the culling and selection listings, and the
// lines of a produced listing read back.
namespace selectionkit {

struct Female {
    int code;
    int cage;
    QDate born;
    int disease = 0;
    int cause = -1; // CausaBaja: 0 or 1 culled or dead
    double efficiency = 0;
    bool selected = false;
    int marks = 0; // bit 0 Marca1 ... bit 3 Marca4
    QDate entered = {};
};

inline void add(Database& db, const Female& f) {
    db.exec(QStringLiteral("insert into Hembras (CodigoHembra, Jaula, FechaNacimiento, FechaEntrada, Enfermedad, "
                           "CausaBaja, Eficacia, Seleccion, Marca1, Marca2, Marca3, Marca4) values (%1, %2, %3, %4, "
                           "%5, %6, %7, %8, %9, %10, %11, %12)")
                .arg(f.code)
                .arg(f.cage)
                .arg(sql::date(f.born), sql::date(f.entered))
                .arg(f.disease)
                .arg(f.cause)
                .arg(sql::decimal2(f.efficiency), sql::logical(f.selected), sql::logical(f.marks & 1),
                     sql::logical(f.marks & 2), sql::logical(f.marks & 4), sql::logical(f.marks & 8)));
}

// A cycle row of a female: its palpation (none: not palpated yet) and whether she gave birth.
inline void addCycle(Database& db, int female, std::optional<bool> palpation, bool birth = false) {
    db.exec(QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, Palpacion, FechaParto) values "
                           "(%1, '01/02/2026', %2, %3)")
                .arg(female)
                .arg(sql::palpation(palpation), birth ? QStringLiteral("'02/04/2026'") : QStringLiteral("NULL")));
}

inline void addMale(Database& db, int code, int cage, const QDate& born, double efficiency, bool selected = false,
                    const QDate& entered = {}) {
    db.exec(QStringLiteral("insert into Machos (CodigoMacho, Jaula, FechaNacimiento, FechaEntrada, Eficacia, "
                           "Seleccion) values (%1, %2, %3, %4, %5, %6)")
                .arg(code)
                .arg(cage)
                .arg(sql::date(born), sql::date(entered), sql::shortest(efficiency), sql::logical(selected)));
}

inline void addMating(Database& db, int male, int female) {
    db.exec(QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra) values (%1, "
                           "'01/02/2026', %2)")
                .arg(male)
                .arg(female));
}

// Every detail line of the sheet, page after page: the texts of the named cells joined by '|'.
inline QStringList lines(const SheetDocument& doc, const QStringList& cells) {
    QStringList out;
    for (const SheetPage& page : doc.pages) {
        std::map<int, QHash<QString, QString>> rows;
        for (const SheetItem& item : page.items) {
            if (item.band == BandKind::Detail && item.kind != SheetItem::Kind::Line)
                rows[item.row].insert(item.name, item.text);
        }
        for (const auto& [row, texts] : rows) {
            QStringList line;
            for (const QString& cell : cells)
                line << texts.value(cell);
            out << line.join(QLatin1Char('|'));
        }
    }
    return out;
}

} // namespace selectionkit
