#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>
#include <QPointer>
#include <exception>

class CopyAnimation;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QThread;
class QTreeView;

// "Importación de Datos desde Ferralind": the farmer picks the predecessor's
// folder (a drive or mount point, then a folder in its tree, or the path typed
// or pasted) and "Aceptar" imports it. The nine steps are listed in order, the
// running one in bold and a tick beside each that is done, with the progress
// bar and the copying picture of the running step. The import runs on a
// worker thread with its own connection, so the screen stays responsive; both
// buttons stay disabled from the start, and after a failure, whose message says
// what stopped it with the farm left as it was, the screen is closed to retry.
class TFImportacionFerralind : public QDialog {
    Q_OBJECT
public:
    explicit TFImportacionFerralind(FarmContext context, QWidget* parent = nullptr);
    ~TFImportacionFerralind() override;

    // The folder that "Aceptar" imports.
    QString folder() const;
    void setFolder(const QString& path);
    bool running() const { return m_worker != nullptr; }

    void reject() override;

private:
    void buildFolderChooser();
    void buildSteps();
    void layOut();

    void showDrive(int index);
    void start();
    void stepStarted(int step);
    void stepFinished(int step);
    void moved(int value, int maximum);
    void ended();

    FarmContext m_context;
    QComboBox* m_drives = nullptr;
    QTreeView* m_tree = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QLineEdit* m_path = nullptr;
    QListWidget* m_steps = nullptr;
    QProgressBar* m_progress = nullptr;
    CopyAnimation* m_animation = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;

    QThread* m_worker = nullptr;
    // What the worker left: the safety copy's path, or the error that stopped it.
    QString m_safetyCopy;
    std::exception_ptr m_failure;
};
