#pragma once

#include "TFBloque.h"

// "Cubriciones de Hembras": the day's natural matings for a cage range.
class TFCubricionesHembras : public TFBloque {
    Q_OBJECT
public:
    TFCubricionesHembras(FarmContext context, QWidget* parent = nullptr);

protected:
    std::unique_ptr<BlockEvent> event() const override;
    void rowAction(int row) override;
};
