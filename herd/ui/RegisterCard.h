#pragma once

#include "TFEdicionCubricion.h"
#include "widgets/FarmContext.h"

#include <QDialog>
#include <QHash>
#include <array>
#include <memory>

class CardSheet;
class DateEdit;
class HistoryList;
class NumberEdit;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TableCursor;
class TMnto;

// What the female and male cards share: the inputs by column, the record
// maintenance bar with its first-free button, the "Datos" block, the row of
// record moves with "Imprimir Ficha", the history list with its hint and the
// cycle or mating dialog behind it, and the enabling of all these while browsing
// or editing. A card builds its own inputs and layout from these pieces, in its
// own order, and tells the frame its free number, its printed card and how to
// list its history.
class RegisterCard : public QDialog {
    Q_OBJECT
public:
    ~RegisterCard() override;

    TableCursor& cursor() const { return *m_cursor; }
    TMnto* bar() const { return m_bar; }
    QWidget* input(const QString& column) const { return m_inputs.value(column); }
    QLabel* indexLabel() const { return m_index; }

    // The card's actions, as its buttons and keys run them.
    void firstFree();
    void printCard();
    // On the history: a new line, correcting the line `orden`, deleting it.
    void addLine();
    void openLine(qint64 orden);
    void deleteLine(qint64 orden);

protected:
    // `codeColumn` is the animal's number ("CodigoHembra"); `kind` the dialog and
    // table of its history lines.
    RegisterCard(const FarmContext& context, QString codeColumn, TFEdicionCubricion::Kind kind, QWidget* parent);

    // The register's first free number; the printed card of an animal and the
    // statement of its detail rows.
    virtual qint64 firstFreeNumber() const = 0;
    virtual std::unique_ptr<CardSheet> cardSheet(qint64 code) const = 0;
    virtual QString cardRows(qint64 code) const = 0;
    // Lists the history and the index of the animal shown again, then updates the controls.
    virtual void refresh() = 0;

    // The inputs, each named and listed by its column.
    NumberEdit* numberInput(const QString& column, QWidget* parent);
    DateEdit* dateInput(const QString& column, bool defaultsToToday, QWidget* parent);
    QCheckBox* checkInput(const QString& column, const QString& caption, QWidget* parent);
    QLineEdit* breedInput(QWidget* parent);
    void createIndexLabel(QWidget* parent);
    void createHistory(const QStringList& headings, const QString& name, int minimumWidth, QWidget* parent);
    // The bar with its five buttons and the first-free button before "Salir".
    void createBar(const QString& firstFreeCaption);

    static QLabel* caption(const QString& text, QWidget* parent);
    // The block of number, cage, selection, breed, birth, parents and entry.
    QGroupBox* dataBox(const QString& title, const QString& codeCaption, const QString& cageCaption, QWidget* card);
    // Below the card's own blocks: the record moves (`tips`, first to last) with
    // "Imprimir Ficha", the history and its hint.
    void addFooter(QVBoxLayout* outer, const std::array<const char*, 4>& tips, QWidget* card);
    // The card above the bar, and the bar on the cursor.
    void layOut(QWidget* card);
    // The history follows the cursor's row and asks for its lines' dialogs.
    void followCursor();
    // The moves, "Imprimir Ficha" and the first-free button only while browsing;
    // the history while the card itself can be saved.
    void updateControls();

    Database& m_db;
    const Clock& m_clock;
    QString m_tag;
    std::unique_ptr<TableCursor> m_cursor;

    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_inputs;
    NumberEdit* m_codigo = nullptr;
    QLabel* m_index = nullptr;
    HistoryList* m_history = nullptr;

private:
    void editLine(qint64 orden);

    const QString m_code;
    const TFEdicionCubricion::Kind m_kind;
    int m_listener = 0;
    QPushButton* m_libre = nullptr;
    QPushButton* m_imprimir = nullptr;
    QHash<QString, QPushButton*> m_navigation;
};
