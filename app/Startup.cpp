#include "Startup.h"

#include "db/Settings.h"

StartupPlan StartupPlan::read(const Settings& settings) {
    StartupPlan plan;
    // Any text at all, even not "010100", counts as upgraded.
    plan.upgradeDatabase = settings.versionActual().isEmpty();
    plan.offerUpdate = settings.actualizacionAutomatica();
    return plan;
}
