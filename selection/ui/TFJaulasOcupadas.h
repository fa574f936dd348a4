#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>

class NumberEdit;
class QCheckBox;

// "Búsqueda de Jaulas Ocupadas": the cage range ("Desde la Jaula", "Hasta la
// Jaula", 0 an open bound) and "Presentación Preliminar" (ticked: preview; clear:
// printer). "Aceptar" produces the occupied cages sheet, or nothing at all when
// no active female is in the range, and leaves the launcher open for another
// range; "Cancelar" or Escape closes it.
class TFJaulasOcupadas : public QDialog {
    Q_OBJECT
public:
    explicit TFJaulasOcupadas(const FarmContext& context, QWidget* parent = nullptr);

    NumberEdit* desde() const { return m_from; }
    NumberEdit* hasta() const { return m_to; }
    QCheckBox* presentacionPreliminar() const { return m_preview; }

private:
    void produce();

    Database& m_db;
    const Clock& m_clock;
    NumberEdit* m_from = nullptr;
    NumberEdit* m_to = nullptr;
    QCheckBox* m_preview = nullptr;
};
