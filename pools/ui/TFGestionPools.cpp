#include "TFGestionPools.h"

#include "TFDetallePool.h"
#include "db/Clock.h"
#include "herd/ui/TMensajero.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kEspere = QStringLiteral("Recopilando información... Por favor, espere");

QLabel* valueBox(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(90);
    return label;
}

} // namespace

TFGestionPools::TFGestionPools(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_db(context.db), m_clock(context.clock), m_lines(poolSummary(std::nullopt)) {
    setObjectName(QStringLiteral("TFGestionPools"));
    setWindowTitle(QStringLiteral("Gestión de Pools"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("POOL:"), this));
    m_pool = new QLabel(this);
    m_pool->setObjectName(QStringLiteral("pool"));
    QFont bold = m_pool->font();
    bold.setBold(true);
    m_pool->setFont(bold);
    top->addWidget(m_pool, 1);
    const struct {
        const char* name;
        QStyle::StandardPixmap picture;
        const char* tip;
        int step;
    } nav[] = {{"primero", QStyle::SP_MediaSkipBackward, "Primero", -2},
               {"anterior", QStyle::SP_MediaSeekBackward, "Anterior", -1},
               {"siguiente", QStyle::SP_MediaSeekForward, "Siguiente", 1},
               {"ultimo", QStyle::SP_MediaSkipForward, "Último", 2}};
    for (const auto& n : nav) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(n.name));
        b->setIcon(style()->standardIcon(n.picture));
        b->setToolTip(QString::fromUtf8(n.tip));
        const int step = n.step;
        connect(b, &QToolButton::clicked, this, [this, step] {
            const int last = int(m_pools.size()) - 1;
            go(step == -2 ? 0 : step == 2 ? last : m_current + step);
        });
        top->addWidget(b);
    }

    auto* grid = new QGridLayout;
    const QStringList headings{QStringLiteral("Total"), QStringLiteral("% +"), QStringLiteral("% Partos"),
                               QStringLiteral("Media nac. Vivos")};
    for (int c = 0; c < 4; ++c) {
        auto* h = new QLabel(headings[c], this);
        h->setAlignment(Qt::AlignCenter);
        grid->addWidget(h, 0, c + 1);
    }
    for (int l = 0; l < 4; ++l) {
        grid->addWidget(new QLabel(m_lines[l].caption, this), l + 1, 0);
        for (int c = 0; c < 4; ++c) {
            m_cells[l][c] = valueBox(this);
            m_cells[l][c]->setObjectName(QStringLiteral("celda%1%2").arg(l).arg(c));
            grid->addWidget(m_cells[l][c], l + 1, c + 1);
        }
    }

    auto* detalle = new QPushButton(QStringLiteral("Ver detalle"), this);
    detalle->setObjectName(QStringLiteral("verDetalle"));
    auto* imprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    imprimir->setObjectName(QStringLiteral("imprimir"));
    for (QPushButton* b : {detalle, imprimir})
        b->setAutoDefault(false);
    connect(detalle, &QPushButton::clicked, this, &TFGestionPools::openDetail);
    connect(imprimir, &QPushButton::clicked, this, &TFGestionPools::print);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(detalle);
    buttons->addWidget(imprimir);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    m_pools = poolNames(m_db);
    go(0);
    KeyNavigation::install(this);
}

QString TFGestionPools::cell(int line, int column) const {
    return m_cells.at(line).at(column)->text();
}

QString TFGestionPools::pool() const {
    return m_pool->text();
}

void TFGestionPools::go(int index) {
    if (m_pools.isEmpty())
        index = -1;
    else
        index = std::clamp(index, 0, int(m_pools.size()) - 1);
    m_current = index;
    m_totals = index < 0 ? std::nullopt : PoolCounters(m_db).totals(m_pools[index]);
    m_lines = poolSummary(m_totals);
    showCurrent();
}

// The "Total" column as stored, the twelve computed cells made again.
void TFGestionPools::showCurrent() {
    m_pool->setText(m_totals ? m_totals->pool : QString());
    for (int l = 0; l < 4; ++l) {
        const PoolSummaryLine& line = m_lines[l];
        m_cells[l][0]->setText(QString::number(line.females));
        m_cells[l][1]->setText(line.cells.positives);
        m_cells[l][2]->setText(line.cells.births);
        m_cells[l][3]->setText(line.cells.alive);
    }
}

void TFGestionPools::openDetail() {
    messages::guarded(this, [&] {
        std::unique_ptr<TFDetallePool> detail;
        {
            TMensajero mensaje(kEspere);
            TMensajero::Showing shown(mensaje);
            detail = std::make_unique<TFDetallePool>(m_db, m_clock, pool(), this);
        }
        detail->exec();
    });
}

void TFGestionPools::print() {
    messages::guarded(this, [&] {
        TMensajero mensaje(kEspere);
        TMensajero::Showing shown(mensaje);
        PoolSummarySheet sheet(m_db, m_clock.today(), pool(), m_lines);
        ListRows rows = sheet.rows();
        sheets::produce(this, sheet, rows, sheets::Destination::Printer);
    });
}
