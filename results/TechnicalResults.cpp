#include "TechnicalResults.h"

#include "db/DisplayFormat.h"
#include "db/Query.h"

#include <algorithm>
#include <map>

namespace results {

namespace {

std::optional<double> ratio(double part, double whole, double factor = 1.0) {
    if (whole <= 0)
        return std::nullopt;
    return part / whole * factor;
}

// The period's bounds on a date column, bound as :desde and :hasta.
void restrict(Query& q, const DatePeriod& period, const QString& column, const QString& first) {
    q << first;
    if (period.from.isValid())
        q << QStringLiteral("and ") + column + QStringLiteral(">=:desde");
    if (period.to.isValid())
        q << QStringLiteral("and ") + column + QStringLiteral("<=:hasta");
    if (period.from.isValid())
        q.bindDate(QStringLiteral("desde"), period.from);
    if (period.to.isValid())
        q.bindDate(QStringLiteral("hasta"), period.to);
}

// One cycle's outcome added to the counts.
void count(CycleCounts& c, const std::optional<bool>& palpation, bool born, qint64 alive, qint64 dead, qint64 added,
           qint64 givenAway, bool weanedLitter, qint64 weaned) {
    ++c.services;
    if (palpation.value_or(false))
        ++c.positives;
    if (born && alive + dead > 0) {
        ++c.kindlings;
        c.alive += alive;
        c.dead += dead;
    }
    if (born && weanedLitter) {
        ++c.weanedLitters;
        c.weaned += weaned;
        c.nursed += alive + added - givenAway;
    }
}

std::optional<bool> palpationOf(const Field& f) {
    if (f.isNull())
        return std::nullopt;
    return f.asBoolean();
}

QDate monthOf(const QDate& d) {
    return QDate(d.year(), d.month(), 1);
}

QString monthCaption(const QDate& first) {
    return display::date(first, QStringLiteral("mm/yyyy"));
}

ResultColumn& monthColumn(std::map<QDate, ResultColumn>& months, const QDate& day) {
    const QDate first = monthOf(day);
    ResultColumn& m = months[first];
    if (!m.date.isValid()) {
        m.date = first;
        m.caption = monthCaption(first);
    }
    return m;
}

void readBands(Database& db, const DatePeriod& period, TechnicalResults& out) {
    Query q(db);
    q << QStringLiteral("select p.FechaPool, p.Pool, p.Palpacion PoolPalpacion, p.NacidosVivos PoolVivos,")
      << QStringLiteral("p.NacidosMuertos PoolMuertos, c.Orden, c.Palpacion, c.FechaParto, c.NacidosVivos,")
      << QStringLiteral("c.NacidosMuertos, c.Anadidos, c.Quitados, c.Destetados, c.Destetada")
      << QStringLiteral("from Pools p left join CubriHembras c on c.Orden=(select max(x.Orden) from CubriHembras x")
      << QStringLiteral("where x.CodigoHembra=p.CodigoHembra and x.FechaCubricion=p.FechaPool)");
    restrict(q, period, QStringLiteral("p.FechaPool"), QStringLiteral("where p.FechaPool is not NULL"));
    q << QStringLiteral("order by p.FechaPool, p.Pool");
    for (q.open(); !q.eof(); q.next()) {
        const QDate day = q.field(QStringLiteral("FechaPool")).asDate();
        const QString pool = q.field(QStringLiteral("Pool")).asString();
        if (out.bands.empty() || out.bands.back().date != day || out.bands.back().pool != pool) {
            ResultColumn band;
            band.date = day;
            band.pool = pool;
            band.caption = display::date(day) + QLatin1Char(' ') + pool;
            out.bands.push_back(band);
        }
        CycleCounts& c = out.bands.back().cycles;
        if (!q.field(QStringLiteral("Orden")).isNull()) {
            count(c, palpationOf(q.field(QStringLiteral("Palpacion"))), !q.field(QStringLiteral("FechaParto")).isNull(),
                  q.field(QStringLiteral("NacidosVivos")).asInteger(),
                  q.field(QStringLiteral("NacidosMuertos")).asInteger(),
                  q.field(QStringLiteral("Anadidos")).asInteger(), q.field(QStringLiteral("Quitados")).asInteger(),
                  q.field(QStringLiteral("Destetada")).asBoolean(), q.field(QStringLiteral("Destetados")).asInteger());
        } else {
            // The female's history is gone (she was deleted): her pool row still
            // says how the insemination went, up to the birth.
            const qint64 alive = q.field(QStringLiteral("PoolVivos")).asInteger();
            const qint64 dead = q.field(QStringLiteral("PoolMuertos")).asInteger();
            count(c, palpationOf(q.field(QStringLiteral("PoolPalpacion"))), alive + dead > 0, alive, dead, 0, 0, false,
                  0);
        }
    }
    for (const ResultColumn& band : out.bands)
        out.bandsTotal.cycles.add(band.cycles);
}

void readCycles(Database& db, const DatePeriod& period, std::map<QDate, ResultColumn>& months) {
    Query q(db);
    q << QStringLiteral("select FechaCubricion, Palpacion, FechaParto, NacidosVivos, NacidosMuertos, Anadidos,")
      << QStringLiteral("Quitados, Destetados, Destetada from CubriHembras");
    // A row of a female still being registered (no number yet) is no cycle of the farm's.
    restrict(q, period, QStringLiteral("FechaCubricion"),
             QStringLiteral("where CodigoHembra is not NULL and FechaCubricion is not NULL"));
    for (q.open(); !q.eof(); q.next()) {
        ResultColumn& m = monthColumn(months, q.field(QStringLiteral("FechaCubricion")).asDate());
        count(m.cycles, palpationOf(q.field(QStringLiteral("Palpacion"))),
              !q.field(QStringLiteral("FechaParto")).isNull(), q.field(QStringLiteral("NacidosVivos")).asInteger(),
              q.field(QStringLiteral("NacidosMuertos")).asInteger(), q.field(QStringLiteral("Anadidos")).asInteger(),
              q.field(QStringLiteral("Quitados")).asInteger(), q.field(QStringLiteral("Destetada")).asBoolean(),
              q.field(QStringLiteral("Destetados")).asInteger());
    }
}

LedgerCounts& ledgerOf(ResultColumn& column) {
    if (!column.ledger)
        column.ledger.emplace();
    return *column.ledger;
}

struct DayRow {
    QDate day;
    double females = 0;
    qint64 entries = 0;
    qint64 removals = 0;
    qint64 weaned = 0;
};

void readLedger(Database& db, const DatePeriod& period, const QDate& today, std::map<QDate, ResultColumn>& months) {
    const QDate last = period.to.isValid() ? std::min(period.to, today) : today;
    std::vector<DayRow> rows;
    {
        Query q(db);
        q << QStringLiteral("select Fecha, NumeroTotalHembras, AltasHembras, BajasHembrasMuertas,")
          << QStringLiteral("BajasHembrasEliminadas, Destetados from HistoricoMaternidad")
          << QStringLiteral("where Fecha is not NULL and Fecha<=:hasta order by Fecha");
        q.bindDate(QStringLiteral("hasta"), last);
        for (q.open(); !q.eof(); q.next())
            rows.push_back({q.field(QStringLiteral("Fecha")).asDate(),
                            q.field(QStringLiteral("NumeroTotalHembras")).asFloat(),
                            q.field(QStringLiteral("AltasHembras")).asInteger(),
                            q.field(QStringLiteral("BajasHembrasMuertas")).asInteger() +
                                q.field(QStringLiteral("BajasHembrasEliminadas")).asInteger(),
                            q.field(QStringLiteral("Destetados")).asInteger()});
    }
    if (rows.empty())
        return;
    // Before the first day row there is no ledger to count on.
    const QDate first = period.from.isValid() ? std::max(period.from, rows.front().day) : rows.front().day;
    size_t next = 0;
    double females = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        // The total of a day is that of its own row, else of the latest earlier one.
        while (next < rows.size() && rows[next].day <= day) {
            const DayRow& r = rows[next++];
            females = r.females;
            if (r.day == day) {
                LedgerCounts& l = ledgerOf(monthColumn(months, day));
                l.entries += r.entries;
                l.removals += r.removals;
                l.weaned += r.weaned;
            }
        }
        LedgerCounts& l = ledgerOf(monthColumn(months, day));
        ++l.days;
        l.doeDays += females;
        l.months += 1.0 / day.daysInMonth();
    }
}

} // namespace

void CycleCounts::add(const CycleCounts& o) {
    services += o.services;
    positives += o.positives;
    kindlings += o.kindlings;
    alive += o.alive;
    dead += o.dead;
    weanedLitters += o.weanedLitters;
    weaned += o.weaned;
    nursed += o.nursed;
}

void LedgerCounts::add(const LedgerCounts& o) {
    days += o.days;
    doeDays += o.doeDays;
    months += o.months;
    entries += o.entries;
    removals += o.removals;
    weaned += o.weaned;
}

std::optional<double> ResultColumn::value(Indicator id) const {
    const CycleCounts& c = cycles;
    switch (id) {
    case Indicator::Services:
        return double(c.services);
    case Indicator::Fertility:
        return ratio(double(c.positives), double(c.services), 100.0);
    case Indicator::KindlingRate:
        return ratio(double(c.kindlings), double(c.services), 100.0);
    case Indicator::AlivePerKindling:
        return ratio(double(c.alive), double(c.kindlings));
    case Indicator::TotalPerKindling:
        return ratio(double(c.alive + c.dead), double(c.kindlings));
    case Indicator::WeanedPerLitter:
        return ratio(double(c.weaned), double(c.weanedLitters));
    case Indicator::WeanedPerService:
        return ratio(double(c.weaned), double(c.services));
    case Indicator::PreweaningMortality:
        return ratio(double(c.nursed - c.weaned), double(c.nursed), 100.0);
    default:
        break;
    }
    if (!ledger || ledger->doeDays <= 0 || ledger->days <= 0)
        return std::nullopt;
    // Does present: the average of the daily female totals.
    const double does = ledger->doeDays / double(ledger->days);
    switch (id) {
    case Indicator::Productivity:
        return double(ledger->weaned) / does * 365.0 / double(ledger->days);
    case Indicator::Replacement:
        return ledger->months > 0 ? ratio(double(ledger->entries), does * ledger->months, 100.0) : std::nullopt;
    case Indicator::Removal:
        return ledger->months > 0 ? ratio(double(ledger->removals), does * ledger->months, 100.0) : std::nullopt;
    default:
        return std::nullopt;
    }
}

TechnicalResults compute(Database& db, const DatePeriod& period, const QDate& today) {
    TechnicalResults out;
    out.bandsTotal.caption = QStringLiteral("Total");
    out.monthsTotal.caption = QStringLiteral("Total");
    if (period.from.isValid() && period.to.isValid() && period.to < period.from)
        return out;
    readBands(db, period, out);
    std::map<QDate, ResultColumn> months;
    readCycles(db, period, months);
    readLedger(db, period, today, months);
    for (auto& [first, month] : months) {
        out.monthsTotal.cycles.add(month.cycles);
        if (month.ledger)
            ledgerOf(out.monthsTotal).add(*month.ledger);
        out.months.push_back(std::move(month));
    }
    return out;
}

} // namespace results
