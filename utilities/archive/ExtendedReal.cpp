#include "ExtendedReal.h"

#include <bit>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr double kMsecsPerDay = 86400000.0;
// 1 January 100 and 31 December 9999, the range dates of this kind cover.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

void put(unsigned char* out, std::uint64_t significand, unsigned signAndExponent) {
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(significand >> (8 * i));
    out[8] = static_cast<unsigned char>(signAndExponent);
    out[9] = static_cast<unsigned char>(signAndExponent >> 8);
}

} // namespace

void ExtendedReal::write(unsigned char* out, std::uint64_t value) {
    if (value == 0) {
        put(out, 0, 0);
        return;
    }
    const int top = 63 - std::countl_zero(value);
    put(out, value << (63 - top), 16383 + top);
}

void ExtendedReal::write(unsigned char* out, double value) {
    const unsigned sign = std::signbit(value) ? 0x8000 : 0;
    if (value == 0) {
        put(out, 0, sign);
    } else if (std::isnan(value)) {
        put(out, 0xC000000000000000ull, sign | 0x7FFF);
    } else if (std::isinf(value)) {
        put(out, 0x8000000000000000ull, sign | 0x7FFF);
    } else {
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
        // 53 significant bits shifted to the top of 64: exact.
        const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
        put(out, significand, sign | unsigned(exponent + 16382));
    }
}

double ExtendedReal::read(const unsigned char* in) {
    std::uint64_t significand = 0;
    for (int i = 0; i < 8; ++i)
        significand |= std::uint64_t(in[i]) << (8 * i);
    const unsigned signAndExponent = unsigned(in[8]) | unsigned(in[9]) << 8;
    const int exponent = int(signAndExponent & 0x7FFF);
    const double sign = (signAndExponent & 0x8000) ? -1.0 : 1.0;
    if (exponent == 0x7FFF)
        return (significand << 1) == 0 ? sign * INFINITY : NAN;
    return sign * std::ldexp(double(significand), exponent - 16383 - 63);
}

std::optional<std::uint64_t> ExtendedReal::readCount(const unsigned char* in) {
    std::uint64_t significand = 0;
    for (int i = 0; i < 8; ++i)
        significand |= std::uint64_t(in[i]) << (8 * i);
    const unsigned signAndExponent = unsigned(in[8]) | unsigned(in[9]) << 8;
    if (signAndExponent == 0 && significand == 0)
        return 0;
    // Positive, normalised (explicit top bit set), at most 64 whole bits.
    const int top = int(signAndExponent) - 16383;
    if ((signAndExponent & 0x8000) || !(significand >> 63) || top < 0 || top > 63)
        return std::nullopt;
    const int fractionBits = 63 - top;
    if (fractionBits > 0 && (significand & ((std::uint64_t(1) << fractionBits) - 1)))
        return std::nullopt;
    return significand >> fractionBits;
}

double ExtendedReal::fromDateTime(const QDateTime& when) {
    if (!when.isValid())
        return 0.0;
    const QDateTime local = when.toLocalTime();
    const double days = double(kDayZero.daysTo(local.date()));
    const double fraction = local.time().msecsSinceStartOfDay() / kMsecsPerDay;
    // Before the day zero the whole days count backwards but the time of day
    // still counts forwards: -1.25 is 29 December 1899 at 6:00.
    return days < 0 ? days - fraction : days + fraction;
}

QDateTime ExtendedReal::toDateTime(double days) {
    if (!std::isfinite(days) || days == 0.0 || days < kFirstDay || days > kLastDay + 1)
        return {};
    const double whole = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - whole) * kMsecsPerDay);
    qint64 dayCount = qint64(whole);
    if (msecs >= qint64(kMsecsPerDay)) {
        msecs -= qint64(kMsecsPerDay);
        dayCount += 1; // the time of day runs forwards on either side of day zero
    }
    const QDate date = kDayZero.addDays(dayCount);
    if (!date.isValid() || date.year() > 9999)
        return {};
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}
