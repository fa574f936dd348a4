#pragma once

#include <QString>
#include <optional>
#include <vector>

// The technical results of a farm by insemination band and by month: what each
// indicator is, how it is written and which way it is better. This is the one
// place that defines them; the screen's tooltips, the sheet and docs/results.md
// say the same.
namespace results {

enum class Indicator {
    Services,            // females inseminated or mated
    Fertility,           // positive palpations / services, %
    KindlingRate,        // kindlings / services, %
    AlivePerKindling,    // kits born alive / kindlings
    TotalPerKindling,    // kits born alive and dead / kindlings
    WeanedPerLitter,     // kits weaned / litters weaned
    WeanedPerService,    // kits weaned / services
    PreweaningMortality, // kits lost between birth and weaning in the weaned litters, %
    Productivity,        // kits weaned per doe present per year (ledger)
    Replacement,         // doe entries per month, % of the does present (ledger)
    Removal,             // does dead or culled per month, % of the does present (ledger)
};
inline constexpr int kIndicators = 11;

// Which way a figure is better; a count has no reference.
enum class Better { None, Higher, Lower };

struct IndicatorDefinition {
    Indicator id;
    const char* key;      // its name in the settings store, under "ReferenciasTecnicas/"
    QString caption;      // the line on the screen
    QString shortCaption; // the column of the sheet
    QString definition;   // tooltip and docs
    int decimals;
    Better better;
    double reference; // built-in reference: published figures of the field
    double limit;     // built-in limit of the acceptable zone, on the far side of the reference
    bool perBand;     // computed from the cycle rows, so per band too; otherwise from the ledger only
};

// All indicators, in the order of the screen and the sheet.
const std::vector<IndicatorDefinition>& indicators();
const IndicatorDefinition& definition(Indicator id);

// The figure as the screen and the sheet write it ("#,##0" with the
// indicator's decimals); a figure that cannot be computed (no divisor) is "—".
QString text(Indicator id, const std::optional<double>& value);
inline const QString kNoFigure = QStringLiteral("—");

} // namespace results
