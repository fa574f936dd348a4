#pragma once

#include <QString>

// Translates the farm's statement dialect into SQLite.
//
// The program writes statements the way farm software always has: dates as
// month-first literals ('04/23/2002'), True/False, "extract (year from x)",
// "alter table T Add C Numeric", "drop index T.Primary". SQLite stores dates
// as ISO text and knows the rest under other spellings; this is the one place
// that bridges the two, so every statement above it reads as farm code does.
namespace dialect {

// The marker that keeps a text literal away from date translation. Text typed
// by a user that happens to look like a date ("01/02/2003" in a remark) is
// written behind it and stored exactly as typed.
inline constexpr const char* kTextMarker = "/*txt*/";

// True when a literal's content would be read as a month-first date literal.
bool looksLikeDateLiteral(const QString& content);

// The SQLite form of one statement. Throws nothing: what SQLite then refuses
// is reported by the engine with its own message.
QString toSqlite(const QString& statement);

// Index names of the keys: the primary key of T is the unique index
// "T.Primary", the secondary index of the cycle tables "T.index01".
QString primaryIndexName(const QString& table);
QString secondaryIndexName(const QString& table);

} // namespace dialect
