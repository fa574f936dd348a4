#include "TFMovimientoCebadero.h"

#include "herd/ui/CursorMoves.h"

#include "analysis/FatteningMovement.h"
#include "db/TableCursor.h"
#include "herd/ui/TMnto.h"
#include "widgets/FieldBinder.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kKey = QString::fromLatin1(FatteningMovement::kKey);

// The boxes after the date, in their order, with their captions; the three feed
// captions come from the farm.
struct Box {
    QString column;
    QString caption;
    int decimals = 0;
};

std::vector<Box> dataBoxes(Database& db) {
    const std::array<QString, 3> feeds = FatteningMovement::feedCaptions(db);
    return {{QStringLiteral("EntGazaposDes"), QStringLiteral("Entrada de Gazapos Destetados")},
            {QStringLiteral("PesGazaposDes"), QStringLiteral("Peso total de los Gazapos Destetados")},
            {QStringLiteral("PesPromedioEnt"), QStringLiteral("Peso de Promedio de los Gazapos Destetados"), 3},
            {QStringLiteral("BajasGazapos"), QStringLiteral("Bajas de Gazapos en Cebadero")},
            {QStringLiteral("SalGazaposRep"), QStringLiteral("Salida de Gazapos destinados a Reposición")},
            {QStringLiteral("SalGazaposVen"), QStringLiteral("Salida de Gazapos destinados a Venta")},
            {QStringLiteral("PesGazaposVen"), QStringLiteral("Peso total de los Gazapos Vendidos")},
            {QStringLiteral("PesPromedioVen"), QStringLiteral("Peso de Promedio de los Gazapos Vendidos"), 3},
            {QStringLiteral("Consumo1"), feeds[0]},
            {QStringLiteral("Consumo2"), feeds[1]},
            {QStringLiteral("Consumo3"), feeds[2]},
            {QStringLiteral("Observaciones"), QStringLiteral("Observaciones")}};
}

} // namespace

TFMovimientoCebadero::TFMovimientoCebadero(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_cursor(std::make_unique<TableCursor>(
                           context.db, QString::fromLatin1(FatteningMovement::kTable), QStringList{kKey})) {
    setObjectName(QStringLiteral("TFMovimientoCebadero"));
    setWindowTitle(QStringLiteral("Movimiento del Cebadero"));

    std::vector<Box> boxes = dataBoxes(context.db);
    boxes.insert(boxes.begin(), Box{kKey, QStringLiteral("Fecha")});
    QList<TMnto::Campo> campos;
    auto* form = new QWidget(this);
    auto* grid = new QGridLayout(form);
    grid->setVerticalSpacing(6);
    QWidget* previous = nullptr;
    for (const Box& b : boxes) {
        InputField field{.column = b.column, .kind = InputField::Kind::Number, .width = 96, .nonNegative = true};
        if (b.column == kKey)
            field.kind = InputField::Kind::Date;
        else if (b.column == QLatin1String("Observaciones"))
            field = InputField{.column = b.column, .kind = InputField::Kind::Text, .width = 360};
        QWidget* box = makeInput(field, context.clock, form);
        if (b.decimals > 0)
            static_cast<NumberEdit*>(box)->setDecimals(b.decimals);
        auto* label = new QLabel(b.caption, form);
        label->setBuddy(box);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, Qt::AlignLeft);
        m_inputs.insert(b.column, box);
        campos << TMnto::Campo{box, b.column};
        if (previous)
            setTabOrder(previous, box);
        previous = box;
        if (FatteningMovement::groupOf(b.column))
            box->installEventFilter(this);
    }
    grid->setColumnStretch(2, 1);

    m_bar = new TMnto(this);
    m_bar->createButtons({TMnto::Aceptar, TMnto::Cancelar, TMnto::Borrar, TMnto::Salir});
    m_bar->setCadenaTexAlta(QStringLiteral("Fecha NO Existente ¿Desea darla de Alta?"));
    m_bar->setDataSource(m_cursor.get());
    m_bar->setCampos(campos);
    m_bar->setCamposClave({kKey});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form);
    m_moves = new CursorMoves(*m_cursor, {QStringLiteral("Primera fecha"), QStringLiteral("Fecha anterior"),
                                           QStringLiteral("Fecha siguiente"), QStringLiteral("Última fecha")},
                              this);
    auto* moves = new QHBoxLayout;
    moves->addWidget(m_moves);
    moves->addStretch();
    layout->addLayout(moves);
    layout->addStretch();
    layout->addWidget(m_bar);

    connect(m_bar, &TMnto::stateApplied, this, &TFMovimientoCebadero::updateMoves);
    m_listener = m_cursor->subscribe([this](TableCursor::Change change, const QString&) {
        if (change == TableCursor::Change::Record || change == TableCursor::Change::State)
            updateMoves();
    });
    KeyNavigation::install(this);
    // The movements open at the earliest date.
    m_cursor->first();
    updateMoves();
}

TFMovimientoCebadero::~TFMovimientoCebadero() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

void TFMovimientoCebadero::updateMoves() {
    m_moves->update();
}

bool TFMovimientoCebadero::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Leaving a box of a group while editing or adding keeps the group consistent.
        const auto* box = static_cast<QWidget*>(watched);
        if (const auto group = FatteningMovement::groupOf(box->objectName()))
            messages::guarded(this, [&] { FatteningMovement::reconcile(*m_cursor, *group); });
    }
    return QDialog::eventFilter(watched, event);
}
