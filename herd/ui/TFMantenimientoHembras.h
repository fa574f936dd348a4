#pragma once

#include "app/ui/TFPantallaPrincipal.h"

#include <QDialog>
#include <QHash>
#include <memory>

class DateEdit;
class FemaleRegister;
class HistoryList;
class NumberEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TableCursor;
class TMnto;

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
class TFMantenimientoHembras : public QDialog {
    Q_OBJECT
public:
    TFMantenimientoHembras(const FarmContext& context, QWidget* parent = nullptr);
    ~TFMantenimientoHembras() override;

    TableCursor& cursor() const { return *m_cursor; }
    TMnto* bar() const { return m_bar; }
    HistoryList* history() const { return m_history; }
    QWidget* input(const QString& column) const { return m_inputs.value(column); }
    QLabel* indexLabel() const { return m_index; }

    // The card's actions, as its buttons and keys run them.
    void firstFree();
    void lookUpCage();
    void printCard();
    void addCycle();
    void openCycle(qint64 orden);
    void deleteCycle(qint64 orden);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInputs();
    QWidget* buildLayout();
    void refresh();
    void updateControls();
    void checkCage();
    void leaveCullDate();
    void enterCause(bool backwards);
    bool cullDateEmpty() const;
    int causeChosen() const;
    void showCause(const QVariant& value);

    Database& m_db;
    const Clock& m_clock;
    QString m_tag;
    std::unique_ptr<FemaleRegister> m_register;
    std::unique_ptr<TableCursor> m_cursor;
    int m_listener = 0;

    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_inputs;
    NumberEdit* m_codigo = nullptr;
    NumberEdit* m_jaula = nullptr;
    DateEdit* m_nacimiento = nullptr;
    DateEdit* m_baja = nullptr;
    QWidget* m_causa = nullptr;
    QButtonGroup* m_causas = nullptr;
    QRadioButton* m_eliminacion = nullptr;
    QRadioButton* m_muerte = nullptr;
    QComboBox* m_enfermedad = nullptr;
    QLabel* m_index = nullptr;
    HistoryList* m_history = nullptr;
    QPushButton* m_libre = nullptr;
    QPushButton* m_imprimir = nullptr;
    QHash<QString, QPushButton*> m_navigation;
    bool m_cageCheckPending = false;
    qint64 m_cageDeclined = -1; // the cage kept after a No: not asked about again while editing
};
