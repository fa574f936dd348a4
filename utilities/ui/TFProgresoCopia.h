#pragma once

#include "utilities/backup/BackupPrompts.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// The window shown while a backup or restore runs: its caption, the line of
// the action at hand and the percentage bar. It also puts the operation's
// questions to the farmer, through the messages seam: the insert-disk prompt,
// the question over an earlier set, and the messages on the way.
class TFProgresoCopia : public QDialog, public BackupPrompts {
    Q_OBJECT
public:
    TFProgresoCopia(const QString& caption, QWidget* parent);

    std::optional<QString> askDisk(int disk, const QString& path) override;
    bool askEraseEarlierSet() override;
    void tell(const QString& message) override;
    void action(const QString& line) override;
    void percent(int value) override;

protected:
    // Nothing stops the work half way but the prompts' Cancel.
    void reject() override {}

private:
    void paintNow();

    QLabel* m_action;
    QProgressBar* m_bar;
};

// "en la unidad %s:": the drive letter on Windows, the folder elsewhere.
QString driveName(const QString& path);
