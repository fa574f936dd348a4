#pragma once

#include "app/ui/TFPantallaPrincipal.h"

#include <QDialog>
#include <QHash>
#include <QVariant>
#include <memory>

class HistoryList;
class MaleRegister;
class NumberEdit;
class QCheckBox;
class QLabel;
class QPushButton;
class TableCursor;
class TMnto;

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
class TFMantenimientoMachos : public QDialog {
    Q_OBJECT
public:
    TFMantenimientoMachos(const FarmContext& context, QWidget* parent = nullptr);
    ~TFMantenimientoMachos() override;

    TableCursor& cursor() const { return *m_cursor; }
    TMnto* bar() const { return m_bar; }
    HistoryList* matings() const { return m_matings; }
    QWidget* input(const QString& column) const { return m_inputs.value(column); }
    QLabel* indexLabel() const { return m_index; }
    double herdAverage() const { return m_average; }

    void firstFree();
    void printCard();
    void addMating();
    void openMating(qint64 orden);
    void deleteMating(qint64 orden);

private:
    QWidget* buildCard();
    void refresh();
    void updateControls();

    Database& m_db;
    const Clock& m_clock;
    QString m_tag;
    double m_average = 0.0;
    std::unique_ptr<MaleRegister> m_register;
    std::unique_ptr<TableCursor> m_cursor;
    int m_listener = 0;

    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_inputs;
    NumberEdit* m_codigo = nullptr;
    QCheckBox* m_seleccion = nullptr;
    QVariant m_seleccionValue; // NULL until the farmer ticks or clears the box
    QLabel* m_index = nullptr;
    HistoryList* m_matings = nullptr;
    QPushButton* m_libre = nullptr;
    QPushButton* m_imprimir = nullptr;
    QHash<QString, QPushButton*> m_navigation;
};
