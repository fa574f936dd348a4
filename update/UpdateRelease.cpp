#include "UpdateRelease.h"

#include "db/DbError.h"
#include "db/DisplayFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr qsizetype kPageLength = 22;

QDate releaseDate(const QString& digits) {
    static const QRegularExpression sixDigits(QStringLiteral("^\\d{6}$"));
    if (!sixDigits.match(digits).hasMatch())
        return QDate();
    try {
        return display::parseDate(digits.mid(0, 2) + QLatin1Char('/') + digits.mid(2, 2) + QLatin1Char('/') +
                                  digits.mid(4, 2));
    } catch (const InvalidDate&) {
        return QDate();
    }
}

qint64 wholeNumber(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\s*\\d{1,10}\\s*$"));
    return digits.match(text).hasMatch() ? text.trimmed().toLongLong() : 0;
}

QString serverFile(const QString& server, const QString& file) {
    QString root = server.trimmed();
    if (root.isEmpty())
        return QString();
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root + QStringLiteral("/descargasprivadas/") + file;
}

} // namespace

std::optional<StatusPage> StatusPage::read(const QByteArray& body) {
    // The page is plain bytes; each byte is one character.
    const QString text = QString::fromLatin1(body);
    if (text.size() != kPageLength)
        return std::nullopt;
    StatusPage page;
    page.version = text.mid(0, 6);
    page.date = releaseDate(text.mid(6, 6));
    const qint64 size = wholeNumber(text.mid(12, 10));
    page.expectedSize = page.date.isValid() ? size : 0;
    return page;
}

UpdateFiles UpdateFiles::beside(const QString& programPath, const QString& programFileName) {
    UpdateFiles files;
    files.base = QFileInfo(programFileName).completeBaseName();
    const QDir folder = QFileInfo(programPath).absoluteDir();
    files.program = QFileInfo(programPath).absoluteFilePath();
    files.download = folder.filePath(files.base + QStringLiteral("DUA.EXE"));
    files.previous = folder.filePath(files.base + QStringLiteral(".OLD"));
    return files;
}

QString UpdateFiles::statusAddress(const QString& server) const {
    return serverFile(server, base + QStringLiteral("UA.HTM"));
}

QString UpdateFiles::downloadAddress(const QString& server) const {
    return serverFile(server, base + QStringLiteral("DUA.EXE"));
}

QString UpdateFiles::signatureAddress(const QString& server) const {
    return serverFile(server, base + QStringLiteral("DUA.EXE.sig"));
}

QString transferLine(qint64 received, qint64 total, qint64 elapsedMs) {
    const double seconds = qMax<qint64>(elapsedMs, 1) / 1000.0;
    double rate = received / seconds;
    QString unit = QStringLiteral("Bytes");
    if (rate > 1024) {
        rate /= 1024;
        unit = QStringLiteral("KBytes");
    }
    const QString mask = QStringLiteral("#,##0");
    return QStringLiteral("%1 de %2 a %3 %4/seg.")
        .arg(display::mask(double(received), mask), display::mask(double(qMax<qint64>(total, 0)), mask),
             display::mask(rate, mask), unit);
}
