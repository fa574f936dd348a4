#pragma once

#include "GuideDay.h"

#include <QStringList>

// The day list of the work guide: one line per day (see GuideDay), kept sorted by
// the lines, which is date order. Nothing is stored; the list lives as long as
// the planner that holds it.
class GuidePlan {
public:
    // "Lista Tareas": empties the list, then adds one fresh day for every day
    // from `from` to `to`, both included. With `to` before `from` the list
    // stays empty.
    void build(const QDate& from, const QDate& to, const FarmParameters& parameters);

    // Which date box "Lista Tareas" sends the focus to.
    enum class Missing { None, From, To };
    // "Lista Tareas" from the two date boxes as typed: a blank "Desde la Fecha",
    // else a blank "Hasta la Fecha", is said and nothing else happens. Otherwise
    // the list is emptied first, so a text that is no date throws InvalidDate
    // and leaves the list empty.
    Missing build(const QString& fromText, const QString& toText, const FarmParameters& parameters);

    // The day edit dialog's "Aceptar": the day's flags and numbers are replaced;
    // its date stays, so the line keeps its place.
    void edit(int index, const GuideDay& edited);
    // Delete in the day list: the day goes at once.
    void removeAt(int index);

    const QStringList& lines() const { return m_lines; }
    int size() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    GuideDay day(int index) const { return GuideDay::fromLine(m_lines.at(index)); }

private:
    void insert(const QString& line);

    QStringList m_lines;
};
