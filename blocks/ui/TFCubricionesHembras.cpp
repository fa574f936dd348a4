#include "TFCubricionesHembras.h"

#include "blocks/MatingEvent.h"

TFCubricionesHembras::TFCubricionesHembras(FarmContext context, QWidget* parent)
    : TFBloque(std::move(context),
               Texts{QStringLiteral("Cubriciones de Hembras"), QStringLiteral("Realizar Cubrición"),
                     QStringLiteral("Realizando Cubriciones... Por favor, espere"),
                     QStringLiteral("No hay hembras para cubrir en esas jaulas")},
               BlockListModel::Columns{QStringLiteral("Hembra"), true, {QStringLiteral("Macho")}, true, true},
               parent) {
    setObjectName(QStringLiteral("TFCubricionesHembras"));
}

std::unique_ptr<BlockEvent> TFCubricionesHembras::event() const {
    return std::make_unique<MatingEvent>(m_parameters);
}

void TFCubricionesHembras::rowAction(int row) {
    editRow(row, QStringLiteral("Cubriciones"), {{QStringLiteral("Macho"), MatingEvent::kMale}});
}
