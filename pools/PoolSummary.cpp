#include "PoolSummary.h"

#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"

namespace {

QString ratio(qint64 part, qint64 whole, double factor, const QString& mask) {
    if (whole == 0)
        return QStringLiteral("0");
    return display::mask(double(part) / double(whole) * factor, mask);
}

const QStringList kSummaryColumns{QStringLiteral("concepto"), QStringLiteral("total"), QStringLiteral("positivas"),
                                  QStringLiteral("partos"), QStringLiteral("vivos")};

QString poolLine(const QString& pool) {
    return QStringLiteral("Pool: ") + pool;
}

} // namespace

PoolCells poolCells(const PoolGroup& g) {
    const QString percent = QStringLiteral("##0");
    return {ratio(g.positives, g.females, 100.0, percent), ratio(g.births, g.females, 100.0, percent),
            ratio(g.alive, g.births, 1.0, QStringLiteral("0.0"))};
}

std::array<PoolSummaryLine, 4> poolSummary(const std::optional<PoolTotals>& totals) {
    const PoolTotals t = totals.value_or(PoolTotals{});
    const auto line = [](const QString& caption, const PoolGroup& g) {
        return PoolSummaryLine{caption, g.females, poolCells(g)};
    };
    return {line(QStringLiteral("Nulíparas"), t.nul), line(QStringLiteral("Lactación"), t.lac),
            line(QStringLiteral("Retrasadas"), t.ret), line(QStringLiteral("Total"), t.all)};
}

QStringList poolNames(Database& db) {
    Query q(db, QStringLiteral("select Pool from MasterPools order by Pool"));
    QStringList names;
    for (q.open(); !q.eof(); q.next())
        names << q.field(QStringLiteral("Pool")).asString();
    return names;
}

PoolSummarySheet::PoolSummarySheet(Database& db, const QDate& today, const QString& pool,
                                   const std::array<PoolSummaryLine, 4>& lines)
    : HouseSheet(db, QStringLiteral("Resumen del Pool"), today), m_lines(lines) {
    // The print job of this sheet has always been named after the composition
    // sheet; the header keeps its own title.
    Sheet::setTitle(QStringLiteral("Composición del Pool"));
    setSelection(poolLine(pool));
    addColumn(SheetColumn::bound(kSummaryColumns[0], QString(), 50.0, SheetAlign::Left, kSummaryColumns[0]));
    addColumn(SheetColumn::bound(kSummaryColumns[1], QStringLiteral("Total"), 30.0, SheetAlign::Right,
                                 kSummaryColumns[1], QStringLiteral("#,###")));
    addColumn(SheetColumn::bound(kSummaryColumns[2], QStringLiteral("%  +"), 30.0, SheetAlign::Right,
                                 kSummaryColumns[2]));
    addColumn(SheetColumn::bound(kSummaryColumns[3], QStringLiteral("% Partos"), 30.0, SheetAlign::Right,
                                 kSummaryColumns[3]));
    addColumn(SheetColumn::bound(kSummaryColumns[4], QStringLiteral("Media nac. Vivos"), 40.0, SheetAlign::Right,
                                 kSummaryColumns[4]));
}

ListRows PoolSummarySheet::rows() const {
    ListRows rows(kSummaryColumns);
    for (const PoolSummaryLine& l : m_lines)
        rows.append({l.caption, double(l.females), l.cells.positives, l.cells.births, l.cells.alive});
    return rows;
}

const QStringList& PoolDetail::headings() {
    static const QStringList list{QStringLiteral("Fecha"),       QStringLiteral("Cod.Hembra"),
                                  QStringLiteral("Palpación"),   QStringLiteral("Nac.Vivos"),
                                  QStringLiteral("Nac.Muertos"), QStringLiteral("Dias Pos."),
                                  QStringLiteral("Estado")};
    return list;
}

void PoolDetail::sortBy(int column) {
    static const char* const kOrder[kColumns] = {"FechaPool",       "CodigoHembra", "Palpacion", "NacidosVivos",
                                                 "NacidosMuertos", "DiasPos",      "Estado"};
    if (column < 0 || column >= kColumns)
        return;
    const bool descending = column == m_sortColumn && m_ascending;
    m_orderLine = QStringLiteral("order by ") + QLatin1String(kOrder[column]);
    if (descending)
        m_orderLine += QStringLiteral(" desc");
    m_sortColumn = column;
    m_ascending = !descending;
}

void PoolDetail::open(Query& q) const {
    // The pool name is the farmer's own text, quotes included: it is bound, never spliced.
    q.clear();
    q << QStringLiteral("select * from pools") << QStringLiteral("where pool=:pool") << m_orderLine;
    q.bindText(QStringLiteral("pool"), m_pool);
    q.open();
}

QStringList PoolDetail::screenTexts(const Query& q) {
    const auto whole = [&](const char* name) {
        return display::mask(q.field(QLatin1String(name)).asFloat(), QStringLiteral("0"));
    };
    return {display::date(q.field(QStringLiteral("FechaPool")).asDate()),
            display::mask(q.field(QStringLiteral("CodigoHembra")).asFloat(), QStringLiteral("#,###")),
            house::palpationSign(q.field(QStringLiteral("Palpacion"))),
            whole("NacidosVivos"),
            whole("NacidosMuertos"),
            whole("DiasPos"),
            q.field(QStringLiteral("Estado")).asString()};
}

PoolCompositionSheet::PoolCompositionSheet(Database& db, const QDate& today, const QString& pool)
    : HouseSheet(db, QStringLiteral("Composición del Pool"), today, 2) {
    setSelection(poolLine(pool));
    setSkipWhenEmpty(true);
    addColumn(SheetColumn::bound(QStringLiteral("fecha"), QStringLiteral("Fecha"), 17.0, SheetAlign::Left,
                                 QStringLiteral("FechaPool")));
    addColumn(SheetColumn::bound(QStringLiteral("hembra"), QStringLiteral("Hembra"), 11.0, SheetAlign::Right,
                                 QStringLiteral("CodigoHembra")));
    addColumn(SheetColumn::computed(QStringLiteral("palpacion"), QStringLiteral("(+/-)"), 8.0, SheetAlign::Center));
    addColumn(SheetColumn::bound(QStringLiteral("vivos"), QStringLiteral("Vivos"), 9.0, SheetAlign::Right,
                                 QStringLiteral("NacidosVivos")));
    addColumn(SheetColumn::bound(QStringLiteral("muertos"), QStringLiteral("Muertos"), 11.0, SheetAlign::Right,
                                 QStringLiteral("NacidosMuertos")));
    addColumn(SheetColumn::bound(QStringLiteral("dias"), QStringLiteral("Días. Pos."), 13.0, SheetAlign::Right,
                                 QStringLiteral("DiasPos")));
    addColumn(SheetColumn::bound(QStringLiteral("estado"), QStringLiteral("Est."), 7.0, SheetAlign::Center,
                                 QStringLiteral("Estado")));
    onRow([](BandPrint& print) {
        print.setText(QStringLiteral("palpacion"), house::poolPalpationSign(print.field(QStringLiteral("Palpacion"))));
    });
}
