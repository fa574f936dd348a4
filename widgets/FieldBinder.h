#pragma once

#include "db/TableCursor.h"

#include <QList>
#include <QObject>
#include <QVariant>
#include <functional>

class Clock;
class QWidget;

// One input of a screen as its field table lists it: the column it edits and the
// box that edits it. Fields a table leaves to its screen are Own: the screen
// builds that widget itself.
struct InputField {
    enum class Kind { Number, Date, Check, Tristate, Text, Own };
    QString column = {};
    Kind kind = Kind::Number;
    QString caption = {};         // the text of a check box
    int width = 0;                // fixed width of a number or date box, minimum width of a text box
    bool nonNegative = false;     // a number box refuses values below 0
    bool defaultsToToday = false; // a date box left empty reads today
    int maxLength = 0;            // the longest text a text box takes (0: no limit)
};

// The one input builder of the screens: the box of a field, named after its
// column, of a kind FieldBinder binds. Date boxes read today from `clock`. An
// Own field has no box here (null).
QWidget* makeInput(const InputField& field, const Clock& clock, QWidget* parent);

// Binds a screen's input widgets to the columns of a table cursor: the widgets
// show the current row (or the edit buffer) and what the farmer types goes into
// the buffer. Typing into a bound widget while browsing puts the row into editing.
//
// Widgets understood: NumberEdit, DateEdit, QLineEdit, QCheckBox (three states
// for a NULL logical when tristate), QComboBox (item data, or the text, is the
// value; no choice is NULL), QPlainTextEdit. Anything else binds with its own
// read and write and calls edited() when the farmer changes it.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    struct Access {
        std::function<QVariant()> read;
        std::function<void(const QVariant&)> write;
    };

    explicit FieldBinder(TableCursor& cursor, QObject* parent = nullptr);
    ~FieldBinder() override;

    void bind(QWidget* widget, const QString& column);
    void bind(QWidget* widget, const QString& column, Access access);
    // A custom-bound widget was changed by the farmer.
    void edited(QWidget* widget);

    QList<QWidget*> widgets() const;
    QString column(QWidget* widget) const;

    // Shows the cursor's current values in every widget.
    void load();
    // Called before an action uses the widgets (a save, a key lookup): true when
    // every date box among them holds a date or nothing; otherwise the first that
    // does not has told the farmer so and holds the focus (DateEdit::checkTyped).
    bool checkTyped() const { return checkTyped(widgets()); }
    bool checkTyped(const QList<QWidget*>& widgets) const;
    // Writes every widget into the edit buffer; a text that its column cannot take
    // throws the conversion error ("'31/02/2002' is not a valid date").
    void store();
    // The value a widget holds, in its column's form (throws as store()).
    QVariant widgetValue(QWidget* widget) const;
    // True when the farmer left the widget empty (a number box at 0 counts as empty).
    bool isBlank(QWidget* widget) const;

signals:
    // The farmer changed a bound widget (after the value reached the buffer).
    void userEdited(QWidget* widget);

private:
    struct Binding {
        QWidget* widget;
        QString column;
        Access access;
    };
    const Binding* find(QWidget* widget) const;
    void write(const Binding& b, const QVariant& value);
    void changed(QWidget* widget);

    TableCursor* m_cursor; // null once the cursor has gone
    QList<Binding> m_bindings;
    int m_listener = 0;
    bool m_loading = false;
    QWidget* m_typing = nullptr; // the widget whose change is being written back
};
