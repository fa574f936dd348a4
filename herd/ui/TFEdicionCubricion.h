#pragma once

#include <QDialog>
#include <QHash>
#include <QVariant>
#include <memory>

class Clock;
class Database;
class TableCursor;
class TMnto;

// The cycle dialog of the registers: one row of CubriHembras (a female's cycle)
// or of CubriMachos (a male's mating), captioned "Inserción de nueva cubrición"
// when adding and "Edición de Cubrición" when correcting. It carries the record
// maintenance bar with "Aceptar" and "Cancelar" only, keyed by the hidden Orden.
// "Aceptar" saves the row (empty counts as 0) and closes; "Cancelar" or Escape
// abandons and closes. Saving changes that row and nothing else.
//
// Input names: "FechaCubricion", "CodigoMacho" (female) or "CodigoHembra" (male),
// "Palpacion", then for a female "FechaParto", "NacidosVivos", "NacidosMuertos",
// "Anadidos", "Quitados", "Destetados", "Destetada"; for a male "NacidosVivos",
// "NacidosMuertos". Buttons "aceptar" and "cancelar".
class TFEdicionCubricion : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Female, Male };

    // `owner` is the animal's number, or NULL while the animal is being
    // registered; `orden` 0 adds a row, any other corrects that row.
    TFEdicionCubricion(Kind kind, Database& db, const Clock& clock, const QVariant& owner, const QString& machineTag,
                       qint64 orden, QWidget* parent = nullptr);
    ~TFEdicionCubricion() override;

    QWidget* field(const QString& column) const { return m_fields.value(column); }
    TMnto* bar() const { return m_bar; }

private:
    std::unique_ptr<TableCursor> m_cursor;
    TMnto* m_bar = nullptr;
    QHash<QString, QWidget*> m_fields;
    bool m_open = false;
    bool m_saved = false;
};
