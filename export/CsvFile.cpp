#include "CsvFile.h"

#include <QSaveFile>
#include <cmath>

namespace {

QString quoted(const QString& text) {
    const bool plain = !text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
                       !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
                       text == text.trimmed();
    if (plain)
        return text;
    QString out = text;
    out.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString line(const QStringList& fields) {
    return fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

} // namespace

namespace csv {

QString field(const ExportCell& cell) {
    switch (cell.kind) {
    case ExportCell::Kind::Empty:
        return QString();
    case ExportCell::Kind::Number: {
        // A small negative that rounds away reads 0, not -0.
        const double scale = std::pow(10.0, cell.decimals);
        const double number = std::round(cell.number * scale) == 0.0 ? 0.0 : cell.number;
        QString n = QString::number(number, 'f', cell.decimals);
        n.replace(QLatin1Char('.'), QLatin1Char(','));
        return cell.percent ? n + QLatin1Char('%') : n;
    }
    case ExportCell::Kind::Date:
        return cell.date.toString(QStringLiteral("dd/MM/yyyy"));
    case ExportCell::Kind::Text:
    case ExportCell::Kind::Logical:
        return quoted(cell.text);
    }
    return QString();
}

QByteArray text(const ExportTable& table) {
    QString out;
    QStringList captions;
    for (const QString& c : table.captions)
        captions << quoted(c);
    out += line(captions);
    for (const std::vector<ExportCell>& row : table.rows) {
        QStringList fields;
        for (const ExportCell& cell : row)
            fields << field(cell);
        out += line(fields);
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

void write(const ExportTable& table, const QString& path) {
    // Written aside and put in place at the end: a failed write leaves no half file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ExportError(file.errorString());
    file.write(text(table));
    if (!file.commit())
        throw ExportError(file.errorString());
}

} // namespace csv
