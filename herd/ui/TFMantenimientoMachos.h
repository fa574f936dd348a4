#pragma once

#include "RegisterCard.h"

#include <QVariant>
#include <memory>

class MaleRegister;

// "Ficha de Machos": the card of one breeding male with his matings, edited row
// by row through the record maintenance bar (key "Nº Macho"). The rules are
// MaleRegister's; "Indice de Eficacia" is his index against the herd average
// read when the screen opens.
//
// Object names: the inputs carry their column's name ("CodigoMacho", "Jaula",
// "Seleccion", "Raza", "FechaNacimiento", "FechaEntrada", "NumeroPadre",
// "NumeroMadre"); the mating list "cubriciones"; "Eficacia" the index; the buttons
// "anadir", "aceptar", "cancelar", "borrar", "libre", "salir", "primero",
// "anterior", "siguiente", "ultimo", "imprimir".
class TFMantenimientoMachos : public RegisterCard {
    Q_OBJECT
public:
    TFMantenimientoMachos(const FarmContext& context, QWidget* parent = nullptr);
    ~TFMantenimientoMachos() override;

    HistoryList* matings() const { return m_history; }
    double herdAverage() const { return m_average; }

protected:
    qint64 firstFreeNumber() const override;
    std::unique_ptr<CardSheet> cardSheet(qint64 code) const override;
    void refresh() override;

private:
    QWidget* buildCard();

    double m_average = 0.0;
    std::unique_ptr<MaleRegister> m_register;
    QCheckBox* m_seleccion = nullptr;
    QVariant m_seleccionValue; // NULL until the farmer ticks or clears the box
};
