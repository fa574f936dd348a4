#include "TMnto.h"

#include "BarArtwork.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace {

const char* const kDefaultCaptions[] = {"Añadir", "Aceptar", "Cancelar", "Borrar", "Salir"};
const char* const kButtonNames[] = {"anadir", "aceptar", "cancelar", "borrar", "salir"};
const barArtwork::Picture kPictures[] = {barArtwork::Picture::Add, barArtwork::Picture::Save,
                                         barArtwork::Picture::Cancel, barArtwork::Picture::Delete,
                                         barArtwork::Picture::Exit};

} // namespace

TMnto::TMnto(QWidget* screen)
    : QFrame(screen), m_titBorrar(QStringLiteral("¡Atención!")),
      m_texBorrar(QStringLiteral("¿Está seguro de que desea BORRAR?")), m_titAlta(QStringLiteral("¡Atención!")),
      m_texAlta(QStringLiteral("Código NO Existente ¿Desea darlo de Alta?")) {
    setObjectName(QStringLiteral("TMnto"));
    for (int i = 0; i < 5; ++i)
        m_captions[i] = QString::fromUtf8(kDefaultCaptions[i]);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(6, 4, 6, 4);
    m_layout->setSpacing(6);
    if (screen)
        screen->window()->installEventFilter(this);
}

TMnto::~TMnto() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

QWidget* TMnto::screen() const {
    return window();
}

void TMnto::setBoton(Boton which, QAbstractButton* button) {
    if (QAbstractButton* old = m_buttons[which])
        disconnect(old, nullptr, this, nullptr);
    m_buttons[which] = button;
    if (button) {
        button->setText(m_captions[which]);
        button->setIcon(barArtwork::icon(kPictures[which]));
        button->setIconSize(QSize(24, 24));
        if (button->objectName().isEmpty())
            button->setObjectName(QString::fromUtf8(kButtonNames[which]));
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
        switch (which) {
        case Anadir:
            connect(button, &QAbstractButton::clicked, this, &TMnto::anadir);
            break;
        case Aceptar:
            connect(button, &QAbstractButton::clicked, this, &TMnto::aceptar);
            break;
        case Cancelar:
            connect(button, &QAbstractButton::clicked, this, &TMnto::cancelar);
            break;
        case Borrar:
            connect(button, &QAbstractButton::clicked, this, &TMnto::borrar);
            break;
        case Salir:
            connect(button, &QAbstractButton::clicked, this, &TMnto::salir);
            break;
        }
    }
    letGoOfAddWhenNotNumeric();
    placeButtons();
    applyState();
}

QAbstractButton* TMnto::boton(Boton which) const {
    return m_buttons[which];
}

void TMnto::createButtons(std::initializer_list<Boton> which) {
    for (Boton b : which)
        setBoton(b, new QPushButton(this));
}

void TMnto::addButton(QAbstractButton* button) {
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setAutoDefault(false);
    m_extra << button;
    placeButtons();
}

void TMnto::placeButtons() {
    while (m_layout->count() > 0)
        delete m_layout->takeAt(0);
    for (int i = Anadir; i <= Borrar; ++i) {
        if (m_buttons[i])
            m_layout->addWidget(m_buttons[i]);
    }
    for (const auto& b : m_extra) {
        if (b)
            m_layout->addWidget(b);
    }
    if (m_buttons[Salir])
        m_layout->addWidget(m_buttons[Salir]);
}

void TMnto::setCadenaBoton(int number, const QString& caption) {
    if (number < 1 || number > 5)
        return;
    m_captions[number - 1] = caption;
    if (QAbstractButton* b = m_buttons[number - 1])
        b->setText(caption);
}

QString TMnto::cadenaBoton(int number) const {
    return number >= 1 && number <= 5 ? m_captions[number - 1] : QString();
}

void TMnto::setDataSource(TableCursor* cursor) {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
    delete m_binder;
    m_binder = nullptr;
    m_rm.reset();
    m_campos.clear();
    m_cursor = cursor;
    if (!cursor)
        return;
    m_rm = std::make_unique<RecordMaintenance>(*cursor);
    m_binder = new FieldBinder(*cursor, this);
    m_listener = cursor->subscribe([this](TableCursor::Change change, const QString&) {
        if (change == TableCursor::Change::State) {
            applyState();
        } else if (change == TableCursor::Change::Closed) {
            // The screen's cursor goes before the bar: nothing more to edit.
            m_cursor = nullptr;
        }
    });
    applyState();
}

void TMnto::setCampos(const QList<Campo>& campos) {
    if (!m_cursor)
        throw std::logic_error("the bar needs its DataSource before its fields");
    m_campos = campos;
    for (const Campo& c : campos)
        m_binder->bind(c.widget, c.column, c.access);
    updateKeys();
}

void TMnto::setCamposClave(const QStringList& columns) {
    m_camposClave = columns;
    updateKeys();
}

void TMnto::updateKeys() {
    m_keyCount = 0;
    while (m_keyCount < m_camposClave.size() && m_keyCount < m_campos.size() &&
           m_camposClave[m_keyCount].compare(m_campos[m_keyCount].column, Qt::CaseInsensitive) == 0)
        ++m_keyCount;
    if (m_lastKey)
        m_lastKey->removeEventFilter(this);
    m_lastKey = m_keyCount > 0 ? m_campos[m_keyCount - 1].widget : nullptr;
    if (m_lastKey)
        m_lastKey->installEventFilter(this);
    if (m_rm) {
        QStringList keys;
        for (int i = 0; i < m_keyCount; ++i)
            keys << m_campos[i].column;
        m_rm->setKeyColumns(keys);
        m_rm->setFirstColumn(m_campos.isEmpty() ? QString() : m_campos.first().column);
    }
    letGoOfAddWhenNotNumeric();
    applyState();
}

void TMnto::letGoOfAddWhenNotNumeric() {
    // Adding needs a single numeric key: otherwise the add button is not the bar's.
    if (!m_rm || m_campos.isEmpty() || m_camposClave.isEmpty() || !m_buttons[Anadir] || m_rm->canAdd())
        return;
    disconnect(m_buttons[Anadir], nullptr, this, nullptr);
    m_buttons[Anadir] = nullptr;
}

QList<QWidget*> TMnto::keyFields() const {
    QList<QWidget*> out;
    for (int i = 0; i < m_keyCount; ++i)
        out << m_campos[i].widget;
    return out;
}

QList<QWidget*> TMnto::otherFields() const {
    QList<QWidget*> out;
    for (qsizetype i = m_keyCount; i < m_campos.size(); ++i)
        out << m_campos[i].widget;
    return out;
}

void TMnto::applyState() {
    if (!m_rm || !m_cursor)
        return;
    const RecordMaintenance::Enabling e = m_rm->enabling();
    const bool on[] = {e.add, e.save, e.cancel, e.remove, e.exit};
    for (int i = 0; i < 5; ++i) {
        if (m_buttons[i])
            m_buttons[i]->setEnabled(on[i]);
    }
    // Fields are enabled first and the focus put where it belongs before any
    // field is disabled, so the focus never wanders through the fields.
    const auto enable = [](const QList<QWidget*>& fields, bool on) {
        for (QWidget* w : fields)
            w->setEnabled(on);
    };
    if (e.keys.value_or(false))
        enable(keyFields(), true);
    if (e.others.value_or(false))
        enable(otherFields(), true);
    const TableCursor::State state = m_cursor->state();
    if (state == TableCursor::State::Browse && m_keyCount > 0) {
        QWidget* first = m_campos.first().widget;
        if (screen()->isVisible() && first->isVisible())
            first->setFocus(Qt::OtherFocusReason);
    } else if (e.keys == false && keyFields().contains(QApplication::focusWidget())) {
        focusFirstOther();
    }
    if (e.keys == false)
        enable(keyFields(), false);
    if (e.others == false)
        enable(otherFields(), false);
    emit stateApplied(state);
}

void TMnto::focusColumn(const QString& column) {
    for (QWidget* w : m_binder->widgets()) {
        if (m_binder->column(w).compare(column, Qt::CaseInsensitive) == 0) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void TMnto::focusFirstOther() {
    for (QWidget* w : otherFields()) {
        if (w->isVisible() && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void TMnto::anadir() {
    if (!m_rm || !m_cursor)
        return;
    messages::guarded(screen(), [this] {
        m_rm->add();
        focusFirstOther();
    });
}

void TMnto::aceptar() {
    if (!m_rm || !m_cursor)
        return;
    // A date box holding no date has said so and keeps the focus: nothing is saved.
    if (!m_binder->checkTyped())
        return;
    messages::guarded(screen(), [this] {
        try {
            m_binder->store();
            m_rm->save();
        } catch (const FieldRefused& refused) {
            messages::showError(screen(), refused);
            focusColumn(refused.column());
        }
    });
}

void TMnto::cancelar() {
    if (!m_rm || !m_cursor)
        return;
    messages::guarded(screen(), [this] { m_rm->cancel(); });
}

void TMnto::borrar() {
    if (!m_rm || !m_cursor)
        return;
    if (messages::confirm(screen(), m_titBorrar, m_texBorrar, QMessageBox::No))
        messages::guarded(screen(), [this] { m_rm->remove(); });
    else
        messages::guarded(screen(), [this] { m_rm->cancel(); });
}

void TMnto::salir() {
    screen()->close();
}

bool TMnto::keyLookup() {
    if (!m_rm || !m_cursor || m_keyCount == 0)
        return false;
    // A key date that is no date has said so; Enter stays in its box.
    if (!m_binder->checkTyped(keyFields()))
        return true;
    bool movedOn = false;
    messages::guarded(screen(), [&] {
        QVariantList values;
        for (QWidget* w : keyFields()) {
            if (m_binder->isBlank(w))
                return; // an empty key field: nothing to look up
            values << m_binder->widgetValue(w);
        }
        switch (m_rm->lookup(values)) {
        case RecordMaintenance::Lookup::Incomplete:
            return;
        case RecordMaintenance::Lookup::Found:
            applyState();
            focusFirstOther();
            movedOn = true;
            return;
        case RecordMaintenance::Lookup::Missing:
            if (!messages::confirm(screen(), m_titAlta, m_texAlta, QMessageBox::No))
                return;
            m_rm->create(values);
            focusFirstOther();
            movedOn = true;
            return;
        }
    });
    return movedOn;
}

bool TMnto::escape() {
    if (!m_cursor || !m_rm || !m_cursor->isEditing())
        return false;
    cancelar();
    return true;
}

bool TMnto::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lastKey && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (KeyNavigation::isEnter(key))
            return keyLookup(); // when it did not move on, the screen's own Enter follows
        return false;
    }
    if (watched != screen())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        if (escape())
            return true;
        if (!qobject_cast<QDialog*>(screen())) {
            screen()->close();
            return true;
        }
        return false; // a dialog closes itself on Escape
    }
    case QEvent::Show:
        // Ahead of the screen's Enter navigation, installed after the bar.
        if (m_lastKey) {
            m_lastKey->removeEventFilter(this);
            m_lastKey->installEventFilter(this);
        }
        applyState();
        return false;
    case QEvent::Close:
        // Closing with a change pending abandons it, with the screen's cancel rules.
        if (m_cursor && m_rm && m_cursor->isEditing() && !messages::guarded(screen(), [this] { m_rm->cancel(); })) {
            event->ignore();
            return true;
        }
        return false;
    default:
        return false;
    }
}
