#pragma once

#include <QStringList>
#include <QTableWidget>
#include <vector>

// The breeding history of a register card: one line per cycle or mating row
// under fixed headings, separated by vertical and horizontal rules. Lines of a
// cycle without its weaning are drawn in red; while the list is disabled (no
// change pending on the card) the other lines are grey; the selected line has a
// dark blue background.
//
// Keys, while enabled: Insert asks for a new row; Enter or a double click on the
// selected line asks to correct it; Delete asks to delete it. With no line
// selected, Enter and Delete do nothing.
class HistoryList : public QTableWidget {
    Q_OBJECT
public:
    struct Line {
        QStringList cells;
        qint64 orden = 0;
        bool red = false;
    };

    HistoryList(const QStringList& headings, QWidget* parent = nullptr);

    // Replaces every line and scrolls to the last one, with nothing selected.
    void setLines(const std::vector<Line>& lines);
    // The Orden of the selected line; 0 with none.
    qint64 selectedOrden() const;
    void selectLast();
    // The texts of a line, and whether it is drawn red (for tests and screenshots).
    QStringList lineCells(int row) const;
    bool isRed(int row) const;

signals:
    void insertRequested();
    void openRequested(qint64 orden);
    void deleteRequested(qint64 orden);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<int> m_centred;
};
