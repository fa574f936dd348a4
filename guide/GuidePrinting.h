#pragma once

#include "GuideSelection.h"

#include <functional>

class Database;
class GuideSheet;

// The two questions printing asks each time the mating task runs, after the
// females' mating sheet.
class GuideQuestions {
public:
    static QString printYoungText();     // "¿Desea imprimir guía de trabajo de Hembras Jóvenes?"
    static QString cageOrderFirstText(); // "¿Desea que prevalezca el orden de Jaula sobre el de Edad ...?"

    virtual ~GuideQuestions() = default;
    virtual bool printYoung() = 0;
    virtual bool cageOrderFirst() = 0;
};

// "Imprimir Listados": runs the plan's sheets in print order against the farm as
// it stands, each with the cage range and farm parameters given, and hands every
// sheet that has lines to `produce` (which previews or prints it before the next
// one is built). A "No" to printing the young females skips the second question
// and their sheet; the males' sheet follows either way. Returns the sheets produced.
int printPlan(Database& db, const GuidePlan& plan, const FarmParameters& parameters, const GuideCages& cages,
              GuideQuestions& questions, const std::function<void(GuideSheet&)>& produce);
