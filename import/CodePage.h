#pragma once

#include <QByteArray>
#include <QString>

// The code pages the predecessor's dBase files are written in.
enum class CodePage { Cp437, Cp850, Windows1252 };

// The code page named by the language-driver byte of a dBase header: 0x01 is
// code page 437, 0x02 code page 850, 0x03 and 0x57 Windows-1252; 0 or any other
// byte is taken for 850, the usual code page of such files.
CodePage codePageOfDriver(int languageDriver);

// Bytes of a field in that code page as text.
QString decode(CodePage page, const char* bytes, qsizetype size);
// Text as bytes of that code page; a character the page lacks becomes '?'.
// What writers of such files (the benchmark's generator, the tests) need.
QByteArray encode(CodePage page, const QString& text);
