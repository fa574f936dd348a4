#include "TFPartosHembras.h"

#include "TFEdicionFila.h"
#include "blocks/CycleEvents.h"

TFPartosHembras::TFPartosHembras(FarmContext context, QWidget* parent)
    : TFBloque(std::move(context),
               Texts{QStringLiteral("Partos de Hembras"), QStringLiteral("Contabilizar Partos"),
                     QStringLiteral("Realizando Partos... Por favor, espere"),
                     QStringLiteral("No hay hembras para parir en esas jaulas")},
               BlockListModel::Columns{QStringLiteral("Hembra"),
                                       true,
                                       {QStringLiteral("Viv."), QStringLiteral("Muer."), QStringLiteral("+"),
                                        QStringLiteral("-")},
                                       true,
                                       false},
               parent) {
    setObjectName(QStringLiteral("TFPartosHembras"));
}

std::unique_ptr<BlockEvent> TFPartosHembras::event() const {
    return std::make_unique<BirthEvent>();
}

void TFPartosHembras::rowAction(int row) {
    const QStringList f = rowFields(row);
    TFEdicionFila dialog(QStringLiteral("Partos"), f, QStringLiteral("Hembra"),
                         {{QStringLiteral("Vivos"), f.value(BirthEvent::kAlive), true},
                          {QStringLiteral("Muertos"), f.value(BirthEvent::kDead), true},
                          {QStringLiteral("Adoptados"), f.value(BirthEvent::kAdopted), true},
                          {QStringLiteral("Cedidos"), f.value(BirthEvent::kGiven), true}},
                         this);
    if (dialog.exec() == QDialog::Accepted)
        model()->setFields(row, BirthEvent::kAlive, dialog.values());
}
