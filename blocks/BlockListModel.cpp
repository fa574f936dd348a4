#include "BlockListModel.h"

#include "BlockRow.h"

BlockListModel::BlockListModel(Columns columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

int BlockListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.size();
}

int BlockListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2 + (m_columns.marks ? 1 : 0) + int(m_columns.own.size());
}

int BlockListModel::fieldOfColumn(int column) const {
    if (column < 2)
        return column;
    if (m_columns.marks)
        return column == 2 ? blockrow::kFirstMark : blockrow::kFirstOwn + column - 3;
    return column; // no marks: own fields follow the animal directly
}

QVariant BlockListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_list.size())
        return {};
    const QStringList fields = m_list.fields(index.row());
    const bool isMarks = index.column() == marksColumn();
    switch (role) {
    case Qt::DisplayRole:
        if (isMarks)
            return blockrow::markGlyphs(fields);
        if (index.column() == 0)
            return QString::number(fields.value(blockrow::kCage).toLongLong());
        return fields.value(fieldOfColumn(index.column()));
    case kMarksRole:
        return isMarks ? QVariant(blockrow::markGlyphs(fields)) : QVariant();
    case kBoldRole:
        return m_columns.boldNeverMated && m_columns.hiddenOrden && fields.last() == QLatin1String("0");
    case Qt::TextAlignmentRole:
        return int((isMarks ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant BlockListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("Jaula");
    if (section == 1)
        return m_columns.animal;
    if (section == marksColumn())
        return QStringLiteral("1 2 3 4");
    return m_columns.own.value(section - (m_columns.marks ? 3 : 2));
}

void BlockListModel::setList(CandidateList list) {
    beginResetModel();
    m_list = std::move(list);
    endResetModel();
    emit countChanged(m_list.counterText());
}

void BlockListModel::removeRowAt(int row) {
    if (row < 0 || row >= m_list.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_list.removeAt(row);
    endRemoveRows();
    emit countChanged(m_list.counterText());
}

void BlockListModel::setFields(int row, int first, const QStringList& values) {
    m_list.setFields(row, first, values);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}
