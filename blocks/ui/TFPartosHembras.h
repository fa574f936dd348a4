#pragma once

#include "TFBloque.h"

// "Partos de Hembras": the day's births with their litters.
class TFPartosHembras : public TFBloque {
    Q_OBJECT
public:
    TFPartosHembras(FarmContext context, QWidget* parent = nullptr);

protected:
    std::unique_ptr<BlockEvent> event() const override;
    void rowAction(int row) override;
};
