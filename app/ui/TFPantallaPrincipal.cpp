#include "TFPantallaPrincipal.h"

#include "Artwork.h"
#include "TFActualizacion.h"
#include "TFConsolaSQL.h"
#include "TFSplash.h"
#include "widgets/Messages.h"
#include "widgets/AppInfo.h"
#include "setup/ui/TFDatosExplotacion.h"
#include "setup/ui/TFEstructuraGranja.h"
#include "blocks/ui/TFCubricionesHembras.h"
#include "blocks/ui/TFDestetesHembras.h"
#include "blocks/ui/TFInseminacionesHembras.h"
#include "blocks/ui/TFPalpacionesHembras.h"
#include "blocks/ui/TFPartosHembras.h"
#include "blocks/ui/TFTraslados.h"
#include "herd/ui/TFAltasHembras.h"
#include "herd/ui/TFMantenimientoHembras.h"
#include "herd/ui/TFMantenimientoMachos.h"
#include "pools/ui/TFGestionPools.h"
#include "herd/ui/TFMarcarHembras.h"
#include "analysis/ui/TFGraficos.h"
#include "analysis/ui/TFDatosDiarios.h"
#include "analysis/ui/TFMovimientoCebadero.h"
#include "analysis/ui/TFResumenCebadero.h"
#include "analysis/ui/TFResumenMaternidad.h"
#include "guide/ui/TFGuiaTrabajo.h"
#include "results/ui/TFResultadosTecnicos.h"
#include "import/ui/TFImportacionFerralind.h"
#include "update/ui/TFActualizacionesAutomaticas.h"
#include "update/ui/TFConfiguracion.h"
#include "replacement/ui/TFObjetivosReposicion.h"
#include "selection/ui/TFJaulasOcupadas.h"
#include "selection/ui/TFListadoAnimales.h"
#include "utilities/ui/FarmDataExport.h"
#include "utilities/ui/TFCopiaSeguridad.h"
#include "utilities/ui/TFReparacionTablas.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// The menu in its order; "-" is a separator. An item opens its screen once the
// screen exists; until then it stays disabled. The titles carry their mnemonics
// (Alt+A opens "Archivo"); paths name them without the "&".
struct MenuEntry {
    const char* menu;
    std::initializer_list<const char*> items;
};

const MenuEntry kMenu[] = {
    {"&Archivo",
     {"Datos de la Explotación", "Definir Estructura de la Granja", "-", "Importación desde Ferralind", "-",
      "Hacer Copia de Seguridad", "Restaurar Copia de Seguridad", "Reparación de Bases de Datos", "Exportar Datos...", "-",
      "Configuración", "-", "Acerca de Torvane...", "-", "Salir"}},
    {"&Control por Bloques",
     {"Cubriciones", "Palpaciones", "Partos", "Destetes", "Traslado hembras jaulas", "Traslado hembras (Nidales)",
      "Traslado machos jaulas", "Entrada inseminaciones", "Altas de Hembras", "Marcar Hembras (Por Jaula)",
      "Marcar Hembras (Por Código)"}},
    {"&Maternidad", {"Datos Diarios", "Gráficos", "Resumen", "Resultados Técnicos"}},
    {"&Guía de Trabajo", {}},
    {"Control &Individual", {"Ficha Hembra", "Ficha Macho", "Pools", "Jaulas ocupadas"}},
    {"C&ebadero", {"Movimiento", "Gráficos", "Resumen"}},
    {"&Reposición",
     {"Objetivos y Estado Actual", "Listado de Propuesta de Eliminación (Hembras)",
      "Listado de Propuesta de Eliminación (Machos)"}},
    {"&Selección", {"Listado Hembras", "Listado Machos"}},
};

} // namespace

TFPantallaPrincipal::TFPantallaPrincipal(FarmContext context, QWidget* parent)
    : QMainWindow(parent), m_context(std::move(context)), m_splashMs(TFSplash::kShowMs) {
    setObjectName(QStringLiteral("TFPantallaPrincipal"));
    setWindowTitle(QString::fromUtf8(app::kTitle));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* rule = new QFrame(central);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto* area = new QMdiArea(central);
    area->setBackground(QBrush(artwork::backgroundTile()));
    layout->addWidget(rule);
    layout->addWidget(area);
    setCentralWidget(central);

    buildMenu();
    openScreens();
    // Farm staff work from the keyboard: F10 opens the first menu of the bar.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });

    // The database upgrade and the update offer are decided here, before the
    // user can do anything; their screens hook in at this point.
    m_plan = StartupPlan::read(m_context.settings);
    if (m_plan.upgradeDatabase) {
        TFActualizacion upgrade(m_context.db, m_context.settings, this);
        upgrade.exec();
    }
    if (m_plan.offerUpdate)
        TFActualizacionesAutomaticas::run(m_context.settings, this);
}

QAction* TFPantallaPrincipal::addItem(QMenu* menu, const QString& path, const QString& caption) {
    QAction* a = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    a->setObjectName(path);
    a->setEnabled(false);
    m_actions.insert(path, a);
    m_paths << path;
    return a;
}

void TFPantallaPrincipal::buildMenu() {
    for (const MenuEntry& entry : kMenu) {
        const QString shown = QString::fromUtf8(entry.menu);
        const QString title = QString(shown).remove(QLatin1Char('&'));
        if (entry.items.size() == 0) {
            addItem(nullptr, title, shown);
            continue;
        }
        QMenu* menu = menuBar()->addMenu(shown);
        for (const char* item : entry.items) {
            const QString caption = QString::fromUtf8(item);
            if (caption == QLatin1String("-"))
                menu->addSeparator();
            else
                addItem(menu, title + QLatin1Char('/') + caption, caption);
        }
    }
}

void TFPantallaPrincipal::openScreens() {
    auto enable = [this](const char* path, auto slot) {
        QAction* a = m_actions.value(QString::fromUtf8(path));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, slot);
    };
    // Each screen is created when chosen, shown modally and destroyed when it closes.
    auto screen = [this](const char* path, auto make) {
        QAction* a = m_actions.value(QString::fromUtf8(path));
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, [this, make] {
            messages::guarded(this, [&] {
                auto dialog = make();
                dialog->exec();
            });
        });
    };
    enable("Archivo/Salir", [this] { close(); });
    enable("Archivo/Acerca de Torvane...", [this] { about(QGuiApplication::queryKeyboardModifiers()); });
    screen("Archivo/Datos de la Explotación",
           [this] { return std::make_unique<TFDatosExplotacion>(m_context, this); });
    screen("Archivo/Definir Estructura de la Granja",
           [this] { return std::make_unique<TFEstructuraGranja>(m_context, this); });
    screen("Archivo/Importación desde Ferralind",
           [this] { return std::make_unique<TFImportacionFerralind>(m_context, this); });
    screen("Archivo/Hacer Copia de Seguridad", [this] { return std::make_unique<TFCopiaSeguridad>(m_context, this); });
    screen("Archivo/Restaurar Copia de Seguridad",
           [this] { return std::make_unique<TFRestaurarCopia>(m_context, this); });
    screen("Archivo/Reparación de Bases de Datos",
           [this] { return std::make_unique<TFReparacionTablas>(m_context.db, this); });
    screen("Archivo/Configuración", [this] { return std::make_unique<TFConfiguracion>(m_context.settings, this); });
    enable("Archivo/Exportar Datos...", [this] { farm_data_export::run(this, m_context.db); });
    screen("Control por Bloques/Cubriciones",
           [this] { return std::make_unique<TFCubricionesHembras>(m_context, this); });
    screen("Control por Bloques/Palpaciones",
           [this] { return std::make_unique<TFPalpacionesHembras>(m_context, this); });
    screen("Control por Bloques/Partos", [this] { return std::make_unique<TFPartosHembras>(m_context, this); });
    screen("Control por Bloques/Destetes", [this] { return std::make_unique<TFDestetesHembras>(m_context, this); });
    screen("Control por Bloques/Entrada inseminaciones",
           [this] { return std::make_unique<TFInseminacionesHembras>(m_context, this); });
    screen("Control por Bloques/Traslado hembras jaulas",
           [this] { return std::make_unique<TFTraslados>(m_context, Transfers::Kind::Females, this); });
    screen("Control por Bloques/Traslado hembras (Nidales)",
           [this] { return std::make_unique<TFTraslados>(m_context, Transfers::Kind::Nests, this); });
    screen("Control por Bloques/Traslado machos jaulas",
           [this] { return std::make_unique<TFTraslados>(m_context, Transfers::Kind::Males, this); });
    screen("Control por Bloques/Altas de Hembras", [this] { return std::make_unique<TFAltasHembras>(m_context, this); });
    screen("Control por Bloques/Marcar Hembras (Por Jaula)",
           [this] { return std::make_unique<TFMarcarHembras>(m_context, MarkChange::Range::Cages, this); });
    screen("Control por Bloques/Marcar Hembras (Por Código)",
           [this] { return std::make_unique<TFMarcarHembras>(m_context, MarkChange::Range::Codes, this); });
    screen("Maternidad/Datos Diarios", [this] { return std::make_unique<TFDatosDiarios>(m_context, this); });
    screen("Maternidad/Gráficos", [this] { return TFGraficos::maternidad(m_context, this); });
    screen("Maternidad/Resumen", [this] { return std::make_unique<TFResumenMaternidad>(m_context, this); });
    screen("Maternidad/Resultados Técnicos",
           [this] { return std::make_unique<TFResultadosTecnicos>(m_context, this); });
    screen("Cebadero/Movimiento", [this] { return std::make_unique<TFMovimientoCebadero>(m_context, this); });
    screen("Cebadero/Gráficos", [this] { return TFGraficos::cebadero(m_context, this); });
    screen("Cebadero/Resumen", [this] { return std::make_unique<TFResumenCebadero>(m_context, this); });
    screen("Guía de Trabajo", [this] { return std::make_unique<TFGuiaTrabajo>(m_context, this); });
    screen("Control Individual/Ficha Hembra",
           [this] { return std::make_unique<TFMantenimientoHembras>(m_context, this); });
    screen("Control Individual/Ficha Macho",
           [this] { return std::make_unique<TFMantenimientoMachos>(m_context, this); });
    screen("Control Individual/Pools", [this] { return std::make_unique<TFGestionPools>(m_context, this); });
    screen("Reposición/Objetivos y Estado Actual",
           [this] { return std::make_unique<TFObjetivosReposicion>(m_context, this); });
    screen("Control Individual/Jaulas ocupadas",
           [this] { return std::make_unique<TFJaulasOcupadas>(m_context, this); });
    screen("Reposición/Listado de Propuesta de Eliminación (Hembras)",
           [this] { return std::make_unique<TFListadoAnimales>(m_context, ListingKind::CullingFemales, this); });
    screen("Reposición/Listado de Propuesta de Eliminación (Machos)",
           [this] { return std::make_unique<TFListadoAnimales>(m_context, ListingKind::CullingMales, this); });
    screen("Selección/Listado Hembras",
           [this] { return std::make_unique<TFListadoAnimales>(m_context, ListingKind::SelectionFemales, this); });
    screen("Selección/Listado Machos",
           [this] { return std::make_unique<TFListadoAnimales>(m_context, ListingKind::SelectionMales, this); });
}

QAction* TFPantallaPrincipal::action(const QString& path) const {
    return m_actions.value(path);
}

QStringList TFPantallaPrincipal::menuPaths() const {
    return m_paths;
}

void TFPantallaPrincipal::about(Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::ControlModifier)) {
        TFConsolaSQL console(m_context.db, this);
        console.exec();
    } else {
        TFSplash splash(this, m_splashMs);
        splash.exec();
    }
}
