#pragma once

#include "TFBloque.h"

// "Palpaciones de Hembras": the day's pregnancy checks; Enter flips a result.
class TFPalpacionesHembras : public TFBloque {
    Q_OBJECT
public:
    TFPalpacionesHembras(FarmContext context, QWidget* parent = nullptr);

protected:
    std::unique_ptr<BlockEvent> event() const override;
    void rowAction(int row) override;
};
