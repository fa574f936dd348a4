#pragma once

#include <QDialog>

class Database;
class QLabel;
class QProgressBar;
class Settings;

// "Actualizar a la Versión 1.1.0": no close button and no cancel, Escape does
// nothing. The upgrade starts by itself once the dialog is shown, the caption of
// the running step and its bar follow it, and the dialog closes itself at the
// end. An error the upgrade cannot pass over is shown in an error box; the
// version is then left unwritten, so the next start runs the upgrade again.
class TFActualizacion : public QDialog {
    Q_OBJECT
public:
    TFActualizacion(Database& db, Settings& settings, QWidget* parent = nullptr);

    void reject() override {} // Escape and the window manager's close do nothing

protected:
    void showEvent(QShowEvent* event) override;

private:
    void upgrade();

    Database& m_db;
    Settings& m_settings;
    QLabel* m_estado;
    QProgressBar* m_bar;
    bool m_started = false;
};
