#pragma once

#include "utilities/ui/BackupScreen.h"

// "Hacer Copia de Seguridad": the data folder, with the farm as one moment of
// it, packed and written to as many disks as it needs, each read back.
class TFCopiaSeguridad : public BackupScreen {
    Q_OBJECT
public:
    explicit TFCopiaSeguridad(const FarmContext& context, QWidget* parent = nullptr);

protected:
    std::optional<QString> work(BackupPrompts& prompts) override;
    QString progressCaption() const override { return QStringLiteral("Haciendo Copia de Seguridad..."); }
};

// "Restaurar Copia de Seguridad": the disks read back in order, the whole
// archive checked, the farm kept as a safety copy and then replaced; the main
// window goes on with the restored farm.
class TFRestaurarCopia : public BackupScreen {
    Q_OBJECT
public:
    explicit TFRestaurarCopia(const FarmContext& context, QWidget* parent = nullptr);

protected:
    std::optional<QString> work(BackupPrompts& prompts) override;
    QString progressCaption() const override { return QStringLiteral("Restaurando Copia de Seguridad"); }
};
