#include "BreedingHistory.h"

#include "db/TableCursor.h"
#include "db/Database.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "reports/HouseStyle.h"

#include <algorithm>

namespace {

std::optional<bool> logical(const Field& f) {
    return f.isNull() ? std::nullopt : std::optional<bool>(f.asBoolean());
}

std::optional<qint64> number(const Field& f) {
    return f.isNull() ? std::nullopt : std::optional<qint64>(f.asInteger());
}

QString logicalText(std::optional<bool> v) {
    return v ? (*v ? QStringLiteral("True") : QStringLiteral("False")) : QString();
}

QString numberText(std::optional<qint64> v) {
    return v ? QString::number(*v) : QString();
}

QString whole(qint64 v) {
    return display::mask(double(v), QStringLiteral("0"));
}

// Whose rows: "where CodigoHembra=:numero", or the provisional rows of this
// computer, with the owner bound.
void selectOwner(Query& q, const QString& column, const BreedingHistory::Owner& owner) {
    if (owner.number) {
        q << QStringLiteral("where %1=:numero").arg(column);
        q.bindInteger(QStringLiteral("numero"), *owner.number);
    } else {
        q << QStringLiteral("where (%1 is null) and maquina=:maquina").arg(column);
        q.bindText(QStringLiteral("maquina"), owner.machineTag);
    }
}

// Lines run by mating date; rows of one day keep the order in which they were
// recorded (by Orden as a number, so that row 10 follows row 9).
template <typename Line> void sortLines(std::vector<Line>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        const QString da = display::date(a.mating, QStringLiteral("yyyymmdd"));
        const QString db = display::date(b.mating, QStringLiteral("yyyymmdd"));
        if (da != db)
            return da < db;
        return a.orden < b.orden;
    });
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i].position = int(i) + 1;
}

void deleteRow(Database& db, const QString& table, qint64 orden) {
    Query q(db, QStringLiteral("delete from %1 where orden=:orden").arg(table));
    q.bindInteger(QStringLiteral("orden"), orden);
    q.exec();
}

void zeroWhenEmpty(TableCursor& t, const QStringList& columns) {
    for (const QString& c : columns) {
        const QVariant v = t.value(c);
        if (!v.isValid() || v.isNull())
            t.setValue(c, 0);
    }
}

// A corrected mating date moves the male's mirror row with it, in the same
// recording: the mirror is found, as the block screens find it, by the female
// and the mating date it was written with.
void followMatingDate(TableCursor& t) {
    if (t.state() != TableCursor::State::Edit)
        return;
    const QVariant female = t.storedValue(QStringLiteral("CodigoHembra"));
    const QDate before = t.storedValue(QStringLiteral("FechaCubricion")).toDate();
    const QDate after = t.value(QStringLiteral("FechaCubricion")).toDate();
    if (!female.isValid() || female.isNull() || !before.isValid() || before == after)
        return;
    Query q(t.database(), QStringLiteral("update CubriMachos set FechaCubricion=:nueva"));
    q << QStringLiteral("where CodigoHembra=:hembra and FechaCubricion=:anterior");
    q.bindDate(QStringLiteral(":nueva"), after);
    q.bindNumber(QStringLiteral(":hembra"), female.toDouble());
    q.bindDate(QStringLiteral(":anterior"), before);
    q.exec();
}

} // namespace

QStringList BreedingHistory::cycleHeadings() {
    return {QStringLiteral("Orden"), QStringLiteral("Fecha"),   QStringLiteral("Macho"),  QStringLiteral("Pal."),
            QStringLiteral("Fecha"), QStringLiteral("Vivos"),   QStringLiteral("Muert."), QStringLiteral("+"),
            QStringLiteral("-"),     QStringLiteral("Destet."), QStringLiteral("Acum.")};
}

QStringList BreedingHistory::matingHeadings() {
    return {QStringLiteral("Orden"), QStringLiteral("Fecha"), QStringLiteral("Hembra"),
            QStringLiteral("Pal."),  QStringLiteral("Vivos"), QStringLiteral("Muertos")};
}

QStringList BreedingHistory::CycleLine::cells() const {
    return {QString::number(position),
            display::date(mating),
            whole(male),
            house::palpationSign(palpation),
            display::date(birth),
            whole(alive),
            whole(dead),
            whole(adopted),
            whole(given),
            whole(weaned),
            whole(accumulated)};
}

QString BreedingHistory::CycleLine::entry() const {
    return QStringList{display::date(mating, QStringLiteral("yyyymmdd")),
                       QString::number(orden),
                       numberText(female),
                       display::date(mating),
                       QString::number(male),
                       logicalText(palpation),
                       display::date(birth),
                       QString::number(alive),
                       QString::number(dead),
                       QString::number(adopted),
                       QString::number(given),
                       logicalText(weaning),
                       QString::number(weaned),
                       machine,
                       QString::number(accumulated)}
        .join(QLatin1Char('|'));
}

QStringList BreedingHistory::MatingLine::cells() const {
    return {QString::number(position),       display::date(mating), whole(female),
            house::palpationSign(palpation), whole(alive),          whole(dead)};
}

QString BreedingHistory::MatingLine::entry() const {
    return QStringList{display::date(mating, QStringLiteral("yyyymmdd")),
                       QString::number(orden),
                       numberText(male),
                       display::date(mating),
                       QString::number(female),
                       logicalText(palpation),
                       QString::number(alive),
                       QString::number(dead),
                       machine}
        .join(QLatin1Char('|'));
}

std::vector<BreedingHistory::CycleLine> BreedingHistory::cycles(Database& db, const Owner& owner) {
    std::vector<CycleLine> lines;
    Query q(db, QStringLiteral("select * from CubriHembras"));
    selectOwner(q, QStringLiteral("CodigoHembra"), owner);
    for (q.open(); !q.eof(); q.next()) {
        CycleLine l;
        l.orden = q.field(QStringLiteral("Orden")).asInteger();
        l.female = number(q.field(QStringLiteral("CodigoHembra")));
        l.mating = q.field(QStringLiteral("FechaCubricion")).asDate();
        l.male = q.field(QStringLiteral("CodigoMacho")).asInteger();
        l.palpation = logical(q.field(QStringLiteral("Palpacion")));
        l.birth = q.field(QStringLiteral("FechaParto")).asDate();
        l.alive = q.field(QStringLiteral("NacidosVivos")).asInteger();
        l.dead = q.field(QStringLiteral("NacidosMuertos")).asInteger();
        l.adopted = q.field(QStringLiteral("Anadidos")).asInteger();
        l.given = q.field(QStringLiteral("Quitados")).asInteger();
        l.weaning = logical(q.field(QStringLiteral("Destetada")));
        l.weaned = q.field(QStringLiteral("Destetados")).asInteger();
        l.machine = q.field(QStringLiteral("Maquina")).asString();
        lines.push_back(l);
    }
    sortLines(lines);
    qint64 total = 0;
    for (CycleLine& l : lines) {
        total += l.weaned;
        l.accumulated = total;
    }
    return lines;
}

std::vector<BreedingHistory::MatingLine> BreedingHistory::matings(Database& db, const Owner& owner) {
    std::vector<MatingLine> lines;
    Query q(db, QStringLiteral("select * from CubriMachos"));
    selectOwner(q, QStringLiteral("CodigoMacho"), owner);
    for (q.open(); !q.eof(); q.next()) {
        MatingLine l;
        l.orden = q.field(QStringLiteral("Orden")).asInteger();
        l.male = number(q.field(QStringLiteral("CodigoMacho")));
        l.mating = q.field(QStringLiteral("FechaCubricion")).asDate();
        l.female = q.field(QStringLiteral("CodigoHembra")).asInteger();
        l.palpation = logical(q.field(QStringLiteral("Palpacion")));
        l.alive = q.field(QStringLiteral("NacidosVivos")).asInteger();
        l.dead = q.field(QStringLiteral("NacidosMuertos")).asInteger();
        l.machine = q.field(QStringLiteral("Maquina")).asString();
        lines.push_back(l);
    }
    sortLines(lines);
    return lines;
}

void BreedingHistory::deleteCycles(Database& db, const std::vector<CycleLine>& lines) {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        deleteCycle(db, it->orden);
}

void BreedingHistory::deleteMatings(Database& db, const std::vector<MatingLine>& lines) {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        deleteMating(db, it->orden);
}

void BreedingHistory::adoptCycles(Database& db, qint64 female, const QString& machineTag) {
    Query q(db, QStringLiteral("update CubriHembras set CodigoHembra=:numero where (CodigoHembra is null) and "
                               "maquina=:maquina"));
    q.bindInteger(QStringLiteral("numero"), female);
    q.bindText(QStringLiteral("maquina"), machineTag);
    q.exec();
}

void BreedingHistory::adoptMatings(Database& db, qint64 male, const QString& machineTag) {
    Query q(db, QStringLiteral("update CubriMachos set CodigoMacho=:numero where (CodigoMacho is null) and "
                               "maquina=:maquina"));
    q.bindInteger(QStringLiteral("numero"), male);
    q.bindText(QStringLiteral("maquina"), machineTag);
    q.exec();
}

void BreedingHistory::deleteCycle(Database& db, qint64 orden) {
    deleteRow(db, QStringLiteral("CubriHembras"), orden);
}

void BreedingHistory::deleteMating(Database& db, qint64 orden) {
    deleteRow(db, QStringLiteral("CubriMachos"), orden);
}

void BreedingHistory::attachCycleRules(TableCursor& cubriHembras, const QVariant& female, const QString& machineTag) {
    cubriHembras.events().newRecord = [female, machineTag](TableCursor& t) {
        t.setValue(QStringLiteral("CodigoHembra"), female);
        t.setValue(QStringLiteral("Maquina"), machineTag);
        t.setValue(QStringLiteral("Destetada"), false);
    };
    cubriHembras.events().beforePost = [](TableCursor& t) {
        followMatingDate(t);
        zeroWhenEmpty(t,
                      {QStringLiteral("CodigoMacho"), QStringLiteral("NacidosVivos"), QStringLiteral("NacidosMuertos"),
                       QStringLiteral("Anadidos"), QStringLiteral("Quitados"), QStringLiteral("Destetados")});
        const QVariant weaning = t.value(QStringLiteral("Destetada"));
        if (!weaning.isValid() || weaning.isNull())
            t.setValue(QStringLiteral("Destetada"), false);
    };
}

void BreedingHistory::attachMatingRules(TableCursor& cubriMachos, const QVariant& male, const QString& machineTag) {
    cubriMachos.events().newRecord = [male, machineTag](TableCursor& t) {
        t.setValue(QStringLiteral("CodigoMacho"), male);
        t.setValue(QStringLiteral("Maquina"), machineTag);
    };
    cubriMachos.events().beforePost = [](TableCursor& t) {
        zeroWhenEmpty(
            t, {QStringLiteral("CodigoHembra"), QStringLiteral("NacidosVivos"), QStringLiteral("NacidosMuertos")});
    };
}

QString BreedingHistory::oneRow(qint64 orden) {
    return QStringLiteral("Orden=%1").arg(sql::number(orden));
}
