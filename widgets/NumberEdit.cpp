#include "NumberEdit.h"

#include "db/DisplayFormat.h"

#include <QKeyEvent>
#include <QTimer>
#include <cmath>

namespace {
// Enough for any count or weight on a farm. A box refuses a value its column
// cannot hold: number columns hold whole numbers exactly up to 2^53, and the
// counts travel as 64-bit integers from the box to the ledger.
constexpr int kMaxIntegerDigits = 12;
static_assert(999'999'999'999.0 < 9007199254740992.0, "a box's whole numbers fit a number column exactly");
} // namespace

NumberEdit::NumberEdit(QWidget* parent, int decimals) : QLineEdit(parent), m_decimals(decimals) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    refresh();
}

void NumberEdit::setDecimals(int decimals) {
    const double v = value();
    m_decimals = decimals;
    setValue(v);
}

double NumberEdit::value() const {
    const QString text = (m_integer.isEmpty() ? QStringLiteral("0") : m_integer) + QLatin1Char('.') +
                         (m_fraction.isEmpty() ? QStringLiteral("0") : m_fraction);
    const double v = text.toDouble();
    return m_negative ? -v : v;
}

void NumberEdit::setValue(double v) {
    const QString digits = QString::number(std::fabs(v), 'f', m_decimals);
    m_negative = v < 0;
    m_integer = digits.section(QLatin1Char('.'), 0, 0);
    if (m_integer == QLatin1String("0"))
        m_integer.clear();
    m_fraction = digits.section(QLatin1Char('.'), 1, 1);
    while (m_fraction.endsWith(QLatin1Char('0')))
        m_fraction.chop(1);
    m_point = !m_fraction.isEmpty();
    refresh();
}

void NumberEdit::restart() {
    m_integer.clear();
    m_fraction.clear();
    m_point = false;
    m_negative = false;
}

void NumberEdit::refresh() {
    QString mask = QStringLiteral("#,##0");
    if (m_decimals > 0)
        mask += QLatin1Char('.') + QString(m_decimals, QLatin1Char('0'));
    setText(display::mask(value(), mask));
    setCursorPosition(text().size());
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    const QString t = event->text();
    const bool allSelected = hasSelectedText() && selectedText() == text();
    const QChar c = t.size() == 1 ? t.at(0) : QChar();
    bool changed = true;
    if (event->key() == Qt::Key_Backspace) {
        if (allSelected)
            restart();
        else if (!m_fraction.isEmpty())
            m_fraction.chop(1);
        else if (m_point)
            m_point = false;
        else if (!m_integer.isEmpty())
            m_integer.chop(1);
        else
            m_negative = false;
    } else if (c.isDigit()) {
        if (allSelected)
            restart();
        if (m_point) {
            if (m_fraction.size() < m_decimals)
                m_fraction += c;
        } else if (m_integer.size() < kMaxIntegerDigits && !(m_integer.isEmpty() && c == '0')) {
            m_integer += c;
        }
    } else if (c == '-') {
        m_negative = !m_nonNegative;
    } else if (c == '+') {
        m_negative = false;
    } else if (c == ',' || c == '.') {
        if (allSelected)
            restart();
        if (m_decimals > 0)
            m_point = true;
    } else if (!t.isEmpty() && c.isPrint()) {
        changed = false; // any other character is not typed
    } else if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
               event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
               event->key() == Qt::Key_Delete) {
        changed = false; // the text only ever changes through the keys above
    } else {
        QLineEdit::keyPressEvent(event); // navigation, copy, focus keys
        return;
    }
    if (changed) {
        refresh();
        emit valueEdited(value());
    }
}

void NumberEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the focus change has settled, or a click would undo the selection.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void NumberEdit::mousePressEvent(QMouseEvent* event) {
    const bool entering = !hasFocus();
    QLineEdit::mousePressEvent(event);
    if (entering)
        selectAll();
}
