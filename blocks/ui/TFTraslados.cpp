#include "TFTraslados.h"

#include "TFTraslado.h"
#include "widgets/NumberEdit.h"

namespace {

TFBloque::Texts texts(Transfers::Kind kind) {
    const QString females = QStringLiteral("Realizando Traslados de Hembras... Por favor, espere");
    TFBloque::Texts t;
    switch (kind) {
    case Transfers::Kind::Females:
        t = {QStringLiteral("Traslados de Hembras"), {}, females, QStringLiteral("No hay hembras en esas jaulas")};
        t.hasDate = false;
        break;
    case Transfers::Kind::Nests:
        t = {QStringLiteral("Traslados de H. (Nidales)"), {}, females, QStringLiteral("No hay hembras en esas jaulas")};
        break;
    case Transfers::Kind::Males:
        t = {QStringLiteral("Traslados de Machos"), {}, QStringLiteral("Realizando Traslados de Machos... Por favor, espere"),
             QStringLiteral("No hay machos en esas jaulas")};
        t.hasDate = false;
        break;
    }
    t.processButton = QStringLiteral("Realizar Traslado");
    t.doubleClickActs = false;
    return t;
}

BlockListModel::Columns columns(Transfers::Kind kind) {
    const bool males = kind == Transfers::Kind::Males;
    return {males ? QStringLiteral("Macho") : QStringLiteral("Hembra"), !males, {QStringLiteral("Jaula Dest.")}, false,
            false};
}

} // namespace

TFTraslados::TFTraslados(FarmContext context, Transfers::Kind kind, QWidget* parent)
    : TFBloque(std::move(context), texts(kind), columns(kind), parent), m_kind(kind) {
    setObjectName(kind == Transfers::Kind::Males   ? QStringLiteral("TFTrasladosMachos")
                  : kind == Transfers::Kind::Nests ? QStringLiteral("TFTrasladosNidales")
                                                   : QStringLiteral("TFTrasladosHembras"));
    m_first = new NumberEdit(this);
    m_first->setObjectName(QStringLiteral("trasladoA"));
    m_first->setNonNegative(true);
    addInput(QStringLiteral("Traslado a la Jaula"), m_first);
}

std::unique_ptr<BlockEvent> TFTraslados::event() const {
    return std::make_unique<TransferEvent>(m_context.db, m_kind, qint64(m_first->value()));
}

bool TFTraslados::readyToLoad() {
    if (qint64(m_first->value()) != 0)
        return true;
    m_first->setFocus();
    return false;
}

void TFTraslados::rowAction(int row) {
    const TransferEvent event(m_context.db, m_kind, 0);
    const QStringList fields = rowFields(row);
    const Transfers transfers(m_context.db, m_kind);
    TFTraslado dialog(fields, m_kind == Transfers::Kind::Males ? QStringLiteral("Macho") : QStringLiteral("Hembra"),
                      fields.value(event.destinationField()).toLongLong(),
                      [&transfers](qint64 cage) { return transfers.cageFree(cage); }, this);
    if (dialog.exec() == QDialog::Accepted)
        model()->setFields(row, event.destinationField(), {QString::number(dialog.destination())});
}
