#include "GuideSelection.h"

#include "GuidePlan.h"

namespace {

// Each female's last cycle row: her highest Orden, found through the index on
// (CodigoHembra, Orden) for her alone rather than grouped over the whole cycle
// table for every sheet.
const QString kLastCycleRow =
    QStringLiteral("orden = ( select max(orden) from CubriHembras c where c.CodigoHembra=a.CodigoHembra)");
const QString kActive = QStringLiteral("CausaBaja not in (0,1)");
// A litter that still has kits.
const QString kLitter = QStringLiteral("(NacidosVivos+Anadidos)>(Quitados)");
// Females with no cycle row of theirs, looked up in the same index. A cycle row
// without a female number (one being entered on another computer) is nobody's
// and hides no female. A female without a number is listed only while the farm
// has no numbered cycle row at all, as the list of cycle females ("not in")
// always had it.
const QString kNeverMated = QStringLiteral(
    "not exists (select CodigoHembra from CubriHembras c where c.CodigoHembra=Hembras.CodigoHembra) and "
    "(CodigoHembra is not NULL or not exists (select CodigoHembra from CubriHembras where CodigoHembra is not NULL))");

const QString kSelectDue = QStringLiteral(
    "select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaParto, orden from Hembras a, "
    "CubriHembras b where a.CodigoHembra=b.CodigoHembra");
const QString kSelectMated = QStringLiteral(
    "select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaCubricion, CodigoMacho, orden from "
    "Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra");
const QString kSelectLitter = QStringLiteral(
    "select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, FechaParto, NacidosVivos, Anadidos, "
    "Quitados from Hembras a, CubriHembras b where a.CodigoHembra=b.CodigoHembra");
const QString kSelectSick = QStringLiteral(
    "select codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Enfermedad, b.* from Hembras a, Enfermedades b where "
    "Enfermedad=CodigoEnfermedad");

class Builder {
public:
    Builder(const GuideContext& context) : m_context(context) {}

    // A female statement: its first line, the cage lines of the bounds above 0,
    // its condition line.
    GuideStatement female(const QString& first, const QString& condition) {
        m_statement.lines << first;
        if (m_context.cages.from > 0) {
            m_statement.lines << QStringLiteral("and Jaula>=:desde");
            m_statement.numbers.emplace_back(QStringLiteral("desde"), m_context.cages.from);
        }
        if (m_context.cages.to > 0) {
            m_statement.lines << QStringLiteral(" and Jaula<=:hasta");
            m_statement.numbers.emplace_back(QStringLiteral("hasta"), m_context.cages.to);
        }
        m_statement.lines << condition;
        return m_statement;
    }
    GuideStatement single(const QString& line) {
        m_statement.lines << line;
        return m_statement;
    }
    // Binds the guide date less `days` as the date marker `name`.
    Builder& daysBefore(const QString& name, int days) {
        m_statement.dates.emplace_back(name, m_context.day.addDays(-days));
        return *this;
    }
    Builder& number(const QString& name, qint64 value) {
        m_statement.numbers.emplace_back(name, value);
        return *this;
    }

private:
    const GuideContext& m_context;
    GuideStatement m_statement;
};

QString lastRowCondition(const QString& dates) {
    return QStringLiteral(" and %1 and %2  and %3 order by Jaula").arg(dates, kActive, kLastCycleRow);
}

QString litterCondition(const QString& date, const QString& lastRow = kLastCycleRow) {
    return QStringLiteral(" and %1 and %2  and %3  and %4 order by Jaula").arg(date, kActive, kLitter, lastRow);
}

} // namespace

GuideStatement selectionStatement(GuideSheetKind sheet, const GuideContext& c, YoungOrder youngOrder) {
    const GuideDayNumbers& n = c.numbers;
    const FarmParameters& p = c.parameters;
    Builder b(c);
    switch (sheet) {
    case GuideSheetKind::Pinchazo:
        // Due for mating within the injection lead, or negative; plus the
        // never-mated females old enough, from the whole farm.
        return b.daysBefore(QStringLiteral("d1"), p.diasCubrirPosparto - n.injectionLead)
            .daysBefore(QStringLiteral("d2"), p.edad1CubrirHembra)
            .female(kSelectDue,
                    QStringLiteral(" and ((Palpacion=False) or (FechaParto<=:d1)) and %1  and %2 union select "
                                   "CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False, '01/01/2000', 0 from "
                                   "Hembras where %3 and FechaNacimiento<=:d2 order by Jaula")
                        .arg(kActive, kLastCycleRow, kNeverMated));
    case GuideSheetKind::CubricionesHembras:
        return b.daysBefore(QStringLiteral("d"), n.diasCubrirPosparto)
            .female(kSelectDue, QStringLiteral(" and ((Palpacion=False) or (FechaParto<=:d)) and %1  and Enfermedad = "
                                               "0  and %2 order by Jaula")
                                    .arg(kActive, kLastCycleRow));
    case GuideSheetKind::CubricionesJovenes:
        return b.daysBefore(QStringLiteral("d"), p.edad1CubrirHembra)
            .single(
                QStringLiteral("select CodigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, False Palpacion, "
                               "FechaNacimiento FechaParto, 0 orden from Hembras where %1 and FechaNacimiento<=:d %2")
                    .arg(kNeverMated, youngOrder == YoungOrder::ByCage
                                          ? QStringLiteral("order by Jaula")
                                          : QStringLiteral("order by FechaNacimiento, Jaula")));
    case GuideSheetKind::CubricionesMachos:
        return b.number(QStringLiteral("primero"), n.firstMale)
            .number(QStringLiteral("ultimo"), n.lastMale)
            .daysBefore(QStringLiteral("d"), n.intervaloCubrirMacho)
            .single(QStringLiteral(
                "select a.codigoMacho, Jaula, Palpacion, orden, FechaCubricion from Machos a, CubriMachos b where "
                "a.CodigoMacho=b.CodigoMacho and a.CodigoMacho>=:primero and a.CodigoMacho<=:ultimo and "
                "((Palpacion=False) or (FechaCubricion<=:d)) and orden in ( select max(orden) from CubriMachos group "
                "by CodigoMacho) order by Jaula"));
    case GuideSheetKind::Palpaciones:
        return b.daysBefore(QStringLiteral("d"), p.diasPalpar)
            .female(kSelectMated, lastRowCondition(QStringLiteral("Palpacion is NULL and FechaCubricion<=:d")));
    case GuideSheetKind::Nidales:
        return b.daysBefore(QStringLiteral("d27"), 27)
            .daysBefore(QStringLiteral("d31"), 31)
            .female(kSelectMated, lastRowCondition(QStringLiteral("Palpacion=True and FechaParto is NULL and "
                                                                  "FechaCubricion<=:d27 and FechaCubricion>=:d31")));
    case GuideSheetKind::Partos:
        return b.daysBefore(QStringLiteral("d"), 29)
            .female(kSelectMated,
                    lastRowCondition(QStringLiteral("Palpacion=True and FechaParto is NULL and FechaCubricion<=:d")));
    case GuideSheetKind::RevisionNidos:
        return b.daysBefore(QStringLiteral("d"), n.edadCamadasRevisar)
            .female(kSelectLitter, litterCondition(QStringLiteral("FechaParto>=:d")));
    case GuideSheetKind::RetirarNidos:
        return b.daysBefore(QStringLiteral("d"), n.edadRetirarNidal)
            .female(kSelectLitter, litterCondition(QStringLiteral("FechaParto<=:d")));
    case GuideSheetKind::Destetes:
        // Per female, her latest cycle row with a birth that is not weaned. Grouped
        // over the whole table on purpose: looked up per female, the rows of a
        // female whose litters are all weaned are each read from the table.
        return b.daysBefore(QStringLiteral("d"), p.diasDestetar)
            .female(kSelectLitter,
                    litterCondition(QStringLiteral("FechaParto<=:d"),
                                    QStringLiteral("orden in ( select max(orden) from CubriHembras where FechaParto is "
                                                   "not NULL and not (Destetada=True) group by CodigoHembra)")));
    case GuideSheetKind::Enfermos:
        return b.female(kSelectSick, QStringLiteral(" and Enfermedad>0 and %1  order by Jaula").arg(kActive));
    }
    return {};
}

std::vector<GuideJob> printOrder(const GuidePlan& plan) {
    struct TaskSheets {
        GuideTask task;
        std::vector<GuideSheetKind> sheets;
    };
    static const TaskSheets kOrder[] = {
        {GuideTask::Pinchazo, {GuideSheetKind::Pinchazo}},
        {GuideTask::Cubriciones,
         {GuideSheetKind::CubricionesHembras, GuideSheetKind::CubricionesJovenes, GuideSheetKind::CubricionesMachos}},
        {GuideTask::Palpaciones, {GuideSheetKind::Palpaciones}},
        {GuideTask::Nidales, {GuideSheetKind::Nidales}},
        {GuideTask::Partos, {GuideSheetKind::Partos}},
        {GuideTask::RevisionNidos, {GuideSheetKind::RevisionNidos}},
        {GuideTask::RetirarNidales, {GuideSheetKind::RetirarNidos}},
        {GuideTask::Destetes, {GuideSheetKind::Destetes}},
        {GuideTask::ReproductoresEnfermos, {GuideSheetKind::Enfermos}},
    };
    std::vector<GuideJob> jobs;
    for (int i = 0; i < plan.size(); ++i) {
        const GuideDay day = plan.day(i);
        for (const TaskSheets& t : kOrder) {
            if (!day.ticked(t.task))
                continue;
            for (GuideSheetKind sheet : t.sheets)
                jobs.push_back({i, day.date(), sheet});
        }
    }
    return jobs;
}
