#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Database;

// The cage layout (table Estructura): ranges of consecutive cage numbers, each of
// one kind. Ranges never overlap: a range that touches another, even by one cage
// at its ends, is refused.
class FarmStructure {
public:
    // The kinds in the order the dialog offers them; a choice's position in this
    // string is its letter.
    static constexpr const char* kLetters = "RENM";

    struct Range {
        qint64 orden = 0;
        double desde = 0;
        double hasta = 0;
        QString tipo;
        // The list entry "{desde as 0000000000}|{orden}|{desde}|{hasta}|{tipo}",
        // whose text order is the order of the first cages.
        QString entry;
    };

    explicit FarmStructure(Database& db);

    // Every range, "select * from estructura", in the text order of the entries.
    std::vector<Range> ranges() const;
    // One range, "select * from Estructura where orden={orden}".
    std::optional<Range> range(qint64 orden) const;

    // "Aceptar" of the dialog is allowed for a first and a last cage above 0, the
    // first not above the last, and a kind chosen (a single cage is a range).
    static bool canAccept(double desde, double hasta, int typeIndex);
    // True when a stored range other than orden (0 for a new range) contains the
    // first cage, contains the last cage, or lies inside the new range.
    bool overlaps(double desde, double hasta, qint64 orden) const;

    void insert(double desde, double hasta, int typeIndex);
    void update(qint64 orden, double desde, double hasta, int typeIndex);
    void remove(qint64 orden);

    // The dialog's choices, "(R) Reposición Colectiva" ... "(M) Jaula Macho".
    static QStringList typeChoices();
    // Position of a letter in "RENM"; -1 for any other text.
    static int typeIndex(const QString& letter);
    static QString letter(int typeIndex);

private:
    Database& m_db;
};
