#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QFrame;
class QWidget;

// The waiting message: one small borderless window with a raised frame that
// shows a line of text, centred on the screen and above every other window,
// while a long action runs. One window serves every message.
//
//     TMensajero mensaje(QStringLiteral("Buscando una Jaula libre... Por favor, espere."));
//     TMensajero::Showing shown(mensaje); // hidden again however the action ends
class TMensajero {
public:
    static constexpr const char* kTextoInicial = "Texto sin asignar...";

    TMensajero();
    explicit TMensajero(const QString& texto);

    void setTexto(const QString& texto) { m_texto = texto; }
    QString texto() const { return m_texto; }

    // Puts the text into the window, shows it and paints it at once, before the
    // long action takes the program's attention.
    void show() const;
    void hide() const;

    // Shown for the life of the object.
    class Showing {
    public:
        explicit Showing(const TMensajero& mensajero) : m_mensajero(mensajero) { m_mensajero.show(); }
        ~Showing() { m_mensajero.hide(); }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

    private:
        const TMensajero& m_mensajero;
    };

    // The one message window (for tests and screenshots); created on first use.
    static QFrame* window();

private:
    QString m_texto;
};

// The waiting message of an action that can be stopped: the text and a
// "Cancelar" button, shown over the window the action runs from for the life of
// the object. Escape pressed anywhere in the program counts as "Cancelar". The
// action must let the event loop answer now and then (processEvents) for either
// to be seen; cancelled() tells the action to stop.
//
//     TMensajeroCancelable waiting(this, QStringLiteral("Ejecutando... Por favor, espere."));
//     while (work() && !waiting.cancelled()) QCoreApplication::processEvents();
class TMensajeroCancelable : public QObject {
    Q_OBJECT
public:
    TMensajeroCancelable(QWidget* owner, const QString& texto);
    ~TMensajeroCancelable() override;

    bool cancelled() const { return m_cancelled; }
    void cancel() { m_cancelled = true; }
    QFrame* window() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QFrame> m_window;
    bool m_cancelled = false;
};
