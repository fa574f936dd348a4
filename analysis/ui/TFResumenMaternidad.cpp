#include "TFResumenMaternidad.h"

#include "analysis/MaternitySummary.h"

TFResumenMaternidad::TFResumenMaternidad(const FarmContext& context, QWidget* parent)
    : TFResumen(context, QStringLiteral("Resumen datos Maternidad"), maternity_summary::sheet, parent) {
    setObjectName(QStringLiteral("TFResumenMaternidad"));
}
