#pragma once

#include "app/Startup.h"
#include "widgets/FarmContext.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QMenu;

// The main window: a frame with a tiled background and the menu that opens
// every screen modally. It holds no data of its own.
class TFPantallaPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFPantallaPrincipal(FarmContext context, QWidget* parent = nullptr);

    // A menu item by its path, "Archivo/Salir"; a menu title alone for a command
    // on the bar ("Guía de Trabajo").
    QAction* action(const QString& path) const;
    QStringList menuPaths() const;
    const StartupPlan& startupPlan() const { return m_plan; }

    // "Acerca de Torvane...": the about window, or the free-SQL console when
    // Ctrl is held at the moment the item is chosen.
    void about(Qt::KeyboardModifiers modifiers);
    void setSplashDuration(int ms) { m_splashMs = ms; }

private:
    using Opener = std::function<void()>;
    void buildMenu();
    void openScreens();
    QAction* addItem(QMenu* menu, const QString& path, const QString& caption);

    FarmContext m_context;
    StartupPlan m_plan;
    QHash<QString, QAction*> m_actions;
    QStringList m_paths;
    int m_splashMs;
};
