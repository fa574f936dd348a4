#include "utilities/ui/TFProgresoCopia.h"

#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

QString driveName(const QString& path) {
#ifdef Q_OS_WIN
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return path.left(1).toUpper();
#endif
    return QDir::toNativeSeparators(path);
}

TFProgresoCopia::TFProgresoCopia(const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TFProgresoCopia"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 14);
    layout->setSpacing(8);
    m_action = new QLabel(this);
    m_action->setObjectName(QStringLiteral("accion"));
    m_action->setMinimumWidth(340);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("progreso"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    layout->addWidget(m_action);
    layout->addWidget(m_bar);
    setFixedWidth(380);
}

void TFProgresoCopia::paintNow() {
    // The work runs on this thread: the window and the animation behind it
    // are painted between its steps.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::optional<QString> TFProgresoCopia::askDisk(int disk, const QString& path) {
    return messages::prompt(this, QStringLiteral("Mensaje de Sistema"),
                            QStringLiteral("Por favor inserte el disco nº %1 en la unidad %2:").arg(disk).arg(driveName(path)),
                            QDir::toNativeSeparators(path));
}

bool TFProgresoCopia::askEraseEarlierSet() {
    return messages::ask(this, QStringLiteral("Confirmación"),
                         QStringLiteral("El disco destino tiene archivos. ¿ Deseas borrarlos ?"), QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void TFProgresoCopia::tell(const QString& message) {
    messages::inform(this, QStringLiteral("¡Atención!"), message, QMessageBox::Warning);
}

void TFProgresoCopia::action(const QString& line) {
    if (m_action->text() != line) {
        m_action->setText(line);
        paintNow();
    }
}

void TFProgresoCopia::percent(int value) {
    if (m_bar->value() != value) {
        m_bar->setValue(value);
        paintNow();
    }
}
