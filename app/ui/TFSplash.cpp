#include "TFSplash.h"

#include "Artwork.h"
#include "widgets/AppInfo.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TFSplash::TFSplash(QWidget* parent, int showMs) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setObjectName(QStringLiteral("TFSplash"));
    setModal(true);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    frame->setStyleSheet(QStringLiteral("QFrame { background: #fbf8ef; }"));

    auto* picture = new QLabel(frame);
    picture->setPixmap(artwork::emblem(128));
    picture->setAlignment(Qt::AlignCenter);

    auto* name = new QLabel(QString::fromUtf8(app::kTitle), frame);
    name->setObjectName(QStringLiteral("name"));
    QFont big = name->font();
    big.setPointSize(22);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);

    auto* product = new QLabel(QStringLiteral("Gestión Torvane"), frame);
    product->setObjectName(QStringLiteral("product"));
    QFont medium = product->font();
    medium.setPointSize(13);
    medium.setItalic(true);
    product->setFont(medium);
    product->setAlignment(Qt::AlignCenter);

    auto* line = new QLabel(QStringLiteral("Programa de Gestión Cunícola: registro de reproductores, control por "
                                           "bloques, maternidad, cebadero, guía de trabajo y reposición."),
                            frame);
    line->setObjectName(QStringLiteral("line"));
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignCenter);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(28, 24, 28, 24);
    inner->setSpacing(10);
    inner->addWidget(picture);
    inner->addWidget(name);
    inner->addWidget(product);
    inner->addWidget(line);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setFixedSize(460, 380);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(showMs, this, &QDialog::accept);
}
