#include "utilities/ui/TFConfirmaSobreescribir.h"

#include "db/DisplayFormat.h"
#include "widgets/KeyNavigation.h"

#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

QString sizeAndDate(qint64 bytes, const QDateTime& when) {
    const QString date = when.isValid() ? display::date(when.date()) + QLatin1Char(' ') + when.time().toString(QStringLiteral("HH:mm:ss"))
                                        : QString();
    return QStringLiteral("%1 bytes  %2").arg(display::mask(double(bytes), QStringLiteral("#,##0")), date);
}

TFConfirmaSobreescribir::TFConfirmaSobreescribir(const QString& existingPath, const ArchiveLayout::Entry& archived,
                                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TFConfirmaSobreescribir"));
    setWindowTitle(QStringLiteral("Confirma sobreescribir archivo"));
    const QFileInfo existing(existingPath);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    const auto row = [&](int at, const QString& caption, const QString& name, const QString& detail, const char* id) {
        auto* title = new QLabel(caption, this);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        auto* file = new QLabel(name, this);
        file->setObjectName(QString::fromLatin1(id));
        auto* info = new QLabel(detail, this);
        info->setObjectName(QString::fromLatin1(id) + QStringLiteral("Datos"));
        grid->addWidget(title, at, 0, Qt::AlignTop);
        grid->addWidget(file, at, 1);
        grid->addWidget(info, at + 1, 1);
    };
    row(0, QStringLiteral("Reemplazar :"), QDir::toNativeSeparators(existing.absoluteFilePath()),
        sizeAndDate(existing.size(), existing.lastModified()), "existente");
    row(2, QStringLiteral("Con :"), archived.name, sizeAndDate(archived.size, archived.modifiedTime()), "archivado");
    grid->setRowMinimumHeight(2, 28);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto add = [&](const QString& text, const char* id, OverwriteAnswer answer) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            done(answer == OverwriteAnswer::Cancel ? Rejected : Accepted);
        });
        buttons->addWidget(b);
        return b;
    };
    QPushButton* yes = add(QStringLiteral("&Si"), "si", OverwriteAnswer::Replace);
    add(QStringLiteral("Si a &Todo"), "siATodo", OverwriteAnswer::ReplaceAll);
    add(QStringLiteral("&No"), "no", OverwriteAnswer::Keep);
    add(QStringLiteral("Cancelar"), "cancelar", OverwriteAnswer::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    KeyNavigation::install(this, KeyNavigation::WithArrows);
    yes->setFocus();
}

void TFConfirmaSobreescribir::reject() {
    m_answer = OverwriteAnswer::Cancel;
    QDialog::reject();
}

OverwriteAnswer TFConfirmaSobreescribir::ask(QWidget* parent, const ArchiveLayout::Entry& archived,
                                             const QFileInfo& existing) {
    TFConfirmaSobreescribir dialog(existing.absoluteFilePath(), archived, parent);
    dialog.exec();
    return dialog.answer();
}
