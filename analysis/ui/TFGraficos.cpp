#include "TFGraficos.h"

#include "ChartPainting.h"
#include "ChartWindow.h"
#include "analysis/ChartSheet.h"
#include "analysis/FatteningCharts.h"
#include "db/Clock.h"
#include "herd/ui/TMensajero.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QButtonGroup>
#include <QChart>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

namespace {

constexpr int kIcon = 40;

// The pictures of the three chart-type buttons.
QIcon kindPicture(ChartKind kind) {
    QPixmap picture(kIcon, kIcon);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (kind) {
    case ChartKind::Bar: {
        const QColor colours[] = {QColor(200, 40, 40), QColor(40, 120, 200), QColor(60, 170, 60), QColor(230, 170, 0)};
        const int heights[] = {16, 28, 22, 34};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRect(4 + i * 8, kIcon - 3 - heights[i], 7, heights[i]));
        }
        break;
    }
    case ChartKind::Line: {
        p.setPen(QPen(Qt::red, 2.5));
        const QPointF line[] = {{3, 32}, {12, 20}, {20, 26}, {28, 10}, {37, 16}};
        p.drawPolyline(line, 5);
        break;
    }
    case ChartKind::Pie:
        p.setBrush(QColor(40, 120, 200));
        p.drawEllipse(QRectF(3, 8, 34, 24));
        p.setBrush(QColor(200, 40, 40));
        p.drawPie(QRectF(3, 8, 34, 24), 90 * 16, 110 * 16);
        p.setBrush(QColor(230, 170, 0));
        p.drawPie(QRectF(3, 8, 34, 24), 200 * 16, 70 * 16);
        break;
    }
    return QIcon(picture);
}

} // namespace

TFGraficos::TFGraficos(const FarmContext& context, Setup setup, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_setup(std::move(setup)) {
    setObjectName(QStringLiteral("TFGraficos"));
    setWindowTitle(m_setup.caption);

    m_preview = new QCheckBox(QStringLiteral("Presentación Preliminar"), this);
    m_preview->setObjectName(QStringLiteral("PresentacionPreliminar"));
    m_preview->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeIndicators());
    auto* below = new QHBoxLayout;
    below->addWidget(makeKinds());
    below->addStretch();
    below->addWidget(m_preview);
    layout->addLayout(below);
    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFGraficos::plot);
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this);
    m_indicators.value(0)->setFocus();
}

std::unique_ptr<TFGraficos> TFGraficos::maternidad(const FarmContext& context, QWidget* parent) {
    return std::make_unique<TFGraficos>(context,
                                        Setup{.caption = QString::fromUtf8(maternity_charts::kCaption),
                                              .chartTitle = QString::fromUtf8(maternity_charts::kCaption),
                                              .source = maternity_charts::ledger(),
                                              .indicators = maternity_charts::indicators()},
                                        parent);
}

std::unique_ptr<TFGraficos> TFGraficos::cebadero(const FarmContext& context, QWidget* parent) {
    return std::make_unique<TFGraficos>(context,
                                        Setup{.caption = QString::fromUtf8(fattening_charts::kCaption),
                                              .chartTitle = QString::fromUtf8(fattening_charts::kWindowTitle),
                                              .source = fattening_charts::movements(),
                                              .indicators = fattening_charts::indicators()},
                                        parent);
}

QWidget* TFGraficos::makeIndicators() {
    auto* box = new QGroupBox(QStringLiteral("Datos del Gráfico"), this);
    auto* grid = new QGridLayout(box);
    m_indicatorGroup = new QButtonGroup(this);
    const int rows = int(m_setup.indicators.size() + 1) / 2;
    for (int i = 0; i < int(m_setup.indicators.size()); ++i) {
        auto* choice = new QRadioButton(m_setup.indicators[size_t(i)].caption, box);
        choice->setObjectName(QStringLiteral("indicador%1").arg(i));
        m_indicatorGroup->addButton(choice, i);
        m_indicators << choice;
        grid->addWidget(choice, i % rows, i / rows);
    }
    if (!m_indicators.isEmpty())
        m_indicators.first()->setChecked(true);
    return box;
}

QWidget* TFGraficos::makeKinds() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_kinds = new QButtonGroup(this);
    struct Kind {
        ChartKind kind;
        const char* name;
        const char* tip;
    };
    for (const Kind& k :
         {Kind{ChartKind::Bar, "barras", "Gráfico de barras"}, Kind{ChartKind::Line, "lineas", "Gráfico de líneas"},
          Kind{ChartKind::Pie, "tarta", "Gráfico de tarta"}}) {
        auto* b = new QToolButton(row);
        b->setObjectName(QString::fromLatin1(k.name));
        b->setToolTip(QString::fromUtf8(k.tip));
        b->setIcon(kindPicture(k.kind));
        b->setIconSize(QSize(kIcon, kIcon));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::StrongFocus);
        m_kinds->addButton(b, int(k.kind));
        layout->addWidget(b);
    }
    kindButton(ChartKind::Bar)->setChecked(true);
    return row;
}

QAbstractButton* TFGraficos::kindButton(ChartKind kind) const {
    return m_kinds->button(int(kind));
}

void TFGraficos::plot() {
    const int chosen = m_indicatorGroup->checkedId();
    if (chosen < 0)
        return;
    const ChartIndicator& indicator = m_setup.indicators[size_t(chosen)];
    const auto kind = ChartKind(m_kinds->checkedId());
    const bool preview = m_preview->isChecked();
    messages::guarded(this, [&] {
        std::unique_ptr<QChart> chart;
        {
            TMensajero mensaje(QStringLiteral("Recopilando información..."));
            std::optional<TMensajero::Showing> shown;
            if (!preview)
                shown.emplace(mensaje);
            const std::vector<ChartPoint> points = monthly::gather(m_db, m_setup.source, indicator, m_clock);
            chart = monthly_chart::make(indicator.caption, points, kind);
        }
        if (preview) {
            ChartWindow window(std::move(chart), m_setup.chartTitle, this);
            window.exec();
            return;
        }
        // The waiting message is down before the sheet goes out: without a
        // printer the output asks about a PDF, which the message would cover.
        const ChartSheet sheet(m_db, indicator.caption, m_clock.today(),
                               std::make_shared<ChartPainting>(std::move(chart)));
        sheets::produce(this, sheet, sheets::Destination::Printer);
    });
}
