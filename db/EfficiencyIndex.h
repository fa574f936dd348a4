#pragma once

#include <QString>
#include <functional>

class Database;

// The efficiency indices that rate each breeding animal from its history: a
// female by how often she weans a litter, a male by how large and how sure his
// litters are. -1 stands for no animal given (number 0).
class EfficiencyIndex {
public:
    // How the text form of an index is written into its update statement: on one
    // line (the import), or with the "where" on a line of its own (the upgrade).
    enum class Lines { One, Two };

    // Weaned cycles n over the span of their birth dates: n x 365 / interval, the
    // interval being span / n rounded half to even and the result rounded half up
    // to two decimals. 0 with too little history, -1 for female 0.
    static double female(Database& db, qint64 female);
    // His average litter (alive plus dead) times the percentage of his matings
    // palpated positive, unrounded. 0 without matings, -1 for male 0.
    static double male(Database& db, qint64 male);

    // The registers store the index bound as :indice, with every decimal.
    static void storeFemale(Database& db, qint64 female, double index);
    static void storeMale(Database& db, qint64 male, double index);

    // The text form of an index in a statement: "0.00" with the decimal comma made
    // a point (12.5 is written 12.50).
    static QString text(double index);
    // Writes the index in its text form; an index of -1 (animal 0) is left unwritten.
    // True when the statement ran.
    static bool writeFemale(Database& db, qint64 female, double index, Lines lines = Lines::One);
    static bool writeMale(Database& db, qint64 male, double index, Lines lines = Lines::One);

    // Recomputes and writes, in text form, the index of every female and then of
    // every male, as the import and the upgrade do. Returns the rows written.
    // `progress` hears (row, rows) after each female, then after each male.
    static int recomputeAll(Database& db, Lines lines = Lines::One,
                            const std::function<void(int done, int total)>& progress = {});
};
