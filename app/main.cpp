#include "app/FarmOpening.h"
#include "app/MachineTag.h"
#include "app/ui/TFGranjaNoEncontrada.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "app/ui/TFSplash.h"
#include "app/ui/Shell.h"
#include "db/AliasConfig.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "db/Settings.h"
#include "widgets/AppInfo.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    shell::prepare(application);
    {
        TFSplash splash;
        splash.exec();
    }
    std::unique_ptr<Database> db;
    // The alias is settled before anything touches the database; a farm that is
    // not where the alias says is asked about, never replaced by a new one.
    AliasConfig aliases;
    const auto ask = [](const FarmLookup& lookup) { return TFGranjaNoEncontrada::ask(lookup); };
    if (!messages::guarded(nullptr, [&] { db = FarmOpening::open(aliases, ask); }) || !db)
        return 1;
    // A damaged, read-only or incomplete farm is said now; the main window still
    // opens, so that repair and restore can be reached.
    for (const QString& text : db->health().messages(db->filePath()))
        messages::inform(nullptr, QStringLiteral("Atención"), text, QMessageBox::Warning);
    Settings settings;
    SystemClock clock;
    TFPantallaPrincipal window(FarmContext{*db, clock, settings, machineTag()});
    // Without a window manager a maximise request is not honoured: fill the screen first.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return application.exec();
}
