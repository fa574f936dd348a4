#include "Shell.h"

#include "widgets/AppInfo.h"
#include "widgets/TitleFit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shell {

void prepare(QApplication& application) {
    // Only the name: a display name would turn "Ficha de Hembra" into
    // "Ficha de Hembra — Torvane v.1.0" on a real desktop.
    application.setApplicationName(QString::fromUtf8(app::kTitle));
    installQtSpanish(application);
    TitleFit::install();
}

bool installQtSpanish(QCoreApplication& application) {
    // Owned by the application, so it lives as long as the texts it translates.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace shell
