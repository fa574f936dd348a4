#include "FarmFolderGenerator.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr const char* kDoneMarker = ".generado-v1";

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "sqlite error";
        sqlite3_free(error);
        throw std::runtime_error(text);
    }
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

const char* const kNotes[] = {"",
                              "",
                              "",
                              "",
                              "mamitis",
                              "revisar nido",
                              "baja por edad",
                              "cojera leve",
                              "camada pequeña",
                              "repetir palpación",
                              "adoptó gazapos",
                              "vacunada"};

} // namespace

quint64 FarmFolderGenerator::next() {
    // SplitMix64: tiny, and the same sequence on every platform.
    quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void FarmFolderGenerator::ensure() {
    const QDir root(m_folder);
    if (QFile::exists(root.filePath(kDoneMarker)))
        return;
    QDir(m_folder).removeRecursively();
    for (const char* sub : {"Datos", "Fotos/2024", "Documentos", "Exportaciones"})
        if (!root.mkpath(sub))
            throw std::runtime_error("cannot create " + m_folder.toStdString());

    writeDatabase(root.filePath("Datos/Quendal.db"));
    for (int i = 1; i <= 3; ++i)
        writeNoise(root.filePath(QStringLiteral("Fotos/2024/jaula-%1.jpg").arg(i, 3, 10, QChar(u'0'))), 10'000'000);
    for (int i = 1; i <= 8; ++i)
        writeNoise(root.filePath(QStringLiteral("Documentos/informe %1.pdf").arg(i)), 600'000 + 1237 * i);
    writeText(root.filePath("Datos/Quendal.conf"), "PATH=Datos\nVersion=1.1.0\n");
    writeText(root.filePath(QString::fromUtf8("Documentos/léame.txt")), "Copia de la granja de pruebas.\n");
    writeText(root.filePath(kDoneMarker), "");
}

void FarmFolderGenerator::writeNoise(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (qint64 left = size; left > 0; left -= chunk.size()) {
        for (qsizetype i = 0; i < chunk.size(); i += 8) {
            const quint64 word = next();
            std::memcpy(chunk.data() + i, &word, 8);
        }
        const qint64 part = std::min<qint64>(left, chunk.size());
        if (file.write(chunk.constData(), part) != part)
            throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void FarmFolderGenerator::writeDatabase(const QString& path) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path.toStdString());
    exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;");
    exec(db, "CREATE TABLE Hembras (CodigoHembra INTEGER PRIMARY KEY, Jaula INTEGER, FechaNacimiento TEXT,"
             " FechaAlta TEXT, Raza TEXT, CausaBaja INTEGER, FechaBaja TEXT, Marca1 BOOLEAN, Marca2 BOOLEAN);"
             "CREATE TABLE CubriHembras (CodigoHembra INTEGER, Orden INTEGER, FechaCubricion TEXT,"
             " CodigoMacho INTEGER, Inseminacion BOOLEAN, Palpacion TEXT, FechaParto TEXT, NacidosVivos REAL,"
             " NacidosMuertos REAL, Adoptados REAL, Cedidos REAL, FechaDestete TEXT, Destetados REAL,"
             " Lote INTEGER, Maquina TEXT, Observaciones TEXT, PRIMARY KEY (CodigoHembra, Orden));"
             "CREATE INDEX CubriFecha ON CubriHembras (FechaCubricion);"
             "CREATE TABLE HistoricoMaternidad (Fecha TEXT PRIMARY KEY, Hembras REAL, Cubriciones REAL,"
             " Partos REAL, NacidosVivos REAL, Destetados REAL, Bajas REAL);");

    sqlite3_stmt* female = nullptr;
    sqlite3_stmt* cycle = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Hembras VALUES (?,?,?,?,?,?,?,?,?)", -1, &female, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO CubriHembras VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)", -1, &cycle, nullptr);
    const QDate start(2012, 1, 9);
    const auto text = [](sqlite3_stmt* s, int column, const QByteArray& value) {
        sqlite3_bind_text(s, column, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    };
    const auto day = [&](int offset) { return start.addDays(offset).toString(Qt::ISODate).toLatin1(); };

    // About 31,000 females over twelve years, each with its run of cycles.
    for (int code = 1; code <= 31000; ++code) {
        const int born = int(next() % 4300);
        const int cycles = 8 + int(next() % 22);
        const bool culled = next() % 4 != 0;
        sqlite3_bind_int(female, 1, code);
        sqlite3_bind_int(female, 2, 1 + int(next() % 1200));
        text(female, 3, day(born));
        text(female, 4, day(born + 120));
        text(female, 5, next() % 3 ? "Híbrida" : "Neozelandesa");
        sqlite3_bind_int(female, 6, culled ? 2 + int(next() % 6) : 0);
        text(female, 7, culled ? day(born + 120 + cycles * 42) : QByteArray());
        sqlite3_bind_int(female, 8, int(next() % 2));
        sqlite3_bind_int(female, 9, int(next() % 5 == 0));
        sqlite3_step(female);
        sqlite3_reset(female);

        for (int order = 1; order <= cycles; ++order) {
            const int mated = born + 130 + order * 42 + int(next() % 5);
            const bool pregnant = next() % 5 != 0;
            const int alive = pregnant ? 4 + int(next() % 9) : 0;
            sqlite3_bind_int(cycle, 1, code);
            sqlite3_bind_int(cycle, 2, order);
            text(cycle, 3, day(mated));
            sqlite3_bind_int(cycle, 4, 1 + int(next() % 900));
            sqlite3_bind_int(cycle, 5, int(next() % 10 != 0));
            text(cycle, 6, pregnant ? "+" : (next() % 2 ? "-" : "?"));
            text(cycle, 7, pregnant ? day(mated + 31) : QByteArray());
            sqlite3_bind_double(cycle, 8, alive);
            sqlite3_bind_double(cycle, 9, pregnant ? double(next() % 3) : 0);
            sqlite3_bind_double(cycle, 10, double(next() % 4 == 0 ? next() % 3 : 0));
            sqlite3_bind_double(cycle, 11, double(next() % 5 == 0 ? next() % 2 : 0));
            text(cycle, 12, pregnant ? day(mated + 31 + 35) : QByteArray());
            sqlite3_bind_double(cycle, 13, pregnant ? double(alive - int(next() % 3) > 0 ? alive - 1 : 0) : 0);
            sqlite3_bind_int(cycle, 14, mated / 42);
            text(cycle, 15, next() % 3 ? "GRANJA-PC" : "OFICINA");
            text(cycle, 16, kNotes[next() % (sizeof kNotes / sizeof *kNotes)]);
            sqlite3_step(cycle);
            sqlite3_reset(cycle);
        }
    }
    sqlite3_finalize(female);
    sqlite3_finalize(cycle);
    exec(db, "INSERT INTO HistoricoMaternidad SELECT FechaCubricion, count(*), count(*), sum(Palpacion = '+'),"
             " sum(NacidosVivos), sum(Destetados), 0 FROM CubriHembras GROUP BY FechaCubricion;"
             "COMMIT;");
    sqlite3_close(db);
}
