#include "TFConsolaSQL.h"

#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "db/Query.h"

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

void TFConsolaSQL::run() {
    // The engine's own message is not shown here: the console only tells whether
    // the statement ran.
    bool ran = true;
    try {
        Query q(m_db, m_text->toPlainText());
        q.exec();
    } catch (const std::exception&) {
        ran = false;
    }
    accept();
    if (ran)
        messages::inform(parentWidget(), QStringLiteral("Atención"), QStringLiteral("SQL Ejecutada con éxito"),
                         QMessageBox::Warning);
    else
        messages::inform(parentWidget(), QStringLiteral("Atención"),
                         QStringLiteral("Se produjo un error al ejecutar esa sentencia SQL"), QMessageBox::Critical);
}
