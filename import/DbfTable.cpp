#include "DbfTable.h"

#include "ImportError.h"
#include "db/SqlFormat.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <shapefil.h>

namespace {

// shapelib builds the names it opens from the one it is given (".dbf", then
// ".DBF", then the ".cpg" beside it), which misses files named in mixed case.
// The file found in the folder is opened instead, whatever name is asked for;
// the code page comes from the header, so no ".cpg" is looked at.
thread_local QByteArray t_foundFile;

SAFile openFound(const char* asked, const char* access) {
    const std::size_t n = std::strlen(asked);
    if (n >= 4 && strcasecmp(asked + n - 4, ".dbf") == 0)
        return reinterpret_cast<SAFile>(std::fopen(t_foundFile.constData(), access));
    return nullptr;
}

void quiet(const char*) {}

// The entry of a folder that answers to a name without regard to case; the
// exact spelling first when both are there.
QString findInFolder(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name) && QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

bool blank(const char* text) {
    for (; *text; ++text)
        if (*text != ' ')
            return false;
    return true;
}

} // namespace

DbfTable::DbfTable(const QString& folder, const QString& name) : m_name(name) {
    const QString path = findInFolder(folder, name);
    if (!path.isEmpty()) {
        t_foundFile = QFile::encodeName(path);
        SAHooks hooks;
        SASetupDefaultHooks(&hooks);
        hooks.FOpen = openFound;
        hooks.Error = quiet;
        m_dbf = DBFOpenLL(t_foundFile.constData(), "rb", &hooks);
    }
    if (!m_dbf)
        throw ImportError(ImportError::Kind::MissingFile,
                          QStringLiteral("No se puede abrir el archivo %1 en la carpeta %2").arg(name, folder), name);
    m_codePage = codePageOfDriver(m_dbf->iLanguageDriver);
}

DbfTable::~DbfTable() {
    if (m_dbf)
        DBFClose(m_dbf);
}

int DbfTable::recordCount() const {
    return DBFGetRecordCount(m_dbf);
}

bool DbfTable::isDeleted(int record) const {
    return DBFIsRecordDeleted(m_dbf, record) != 0;
}

int DbfTable::field(const QString& fieldName) const {
    const int index = DBFGetFieldIndex(m_dbf, fieldName.toLatin1().constData());
    if (index < 0)
        throw ImportError(ImportError::Kind::MissingField,
                          QStringLiteral("El archivo %1 no tiene el campo %2.").arg(m_name, fieldName), m_name);
    return index;
}

QString DbfTable::fieldName(int field) const {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    DBFGetFieldInfo(m_dbf, field, name, nullptr, nullptr);
    return QString::fromLatin1(name);
}

const char* DbfTable::raw(int record, int field) const {
    const char* text = DBFReadStringAttribute(m_dbf, record, field);
    return text ? text : "";
}

QString DbfTable::text(int record, int field) const {
    const char* bytes = raw(record, field);
    return decode(m_codePage, bytes, qsizetype(std::strlen(bytes)));
}

bool DbfTable::isEmpty(int record, int field) const {
    return blank(raw(record, field));
}

bool DbfTable::tryWhole(int record, int field, qint64& value) const {
    const char* text = raw(record, field);
    if (blank(text)) {
        value = 0;
        return true;
    }
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    while (end && *end == ' ')
        ++end;
    if (end == text || (end && *end) || !std::isfinite(number) || std::fabs(number) > 9.0e15)
        return false;
    value = sql::rounded(number);
    return true;
}

qint64 DbfTable::whole(int record, int field) const {
    qint64 value = 0;
    if (!tryWhole(record, field, value))
        refuse(record, field, QStringLiteral("'%1' no es un número").arg(text(record, field)));
    return value;
}

QDate DbfTable::date(int record, int field) const {
    const char* text = raw(record, field);
    if (blank(text) || std::strcmp(text, "00000000") == 0)
        return {};
    QDate d;
    if (std::strlen(text) == 8 && std::all_of(text, text + 8, [](char c) { return c >= '0' && c <= '9'; })) {
        auto digits = [text](int from, int n) {
            int v = 0;
            for (int i = from; i < from + n; ++i)
                v = v * 10 + (text[i] - '0');
            return v;
        };
        d = QDate(digits(0, 4), digits(4, 2), digits(6, 2));
    }
    if (!d.isValid())
        refuse(record, field, QStringLiteral("'%1' no es una fecha").arg(this->text(record, field)));
    return d;
}

bool DbfTable::logical(int record, int field) const {
    const char c = raw(record, field)[0];
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

void DbfTable::refuse(int record, int field, const QString& why) const {
    throw ImportError(
        ImportError::Kind::BadValue,
        QStringLiteral("Archivo %1, registro %2, campo %3: %4").arg(m_name).arg(record + 1).arg(fieldName(field), why),
        m_name);
}
