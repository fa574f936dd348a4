#include "TFDestetesHembras.h"

#include "blocks/CycleEvents.h"

TFDestetesHembras::TFDestetesHembras(FarmContext context, QWidget* parent)
    : TFBloque(std::move(context),
               Texts{QStringLiteral("Destetes de Hembras"), QStringLiteral("Realizar Destetes"),
                     QStringLiteral("Realizando Destetes... Por favor, espere"),
                     QStringLiteral("No hay hembras para destetar en esas jaulas")},
               BlockListModel::Columns{QStringLiteral("Hembra"), true, {QStringLiteral("Destetados")}, true, false},
               parent) {
    setObjectName(QStringLiteral("TFDestetesHembras"));
}

std::unique_ptr<BlockEvent> TFDestetesHembras::event() const {
    return std::make_unique<WeaningEvent>(m_parameters);
}

void TFDestetesHembras::rowAction(int row) {
    editRow(row, QStringLiteral("Destetes"), {{QStringLiteral("Destetados"), WeaningEvent::kWeaned}});
}
