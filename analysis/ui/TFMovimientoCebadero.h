#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>
#include <QHash>
#include <memory>

class CursorMoves;
class QLabel;
class QPushButton;
class TableCursor;
class TMnto;

// "Movimiento del Cebadero": one movement of the fattening unit per date, entered,
// looked through, corrected and deleted on the record maintenance bar with the
// date as key (a new date is added by typing it; no "Añadir"). While a row is
// being edited or added, leaving a box of the entry group or of the sale group
// runs FatteningMovement's rule on that group. The moves to the first, previous,
// next and last date work only while browsing.
//
// Object names: the inputs carry their column's name ("FechaMovimiento",
// "EntGazaposDes", ...); each caption is the buddy of its box; the buttons
// "aceptar", "cancelar", "borrar", "salir", "primero", "anterior", "siguiente",
// "ultimo".
class TFMovimientoCebadero : public QDialog {
    Q_OBJECT
public:
    explicit TFMovimientoCebadero(const FarmContext& context, QWidget* parent = nullptr);
    ~TFMovimientoCebadero() override;

    TableCursor& cursor() const { return *m_cursor; }
    TMnto* bar() const { return m_bar; }
    QWidget* input(const QString& column) const { return m_inputs.value(column); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildForm();
    void updateMoves();

    std::unique_ptr<TableCursor> m_cursor;
    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_inputs;
    CursorMoves* m_moves = nullptr;
    int m_listener = 0;
};
