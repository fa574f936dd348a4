#pragma once

#include <QString>
#include <QStringList>

// The rows of a block screen, kept sorted by their whole text: since the cage
// leads every row zero-padded, the list is in cage order, and that is the
// order processing follows.
class CandidateList {
public:
    // Inserts at the row's sorted place (after equal rows) and returns the place.
    int insert(const QString& row);
    // The list of these rows, in any order: the same list as inserting them one
    // by one, sorted once.
    static CandidateList of(QStringList rows);
    void removeAt(int index);
    // Replaces fields from `first` on with `values`; the cage and animal never
    // change, so the row keeps its place.
    void setFields(int index, int first, const QStringList& values);
    void clear() { m_rows.clear(); }

    const QStringList& rows() const { return m_rows; }
    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    QString at(int index) const { return m_rows.at(index); }
    QStringList fields(int index) const;

    // "{n} Selec.", the count through "#,##0".
    QString counterText() const;

private:
    QStringList m_rows;
};
