#pragma once

#include <QString>
#include <memory>

class QSettings;

// The installation's preferences under "Software\Brimmont\Quendal": the
// machine-wide registry key on Windows, an INI file elsewhere
// ($XDG_CONFIG_HOME/Brimmont/Quendal.ini). A value that is missing, or stored
// with another type, reads as its default. The key is created when missing.
class Settings {
public:
    // The platform's store.
    Settings();
    // An INI file of its own (tests, tools).
    explicit Settings(const QString& iniFile);
    ~Settings();

    QString versionActual() const;
    void setVersionActual(const QString& value);
    bool actualizacionAutomatica() const;
    void setActualizacionAutomatica(bool value);
    int unidadCopia() const;
    void setUnidadCopia(int value);
    int periodicidadAviso() const;
    void setPeriodicidadAviso(int value);
    // The update server's root address ("http://host:port"), written by the
    // installer; empty when the installation has no update server.
    QString servidorActualizaciones() const;
    void setServidorActualizaciones(const QString& value);

    // Any other value of the installation by its name ("Grupo/Nombre"), as text:
    // empty when missing. For preferences kept by one screen of their own.
    QString value(const QString& name) const;
    void setValue(const QString& name, const QString& value);

private:
    QString text(const char* name) const;
    bool logical(const char* name) const;
    int integer(const char* name) const;
    void write(const char* name, const QVariant& value);
    void ensureKey();

    std::unique_ptr<QSettings> m_store;
};
