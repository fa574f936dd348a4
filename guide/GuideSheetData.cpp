#include "GuideSheetData.h"

#include "GuideCounts.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "reports/HouseStyle.h"

namespace {

constexpr int kNestBoxDays = 31; // from mating to the expected birth

struct SheetShape {
    const char* title;
    std::vector<GuideColumn> columns;
};

GuideColumn col(const char* caption, double width, SheetAlign align = SheetAlign::Right) {
    return {QString::fromUtf8(caption), width, align};
}

SheetShape shape(GuideSheetKind kind) {
    using K = GuideSheetKind;
    const auto origin = [](const char* count, const char* byHand) {
        return std::vector<GuideColumn>{col("Orígen", 15, SheetAlign::Left), col(count, 9), col("Palp.(-)", 10),
                                        col(byHand, 10)};
    };
    switch (kind) {
    case K::Pinchazo:
        return {"Guía Pinchazos Ciclización", origin("Partos", "Pinch.")};
    case K::CubricionesHembras:
        return {"Guía de Cubriciones Hembras", origin("Partos", "Cubr.")};
    case K::CubricionesJovenes:
        return {"Guía de Cubriciones (Jóvenes)", origin("Edad", "Cubr.")};
    case K::CubricionesMachos:
        return {"Guía de Cubriciones Machos", {col("Última Cubrición", 28, SheetAlign::Center), col("Palpac (+)", 18)}};
    case K::Palpaciones:
        return {"Guía de Palpaciones",
                {col("D. Pos.", 11), col("(+/-)", 8), col("Ptos.", 7), col("Macho", 9), col("Pal.(-)", 9)}};
    case K::Nidales:
        return {"Guía de Colocación de Nidales",
                {col("F.Prev.Parto", 17, SheetAlign::Center), col("Ptos.", 7), col("Jaula Destino", 22)}};
    case K::Partos:
        return {"Guía de Partos",
                {col("F.Previs.", 16, SheetAlign::Center), col("Viv.  Muer.     +      -", 31, SheetAlign::Left)}};
    case K::RevisionNidos:
        return {"Guía de Revisión de Nidos",
                {col("T.ini.", 8), col("Edad", 7), col("Ptos.", 7), col("Bajas", 8), col("( + )   ( - )", 14)}};
    case K::RetirarNidos:
        return {"Guía de Retirar Nidos", {col("Tam.ini.", 12), col("Edad", 8), col("Partos", 9)}};
    case K::Destetes:
        return {"Guía de Destetes",
                {col("F.Previs.", 16, SheetAlign::Center), col("T.ini.", 8), col("Ptos.", 7), col("Destet.", 10)}};
    case K::Enfermos:
        return {"Guía de Reproductores Enfermos",
                {col("Enfermedad", 60, SheetAlign::Left), col("Tratamiento", 85, SheetAlign::Left)}};
    }
    return {};
}

// Computes the sheet's own cells of the current row.
class LineTexts {
public:
    LineTexts(GuideCounts& counts, const GuideContext& context) : m_counts(counts), m_context(context) {}

    QStringList cells(GuideSheetKind kind, const Query& row, qint64 code) {
        using K = GuideSheetKind;
        if (kind == K::CubricionesMachos) {
            const QString last = display::date(row.field(QStringLiteral("FechaCubricion")).asDate());
            return {last, code >= 1 ? m_counts.positivePercent(code) : QString()};
        }
        if (code < 1)
            return blanks(kind);
        switch (kind) {
        case K::Pinchazo:
        case K::CubricionesHembras:
        case K::CubricionesJovenes:
            return origin(kind, row, code);
        case K::Palpaciones:
            // The last cycle row is the mating under check: its negatives are counted before it.
            return {display::mask(double(daysSince(row, "FechaCubricion")), QStringLiteral("###")), QString(),
                    births(code), row.field(QStringLiteral("CodigoMacho")).asString(),
                    QString::number(m_counts.negatives(code, 1))};
        case K::Nidales:
            return {expected(row, "FechaCubricion", kNestBoxDays), births(code), QString()};
        case K::Partos:
            return {expected(row, "FechaCubricion", kNestBoxDays), QString()};
        case K::RevisionNidos:
            return {litter(row), age(row), births(code), QString(), QString()};
        case K::RetirarNidos:
            return {litter(row), age(row), births(code)};
        case K::Destetes:
            return {expected(row, "FechaParto", m_context.parameters.diasDestetar), litter(row), births(code),
                    QString()};
        case K::Enfermos:
            return {row.field(QStringLiteral("DescripcionEnfermedad")).asString(),
                    row.field(QStringLiteral("TratamientoEnfermedad")).asString()};
        case K::CubricionesMachos:
            break;
        }
        return {};
    }

private:
    static QStringList blanks(GuideSheetKind kind) {
        QStringList cells;
        for (size_t i = 0; i < shape(kind).columns.size(); ++i)
            cells << QString();
        return cells;
    }

    // The origin rule of the injection and mating sheets: after a birth "Parto";
    // a female with no cycle row "Reposición" (on the mating sheets with her age
    // in days); otherwise "Negativa" with her negatives in a row.
    QStringList origin(GuideSheetKind kind, const Query& row, qint64 code) {
        QString partos = births(code);
        QString word;
        QString negatives;
        if (row.field(QStringLiteral("Palpacion")).asBoolean()) {
            word = QStringLiteral("Parto");
        } else if (row.field(QStringLiteral("orden")).asInteger() == 0) {
            word = QString::fromUtf8("Reposición");
            // On the mating sheets FechaParto carries the birth date of these rows.
            partos =
                kind == GuideSheetKind::Pinchazo ? QString() : display::mask(double(ageDays(row)), QStringLiteral("0"));
        } else {
            word = QStringLiteral("Negativa");
            negatives = QString::number(m_counts.negatives(code));
        }
        return {word, partos, negatives, QString()};
    }

    QString births(qint64 code) { return QString::number(m_counts.births(code)); }
    qint64 daysSince(const Query& row, const char* column) const {
        return row.field(QLatin1String(column)).asDate().daysTo(m_context.day);
    }
    qint64 ageDays(const Query& row) const { return daysSince(row, "FechaParto"); }
    QString age(const Query& row) const { return display::mask(double(ageDays(row)), QStringLiteral("#,###")); }
    QString expected(const Query& row, const char* column, int days) const {
        return display::date(row.field(QLatin1String(column)).asDate().addDays(days));
    }
    static QString litter(const Query& row) {
        const qint64 size = row.field(QStringLiteral("NacidosVivos")).asInteger() +
                            row.field(QStringLiteral("Anadidos")).asInteger() -
                            row.field(QStringLiteral("Quitados")).asInteger();
        return display::mask(double(size), QStringLiteral("#,###"));
    }

    GuideCounts& m_counts;
    const GuideContext& m_context;
};

} // namespace

GuideSheetData collectSheet(Database& db, GuideSheetKind kind, const GuideContext& context, YoungOrder youngOrder) {
    GuideCounts counts(db);
    return collectSheet(db, counts, kind, context, youngOrder);
}

GuideSheetData collectSheet(Database& db, GuideCounts& counts, GuideSheetKind kind, const GuideContext& context,
                            YoungOrder youngOrder) {
    const SheetShape s = shape(kind);
    GuideSheetData data;
    data.kind = kind;
    data.title = QString::fromUtf8(s.title);
    data.farmName = context.parameters.nombreExplotacion;
    data.day = context.day;
    data.columns = s.columns;
    data.selection = data.isFemaleSheet() ? house::cageRange(std::max<qint64>(context.cages.from, 0),
                                                             std::max<qint64>(context.cages.to, 0))
                                          : house::maleRange(context.numbers.firstMale, context.numbers.lastMale);

    Query q(db);
    selectionStatement(kind, context, youngOrder).applyTo(q);
    LineTexts texts(counts, context);
    const QString codeColumn = data.isFemaleSheet() ? QStringLiteral("CodigoHembra") : QStringLiteral("CodigoMacho");
    for (q.open(); !q.eof(); q.next()) {
        GuideSheetLine line;
        line.cage = q.field(QStringLiteral("Jaula")).asInteger();
        line.code = q.field(codeColumn).asInteger();
        if (data.isFemaleSheet() && line.code >= 1)
            line.marks = house::markGlyphs(q);
        line.cells = texts.cells(kind, q, line.code);
        data.lines.push_back(std::move(line));
    }
    return data;
}
