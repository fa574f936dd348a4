#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

// The "Aceptar" and "Cancelar" pair of a dialog, right-aligned. "Cancelar"
// rejects; "Aceptar" is left for the dialog to connect. Neither is a default
// button: Enter presses only the focused one.
struct DialogButtons {
    QHBoxLayout* layout;
    QPushButton* ok;
    QPushButton* cancel;

    explicit DialogButtons(QDialog* dialog) {
        ok = new QPushButton(QStringLiteral("Aceptar"), dialog);
        ok->setObjectName(QStringLiteral("aceptar"));
        cancel = new QPushButton(QStringLiteral("Cancelar"), dialog);
        cancel->setObjectName(QStringLiteral("cancelar"));
        for (QPushButton* b : {ok, cancel})
            b->setAutoDefault(false);
        QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        layout = new QHBoxLayout;
        layout->addStretch();
        layout->addWidget(ok);
        layout->addWidget(cancel);
    }
};
