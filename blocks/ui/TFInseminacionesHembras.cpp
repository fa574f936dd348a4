#include "TFInseminacionesHembras.h"

#include "blocks/MatingEvent.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

TFInseminacionesHembras::TFInseminacionesHembras(FarmContext context, QWidget* parent)
    : TFBloque(std::move(context),
               Texts{QStringLiteral("Inseminaciones de Hembras"), QStringLiteral("Realizar Inseminación"),
                     QStringLiteral("Realizando Inseminaciones... Por favor, espere"),
                     QStringLiteral("No hay hembras para inseminar en esas jaulas")},
               BlockListModel::Columns{QStringLiteral("Hembra"), true, {QStringLiteral("Pool")}, true, true},
               parent) {
    setObjectName(QStringLiteral("TFInseminacionesHembras"));
    m_pool = new QLineEdit(this);
    m_pool->setObjectName(QStringLiteral("pool"));
    // "|" separates the fields of a row: a pool name never holds one.
    m_pool->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), m_pool));
    addInput(QStringLiteral("Pool"), m_pool);
}

std::unique_ptr<BlockEvent> TFInseminacionesHembras::event() const {
    // The box only gives the rows of a load their first pool name.
    return std::make_unique<InseminationEvent>(m_parameters, m_pool->text());
}

void TFInseminacionesHembras::rowAction(int row) {
    editRow(row, QStringLiteral("Inseminaciones"), {{QStringLiteral("Pool"), InseminationEvent::kPool, false}});
}
