#pragma once

#include <QDate>
#include <QString>
#include <array>

struct FarmParameters;

// The tasks of a guide day, in the order of their flags (fields 4 to 14 of the
// day's line). "Movimiento Cebadero" and "Traslados" are shown and edited but
// never produce a sheet.
enum class GuideTask {
    Pinchazo,
    Cubriciones,
    Palpaciones,
    Nidales,
    Partos,
    RevisionNidos,
    RetirarNidales,
    Destetes,
    MovimientoCebadero,
    Traslados,
    ReproductoresEnfermos,
};
inline constexpr int kGuideTaskCount = 11;

// The caption of a task in the day list ("Pinchazo Ciclización", ...).
QString listCaption(GuideTask task);
// The caption of its check box in the day edit dialog ("Retirar nidales" differs).
QString editCaption(GuideTask task);

// The seven numbers of a day (fields 15 to 21), all whole days or male codes.
struct GuideDayNumbers {
    int injectionLead = 2;        // the injection is given this many days before mating
    int diasCubrirPosparto = 0;   // days from a birth to the next mating
    int intervaloCubrirMacho = 0; // days between two matings of a male
    int firstMale = 0;            // the male mating guide runs from this male code
    int lastMale = 0;             // to this one
    int edadCamadasRevisar = 0;   // nests are inspected while the litter is younger than this
    int edadRetirarNidal = 0;     // the nest box is removed at this litter age

    bool operator==(const GuideDayNumbers&) const = default;
};

// One day of the work guide. It is held as one line of 21 fields joined by "|":
// the day as "yyyymmdd" (the sort key), as "dd/mm/yyyy" (the guide date), as
// "dddd, dd/mm/yyyy" (what the list shows), the eleven task flags "0" or "1" and
// the seven numbers in plain decimal. Sorting the lines sorts the days.
class GuideDay {
public:
    // A fresh day: no task ticked, the injection two days ahead, the other
    // numbers from the farm parameters and no male range.
    static GuideDay fresh(const QDate& day, const FarmParameters& parameters);
    // Reads a line written by line(); throws std::invalid_argument otherwise.
    static GuideDay fromLine(const QString& line);

    QString line() const;

    QDate date() const { return m_date; }
    // Field 2, the guide date as the sheets receive it.
    QString guideDate() const;
    // Field 3, as the list and the edit dialog show it: "lunes, 05/03/2001".
    QString caption() const;

    bool ticked(GuideTask task) const { return m_flags[static_cast<size_t>(task)]; }
    void setTicked(GuideTask task, bool ticked) { m_flags[static_cast<size_t>(task)] = ticked; }
    const GuideDayNumbers& numbers() const { return m_numbers; }
    void setNumbers(const GuideDayNumbers& numbers) { m_numbers = numbers; }

private:
    QDate m_date;
    std::array<bool, kGuideTaskCount> m_flags{};
    GuideDayNumbers m_numbers;
};
