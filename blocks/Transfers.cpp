#include "Transfers.h"

#include "BlockRow.h"
#include "db/Query.h"
#include "db/SqlFormat.h"


QString Transfers::table() const {
    return m_kind == Kind::Males ? QStringLiteral("Machos") : QStringLiteral("Hembras");
}

QStringList Transfers::candidateLines(qint64 fromCage, qint64 toCage, const QDate& date) const {
    QStringList lines;
    switch (m_kind) {
    case Kind::Females:
        lines << QStringLiteral("select codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4 from Hembras where "
                                "CausaBaja not in (0,1)");
        break;
    case Kind::Nests:
        lines << QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4 from Hembras a, "
                                "CubriHembras b where a.CodigoHembra=b.CodigoHembra and CausaBaja not in (0,1)");
        break;
    case Kind::Males:
        lines << QStringLiteral("select codigoMacho, Jaula from Machos where CodigoMacho<>0");
        break;
    }
    if (fromCage > 0)
        lines << QStringLiteral("and Jaula>=%1").arg(sql::number(fromCage));
    if (toCage > 0)
        lines << (m_kind == Kind::Males ? QStringLiteral(" and Jaula<=%1") : QStringLiteral("and Jaula<=%1"))
                     .arg(sql::number(toCage));
    if (m_kind == Kind::Nests)
        lines << QStringLiteral(" and Palpacion=True and FechaParto is NULL and FechaCubricion<='%1' and "
                                "FechaCubricion>='%2' and orden in ( select max(orden) from CubriHembras group by "
                                "CodigoHembra)")
                     .arg(sql::dateText(date.addDays(-27)), sql::dateText(date.addDays(-31)));
    lines << QStringLiteral("order by Jaula");
    return lines;
}

std::set<qint64> Transfers::occupiedFrom(qint64 start) const {
    std::set<qint64> occupied;
    Query q(m_db, QStringLiteral("select distinct Jaula from %1 where Jaula>=:desde").arg(table()));
    q.bindInteger(QStringLiteral("desde"), start);
    for (q.open(); !q.eof(); q.next())
        occupied.insert(q.field(QStringLiteral("Jaula")).asInteger());
    return occupied;
}

std::vector<qint64> Transfers::proposeDestinations(qint64 start, int count) const {
    DestinationProposal proposal(*this, start);
    std::vector<qint64> destinations;
    for (int i = 0; i < count; ++i)
        destinations.push_back(proposal.next());
    return destinations;
}

qint64 DestinationProposal::next() {
    if (!m_read) {
        m_occupied = m_transfers.occupiedFrom(m_next);
        m_read = true;
    }
    while (m_occupied.count(m_next))
        ++m_next;
    return m_next++;
}

TransferEvent::TransferEvent(Database& db, Transfers::Kind kind, qint64 firstDestination)
    : m_transfers(db, kind), m_kind(kind), m_proposal(m_transfers, firstDestination) {}

int TransferEvent::destinationField() const {
    return m_kind == Transfers::Kind::Males ? 2 : blockrow::kFirstOwn;
}

QStringList TransferEvent::candidateStatement(const CageRange& range, const QDate& day) const {
    return m_transfers.candidateLines(range.from, range.to, day);
}

QString TransferEvent::candidateRow(const Query& result) const {
    const QString destination = sql::number(m_proposal.next());
    if (m_kind != Transfers::Kind::Males)
        return blockrow::femaleRow(result, {destination});
    return blockrow::join({blockrow::cageText(result.field(QStringLiteral("Jaula")).asInteger()),
                           result.field(QStringLiteral("CodigoMacho")).asString(), destination});
}

void TransferEvent::processRow(Database& db, const QStringList& fields, const QDate&) {
    Query update(db, m_kind == Transfers::Kind::Males
                         ? QStringLiteral("Update Machos set Jaula=:Jd where CodigoMacho=:M")
                         : QStringLiteral("update Hembras set Jaula=:Jd where CodigoHembra=:H"));
    update.bindInteger(QStringLiteral("Jd"), blockrow::integerField(fields, destinationField()));
    update.bindInteger(m_kind == Transfers::Kind::Males ? QStringLiteral("M") : QStringLiteral("H"),
                       blockrow::integerField(fields, blockrow::kAnimal));
    update.exec();
}

bool Transfers::cageFree(qint64 cage) const {
    Query q(m_db, QStringLiteral("select * from %1 where Jaula=:ja").arg(table()));
    q.bindInteger(QStringLiteral("ja"), cage);
    q.open();
    return q.eof();
}
