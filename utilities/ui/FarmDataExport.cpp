#include "utilities/ui/FarmDataExport.h"

#include "export/FarmTables.h"
#include "herd/ui/TMensajero.h"
#include "reports/HouseStyle.h"
#include "reports/ui/FileChoice.h"
#include "widgets/Messages.h"

#include <QDir>
#include <QFrame>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kAtencion = QStringLiteral("¡Atención!");

QString suggestedPath(Database& db) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString name = house::farmName(db).trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("Datos de la explotación");
    return QDir(folder).filePath(name + QStringLiteral(".xlsx"));
}

} // namespace

namespace farm_data_export {

bool run(QWidget* parent, Database& db) {
    const std::optional<QString> chosen =
        filechoice::saveFile(parent, QStringLiteral("Exportar Datos"), suggestedPath(db),
                             QStringLiteral("Libros de Excel (*.xlsx)"), QStringLiteral("xlsx"));
    if (!chosen || chosen->trimmed().isEmpty())
        return false;
    QString path = *chosen;
    if (!path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");
    TMensajero mensaje;
    const bool done = messages::guarded(parent, [&] {
        TMensajero::Showing shown(mensaje);
        farm_tables::exportAll(db, path, [&mensaje](const QString& table) {
            mensaje.setTexto(QStringLiteral("Exportando la tabla %1... Por favor, espere.").arg(table));
            mensaje.show();
        });
    });
    if (done)
        messages::inform(parent, kAtencion, QStringLiteral("El proceso ha finalizado con éxito"),
                         QMessageBox::Information);
    return done;
}

} // namespace farm_data_export
