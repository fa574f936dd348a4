#include "TFDetallePool.h"

#include "db/Clock.h"
#include "db/Query.h"
#include "reports/SheetRows.h"
#include "reports/ui/SheetOutput.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TFDetallePool::TFDetallePool(Database& db, const Clock& clock, const QString& pool, QWidget* parent)
    : QDialog(parent), m_db(db), m_clock(clock), m_detail(pool) {
    setObjectName(QStringLiteral("TFDetallePool"));
    setWindowTitle(QStringLiteral("Detalle de Pool"));

    auto* caption = new QLabel(QStringLiteral("Pool"), this);
    auto* name = new QLabel(pool, this);
    name->setObjectName(QStringLiteral("pool"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lista"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(PoolDetail::kColumns);
    m_list->setHeaderLabels(PoolDetail::headings());
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSectionsMovable(false);
    for (int k = 1; k < PoolDetail::kColumns - 1; ++k)
        m_list->headerItem()->setTextAlignment(k, Qt::AlignRight | Qt::AlignVCenter);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &TFDetallePool::sortBy);

    m_imprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    m_imprimir->setObjectName(QStringLiteral("imprimir"));
    m_salir = new QPushButton(QStringLiteral("Salir"), this);
    m_salir->setObjectName(QStringLiteral("salir"));
    for (QPushButton* b : {m_imprimir, m_salir})
        b->setAutoDefault(false);
    connect(m_imprimir, &QPushButton::clicked, this, &TFDetallePool::print);
    connect(m_salir, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(name);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_imprimir);
    buttons->addWidget(m_salir);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(620, 420);

    markHeading();
    fill();
    KeyNavigation::install(this);
}

void TFDetallePool::fill() {
    m_list->clear();
    Query q(m_db);
    for (m_detail.open(q); !q.eof(); q.next()) {
        auto* item = new QTreeWidgetItem(m_list, PoolDetail::screenTexts(q));
        for (int k = 1; k < PoolDetail::kColumns - 1; ++k)
            item->setTextAlignment(k, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
    }
    for (int k = 0; k < PoolDetail::kColumns; ++k)
        m_list->resizeColumnToContents(k);
}

void TFDetallePool::sortBy(int column) {
    messages::guarded(this, [&] {
        m_detail.sortBy(column);
        markHeading();
        fill();
    });
}

// The current sort column's heading is bold and carries an up or down arrow.
void TFDetallePool::markHeading() {
    QTreeWidgetItem* head = m_list->headerItem();
    for (int k = 0; k < PoolDetail::kColumns; ++k) {
        QFont font = m_list->font();
        QString text = PoolDetail::headings().at(k);
        if (k == m_detail.sortColumn()) {
            font.setBold(true);
            text += m_detail.ascending() ? QStringLiteral(" \u25B2") : QStringLiteral(" \u25BC");
        }
        head->setFont(k, font);
        head->setText(k, text);
    }
}

void TFDetallePool::print() {
    m_imprimir->setEnabled(false);
    m_salir->setEnabled(false);
    messages::guarded(this, [&] {
        PoolCompositionSheet sheet(m_db, m_clock.today(), m_detail.pool());
        Query q(m_db);
        m_detail.open(q);
        QueryRows rows(q);
        sheets::produce(this, sheet, rows, sheets::Destination::Printer);
    });
    m_imprimir->setEnabled(true);
    m_salir->setEnabled(true);
}
