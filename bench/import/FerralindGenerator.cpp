#include "FerralindGenerator.h"

#include "FerralindFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <random>

namespace ferralindgen {

namespace {

const QDate kStart(2014, 1, 1);
constexpr int kDays = 3650;
constexpr int kCycles = 17;

QString day(const QDate& d) {
    return d.toString(QStringLiteral("yyyyMMdd"));
}

QString n(qint64 v) {
    return QString::number(v);
}

struct Writer {
    QString folder;
    DbfWriter open(const char* file) const {
        const QString name = QString::fromLatin1(file);
        return DbfWriter(QDir(folder).filePath(name), ferralind::fieldsOf(name));
    }
};

} // namespace

void ensure(const QString& folder) {
    const QString done = QDir(folder).filePath(QStringLiteral("complete"));
    if (QFile::exists(done))
        return;
    QDir().mkpath(folder);
    std::mt19937 rng(20261209);
    auto pick = [&rng](int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); };
    const Writer w{folder};
    {
        DbfWriter parame = w.open("parame.dbf");
        parame.addRow({QStringLiteral("Granja La Peña"),
                       n(900),
                       n(120),
                       n(60),
                       n(12),
                       n(30),
                       n(40),
                       n(11),
                       n(4),
                       n(20),
                       n(20),
                       n(140),
                       n(160),
                       n(10),
                       n(100),
                       n(80),
                       QStringLiteral("Gestación"),
                       QStringLiteral("Lactación"),
                       QStringLiteral("Mixto"),
                       QStringLiteral("Reposición"),
                       QStringLiteral("Inicio"),
                       QStringLiteral("Engorde"),
                       QStringLiteral("Acabado")});
    }
    {
        DbfWriter estruc = w.open("estruc1.dbf");
        const char* kinds[] = {"N", "E", "R", "M"};
        for (int i = 0; i < 12; ++i)
            estruc.addRow({n(i * 500 + 1), n(i * 500 + 500), QString::fromLatin1(kinds[i % 4])});
    }
    {
        DbfWriter madres = w.open("madres.dbf");
        for (int d = 0; d < kDays; ++d) {
            QStringList row{day(kStart.addDays(d)), n(4000 + d % 900)};
            for (int c = 0; c < 21; ++c)
                row << n(pick(0, 40));
            row << (d % 30 == 0 ? QStringLiteral("Revisión d'Ávila: ñ") : QString());
            madres.addRow(row);
        }
    }
    {
        DbfWriter fich = w.open("fich_.dbf");
        DbfWriter fich2 = w.open("fich_2.dbf");
        DbfWriter pool = w.open("pool.dbf");
        for (int f = 1; f <= kFemales; ++f) {
            const QDate born = kStart.addDays(pick(0, 400));
            QStringList row{n(pick(0, kMales)),
                            n(pick(0, kFemales)),
                            day(born),
                            day(born.addDays(90)),
                            QStringLiteral("Neozelandés"),
                            n(pick(0, 8)),
                            n(f),
                            n(pick(0, 3))};
            QStringList cubri, macho, pal, fparto, vivos, muer, ana, quita, des, da;
            QDate mated = born.addDays(140);
            for (int c = 0; c < kCycles; ++c) {
                const bool positive = pick(0, 9) < 8;
                const bool insemination = pick(0, 3) == 0;
                cubri << day(mated);
                macho << n(insemination ? -1 : pick(1, kMales));
                pal << (positive ? QStringLiteral("+") : QStringLiteral("-"));
                fparto << (positive ? day(mated.addDays(31)) : QString());
                vivos << n(positive ? pick(4, 12) : 0);
                muer << n(positive ? pick(0, 2) : 0);
                ana << n(pick(0, 1));
                quita << n(pick(0, 1));
                des << n(positive ? pick(4, 10) : 0);
                da << (positive ? QStringLiteral("S") : QStringLiteral("N"));
                if (insemination)
                    pool.addRow({day(mated), n(f), QStringLiteral("P-%1").arg(mated.toString(QStringLiteral("yyyyMM"))),
                                 pal.last(), vivos.last(), muer.last(), n(c == 0 ? 0 : 42),
                                 c == 0 ? QStringLiteral("N") : QStringLiteral("L")});
                mated = mated.addDays(positive ? 42 : 21);
            }
            fich.addRow(row + cubri + macho + pal + fparto);
            fich2.addRow(vivos + muer + ana + quita + des + da);
        }
    }
    {
        DbfWriter m6 = w.open("Macho6.dbf");
        DbfWriter m1 = w.open("Macho1.dbf"), m2 = w.open("Macho2.dbf"), m3 = w.open("Macho3.dbf"),
                  m4 = w.open("Macho4.dbf");
        for (int m = 1; m <= kMales; ++m) {
            const QDate born = kStart.addDays(pick(0, 300));
            m6.addRow({day(born.addDays(60)), day(born), n(pick(0, kFemales)), n(pick(0, kMales)),
                       pick(0, 9) == 0 ? QStringLiteral("T") : QStringLiteral("F"), n(6000 + m),
                       QStringLiteral("Californiano"), n(0)});
            const int matings = pick(100, 200);
            QStringList cn, nn, v, b;
            for (int i = 0; i < 200; ++i) {
                const bool exists = i < matings;
                const bool positive = pick(0, 9) < 8;
                cn << (exists ? day(born.addDays(160 + i * 15)) : QString());
                nn << (exists ? n(pick(1, kFemales)) : QString());
                v << (exists ? (positive ? QStringLiteral("+") : QStringLiteral("-")) : QString());
                b << (exists && positive ? n(pick(4, 12)) + n(pick(0, 2)) : QString());
            }
            m1.addRow(cn);
            m2.addRow(nn);
            m3.addRow(v);
            m4.addRow(b);
        }
    }
    {
        DbfWriter engor = w.open("engor.dbf");
        for (int d = 0; d < kDays; ++d) {
            const int enter = pick(0, 90), sold = pick(0, 80);
            engor.addRow({day(kStart.addDays(d)), n(enter), n(enter * pick(500, 700) / 1000), n(pick(0, 3)),
                          n(pick(0, 4)), n(sold), n(sold * pick(2000, 2400) / 1000), n(pick(50, 90)), n(pick(50, 90)),
                          n(pick(50, 90)), d % 50 == 0 ? QStringLiteral("Añojo") : QString()});
        }
    }
    QFile mark(done);
    mark.open(QIODevice::WriteOnly);
}

} // namespace ferralindgen
