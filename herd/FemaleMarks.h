#pragma once

#include <QStringList>
#include <array>
#include <optional>

class Database;

// The four marks of every female in a range of cages or of codes, culled ones
// included. A mark with no value is left as each female has it.
struct MarkChange {
    enum class Range { Cages, Codes };
    Range range = Range::Cages;
    qint64 from = 0;
    qint64 to = 0;
    std::array<std::optional<bool>, 4> marks{};

    // Something to change and both bounds above 0.
    bool applicable() const;
    // "update Hembras set ", the marks set True (1 to 4), then those set False,
    // the last without its comma, then the range line with :j1 and :j2.
    QStringList statementLines() const;
    void apply(Database& db) const;
};
