#include "TFConsolaSQL.h"

#include "KeyNavigation.h"
#include "Messages.h"
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
    auto* ok = new QPushButton(QStringLiteral("Aceptar"), this);
    ok->setObjectName(QStringLiteral("aceptar"));
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cancelar"));
    for (QPushButton* b : {ok, cancel})
        b->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TFConsolaSQL::run);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
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
