#pragma once

#include "Indicators.h"

#include <array>
#include <optional>

class Settings;

namespace results {

// How a figure stands against its reference: it reaches the reference (Good),
// falls short of it but stays within the limit (Fair), or goes beyond the limit
// (Poor). A count, or a figure that cannot be computed, has no mark.
enum class Mark { None, Good, Fair, Poor };

struct Reference {
    double value = 0;
    double limit = 0;
    bool operator==(const Reference&) const = default;
};

// The farm's references, one per indicator: the built-in ones unless the farm
// changed them. They are preferences of the installation, kept in the settings
// store ("ReferenciasTecnicas/{key}" and "ReferenciasTecnicas/{key}Limite",
// plain decimals with a point), never in the farm tables.
class References {
public:
    static References builtIn();
    // The stored ones; a value missing or that reads as no number is the built-in one.
    static References read(const Settings& settings);
    void write(Settings& settings) const;

    const Reference& of(Indicator id) const { return m_values[size_t(id)]; }
    void set(Indicator id, const Reference& reference) { m_values[size_t(id)] = reference; }

    // Judged on the figure as it is written (rounded to its decimals), so a
    // figure shown equal to its reference reaches it.
    Mark mark(Indicator id, const std::optional<double>& value) const;

    bool operator==(const References&) const = default;

private:
    std::array<Reference, kIndicators> m_values{};
};

} // namespace results
