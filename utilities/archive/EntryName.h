#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// How a file's path inside an archive is written and read back.
//
// Names are relative paths with "\" between folder names. They are written in
// Windows-1252, the code page archives have always used, so that older copies
// and newer ones read alike; a name with a character that code page lacks is
// written in UTF-8 instead. Reading takes a name as UTF-8 when it is valid
// UTF-8 with at least one multi-byte character, and as Windows-1252 otherwise.
namespace EntryName {

QByteArray encode(const QString& name);
QString decode(const QByteArray& bytes);

// The folders and file name an entry stands for, or nothing when following
// the name could leave the extraction folder or reach something that is not a
// plain file: "..", a leading "\" or "/", a drive letter, a name made only of
// dots and spaces (which Windows shortens to ".." or nothing), a control
// character, a ":" (a Windows alternate data stream), or a part that Windows
// opens as a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any
// case, with or without an extension). A folder entry's name ends in "."
// ("a\b\." is the folder a\b, "." the extraction folder itself); a file entry
// needs a name.
std::optional<QStringList> safeParts(const QString& name, bool folderEntry, QString* why = nullptr);

// Two entries whose paths give the same key would be unpacked onto the same
// file on Windows, where case does not count and trailing dots and spaces of a
// name are dropped.
QString collisionKey(const QStringList& parts);

} // namespace EntryName
