#pragma once

#include <QDialog>

class Database;

// "Reparación de Bases de Datos": says what the repair does and asks to go on;
// "Aceptar" rebuilds the keys of every table under the waiting message and
// closes when the repair is over, "Cancelar" (Escape, the close box) does nothing.
class TFReparacionTablas : public QDialog {
    Q_OBJECT
public:
    TFReparacionTablas(Database& db, QWidget* parent = nullptr);

private:
    void repair();

    Database& m_db;
};
