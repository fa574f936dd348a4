#include "FarmRows.h"
#include "FerralindFiles.h"
#include "TempFarm.h"
#include "db/Database.h"
#include "db/EfficiencyIndex.h"
#include "db/Query.h"
#include "import/FerralindImport.h"
#include "import/ImportError.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using testkit::rowTexts;

namespace {

using Values = QHash<QString, QString>;
const QDateTime kWhen(QDate(2026, 12, 9), QTime(10, 30));

// A farm and the predecessor's folder it is to take in.
struct ImportFarm {
    TempFarm farm;
    TempFolder source;
    FerralindFolder files{source.file(QStringLiteral("FERRALIND"))};

    Database& db() { return farm.db(); }
    QString run() {
        if (!files.has(QStringLiteral("parame.dbf")))
            files.add(QStringLiteral("parame.dbf"), {{QStringLiteral("TF1"), QStringLiteral("La Peña")}});
        files.write();
        return FerralindImport::run(db(), files.folder(), kWhen);
    }
    QStringList rows(const char* statement) { return rowTexts(db(), QString::fromUtf8(statement)); }
};

// Every table of the farm, rows in a fixed order, for "the farm is as it was".
QStringList wholeFarm(Database& db) {
    QStringList out;
    for (const char* t : {"DatosExplotacion", "Estructura", "Hembras", "Machos", "CubriHembras", "CubriMachos",
                          "HistoricoMaternidad", "Pools", "MasterPools", "Cebadero"})
        out << QString::fromLatin1(t) << rowTexts(db, QStringLiteral("select * from %1 order by 1, 2, 3").arg(t));
    return out;
}

// A farm of a few animals with one of every kind of record, for the whole-run tests.
void someFarm(FerralindFolder& f) {
    f.add(QStringLiteral("estruc1.dbf"), {{QStringLiteral("JAULA_P"), QStringLiteral("1")},
                                          {QStringLiteral("JAULA_U"), QStringLiteral("40")},
                                          {QStringLiteral("TIP"), QStringLiteral("N")}});
    f.add(QStringLiteral("madres.dbf"),
          {{QStringLiteral("XFE"), QStringLiteral("20240105")}, {QStringLiteral("XHEM"), QStringLiteral("30")}});
    f.add(QStringLiteral("fich_.dbf"), {{QStringLiteral("F_NACI"), QStringLiteral("20230101")},
                                        {QStringLiteral("F_ENTRA"), QStringLiteral("20230301")},
                                        {QStringLiteral("CUBRI1"), QStringLiteral("20230501")},
                                        {QStringLiteral("MACHO1"), QStringLiteral("1")}});
    f.add(QStringLiteral("Macho6.dbf"),
          {{QStringLiteral("FNA"), QStringLiteral("20220101")}, {QStringLiteral("FEN"), QStringLiteral("20220301")}});
    f.add(QStringLiteral("Macho1.dbf"), {{QStringLiteral("CN1"), QStringLiteral("20230501")}});
    f.add(QStringLiteral("Macho2.dbf"), {{QStringLiteral("N1"), QStringLiteral("1")}});
    f.add(QStringLiteral("Macho4.dbf"), {{QStringLiteral("B1"), QStringLiteral("83")}});
    f.add(QStringLiteral("pool.dbf"), {{QStringLiteral("PFECHA"), QStringLiteral("20230501")},
                                       {QStringLiteral("PHEMBRA"), QStringLiteral("1")},
                                       {QStringLiteral("PPOOL"), QStringLiteral("P1")}});
    f.add(QStringLiteral("engor.dbf"), {{QStringLiteral("ZFE"), QStringLiteral("20240105")},
                                        {QStringLiteral("ZENT"), QStringLiteral("3")},
                                        {QStringLiteral("ZPES"), QStringLiteral("8")}});
}

} // namespace

// Codes by record position: a female without a birth date, and one whose
// record is marked deleted, are not imported, and the next keeps her number.
// Cycles come in ascending order, an empty mating date skipping that cycle only.
TEST(Import, FemalesAndTheirCycles) {
    ImportFarm f;
    f.files.add(QStringLiteral("fich_.dbf"), {{QStringLiteral("N_PADRE"), QStringLiteral("-2")},
                                              {QStringLiteral("N_MADRE"), QStringLiteral("7")},
                                              {QStringLiteral("F_NACI"), QStringLiteral("20200105")},
                                              {QStringLiteral("F_ENTRA"), QStringLiteral("20200301")},
                                              {QStringLiteral("RAZA"), QStringLiteral("Peña 'Roja'")},
                                              {QStringLiteral("TIPOEN"), QStringLiteral("abc")},
                                              {QStringLiteral("JAULA"), QStringLiteral("12")},
                                              {QStringLiteral("N_REPO"), QStringLiteral("2")},
                                              {QStringLiteral("CUBRI1"), QStringLiteral("20210101")},
                                              {QStringLiteral("MACHO1"), QStringLiteral("5")},
                                              {QStringLiteral("PAL1"), QStringLiteral("+")},
                                              {QStringLiteral("FPARTO1"), QStringLiteral("20210202")},
                                              {QStringLiteral("CUBRI3"), QStringLiteral("20210301")},
                                              {QStringLiteral("MACHO3"), QStringLiteral("-1")},
                                              {QStringLiteral("PAL3"), QStringLiteral("-")},
                                              {QStringLiteral("FPARTO3"), QStringLiteral("20210601")},
                                              {QStringLiteral("CUBRI17"), QStringLiteral("20210401")},
                                              {QStringLiteral("MACHO17"), QStringLiteral("-3")},
                                              {QStringLiteral("PAL17"), QStringLiteral("?")}});
    f.files.add(QStringLiteral("fich_2.dbf"), {{QStringLiteral("N_VIVOS1"), QStringLiteral("8")},
                                               {QStringLiteral("N_MUER1"), QStringLiteral("1")},
                                               {QStringLiteral("ANA1"), QStringLiteral("2")},
                                               {QStringLiteral("QUITA1"), QStringLiteral("-1")},
                                               {QStringLiteral("DES1"), QStringLiteral("9.6")},
                                               {QStringLiteral("DA1"), QStringLiteral("S")},
                                               {QStringLiteral("DA3"), QStringLiteral("S")},
                                               {QStringLiteral("DA17"), QStringLiteral("N")}});
    f.files.add(QStringLiteral("fich_.dbf"), {{QStringLiteral("F_ENTRA"), QStringLiteral("20200301")},
                                              {QStringLiteral("CUBRI1"), QStringLiteral("20210101")}});
    f.files.add(QStringLiteral("fich_.dbf"),
                {{QStringLiteral("F_NACI"), QStringLiteral("20200105")},
                 {QStringLiteral("F_ENTRA"), QStringLiteral("20200301")}},
                true);
    f.files.add(QStringLiteral("fich_.dbf"), {{QStringLiteral("F_NACI"), QStringLiteral("20200101")},
                                              {QStringLiteral("F_ENTRA"), QStringLiteral("20200102")},
                                              {QStringLiteral("RAZA"), QStringLiteral("Californiana")},
                                              {QStringLiteral("TIPOEN"), QStringLiteral("3")}});
    f.run();

    EXPECT_EQ(
        f.rows("select * from Hembras order by CodigoHembra"),
        QStringList(
            {QStringLiteral("1|0|7|05/01/2020|01/03/2020|Peña 'Roja'|0|12|False|False|False|False||-1|%1|True")
                 .arg(EfficiencyIndex::text(EfficiencyIndex::female(f.db(), 1))),
             QStringLiteral("4|0|0|01/01/2020|02/01/2020|Californiana|3|0|False|False|False|False||-1|0|False")}));
    EXPECT_GT(EfficiencyIndex::female(f.db(), 1), 0.0);
    EXPECT_EQ(f.rows("select * from CubriHembras order by Orden"),
              QStringList({QStringLiteral("1|1|01/01/2021|5|True|02/02/2021|8|1|2|0|10|True|"),
                           QStringLiteral("2|1|01/03/2021|-1|False|01/06/2021|0|0|0|0|0|True|"),
                           QStringLiteral("3|1|01/04/2021|0|||0|0|0|0|0|False|")}));
}

// Males the same by position; a mating's litter is split from one text and its
// partner and palpation read as the females' are.
TEST(Import, MalesAndTheirMatings) {
    ImportFarm f;
    f.files.add(QStringLiteral("Macho6.dbf"), {{QStringLiteral("FEN"), QStringLiteral("20220301")},
                                               {QStringLiteral("RAZ"), QStringLiteral("Neozelandés")}});
    f.files.add(QStringLiteral("Macho6.dbf"), {{QStringLiteral("FNA"), QStringLiteral("20220101")},
                                               {QStringLiteral("FEN"), QStringLiteral("20220301")},
                                               {QStringLiteral("NM"), QStringLiteral("4")},
                                               {QStringLiteral("NP"), QStringLiteral("0")},
                                               {QStringLiteral("ENF"), QStringLiteral("T")},
                                               {QStringLiteral("JAUL"), QStringLiteral("301")},
                                               {QStringLiteral("RAZ"), QStringLiteral("Neozelandés")}});
    f.files.add(QStringLiteral("Macho1.dbf"), {{QStringLiteral("CN1"), QStringLiteral("20230101")}});
    Values dates, partners, signs, litters;
    const struct {
        const char* partner;
        const char* sign;
        const char* litter;
    } matings[] = {{"3", "+", "5"}, {"-1", "-", "83"}, {"-5", "x", "120"}, {"0", "", ""}};
    for (int i = 0; i < 4; ++i) {
        // Mating 3 has no date: it is skipped, the fourth still comes.
        const QString k = QString::number(i < 2 ? i + 1 : i + 2);
        dates[QStringLiteral("CN") + k] = QStringLiteral("2023010%1").arg(i + 1);
        partners[QStringLiteral("N") + k] = QString::fromUtf8(matings[i].partner);
        signs[QStringLiteral("V") + k] = QString::fromUtf8(matings[i].sign);
        litters[QStringLiteral("B") + k] = QString::fromUtf8(matings[i].litter);
    }
    f.files.add(QStringLiteral("Macho1.dbf"), dates);
    f.files.add(QStringLiteral("Macho2.dbf"), {});
    f.files.add(QStringLiteral("Macho2.dbf"), partners);
    f.files.add(QStringLiteral("Macho3.dbf"), {});
    f.files.add(QStringLiteral("Macho3.dbf"), signs);
    f.files.add(QStringLiteral("Macho4.dbf"), {});
    f.files.add(QStringLiteral("Macho4.dbf"), litters);
    f.run();

    EXPECT_EQ(f.rows("select CodigoMacho, NumeroPadre, NumeroMadre, FechaNacimiento, FechaEntrada, Raza, "
                     "Enfermedad, Jaula, Seleccion from Machos"),
              QStringList({QStringLiteral("2|0|4|01/01/2022|01/03/2022|Neozelandés|1|301|False")}));
    EXPECT_EQ(f.rows("select CodigoMacho, FechaCubricion, CodigoHembra, Palpacion, NacidosVivos, NacidosMuertos "
                     "from CubriMachos order by Orden"),
              QStringList({QStringLiteral("2|01/01/2023|3|True|0|5"), QStringLiteral("2|02/01/2023|-1|False|8|3"),
                           QStringLiteral("2|03/01/2023|0||12|0"), QStringLiteral("2|04/01/2023|0||0|0")}));
    // An average litter of 7 times a quarter palpated positive.
    EXPECT_EQ(f.rows("select Eficacia from Machos"), QStringList({QStringLiteral("175")}));
}

// A day with both totals 0 is gone, a second record for a day leaves the first,
// a record the ledger cannot take is passed over;
// fattening averages to 15 significant digits, 0 without kits.
TEST(Import, LedgerDaysAndFatteningAverages) {
    ImportFarm f;
    const struct {
        const char* day;
        const char* females;
        const char* males;
        const char* remark;
    } days[] = {{"20240105", "10", "2", "Diarrea en la nave 2"},
                {"20240105", "99", "9", "repetido"},
                {"20240106", "0", "0", "vacío"},
                {"20240107", "-5", "3", "O'Donnell"},
                {"20240108", "doce", "3", "no es un número"},
                {"20241399", "4", "4", "no es una fecha"},
                {"", "4", "4", "sin fecha"}};
    for (const auto& d : days)
        f.files.add(QStringLiteral("madres.dbf"), {{QStringLiteral("XFE"), QString::fromUtf8(d.day)},
                                                   {QStringLiteral("XHEM"), QString::fromUtf8(d.females)},
                                                   {QStringLiteral("XMA"), QString::fromUtf8(d.males)},
                                                   {QStringLiteral("XCV"), QStringLiteral("-2")},
                                                   {QStringLiteral("XOB"), QString::fromUtf8(d.remark)}});
    const struct {
        const char* day;
        const char* zent;
        const char* zpes;
        const char* zven;
        const char* zkgv;
    } moves[] = {{"20240105", "0", "5", "4", "10"}, {"20240106", "3", "8", "0", "7"}, {"", "1", "1", "1", "1"}};
    for (const auto& m : moves)
        f.files.add(QStringLiteral("engor.dbf"), {{QStringLiteral("ZFE"), QString::fromUtf8(m.day)},
                                                  {QStringLiteral("ZENT"), QString::fromUtf8(m.zent)},
                                                  {QStringLiteral("ZPES"), QString::fromUtf8(m.zpes)},
                                                  {QStringLiteral("ZVEN"), QString::fromUtf8(m.zven)},
                                                  {QStringLiteral("ZKGV"), QString::fromUtf8(m.zkgv)},
                                                  {QStringLiteral("OBSER"), QStringLiteral("Añojo")}});
    f.run();

    EXPECT_EQ(f.rows("select Fecha, NumeroTotalHembras, NumeroTotalMachos, Cubriciones, Observaciones "
                     "from HistoricoMaternidad order by Fecha"),
              QStringList({QStringLiteral("05/01/2024|10|2|0|Diarrea en la nave 2"),
                           QStringLiteral("07/01/2024|0|3|0|O'Donnell")}));
    EXPECT_EQ(
        f.rows("select FechaMovimiento, PesPromedioEnt, PesPromedioVen, Observaciones from Cebadero "
               "order by FechaMovimiento"),
        QStringList({QStringLiteral("05/01/2024|0|2.5|Añojo"), QStringLiteral("06/01/2024|2.66666666666667|0|Añojo")}));
    const double stored = Query::scalar(f.db(),
                                        QStringLiteral("select PesPromedioEnt media from Cebadero where "
                                                       "EntGazaposDes=3"),
                                        QStringLiteral("media"))
                              .asFloat();
    EXPECT_EQ(stored, 2.66666666666667);
}

// A pool record without a date is skipped; a palpation that is neither "+" nor
// "-" is NULL, which the per-pool totals do not count.
TEST(Import, PoolsAndTheirTotals) {
    ImportFarm f;
    const struct {
        const char* day;
        const char* sign;
        const char* estado;
        const char* alive;
    } rows[] = {
        {"20240301", "+", "N", "9"}, {"20240301", "-", "L", "0"}, {"20240301", "?", "L", "0"}, {"", "+", "N", "7"}};
    for (const auto& r : rows)
        f.files.add(QStringLiteral("pool.dbf"), {{QStringLiteral("PFECHA"), QString::fromUtf8(r.day)},
                                                 {QStringLiteral("PHEMBRA"), QStringLiteral("12")},
                                                 {QStringLiteral("PPOOL"), QStringLiteral("Marzo")},
                                                 {QStringLiteral("PPAL"), QString::fromUtf8(r.sign)},
                                                 {QStringLiteral("PVIVOS"), QString::fromUtf8(r.alive)},
                                                 {QStringLiteral("PESTADO"), QString::fromUtf8(r.estado)}});
    f.run();
    EXPECT_EQ(f.rows("select Palpacion, Estado from Pools order by Estado, Palpacion"),
              QStringList({QStringLiteral("|L"), QStringLiteral("False|L"), QStringLiteral("True|N")}));
    EXPECT_EQ(f.rows("select * from MasterPools"),
              QStringList({QStringLiteral("Marzo|1|1|1|9|1|0|0|0|0|0|0|0|2|1|1|9")}));
}

// The parameter row is inserted when missing and otherwise updated, its mark
// names untouched.
TEST(Import, ParameterRowKeepsItsMarkNames) {
    for (const bool hadRow : {false, true}) {
        SCOPED_TRACE(hadRow);
        ImportFarm f;
        f.db().exec(QStringLiteral("delete from DatosExplotacion"));
        if (hadRow)
            f.db().exec(QStringLiteral("insert into DatosExplotacion (NombreExplotacion, DiasPalpar, Marca1, Marca4) "
                                       "values ('Vieja', 9, 'Vacunada', 'Vendida')"));
        f.files.add(QStringLiteral("parame.dbf"), {{QStringLiteral("TF1"), QStringLiteral("La Peña")},
                                                   {QStringLiteral("TF2"), QStringLiteral("12")},
                                                   {QStringLiteral("TF23"), QStringLiteral("40.4")},
                                                   {QStringLiteral("TF31"), QStringLiteral("Pienso d'engorde")}});
        f.files.add(QStringLiteral("parame.dbf"), {{QStringLiteral("TF1"), QStringLiteral("Otra")}});
        f.run();
        EXPECT_EQ(f.rows("select NombreExplotacion, DiasPalpar, PorcentRepHemAnual, Nutri3Cebadero, Marca1, Marca4 "
                         "from DatosExplotacion"),
                  QStringList({hadRow ? QStringLiteral("La Peña|12|40|Pienso d'engorde|Vacunada|Vendida")
                                      : QStringLiteral("La Peña|12|40|Pienso d'engorde||")}));
    }
}

// Upper-case and mixed-case file names are found; two imports of the same
// files give the same farm; a safety copy of the farm as it was comes first.
TEST(Import, SameFilesTwiceGiveTheSameFarm) {
    ImportFarm f;
    someFarm(f.files);
    f.files.nameOnDisk(QStringLiteral("madres.dbf"), QStringLiteral("MADRES.DBF"));
    f.files.nameOnDisk(QStringLiteral("Macho6.dbf"), QStringLiteral("Macho6.DBF"));
    f.files.nameOnDisk(QStringLiteral("fich_.dbf"), QStringLiteral("FICH_.Dbf"));
    testkit::addFemaleInCage(f.db(), 77, 3);
    const QString copy = f.run();
    ASSERT_TRUE(QFile::exists(copy)) << copy.toStdString();
    {
        Database before(copy);
        EXPECT_EQ(rowTexts(before, QStringLiteral("select CodigoHembra, Jaula from Hembras")),
                  QStringList({QStringLiteral("77|3")}));
    }
    const QStringList once = wholeFarm(f.db());
    EXPECT_EQ(testkit::count(f.db(), QStringLiteral("select count(*) cuenta from Hembras")), 1);
    EXPECT_EQ(f.rows("select CodigoMacho, NacidosVivos, NacidosMuertos from CubriMachos"),
              QStringList({QStringLiteral("1|8|3")}));
    f.run();
    EXPECT_EQ(wholeFarm(f.db()), once);
}

// Whatever stops an import leaves the farm exactly as it was, with a message
// that names the file and, for a value, its record and field.
TEST(Import, AFailureLeavesTheFarmAsItWas) {
    const struct {
        const char* what;
        std::function<void(FerralindFolder&)> spoil;
        ImportError::Kind kind;
        const char* message;
    } cases[] = {
        {"missing file", [](FerralindFolder& f) { f.leaveOutFile(QStringLiteral("Macho3.dbf")); },
         ImportError::Kind::MissingFile, nullptr},
        {"missing field",
         [](FerralindFolder& f) { f.leaveOutField(QStringLiteral("fich_2.dbf"), QStringLiteral("DA17")); },
         ImportError::Kind::MissingField, "El archivo fich_2.dbf no tiene el campo DA17."},
        {"female without a number",
         [](FerralindFolder& f) {
             f.add(QStringLiteral("pool.dbf"), {{QStringLiteral("PFECHA"), QStringLiteral("20240301")}});
         },
         ImportError::Kind::BadValue, "Archivo pool.dbf, registro 2, campo PHEMBRA: '' no es un número de hembra"},
        {"litter that is no number",
         [](FerralindFolder& f) {
             f.add(QStringLiteral("Macho6.dbf"), {{QStringLiteral("FNA"), QStringLiteral("20220101")},
                                                  {QStringLiteral("FEN"), QStringLiteral("20220301")}});
             f.add(QStringLiteral("Macho1.dbf"), {{QStringLiteral("CN1"), QStringLiteral("20230601")}});
             f.add(QStringLiteral("Macho4.dbf"), {{QStringLiteral("B1"), QStringLiteral("x5")}});
         },
         ImportError::Kind::BadValue, "Archivo Macho4.dbf, registro 2, campo B1: 'x5' no es una camada"},
        {"word in a number field",
         [](FerralindFolder& f) {
             f.add(QStringLiteral("engor.dbf"), {{QStringLiteral("ZFE"), QStringLiteral("20240106")},
                                                 {QStringLiteral("ZBAG"), QStringLiteral("tres")}});
         },
         ImportError::Kind::BadValue, "Archivo engor.dbf, registro 2, campo ZBAG: 'tres' no es un número"},
        {"second movement on one day",
         [](FerralindFolder& f) {
             f.add(QStringLiteral("engor.dbf"), {{QStringLiteral("ZFE"), QStringLiteral("20240105")}});
         },
         ImportError::Kind::BadValue, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImportFarm f;
        someFarm(f.files);
        testkit::addFemaleInCage(f.db(), 77, 3);
        testkit::addLedgerDay(f.db(), QDate(2025, 1, 1), QStringLiteral("NumeroTotalHembras=1"));
        const QStringList before = wholeFarm(f.db());
        c.spoil(f.files);
        try {
            f.run();
            ADD_FAILURE() << "the import went through";
        } catch (const ImportError& e) {
            EXPECT_EQ(e.kind(), c.kind);
            if (c.kind == ImportError::Kind::MissingFile) {
                EXPECT_EQ(e.message(), FerralindImport::missingFolderMessage());
            }
            if (c.message)
                EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
            else
                EXPECT_FALSE(e.file().isEmpty());
        }
        EXPECT_EQ(wholeFarm(f.db()), before);
    }
}
