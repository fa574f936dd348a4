#include "References.h"

#include "db/Settings.h"

#include <cmath>

namespace results {

namespace {

QString settingName(const IndicatorDefinition& d, bool limit) {
    return QStringLiteral("ReferenciasTecnicas/") + QLatin1String(d.key) +
           (limit ? QStringLiteral("Limite") : QString());
}

double readNumber(const Settings& settings, const QString& name, double fallback) {
    bool ok = false;
    const double v = settings.value(name).trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

} // namespace

References References::builtIn() {
    References r;
    for (const IndicatorDefinition& d : indicators())
        r.set(d.id, {d.reference, d.limit});
    return r;
}

References References::read(const Settings& settings) {
    References r;
    for (const IndicatorDefinition& d : indicators()) {
        if (d.better == Better::None)
            continue;
        r.set(d.id, {readNumber(settings, settingName(d, false), d.reference),
                     readNumber(settings, settingName(d, true), d.limit)});
    }
    return r;
}

void References::write(Settings& settings) const {
    for (const IndicatorDefinition& d : indicators()) {
        if (d.better == Better::None)
            continue;
        settings.setValue(settingName(d, false), QString::number(of(d.id).value, 'g', 12));
        settings.setValue(settingName(d, true), QString::number(of(d.id).limit, 'g', 12));
    }
}

Mark References::mark(Indicator id, const std::optional<double>& value) const {
    const IndicatorDefinition& d = definition(id);
    if (d.better == Better::None || !value || !std::isfinite(*value))
        return Mark::None;
    const double v = rounded(*value, d.decimals);
    const Reference& r = of(id);
    if (d.better == Better::Higher)
        return v >= r.value ? Mark::Good : v >= r.limit ? Mark::Fair : Mark::Poor;
    return v <= r.value ? Mark::Good : v <= r.limit ? Mark::Fair : Mark::Poor;
}

} // namespace results
