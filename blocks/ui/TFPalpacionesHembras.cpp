#include "TFPalpacionesHembras.h"

#include "blocks/CycleEvents.h"

TFPalpacionesHembras::TFPalpacionesHembras(FarmContext context, QWidget* parent)
    : TFBloque(std::move(context),
               Texts{QStringLiteral("Palpaciones de Hembras"), QStringLiteral("Realizar Palpaciones"),
                     QStringLiteral("Realizando Palpaciones... Por favor, espere"),
                     QStringLiteral("No hay hembras para palpar en esas jaulas")},
               BlockListModel::Columns{QStringLiteral("Hembra"), true, {QStringLiteral("Palpación")}, true, false},
               parent) {
    setObjectName(QStringLiteral("TFPalpacionesHembras"));
}

std::unique_ptr<BlockEvent> TFPalpacionesHembras::event() const {
    return std::make_unique<PalpationEvent>(m_parameters);
}

void TFPalpacionesHembras::rowAction(int row) {
    model()->setFields(row, PalpationEvent::kResult,
                       {PalpationEvent::flipped(rowFields(row).value(PalpationEvent::kResult))});
}
