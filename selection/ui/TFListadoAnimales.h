#pragma once

#include "selection/AnimalListing.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QRadioButton;

// The launcher of a culling proposal or a selection listing: "Vista preliminar"
// (ticked: preview; clear: printer) and, for the selection listings, the choice
// "Orden Listado". "Aceptar" produces the listing and closes the launcher;
// "Cancelar" or Escape closes it without one. On the culling launchers Down and
// Up move between the controls as Enter does.
class TFListadoAnimales : public QDialog {
    Q_OBJECT
public:
    TFListadoAnimales(const FarmContext& context, ListingKind kind, QWidget* parent = nullptr);

    QCheckBox* vistaPreliminar() const { return m_preview; }
    // The choices of "Orden Listado" in their order; none on the culling launchers.
    const QList<QRadioButton*>& orden() const { return m_order; }

private:
    void produce();
    ListingOrder chosenOrder() const;

    Database& m_db;
    const Clock& m_clock;
    ListingKind m_kind;
    QString m_farmName;
    QCheckBox* m_preview = nullptr;
    QList<QRadioButton*> m_order;
};
