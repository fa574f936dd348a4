#include "AnimalListing.h"

#include "db/DisplayFormat.h"
#include "reports/FemaleListSheet.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"

namespace {

constexpr double kEfficiencyWidth = 12.0;
constexpr double kCountWidth = 9.0;
constexpr double kAgeWidth = 9.0;
constexpr double kDateWidth = 17.0;

const QString kEfficiencyMask = QStringLiteral("##0.00");

} // namespace

namespace listing {

QString launcherTitle(ListingKind kind) {
    switch (kind) {
    case ListingKind::CullingFemales:
        return QStringLiteral("Propuesta de Eliminación (Hembras)");
    case ListingKind::CullingMales:
        return QStringLiteral("Propuesta de Eliminación (Machos)");
    case ListingKind::SelectionFemales:
        return QStringLiteral("Listado de Selección de Hembras");
    case ListingKind::SelectionMales:
        return QStringLiteral("Listado de Selección de Machos");
    }
    return {};
}

QString sheetTitle(ListingKind kind) {
    switch (kind) {
    case ListingKind::CullingFemales:
        return QStringLiteral("Listado de Propuesta de Eliminación (Reposición - Hembras)");
    case ListingKind::CullingMales:
        return QStringLiteral("Listado de Propuesta de Eliminación (Reposición - Machos)");
    case ListingKind::SelectionFemales:
        return QStringLiteral("Listado de Selección") + QStringLiteral(" de Hembras");
    case ListingKind::SelectionMales:
        return QStringLiteral("Listado de Selección") + QStringLiteral(" de Machos");
    }
    return {};
}

bool isSelection(ListingKind kind) {
    return kind == ListingKind::SelectionFemales || kind == ListingKind::SelectionMales;
}

bool isMale(ListingKind kind) {
    return kind == ListingKind::CullingMales || kind == ListingKind::SelectionMales;
}

QStringList orderChoices(ListingKind kind) {
    if (!isSelection(kind))
        return {};
    return {isMale(kind) ? QStringLiteral("Código Macho") : QStringLiteral("Código Hembra"), QStringLiteral("Jaula"),
            QStringLiteral("Ind. Eficacia")};
}

QStringList statement(ListingKind kind, ListingOrder order) {
    switch (kind) {
    case ListingKind::CullingFemales:
        return {QStringLiteral("select a.codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, Palpacion, "
                               "FechaNacimiento, orden, Eficacia from Hembras a, CubriHembras b where "
                               "a.CodigoHembra=b.CodigoHembra"),
                QStringLiteral(" and Palpacion=False and CausaBaja not in (0,1)  and Enfermedad in (0,8)  and "
                               "Eficacia = 0 and orden in ( select max(orden) from CubriHembras group by "
                               "CodigoHembra) order by FechaNacimiento, CodigoHembra")};
    case ListingKind::CullingMales:
        return {QStringLiteral("select a.CodigoMacho, Jaula, FechaNacimiento, orden, Eficacia from Machos a, "
                               "CubriMachos b where a.CodigoMacho=b.CodigoMacho"),
                QStringLiteral(" and Eficacia<50 and orden in ( select max(orden) from CubriMachos group by "
                               "CodigoMacho) order by FechaNacimiento, CodigoMacho")};
    case ListingKind::SelectionFemales:
    case ListingKind::SelectionMales:
        break;
    }
    const bool male = isMale(kind);
    const QString select = male ? QStringLiteral("select CodigoMacho, Jaula, FechaNacimiento, FechaEntrada, "
                                                 "Eficacia from Machos where seleccion=True")
                                : QStringLiteral("select codigoHembra, Jaula, Marca1, Marca2, Marca3, Marca4, "
                                                 "FechaNacimiento, FechaEntrada, Eficacia from Hembras where "
                                                 "seleccion=True");
    switch (order) {
    case ListingOrder::Code:
        return {select, male ? QStringLiteral("order by CodigoMacho") : QStringLiteral("order by CodigoHembra")};
    case ListingOrder::Cage:
        return {select, QStringLiteral("order by Jaula")};
    case ListingOrder::Efficiency:
        return {select, QStringLiteral("order by Eficacia, Jaula")};
    }
    return {select};
}

double averageMaleEfficiency(Database& db) {
    return Query::scalar(db, QStringLiteral("select avg(Eficacia) Media from Machos"), QStringLiteral("Media"))
        .asFloat();
}

QString relativeEfficiency(double efficiency, double average, const QString& mask) {
    if (!(average > 0))
        return QStringLiteral("0");
    return display::mask(efficiency / average * 100.0, mask);
}

QString ageInDays(const QDate& born, const QDate& today) {
    if (!born.isValid())
        return {};
    return display::mask(double(born.daysTo(today)), QStringLiteral("###"));
}

} // namespace listing

AnimalListing::AnimalListing(Database& db, ListingKind kind, ListingOrder order, const QDate& today,
                             std::optional<QString> farmName)
    : m_db(db), m_kind(kind), m_order(order), m_today(today), m_query(db), m_count(db) {
    const QString title = listing::sheetTitle(kind);
    if (kind == ListingKind::CullingMales) {
        m_sheet = std::make_unique<HouseSheet>(db, title, today, 2);
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("jaula"), QStringLiteral("Jaula"),
                                              FemaleListSheet::kCageWidth, SheetAlign::Right, QStringLiteral("Jaula")));
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("codigo"), QStringLiteral("Macho"),
                                              FemaleListSheet::kCodeWidth, SheetAlign::Right,
                                              QStringLiteral("CodigoMacho")));
    } else {
        auto sheet = std::make_unique<FemaleListSheet>(db, title, today, 2);
        if (kind == ListingKind::SelectionMales)
            sheet->showMales();
        m_sheet = std::move(sheet);
    }
    if (farmName)
        m_sheet->setFarmName(*farmName);
    if (listing::isMale(kind))
        m_average = listing::averageMaleEfficiency(db);
    addColumns();
}

void AnimalListing::addColumns() {
    const auto age = [this](BandPrint& print) {
        print.setText(QStringLiteral("edad"),
                      listing::ageInDays(print.field(QStringLiteral("FechaNacimiento")).asDate(), m_today));
    };
    switch (m_kind) {
    case ListingKind::CullingFemales:
        m_count << QStringLiteral(
            "select count(*) cuenta from cubriHembras where fechaParto is not null and CodigoHembra=:codigo");
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("eficacia"), QStringLiteral("Eficacia"), kEfficiencyWidth,
                                              SheetAlign::Right, QStringLiteral("Eficacia"), kEfficiencyMask));
        m_sheet->addColumn(
            SheetColumn::computed(QStringLiteral("partos"), QStringLiteral("Ptos."), kCountWidth, SheetAlign::Right));
        m_sheet->addColumn(
            SheetColumn::computed(QStringLiteral("edad"), QStringLiteral("Edad"), kAgeWidth, SheetAlign::Right));
        m_sheet->onRow([this, age](BandPrint& print) {
            print.setText(QStringLiteral("partos"), count(m_count, print.field(QStringLiteral("CodigoHembra"))));
            age(print);
        });
        break;
    case ListingKind::CullingMales:
        m_count << QStringLiteral("select count(*) cuenta from CubriMachos where CodigoMacho=:codigo");
        m_sheet->addColumn(SheetColumn::computed(QStringLiteral("eficacia"), QStringLiteral("Eficacia"),
                                                 kEfficiencyWidth, SheetAlign::Right));
        m_sheet->addColumn(SheetColumn::computed(QStringLiteral("cubriciones"), QStringLiteral("Cubr."), kCountWidth,
                                                 SheetAlign::Right));
        m_sheet->addColumn(
            SheetColumn::computed(QStringLiteral("edad"), QStringLiteral("Edad"), kAgeWidth, SheetAlign::Right));
        m_sheet->onRow([this, age](BandPrint& print) {
            print.setText(QStringLiteral("eficacia"),
                          listing::relativeEfficiency(print.field(QStringLiteral("Eficacia")).asFloat(), m_average,
                                                      QStringLiteral("0.00")));
            print.setText(QStringLiteral("cubriciones"), count(m_count, print.field(QStringLiteral("CodigoMacho"))));
            age(print);
        });
        break;
    case ListingKind::SelectionFemales:
    case ListingKind::SelectionMales:
        m_sheet->addColumn(SheetColumn::computed(QStringLiteral("eficacia"), QStringLiteral("Eficacia"),
                                                 kEfficiencyWidth, SheetAlign::Right));
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("nacimiento"), QStringLiteral("F.Nacim."), kDateWidth,
                                              SheetAlign::Left, QStringLiteral("FechaNacimiento")));
        m_sheet->addColumn(SheetColumn::bound(QStringLiteral("entrada"), QStringLiteral("F. Entrada"), kDateWidth,
                                              SheetAlign::Left, QStringLiteral("FechaEntrada")));
        m_sheet->onRow([this](BandPrint& print) {
            const double efficiency = print.field(QStringLiteral("Eficacia")).asFloat();
            // A female's index as stored; a male's relative to the average of all males.
            print.setText(QStringLiteral("eficacia"),
                          listing::isMale(m_kind) ? listing::relativeEfficiency(efficiency, m_average, kEfficiencyMask)
                                                  : display::mask(efficiency, kEfficiencyMask));
        });
        break;
    }
}

QString AnimalListing::count(Query& statement, const Field& code) {
    if (code.asInteger() <= 0)
        return {};
    statement.bindInteger(QStringLiteral("codigo"), code.asInteger());
    statement.open();
    const qint64 n = statement.field(QStringLiteral("cuenta")).asInteger();
    statement.close();
    return QString::number(n);
}

SheetRows& AnimalListing::rows() {
    m_query.clear();
    for (const QString& line : listing::statement(m_kind, m_order))
        m_query << line;
    m_query.open();
    m_rows = std::make_unique<QueryRows>(m_query);
    return *m_rows;
}
