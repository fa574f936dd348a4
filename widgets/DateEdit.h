#pragma once

#include <QDate>
#include <QLineEdit>

class Clock;

// A date typed as day/month/year through the mask "99/99/9999". "+" fills in
// today; on leaving, the text is rewritten "dd/mm/yyyy", and a text that is no
// date becomes today in a field that defaults to today and is cleared otherwise.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString typed() const;
    void settle();

    const Clock& m_clock;
    bool m_defaultsToToday = false;
};
