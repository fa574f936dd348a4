#include "DateEdit.h"

#include "db/Clock.h"
#include "db/DbError.h"
#include "db/DisplayFormat.h"

#include <QKeyEvent>

namespace {
const QString kMask = QStringLiteral("99/99/9999; ");
}

DateEdit::DateEdit(const Clock& clock, QWidget* parent) : QLineEdit(parent), m_clock(clock) {
    setInputMask(kMask);
}

QString DateEdit::typed() const {
    QString t = displayText();
    return t.remove(QLatin1Char(' '));
}

bool DateEdit::isBlank() const {
    return typed().remove(QLatin1Char('/')).isEmpty();
}

QDate DateEdit::date() const {
    if (isBlank())
        return m_defaultsToToday ? m_clock.today() : QDate();
    return display::parseDate(typed());
}

void DateEdit::setDate(const QDate& d) {
    if (d.isValid())
        setText(display::date(d));
    else
        clearDate();
}

void DateEdit::clearDate() {
    clear();
}

void DateEdit::keyPressEvent(QKeyEvent* event) {
    if (event->text() == QLatin1String("+")) {
        setDate(m_clock.today());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateEdit::focusInEvent(QFocusEvent* event) {
    if (m_defaultsToToday && isBlank())
        setDate(m_clock.today());
    QLineEdit::focusInEvent(event);
}

void DateEdit::focusOutEvent(QFocusEvent* event) {
    settle();
    QLineEdit::focusOutEvent(event);
}

void DateEdit::settle() {
    try {
        const QDate d = isBlank() ? QDate() : display::parseDate(typed());
        if (d.isValid()) {
            setDate(d);
            return;
        }
    } catch (const InvalidDate&) {
    }
    if (m_defaultsToToday)
        setDate(m_clock.today());
    else
        clearDate();
}
