#include "DateEdit.h"

#include "db/Clock.h"
#include "db/DbError.h"
#include "db/DisplayFormat.h"
#include "widgets/Messages.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {
const QString kMask = QStringLiteral("99/99/9999; ");

// Set while a box takes the focus back: the box the focus leaves then is not
// being left by the farmer and says nothing, so two boxes never argue.
bool g_reclaiming = false;

// The farmer moved on (a key, a click, the program's own next field); a window
// losing activation or a context menu opening is no leaving.
bool leftByTheFarmer(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
           reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}
} // namespace

DateEdit::DateEdit(const Clock& clock, QWidget* parent) : QLineEdit(parent), m_clock(clock) {
    setInputMask(kMask);
    connect(this, &QLineEdit::textChanged, this, [this] { m_told = false; });
}

QString DateEdit::typed() const {
    QString t = displayText();
    return t.remove(QLatin1Char(' '));
}

bool DateEdit::isBlank() const {
    return typed().remove(QLatin1Char('/')).isEmpty();
}

bool DateEdit::isReadable() const {
    try {
        date();
        return true;
    } catch (const InvalidDate&) {
        return false;
    }
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

bool DateEdit::checkTyped() {
    if (isReadable())
        return true;
    if (m_pending || !m_told)
        tell();
    else
        reclaimFocus();
    return false;
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
    const bool readable = settle();
    QLineEdit::focusOutEvent(event);
    if (readable || g_reclaiming || !leftByTheFarmer(event->reason()))
        return;
    // Said once the focus change is through: a click on a button then finds the
    // focus back here instead of a button held down under the message box, and a
    // button that still fires says nothing more (checkTyped).
    m_told = false;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_pending)
            tell();
    });
}

// A date is rewritten "dd/mm/yyyy", a blank box takes its default; false when the
// text is no date and stays as typed.
bool DateEdit::settle() {
    if (isBlank()) {
        if (m_defaultsToToday)
            setDate(m_clock.today());
        else
            clearDate();
        return true;
    }
    try {
        setDate(display::parseDate(typed()));
        return true;
    } catch (const InvalidDate&) {
        return false;
    }
}

void DateEdit::tell() {
    m_pending = false;
    // The farmer may have closed the screen, or the text been put right, meanwhile.
    if (!isVisible() || !isEnabled() || isReadable())
        return;
    reclaimFocus();
    messages::showError(this, InvalidDate(typed()));
    m_told = true;
    reclaimFocus();
}

void DateEdit::reclaimFocus() {
    g_reclaiming = true;
    setFocus(Qt::OtherFocusReason);
    g_reclaiming = false;
}
