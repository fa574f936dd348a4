#pragma once

#include "TempFarm.h"
#include "db/Clock.h"
#include "db/Settings.h"
#include "widgets/FarmContext.h"

#include <QDate>
#include <QString>

class QAbstractButton;
class QWidget;

// A farm as the main window hands it to a screen: the database in a throw-away
// folder (a TempFarm or a farm built on one), a clock set to `today`, the
// settings next to the farm and the machine tag of the run.
template <class Farm = TempFarm> struct ScreenFarm {
    explicit ScreenFarm(const QDate& today = QDate(2026, 12, 9), const QString& tag = QStringLiteral("GRANJA"))
        : clock(today), context{farm.db(), clock, settings, tag} {}
    Database& db() { return farm.db(); }

    Farm farm;
    FixedClock clock;
    Settings settings{farm.folder() + QStringLiteral("/Quendal.conf")};
    FarmContext context;
};

// Shows a screen and waits until it is the active window, as the farmer finds it.
void showActive(QWidget& screen);
// A screen's button by its object name; null when there is none.
QAbstractButton* button(QWidget* screen, const char* name);
// Clicks that button with the mouse; a missing button fails the check.
void click(QWidget* screen, const char* name);
