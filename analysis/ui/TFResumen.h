#pragma once

#include "analysis/DatePeriod.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <functional>
#include <memory>

class DateEdit;
class QCheckBox;
class SummarySheet;

// A summary screen ("Resumen datos Maternidad", "Resumen datos Cebadero"): the
// period ("Desde", "Hasta", either may stay blank) and "Vista Preliminar" (ticked:
// preview; clear: printer). "Aceptar" produces the summary's sheet and leaves the
// screen open; "Cancelar" or Escape closes it.
class TFResumen : public QDialog {
    Q_OBJECT
public:
    // The summary's sheet over a period, with today's date in its header.
    using MakeSheet = std::function<std::unique_ptr<SummarySheet>(Database&, const DatePeriod&, const QDate&)>;

    TFResumen(const FarmContext& context, const QString& caption, MakeSheet makeSheet, QWidget* parent = nullptr);

    DateEdit* desde() const { return m_desde; }
    DateEdit* hasta() const { return m_hasta; }
    QCheckBox* vistaPreliminar() const { return m_preview; }

private:
    void produce();

    Database& m_db;
    const Clock& m_clock;
    MakeSheet m_makeSheet;
    DateEdit* m_desde = nullptr;
    DateEdit* m_hasta = nullptr;
    QCheckBox* m_preview = nullptr;
};
