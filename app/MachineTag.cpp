#include "MachineTag.h"

#include <QSysInfo>

QString machineTag(const std::function<QString()>& hostName) {
    const QString name = hostName().trimmed();
    return name.isEmpty() ? QStringLiteral("Desconocida") : name.left(30);
}

QString machineTag() {
    return machineTag([] { return QSysInfo::machineHostName(); });
}
