#include "DailyData.h"

#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/TableCursor.h"

#include <cmath>
#include <stdexcept>

namespace {

const QString kFemales = QStringLiteral("NumeroTotalHembras");
const QString kMales = QStringLiteral("NumeroTotalMachos");

double number(const TableCursor& days, const QString& column) {
    return days.value(column).toDouble();
}

// "{caption} {value}", the value through the mask; "{caption} {zero}" when the
// divisor is 0 or less.
QString ratioLine(const QString& caption, double dividend, double divisor, double factor, const QString& mask,
                  const QString& zero) {
    if (divisor <= 0)
        return caption + QLatin1Char(' ') + zero;
    return caption + QLatin1Char(' ') + display::mask(dividend / divisor * factor, mask);
}

} // namespace

DayCounts DayCounts::of(const TableCursor& days) {
    DayCounts d;
    d.positives = number(days, QStringLiteral("PalpacionesPositivas"));
    d.negatives = number(days, QStringLiteral("PalpacionesNegativas"));
    d.births = number(days, QStringLiteral("NumeroPartos"));
    d.bornAlive = number(days, QStringLiteral("NacidosVivos"));
    d.weanings = number(days, QStringLiteral("NumeroDestetes"));
    d.weaned = number(days, QStringLiteral("Destetados"));
    return d;
}

DayIndices DayIndices::of(const DayCounts& day) {
    const double palpations = day.positives + day.negatives;
    DayIndices i;
    i.palpationsTotal = display::mask(palpations, QStringLiteral("#,##0"));
    i.positiveLine = ratioLine(QStringLiteral("Palpaciones Positivas"), day.positives, palpations, 100,
                               QStringLiteral("##0.00 %"), QStringLiteral("0 %"));
    i.bornAliveLine = ratioLine(QStringLiteral("Nacidos Vivos / Parto"), day.bornAlive, day.births, 1,
                                QStringLiteral("0.00"), QStringLiteral("0"));
    i.weanedLine = ratioLine(QStringLiteral("Destetados / Camada"), day.weaned, day.weanings, 1, QStringLiteral("0.00"),
                             QStringLiteral("0"));
    return i;
}

bool DayIndices::follows(const QString& column) {
    static const QStringList followed{QStringLiteral("PalpacionesPositivas"), QStringLiteral("PalpacionesNegativas"),
                                      QStringLiteral("NumeroPartos"),         QStringLiteral("NacidosVivos"),
                                      QStringLiteral("NumeroDestetes"),       QStringLiteral("Destetados")};
    return followed.contains(column, Qt::CaseInsensitive);
}

DailyData::DailyData(Database& db) : m_db(db), m_ledger(db) {
    static const char* const names[] = {"NutriPriMaternidad", "Nutri2Maternidad", "Nutri3Maternidad",
                                        "Nutri4Maternidad"};
    Query q(db, QStringLiteral("select * from DatosExplotacion"));
    q.open();
    for (size_t i = 0; i < m_feedCaptions.size(); ++i)
        m_feedCaptions[i] = QStringLiteral("Kg. de ") + q.field(QString::fromLatin1(names[i])).asString();
}

QStringList DailyData::dataColumns() {
    return {kFemales,
            QStringLiteral("BajasHembrasMuertas"),
            QStringLiteral("BajasHembrasEliminadas"),
            QStringLiteral("AltasHembras"),
            kMales,
            QStringLiteral("BajasMachosMuertos"),
            QStringLiteral("BajasMachosEliminados"),
            QStringLiteral("AltasMachos"),
            QStringLiteral("Cubriciones"),
            QStringLiteral("PalpacionesPositivas"),
            QStringLiteral("PalpacionesNegativas"),
            QStringLiteral("NumeroDestetes"),
            QStringLiteral("Destetados"),
            QStringLiteral("BajasNido"),
            QStringLiteral("NumeroPartos"),
            QStringLiteral("NacidosVivos"),
            QStringLiteral("NacidosMuertos"),
            QStringLiteral("Abortos"),
            QStringLiteral("Consumo1"),
            QStringLiteral("Consumo2"),
            QStringLiteral("Consumo3"),
            QStringLiteral("Consumo4"),
            QStringLiteral("Observaciones")};
}

void DailyData::setTrace(std::function<void(const QString&)> trace) {
    m_trace = trace;
    m_ledger.setTrace(std::move(trace));
}

void DailyData::attach(TableCursor& days) {
    // A new day has been given no totals yet: until they are carried in, it is
    // saved against 0 and 0, never against an earlier edit's totals.
    days.events().newRecord = [this](TableCursor&) { m_newDayReference = {}; };
    // Runs inside the cursor's save transaction, before the row is written.
    days.events().beforePost = [this](TableCursor& t) { beforePost(t); };
}

bool DailyData::carryTotals(TableCursor& days) {
    if (days.state() != TableCursor::State::Insert || number(days, kFemales) != 0)
        return false;
    m_newDayReference = m_ledger.carriedTotals(days.value(QStringLiteral("Fecha")).toDate());
    days.setValue(kFemales, double(m_newDayReference.females));
    days.setValue(kMales, double(m_newDayReference.males));
    return true;
}

MaternityLedger::Totals DailyData::referenceTotals(const TableCursor& days) const {
    if (days.state() == TableCursor::State::Edit && days.storedValue(QStringLiteral("Fecha")).isValid())
        return {days.storedValue(kFemales).toLongLong(), days.storedValue(kMales).toLongLong()};
    return m_newDayReference;
}

void DailyData::beforePost(TableCursor& days) {
    const MaternityLedger::Totals reference = referenceTotals(days);
    const auto whole = [&days](const QString& column) { return qint64(std::llround(number(days, column))); };
    // Sends nothing when neither total changed.
    m_ledger.correctTotals(days.value(QStringLiteral("Fecha")).toDate(), int(whole(kFemales) - reference.females),
                           int(whole(kMales) - reference.males));
}

DailyData::Recount DailyData::recount(const QDate& day) const {
    Query q(m_db);
    const auto count = [&](const QString& statement, const char* parameter, const QDate& date) {
        q.clear();
        q << statement;
        q.bindDate(QString::fromLatin1(parameter), date);
        if (m_trace)
            m_trace(q.text());
        q.open();
        const qint64 n = q.field(QStringLiteral("cuenta")).asInteger(); // a sum over no row reads 0
        q.close();
        return n;
    };
    // DiasPalpar is read afresh for each palpation count.
    const auto matingDay = [&] {
        return day.addDays(-Query::scalar(m_db, QStringLiteral("select diaspalpar from DatosExplotacion"),
                                          QStringLiteral("diaspalpar"))
                                .asInteger());
    };
    Recount r;
    r.cubriciones =
        count(QStringLiteral("select count(*) cuenta from CubriHembras where FechaCubricion=:fc"), "fc", day);
    r.positivas =
        count(QStringLiteral("select count(*) cuenta from CubriHembras where FechaCubricion=:fc and Palpacion=True"),
              "fc", matingDay());
    r.negativas =
        count(QStringLiteral("select count(*) cuenta from CubriHembras where FechaCubricion=:fc and Palpacion=False"),
              "fc", matingDay());
    r.partos = count(QStringLiteral("select count(*) cuenta from CubriHembras where FechaParto=:fp"), "fp", day);
    r.vivos =
        count(QStringLiteral("select sum(NacidosVivos) cuenta from CubriHembras where FechaParto=:fp"), "fp", day);
    r.muertos =
        count(QStringLiteral("select sum(NacidosMuertos) cuenta from CubriHembras where FechaParto=:fp"), "fp", day);
    return r;
}

void DailyData::recalculate(TableCursor& days) const {
    if (!days.isEditing())
        throw std::logic_error("Recalcular works only on a day being edited or added");
    const Recount r = recount(days.value(QStringLiteral("Fecha")).toDate());
    days.setValue(QStringLiteral("Cubriciones"), double(r.cubriciones));
    days.setValue(QStringLiteral("PalpacionesPositivas"), double(r.positivas));
    days.setValue(QStringLiteral("PalpacionesNegativas"), double(r.negativas));
    days.setValue(QStringLiteral("NumeroPartos"), double(r.partos));
    days.setValue(QStringLiteral("NacidosVivos"), double(r.vivos));
    days.setValue(QStringLiteral("NacidosMuertos"), double(r.muertos));
}
