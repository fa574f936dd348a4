#pragma once

#include <QTimer>
#include <QWidget>

// Sheets flying from a folder to a disk, drawn frame by frame: the backup and
// restore screens play it from the moment the farmer accepts until the work ends.
class BackupAnimation : public QWidget {
    Q_OBJECT
public:
    explicit BackupAnimation(QWidget* parent = nullptr);
    void start();
    void stop();
    bool isPlaying() const { return m_timer.isActive(); }
    // Restore: the sheets fly from the disk to the folder.
    void setReversed(bool reversed) { m_reversed = reversed; }
    QSize sizeHint() const override { return {272, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
    bool m_reversed = false;
};
