#include "TFDestetesHembras.h"

#include "TFEdicionFila.h"
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
    const QStringList f = rowFields(row);
    TFEdicionFila dialog(QStringLiteral("Destetes"), f, QStringLiteral("Hembra"),
                         {{QStringLiteral("Destetados"), f.value(WeaningEvent::kWeaned), true}}, this);
    if (dialog.exec() == QDialog::Accepted)
        model()->setFields(row, WeaningEvent::kWeaned, dialog.values());
}
