#include "FerralindImport.h"

#include "DbfTable.h"
#include "ImportError.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/EfficiencyIndex.h"
#include "db/Query.h"
#include "db/SafetyCopy.h"
#include "db/Transaction.h"
#include "pools/PoolCounters.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kCycles = 17;
constexpr int kMatings = 200;

// A clamped whole number: below 1 it becomes 0.
qint64 clamped(qint64 v) {
    return v < 1 ? 0 : v;
}

// A partner code: above 0 kept, -1 (insemination) kept, anything else 0.
qint64 partner(qint64 v) {
    return v > 0 || v == -1 ? v : 0;
}

// "+" True, "-" False, anything else NULL.
void bindPlusMinus(Query& q, const QString& name, const QString& text) {
    if (text == QLatin1String("+"))
        q.bindLogical(name, true);
    else if (text == QLatin1String("-"))
        q.bindLogical(name, false);
    else
        q.bindNull(name);
}

QString name(const char* n) {
    return QString::fromLatin1(n);
}

// The files of the import, all open before anything is written.
struct Sources {
    std::unique_ptr<DbfTable> parame, estruc, madres, fich, fich2, macho6, macho1, macho2, macho3, macho4, pool, engor;

    explicit Sources(const QString& folder) {
        auto open = [&folder](const char* file) { return std::make_unique<DbfTable>(folder, name(file)); };
        parame = open("parame.dbf");
        estruc = open("estruc1.dbf");
        madres = open("madres.dbf");
        fich = open("fich_.dbf");
        fich2 = open("fich_2.dbf");
        macho6 = open("Macho6.dbf");
        macho1 = open("Macho1.dbf");
        macho2 = open("Macho2.dbf");
        macho3 = open("Macho3.dbf");
        macho4 = open("Macho4.dbf");
        pool = open("pool.dbf");
        engor = open("engor.dbf");
    }
};

// The fields of a file in the order given, looked up once.
std::vector<int> fields(const DbfTable& t, std::initializer_list<const char*> names) {
    std::vector<int> out;
    for (const char* n : names)
        out.push_back(t.field(name(n)));
    return out;
}

// The fields "PREFIX1" to "PREFIXcount".
std::vector<int> numbered(const DbfTable& t, const char* prefix, int count) {
    std::vector<int> out;
    for (int i = 1; i <= count; ++i)
        out.push_back(t.field(name(prefix) + QString::number(i)));
    return out;
}

// Every field every step reads, found before anything is written.
struct Fields {
    std::vector<int> parame, estruc, madres, fich, macho6, pool, engor;
    std::vector<int> cubri, macho, pal, fparto;        // fich_.dbf, per cycle
    std::vector<int> vivos, muer, ana, quita, des, da; // fich_2.dbf, per cycle
    std::vector<int> cn, n, v, b;                      // Macho1 to Macho4, per mating

    explicit Fields(const Sources& s) {
        parame = fields(*s.parame,
                        {"TF1",  "TF11", "TF12", "TF13", "TF2", "TF3", "TF4",  "TF5",  "TF6",  "TF7",  "TF25", "TF21",
                         "TF22", "TF27", "TF23", "TF24", "TF8", "TF9", "TF10", "TF28", "TF29", "TF30", "TF31"});
        estruc = fields(*s.estruc, {"JAULA_P", "JAULA_U", "TIP"});
        madres = fields(*s.madres, {"XFE",  "XHEM", "XALTA", "XBAJA", "XVEN", "XMA",  "XALT", "XBAJ",
                                    "XVEM", "XCV",  "XPP",   "XPN",   "XNP",  "XNV",  "XNM",  "XAB",
                                    "XND",  "XDES", "XBG",   "XCO1",  "XCO2", "XCO3", "XCO4", "XOB"});
        fich = fields(*s.fich, {"N_PADRE", "N_MADRE", "F_NACI", "F_ENTRA", "RAZA", "TIPOEN", "JAULA", "N_REPO"});
        cubri = numbered(*s.fich, "CUBRI", kCycles);
        macho = numbered(*s.fich, "MACHO", kCycles);
        pal = numbered(*s.fich, "PAL", kCycles);
        fparto = numbered(*s.fich, "FPARTO", kCycles);
        vivos = numbered(*s.fich2, "N_VIVOS", kCycles);
        muer = numbered(*s.fich2, "N_MUER", kCycles);
        ana = numbered(*s.fich2, "ANA", kCycles);
        quita = numbered(*s.fich2, "QUITA", kCycles);
        des = numbered(*s.fich2, "DES", kCycles);
        da = numbered(*s.fich2, "DA", kCycles);
        macho6 = fields(*s.macho6, {"FEN", "FNA", "NM", "NP", "ENF", "JAUL", "RAZ", "N_REP"});
        cn = numbered(*s.macho1, "CN", kMatings);
        n = numbered(*s.macho2, "N", kMatings);
        v = numbered(*s.macho3, "V", kMatings);
        b = numbered(*s.macho4, "B", kMatings);
        pool = fields(*s.pool, {"PFECHA", "PHEMBRA", "PPOOL", "PPAL", "PVIVOS", "PMUERTOS", "PDIASPOS", "PESTADO"});
        engor = fields(*s.engor,
                       {"ZFE", "ZENT", "ZPES", "ZBAG", "ZDREP", "ZVEN", "ZKGV", "ZCON1", "ZCON2", "ZCON3", "OBSER"});
    }
};

// Runs a per-record statement; what the database refuses is told with the file,
// record and field it came from.
void execFor(Query& q, const DbfTable& t, int record, int field) {
    try {
        q.exec();
    } catch (const DbError& e) {
        t.refuse(record, field, e.message());
    }
}

// A male's litter as the predecessor keeps it, in one text: all but the last
// character the kits born alive, the last the kits born dead. One character
// reads as if a "0" stood before it; an empty text is no litter.
std::optional<std::pair<qint64, qint64>> splitLitter(const QString& text) {
    if (text.isEmpty())
        return std::pair<qint64, qint64>{0, 0};
    const QString litter = text.size() == 1 ? QLatin1Char('0') + text : text;
    bool aliveOk = false, deadOk = false;
    const qint64 alive = litter.left(litter.size() - 1).toLongLong(&aliveOk);
    const qint64 dead = litter.right(1).toLongLong(&deadOk);
    if (!aliveOk || !deadOk)
        return std::nullopt;
    return std::pair<qint64, qint64>{alive, dead};
}

// The average weight of a movement: the total over the number, written with up to
// 15 significant digits as the predecessor's figures were; 0 for no kits.
double average(qint64 total, qint64 count) {
    if (count == 0)
        return 0.0;
    return QString::number(double(total) / double(count), 'g', 15).toDouble();
}

class Run {
public:
    Run(Database& db, const Sources& s, const Fields& f, const ImportReport& report)
        : m_db(db), m_s(s), m_f(f), m_report(report) {}

    void all() {
        step(0, [this] { parameters(); });
        step(1, [this] { structure(); });
        step(2, [this] { ledger(); });
        step(3, [this] { females(); });
        step(4, [this] { males(); });
        step(5, [this] { pools(); });
        step(6, [this] { poolTotals(); });
        step(7, [this] { fattening(); });
        step(8, [this] { indices(); });
    }

private:
    template <typename Body> void step(int index, Body body) {
        m_report.progress(0, m_maximum);
        m_report.started(index);
        body();
        m_report.progress(m_maximum, m_maximum);
        m_report.finished(index);
    }

    void setMaximum(int maximum) {
        m_maximum = maximum;
        m_report.progress(0, maximum);
    }

    // Steps 3 to 6 move the bar at every 20th record, step 8 at every second.
    void moved(int record, int every) {
        const int n = record + 1;
        if (n % every == 0)
            m_report.progress(n, m_maximum);
    }

    void parameters() {
        const DbfTable& t = *m_s.parame;
        const std::vector<int>& f = m_f.parame;
        const bool exists = ![this] {
            Query q(m_db, QStringLiteral("select * from DatosExplotacion"));
            q.open();
            return q.eof();
        }();
        Query q(m_db);
        if (exists) {
            q << QStringLiteral("Update DatosExplotacion Set NombreExplotacion=:TF1, JaulasNido=:TF11, "
                                "JaulasEspera=:TF12, JaulasReposicion=:TF13, DiasPalpar=:TF2, DiasDestetar=:TF3, ")
              << QStringLiteral("DiasEngorde=:TF4, DiasCubrirPosparto=:TF5, IntervaloCubrirMacho=:TF6, "
                                "EdadCamadasRevisar=:TF7, EdadRetirarNidal=:TF25, Edad1CubrirHembra=:TF21, ")
              << QStringLiteral("Edad1CubrirMacho=:TF22, EdadSemanasSalida=:TF27, PorcentRepHemAnual=:TF23, "
                                "PorcentRepMacAnual=:TF24, NutriPriMaternidad=:TF8, Nutri2Maternidad=:TF9, "
                                "Nutri3Maternidad=:TF10, Nutri4Maternidad=:TF28, NutriPriCebadero=:TF29, "
                                "Nutri2Cebadero=:TF30, Nutri3Cebadero=:TF31");
        } else {
            q << QStringLiteral("Insert into DatosExplotacion (NombreExplotacion, JaulasNido,JaulasEspera, "
                                "JaulasReposicion, DiasPalpar, DiasDestetar,DiasEngorde, DiasCubrirPosparto, "
                                "IntervaloCubrirMacho,EdadCamadasRevisar, EdadRetirarNidal, Edad1CubrirHembra,")
              << QStringLiteral("Edad1CubrirMacho, EdadSemanasSalida, PorcentRepHemAnual,PorcentRepMacAnual, "
                                "NutriPriMaternidad, Nutri2Maternidad,Nutri3Maternidad, Nutri4Maternidad, "
                                "NutriPriCebadero,Nutri2Cebadero, Nutri3Cebadero)")
              << QStringLiteral("Values (:TF1, :TF11,:TF12,:TF13,:TF2,:TF3,:TF4,:TF5,:TF6,")
              << QStringLiteral(":TF7,:TF25,:TF21,:TF22,:TF27,:TF23,:TF24,:TF8,:TF9,:TF10,:TF28,:TF29,:TF30,:TF31)");
        }
        // TF1 and TF8 on are texts, TF11 to TF24 whole numbers.
        static const char* const kTexts[] = {"TF1", "TF8", "TF9", "TF10", "TF28", "TF29", "TF30", "TF31"};
        for (int field : f) {
            const QString n = t.fieldName(field).toUpper();
            const bool isText = std::find_if(std::begin(kTexts), std::end(kTexts),
                                             [&n](const char* x) { return n == QLatin1String(x); }) != std::end(kTexts);
            if (t.recordCount() == 0)
                isText ? q.bindText(n, QString()) : q.bindInteger(n, 0);
            else
                isText ? q.bindText(n, t.text(0, field)) : q.bindInteger(n, t.whole(0, field));
        }
        execFor(q, t, 0, f[0]);
    }

    void structure() {
        const DbfTable& t = *m_s.estruc;
        setMaximum(t.recordCount());
        m_db.exec(QStringLiteral("delete from estructura"));
        restartNumbering(QStringLiteral("Estructura"));
        Query q(m_db);
        q << QStringLiteral("Insert into estructura (JaulaDesde,JaulaHasta, Tipo)")
          << QStringLiteral("Values (:desde,:hasta,:tipo)");
        for (int r = 0; r < t.recordCount(); ++r) {
            if (t.isDeleted(r))
                continue;
            q.bindInteger(QStringLiteral("desde"), t.whole(r, m_f.estruc[0]));
            q.bindInteger(QStringLiteral("hasta"), t.whole(r, m_f.estruc[1]));
            q.bindText(QStringLiteral("tipo"), t.text(r, m_f.estruc[2]));
            execFor(q, t, r, m_f.estruc[0]);
        }
    }

    void ledger() {
        const DbfTable& t = *m_s.madres;
        const std::vector<int>& f = m_f.madres;
        setMaximum(t.recordCount());
        m_db.exec(QStringLiteral("delete from HistoricoMaternidad"));
        QString values = QStringLiteral("Insert into HistoricoMaternidad Values (:c0");
        std::array<QString, 24> names;
        for (int c = 0; c < 24; ++c) {
            names[c] = QStringLiteral("c%1").arg(c);
            if (c > 0)
                values += QStringLiteral(",:") + names[c];
        }
        Query q(m_db, values + QLatin1Char(')'));
        // A record the ledger cannot take is passed over, as the predecessor's
        // own ledger always did: a second record for a day already imported, a
        // value that is no number or date, or no day at all.
        for (int r = 0; r < t.recordCount(); ++r) {
            moved(r, 20);
            if (t.isDeleted(r))
                continue;
            try {
                const QDate day = t.date(r, f[0]);
                if (!day.isValid())
                    continue;
                q.bindDate(names[0], day);
                for (int c = 1; c <= 22; ++c)
                    q.bindInteger(names[c], clamped(t.whole(r, f[c])));
                q.bindText(names[23], t.text(r, f[23]));
            } catch (const ImportError&) {
                continue;
            }
            try {
                q.exec();
            } catch (const DbError& e) {
                if ((e.code() & 0xff) != SQLITE_CONSTRAINT)
                    t.refuse(r, f[0], e.message());
            }
        }
        m_db.exec(QStringLiteral("delete from HistoricoMaternidad where NumeroTotalHembras=0 and NumeroTotalMachos=0"));
    }

    void females() {
        const DbfTable& t = *m_s.fich;
        const DbfTable& t2 = *m_s.fich2;
        const std::vector<int>& f = m_f.fich;
        setMaximum(t.recordCount());
        m_db.exec(QStringLiteral("delete from Hembras"));
        m_db.exec(QStringLiteral("delete from CubriHembras"));
        restartNumbering(QStringLiteral("CubriHembras"));
        Query female(m_db, QStringLiteral("Insert into Hembras Values (:n,:padre,:madre,:naci,:entra,:raza,:tipoen,"
                                          ":jaula, False, False, False, False, NULL, -1, 0, :repo)"));
        Query cycle(m_db);
        cycle << QStringLiteral("insert into CubriHembras (CodigoHembra, FechaCubricion, CodigoMacho, Palpacion, "
                                "FechaParto, NacidosVivos, NacidosMuertos, Anadidos, Quitados, Destetados, Destetada)")
              << QStringLiteral("VALUES (:n, :cubri, :macho, :pal, :fparto, :vivos, :muer, :ana, :quita, :des, :da)");
        for (int r = 0; r < t.recordCount(); ++r) {
            moved(r, 20);
            if (t.isDeleted(r))
                continue;
            const QDate born = t.date(r, f[2]);
            const QDate entered = t.date(r, f[3]);
            if (!born.isValid() || !entered.isValid())
                continue;
            const qint64 n = r + 1;
            qint64 disease = 0;
            if (!t.tryWhole(r, f[5], disease))
                disease = 0;
            female.bindInteger(QStringLiteral("n"), n);
            female.bindInteger(QStringLiteral("padre"), clamped(t.whole(r, f[0])));
            female.bindInteger(QStringLiteral("madre"), clamped(t.whole(r, f[1])));
            female.bindDate(QStringLiteral("naci"), born);
            female.bindDate(QStringLiteral("entra"), entered);
            female.bindText(QStringLiteral("raza"), t.text(r, f[4]));
            female.bindInteger(QStringLiteral("tipoen"), disease);
            female.bindInteger(QStringLiteral("jaula"), clamped(t.whole(r, f[6])));
            female.bindLogical(QStringLiteral("repo"), t.whole(r, f[7]) > 0);
            execFor(female, t, r, f[0]);
            cycle.bindInteger(QStringLiteral("n"), n);
            for (int i = 0; i < kCycles; ++i) {
                // An empty mating date is no cycle; the later ones still are.
                const QDate mated = t.date(r, m_f.cubri[i]);
                if (!mated.isValid())
                    continue;
                cycle.bindDate(QStringLiteral("cubri"), mated);
                cycle.bindInteger(QStringLiteral("macho"), partner(t.whole(r, m_f.macho[i])));
                bindPlusMinus(cycle, QStringLiteral("pal"), t.text(r, m_f.pal[i]));
                cycle.bindDate(QStringLiteral("fparto"), t.date(r, m_f.fparto[i]));
                cycle.bindInteger(QStringLiteral("vivos"), clamped(t2.whole(r, m_f.vivos[i])));
                cycle.bindInteger(QStringLiteral("muer"), clamped(t2.whole(r, m_f.muer[i])));
                cycle.bindInteger(QStringLiteral("ana"), clamped(t2.whole(r, m_f.ana[i])));
                cycle.bindInteger(QStringLiteral("quita"), clamped(t2.whole(r, m_f.quita[i])));
                cycle.bindInteger(QStringLiteral("des"), clamped(t2.whole(r, m_f.des[i])));
                cycle.bindLogical(QStringLiteral("da"), t2.text(r, m_f.da[i]) == QLatin1String("S"));
                execFor(cycle, t, r, m_f.cubri[i]);
            }
        }
    }

    void males() {
        const DbfTable& t = *m_s.macho6;
        const std::vector<int>& f = m_f.macho6;
        setMaximum(t.recordCount());
        m_db.exec(QStringLiteral("delete from Machos"));
        m_db.exec(QStringLiteral("delete from CubriMachos"));
        restartNumbering(QStringLiteral("CubriMachos"));
        Query male(m_db);
        male << QStringLiteral("Insert into Machos (CodigoMacho, NumeroPadre, NumeroMadre,FechaNacimiento, "
                               "FechaEntrada, Raza, Enfermedad, Jaula,Eficacia, Seleccion)")
             << QStringLiteral("Values (:n,:np,:nm,:fna,:fen,:raz,:enf,:jaul,0,False)");
        Query mating(m_db);
        mating << QStringLiteral("insert into CubriMachos (CodigoMacho, FechaCubricion, CodigoHembra, Palpacion, "
                                 "NacidosVivos, NacidosMuertos)")
               << QStringLiteral("VALUES (:n, :cn, :hembra, :pal, :vivos, :muertos)");
        for (int r = 0; r < t.recordCount(); ++r) {
            moved(r, 20);
            if (t.isDeleted(r))
                continue;
            const QDate entered = t.date(r, f[0]);
            const QDate born = t.date(r, f[1]);
            if (!born.isValid() || !entered.isValid())
                continue;
            const qint64 n = r + 1;
            t.whole(r, f[7]); // N_REP: read and not used
            male.bindInteger(QStringLiteral("n"), n);
            male.bindInteger(QStringLiteral("np"), clamped(t.whole(r, f[3])));
            male.bindInteger(QStringLiteral("nm"), clamped(t.whole(r, f[2])));
            male.bindDate(QStringLiteral("fna"), born);
            male.bindDate(QStringLiteral("fen"), entered);
            male.bindText(QStringLiteral("raz"), t.text(r, f[6]));
            male.bindInteger(QStringLiteral("enf"), t.logical(r, f[4]) ? 1 : 0);
            male.bindInteger(QStringLiteral("jaul"), clamped(t.whole(r, f[5])));
            execFor(male, t, r, f[0]);
            mating.bindInteger(QStringLiteral("n"), n);
            for (int i = 0; i < kMatings; ++i) {
                const QDate mated = m_s.macho1->date(r, m_f.cn[i]);
                if (!mated.isValid())
                    continue;
                const QString litterText = m_s.macho4->text(r, m_f.b[i]);
                const auto litter = splitLitter(litterText);
                if (!litter)
                    m_s.macho4->refuse(r, m_f.b[i], QStringLiteral("'%1' no es una camada").arg(litterText));
                mating.bindDate(QStringLiteral("cn"), mated);
                mating.bindInteger(QStringLiteral("hembra"), partner(m_s.macho2->whole(r, m_f.n[i])));
                bindPlusMinus(mating, QStringLiteral("pal"), m_s.macho3->text(r, m_f.v[i]));
                mating.bindInteger(QStringLiteral("vivos"), litter->first);
                mating.bindInteger(QStringLiteral("muertos"), litter->second);
                execFor(mating, *m_s.macho1, r, m_f.cn[i]);
            }
        }
    }

    void pools() {
        const DbfTable& t = *m_s.pool;
        const std::vector<int>& f = m_f.pool;
        setMaximum(t.recordCount());
        m_db.exec(QStringLiteral("delete from Pools"));
        Query q(m_db, QStringLiteral("Insert into Pools Values (:fecha, :hembra, :pool, :pal, :vivos, :muertos, "
                                     ":diaspos, :estado)"));
        for (int r = 0; r < t.recordCount(); ++r) {
            moved(r, 20);
            const QDate day = t.date(r, f[0]);
            if (t.isDeleted(r) || !day.isValid())
                continue;
            // The female's number is written as it stands, with no quotes: it has
            // to be a number.
            const QString female = t.text(r, f[1]);
            bool isNumber = false;
            const double code = female.toDouble(&isNumber);
            if (!isNumber || !std::isfinite(code))
                t.refuse(r, f[1], QStringLiteral("'%1' no es un número de hembra").arg(female));
            q.bindDate(QStringLiteral("fecha"), day);
            q.bindNumber(QStringLiteral("hembra"), code);
            q.bindText(QStringLiteral("pool"), t.text(r, f[2]));
            bindPlusMinus(q, QStringLiteral("pal"), t.text(r, f[3]));
            q.bindInteger(QStringLiteral("vivos"), t.whole(r, f[4]));
            q.bindInteger(QStringLiteral("muertos"), t.whole(r, f[5]));
            q.bindInteger(QStringLiteral("diaspos"), t.whole(r, f[6]));
            q.bindText(QStringLiteral("estado"), t.text(r, f[7]));
            execFor(q, t, r, f[0]);
        }
    }

    void poolTotals() {
        const int pools = int(Query::scalar(m_db, QStringLiteral("select count(distinct pool) cuenta from pools"),
                                            QStringLiteral("cuenta"))
                                  .asInteger());
        setMaximum(pools);
        PoolCounters(m_db).recompute([this](int done, int total) {
            if (done % 2 == 0)
                m_report.progress(done, total);
        });
    }

    void fattening() {
        const DbfTable& t = *m_s.engor;
        const std::vector<int>& f = m_f.engor;
        setMaximum(t.recordCount());
        m_db.exec(QStringLiteral("delete from Cebadero"));
        Query q(m_db, QStringLiteral("insert into Cebadero Values (:zfe, :zent, :zpes, :mediaent, :zbag, :zdrep, "
                                     ":zven, :zkgv, :mediaven, :zcon1, :zcon2, :zcon3, :obser)"));
        for (int r = 0; r < t.recordCount(); ++r) {
            moved(r, 2);
            const QDate day = t.date(r, f[0]);
            if (t.isDeleted(r) || !day.isValid())
                continue;
            const qint64 zent = t.whole(r, f[1]), zpes = t.whole(r, f[2]);
            const qint64 zven = t.whole(r, f[5]), zkgv = t.whole(r, f[6]);
            q.bindDate(QStringLiteral("zfe"), day);
            q.bindInteger(QStringLiteral("zent"), zent);
            q.bindInteger(QStringLiteral("zpes"), zpes);
            q.bindNumber(QStringLiteral("mediaent"), average(zpes, zent));
            q.bindInteger(QStringLiteral("zbag"), t.whole(r, f[3]));
            q.bindInteger(QStringLiteral("zdrep"), t.whole(r, f[4]));
            q.bindInteger(QStringLiteral("zven"), zven);
            q.bindInteger(QStringLiteral("zkgv"), zkgv);
            q.bindNumber(QStringLiteral("mediaven"), average(zkgv, zven));
            q.bindInteger(QStringLiteral("zcon1"), t.whole(r, f[7]));
            q.bindInteger(QStringLiteral("zcon2"), t.whole(r, f[8]));
            q.bindInteger(QStringLiteral("zcon3"), t.whole(r, f[9]));
            q.bindText(QStringLiteral("obser"), t.text(r, f[10]));
            execFor(q, t, r, f[0]);
        }
    }

    void indices() {
        EfficiencyIndex::recomputeAll(m_db, EfficiencyIndex::Lines::One, [this](int done, int total) {
            m_maximum = total;
            m_report.progress(done, total);
        });
    }

    // An emptied table numbers its rows from 1 again, so that importing the same
    // files twice gives the same database.
    void restartNumbering(const QString& table) {
        Query q(m_db, QStringLiteral("delete from sqlite_sequence where name=:tabla"));
        q.bindText(QStringLiteral("tabla"), table);
        q.exec();
    }

    Database& m_db;
    const Sources& m_s;
    const Fields& m_f;
    const ImportReport& m_report;
    int m_maximum = 1;
};

} // namespace

const QStringList& FerralindImport::stepCaptions() {
    static const QStringList captions = {QStringLiteral("Datos de la Explotación"),
                                         QStringLiteral("Estructura de la Granja"),
                                         QStringLiteral("Histórico de Maternidad"),
                                         QStringLiteral("Datos de Hembras"),
                                         QStringLiteral("Datos de Machos"),
                                         QStringLiteral("Datos primarios de Pools"),
                                         QStringLiteral("Datos secundarios de Pools"),
                                         QStringLiteral("Datos del Cebadero"),
                                         QStringLiteral("Recalculando Índices de Eficacia")};
    return captions;
}

const QStringList& FerralindImport::sourceFiles() {
    static const QStringList files = {
        QStringLiteral("parame.dbf"), QStringLiteral("estruc1.dbf"), QStringLiteral("madres.dbf"),
        QStringLiteral("fich_.dbf"),  QStringLiteral("fich_2.dbf"),  QStringLiteral("Macho6.dbf"),
        QStringLiteral("Macho1.dbf"), QStringLiteral("Macho2.dbf"),  QStringLiteral("Macho3.dbf"),
        QStringLiteral("Macho4.dbf"), QStringLiteral("pool.dbf"),    QStringLiteral("engor.dbf")};
    return files;
}

QString FerralindImport::missingFolderMessage() {
    return QStringLiteral("Se ha producido un error al no encontrar\ndatos de FERRALIND en la carpeta seleccionada.\n"
                          "Seleccione correctamente la carpeta en donde\nestá instalado FERRALIND e inténtelo de "
                          "nuevo.");
}

QString FerralindImport::run(Database& db, const QString& folder, const QDateTime& when, const ImportReport& report) {
    std::unique_ptr<Sources> sources;
    try {
        sources = std::make_unique<Sources>(folder);
    } catch (const ImportError& e) {
        throw ImportError(ImportError::Kind::MissingFile, missingFolderMessage(), e.file());
    }
    const Fields fields(*sources);
    const QString safetyCopy = SafetyCopy::save(db, when);
    Transaction recording(db);
    Run(db, *sources, fields, report).all();
    recording.commit();
    return safetyCopy;
}
