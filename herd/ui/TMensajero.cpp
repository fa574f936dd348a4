#include "TMensajero.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

QPointer<QFrame> g_window;
QLabel* g_label = nullptr;

void destroyWindow() {
    delete g_window.data();
}

} // namespace

TMensajero::TMensajero() : m_texto(QString::fromUtf8(kTextoInicial)) {}

TMensajero::TMensajero(const QString& texto) : m_texto(texto) {}

QFrame* TMensajero::window() {
    if (!g_window) {
        // A tool-tip kind of window never takes the activation from the screen
        // underneath, so the focus is where it was when the message goes.
        g_window = new QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                           Qt::WindowDoesNotAcceptFocus);
        g_window->setObjectName(QStringLiteral("TMensajero"));
        g_window->setFrameStyle(QFrame::Panel | QFrame::Raised);
        g_window->setLineWidth(2);
        g_window->setAttribute(Qt::WA_ShowWithoutActivating);
        g_label = new QLabel(g_window);
        g_label->setObjectName(QStringLiteral("texto"));
        g_label->setAlignment(Qt::AlignCenter);
        qAddPostRoutine(destroyWindow);
    }
    return g_window;
}

void TMensajero::show() const {
    QFrame* w = window();
    g_label->setText(m_texto);
    // As wide as the text plus 8 pixels and as high as it plus 4.
    const QSize text = g_label->fontMetrics().size(Qt::TextSingleLine, m_texto);
    const QSize size = text + QSize(8, 4);
    w->setFixedSize(size);
    g_label->setGeometry(0, 0, size.width(), size.height());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (QWidget* active = QApplication::activeWindow())
        screen = active->screen();
    if (screen) {
        QRect r(QPoint(0, 0), size);
        r.moveCenter(screen->geometry().center());
        w->move(r.topLeft());
    }
    w->show();
    w->raise();
    // Painted now: the action that follows keeps the event loop busy.
    w->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMensajero::hide() const {
    if (g_window)
        g_window->hide();
}

TMensajeroCancelable::TMensajeroCancelable(QWidget* owner, const QString& texto) {
    // A child window of the one the action runs from: a modal screen blocks every
    // other window, but not its own children.
    QWidget* parent = owner ? owner->window() : nullptr;
    m_window = new QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_window->setObjectName(QStringLiteral("TMensajeroCancelable"));
    m_window->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_window->setLineWidth(2);
    auto* label = new QLabel(texto, m_window);
    label->setObjectName(QStringLiteral("texto"));
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), m_window);
    cancelar->setObjectName(QStringLiteral("cancelar"));
    cancelar->setAutoDefault(false);
    connect(cancelar, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    auto* layout = new QHBoxLayout(m_window);
    layout->setContentsMargins(10, 6, 6, 6);
    layout->addWidget(label);
    layout->addWidget(cancelar);
    m_window->adjustSize();
    const QRect over = parent ? parent->frameGeometry() : QGuiApplication::primaryScreen()->geometry();
    QRect r(QPoint(0, 0), m_window->size());
    r.moveCenter(over.center());
    m_window->move(r.topLeft());
    m_window->show();
    m_window->raise();
    m_window->repaint();
    qApp->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TMensajeroCancelable::~TMensajeroCancelable() {
    qApp->removeEventFilter(this);
    delete m_window.data();
}

bool TMensajeroCancelable::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_cancelled = true;
        return true; // the screen underneath does not close on it
    }
    return QObject::eventFilter(watched, event);
}
