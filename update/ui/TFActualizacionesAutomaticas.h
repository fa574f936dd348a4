#pragma once

#include "update/Updater.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class Settings;

// "Actualizaciones Automáticas": a status line, a progress bar and "Cancelar".
// It starts once shown: reads the status page, asks whether to install the
// version offered, downloads it with its progress, and when the new program is
// installed and started ends this one. The silent ends close it without a
// word; a refused signature or a file that could not be moved is said before it
// closes; a broken download is said and the dialog waits for "Cancelar".
class TFActualizacionesAutomaticas : public QDialog {
    Q_OBJECT
public:
    TFActualizacionesAutomaticas(Updater::Options options, const QString& product, QWidget* parent = nullptr);

    // As the main window and the settings dialog open it: the installed version,
    // the program file name and the product name of the program, the server of
    // the settings, the files beside the running program.
    static void run(const Settings& settings, QWidget* parent);

    const Updater& updater() const { return *m_updater; }
    const QString& product() const { return m_product; }
    bool installed() const { return m_installed; }
    // What ends the program once the new one runs (tests replace it).
    void setEndProgram(std::function<void()> end) { m_end = std::move(end); }

    void reject() override; // "Cancelar", Escape and the close box: the transfer is aborted

protected:
    void showEvent(QShowEvent* event) override;

private:
    void offer(const StatusPage& page);
    void showProgress(qint64 received, qint64 total);
    void finished(Updater::Outcome outcome, const QString& message);

    Updater* m_updater;
    QString m_product;
    QLabel* m_estado;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    std::function<void()> m_end;
    bool m_started = false;
    bool m_installed = false;
};
