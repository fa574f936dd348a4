#include "TFObjetivosReposicion.h"

#include "db/Clock.h"
#include "widgets/KeyNavigation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

const char* const kLines[] = {"Hembras", "Machos"};

QLabel* heading(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TFObjetivosReposicion::TFObjetivosReposicion(const FarmContext& context, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFObjetivosReposicion"));
    setWindowTitle(QStringLiteral("Objetivos y Estado Actual de la Reposición"));

    for (int line = 0; line < 2; ++line) {
        for (int column = 0; column < kColumns; ++column) {
            auto* box = new QLineEdit(this);
            box->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(kLines[line]).toLower()).arg(column));
            box->setReadOnly(true);
            box->setAlignment(Qt::AlignRight);
            box->setMinimumWidth(80);
            m_figures[line][column] = box;
        }
    }
    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("aceptar"));
    aceptar->setAutoDefault(false);
    connect(aceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(aceptar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids());
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The focus runs through the upper grid line by line, then the lower one, then "Aceptar".
    QWidget* previous = nullptr;
    for (const auto& [first, end] : {std::pair{0, 4}, std::pair{4, kColumns}})
        for (const auto& line : m_figures)
            for (int column = first; column < end; ++column) {
                if (previous)
                    setTabOrder(previous, line[column]);
                previous = line[column];
            }
    setTabOrder(previous, aceptar);

    fill(ReplacementObjectives::read(context.db, context.clock.today()));
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    m_figures[0][0]->setFocus();
}

// One grid for both, so the lower figures stand under the upper ones: under
// "Recom. semanal" the additions and culls, under "Existencias" the stocks, then
// the yearly percentages. Every figure column is as wide as the widest heading.
QLayout* TFObjetivosReposicion::grids() {
    auto* grid = new QGridLayout;
    std::vector<QLabel*> headings;
    auto put = [&](const char* text, int row, int column, int span = 1) {
        QLabel* label = heading(text, this);
        grid->addWidget(label, row, column, 1, span);
        if (span == 1)
            headings.push_back(label);
    };
    put("Recom. semanal", 0, 1, 2);
    put("Existencias", 0, 3, 2);
    int at = 1;
    for (const char* caption : {"Altas", "Bajas", "Actual", "Objetivo"})
        put(caption, 1, at++);
    at = 1;
    for (const char* caption : {"Objectivo anual", "Proyectado anual", "Tendencia actual"})
        put(caption, 5, at++);
    grid->setRowMinimumHeight(4, 12);
    for (int line = 0; line < 2; ++line) {
        for (int row : {line + 2, line + 6})
            grid->addWidget(new QLabel(QString::fromLatin1(kLines[line]), this), row, 0);
        for (int column = 0; column < kColumns; ++column)
            grid->addWidget(m_figures[line][column], column < 4 ? line + 2 : line + 6,
                            column < 4 ? column + 1 : column - 3);
    }
    int width = m_figures[0][0]->sizeHint().width();
    for (const QLabel* label : headings)
        width = std::max(width, label->sizeHint().width());
    for (int column = 1; column <= 4; ++column)
        grid->setColumnMinimumWidth(column, width);
    return grid;
}

void TFObjetivosReposicion::fill(const ReplacementObjectives& objectives) {
    const QStringList texts[] = {objectives.females.texts(), objectives.males.texts()};
    for (int line = 0; line < 2; ++line)
        for (int column = 0; column < kColumns; ++column)
            m_figures[line][column]->setText(texts[line].value(column));
}
