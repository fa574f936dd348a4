#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

std::unique_ptr<QSettings> platformStore() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Brimmont\\Quendal"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brimmont"),
                                       QStringLiteral("Quendal"));
#endif
}

} // namespace

Settings::Settings() : m_store(platformStore()) {
    ensureKey();
}

Settings::Settings(const QString& iniFile) : m_store(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {
    ensureKey();
}

Settings::~Settings() = default;

void Settings::ensureKey() {
    if (m_store->format() != QSettings::IniFormat)
        return;
    const QString file = m_store->fileName();
    if (QFileInfo::exists(file))
        return;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.close();
}

QString Settings::text(const char* name) const {
    const QVariant v = m_store->value(QLatin1String(name));
    return v.canConvert<QString>() ? v.toString() : QString();
}

bool Settings::logical(const char* name) const {
    const QVariant v = m_store->value(QLatin1String(name));
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    // An INI file keeps text: only the words a logical is written as count.
    const QString s = v.toString().trimmed().toLower();
    return s == QLatin1String("true");
}

int Settings::integer(const char* name) const {
    const QVariant v = m_store->value(QLatin1String(name));
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : 0;
}

void Settings::write(const char* name, const QVariant& value) {
    m_store->setValue(QLatin1String(name), value);
    m_store->sync();
}

QString Settings::versionActual() const {
    return text("VersionActual");
}

void Settings::setVersionActual(const QString& value) {
    write("VersionActual", value);
}

bool Settings::actualizacionAutomatica() const {
    return logical("ActualizacionAutomatica");
}

void Settings::setActualizacionAutomatica(bool value) {
    write("ActualizacionAutomatica", value);
}

int Settings::unidadCopia() const {
    return integer("UnidadCopia");
}

void Settings::setUnidadCopia(int value) {
    write("UnidadCopia", value);
}

int Settings::periodicidadAviso() const {
    return integer("PeriodicidadAviso");
}

void Settings::setPeriodicidadAviso(int value) {
    write("PeriodicidadAviso", value);
}

QString Settings::value(const QString& name) const {
    const QVariant v = m_store->value(name);
    return v.canConvert<QString>() ? v.toString() : QString();
}

void Settings::setValue(const QString& name, const QString& value) {
    m_store->setValue(name, value);
    m_store->sync();
}

QString Settings::servidorActualizaciones() const {
    return text("ServidorActualizaciones").trimmed();
}

void Settings::setServidorActualizaciones(const QString& value) {
    write("ServidorActualizaciones", value);
}
