#include "CandidateList.h"

#include "BlockRow.h"
#include "db/DisplayFormat.h"

#include <algorithm>

namespace {
bool textLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}
} // namespace

int CandidateList::insert(const QString& row) {
    const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row, textLess);
    const int index = int(at - m_rows.begin());
    m_rows.insert(index, row);
    return index;
}

CandidateList CandidateList::of(QStringList rows) {
    // A stable sort keeps equal rows in their order, as inserting each after its equals does.
    std::stable_sort(rows.begin(), rows.end(), textLess);
    CandidateList list;
    list.m_rows = std::move(rows);
    return list;
}

void CandidateList::removeAt(int index) {
    if (index >= 0 && index < size())
        m_rows.removeAt(index);
}

QStringList CandidateList::fields(int index) const {
    return blockrow::split(m_rows.at(index));
}

void CandidateList::setFields(int index, int first, const QStringList& values) {
    QStringList f = fields(index);
    for (int i = 0; i < values.size(); ++i) {
        if (first + i < f.size())
            f[first + i] = values.at(i);
    }
    m_rows[index] = blockrow::join(f);
}

QString CandidateList::counterText() const {
    return display::mask(size(), QStringLiteral("#,##0")) + QStringLiteral(" Selec.");
}
