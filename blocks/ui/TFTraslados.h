#pragma once

#include "TFBloque.h"
#include "blocks/Transfers.h"

// "Traslados de Hembras", "Traslados de H. (Nidales)" and "Traslados de
// Machos": the animals of a cage range, each proposed a free cage from
// "Traslado a la Jaula" upward; Enter changes a destination to a free cage.
class TFTraslados : public TFBloque {
    Q_OBJECT
public:
    TFTraslados(FarmContext context, Transfers::Kind kind, QWidget* parent = nullptr);

protected:
    std::unique_ptr<BlockEvent> event() const override;
    void rowAction(int row) override;
    bool readyToLoad() override;

private:
    Transfers::Kind m_kind;
    NumberEdit* m_first;
};
