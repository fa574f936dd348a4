#include "EntryName.h"

#include <QStringDecoder>

namespace {

// Windows-1252 bytes 80 to 9F. The five bytes the code page leaves undefined
// map to the control characters of the same number, as Windows itself does.
constexpr char16_t kHighHalf[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> toCodePage(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHighHalf[i] == c)
            return char(0x80 + i);
    return std::nullopt;
}

bool isMultiByteUtf8(const QByteArray& bytes) {
    bool high = false;
    for (char c : bytes)
        high = high || (static_cast<unsigned char>(c) & 0x80);
    if (!high)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError() && !text.isEmpty();
}

bool onlyDotsAndSpaces(const QString& part) {
    for (QChar c : part)
        if (c != u'.' && c != u' ')
            return false;
    return true;
}

bool hasControl(const QString& name) {
    for (QChar c : name)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

// Windows takes the part before the first dot, trailing spaces dropped, as
// the device: "con", "Aux.txt", "LPT1 .log" all open a device.
bool isDeviceName(const QString& part) {
    QString base = part.left(part.indexOf(u'.')).toUpper();
    while (base.endsWith(u' '))
        base.chop(1);
    static const QStringList plain{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                   QStringLiteral("NUL")};
    if (plain.contains(base))
        return true;
    if (base.size() != 4 || !(base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))))
        return false;
    // Windows counts the superscript digits as well.
    const char16_t digit = base[3].unicode();
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

QString withoutTrailingDotsAndSpaces(QString part) {
    while (part.endsWith(u'.') || part.endsWith(u' '))
        part.chop(1);
    return part;
}

std::optional<QStringList> refuse(QString* why, const QString& reason) {
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

QByteArray EntryName::encode(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    for (QChar c : name) {
        const auto byte = toCodePage(c.unicode());
        if (!byte)
            return name.toUtf8();
        bytes.append(*byte);
    }
    // A code-page name that happens to be valid UTF-8 ("Ã±") would be read
    // back as UTF-8 ("ñ"): write such a name in UTF-8 to begin with.
    return isMultiByteUtf8(bytes) ? name.toUtf8() : bytes;
}

QString EntryName::decode(const QByteArray& bytes) {
    if (isMultiByteUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        name.append(byte >= 0x80 && byte < 0xA0 ? QChar(kHighHalf[byte - 0x80]) : QChar(byte));
    }
    return name;
}

std::optional<QStringList> EntryName::safeParts(const QString& name, bool folderEntry, QString* why) {
    QString path = name;
    if (folderEntry) {
        if (!path.endsWith(u'.'))
            return refuse(why, QStringLiteral("folder entry not ending in '.'"));
        path.chop(1);
    }
    if (hasControl(path))
        return refuse(why, QStringLiteral("control character in name"));
    if (path.startsWith(u'\\') || path.startsWith(u'/'))
        return refuse(why, QStringLiteral("absolute path"));
    if (path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 0x80)
        return refuse(why, QStringLiteral("drive letter"));
    if (path.contains(u':'))
        return refuse(why, QStringLiteral("':' in name (an alternate data stream)"));

    QStringList parts;
    const QStringList pieces = QString(path).replace(u'/', u'\\').split(u'\\');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& part = pieces[i];
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (onlyDotsAndSpaces(part))
            return refuse(why, QStringLiteral("'..' or dots-only name"));
        if (isDeviceName(part))
            return refuse(why, QStringLiteral("device name \"%1\"").arg(part));
        parts.append(part);
    }
    if (!folderEntry) {
        const QString last = pieces.isEmpty() ? QString() : pieces.last();
        if (parts.isEmpty() || last.isEmpty() || last == QLatin1String("."))
            return refuse(why, QStringLiteral("file entry without a file name"));
    }
    return parts;
}

QString EntryName::collisionKey(const QStringList& parts) {
    QStringList key;
    key.reserve(parts.size());
    for (const QString& part : parts)
        key.append(withoutTrailingDotsAndSpaces(part).toCaseFolded());
    return key.join(u'/');
}
