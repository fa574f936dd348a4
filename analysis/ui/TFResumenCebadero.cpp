#include "TFResumenCebadero.h"

#include "analysis/FatteningSummary.h"

TFResumenCebadero::TFResumenCebadero(const FarmContext& context, QWidget* parent)
    : TFResumen(context, QStringLiteral("Resumen datos Cebadero"), fattening_summary::sheet, parent) {
    setObjectName(QStringLiteral("TFResumenCebadero"));
}
