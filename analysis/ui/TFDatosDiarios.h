#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>
#include <QHash>
#include <memory>

class CursorMoves;
class DailyData;
class QLabel;
class QPushButton;
class TableCursor;
class TMnto;

// "Mantenimiento de Datos Diarios": the maternity ledger day by day on the record
// maintenance bar, keyed by "Fecha". A day is added by typing its date (there is
// no add button); a new day starts from the totals of the day before it, and
// those two boxes stay locked for the rest of the addition. "Palp. Totales" and
// the three lines of "Índices por día" follow the boxes they are computed from.
// The rules of saving and recounting are DailyData's.
//
// Object names: the inputs carry their column's name ("Fecha",
// "NumeroTotalHembras", ... "Observaciones"); "PalpTotales" and the index lines
// "indicePalpaciones", "indiceNacidos", "indiceDestetados"; the buttons
// "aceptar", "cancelar", "borrar", "salir", "primero", "anterior", "siguiente",
// "ultimo", "recalcular".
class TFDatosDiarios : public QDialog {
    Q_OBJECT
public:
    explicit TFDatosDiarios(const FarmContext& context, QWidget* parent = nullptr);
    ~TFDatosDiarios() override;

    TableCursor& cursor() const { return *m_cursor; }
    TMnto* bar() const { return m_bar; }
    QWidget* input(const QString& column) const { return m_inputs.value(column); }

    // "Recalcular": the six counters of the day shown counted again.
    void recalculate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildLayout();
    QWidget* group(const QString& title, const QList<std::pair<QString, QString>>& boxes, QWidget* parent);
    QWidget* navigation(QWidget* parent);
    void showIndices();
    void updateControls();
    void carryTotals();

    std::unique_ptr<DailyData> m_data;
    std::unique_ptr<TableCursor> m_cursor;
    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_inputs;
    QLabel* m_palpTotales = nullptr;
    QLabel* m_positivas = nullptr;
    QLabel* m_nacidos = nullptr;
    QLabel* m_destetados = nullptr;
    CursorMoves* m_moves = nullptr;
    QPushButton* m_recalcular = nullptr;
    bool m_totalsCarried = false; // the addition under way started from the day before
    int m_listener = 0;
};
