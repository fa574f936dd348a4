#pragma once

#include <QString>
#include <optional>

// What the backup and restore ask of the user and show while they run. The
// screens answer with dialogs; tests answer from a script.
class BackupPrompts {
public:
    virtual ~BackupPrompts() = default;
    // "Por favor inserte el disco nº %d en la unidad %s:" with the path
    // editable; nothing when the user pressed Cancel.
    virtual std::optional<QString> askDisk(int disk, const QString& path) = 0;
    // "El disco destino tiene archivos. ¿ Deseas borrarlos ?"
    virtual bool askEraseEarlierSet() = 0;
    virtual void tell(const QString& message) = 0;
    // The progress window's action line and bar (0..100).
    virtual void action(const QString& line) = 0;
    virtual void percent(int value) = 0;
};
