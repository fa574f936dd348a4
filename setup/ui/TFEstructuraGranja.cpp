#include "TFEstructuraGranja.h"

#include "TFEdicionEstructura.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "setup/FarmStructure.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// The list entry of a row, kept beside its visible columns.
constexpr int kEntryRole = Qt::UserRole;
constexpr int kOrdenRole = Qt::UserRole + 1;
} // namespace

TFEstructuraGranja::TFEstructuraGranja(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_db(context.db) {
    setObjectName(QStringLiteral("TFEstructuraGranja"));
    setWindowTitle(QStringLiteral("Definir Estructura de la Granja"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lista"));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({QStringLiteral("Desde Jaula"), QStringLiteral("Hasta Jaula"), QStringLiteral("Tipo")});
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(false);
    m_list->header()->setSectionsClickable(false);
    m_list->header()->setDefaultAlignment(Qt::AlignCenter);
    m_list->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->setMinimumSize(360, 260);
    m_list->installEventFilter(this);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { changeSelected(); });

    auto* hints = new QVBoxLayout;
    for (const char* hint : {"Pulse tecla [Ins] para Insertar.", "Pulse [Intro] o haga doble click para modificar",
                             "Pulse tecla [Supr] para suprimir"}) {
        auto* label = new QLabel(QString::fromUtf8(hint), this);
        hints->addWidget(label);
    }
    auto* salir = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Salir"), this);
    salir->setObjectName(QStringLiteral("salir"));
    salir->setAutoDefault(false);
    connect(salir, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(hints);
    bottom->addStretch();
    bottom->addWidget(salir, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(bottom);
    KeyNavigation::install(this);
    reload();
}

void TFEstructuraGranja::reload() {
    m_list->clear();
    m_list->setCurrentItem(nullptr);
    messages::guarded(this, [this] {
        for (const FarmStructure::Range& r : FarmStructure(m_db).ranges()) {
            const QStringList parts = r.entry.split(QLatin1Char('|'));
            auto* item = new QTreeWidgetItem(m_list, {parts.value(2), parts.value(3), parts.value(4)});
            item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
            item->setTextAlignment(2, Qt::AlignCenter);
            item->setData(0, kEntryRole, r.entry);
            item->setData(0, kOrdenRole, r.orden);
        }
    });
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
}

qint64 TFEstructuraGranja::selectedOrden() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return 0;
    return selected.first()->data(0, kOrdenRole).toLongLong();
}

void TFEstructuraGranja::insertRange() {
    messages::guarded(this, [this] {
        TFEdicionEstructura dialog(m_db, 0, this);
        if (dialog.exec() == QDialog::Accepted)
            FarmStructure(m_db).insert(dialog.desde(), dialog.hasta(), dialog.typeIndex());
    });
    reload();
}

void TFEstructuraGranja::changeSelected() {
    const qint64 orden = selectedOrden();
    if (orden == 0)
        return;
    messages::guarded(this, [this, orden] {
        TFEdicionEstructura dialog(m_db, orden, this);
        if (dialog.exec() == QDialog::Accepted)
            FarmStructure(m_db).update(orden, dialog.desde(), dialog.hasta(), dialog.typeIndex());
    });
    reload();
}

void TFEstructuraGranja::deleteSelected() {
    const qint64 orden = selectedOrden();
    if (orden == 0)
        return;
    if (messages::ask(this, QStringLiteral("¡Atención!"),
                      QStringLiteral("¿Está seguro de querer borrar esta definición?"), QMessageBox::Question,
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes)
        messages::guarded(this, [this, orden] { FarmStructure(m_db).remove(orden); });
    reload();
}

bool TFEstructuraGranja::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Insert:
            insertRange();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            changeSelected();
            return true;
        case Qt::Key_Delete:
            deleteSelected();
            return true;
        default:
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}
