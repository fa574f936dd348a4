#include "ExportCell.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

// Spanish display: optional sign, thousands by ".", decimals after ",", maybe " %".
const QRegularExpression& spanishNumber() {
    static const QRegularExpression re(
        QStringLiteral("^(-?)(0|[1-9]\\d{0,2}(?:\\.\\d{3})+|[1-9]\\d*)(?:,(\\d+))?( ?%)?$"));
    return re;
}

// The full-stop decimals some ratios print whatever the separators ("0.00 %").
// Three digits after the point would read as thousands, so at most two.
const QRegularExpression& pointNumber() {
    static const QRegularExpression re(QStringLiteral("^(-?)(0|[1-9]\\d*)\\.(\\d{1,2})( ?%)?$"));
    return re;
}

const QRegularExpression& shownDate() {
    static const QRegularExpression re(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{4})$"));
    return re;
}

ExportCell textCell(const QString& shown) {
    ExportCell c;
    c.text = shown;
    c.kind = shown.isEmpty() ? ExportCell::Kind::Empty : ExportCell::Kind::Text;
    return c;
}

// Digits after the point of a double written shortest, at most six.
int decimalsOf(double v) {
    const QString s = QString::number(v, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : int(std::min<qsizetype>(s.size() - point - 1, 6));
}

} // namespace

ExportCell ExportCell::fromText(const QString& shown) {
    const QString s = shown.trimmed();
    ExportCell c = textCell(shown);
    if (s.isEmpty())
        return c;
    QRegularExpressionMatch m = spanishNumber().match(s);
    const bool spanish = m.hasMatch();
    if (!spanish)
        m = pointNumber().match(s);
    if (m.hasMatch()) {
        QString whole = m.captured(2);
        c.grouped = spanish && whole.contains(QLatin1Char('.'));
        whole.remove(QLatin1Char('.'));
        const QString decimals = m.captured(3);
        bool ok = false;
        const double value = (whole + QLatin1Char('.') + (decimals.isEmpty() ? QStringLiteral("0") : decimals))
                                 .toDouble(&ok);
        if (ok) {
            c.kind = Kind::Number;
            c.number = m.captured(1).isEmpty() ? value : -value;
            c.decimals = int(decimals.size());
            c.percent = !m.captured(4).isEmpty();
        }
        return c;
    }
    if (const QRegularExpressionMatch d = shownDate().match(s); d.hasMatch()) {
        const QDate date(d.captured(3).toInt(), d.captured(2).toInt(), d.captured(1).toInt());
        if (date.isValid()) {
            c.kind = Kind::Date;
            c.date = date;
        }
    }
    return c;
}

ExportCell ExportCell::fromValue(const QVariant& value, const QString& shown) {
    if (!value.isValid() || value.isNull())
        return fromText(shown);
    ExportCell c = textCell(shown);
    switch (value.typeId()) {
    case QMetaType::QDate:
        if (value.toDate().isValid()) {
            c.kind = Kind::Date;
            c.date = value.toDate();
            if (c.text.isEmpty())
                c.text = c.date.toString(QStringLiteral("dd/MM/yyyy"));
        }
        return c;
    case QMetaType::Bool:
        c.kind = Kind::Logical;
        c.logical = value.toBool();
        return c;
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return c;
        // The text gives the format only when it shows this number (a plain
        // "1.234" of a double is not one thousand two hundred and thirty-four).
        const ExportCell read = fromText(shown);
        const double tolerance = 0.5 * std::pow(10.0, -read.decimals) + 1e-9;
        if (read.kind == Kind::Number && std::fabs(read.number - number) <= tolerance) {
            c = read;
        } else {
            c.kind = Kind::Number;
            c.decimals = value.typeId() == QMetaType::Double ? decimalsOf(number) : 0;
        }
        c.number = number;
        return c;
    }
    default:
        c.kind = Kind::Text;
        c.text = shown.isEmpty() ? value.toString() : shown;
        if (c.text.isEmpty())
            c.kind = Kind::Empty;
        return c;
    }
}
