#pragma once

#include "pools/PoolSummary.h"

#include <QDialog>

class Clock;
class Database;
class QPushButton;
class QTreeWidget;

// "Detalle de Pool": one line per female of the pool, re-sorted by a click on a
// column heading; "Imprimir" prints "Composición del Pool" in the list's order.
class TFDetallePool : public QDialog {
    Q_OBJECT
public:
    TFDetallePool(Database& db, const Clock& clock, const QString& pool, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    const PoolDetail& detail() const { return m_detail; }

private:
    void fill();
    void sortBy(int column);
    void markHeading();
    void print();

    Database& m_db;
    const Clock& m_clock;
    PoolDetail m_detail;
    QTreeWidget* m_list;
    QPushButton* m_imprimir;
    QPushButton* m_salir;
};
