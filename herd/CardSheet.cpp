#include "CardSheet.h"

#include "db/Database.h"
#include "db/DisplayFormat.h"
#include "db/Query.h"
#include "db/SqlFormat.h"
#include "reports/HouseStyle.h"
#include "reports/SheetComposer.h"

namespace {

constexpr double kBlockTop = 21.0;
constexpr double kBlockLine = 5.2;
constexpr double kCaptionWidth = 36.0;
constexpr double kValueWidth = 26.0;
constexpr SheetFont kCaption{9.0, false, false};
constexpr SheetFont kValue{9.0, true, false};

// The rows of a query the sheet opened itself, kept open while they are read.
class OwnQueryRows : public SheetRows {
public:
    OwnQueryRows(Database& db, const QString& statement) : m_query(db, statement), m_rows(m_query) { m_query.open(); }
    bool eof() const override { return m_rows.eof(); }
    void next() override { m_rows.next(); }
    Field field(const QString& name) const override { return m_rows.field(name); }

private:
    Query m_query;
    QueryRows m_rows;
};

QString valueName(const QString& column) {
    return QStringLiteral("valor.") + column;
}

// A column of the animal's row; an empty field when there is no row.
Field fieldOf(const Query& q, const char* column) {
    return q.eof() ? Field() : q.field(QString::fromLatin1(column));
}

QString whole(const Field& f) {
    return display::mask(f.asFloat(), QStringLiteral("0"));
}

QString yesNo(const Field& f) {
    return f.asBoolean() ? QStringLiteral("Sí") : QStringLiteral("No");
}

SheetColumn boundDate(const QString& name, const QString& caption, double width, const QString& field) {
    return SheetColumn::bound(name, caption, width, SheetAlign::Center, field);
}

SheetColumn boundCount(const QString& name, const QString& caption, double width, const QString& field) {
    return SheetColumn::bound(name, caption, width, SheetAlign::Right, field, QStringLiteral("0"));
}

} // namespace

CardSheet::CardSheet(Database& db, const QString& title, const QDate& today, QString rows)
    : HouseSheet(db, title, today), m_rows(std::move(rows)) {
    pageHeader().setHeight(kBlockTop + 4 * kBlockLine + 3.0);
}

void CardSheet::addPair(int block, int line, const QString& caption, const QString& column, const QString& value) {
    const double x = block * (contentRect().width() / 3.0);
    const double y = kBlockTop + line * kBlockLine;
    if (!caption.isEmpty())
        pageHeader().addText(QStringLiteral("rotulo.") + column, QRectF(x, y, kCaptionWidth, kBlockLine), caption,
                             kCaption);
    const double valueX = caption.isEmpty() ? x : x + kCaptionWidth;
    pageHeader().addText(valueName(column), QRectF(valueX, y, kValueWidth, kBlockLine), value, kValue);
}

void CardSheet::addAnimal(const Query& q, const QString& codeCaption, const char* codeColumn, qint64 code) {
    addPair(0, 0, codeCaption, QString::fromLatin1(codeColumn),
            q.eof() ? QString::number(code) : whole(fieldOf(q, codeColumn)));
    addPair(0, 1, QStringLiteral("Número de Jaula"), QStringLiteral("Jaula"), whole(fieldOf(q, "Jaula")));
    addPair(0, 2, QStringLiteral("Número de Selección"), QStringLiteral("Seleccion"), yesNo(fieldOf(q, "Seleccion")));
    addPair(0, 3, QStringLiteral("Raza"), QStringLiteral("Raza"), fieldOf(q, "Raza").asString());
    addPair(1, 0, QStringLiteral("Fecha de Nacimiento"), QStringLiteral("FechaNacimiento"),
            display::date(fieldOf(q, "FechaNacimiento").asDate()));
    addPair(1, 1, QStringLiteral("Fecha de Entrada"), QStringLiteral("FechaEntrada"),
            display::date(fieldOf(q, "FechaEntrada").asDate()));
    addPair(1, 2, QStringLiteral("Padre"), QStringLiteral("NumeroPadre"), whole(fieldOf(q, "NumeroPadre")));
    addPair(1, 3, QStringLiteral("Madre"), QStringLiteral("NumeroMadre"), whole(fieldOf(q, "NumeroMadre")));
}

QString CardSheet::headerValue(const QString& column) const {
    const SheetBand& header = band(BandKind::PageHeader);
    return header.has(valueName(column)) ? header.element(valueName(column)).text : QString();
}

std::unique_ptr<CardSheet> CardSheet::female(Database& db, qint64 female, const QDate& today) {
    std::unique_ptr<CardSheet> card(new CardSheet(db, QStringLiteral("Ficha de Hembra"), today, femaleRows(female)));
    Query q(db, QStringLiteral("select * from Hembras where CodigoHembra=%1").arg(sql::number(female)));
    q.open();
    card->addAnimal(q, QStringLiteral("Número de Hembra"), "CodigoHembra", female);
    // The cull, beside the parents' numbers, only for a culled or dead female.
    const Field causa = fieldOf(q, "CausaBaja");
    const bool out = !causa.isNull() && (causa.asInteger() == 0 || causa.asInteger() == 1);
    card->addPair(2, 2, QString(), QStringLiteral("CausaBaja"),
                  out ? (causa.asInteger() == 0 ? QStringLiteral("Eliminación") : QStringLiteral("Muerte"))
                      : QString());
    card->addPair(2, 3, QString(), QStringLiteral("FechaBaja"),
                  out ? display::date(fieldOf(q, "FechaBaja").asDate()) : QString());

    card->addColumn(boundDate(QStringLiteral("fechaCubricion"), QStringLiteral("Fecha Cub."), 21,
                              QStringLiteral("FechaCubricion")));
    card->addColumn(boundCount(QStringLiteral("macho"), QStringLiteral("Macho"), 15, QStringLiteral("CodigoMacho")));
    card->addColumn(SheetColumn::computed(QStringLiteral("palpacion"), QStringLiteral("Pal."), 10, SheetAlign::Center));
    card->addColumn(
        boundDate(QStringLiteral("fechaParto"), QStringLiteral("Fecha Parto"), 21, QStringLiteral("FechaParto")));
    card->addColumn(boundCount(QStringLiteral("vivos"), QStringLiteral("Vivos"), 14, QStringLiteral("NacidosVivos")));
    card->addColumn(
        boundCount(QStringLiteral("muertos"), QStringLiteral("Muertos"), 15, QStringLiteral("NacidosMuertos")));
    card->addColumn(boundCount(QStringLiteral("anadidos"), QStringLiteral("Añadid."), 15, QStringLiteral("Anadidos")));
    card->addColumn(boundCount(QStringLiteral("cedidos"), QStringLiteral("Cedidos"), 15, QStringLiteral("Quitados")));
    card->addColumn(
        boundCount(QStringLiteral("destetados"), QStringLiteral("Destetados"), 19, QStringLiteral("Destetados")));
    card->addColumn(
        SheetColumn::computed(QStringLiteral("acumulados"), QStringLiteral("Acumulados"), 21, SheetAlign::Right));
    std::shared_ptr<qint64> total = card->m_accumulated;
    card->onRow([total](BandPrint& print) {
        // Each printing counts from 0 again.
        if (print.row() == 0)
            *total = 0;
        *total += print.field(QStringLiteral("Destetados")).asInteger();
        print.setText(QStringLiteral("palpacion"), house::palpationSign(print.field(QStringLiteral("Palpacion"))));
        print.setText(QStringLiteral("acumulados"), display::mask(double(*total), QStringLiteral("0")));
    });
    return card;
}

std::unique_ptr<CardSheet> CardSheet::male(Database& db, qint64 male, const QDate& today) {
    std::unique_ptr<CardSheet> card(new CardSheet(db, QStringLiteral("Ficha de Macho"), today, maleRows(male)));
    Query q(db, QStringLiteral("select * from Machos where CodigoMacho=%1").arg(sql::number(male)));
    q.open();
    card->addAnimal(q, QStringLiteral("Nº Macho"), "CodigoMacho", male);

    card->addColumn(boundDate(QStringLiteral("fechaCubricion"), QStringLiteral("Fecha Cub."), 26,
                              QStringLiteral("FechaCubricion")));
    card->addColumn(boundCount(QStringLiteral("hembra"), QStringLiteral("Hembra"), 22, QStringLiteral("CodigoHembra")));
    card->addColumn(SheetColumn::computed(QStringLiteral("palpacion"), QStringLiteral("Pal."), 14, SheetAlign::Center));
    card->addColumn(boundCount(QStringLiteral("vivos"), QStringLiteral("Vivos"), 20, QStringLiteral("NacidosVivos")));
    card->addColumn(
        boundCount(QStringLiteral("muertos"), QStringLiteral("Muertos"), 20, QStringLiteral("NacidosMuertos")));
    card->onRow([](BandPrint& print) {
        print.setText(QStringLiteral("palpacion"), house::palpationSign(print.field(QStringLiteral("Palpacion"))));
    });
    return card;
}

std::unique_ptr<SheetRows> CardSheet::rows() const {
    return std::make_unique<OwnQueryRows>(database(), m_rows);
}

QString CardSheet::femaleRows(qint64 female) {
    return QStringLiteral("select * from CubriHembras where CodigoHembra=%1 order by orden").arg(sql::number(female));
}

QString CardSheet::maleRows(qint64 male) {
    return QStringLiteral("select * from CubriMachos where CodigoMacho=%1 order by orden").arg(sql::number(male));
}
