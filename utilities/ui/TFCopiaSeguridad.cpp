#include "utilities/ui/TFCopiaSeguridad.h"

#include "utilities/backup/FarmBackup.h"
#include "widgets/CopyAnimation.h"
#include "utilities/ui/TFConfirmaSobreescribir.h"
#include "utilities/ui/TFProgresoCopia.h"

#include <QDir>

TFCopiaSeguridad::TFCopiaSeguridad(const FarmContext& context, QWidget* parent)
    : BackupScreen(context, QStringLiteral("Hacer Copia de Seguridad"),
                   QStringLiteral("A continuación se va a proceder a realizar la copia de seguridad. Dicha copia se "
                                  "realizará en diskettes de 3'5 pulgadas situados en la unidad A: de nuestro "
                                  "ordenador."),
                   parent) {
    setObjectName(QStringLiteral("TFCopiaSeguridad"));
}

std::optional<QString> TFCopiaSeguridad::work(BackupPrompts& prompts) {
    FarmBackup backup(drive(), prompts);
    backup.setThreads(threads());
    backup.backup(dataFolder(), path());
    return QStringLiteral("La realización de Copia de Seguridad ha finalizado");
}

TFRestaurarCopia::TFRestaurarCopia(const FarmContext& context, QWidget* parent)
    : BackupScreen(context, QStringLiteral("Restaurar Copia de Seguridad"),
                   QStringLiteral("A continuación se va a proceder a restaurar una copia de seguridad. Es MUY "
                                  "IMPORTANTE recordar que mediante esta acción SE PERDERÁN LOS DATOS ACTUALES."),
                   parent) {
    setObjectName(QStringLiteral("TFRestaurarCopia"));
    animation()->setReversed(true);
}

std::optional<QString> TFRestaurarCopia::work(BackupPrompts& prompts) {
    FarmBackup restore(drive(), prompts);
    restore.setThreads(threads());
    QWidget* over = dynamic_cast<QWidget*>(&prompts);
    const RestoreOutcome outcome = restore.restore(
        dataFolder(), path(),
        [over](const ArchiveLayout::Entry& archived, const QFileInfo& existing) {
            return TFConfirmaSobreescribir::ask(over, archived, existing);
        },
        &db());
    QString text = QStringLiteral("La restauración de Copia de Seguridad ha finalizado");
    if (!outcome.safetyCopy.isEmpty())
        text += QStringLiteral("\n\nLa granja que había antes se ha guardado en:\n%1")
                    .arg(QDir::toNativeSeparators(outcome.safetyCopy));
    return text;
}
