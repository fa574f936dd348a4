#pragma once

#include <QDialog>

// The splash window of start-up, shown again as the about window: borderless,
// centred, the emblem, the program's name and its line, closed by a timer.
class TFSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowMs = 4000;
    explicit TFSplash(QWidget* parent = nullptr, int showMs = kShowMs);
};
