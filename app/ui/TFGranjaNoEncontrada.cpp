#include "TFGranjaNoEncontrada.h"

#include "widgets/AppInfo.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QString TFGranjaNoEncontrada::chooseFolderWithDialog(QWidget* parent, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Carpeta donde está la granja"), start);
}

TFGranjaNoEncontrada::TFGranjaNoEncontrada(const FarmLookup& lookup, FolderChooser chooser, QWidget* parent)
    : QDialog(parent), m_lookup(lookup), m_chooser(std::move(chooser)) {
    setObjectName(QStringLiteral("TFGranjaNoEncontrada"));
    setWindowTitle(QString::fromUtf8(app::kTitle));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(lookup.message() + QStringLiteral("\n\n¿Qué desea hacer?"), this);
    text->setObjectName(QStringLiteral("texto"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setWordWrap(true);
    text->setMinimumWidth(460);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addButton(QStringLiteral("reintentar"), QStringLiteral("Reintentar"),
                                 [this] { finish(FarmChoice::Action::Retry); }));
    buttons->addWidget(
        addButton(QStringLiteral("elegir"), QStringLiteral("Elegir carpeta..."), [this] { chooseFolder(); }));
    if (!lookup.folder.isEmpty())
        buttons->addWidget(
            addButton(QStringLiteral("crear"), QStringLiteral("Crear granja nueva"), [this] { createNew(); }));
    buttons->addWidget(
        addButton(QStringLiteral("salir"), QStringLiteral("Salir"), [this] { finish(FarmChoice::Action::Quit); }));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    KeyNavigation::install(this);
}

QPushButton* TFGranjaNoEncontrada::addButton(const QString& name, const QString& caption,
                                             const std::function<void()>& action) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, action);
    return b;
}

void TFGranjaNoEncontrada::finish(FarmChoice::Action action, const QString& folder) {
    m_choice = FarmChoice{action, folder};
    if (action == FarmChoice::Action::Quit)
        reject();
    else
        accept();
}

void TFGranjaNoEncontrada::chooseFolder() {
    // Started from the nearest folder that is still there.
    QString start = m_lookup.folder;
    while (!start.isEmpty() && !QFileInfo(start).isDir()) {
        const QString up = QFileInfo(start).path();
        if (up == start)
            break;
        start = up;
    }
    const QString folder = m_chooser(this, start);
    if (!folder.isEmpty())
        finish(FarmChoice::Action::UseFolder, folder);
}

void TFGranjaNoEncontrada::createNew() {
    const QString text = QStringLiteral("Se creará una granja nueva, sin ningún dato, en:\n%1\n\n¿Desea continuar?")
                             .arg(QDir::toNativeSeparators(m_lookup.databaseFile()));
    if (messages::confirm(this, QStringLiteral("¡Atención!"), text, QMessageBox::No))
        finish(FarmChoice::Action::CreateNew);
}

FarmChoice TFGranjaNoEncontrada::ask(const FarmLookup& lookup, FolderChooser chooser) {
    TFGranjaNoEncontrada dialog(lookup, std::move(chooser));
    dialog.exec();
    return dialog.choice();
}
