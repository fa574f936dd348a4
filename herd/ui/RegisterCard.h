#pragma once

#include "TFEdicionCubricion.h"
#include "widgets/FarmContext.h"
#include "widgets/FieldBinder.h"

#include <QDialog>
#include <QHash>
#include <array>
#include <memory>
#include <vector>

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
// or editing. A card hands the frame its descriptor, lays its inputs out in its
// own order, and tells the frame its free number, its printed card and how to
// list its history.
class RegisterCard : public QDialog {
    Q_OBJECT
public:
    // What sets one register's card apart, handed to the frame up front.
    struct Descriptor {
        QString objectName = {};       // "TFMantenimientoHembras"
        QString caption = {};          // "Ficha de Hembra"
        QString table = {};            // "Hembras.DB"
        QString codeColumn = {};       // the animal's number, the cursor's key ("CodigoHembra")
        QString firstFreeCaption = {}; // "1ª Libre"
        QString historyName = {};      // object name of the history list
        int historyWidth = 0;          // its minimum width
        // The dialog and table of its history lines.
        TFEdicionCubricion::Kind kind = TFEdicionCubricion::Kind::Female;
        // The bar's fields in the order Enter walks them, the number first. The
        // frame builds each box; an Own field the card adds with addInput.
        std::vector<InputField> fields = {};
    };

    ~RegisterCard() override;

    // The fields of the "Datos" block in Enter order: number, cage, selection,
    // breed, birth, entry, father and mother.
    static std::vector<InputField> animalFields(const QString& codeColumn, InputField::Kind selection,
                                                bool datesDefaultToToday);

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
    // Opens the cursor over the register's table and builds the boxes of its
    // fields, the index label, the history and the bar. The card then attaches
    // its rules to cursor(), adds its own inputs and calls assemble().
    RegisterCard(const FarmContext& context, Descriptor descriptor, QWidget* parent);

    // The register's first free number; the printed card of an animal.
    virtual qint64 firstFreeNumber() const = 0;
    virtual std::unique_ptr<CardSheet> cardSheet(qint64 code) const = 0;
    // Lists the history and the index of the animal shown again, then updates the controls.
    virtual void refresh() = 0;

    // An input the card builds itself (an Own field), with its own read and write
    // when FieldBinder does not know its kind.
    void addInput(const QString& column, QWidget* widget, FieldBinder::Access access = {});
    // The last step of construction: the card above the bar, the bar on the cursor
    // with the fields and their Enter order (a box without focus of its own stops at
    // its buttons), then the history; the card opens on the first animal.
    void assemble(QWidget* card);

    static QLabel* caption(const QString& text, QWidget* parent);
    // The block of number, cage, selection, breed, birth, parents and entry.
    QGroupBox* dataBox(const QString& title, const QString& codeCaption, const QString& cageCaption, QWidget* card);
    // Below the card's own blocks: the record moves (`tips`, first to last) with
    // "Imprimir Ficha", the history and its hint.
    void addFooter(QVBoxLayout* outer, const std::array<const char*, 4>& tips, QWidget* card);
    // The moves, "Imprimir Ficha" and the first-free button only while browsing;
    // the history while the card itself can be saved.
    void updateControls();

    Database& m_db;
    const Clock& m_clock;
    QString m_tag;

    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_inputs;
    NumberEdit* m_codigo = nullptr;
    QLabel* m_index = nullptr;
    HistoryList* m_history = nullptr;

private:
    void createBar(const QString& firstFreeCaption);
    void editLine(qint64 orden);

    const Descriptor m_descriptor;
    std::unique_ptr<TableCursor> m_cursor;
    QHash<QString, FieldBinder::Access> m_access;
    int m_listener = 0;
    QPushButton* m_libre = nullptr;
    QPushButton* m_imprimir = nullptr;
    QHash<QString, QPushButton*> m_navigation;
};
