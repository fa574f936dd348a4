#include "LargeFarm.h"

#include "RawStatement.h"
#include "db/Database.h"
#include "db/Transaction.h"

#include <QFileInfo>

namespace {

class Random {
public:
    int below(int n) {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return int((m_state >> 33) % quint64(n));
    }

private:
    quint64 m_state = 0x7041CA5Eull;
};

using Insert = RawStatement;

} // namespace

void LargeFarm::ensure(const QString& file, int females) {
    if (QFileInfo::exists(file))
        return;
    Database db(file, Database::Open::CreateNew);
    Transaction t(db);
    Random random;
    Insert female(db.handle(), "insert into Hembras values (?1, 0, 0, ?2, ?3, '', 0, ?1, 0, 0, 0, 0, NULL, -1, 0, 0)");
    Insert male(db.handle(), "insert into Machos values (?1, 0, 0, '2018-01-01', '2018-03-01', '', 0, ?2, 0, 0)");
    Insert cycle(db.handle(), "insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                              "FechaParto, NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada) "
                              "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, 0, 0, ?8, ?9)");
    Insert mirror(db.handle(), "insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra, Palpacion, "
                               "NacidosVivos, NacidosMuertos) values (?1, ?2, ?3, ?4, ?5, ?6)");
    for (int m = 1; m <= kMales; ++m)
        male.bind(1, m).bind(2, 90000 + m).run();
    for (int f = 1; f <= females; ++f) {
        const QDate born = QDate(2021, 1, 1).addDays(random.below(300));
        female.bind(1, f).bind(2, born).bind(3, born.addDays(120)).run();
        const bool dueToGiveBirth = f > females / 2;
        // Cycles every 45 days, ending so that the last one is in the wanted state on kDay.
        QDate mated = kDay.addDays(-45 * kCyclesEach + (dueToGiveBirth ? 15 : -40));
        for (int c = 0; c < kCyclesEach; ++c, mated = mated.addDays(45)) {
            const bool last = c == kCyclesEach - 1;
            const int sire = 1 + random.below(kMales);
            const bool positive = last ? true : random.below(10) < 8;
            const bool pregnantNow = last && dueToGiveBirth;
            const int alive = positive && !pregnantNow ? 5 + random.below(7) : 0;
            const int dead = positive && !pregnantNow ? random.below(2) : 0;
            const QDate birth = positive && !pregnantNow ? mated.addDays(31) : QDate();
            cycle.bind(1, f).bind(2, mated).bind(3, sire).bind(4, positive ? 1 : 0).bind(5, birth).bind(6, alive);
            cycle.bind(7, dead).bind(8, positive && !pregnantNow ? alive : 0).bind(9, positive && !pregnantNow ? 1 : 0);
            cycle.run();
            mirror.bind(1, sire).bind(2, mated).bind(3, f).bind(4, positive ? 1 : 0).bind(5, alive).bind(6, dead).run();
        }
    }
    Insert day(db.handle(), "insert into HistoricoMaternidad values (?1, ?2, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 0, "
                            "0, 0, 0, 0, 0, 0, 0, 0, 0, '')");
    for (QDate d = kDay.addDays(-800); d < kDay; d = d.addDays(1))
        day.bind(1, d).bind(2, females).run();
    t.commit();
}
