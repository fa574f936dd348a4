#include "FemaleRegister.h"

#include "RecordMaintenance.h"
#include "Registers.h"
#include "db/TableCursor.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "db/DisplayFormat.h"
#include "db/EfficiencyIndex.h"
#include "db/FarmParameters.h"
#include "db/MaternityLedger.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <stdexcept>

namespace {

const QString kCode = QStringLiteral("CodigoHembra");

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

// CausaBaja as a code: an empty cause is no cull (-1).
int causeOf(const QVariant& v) {
    return isNull(v) ? -1 : int(v.toDouble());
}

} // namespace

FemaleRegister::FemaleRegister(Database& db, const Clock& clock, QString machineTag)
    : m_db(db), m_clock(clock), m_tag(std::move(machineTag)) {
    const FarmParameters parameters = FarmParameters::read(db);
    m_firstMatingAge = parameters.edad1CubrirHembra;
    m_marks = parameters.marcas;
}

void FemaleRegister::attach(TableCursor& hembras) {
    TableCursor::Events& e = hembras.events();
    e.newRecord = [this](TableCursor& t) {
        const QDate today = m_clock.today();
        t.setValue(QStringLiteral("Seleccion"), false);
        t.setValue(QStringLiteral("FechaNacimiento"), today);
        t.setValue(QStringLiteral("FechaEntrada"), today);
        t.setValue(QStringLiteral("CausaBaja"), -1);
        t.setValue(QStringLiteral("Enfermedad"), 0);
        for (int mark = 1; mark <= 4; ++mark)
            t.setValue(QStringLiteral("Marca%1").arg(mark), false);
    };
    e.beforePost = [this](TableCursor& t) { beforePost(t); };
    e.afterPost = [this](TableCursor& t) { afterPost(t); };
    e.beforeCancel = [this](TableCursor& t) { beforeCancel(t); };
    e.beforeDelete = [this](TableCursor& t) { beforeDelete(t); };
}

bool FemaleRegister::isNew(const TableCursor& hembras) {
    return registers::isNew(hembras, kCode);
}

int FemaleRegister::causeOnLeavingCullDate(bool dateEmpty, int causa) {
    if (dateEmpty)
        return -1;
    return causa == 0 || causa == 1 ? causa : 0;
}

void FemaleRegister::beforePost(TableCursor& t) {
    const QVariant code = t.value(kCode);
    if (isNull(code) || code.toDouble() <= 0)
        throw std::runtime_error("Indique el Número de Hembra.");
    m_savingNew = isNew(t);

    // The two dates that default to today are stored as today when left empty.
    for (const QString& column : {QStringLiteral("FechaNacimiento"), QStringLiteral("FechaEntrada")}) {
        if (isNull(t.value(column)))
            t.setValue(column, m_clock.today());
    }
    // The cull fields as leaving "Fecha de Baja" leaves them: no date, no cull; a
    // date without a cause is a cull ("Eliminación").
    const QDate culled = t.value(QStringLiteral("FechaBaja")).toDate();
    const int causa = causeOnLeavingCullDate(!culled.isValid(), causeOf(t.value(QStringLiteral("CausaBaja"))));
    if (causeOf(t.value(QStringLiteral("CausaBaja"))) != causa || isNull(t.value(QStringLiteral("CausaBaja"))))
        t.setValue(QStringLiteral("CausaBaja"), causa);

    // A cull before her arrival would take her out of the ledger's totals before
    // she was ever counted in them.
    const QDate entered = t.value(QStringLiteral("FechaEntrada")).toDate();
    if (culled.isValid() && entered.isValid() && culled < entered)
        throw FieldRefused(QStringLiteral("FechaBaja"), QString::fromUtf8(kCullBeforeEntry));

    const bool out = causa == 0 || causa == 1;
    // 1. A culled or dead female has no cage.
    if (out)
        t.setValue(QStringLiteral("Jaula"), 0);
    MaternityLedger ledger(m_db);
    // 2. The cull is counted once: only when she was active when editing began.
    const int before = m_savingNew ? -1 : causeOf(t.storedValue(QStringLiteral("CausaBaja")));
    if (MaternityLedger::recordsCull(before, causa))
        ledger.cull(culled, causa);
    // 3. Her arrival, on her entry date.
    if (m_savingNew)
        ledger.newFemale(t.value(QStringLiteral("FechaEntrada")).toDate());
}

void FemaleRegister::afterPost(TableCursor& t) {
    const qint64 code = sql::rounded(t.value(kCode).toDouble());
    // 5. The cycle rows entered while she was new become hers.
    if (m_savingNew)
        BreedingHistory::adoptCycles(m_db, code, m_tag);
    // 6. Her index from her whole history, stored with every decimal.
    EfficiencyIndex::storeFemale(m_db, code, EfficiencyIndex::female(m_db, code));
}

void FemaleRegister::beforeCancel(TableCursor& t) {
    // Abandoning a new female deletes the cycle rows entered for her; abandoning
    // changes to a saved female touches none of hers.
    if (t.state() == TableCursor::State::Insert)
        BreedingHistory::deleteCycles(m_db, BreedingHistory::cycles(m_db, BreedingHistory::Owner::provisional(m_tag)));
}

void FemaleRegister::beforeDelete(TableCursor& t) {
    const QVariant code = t.storedValue(kCode);
    if (isNull(code))
        return;
    BreedingHistory::deleteCycles(
        m_db, BreedingHistory::cycles(m_db, BreedingHistory::Owner::animal(sql::rounded(code.toDouble()))));
}

std::optional<BreedingHistory::Owner> FemaleRegister::historyOwner(const TableCursor& hembras) const {
    return registers::historyOwner(hembras, kCode, m_tag);
}

std::vector<BreedingHistory::CycleLine> FemaleRegister::history(const TableCursor& hembras) const {
    const auto owner = historyOwner(hembras);
    return owner ? BreedingHistory::cycles(m_db, *owner) : std::vector<BreedingHistory::CycleLine>{};
}

std::vector<FemaleRegister::Disease> FemaleRegister::diseases() const {
    std::vector<Disease> out;
    Query q(m_db, QStringLiteral("select CodigoEnfermedad, DescripcionEnfermedad from Enfermedades"));
    q << QStringLiteral("order by CodigoEnfermedad");
    for (q.open(); !q.eof(); q.next())
        out.push_back({q.field(QStringLiteral("CodigoEnfermedad")).asFloat(),
                       q.field(QStringLiteral("DescripcionEnfermedad")).asString()});
    return out;
}

qint64 FemaleRegister::firstFreeNumber() const {
    return registers::firstGap(
        m_db, QStringLiteral("select CodigoHembra from Hembras where CodigoHembra>=1 order by CodigoHembra"), kCode, 1);
}

std::optional<qint64> FemaleRegister::femaleInCage(qint64 cage) const {
    Query q(m_db, QStringLiteral("select * from hembras where Jaula=%1 order by CodigoHembra").arg(sql::number(cage)));
    q.open();
    if (q.eof())
        return std::nullopt;
    return q.field(kCode).asInteger();
}

bool FemaleRegister::isYoung(const QDate& birth) const {
    return birth.isValid() && m_clock.today() <= birth.addDays(m_firstMatingAge);
}

bool FemaleRegister::cageNeedsQuestion(qint64 female, qint64 cage, const QDate& birthOnCard) const {
    if (cage == 0)
        return false;
    Query q(m_db, QStringLiteral("select * from Hembras where CodigoHembra<>%1 and Jaula=%2 order by CodigoHembra")
                      .arg(sql::number(female), sql::whole(double(cage))));
    q.open();
    if (q.eof())
        return false;
    return !(isYoung(q.field(QStringLiteral("FechaNacimiento")).asDate()) && isYoung(birthOnCard));
}

qint64 FemaleRegister::firstFreeCage(qint64 from, qint64 female) const {
    const qint64 start = from > 0 ? from : 1;
    return registers::firstGap(
        m_db,
        QStringLiteral("select Jaula from Hembras where Jaula>=%1 and CodigoHembra<>%2 order by Jaula")
            .arg(sql::number(start), sql::number(female)),
        QStringLiteral("Jaula"), start);
}

QString FemaleRegister::indexText(const QVariant& eficacia) {
    if (isNull(eficacia))
        return QString();
    return display::mask(eficacia.toDouble(), QStringLiteral("0.##############"));
}
