#pragma once

#include "widgets/FarmContext.h"
#include "blocks/BlockEvent.h"
#include "blocks/BlockListModel.h"
#include "db/FarmParameters.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class DateEdit;
class NumberEdit;
class QLabel;
class QPushButton;
class QTableView;
class QGridLayout;

// The frame every block screen shares: the cage range and the day, "Buscar
// datos de Jaulas", the sorted list with its counter and mark legend, the row
// action on Enter or a double click, Delete without a question, and the
// process button that writes every row and closes the screen. A screen
// supplies its event, its row action and its texts.
class TFBloque : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString caption;
        QString processButton;
        QString waitMessage;
        QString emptyMessage;
        bool hasDate = true;
        bool doubleClickActs = true;
    };

    QTableView* listView() const { return m_view; }
    BlockListModel* model() const { return m_model; }

protected:
    TFBloque(FarmContext context, Texts texts, BlockListModel::Columns columns, QWidget* parent);

    // The event as the inputs stand now (the pool of the box, the farm parameters).
    virtual std::unique_ptr<BlockEvent> event() const = 0;
    // Enter or a double click on a row.
    virtual void rowAction(int row) = 0;
    // A check before loading, before the date's (the transfers' destination).
    virtual bool readyToLoad() { return true; }

    // Adds a screen's own input after the cage range, in focus order.
    void addInput(const QString& caption, QWidget* input);
    // The fields of a row.
    QStringList rowFields(int row) const { return m_model->list().fields(row); }

    // One value the row dialog edits: its caption and the field of the row that
    // holds it; a number box (whole numbers from 0 up) or a plain text.
    struct EditedField {
        QString caption;
        int field;
        bool number = true;
    };
    // The usual row action: the row dialog captioned `caption` shows the row's
    // cage and animal and the values of `fields`; "Aceptar" writes them back.
    void editRow(int row, const QString& caption, const std::vector<EditedField>& fields);

    FarmContext m_context;
    FarmParameters m_parameters;

private:
    // Columns sized to their headings and contents, the screen to its columns.
    void fitColumns();
    void load();
    void process();
    void act(const QModelIndex& index);
    void removeSelected();
    int selectedRow() const;
    void select(int row);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Texts m_texts;
    QString m_animalCaption;
    BlockListModel* m_model;
    NumberEdit* m_from;
    NumberEdit* m_to;
    DateEdit* m_date;
    QLabel* m_counter;
    QPushButton* m_search;
    QTableView* m_view;
    QPushButton* m_process;
    QGridLayout* m_inputs;
    int m_inputRow = 2;
};
