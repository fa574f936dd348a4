#pragma once

#include <QDate>
#include <QLineEdit>

class Clock;

// A date typed as day/month/year through the mask "99/99/9999". "+" fills in
// today; on leaving, a date is rewritten "dd/mm/yyyy" and a blank box becomes
// today in a field that defaults to today and stays empty otherwise. A text that
// is no date (31/02/2026, or a date typed only in part) is never thrown away or
// replaced: leaving the box says "'31/02/2026' is not a valid date" and puts the
// focus back, so the farmer corrects what he typed.
class DateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateEdit(const Clock& clock, QWidget* parent = nullptr);

    // A field that defaults to today shows today when empty on entry and reads
    // today when left empty.
    void setDefaultsToToday(bool on) { m_defaultsToToday = on; }
    bool defaultsToToday() const { return m_defaultsToToday; }

    // The date in the box: a null date when blank (today in a field that defaults
    // to today). A filled text that is no calendar date throws InvalidDate.
    QDate date() const;
    void setDate(const QDate& date);
    void clearDate();
    bool isBlank() const;
    // Blank or a calendar date: date() reads it without an error.
    bool isReadable() const;

    // Called before an action uses the box. True when it is readable; otherwise
    // the farmer is told the conversion error (once for one attempt to leave the
    // box, so a click on a button does not say it twice) and the focus comes back.
    bool checkTyped();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString typed() const;
    bool settle();
    void tell();
    void reclaimFocus();

    const Clock& m_clock;
    bool m_defaultsToToday = false;
    bool m_pending = false; // left with a text that is no date; the message is on its way
    bool m_told = false;    // the message was shown for the text as it stands
};
