#pragma once

#include "db/Database.h"
#include "db/SqlFormat.h"
#include "db/Transaction.h"

#include <vector>

// Female i (from 0) has code 1000 + i, cage i + 1, the marks of the low four bits
// of i and index i / 4; every seventh female is culled and must not be listed.
inline void addFemales(Database& db, int count) {
    Transaction t(db);
    for (int i = 0; i < count; ++i) {
        db.exec(QStringLiteral("insert into Hembras (CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, CausaBaja, "
                               "Eficacia) values (%1, %2, %3, %4, %5, %6, %7, %8)")
                    .arg(1000 + i)
                    .arg(i + 1)
                    .arg(sql::logical(i & 1), sql::logical(i & 2), sql::logical(i & 4), sql::logical(i & 8))
                    .arg(i % 7 == 6 ? 0 : -1)
                    .arg(sql::decimal2(i * 0.25)));
    }
    t.commit();
}

// The indexes of the females listed (the active ones), in cage order.
inline std::vector<int> listedIndexes(int females) {
    std::vector<int> out;
    for (int i = 0; i < females; ++i) {
        if (i % 7 != 6)
            out.push_back(i);
    }
    return out;
}

// The mark names the list tests use; the second one is empty.
inline void nameFarm(Database& db) {
    db.exec(QStringLiteral("update DatosExplotacion set NombreExplotacion='Granja La Vega', Marca1='Vacunada', "
                           "Marca2='', Marca3='Tratada', Marca4='Revisar'"));
}
