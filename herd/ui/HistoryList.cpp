#include "HistoryList.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {
constexpr int kOrdenRole = Qt::UserRole;
constexpr int kRedRole = Qt::UserRole + 1;
const QColor kSelection(0, 0, 128);
} // namespace

HistoryList::HistoryList(const QStringList& headings, QWidget* parent) : QTableWidget(parent) {
    setColumnCount(int(headings.size()));
    // Dates and palpation signs are centred, numbers right-aligned.
    for (int column = 0; column < int(headings.size()); ++column) {
        if (headings[column] == QLatin1String("Fecha") || headings[column] == QLatin1String("Pal."))
            m_centred << column;
    }
    setHorizontalHeaderLabels(headings);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setAlternatingRowColors(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // Dates need their whole width; the counts share what is left.
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12;
    for (int column = 0; column < int(headings.size()); ++column) {
        const QString& h = headings[column];
        horizontalHeader()->setSectionResizeMode(column, h == QLatin1String("Fecha") ? QHeaderView::Fixed
                                                                                     : QHeaderView::Stretch);
        if (h == QLatin1String("Fecha"))
            horizontalHeader()->resizeSection(column, dateWidth);
    }

    // Dark blue selection in every state; grey lines while the list is disabled.
    QPalette p = palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Highlight, kSelection);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
        p.setColor(g, QPalette::Text, g == QPalette::Disabled ? QColor(128, 128, 128) : QColor(Qt::black));
        p.setColor(g, QPalette::Base, Qt::white);
    }
    setPalette(p);

    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (QTableWidgetItem* it = item(row, 0))
            emit openRequested(it->data(kOrdenRole).toLongLong());
    });
}

void HistoryList::setLines(const std::vector<Line>& lines) {
    clearSelection();
    setRowCount(int(lines.size()));
    for (int row = 0; row < int(lines.size()); ++row) {
        const Line& line = lines[size_t(row)];
        for (int column = 0; column < columnCount(); ++column) {
            auto* cell = new QTableWidgetItem(line.cells.value(column));
            cell->setTextAlignment(m_centred.contains(column) ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            cell->setData(kOrdenRole, line.orden);
            cell->setData(kRedRole, line.red);
            // Red holds in every state; the other lines follow the palette (grey when disabled).
            if (line.red)
                cell->setForeground(QColor(200, 0, 0));
            setItem(row, column, cell);
        }
    }
    clearSelection();
    setCurrentItem(nullptr);
    if (rowCount() > 0)
        scrollToItem(item(rowCount() - 1, 0), QAbstractItemView::PositionAtBottom);
}

qint64 HistoryList::selectedOrden() const {
    const QList<QTableWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->data(kOrdenRole).toLongLong();
}

void HistoryList::selectLast() {
    if (rowCount() == 0)
        return;
    selectRow(rowCount() - 1);
    scrollToItem(item(rowCount() - 1, 0), QAbstractItemView::PositionAtBottom);
}

QStringList HistoryList::lineCells(int row) const {
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column)
        cells << (item(row, column) ? item(row, column)->text() : QString());
    return cells;
}

bool HistoryList::isRed(int row) const {
    return item(row, 0) && item(row, 0)->data(kRedRole).toBool();
}

void HistoryList::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Insert:
            emit insertRequested();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (const qint64 orden = selectedOrden())
                emit openRequested(orden);
            return;
        case Qt::Key_Delete:
            if (const qint64 orden = selectedOrden())
                emit deleteRequested(orden);
            return;
        default:
            break;
        }
    }
    QTableWidget::keyPressEvent(event);
}
