#include "TFObjetivosReposicion.h"

#include "db/Clock.h"
#include "widgets/KeyNavigation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

    // The figures in the order the focus runs through them: the upper grid line
    // by line, then the lower one, then "Aceptar".
    for (int line = 0; line < 2; ++line) {
        for (int column = 0; column < kColumns; ++column) {
            auto* box = new QLineEdit(this);
            box->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(kLines[line]).toLower()).arg(column));
            box->setReadOnly(true);
            box->setAlignment(Qt::AlignRight);
            box->setFixedWidth(80);
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
    layout->addLayout(upperGrid());
    layout->addSpacing(8);
    layout->addLayout(lowerGrid());
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* previous = nullptr;
    for (int part = 0; part < 2; ++part)
        for (int line = 0; line < 2; ++line)
            for (int column = part == 0 ? 0 : 4; column < (part == 0 ? 4 : kColumns); ++column) {
                if (previous)
                    setTabOrder(previous, m_figures[line][column]);
                previous = m_figures[line][column];
            }
    setTabOrder(previous, aceptar);

    fill(ReplacementObjectives::read(context.db, context.clock.today()));
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    m_figures[0][0]->setFocus();
}

// Under "Recom. semanal" the additions and culls, under "Existencias" the stocks.
QLayout* TFObjetivosReposicion::upperGrid() {
    auto* grid = new QGridLayout;
    grid->addWidget(heading("Recom. semanal", this), 0, 1, 1, 2);
    grid->addWidget(heading("Existencias", this), 0, 3, 1, 2);
    int at = 1;
    for (const char* caption : {"Altas", "Bajas", "Actual", "Objetivo"})
        grid->addWidget(heading(caption, this), 1, at++);
    for (int line = 0; line < 2; ++line) {
        grid->addWidget(new QLabel(QString::fromLatin1(kLines[line]), this), line + 2, 0);
        for (int column = 0; column < 4; ++column)
            grid->addWidget(m_figures[line][column], line + 2, column + 1);
    }
    return grid;
}

QLayout* TFObjetivosReposicion::lowerGrid() {
    auto* grid = new QGridLayout;
    int at = 1;
    for (const char* caption : {"Objectivo anual", "Proyectado anual", "Tendencia actual"})
        grid->addWidget(heading(caption, this), 0, at++);
    for (int line = 0; line < 2; ++line) {
        grid->addWidget(new QLabel(QString::fromLatin1(kLines[line]), this), line + 1, 0);
        for (int column = 4; column < kColumns; ++column)
            grid->addWidget(m_figures[line][column], line + 1, column - 3);
    }
    grid->setColumnStretch(kColumns - 3, 1);
    return grid;
}

void TFObjetivosReposicion::fill(const ReplacementObjectives& objectives) {
    const QStringList texts[] = {objectives.females.texts(), objectives.males.texts()};
    for (int line = 0; line < 2; ++line)
        for (int column = 0; column < kColumns; ++column)
            m_figures[line][column]->setText(texts[line].value(column));
}
