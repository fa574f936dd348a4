#pragma once

#include "CandidateList.h"

#include <QAbstractTableModel>

// The list of a block screen as the farmer sees it: the cage without its
// zeros, the animal, the four mark glyphs and the screen's own fields, in the
// rows' sorted order. The hidden Orden is never shown.
class BlockListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Marks glyphs as text ("þ¨þ¨"); a delegate draws them as boxes.
    static constexpr int kMarksRole = Qt::UserRole + 1;
    // True for a row drawn in bold (a never-mated female on the mating screens).
    static constexpr int kBoldRole = Qt::UserRole + 2;

    struct Columns {
        QString animal = QStringLiteral("Hembra");
        bool marks = true;
        QStringList own;         // headings of the screen's own shown fields
        bool hiddenOrden = true; // the last field is the hidden Orden
        bool boldNeverMated = false;
    };

    explicit BlockListModel(Columns columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const CandidateList& list() const { return m_list; }
    void setList(CandidateList list);
    void removeRowAt(int row);
    void setFields(int row, int first, const QStringList& values);
    int marksColumn() const { return m_columns.marks ? 2 : -1; }
    // The field of the row that a screen column shows.
    int fieldOfColumn(int column) const;

signals:
    void countChanged(const QString& counterText);

private:
    Columns m_columns;
    CandidateList m_list;
};
