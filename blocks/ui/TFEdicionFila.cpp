#include "TFEdicionFila.h"

#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/NumberEdit.h"
#include "blocks/BlockRow.h"
#include "db/SqlFormat.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TFEdicionFila::TFEdicionFila(const QString& caption, const QStringList& rowFields, const QString& animalCaption,
                             std::vector<Value> values, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    auto* form = new QFormLayout;
    auto* cage = new QLabel(rowFields.value(blockrow::kCage), this);
    cage->setObjectName(QStringLiteral("jaula"));
    auto* animal = new QLabel(rowFields.value(blockrow::kAnimal), this);
    animal->setObjectName(QStringLiteral("animal"));
    form->addRow(QStringLiteral("Jaula"), cage);
    form->addRow(animalCaption, animal);
    for (const Value& v : values) {
        m_isNumber.push_back(v.number);
        if (v.number) {
            auto* box = new NumberEdit(this);
            box->setObjectName(v.caption);
            box->setValue(v.text.toDouble());
            // Males and kits are counted in whole numbers from 0 up.
            box->setNonNegative(true);
            m_numbers.push_back(box);
            m_texts.push_back(nullptr);
            form->addRow(v.caption, box);
        } else {
            auto* box = new QLineEdit(v.text, this);
            box->setObjectName(v.caption);
            // "|" separates the fields of a row: a value never holds one.
            box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), box));
            m_texts.push_back(box);
            m_numbers.push_back(nullptr);
            form->addRow(v.caption, box);
        }
    }
    const DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
    KeyNavigation::install(this);
}

QStringList TFEdicionFila::values() const {
    QStringList out;
    for (size_t i = 0; i < m_isNumber.size(); ++i)
        out << (m_isNumber[i] ? sql::whole(m_numbers[i]->value()) : m_texts[i]->text());
    return out;
}
