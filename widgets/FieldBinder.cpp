#include "FieldBinder.h"

#include "db/DisplayFormat.h"
#include "widgets/DateEdit.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <optional>
#include <stdexcept>

namespace {

// A number as the farmer types it in a plain box: "1.234,5" or "1234.5".
QVariant parseNumber(const QString& typed) {
    const std::optional<double> v = display::parseNumber(typed);
    return v ? QVariant(*v) : QVariant();
}

QString plainText(const QVariant& v, TableCursor::Kind kind) {
    if (!v.isValid() || v.isNull())
        return QString();
    switch (kind) {
    case TableCursor::Kind::Number:
    case TableCursor::Kind::Counter:
        return display::mask(v.toDouble(), QStringLiteral("0"));
    case TableCursor::Kind::Date:
        return display::date(v.toDate());
    case TableCursor::Kind::Logical:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TableCursor::Kind::Text:
        return v.toString();
    }
    return QString();
}

} // namespace

QWidget* makeInput(const InputField& field, const Clock& clock, QWidget* parent) {
    QWidget* box = nullptr;
    switch (field.kind) {
    case InputField::Kind::Number: {
        auto* number = new NumberEdit(parent);
        number->setNonNegative(field.nonNegative);
        box = number;
        break;
    }
    case InputField::Kind::Date: {
        auto* date = new DateEdit(clock, parent);
        date->setDefaultsToToday(field.defaultsToToday);
        box = date;
        break;
    }
    case InputField::Kind::Check:
    case InputField::Kind::Tristate: {
        auto* check = new QCheckBox(field.caption, parent);
        check->setTristate(field.kind == InputField::Kind::Tristate);
        box = check;
        break;
    }
    case InputField::Kind::Text: {
        auto* text = new QLineEdit(parent);
        if (field.maxLength > 0)
            text->setMaxLength(field.maxLength);
        if (field.width > 0)
            text->setMinimumWidth(field.width);
        box = text;
        break;
    }
    case InputField::Kind::Own:
        return nullptr;
    }
    if (field.width > 0 && (field.kind == InputField::Kind::Number || field.kind == InputField::Kind::Date))
        box->setFixedWidth(field.width);
    box->setObjectName(field.column);
    return box;
}

FieldBinder::FieldBinder(TableCursor& cursor, QObject* parent) : QObject(parent), m_cursor(&cursor) {
    m_listener = m_cursor->subscribe([this](TableCursor::Change change, const QString& column) {
        if (change == TableCursor::Change::Closed) {
            m_cursor = nullptr;
        } else if (change == TableCursor::Change::Record) {
            load();
        } else if (change == TableCursor::Change::Value) {
            for (const Binding& b : m_bindings) {
                if (b.widget != m_typing && b.column.compare(column, Qt::CaseInsensitive) == 0)
                    write(b, m_cursor->value(b.column));
            }
        }
    });
}

FieldBinder::~FieldBinder() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

void FieldBinder::bind(QWidget* widget, const QString& column) {
    bind(widget, column, Access{});
}

void FieldBinder::bind(QWidget* widget, const QString& column, Access access) {
    QString name;
    for (const auto& c : m_cursor->columns()) {
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            name = c.name;
    }
    if (name.isEmpty())
        throw std::invalid_argument("no such column to bind: " + column.toStdString());
    m_bindings.append(Binding{widget, name, std::move(access)});
    if (!m_bindings.last().access.read) {
        if (auto* e = qobject_cast<QLineEdit*>(widget))
            connect(e, &QLineEdit::textChanged, this, [this, widget] { changed(widget); });
        else if (auto* c = qobject_cast<QCheckBox*>(widget))
            connect(c, &QCheckBox::stateChanged, this, [this, widget] { changed(widget); });
        else if (auto* c = qobject_cast<QComboBox*>(widget))
            connect(c, &QComboBox::currentIndexChanged, this, [this, widget] { changed(widget); });
        else if (auto* t = qobject_cast<QPlainTextEdit*>(widget))
            connect(t, &QPlainTextEdit::textChanged, this, [this, widget] { changed(widget); });
        else
            throw std::invalid_argument("this kind of widget binds only with its own read and write");
    }
    connect(widget, &QObject::destroyed, this,
            [this, widget] { m_bindings.removeIf([widget](const Binding& b) { return b.widget == widget; }); });
    write(m_bindings.last(), m_cursor->value(m_bindings.last().column));
}

void FieldBinder::edited(QWidget* widget) {
    changed(widget);
}

QList<QWidget*> FieldBinder::widgets() const {
    QList<QWidget*> out;
    for (const Binding& b : m_bindings)
        out << b.widget;
    return out;
}

QString FieldBinder::column(QWidget* widget) const {
    const Binding* b = find(widget);
    return b ? b->column : QString();
}

const FieldBinder::Binding* FieldBinder::find(QWidget* widget) const {
    for (const Binding& b : m_bindings) {
        if (b.widget == widget)
            return &b;
    }
    return nullptr;
}

void FieldBinder::write(const Binding& b, const QVariant& v) {
    if (!m_cursor)
        return;
    const bool wasLoading = m_loading;
    m_loading = true;
    const TableCursor::Kind kind = m_cursor->kind(b.column);
    const bool null = !v.isValid() || v.isNull();
    if (b.access.write) {
        b.access.write(v);
    } else if (auto* d = qobject_cast<DateEdit*>(b.widget)) {
        d->setDate(null ? QDate() : v.toDate());
    } else if (auto* n = qobject_cast<NumberEdit*>(b.widget)) {
        n->setValue(null ? 0.0 : v.toDouble());
    } else if (auto* e = qobject_cast<QLineEdit*>(b.widget)) {
        e->setText(plainText(v, kind));
    } else if (auto* c = qobject_cast<QCheckBox*>(b.widget)) {
        if (null && c->isTristate())
            c->setCheckState(Qt::PartiallyChecked);
        else
            c->setChecked(!null && v.toBool());
    } else if (auto* c = qobject_cast<QComboBox*>(b.widget)) {
        int index = -1;
        if (!null) {
            for (int i = 0; i < c->count() && index < 0; ++i) {
                const QVariant data = c->itemData(i);
                if (data.isValid() ? TableCursor::normalized(kind, data) == TableCursor::normalized(kind, v)
                                   : c->itemText(i) == plainText(v, kind))
                    index = i;
            }
        }
        c->setCurrentIndex(index);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(b.widget)) {
        t->setPlainText(null ? QString() : v.toString());
    }
    m_loading = wasLoading;
}

QVariant FieldBinder::widgetValue(QWidget* widget) const {
    const Binding* b = find(widget);
    if (!b || !m_cursor)
        return QVariant();
    const TableCursor::Kind kind = m_cursor->kind(b->column);
    QVariant v;
    if (b->access.read) {
        v = b->access.read();
    } else if (auto* d = qobject_cast<DateEdit*>(widget)) {
        const QDate date = d->date();
        v = date.isValid() ? QVariant(date) : QVariant();
    } else if (auto* n = qobject_cast<NumberEdit*>(widget)) {
        v = n->value();
    } else if (auto* e = qobject_cast<QLineEdit*>(widget)) {
        v = kind == TableCursor::Kind::Number || kind == TableCursor::Kind::Counter ? parseNumber(e->text())
                                                                                    : QVariant(e->text());
    } else if (auto* c = qobject_cast<QCheckBox*>(widget)) {
        if (c->checkState() != Qt::PartiallyChecked)
            v = c->isChecked();
    } else if (auto* c = qobject_cast<QComboBox*>(widget)) {
        if (c->currentIndex() >= 0)
            v = c->currentData().isValid() ? c->currentData() : QVariant(c->currentText());
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(widget)) {
        v = t->toPlainText();
    }
    return TableCursor::normalized(kind, v);
}

bool FieldBinder::checkTyped(const QList<QWidget*>& widgets) const {
    for (QWidget* w : widgets) {
        auto* d = qobject_cast<DateEdit*>(w);
        if (d && find(w) && !d->checkTyped())
            return false;
    }
    return true;
}

bool FieldBinder::isBlank(QWidget* widget) const {
    if (auto* d = qobject_cast<DateEdit*>(widget))
        return d->isBlank();
    if (auto* n = qobject_cast<NumberEdit*>(widget))
        return n->value() == 0;
    if (auto* e = qobject_cast<QLineEdit*>(widget))
        return e->text().trimmed().isEmpty();
    if (auto* c = qobject_cast<QComboBox*>(widget))
        return c->currentIndex() < 0;
    const QVariant v = widgetValue(widget);
    return !v.isValid() || v.toString().trimmed().isEmpty();
}

void FieldBinder::load() {
    if (!m_cursor)
        return;
    for (const Binding& b : m_bindings)
        write(b, m_cursor->value(b.column));
}

void FieldBinder::store() {
    if (!m_cursor || !m_cursor->isEditing())
        return;
    for (const Binding& b : m_bindings) {
        const QVariant v = widgetValue(b.widget);
        if (v != m_cursor->value(b.column)) {
            m_typing = b.widget;
            try {
                m_cursor->setValue(b.column, v);
            } catch (...) {
                m_typing = nullptr;
                throw;
            }
            m_typing = nullptr;
        }
    }
}

void FieldBinder::changed(QWidget* widget) {
    if (m_loading || !m_cursor)
        return;
    const Binding* b = find(widget);
    if (!b)
        return;
    const QString column = b->column;
    std::optional<QVariant> value;
    try {
        value = widgetValue(widget);
    } catch (const std::exception&) {
        // A half-typed date or number is written when it is complete, or at the
        // latest when the row is saved (where it raises its conversion error).
    }
    // A box that only rewrote its text (a date box tidying up on leaving) has
    // changed nothing and puts no row into editing.
    if (value && *value == m_cursor->value(column))
        return;
    m_typing = widget;
    try {
        if (!m_cursor->isEditing())
            m_cursor->edit();
        if (value)
            m_cursor->setValue(column, *value);
    } catch (...) {
        m_typing = nullptr;
        throw;
    }
    m_typing = nullptr;
    emit userEdited(widget);
}
