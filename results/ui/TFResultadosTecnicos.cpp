#include "TFResultadosTecnicos.h"

#include "BandChart.h"
#include "TFReferencias.h"
#include "analysis/ChartSheet.h"
#include "analysis/ui/ChartPainting.h"
#include "analysis/ui/ChartWindow.h"
#include "db/Clock.h"
#include "reports/ui/SheetOutput.h"
#include "results/ResultsSheet.h"
#include "widgets/DateEdit.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace results;

namespace {

QIcon markIcon(Mark mark) {
    if (mark == Mark::None)
        return {};
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = band_chart::colour(mark);
    p.setPen(c.darker(140));
    p.setBrush(c);
    p.drawEllipse(QRectF(1, 1, 10, 10));
    return QIcon(picture);
}

const QIcon& iconOf(Mark mark) {
    static const QIcon icons[] = {markIcon(Mark::None), markIcon(Mark::Good), markIcon(Mark::Fair),
                                  markIcon(Mark::Poor)};
    return icons[int(mark)];
}

QPushButton* addButton(QWidget* parent, QBoxLayout* layout, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

QTableWidget* makeTable(QWidget* parent, const char* name) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QLatin1String(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    return table;
}

} // namespace

TFResultadosTecnicos::TFResultadosTecnicos(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_settings(context.settings),
      m_references(References::read(context.settings)) {
    setObjectName(QStringLiteral("TFResultadosTecnicos"));
    setWindowTitle(QStringLiteral("Resultados Técnicos"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(makePeriod());
    layout->addWidget(makeTables(), 1);
    layout->addLayout(makeButtons());

    KeyNavigation::install(this);
    resize(1180, 560);
    calculate();
    m_desde->setFocus();
}

QLayout* TFResultadosTecnicos::makePeriod() {
    const QDate today = m_clock.today();
    m_desde = new DateEdit(m_clock, this);
    m_desde->setObjectName(QStringLiteral("Desde"));
    m_desde->setDate(QDate(today.year(), today.month(), 1).addMonths(-11));
    m_hasta = new DateEdit(m_clock, this);
    m_hasta->setObjectName(QStringLiteral("Hasta"));
    m_hasta->setDate(today);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Desde"), this));
    row->addWidget(m_desde);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Hasta"), this));
    row->addWidget(m_hasta);
    row->addSpacing(12);
    connect(addButton(this, row, QStringLiteral("Calcular"), "calcular"), &QPushButton::clicked, this,
            &TFResultadosTecnicos::calculate);
    row->addStretch();
    return row;
}

QWidget* TFResultadosTecnicos::makeTables() {
    m_tabs = new QTabWidget(this);
    m_bandTable = makeTable(m_tabs, "bandas");
    m_monthTable = makeTable(m_tabs, "meses");
    m_tabs->addTab(m_bandTable, QStringLiteral("Por bandas de inseminación"));
    m_tabs->addTab(m_monthTable, QStringLiteral("Por meses"));
    return m_tabs;
}

QLayout* TFResultadosTecnicos::makeButtons() {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Indicador"), this));
    m_chartIndicator = new QComboBox(this);
    m_chartIndicator->setObjectName(QStringLiteral("indicador"));
    for (const IndicatorDefinition& d : indicators())
        if (d.perBand)
            m_chartIndicator->addItem(d.caption, int(d.id));
    m_chartIndicator->setCurrentIndex(m_chartIndicator->findData(int(Indicator::KindlingRate)));
    row->addWidget(m_chartIndicator);
    connect(addButton(this, row, QStringLiteral("Gráfico"), "grafico"), &QPushButton::clicked, this,
            &TFResultadosTecnicos::drawChart);
    row->addStretch();
    connect(addButton(this, row, QStringLiteral("Referencias..."), "referencias"), &QPushButton::clicked, this,
            &TFResultadosTecnicos::editReferences);
    m_preview = new QCheckBox(QStringLiteral("Vista Preliminar"), this);
    m_preview->setObjectName(QStringLiteral("VistaPreliminar"));
    m_preview->setChecked(true);
    row->addSpacing(12);
    row->addWidget(m_preview);
    connect(addButton(this, row, QStringLiteral("Imprimir"), "imprimir"), &QPushButton::clicked, this,
            &TFResultadosTecnicos::print);
    connect(addButton(this, row, QStringLiteral("Salir"), "salir"), &QPushButton::clicked, this, &QDialog::accept);
    return row;
}

bool TFResultadosTecnicos::calculate() {
    if (!m_desde->checkTyped() || !m_hasta->checkTyped())
        return false;
    return messages::guarded(this, [this] {
        const DatePeriod period{m_desde->date(), m_hasta->date()};
        m_figures = results::compute(m_db, period, m_clock.today());
        m_period = period;
        fill();
    });
}

void TFResultadosTecnicos::fill() {
    fillTable(m_bandTable, m_figures.bands, m_figures.bandsTotal, false);
    fillTable(m_monthTable, m_figures.months, m_figures.monthsTotal, true);
}

void TFResultadosTecnicos::fillTable(QTableWidget* table, const std::vector<ResultColumn>& columns,
                                     const ResultColumn& total, bool ledger) {
    std::vector<const IndicatorDefinition*> lines;
    for (const IndicatorDefinition& d : indicators())
        if (ledger || d.perBand)
            lines.push_back(&d);
    QStringList headings{QStringLiteral("Referencia"), QStringLiteral("Total")};
    for (const ResultColumn& c : columns)
        headings << QString(c.caption).replace(QLatin1Char(' '), QLatin1Char('\n'));
    table->clear();
    table->setRowCount(int(lines.size()));
    table->setColumnCount(int(headings.size()));
    table->setHorizontalHeaderLabels(headings);

    const auto cell = [&](int row, int column, const QString& text, Mark mark, const QString& tip) {
        auto* item = new QTableWidgetItem(iconOf(mark), text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(tip);
        table->setItem(row, column, item);
    };
    for (int row = 0; row < int(lines.size()); ++row) {
        const IndicatorDefinition& d = *lines[size_t(row)];
        auto* heading = new QTableWidgetItem(d.caption);
        heading->setToolTip(d.definition);
        table->setVerticalHeaderItem(row, heading);
        const QString tip = d.caption + QStringLiteral(": ") + d.definition;
        cell(row, kReferenceColumn, d.better == Better::None ? QString() : text(d.id, m_references.of(d.id).value),
             Mark::None, tip);
        const auto figure = [&](int column, const ResultColumn& c) {
            const auto v = c.value(d.id);
            cell(row, column, text(d.id, v), m_references.mark(d.id, v), tip);
        };
        figure(kTotalColumn, total);
        for (int i = 0; i < int(columns.size()); ++i)
            figure(kTotalColumn + 1 + i, columns[size_t(i)]);
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

void TFResultadosTecnicos::editReferences() {
    TFReferencias dialog(m_references, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_references = dialog.references();
    m_references.write(m_settings);
    fill();
}

void TFResultadosTecnicos::print() {
    // What is printed is the period in the boxes, even when not calculated yet.
    if (!calculate())
        return;
    messages::guarded(this, [this] {
        const ResultsSheet sheet(m_db, m_clock.today(), m_period, m_figures, m_references);
        ListRows rows = sheet.rows();
        sheets::produce(this, sheet, rows,
                        m_preview->isChecked() ? sheets::Destination::Preview : sheets::Destination::Printer);
    });
}

void TFResultadosTecnicos::drawChart() {
    const auto id = Indicator(m_chartIndicator->currentData().toInt());
    if (!calculate())
        return;
    messages::guarded(this, [&] {
        auto chart = band_chart::make(id, m_figures.bands, m_references);
        if (m_preview->isChecked()) {
            ChartWindow window(std::move(chart), QStringLiteral("Resultados Técnicos por Banda"), this);
            window.exec();
            return;
        }
        const ChartSheet sheet(m_db, definition(id).caption, m_clock.today(),
                               std::make_shared<ChartPainting>(std::move(chart)));
        sheets::produce(this, sheet, sheets::Destination::Printer);
    });
}
