#pragma once

#include "app/FarmOpening.h"

#include <QDialog>
#include <functional>

class QPushButton;

// The question of a start-up that does not find the farm where it was expected:
// the message naming the path and the likely cause, and the buttons "Reintentar",
// "Elegir carpeta...", "Crear granja nueva" (only where there is a folder to
// create it in, and confirmed first) and "Salir" (Escape too). It hands back the
// farmer's choice; the caller acts on it.
class TFGranjaNoEncontrada : public QDialog {
    Q_OBJECT
public:
    // Picks a folder, starting from the one given; empty when the farmer cancels.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;
    static QString chooseFolderWithDialog(QWidget* parent, const QString& start);

    explicit TFGranjaNoEncontrada(const FarmLookup& lookup, FolderChooser chooser = chooseFolderWithDialog,
                                  QWidget* parent = nullptr);

    FarmChoice choice() const { return m_choice; }
    // Shows the question and waits for the answer (Quit when the window is closed).
    static FarmChoice ask(const FarmLookup& lookup, FolderChooser chooser = chooseFolderWithDialog);

private:
    QPushButton* addButton(const QString& name, const QString& caption, const std::function<void()>& action);
    void finish(FarmChoice::Action action, const QString& folder = {});
    void chooseFolder();
    void createNew();

    FarmLookup m_lookup;
    FolderChooser m_chooser;
    FarmChoice m_choice;
};
