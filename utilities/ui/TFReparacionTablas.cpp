#include "utilities/ui/TFReparacionTablas.h"

#include "herd/ui/TMensajero.h"
#include "utilities/TableRepair.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QLabel>
#include <QVBoxLayout>

TFReparacionTablas::TFReparacionTablas(Database& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("TFReparacionTablas"));
    setWindowTitle(QStringLiteral("Reparación de Bases de Datos"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    for (const char* text :
         {"Este proceso lleva a cabo una reparación de los índices primarios y secundarios de cada una de las "
          "tablas que componen la base de datos Quendal.",
          "Es muy importante no interrumpir el proceso hasta que el programa informe de que la acción ha "
          "terminado totalmente.",
          "¿Está seguro de querer continuar con el proceso?"}) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    DialogButtons buttons(this);
    layout->addSpacing(6);
    layout->addLayout(buttons.layout);
    connect(buttons.ok, &QPushButton::clicked, this, &TFReparacionTablas::repair);
    buttons.ok->setFocus();
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    setFixedWidth(440);
}

void TFReparacionTablas::repair() {
    TMensajero mensaje;
    TableRepair::Report report;
    report.show = [&mensaje](const QString& text) {
        mensaje.setTexto(text);
        mensaje.show();
    };
    report.hide = [&mensaje] { mensaje.hide(); };
    report.warn = [this](const QString& text) {
        messages::ask(this, QStringLiteral("¡Atención!"), text, QMessageBox::Warning, QMessageBox::Ok);
    };
    messages::guarded(this, [&] { TableRepair::run(m_db, report); });
    mensaje.hide();
    accept();
}
