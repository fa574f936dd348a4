#include "ResultsSheet.h"

#include "db/DisplayFormat.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"

using namespace results;

namespace {

const QString kConcept = QStringLiteral("concepto");
const QString kKind = QStringLiteral("tipo");
const QString kSection = QStringLiteral("seccion");

QStringList rowColumns() {
    QStringList columns{kConcept, kKind};
    for (const IndicatorDefinition& d : indicators())
        columns << ResultsSheet::columnName(d.id);
    return columns;
}

} // namespace

QString ResultsSheet::columnName(Indicator id) {
    return QString::fromLatin1(definition(id).key).toLower();
}

QString ResultsSheet::markedText(Indicator id, const std::optional<double>& value, const References& references) {
    const QString shown = text(id, value);
    switch (references.mark(id, value)) {
    case Mark::Fair:
        return shown + QStringLiteral(" *");
    case Mark::Poor:
        return shown + QStringLiteral(" **");
    default:
        return shown;
    }
}

ResultsSheet::ResultsSheet(Database& db, const QDate& today, const DatePeriod& period, const TechnicalResults& figures,
                           const References& references)
    : HouseSheet(db, QStringLiteral("Resultados Técnicos"), today), m_figures(figures), m_references(references) {
    setSelection(period.caption());
    addColumn(SheetColumn::bound(kConcept, QStringLiteral("Banda / Mes"), 26.0, SheetAlign::Left, kConcept));
    for (const IndicatorDefinition& d : indicators())
        addColumn(SheetColumn::bound(columnName(d.id), d.shortCaption, 13.5, SheetAlign::Right, columnName(d.id)));
    onRow([](BandPrint& print) {
        const bool section = print.field(kKind).asString() == kSection;
        print.element(kConcept).font.bold = section;
        if (section)
            print.element(kConcept).rect.setWidth(80.0);
    });

    SheetBand& closing = summary();
    closing.addText(QStringLiteral("leyenda"), QRectF(0, 2.0, contentRect().width(), 4.0),
                    QStringLiteral("Sin marca: alcanza la referencia.   *: no la alcanza, dentro del límite.   "
                                   "**: más allá del límite.   —: sin divisor."),
                    house::kLegendFont);
    closing.setHeight(7.0);
}

ListRows ResultsSheet::rows() const {
    ListRows rows(rowColumns());
    const auto line = [&](const QString& caption, const QString& kind, auto cell) {
        QVariantList values{caption, kind};
        for (const IndicatorDefinition& d : indicators())
            values << cell(d);
        rows.append(values);
    };
    const auto empty = [](const IndicatorDefinition&) { return QString(); };
    // Bands have no ledger figures: those cells stay empty.
    const auto figures = [this](const ResultColumn& column, bool ledger) {
        return [this, column = &column, ledger](const IndicatorDefinition& d) {
            if (!d.perBand && !ledger)
                return QString();
            return markedText(d.id, column->value(d.id), m_references);
        };
    };
    line(QStringLiteral("Referencia"), QString(), [&](const IndicatorDefinition& d) {
        return d.better == Better::None ? QString() : text(d.id, m_references.of(d.id).value);
    });
    line(QStringLiteral("Por bandas de inseminación"), kSection, empty);
    for (const ResultColumn& band : m_figures.bands)
        line(band.caption, QString(), figures(band, false));
    line(QStringLiteral("Total bandas"), QString(), figures(m_figures.bandsTotal, false));
    line(QStringLiteral("Por meses"), kSection, empty);
    for (const ResultColumn& month : m_figures.months)
        line(month.caption, QString(), figures(month, true));
    line(QStringLiteral("Total periodo"), QString(), figures(m_figures.monthsTotal, true));
    return rows;
}
