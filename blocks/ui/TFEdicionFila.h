#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QLineEdit;
class NumberEdit;

// The row edit dialog of the block screens: the row's cage (six digits, as the
// row holds it) and animal as fixed texts, then the editable values, "Aceptar"
// and "Cancelar". It checks nothing; number boxes hold whole numbers.
class TFEdicionFila : public QDialog {
    Q_OBJECT
public:
    struct Value {
        QString caption;
        QString text;
        bool number = true;
    };

    TFEdicionFila(const QString& caption, const QStringList& rowFields, const QString& animalCaption,
                  std::vector<Value> values, QWidget* parent = nullptr);

    // The edited values, as the row will hold them.
    QStringList values() const;

private:
    std::vector<NumberEdit*> m_numbers;
    std::vector<QLineEdit*> m_texts;
    std::vector<bool> m_isNumber;
};
