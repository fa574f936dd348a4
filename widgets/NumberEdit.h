#pragma once

#include <QLineEdit>

// A number shown at once through the mask "#,##0" (with ".000..." for a field
// with decimals). Takes digits, Backspace, "-" (negative) and "+" (positive);
// "," and "." both type the decimal separator, once, only where the field has
// decimals, and digits beyond them are dropped. Entering selects the whole
// text, and typing over the whole selection starts again from 0.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr, int decimals = 0);

    double value() const;
    void setValue(double value);
    int decimals() const { return m_decimals; }
    void setDecimals(int decimals);
    // A count never goes below zero: "-" is then not typed.
    void setNonNegative(bool on) { m_nonNegative = on; }

signals:
    void valueEdited(double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void refresh();
    void restart();

    int m_decimals;
    QString m_integer; // digits typed before the separator
    QString m_fraction; // digits typed after it
    bool m_point = false;
    bool m_negative = false;
    bool m_nonNegative = false;
};
