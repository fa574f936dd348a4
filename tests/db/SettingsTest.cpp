#include "TempFarm.h"
#include "app/MachineTag.h"
#include "db/Settings.h"
#include "db/AliasConfig.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

TEST(Settings, MissingKeyReadsDefaultsAndIsCreated) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("Brimmont/Quendal.conf"));
    Settings settings(file);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(settings.versionActual(), QString());
    EXPECT_FALSE(settings.actualizacionAutomatica());
    EXPECT_EQ(settings.unidadCopia(), 0);
    EXPECT_EQ(settings.periodicidadAviso(), 0);
}

TEST(Settings, ValuesOfAnotherTypeReadAsDefaults) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("Quendal.conf"));
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(QStringLiteral("ActualizacionAutomatica"), QStringLiteral("quizás"));
        raw.setValue(QStringLiteral("UnidadCopia"), QStringLiteral("C:"));
        raw.setValue(QStringLiteral("PeriodicidadAviso"), 7);
        raw.setValue(QStringLiteral("VersionActual"), QStringLiteral("000900"));
    }
    Settings settings(file);
    EXPECT_FALSE(settings.actualizacionAutomatica());
    EXPECT_EQ(settings.unidadCopia(), 0);
    EXPECT_EQ(settings.periodicidadAviso(), 7);
    EXPECT_EQ(settings.versionActual(), QStringLiteral("000900"));
}

TEST(Settings, WrittenValuesReadBackInANewStore) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("Quendal.conf"));
    {
        Settings settings(file);
        settings.setVersionActual(QStringLiteral("010100"));
        settings.setActualizacionAutomatica(true);
        settings.setUnidadCopia(24);
        settings.setPeriodicidadAviso(3);
    }
    Settings again(file);
    EXPECT_EQ(again.versionActual(), QStringLiteral("010100"));
    EXPECT_TRUE(again.actualizacionAutomatica());
    EXPECT_EQ(again.unidadCopia(), 24);
    EXPECT_EQ(again.periodicidadAviso(), 3);
}

TEST(MachineTag, NameCutToThirtyOrUnknown) {
    EXPECT_EQ(machineTag([] { return QStringLiteral("GRANJA-01"); }), QStringLiteral("GRANJA-01"));
    EXPECT_EQ(machineTag([] { return QString(40, QLatin1Char('x')); }).size(), 30);
    EXPECT_EQ(machineTag([] { return QString(); }), QStringLiteral("Desconocida"));
    EXPECT_EQ(machineTag([] { return QStringLiteral("  "); }), QStringLiteral("Desconocida"));
    EXPECT_LE(machineTag().size(), 30);
}

// Restores an environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name)) {
        m_old = qgetenv(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST(Alias, FirstRunCreatesItSecondRunKeepsItWhateverProgramFilesSays) {
    TempFolder dir;
    ScopedEnv programFiles("ProgramFiles", dir.file(QStringLiteral("Archivos de programa")).toUtf8());
    AliasConfig config(dir.file(QStringLiteral("Brimmont/Alias.conf")));
    EXPECT_FALSE(config.folder(QStringLiteral("QUENDAL")));
    const QString first = config.ensureFarmAlias();
    EXPECT_EQ(first, dir.file(QStringLiteral("Archivos de programa/Torvane/Datos")));
    EXPECT_EQ(config.folder(QStringLiteral("quendal")), first);

    ScopedEnv moved("ProgramFiles", dir.file(QStringLiteral("Otra")).toUtf8());
    AliasConfig again(dir.file(QStringLiteral("Brimmont/Alias.conf")));
    EXPECT_EQ(again.ensureFarmAlias(), first);
}

TEST(Alias, WithoutProgramFilesTheDataFolderIsUnderXdgData) {
    TempFolder dir;
    ScopedEnv programFiles("ProgramFiles", QByteArray());
    ScopedEnv data("XDG_DATA_HOME", dir.file(QStringLiteral("datos")).toUtf8());
    EXPECT_EQ(AliasConfig::defaultDataFolder(), dir.file(QStringLiteral("datos/Torvane/Datos")));
}

TEST(Alias, AnAliasKnownInAnyCaseIsFound) {
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("Alias.conf"));
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(QStringLiteral("QUENDAL/PATH"), dir.file(QStringLiteral("granja")));
    }
    AliasConfig config(file);
    EXPECT_EQ(config.ensureFarmAlias(), dir.file(QStringLiteral("granja")));
}

TEST(Alias, OpeningTheFarmCreatesFolderAndDatabase) {
    TempFolder dir;
    const QString folder = dir.file(QStringLiteral("a/b/Datos"));
    auto db = Database::openInFolder(folder);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Quendal.db")));
}

} // namespace
