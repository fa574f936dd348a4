#include "widgets/AppInfo.h"
#include "db/Clock.h"
#include "app/MachineTag.h"
#include "db/Settings.h"
#include "widgets/Messages.h"
#include "app/ui/TFPantallaPrincipal.h"
#include "app/ui/TFSplash.h"
#include "app/ui/Shell.h"
#include "db/AliasConfig.h"
#include "db/Database.h"

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
    // The alias is settled before anything touches the database.
    if (!messages::guarded(nullptr, [&] { db = Database::openInFolder(AliasConfig().ensureFarmAlias()); }))
        return 1;
    Settings settings;
    SystemClock clock;
    TFPantallaPrincipal window(FarmContext{*db, clock, settings, machineTag()});
    // Without a window manager a maximise request is not honoured: fill the screen first.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return application.exec();
}
