#include "TFDatosExplotacion.h"

#include "db/TableCursor.h"
#include "setup/FarmParameterFields.h"
#include "widgets/DialogButtons.h"
#include "widgets/FieldBinder.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

TFDatosExplotacion::TFDatosExplotacion(const FarmContext& context, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFDatosExplotacion"));
    setWindowTitle(QStringLiteral("Datos de la Explotación"));
    m_cursor = std::make_unique<TableCursor>(context.db, QStringLiteral("DatosExplotacion.db"));
    m_binder = new FieldBinder(*m_cursor, this);

    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("paginas"));
    QHash<QString, QFormLayout*> forms;
    for (const QString& page : farmParameters::pages()) {
        auto* tab = new QWidget(m_pages);
        auto* form = new QFormLayout(tab);
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        form->setContentsMargins(16, 16, 16, 16);
        form->setVerticalSpacing(10);
        forms.insert(page, form);
        m_pages->addTab(tab, page);
    }

    QWidget* lastOnPage = nullptr;
    QString lastPage;
    for (const farmParameters::Field& f : farmParameters::fields()) {
        const QString column = QString::fromUtf8(f.column);
        const QString page = QString::fromUtf8(f.page);
        QWidget* box = makeInput({.column = column,
                                  .kind = f.number ? InputField::Kind::Number : InputField::Kind::Text,
                                  .width = f.number         ? 90
                                           : page.isEmpty() ? 360
                                                            : 240},
                                 context.clock, this);
        m_boxes.insert(column, box);
        m_binder->bind(box, column);
        if (page.isEmpty()) {
            auto* top = new QFormLayout;
            top->addRow(QString::fromUtf8(f.label), box);
            layout->addLayout(top);
            continue;
        }
        forms.value(page)->addRow(QString::fromUtf8(f.label), box);
        if (page != lastPage && lastOnPage)
            m_lastOfPage << lastOnPage;
        lastPage = page;
        lastOnPage = box;
    }
    // Enter walks the boxes and the pages; the tabs themselves need no stop.
    if (auto* bar = m_pages->findChild<QTabBar*>())
        bar->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_pages);

    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TFDatosExplotacion::accept);
    layout->addLayout(buttons.layout);

    KeyNavigation::install(this);
    // Enter on the last box of a page goes on to the first box of the next page,
    // so the whole row can be typed with Enter alone.
    for (QWidget* w : m_lastOfPage)
        w->installEventFilter(this);

    farmParameters::beginEditing(*m_cursor);
    m_binder->load();
}

TFDatosExplotacion::~TFDatosExplotacion() = default;

QWidget* TFDatosExplotacion::box(const QString& column) const {
    return m_boxes.value(column);
}

bool TFDatosExplotacion::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int index = int(m_lastOfPage.indexOf(static_cast<QWidget*>(watched)));
    if (index < 0 || key->modifiers() != Qt::NoModifier ||
        (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
        return false;
    m_pages->setCurrentIndex(index + 1);
    if (auto* form = qobject_cast<QFormLayout*>(m_pages->widget(index + 1)->layout())) {
        if (QLayoutItem* item = form->itemAt(0, QFormLayout::FieldRole))
            item->widget()->setFocus(Qt::TabFocusReason);
    }
    return true;
}

void TFDatosExplotacion::accept() {
    const bool saved = messages::guarded(this, [this] {
        m_binder->store();
        m_cursor->post();
    });
    if (saved)
        QDialog::accept();
}

void TFDatosExplotacion::reject() {
    messages::guarded(this, [this] { m_cursor->cancel(); });
    QDialog::reject();
}
