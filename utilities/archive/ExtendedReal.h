#pragma once

#include <QDateTime>

#include <cstdint>
#include <optional>

// 80-bit extended-precision numbers (10 bytes, little-endian) as the archive
// stores its byte totals and file dates. Written by hand so that the bytes are
// the same whatever width the compiler gives long double.
namespace ExtendedReal {

constexpr int kSize = 10;

// Every 64-bit count fits the 64-bit significand exactly.
void write(unsigned char* out, std::uint64_t value);
void write(unsigned char* out, double value);
double read(const unsigned char* in);
// The value when it is a whole number from 0 to 2^64 - 1, read exactly (a
// double would round counts past 2^53); nothing for any other value.
std::optional<std::uint64_t> readCount(const unsigned char* in);

// Dates count days since 30 December 1899 in local time, the fraction being
// the time of day; 0 stands for "unknown".
double fromDateTime(const QDateTime& when);
// An invalid QDateTime for 0, NaN and values outside years 100 to 9999.
QDateTime toDateTime(double days);

} // namespace ExtendedReal
