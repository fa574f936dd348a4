#include "XlsxRead.h"

#include <QDate>
#include <QProcess>
#include <QXmlStreamReader>

namespace {

QByteArray member(const QString& path, const QString& name) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

// "B12" as row 12, column 2.
std::pair<int, int> position(const QString& ref) {
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref.at(i).isLetter(); ++i)
        column = column * 26 + (ref.at(i).unicode() - 'A' + 1);
    return {ref.mid(i).toInt(), column};
}

QStringList sharedStrings(const QByteArray& xml) {
    QStringList out;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("si"))
            out << QString();
        else if (r.isStartElement() && r.name() == QLatin1String("t") && !out.isEmpty())
            out.last() += r.readElementText();
    }
    return out;
}

// The number format of each cell style, by the style's index.
std::vector<QString> styleFormats(const QByteArray& xml) {
    std::map<int, QString> codes{{0, QStringLiteral("General")}, {14, QStringLiteral("mm-dd-yy")}};
    std::vector<QString> out;
    bool inCellStyles = false;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("numFmt"))
            codes[r.attributes().value(QLatin1String("numFmtId")).toInt()] =
                r.attributes().value(QLatin1String("formatCode")).toString();
        else if (r.isStartElement() && r.name() == QLatin1String("cellXfs"))
            inCellStyles = true;
        else if (r.isEndElement() && r.name() == QLatin1String("cellXfs"))
            inCellStyles = false;
        else if (inCellStyles && r.isStartElement() && r.name() == QLatin1String("xf"))
            out.push_back(codes[r.attributes().value(QLatin1String("numFmtId")).toInt()]);
    }
    return out;
}

} // namespace

namespace xlsx {

const Cell* Sheet::at(int row, int column) const {
    const auto it = cells.find({row, column});
    return it == cells.end() ? nullptr : &it->second;
}

QStringList Sheet::row(int row) const {
    QStringList out;
    for (const auto& [where, cell] : cells) {
        if (where.first != row)
            continue;
        while (out.size() < where.second - 1)
            out << QString();
        out << cell.text;
    }
    return out;
}

int Sheet::lastRow() const {
    return cells.empty() ? 0 : cells.rbegin()->first.first;
}

std::vector<Sheet> read(const QString& path) {
    std::vector<Sheet> sheets;
    QXmlStreamReader book(member(path, QStringLiteral("xl/workbook.xml")));
    while (!book.atEnd()) {
        book.readNext();
        if (book.isStartElement() && book.name() == QLatin1String("sheet"))
            sheets.push_back({book.attributes().value(QLatin1String("name")).toString(), {}});
    }
    const QStringList strings = sharedStrings(member(path, QStringLiteral("xl/sharedStrings.xml")));
    const std::vector<QString> formats = styleFormats(member(path, QStringLiteral("xl/styles.xml")));
    for (size_t n = 0; n < sheets.size(); ++n) {
        QXmlStreamReader r(member(path, QStringLiteral("xl/worksheets/sheet%1.xml").arg(n + 1)));
        Cell cell;
        std::pair<int, int> where;
        QString type;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == QLatin1String("c")) {
                where = position(r.attributes().value(QLatin1String("r")).toString());
                type = r.attributes().value(QLatin1String("t")).toString();
                const size_t style = r.attributes().value(QLatin1String("s")).toUInt();
                cell = Cell{};
                cell.format = style < formats.size() ? formats[style] : QStringLiteral("General");
                cell.kind = type == QLatin1String("b")   ? Cell::Kind::Logical
                            : type.isEmpty() || type == QLatin1String("n") ? Cell::Kind::Number
                                                                           : Cell::Kind::Text;
            } else if (r.isStartElement() && (r.name() == QLatin1String("v") || r.name() == QLatin1String("t"))) {
                const QString value = r.readElementText();
                cell.text = type == QLatin1String("s") ? strings.value(value.toInt()) : cell.text + value;
                cell.number = cell.kind == Cell::Kind::Text ? 0.0 : value.toDouble();
            } else if (r.isEndElement() && r.name() == QLatin1String("c")) {
                sheets[n].cells[where] = cell;
            }
        }
    }
    return sheets;
}

double serial(int year, int month, int day) {
    return double(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

} // namespace xlsx
