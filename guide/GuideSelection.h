#pragma once

#include "GuideDay.h"
#include "GuideStatement.h"
#include "db/FarmParameters.h"

#include <vector>

class GuidePlan;

// The sheets of the work guide, in the order a day prints them. The young
// females' mating sheet follows the females' one when the farmer asks for it.
enum class GuideSheetKind {
    Pinchazo,
    CubricionesHembras,
    CubricionesJovenes,
    CubricionesMachos,
    Palpaciones,
    Nidales,
    Partos,
    RevisionNidos,
    RetirarNidos,
    Destetes,
    Enfermos,
};

// The cage boxes of the planner; a bound of 0 or less is open.
struct GuideCages {
    qint64 from = 0;
    qint64 to = 0;
};

// Everything a selection depends on, as it stands when the sheet is run.
struct GuideContext {
    QDate day;                 // the guide date
    GuideDayNumbers numbers;   // the day's own intervals and male range
    FarmParameters parameters; // as read when the planner opened
    GuideCages cages;
};

// How the young females are listed: by birth date then cage, or by cage when
// the farmer wants the cage order to prevail.
enum class YoungOrder { ByAge, ByCage };

// The statement that selects the rows of a sheet for a day. The female
// statements carry the cage range, except for the never-mated females (the
// young sheet and the second half of the injection statement), who are listed
// from the whole farm; the male statement carries the day's male range.
GuideStatement selectionStatement(GuideSheetKind sheet, const GuideContext& context,
                                  YoungOrder youngOrder = YoungOrder::ByAge);

// One sheet to run: the day's place in the plan, its date and the sheet.
struct GuideJob {
    int entry = 0;
    QDate day;
    GuideSheetKind sheet = GuideSheetKind::Pinchazo;

    bool operator==(const GuideJob&) const = default;
};

// What printing a plan runs: the days in date order, and for each the ticked
// tasks in the fixed order "Pinchazo Ciclización", "Cubriciones" (females, then
// the young females, asked about first, then males), "Palpaciones", "Nidales",
// "Partos", "Revisión Nidos", "Retirar Nidales", "Destetes", "Reproductores
// Enfermos". "Movimiento Cebadero" and "Traslados" never produce a sheet.
std::vector<GuideJob> printOrder(const GuidePlan& plan);
