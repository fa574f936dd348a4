#pragma once

#include "TFBloque.h"

// "Destetes de Hembras": the day's weanings.
class TFDestetesHembras : public TFBloque {
    Q_OBJECT
public:
    TFDestetesHembras(FarmContext context, QWidget* parent = nullptr);

protected:
    std::unique_ptr<BlockEvent> event() const override;
    void rowAction(int row) override;
};
