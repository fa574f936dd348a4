#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>

class DateEdit;
class QCheckBox;

// "Resumen datos Maternidad": the period ("Desde", "Hasta", either may stay
// blank) and "Vista Preliminar" (ticked: preview; clear: printer). "Aceptar"
// produces "Resumen de Datos de Maternidad" and leaves the screen open;
// "Cancelar" or Escape closes it.
class TFResumenMaternidad : public QDialog {
    Q_OBJECT
public:
    explicit TFResumenMaternidad(const FarmContext& context, QWidget* parent = nullptr);

    DateEdit* desde() const { return m_desde; }
    DateEdit* hasta() const { return m_hasta; }
    QCheckBox* vistaPreliminar() const { return m_preview; }

private:
    void produce();

    Database& m_db;
    const Clock& m_clock;
    DateEdit* m_desde = nullptr;
    DateEdit* m_hasta = nullptr;
    QCheckBox* m_preview = nullptr;
};
