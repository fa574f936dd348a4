#pragma once

#include "db/Query.h"
#include "reports/HouseSheet.h"
#include "reports/SheetRows.h"

#include <QDate>
#include <QStringList>
#include <memory>
#include <optional>

class Database;

// The four listings that help decide which breeding animals to cull and which
// to keep: the culling proposals (present, healthy females of index 0 whose
// current cycle has no positive palpation; males of index below 50 with at
// least one mating) and the listings of the animals marked as selected.
enum class ListingKind { CullingFemales, CullingMales, SelectionFemales, SelectionMales };

// The order of a selection listing, as offered under "Orden Listado".
enum class ListingOrder { Code, Cage, Efficiency };

namespace listing {

// The launcher's caption: "Propuesta de Eliminación (Hembras)" ...
QString launcherTitle(ListingKind kind);
// The sheet's title: "Listado de Propuesta de Eliminación (Reposición - Hembras)" ...
QString sheetTitle(ListingKind kind);
bool isSelection(ListingKind kind);
bool isMale(ListingKind kind);
// The choices of "Orden Listado" in ListingOrder's order; none for the culling proposals.
QStringList orderChoices(ListingKind kind);
// The listing's statement, two lines: the select and its conditions or order.
QStringList statement(ListingKind kind, ListingOrder order);

// "select avg(Eficacia) Media from Machos" over every male; 0 when there is none.
double averageMaleEfficiency(Database& db);
// A male's index relative to the average, through the mask: "0" when the average is not above 0.
QString relativeEfficiency(double efficiency, double average, const QString& mask);
// Whole days from the birth date to today through "###"; empty when the birth date is missing.
QString ageInDays(const QDate& born, const QDate& today);

} // namespace listing

// One listing laid out in the house style over the rows of its statement: two
// page columns, printed even when no animal is listed. The births ("Ptos.") and
// matings ("Cubr.") of each line come from one prepared count each, the
// animal's code bound line after line.
class AnimalListing {
public:
    // Reads the farm name now unless given; `today` is the header date and the day ages count to.
    AnimalListing(Database& db, ListingKind kind, ListingOrder order, const QDate& today,
                  std::optional<QString> farmName = std::nullopt);
    AnimalListing(const AnimalListing&) = delete;
    AnimalListing& operator=(const AnimalListing&) = delete;

    ListingKind kind() const { return m_kind; }
    const HouseSheet& sheet() const { return *m_sheet; }
    // Runs the statement; the rows from the first. Each call runs it again.
    SheetRows& rows();

private:
    void addColumns();
    QString count(Query& statement, const Field& code);

    Database& m_db;
    ListingKind m_kind;
    ListingOrder m_order;
    QDate m_today;
    double m_average = 0;
    std::unique_ptr<HouseSheet> m_sheet;
    Query m_query;
    Query m_count;
    std::unique_ptr<QueryRows> m_rows;
};
