#pragma once

#include "pools/PoolSummary.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <QStringList>
#include <array>

class QLabel;
class QToolButton;

// "Gestión de Pools": the results of one pool at a time, browsed in name order
// with first, previous, next and last; "Ver detalle" opens the pool's females and
// "Imprimir" prints "Resumen del Pool". Nothing is written.
class TFGestionPools : public QDialog {
    Q_OBJECT
public:
    explicit TFGestionPools(const FarmContext& context, QWidget* parent = nullptr);

    // The grid's text at a line (0 Nulíparas to 3 Total) and column (0 "Total" to 3 "Media nac. Vivos").
    QString cell(int line, int column) const;
    QString pool() const;

private:
    void go(int index);
    void showCurrent();
    void openDetail();
    void print();

    Database& m_db;
    const Clock& m_clock;
    QStringList m_pools;
    int m_current = 0;
    std::optional<PoolTotals> m_totals;
    std::array<PoolSummaryLine, 4> m_lines;
    QLabel* m_pool;
    std::array<std::array<QLabel*, 4>, 4> m_cells{};
};
