#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Database;
class TableCursor;

// The movements of the fattening unit: one row of Cebadero per date
// (FechaMovimiento), edited through "Movimiento del Cebadero".
//
// Its one rule keeps, for the kits entering and for the kits sold, the number
// N, the total weight P and the average weight A consistent. Three steps run in
// order, each on the values the step before left; a value counts as above 0
// when it is above 0 taken to a whole number (halves to the even neighbour), and
// N and P are used as whole numbers:
//   1. N > 0 and P > 0: A = P / N, with its decimals;
//   2. N > 0 and A > 0: P = A x N, to the nearest whole number;
//   3. P > 0 and A > 0: N = P / A, to the nearest whole number.
class FatteningMovement {
public:
    static constexpr const char* kTable = "Cebadero.db";
    static constexpr const char* kKey = "FechaMovimiento";

    // The columns of one group: number of kits, total weight, average weight.
    struct Group {
        QString number;
        QString total;
        QString average;
        bool contains(const QString& column) const;
    };
    static const Group& entryGroup(); // EntGazaposDes, PesGazaposDes, PesPromedioEnt
    static const Group& saleGroup();  // SalGazaposVen, PesGazaposVen, PesPromedioVen
    // The group a column belongs to, if any.
    static std::optional<Group> groupOf(const QString& column);

    // One group's values; an empty box is 0.
    struct Values {
        double number = 0.0;
        double total = 0.0;
        double average = 0.0;
        bool operator==(const Values&) const = default;
    };
    // The three steps on the values as typed; what the screen shows afterwards.
    static Values reconcile(const Values& typed);
    // Runs the steps on the cursor's edit buffer and writes back only the
    // columns a step set. Nothing happens while the cursor is browsing.
    static void reconcile(TableCursor& movements, const Group& group);

    // The columns of the data boxes in their order, after the key.
    static QStringList dataColumns();
    // The captions of Consumo1..Consumo3: "Consumo (Kg.) de {name}" from
    // NutriPriCebadero, Nutri2Cebadero and Nutri3Cebadero ("select * from
    // DatosExplotacion"); "Consumo 1".."Consumo 3" when the farm has no row.
    static std::array<QString, 3> feedCaptions(Database& db);
};
