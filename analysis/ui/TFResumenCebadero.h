#pragma once

#include "TFResumen.h"

// "Resumen datos Cebadero": produces "Resumen de Datos de Cebadero", making the
// empty feed figures of every movement 0 for good first.
class TFResumenCebadero : public TFResumen {
    Q_OBJECT
public:
    explicit TFResumenCebadero(const FarmContext& context, QWidget* parent = nullptr);
};
