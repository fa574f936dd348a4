#include "TFImportacionFerralind.h"

#include "widgets/CopyAnimation.h"
#include "db/Clock.h"
#include "db/Database.h"
#include "import/FerralindImport.h"
#include "import/ImportError.h"
#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QStorageInfo>
#include <QThread>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("¡Atención!");

// The drives of the machine: on Windows their roots, elsewhere the mount
// points, the root first.
QStringList drives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = QDir::toNativeSeparators(volume.rootPath());
        if (!roots.contains(root))
            roots << root;
    }
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absoluteFilePath());
        if (!roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

} // namespace

TFImportacionFerralind::TFImportacionFerralind(FarmContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context)) {
    setObjectName(QStringLiteral("TFImportacionFerralind"));
    setWindowTitle(QStringLiteral("Importación de Datos desde Ferralind"));
    buildFolderChooser();
    buildSteps();
    layOut();
    KeyNavigation::install(this);
}

TFImportacionFerralind::~TFImportacionFerralind() {
    // The screen cannot be closed while the import runs; this is only a guard.
    if (m_worker)
        m_worker->wait();
}

void TFImportacionFerralind::buildFolderChooser() {
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("unidad"));
    m_drives->addItems(drives());
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("carpetas"));
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("carpeta"));

    connect(m_drives, &QComboBox::currentIndexChanged, this, &TFImportacionFerralind::showDrive);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            m_path->setText(QDir::toNativeSeparators(m_folders->filePath(current)));
    });
    // Enter in the folder list opens the folder.
    connect(m_tree, &QTreeView::activated, this, [this](const QModelIndex& index) { m_tree->expand(index); });
    connect(m_path, &QLineEdit::editingFinished, this, [this] {
        const QModelIndex index = m_folders->index(QDir::fromNativeSeparators(m_path->text().trimmed()));
        if (index.isValid() && index != m_tree->currentIndex()) {
            const QSignalBlocker quiet(m_tree->selectionModel());
            m_tree->setCurrentIndex(index);
            m_tree->scrollTo(index);
        }
    });
    // The drive that holds the user's folders comes up first.
    const QString home = QDir::toNativeSeparators(QStorageInfo(QDir::homePath()).rootPath());
    const int start = std::max(0, m_drives->findText(home));
    m_drives->setCurrentIndex(start);
    showDrive(start);
}

void TFImportacionFerralind::buildSteps() {
    m_steps = new QListWidget(this);
    m_steps->setObjectName(QStringLiteral("pasos"));
    m_steps->setFocusPolicy(Qt::NoFocus);
    m_steps->setSelectionMode(QAbstractItemView::NoSelection);
    for (const QString& caption : FerralindImport::stepCaptions()) {
        auto* item = new QListWidgetItem(caption, m_steps);
        item->setFlags(Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
    }
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progreso"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_animation = new CopyAnimation(CopyAnimation::Destination::Folder, this);
}

void TFImportacionFerralind::layOut() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->addWidget(new QLabel(QStringLiteral("Seleccione la carpeta de FERRALIND"), this), 0, 0);
    grid->addWidget(m_drives, 1, 0);
    grid->addWidget(m_tree, 2, 0);
    grid->addWidget(m_path, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Pasos de la importación"), this), 0, 1);
    grid->addWidget(m_steps, 1, 1, 2, 1);
    grid->addWidget(m_animation, 3, 1, Qt::AlignCenter);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(2, 1);
    m_steps->setMinimumWidth(m_steps->sizeHintForColumn(0) + 40);

    DialogButtons buttons(this);
    m_ok = buttons.ok;
    m_cancel = buttons.cancel;
    connect(m_ok, &QPushButton::clicked, this, &TFImportacionFerralind::start);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(grid, 1);
    layout->addWidget(m_progress);
    layout->addLayout(buttons.layout);
    resize(720, 460);
    m_drives->setFocus();
}

QString TFImportacionFerralind::folder() const {
    return QDir::fromNativeSeparators(m_path->text().trimmed());
}

void TFImportacionFerralind::setFolder(const QString& path) {
    m_path->setText(QDir::toNativeSeparators(path));
}

void TFImportacionFerralind::showDrive(int index) {
    const QString root = QDir::fromNativeSeparators(m_drives->itemText(index));
    m_tree->setRootIndex(m_folders->setRootPath(root));
}

void TFImportacionFerralind::reject() {
    if (running())
        return; // closing now would leave the import without its screen
    QDialog::reject();
}

void TFImportacionFerralind::start() {
    if (running())
        return;
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    const QString farm = m_context.db.filePath();
    const QString source = folder();
    const QDateTime when(m_context.clock.today(), QTime::currentTime());
    // Everything the worker says reaches the screen through its event loop.
    ImportReport report;
    report.started = [this](int step) { QMetaObject::invokeMethod(this, [this, step] { stepStarted(step); }); };
    report.finished = [this](int step) { QMetaObject::invokeMethod(this, [this, step] { stepFinished(step); }); };
    report.progress = [this](int value, int maximum) {
        QMetaObject::invokeMethod(this, [this, value, maximum] { moved(value, maximum); });
    };
    m_failure = nullptr;
    m_worker = QThread::create([this, farm, source, when, report] {
        try {
            Database db(farm);
            m_safetyCopy = FerralindImport::run(db, source, when, report);
        } catch (...) {
            m_failure = std::current_exception();
        }
    });
    m_worker->setParent(this);
    connect(m_worker, &QThread::finished, this, &TFImportacionFerralind::ended);
    m_worker->start();
}

void TFImportacionFerralind::stepStarted(int step) {
    QListWidgetItem* item = m_steps->item(step);
    QFont bold = item->font();
    bold.setBold(true);
    item->setFont(bold);
    m_steps->scrollToItem(item);
    m_animation->start();
}

void TFImportacionFerralind::stepFinished(int step) {
    m_steps->item(step)->setCheckState(Qt::Checked);
    m_animation->stop();
}

void TFImportacionFerralind::moved(int value, int maximum) {
    m_progress->setMaximum(std::max(1, maximum));
    m_progress->setValue(std::min(value, std::max(1, maximum)));
}

void TFImportacionFerralind::ended() {
    m_worker->deleteLater();
    m_worker = nullptr;
    m_animation->stop();
    if (!m_failure) {
        messages::inform(
            this, kCaption,
            QStringLiteral("Se ha completado la Importación con éxito\n\nLa granja anterior queda guardada "
                           "en la copia de seguridad:\n%1")
                .arg(QDir::toNativeSeparators(m_safetyCopy)));
        accept();
        return;
    }
    try {
        std::rethrow_exception(m_failure);
    } catch (const ImportError& e) {
        const QString text =
            e.kind() == ImportError::Kind::MissingFile
                ? e.message()
                : e.message() + QStringLiteral("\n\nNo se ha importado nada: la granja queda como estaba.");
        messages::ask(this, kCaption, text, QMessageBox::Critical, QMessageBox::Ok);
    } catch (const std::exception& e) {
        messages::showError(this, e);
    }
}
