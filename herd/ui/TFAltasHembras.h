#pragma once

#include <QDialog>

class Clock;
class Database;
class DateEdit;
class NumberEdit;
class QLineEdit;
struct FarmContext;

// "Altas de Hembras": many new females of one birth date, entry date and breed
// in a range of free cages. The screen stays open after each addition.
class TFAltasHembras : public QDialog {
    Q_OBJECT
public:
    explicit TFAltasHembras(const FarmContext& context, QWidget* parent = nullptr);

private:
    void accept() override;

    Database& m_db;
    NumberEdit* m_cantidad;
    NumberEdit* m_desde;
    NumberEdit* m_hasta;
    DateEdit* m_nacimiento;
    DateEdit* m_entrada;
    QLineEdit* m_raza;
};
