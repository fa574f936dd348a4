#pragma once

#include "db/Query.h"

#include <QStringList>
#include <QVariantList>
#include <vector>

// The rows a sheet is bound to, read one after the other with their columns by
// name, as the program reads a query.
class SheetRows {
public:
    virtual ~SheetRows() = default;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    // A column of the current row; throws DbError for a column the rows lack.
    virtual Field field(const QString& name) const = 0;
};

// The rows of an open query, from its current row on.
class QueryRows : public SheetRows {
public:
    explicit QueryRows(Query& query) : m_query(query) {}
    bool eof() const override { return m_query.eof(); }
    void next() override { m_query.next(); }
    Field field(const QString& name) const override { return m_query.field(name); }

private:
    Query& m_query;
};

// Rows the program computed itself (a summary's lines), or none at all.
class ListRows : public SheetRows {
public:
    explicit ListRows(QStringList columns = {}) : m_columns(std::move(columns)) {}
    // One row, its values in the order of the columns.
    void append(const QVariantList& values) { m_rows.push_back(values); }

    bool eof() const override { return m_current >= m_rows.size(); }
    void next() override {
        if (!eof())
            ++m_current;
    }
    Field field(const QString& name) const override;

private:
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    size_t m_current = 0;
};
