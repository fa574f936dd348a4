#pragma once

#include <QCoreApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

// Types over a box as the farmer does: into the box, its text selected, then the keys.
inline void typeOver(QWidget* box, const QString& keys) {
    box->setFocus();
    QCoreApplication::processEvents();
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    QTest::keyClicks(box, keys);
}
