#pragma once

#include "widgets/FieldBinder.h"
#include "herd/RecordMaintenance.h"

#include <QFrame>
#include <QList>
#include <QPointer>
#include <array>
#include <initializer_list>
#include <memory>

class QAbstractButton;
class QHBoxLayout;

// The record maintenance bar at the bottom of every row-by-row screen. It owns
// the screen's editing cycle on its table cursor (DataSource): Enter in the last
// key field looks the key up ("Código NO Existente ¿Desea darlo de Alta?" when
// missing), "Añadir" begins a row with the next number, "Aceptar" saves,
// "Cancelar" abandons, "Borrar" deletes after confirmation, "Salir" closes the
// screen; Escape cancels a pending change before it closes the screen. The
// screen's own rules hook into the cursor's events.
//
// Use: create it on the screen, attach the buttons (or createButtons), set the
// DataSource, then Campos (input widgets with their columns, keys first) and
// CamposClave, and add it to the bottom of the screen's layout.
class TMnto : public QFrame {
    Q_OBJECT
public:
    enum Boton { Anadir = 0, Aceptar, Cancelar, Borrar, Salir };
    struct Campo {
        QWidget* widget;
        QString column;
        FieldBinder::Access access = {}; // for widgets FieldBinder does not know
    };

    explicit TMnto(QWidget* screen);
    ~TMnto() override;

    // BotonAnadir ... BotonSalir: any may be absent. An attached button gets its
    // caption and picture and its click does the bar's action.
    void setBoton(Boton which, QAbstractButton* button);
    void setBotonAnadir(QAbstractButton* b) { setBoton(Anadir, b); }
    void setBotonAceptar(QAbstractButton* b) { setBoton(Aceptar, b); }
    void setBotonCancelar(QAbstractButton* b) { setBoton(Cancelar, b); }
    void setBotonBorrar(QAbstractButton* b) { setBoton(Borrar, b); }
    void setBotonSalir(QAbstractButton* b) { setBoton(Salir, b); }
    QAbstractButton* boton(Boton which) const;
    // Creates and attaches the standard buttons named.
    void createButtons(std::initializer_list<Boton> which);
    // A screen's own button on the bar, placed before "Salir" ("1ª Libre").
    void addButton(QAbstractButton* button);

    // CadenaBoton1..5: the captions of the five buttons, in the order above.
    void setCadenaBoton(int number, const QString& caption);
    QString cadenaBoton(int number) const;
    void setCadenaTitBorrar(const QString& text) { m_titBorrar = text; }
    void setCadenaTexBorrar(const QString& text) { m_texBorrar = text; }
    void setCadenaTitAlta(const QString& text) { m_titAlta = text; }
    void setCadenaTexAlta(const QString& text) { m_texAlta = text; }
    QString cadenaTitBorrar() const { return m_titBorrar; }
    QString cadenaTexBorrar() const { return m_texBorrar; }
    QString cadenaTitAlta() const { return m_titAlta; }
    QString cadenaTexAlta() const { return m_texAlta; }

    void setDataSource(TableCursor* cursor);
    TableCursor* dataSource() const { return m_cursor; }
    // Campos: the screen's input fields in order, key fields first.
    void setCampos(const QList<Campo>& campos);
    // CamposClave: the key columns; an entry counts only where it matches, at the
    // same position, the column of Campos.
    void setCamposClave(const QStringList& columns);
    QList<QWidget*> keyFields() const;
    QList<QWidget*> otherFields() const;

    RecordMaintenance* maintenance() const { return m_rm.get(); }
    FieldBinder* binder() const { return m_binder; }

    // The actions, as the buttons and keys run them. Errors are shown to the
    // farmer and leave the screen where it was.
    void anadir();
    void aceptar();
    void cancelar();
    void borrar();
    void salir();
    // The key lookup of Enter in the last key field; true when Enter is done
    // with: the cursor moved on to the first field after the keys, or a key date
    // that is no date said so and kept the focus.
    bool keyLookup();
    // Escape: true when it abandoned a pending change (the screen stays open).
    bool escape();

    // Applies the enabling of the cursor's state to buttons and fields.
    void applyState();

signals:
    // The bar has just enabled and disabled its buttons and fields for this
    // state; screens hook their own controls here.
    void stateApplied(TableCursor::State state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeButtons();
    void updateKeys();
    void letGoOfAddWhenNotNumeric();
    void focusFirstOther();
    // Puts the cursor into the field bound to a column (a refused value).
    void focusColumn(const QString& column);
    QWidget* screen() const;

    std::array<QPointer<QAbstractButton>, 5> m_buttons;
    QList<QPointer<QAbstractButton>> m_extra;
    std::array<QString, 5> m_captions;
    QString m_titBorrar;
    QString m_texBorrar;
    QString m_titAlta;
    QString m_texAlta;

    TableCursor* m_cursor = nullptr;
    std::unique_ptr<RecordMaintenance> m_rm;
    FieldBinder* m_binder = nullptr;
    int m_listener = 0;
    QList<Campo> m_campos;
    QStringList m_camposClave;
    int m_keyCount = 0;
    QPointer<QWidget> m_lastKey;
    QHBoxLayout* m_layout;
};
