#pragma once

#include "RegisterCard.h"

#include <memory>

class DateEdit;
class FemaleRegister;
class QButtonGroup;
class QComboBox;
class QRadioButton;

// "Ficha de Hembra": the card of one breeding female with her cycles, edited row
// by row through the record maintenance bar (key "Número Hembra"). The rules of
// saving, abandoning and deleting are FemaleRegister's; the screen wires its
// widgets to them.
//
// Object names: the inputs carry their column's name ("CodigoHembra", "Jaula",
// "Seleccion", "Raza", "FechaNacimiento", "FechaEntrada", "NumeroPadre",
// "NumeroMadre", "FechaBaja", "CausaBaja" with the options "causaEliminacion" and
// "causaMuerte", "Marca1" to "Marca4", "Enfermedad"); the history list
// "historial"; "Eficacia" the index; the buttons "anadir", "aceptar", "cancelar",
// "borrar", "libre", "salir", "primero", "anterior", "siguiente", "ultimo",
// "imprimir".
class TFMantenimientoHembras : public RegisterCard {
    Q_OBJECT
public:
    TFMantenimientoHembras(const FarmContext& context, QWidget* parent = nullptr);
    ~TFMantenimientoHembras() override;

    HistoryList* history() const { return m_history; }

    // F5 in "Número Hembra": the female in the cage typed there.
    void lookUpCage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    qint64 firstFreeNumber() const override;
    std::unique_ptr<CardSheet> cardSheet(qint64 code) const override;
    void refresh() override;

private:
    void buildInputs();
    QWidget* buildLayout();
    void checkCage();
    void leaveCullDate();
    void enterCause(bool backwards);
    bool cullDateEmpty() const;
    int causeChosen() const;
    void showCause(const QVariant& value);

    std::unique_ptr<FemaleRegister> m_register;
    NumberEdit* m_jaula = nullptr;
    DateEdit* m_nacimiento = nullptr;
    DateEdit* m_baja = nullptr;
    QWidget* m_causa = nullptr;
    QButtonGroup* m_causas = nullptr;
    QRadioButton* m_eliminacion = nullptr;
    QRadioButton* m_muerte = nullptr;
    QComboBox* m_enfermedad = nullptr;
    bool m_cageCheckPending = false;
    qint64 m_cageDeclined = -1; // the cage kept after a No: not asked about again while editing
};
