#include "ChartWindow.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ChartWindow::ChartWindow(std::unique_ptr<QChart> chart, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(title);
    m_view = new QChartView(chart.release(), this); // the view owns the chart
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* salir = new QPushButton(QStringLiteral("Salir"), this);
    salir->setObjectName(QStringLiteral("salir"));
    salir->setAutoDefault(false);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(salir);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(900, 620);
    salir->setFocus();
}

QChart* ChartWindow::chart() const {
    return m_view->chart();
}
