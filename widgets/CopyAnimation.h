#pragma once

#include <QTimer>
#include <QWidget>

// Sheets flying from a folder to a disk or to another folder, drawn frame by
// frame while a long copy runs (backup, restore, import). Still when stopped.
class CopyAnimation : public QWidget {
    Q_OBJECT
public:
    enum class Destination { Disk, Folder };
    explicit CopyAnimation(Destination destination, QWidget* parent = nullptr);
    void start();
    void stop();
    bool playing() const { return m_timer.isActive(); }
    // Restore: the sheets fly from the disk to the folder.
    void setReversed(bool reversed) { m_reversed = reversed; }
    QSize sizeHint() const override { return {272, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
    bool m_reversed = false;
    Destination m_destination;
};
