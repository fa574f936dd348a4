#pragma once

#include <QDialog>

class Database;
class NumberEdit;
class QButtonGroup;
class QPushButton;

// "Edición de Estructura de la Granja": one range of cages and its kind. A range
// that overlaps another stored range is refused with a message and the dialog
// closes as cancelled; otherwise it closes accepted and the list screen writes it.
class TFEdicionEstructura : public QDialog {
    Q_OBJECT
public:
    // orden 0 edits a new range; otherwise the stored range is shown.
    TFEdicionEstructura(Database& db, qint64 orden, QWidget* parent = nullptr);

    double desde() const;
    double hasta() const;
    // Position of the chosen kind in "RENM"; -1 when none is chosen.
    int typeIndex() const;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateAccept();

    Database& m_db;
    qint64 m_orden;
    NumberEdit* m_desde;
    NumberEdit* m_hasta;
    QButtonGroup* m_tipo;
    QPushButton* m_aceptar;
};
