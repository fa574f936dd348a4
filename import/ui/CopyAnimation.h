#pragma once

#include <QTimer>
#include <QWidget>

// The small picture of files being copied that plays while an import step
// runs: a sheet flies from one folder to the other. Still when stopped.
class CopyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit CopyAnimation(QWidget* parent = nullptr);

    void start();
    void stop();
    bool playing() const { return m_timer.isActive(); }
    QSize sizeHint() const override { return {180, 44}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};
