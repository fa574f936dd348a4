#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class Settings;

// "Confgiuración de Torvane": the backup drive and reminder period (stored and
// shown again, read by nothing else) and the update flag read at start-up.
// Opening shows the three stored values, each with its own default; "Aceptar"
// writes all three; "Cancelar", Escape and the close box write nothing.
// "Actualizar Ahora" opens the update dialog at once and writes nothing.
class TFConfiguracion : public QDialog {
    Q_OBJECT
public:
    explicit TFConfiguracion(Settings& settings, QWidget* parent = nullptr);

    // "A:" at 0, then "C:" to "Z:" at 1 to 24.
    static QStringList drives();
    // "Nunca" at 0 to "Último día de semana al terminar" at 10.
    static QStringList periods();

private:
    QWidget* backupPage();
    QWidget* updatesPage();
    void load();
    void save();

    Settings& m_settings;
    QComboBox* m_unidad = nullptr;
    QButtonGroup* m_periodos = nullptr;
    QCheckBox* m_buscar = nullptr;
};
