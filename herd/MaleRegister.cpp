#include "MaleRegister.h"

#include "Registers.h"
#include "db/TableCursor.h"
#include "db/Database.h"
#include "db/DisplayFormat.h"
#include "db/EfficiencyIndex.h"
#include "db/Query.h"
#include "db/SqlFormat.h"

#include <stdexcept>

namespace {

const QString kCode = QStringLiteral("CodigoMacho");

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

} // namespace

MaleRegister::MaleRegister(Database& db, QString machineTag) : m_db(db), m_tag(std::move(machineTag)) {}

void MaleRegister::attach(TableCursor& machos) {
    TableCursor::Events& e = machos.events();
    e.newRecord = [](TableCursor& t) { t.setValue(QStringLiteral("Enfermedad"), 0); };
    e.beforePost = [this](TableCursor& t) {
        const QVariant code = t.value(kCode);
        if (isNull(code) || code.toDouble() <= 0)
            throw std::runtime_error("Indique el Número de Macho.");
        m_savingNew = isNew(t);
    };
    e.afterPost = [this](TableCursor& t) {
        const qint64 code = sql::rounded(t.value(kCode).toDouble());
        if (m_savingNew)
            BreedingHistory::adoptMatings(m_db, code, m_tag);
        EfficiencyIndex::storeMale(m_db, code, EfficiencyIndex::male(m_db, code));
    };
    e.beforeCancel = [this](TableCursor& t) {
        if (t.state() == TableCursor::State::Insert)
            BreedingHistory::deleteMatings(m_db,
                                           BreedingHistory::matings(m_db, BreedingHistory::Owner::provisional(m_tag)));
    };
    e.beforeDelete = [this](TableCursor& t) {
        const QVariant code = t.storedValue(kCode);
        if (!isNull(code))
            BreedingHistory::deleteMatings(
                m_db, BreedingHistory::matings(m_db, BreedingHistory::Owner::animal(sql::rounded(code.toDouble()))));
    };
}

bool MaleRegister::isNew(const TableCursor& machos) {
    return registers::isNew(machos, kCode);
}

std::optional<BreedingHistory::Owner> MaleRegister::historyOwner(const TableCursor& machos) const {
    return registers::historyOwner(machos, kCode, m_tag);
}

std::vector<BreedingHistory::MatingLine> MaleRegister::history(const TableCursor& machos) const {
    const auto owner = historyOwner(machos);
    return owner ? BreedingHistory::matings(m_db, *owner) : std::vector<BreedingHistory::MatingLine>{};
}

qint64 MaleRegister::firstFreeNumber() const {
    return registers::firstGap(
        m_db, QStringLiteral("select CodigoMacho from Machos where CodigoMacho>=1 order by CodigoMacho"), kCode, 1);
}

double MaleRegister::herdAverage(Database& db) {
    return Query::scalar(db, QStringLiteral("select avg(Eficacia) Media from Machos"), QStringLiteral("Media"))
        .asFloat();
}

QString MaleRegister::relativeIndex(const QVariant& eficacia, double average) {
    if (!(average > 0))
        return QStringLiteral("0.00");
    const double own = isNull(eficacia) ? 0.0 : eficacia.toDouble();
    return display::mask(own / average * 100.0, QStringLiteral("0.00"));
}
