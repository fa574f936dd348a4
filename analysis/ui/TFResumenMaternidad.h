#pragma once

#include "TFResumen.h"

// "Resumen datos Maternidad": produces "Resumen de Datos de Maternidad".
class TFResumenMaternidad : public TFResumen {
    Q_OBJECT
public:
    explicit TFResumenMaternidad(const FarmContext& context, QWidget* parent = nullptr);
};
