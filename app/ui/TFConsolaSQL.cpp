#include "TFConsolaSQL.h"

#include "app/FreeStatement.h"
#include "herd/ui/TMensajero.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFConsolaSQL::TFConsolaSQL(Database& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("TFConsolaSQL"));
    setWindowTitle(QStringLiteral("Introduzca SQL"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("sql"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    m_text->setFont(mono);
    const DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFConsolaSQL::run);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons.layout);
    resize(560, 260);
    KeyNavigation::install(this);
}

void TFConsolaSQL::reject() {
    // Closing while a statement runs stops the statement, not the console.
    if (m_waiting) {
        m_waiting->cancel();
        return;
    }
    QDialog::reject();
}

void TFConsolaSQL::run() {
    if (m_waiting)
        return; // "Aceptar" again while the statement runs
    freestatement::Outcome outcome;
    {
        TMensajeroCancelable waiting(this, QString::fromUtf8(kRunning));
        m_waiting = &waiting;
        // The program answers every twentieth of a second or so while the engine works.
        QElapsedTimer since;
        since.start();
        outcome = freestatement::run(m_db, m_text->toPlainText(), [&] {
            if (since.elapsed() >= 50) {
                QCoreApplication::processEvents();
                since.restart();
            }
            return !waiting.cancelled();
        });
        m_waiting = nullptr;
    }
    // The engine's own message is not shown here: the console only tells whether
    // the statement ran.
    switch (outcome) {
    case freestatement::Outcome::Ran:
        accept();
        messages::inform(parentWidget(), QStringLiteral("Atención"), QStringLiteral("SQL Ejecutada con éxito"),
                         QMessageBox::Warning);
        break;
    case freestatement::Outcome::Failed:
        messages::inform(this, QStringLiteral("Atención"),
                         QStringLiteral("Se produjo un error al ejecutar esa sentencia SQL"), QMessageBox::Critical);
        m_text->setFocus();
        break;
    case freestatement::Outcome::Cancelled:
        messages::inform(this, QStringLiteral("Atención"), QString::fromUtf8(kCancelled), QMessageBox::Warning);
        m_text->setFocus();
        break;
    }
}
