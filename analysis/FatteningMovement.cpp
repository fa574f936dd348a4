#include "FatteningMovement.h"

#include "db/Query.h"
#include "db/TableCursor.h"

#include <cmath>

namespace {

// Taken to a whole number, halves to the even neighbour (the default rounding mode).
double whole(double value) {
    return std::nearbyint(value);
}

bool aboveZero(double value) {
    return whole(value) > 0.0;
}

double number(const QVariant& value) {
    return value.isValid() && !value.isNull() ? value.toDouble() : 0.0;
}

} // namespace

bool FatteningMovement::Group::contains(const QString& column) const {
    for (const QString* c : {&number, &total, &average}) {
        if (c->compare(column, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

const FatteningMovement::Group& FatteningMovement::entryGroup() {
    static const Group g{QStringLiteral("EntGazaposDes"), QStringLiteral("PesGazaposDes"),
                         QStringLiteral("PesPromedioEnt")};
    return g;
}

const FatteningMovement::Group& FatteningMovement::saleGroup() {
    static const Group g{QStringLiteral("SalGazaposVen"), QStringLiteral("PesGazaposVen"),
                         QStringLiteral("PesPromedioVen")};
    return g;
}

std::optional<FatteningMovement::Group> FatteningMovement::groupOf(const QString& column) {
    for (const Group* g : {&entryGroup(), &saleGroup()}) {
        if (g->contains(column))
            return *g;
    }
    return std::nullopt;
}

FatteningMovement::Values FatteningMovement::reconcile(const Values& typed) {
    Values v{whole(typed.number), whole(typed.total), typed.average};
    if (aboveZero(v.number) && aboveZero(v.total))
        v.average = v.total / v.number;
    if (aboveZero(v.number) && aboveZero(v.average))
        v.total = whole(v.average * v.number);
    if (aboveZero(v.total) && aboveZero(v.average))
        v.number = whole(v.total / v.average);
    return v;
}

void FatteningMovement::reconcile(TableCursor& movements, const Group& group) {
    if (!movements.isEditing())
        return;
    const Values typed{number(movements.value(group.number)), number(movements.value(group.total)),
                       number(movements.value(group.average))};
    const Values out = reconcile(typed);
    // Only what a step changed is written, so an empty box no step fills stays empty.
    if (out.average != typed.average)
        movements.setValue(group.average, out.average);
    if (out.total != typed.total)
        movements.setValue(group.total, out.total);
    if (out.number != typed.number)
        movements.setValue(group.number, out.number);
}

QStringList FatteningMovement::dataColumns() {
    return {QStringLiteral("EntGazaposDes"), QStringLiteral("PesGazaposDes"), QStringLiteral("PesPromedioEnt"),
            QStringLiteral("BajasGazapos"),  QStringLiteral("SalGazaposRep"), QStringLiteral("SalGazaposVen"),
            QStringLiteral("PesGazaposVen"), QStringLiteral("PesPromedioVen"), QStringLiteral("Consumo1"),
            QStringLiteral("Consumo2"),      QStringLiteral("Consumo3"),      QStringLiteral("Observaciones")};
}

std::array<QString, 3> FatteningMovement::feedCaptions(Database& db) {
    static const char* const names[] = {"NutriPriCebadero", "Nutri2Cebadero", "Nutri3Cebadero"};
    std::array<QString, 3> captions;
    Query q(db, QStringLiteral("select * from DatosExplotacion"));
    q.open();
    for (size_t i = 0; i < captions.size(); ++i) {
        captions[i] = q.eof() ? QStringLiteral("Consumo %1").arg(i + 1)
                              : QStringLiteral("Consumo (Kg.) de ") + q.field(QString::fromLatin1(names[i])).asString();
    }
    return captions;
}
