#include "GuidePlan.h"

#include "db/DisplayFormat.h"

#include <algorithm>

void GuidePlan::build(const QDate& from, const QDate& to, const FarmParameters& parameters) {
    m_lines.clear();
    if (!from.isValid() || !to.isValid())
        return;
    for (QDate d = from; d <= to; d = d.addDays(1))
        insert(GuideDay::fresh(d, parameters).line());
}

GuidePlan::Missing GuidePlan::build(const QString& fromText, const QString& toText, const FarmParameters& parameters) {
    const auto blank = [](const QString& text) { return text.trimmed().remove(QLatin1Char('/')).trimmed().isEmpty(); };
    if (blank(fromText))
        return Missing::From;
    if (blank(toText))
        return Missing::To;
    m_lines.clear();
    const QDate from = display::parseDate(fromText);
    const QDate to = display::parseDate(toText);
    build(from, to, parameters);
    return Missing::None;
}

void GuidePlan::edit(int index, const GuideDay& edited) {
    if (index < 0 || index >= size())
        return;
    GuideDay day = GuideDay::fromLine(m_lines.at(index));
    for (int t = 0; t < kGuideTaskCount; ++t)
        day.setTicked(GuideTask(t), edited.ticked(GuideTask(t)));
    day.setNumbers(edited.numbers());
    m_lines.removeAt(index);
    insert(day.line());
}

void GuidePlan::removeAt(int index) {
    if (index >= 0 && index < size())
        m_lines.removeAt(index);
}

void GuidePlan::insert(const QString& line) {
    m_lines.insert(std::upper_bound(m_lines.begin(), m_lines.end(), line), line);
}
