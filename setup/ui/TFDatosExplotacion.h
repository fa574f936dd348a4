#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <memory>

class FieldBinder;
class QTabWidget;
class TableCursor;

// "Datos de la Explotación": the single row of farm parameters, the farm name
// above six pages of fields. The row is in editing while the screen is open (a
// new one when the table is empty); "Aceptar" saves it, "Cancelar", Escape and
// the close box discard the changes.
class TFDatosExplotacion : public QDialog {
    Q_OBJECT
public:
    TFDatosExplotacion(const FarmContext& context, QWidget* parent = nullptr);
    ~TFDatosExplotacion() override;

    // The box of a column (tests and screenshots).
    QWidget* box(const QString& column) const;
    QTabWidget* pages() const { return m_pages; }

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<TableCursor> m_cursor;
    FieldBinder* m_binder = nullptr;
    QTabWidget* m_pages = nullptr;
    QHash<QString, QWidget*> m_boxes;
    QList<QWidget*> m_lastOfPage;
};
