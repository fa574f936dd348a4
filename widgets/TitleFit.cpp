#include "TitleFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QMessageBox>

void TitleFit::install() {
    qApp->installEventFilter(new TitleFit(qApp));
}

int TitleFit::titleWidth(const QWidget* window) {
    // Title bars draw in a bold face; the window's icon and three buttons with
    // their margins take about eight lines' height beside it.
    QFont bold = window->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return metrics.horizontalAdvance(window->windowTitle()) + 8 * metrics.height();
}

bool TitleFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !qobject_cast<QMessageBox*>(dialog)) {
            const int needed = titleWidth(dialog);
            if (dialog->minimumWidth() < needed && dialog->maximumWidth() >= needed)
                dialog->setMinimumWidth(needed);
        }
    }
    return false;
}
