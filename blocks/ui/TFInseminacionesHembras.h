#pragma once

#include "TFBloque.h"

class QLineEdit;

// "Inseminaciones de Hembras": the day's inseminations, each female in a pool.
class TFInseminacionesHembras : public TFBloque {
    Q_OBJECT
public:
    TFInseminacionesHembras(FarmContext context, QWidget* parent = nullptr);

protected:
    std::unique_ptr<BlockEvent> event() const override;
    void rowAction(int row) override;

private:
    QLineEdit* m_pool;
};
