#include "TFPartosHembras.h"

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
    editRow(row, QStringLiteral("Partos"),
            {{QStringLiteral("Vivos"), BirthEvent::kAlive},
             {QStringLiteral("Muertos"), BirthEvent::kDead},
             {QStringLiteral("Adoptados"), BirthEvent::kAdopted},
             {QStringLiteral("Cedidos"), BirthEvent::kGiven}});
}
