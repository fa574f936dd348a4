#include "FerralindFiles.h"

#include "import/FerralindImport.h"

#include <QDir>
#include <QFile>
#include <shapefil.h>
#include <stdexcept>

DbfWriter::DbfWriter(const QString& path, const QList<DbfField>& fields, int languageDriver)
    : m_page(codePageOfDriver(languageDriver)) {
    QFile::remove(path);
    const QByteArray ldid = "LDID/" + QByteArray::number(languageDriver);
    m_dbf = DBFCreateEx(QFile::encodeName(path).constData(), ldid.constData());
    if (!m_dbf)
        throw std::runtime_error("cannot create " + path.toStdString());
    for (const DbfField& f : fields) {
        m_index.insert(f.name.toUpper(), DBFGetFieldCount(m_dbf));
        DBFAddNativeFieldType(m_dbf, f.name.toLatin1().constData(), f.type, f.width, 0);
    }
}

DbfWriter::~DbfWriter() {
    DBFClose(m_dbf);
}

void DbfWriter::add(const QHash<QString, QString>& values, bool deleted) {
    const int record = m_records++;
    const int count = DBFGetFieldCount(m_dbf);
    for (int i = 0; i < count; ++i)
        DBFWriteAttributeDirectly(m_dbf, record, i, const_cast<char*>(""));
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int index = fieldIndex(it.key());
        if (index < 0)
            continue;
        QByteArray bytes = encode(m_page, it.value());
        DBFWriteAttributeDirectly(m_dbf, record, index, bytes.data());
    }
    if (deleted)
        DBFMarkRecordDeleted(m_dbf, record, 1);
}

void DbfWriter::addRow(const QStringList& values) {
    const int record = m_records++;
    for (int i = 0; i < values.size(); ++i) {
        QByteArray bytes = encode(m_page, values[i]);
        DBFWriteAttributeDirectly(m_dbf, record, i, bytes.data());
    }
}

namespace ferralind {

namespace {

void put(QList<DbfField>& out, const QString& name, char type) {
    const int width = type == 'D' ? 8 : type == 'L' ? 1 : type == 'N' ? 10 : 40;
    out.push_back({name, type, width});
}

void numbered(QList<DbfField>& out, const char* prefix, int count, char type) {
    for (int i = 1; i <= count; ++i)
        put(out, QString::fromLatin1(prefix) + QString::number(i), type);
}

} // namespace

QList<DbfField> fieldsOf(const QString& file) {
    QList<DbfField> out;
    auto list = [&out](std::initializer_list<const char*> names, char type) {
        for (const char* n : names)
            put(out, QString::fromLatin1(n), type);
    };
    if (file == QLatin1String("parame.dbf")) {
        list({"TF1"}, 'C');
        list({"TF11", "TF12", "TF13", "TF2", "TF3", "TF4", "TF5", "TF6", "TF7", "TF25", "TF21", "TF22", "TF27", "TF23",
              "TF24"},
             'N');
        list({"TF8", "TF9", "TF10", "TF28", "TF29", "TF30", "TF31"}, 'C');
    } else if (file == QLatin1String("estruc1.dbf")) {
        list({"JAULA_P", "JAULA_U"}, 'N');
        list({"TIP"}, 'C');
    } else if (file == QLatin1String("madres.dbf")) {
        list({"XFE"}, 'D');
        list({"XHEM", "XALTA", "XBAJA", "XVEN", "XMA", "XALT", "XBAJ", "XVEM", "XCV",  "XPP",  "XPN",
              "XNP",  "XNV",   "XNM",   "XAB",  "XND", "XDES", "XBG",  "XCO1", "XCO2", "XCO3", "XCO4"},
             'N');
        list({"XOB"}, 'C');
    } else if (file == QLatin1String("fich_.dbf")) {
        list({"N_PADRE", "N_MADRE"}, 'N');
        list({"F_NACI", "F_ENTRA"}, 'D');
        list({"RAZA", "TIPOEN"}, 'C');
        list({"JAULA", "N_REPO"}, 'N');
        numbered(out, "CUBRI", 17, 'D');
        numbered(out, "MACHO", 17, 'N');
        numbered(out, "PAL", 17, 'C');
        numbered(out, "FPARTO", 17, 'D');
    } else if (file == QLatin1String("fich_2.dbf")) {
        numbered(out, "N_VIVOS", 17, 'N');
        numbered(out, "N_MUER", 17, 'N');
        numbered(out, "ANA", 17, 'N');
        numbered(out, "QUITA", 17, 'N');
        numbered(out, "DES", 17, 'N');
        numbered(out, "DA", 17, 'C');
    } else if (file == QLatin1String("Macho6.dbf")) {
        list({"FEN", "FNA"}, 'D');
        list({"NM", "NP"}, 'N');
        list({"ENF"}, 'L');
        list({"JAUL"}, 'N');
        list({"RAZ"}, 'C');
        list({"N_REP"}, 'N');
    } else if (file == QLatin1String("Macho1.dbf")) {
        numbered(out, "CN", 200, 'D');
    } else if (file == QLatin1String("Macho2.dbf")) {
        numbered(out, "N", 200, 'N');
    } else if (file == QLatin1String("Macho3.dbf")) {
        numbered(out, "V", 200, 'C');
    } else if (file == QLatin1String("Macho4.dbf")) {
        numbered(out, "B", 200, 'C');
    } else if (file == QLatin1String("pool.dbf")) {
        list({"PFECHA"}, 'D');
        list({"PHEMBRA", "PPOOL", "PPAL"}, 'C');
        list({"PVIVOS", "PMUERTOS", "PDIASPOS"}, 'N');
        list({"PESTADO"}, 'C');
    } else if (file == QLatin1String("engor.dbf")) {
        list({"ZFE"}, 'D');
        list({"ZENT", "ZPES", "ZBAG", "ZDREP", "ZVEN", "ZKGV", "ZCON1", "ZCON2", "ZCON3"}, 'N');
        list({"OBSER"}, 'C');
    }
    // Short fields where the predecessor keeps one sign or letter.
    for (DbfField& f : out)
        if (f.type == 'C' && (f.name.startsWith(QLatin1String("PAL")) || f.name.startsWith(QLatin1String("DA")) ||
                              f.name.startsWith(QLatin1String("V")) || f.name.startsWith(QLatin1String("B"))))
            f.width = 4;
    return out;
}

} // namespace ferralind

void FerralindFolder::write() const {
    QDir().mkpath(m_folder);
    for (const QString& file : FerralindImport::sourceFiles()) {
        if (m_missing.contains(file))
            continue;
        QList<DbfField> fields = ferralind::fieldsOf(file);
        const QStringList leftOut = m_leftOut.value(file);
        fields.removeIf([&leftOut](const DbfField& f) { return leftOut.contains(f.name); });
        DbfWriter writer(QDir(m_folder).filePath(m_names.value(file, file)), fields, m_drivers.value(file, 0x02));
        const auto it = m_records.find(file);
        if (it == m_records.end())
            continue;
        for (const Record& r : it->second)
            writer.add(r.values, r.deleted);
    }
}
