#pragma once

#include "widgets/FarmContext.h"

#include <QDialog>

class QTreeWidget;

// "Definir Estructura de la Granja": the list of cage ranges in order of their
// first cage. Insert adds a range, Enter or a double click changes the selected
// one, Delete removes it after a question; the list is read again after every
// attempt, with nothing selected.
class TFEstructuraGranja : public QDialog {
    Q_OBJECT
public:
    TFEstructuraGranja(const FarmContext& context, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    void reload();
    void insertRange();
    void changeSelected();
    void deleteSelected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 selectedOrden() const;

    Database& m_db;
    QTreeWidget* m_list;
};
