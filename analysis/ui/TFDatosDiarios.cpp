#include "TFDatosDiarios.h"

#include "herd/ui/CursorMoves.h"

#include "analysis/DailyData.h"
#include "db/TableCursor.h"
#include "herd/RecordMaintenance.h"
#include "herd/ui/TMnto.h"
#include "widgets/FieldBinder.h"
#include "widgets/KeyNavigation.h"
#include "widgets/Messages.h"

#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString kFecha = QStringLiteral("Fecha");
const QString kFemales = QStringLiteral("NumeroTotalHembras");
const QString kMales = QStringLiteral("NumeroTotalMachos");
const QString kObservaciones = QStringLiteral("Observaciones");

QLabel* indexLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TFDatosDiarios::TFDatosDiarios(const FarmContext& context, QWidget* parent)
    : QDialog(parent), m_data(std::make_unique<DailyData>(context.db)),
      m_cursor(std::make_unique<TableCursor>(context.db, QString::fromLatin1(DailyData::kTable), QStringList{kFecha})) {
    setObjectName(QStringLiteral("TFDatosDiarios"));
    setWindowTitle(QStringLiteral("Mantenimiento de Datos Diarios"));
    m_data->attach(*m_cursor);

    // The key, then every counter as a whole number, then the remarks.
    m_inputs.insert(kFecha, makeInput({.column = kFecha, .kind = InputField::Kind::Date, .width = 96}, context.clock, this));
    for (const QString& column : DailyData::dataColumns()) {
        if (column == kObservaciones)
            continue;
        m_inputs.insert(column, makeInput({.column = column, .kind = InputField::Kind::Number, .width = 80},
                                          context.clock, this));
    }
    auto* observaciones = new QPlainTextEdit(this);
    observaciones->setObjectName(kObservaciones);
    observaciones->setTabChangesFocus(true);
    m_inputs.insert(kObservaciones, observaciones);

    m_bar = new TMnto(this);
    m_bar->createButtons({TMnto::Aceptar, TMnto::Cancelar, TMnto::Borrar, TMnto::Salir});
    m_bar->setCadenaTexAlta(QStringLiteral("Fecha NO Existente ¿Desea darla de Alta?"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildLayout(), 1);
    layout->addWidget(m_bar);

    m_bar->setDataSource(m_cursor.get());
    QList<TMnto::Campo> campos{{m_inputs.value(kFecha), kFecha}};
    for (const QString& column : DailyData::dataColumns())
        campos << TMnto::Campo{m_inputs.value(column), column};
    m_bar->setCampos(campos);
    m_bar->setCamposClave({kFecha});
    for (qsizetype i = 1; i < campos.size(); ++i)
        setTabOrder(campos[i - 1].widget, campos[i].widget);

    connect(m_bar, &TMnto::stateApplied, this, &TFDatosDiarios::updateControls);
    m_listener = m_cursor->subscribe([this](TableCursor::Change change, const QString& column) {
        if (change == TableCursor::Change::Record || change == TableCursor::Change::State ||
            (change == TableCursor::Change::Value && DayIndices::follows(column)))
            showIndices();
        // The bar puts the focus on "Nº Total Hembras" as the new row begins, before
        // its date is given: the totals are carried once the date is there.
        if (change == TableCursor::Change::Value && column.compare(kFecha, Qt::CaseInsensitive) == 0 &&
            m_inputs.value(kFemales)->hasFocus())
            carryTotals();
    });
    m_inputs.value(kFemales)->installEventFilter(this);
    KeyNavigation::install(this);

    // The screen opens on the earliest day.
    m_cursor->first();
    showIndices();
    updateControls();
}

TFDatosDiarios::~TFDatosDiarios() {
    if (m_cursor)
        m_cursor->unsubscribe(m_listener);
}

QWidget* TFDatosDiarios::group(const QString& title, const QList<std::pair<QString, QString>>& boxes,
                               QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight);
    for (const auto& [caption, column] : boxes)
        form->addRow(caption, column.isEmpty() ? static_cast<QWidget*>(m_palpTotales) : m_inputs.value(column));
    return box;
}

QWidget* TFDatosDiarios::buildLayout() {
    auto* card = new QWidget(this);
    auto* outer = new QVBoxLayout(card);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* key = new QHBoxLayout;
    key->addWidget(new QLabel(QStringLiteral("Fecha"), card));
    key->addWidget(m_inputs.value(kFecha));
    key->addStretch();
    key->addWidget(navigation(card));
    outer->addLayout(key);

    m_palpTotales = indexLabel("PalpTotales", card);
    m_palpTotales->setMinimumWidth(80);
    const std::array<QString, 4>& feed = m_data->feedCaptions();
    auto* grid = new QGridLayout;
    grid->addWidget(group(QStringLiteral("Hembras"),
                          {{QStringLiteral("Nº Total Hembras"), kFemales},
                           {QStringLiteral("Muertas"), QStringLiteral("BajasHembrasMuertas")},
                           {QStringLiteral("Eliminadas"), QStringLiteral("BajasHembrasEliminadas")},
                           {QStringLiteral("Altas"), QStringLiteral("AltasHembras")}},
                          card),
                    0, 0);
    grid->addWidget(group(QStringLiteral("Machos"),
                          {{QStringLiteral("Nº Total Machos"), kMales},
                           {QStringLiteral("Muertos"), QStringLiteral("BajasMachosMuertos")},
                           {QStringLiteral("Eliminados"), QStringLiteral("BajasMachosEliminados")},
                           {QStringLiteral("Altas"), QStringLiteral("AltasMachos")}},
                          card),
                    0, 1);
    grid->addWidget(group(QStringLiteral("Reproducción"),
                          {{QStringLiteral("Cubriciones"), QStringLiteral("Cubriciones")},
                           {QStringLiteral("Palp Positivas"), QStringLiteral("PalpacionesPositivas")},
                           {QStringLiteral("Palp. Negativas"), QStringLiteral("PalpacionesNegativas")},
                           {QStringLiteral("Palp. Totales"), QString()}},
                          card),
                    0, 2);
    grid->addWidget(group(QStringLiteral("Destetes"),
                          {{QStringLiteral("Destetes"), QStringLiteral("NumeroDestetes")},
                           {QStringLiteral("Destetados"), QStringLiteral("Destetados")},
                           {QStringLiteral("Bajas en Nido"), QStringLiteral("BajasNido")}},
                          card),
                    1, 0);
    grid->addWidget(group(QStringLiteral("Partos"),
                          {{QStringLiteral("Nº de Partos"), QStringLiteral("NumeroPartos")},
                           {QStringLiteral("Nacidos vivos"), QStringLiteral("NacidosVivos")},
                           {QStringLiteral("Nacidos Muertos"), QStringLiteral("NacidosMuertos")},
                           {QStringLiteral("Abortos"), QStringLiteral("Abortos")}},
                          card),
                    1, 1);
    grid->addWidget(group(QStringLiteral("Consumo"),
                          {{feed[0], QStringLiteral("Consumo1")},
                           {feed[1], QStringLiteral("Consumo2")},
                           {feed[2], QStringLiteral("Consumo3")},
                           {feed[3], QStringLiteral("Consumo4")}},
                          card),
                    1, 2);
    outer->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    auto* indices = new QGroupBox(QStringLiteral("Índices por día"), card);
    auto* lines = new QVBoxLayout(indices);
    m_positivas = indexLabel("indicePalpaciones", indices);
    m_nacidos = indexLabel("indiceNacidos", indices);
    m_destetados = indexLabel("indiceDestetados", indices);
    for (QLabel* line : {m_positivas, m_nacidos, m_destetados})
        lines->addWidget(line);
    lines->addStretch();
    // As wide as its widest line, so the box keeps its width from day to day.
    indices->setMinimumWidth(indices->fontMetrics().horizontalAdvance(QStringLiteral("Palpaciones Positivas 100,00 %")) +
                             40);
    bottom->addWidget(indices);
    auto* remarks = new QGroupBox(QStringLiteral("Observaciones"), card);
    auto* remarksLayout = new QVBoxLayout(remarks);
    remarksLayout->addWidget(m_inputs.value(kObservaciones));
    bottom->addWidget(remarks, 1);
    outer->addLayout(bottom, 1);
    return card;
}

QWidget* TFDatosDiarios::navigation(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_moves = new CursorMoves(*m_cursor, {QStringLiteral("Primer día"), QStringLiteral("Día anterior"),
                                           QStringLiteral("Día siguiente"), QStringLiteral("Último día")},
                              row);
    layout->addWidget(m_moves);
    m_recalcular = new QPushButton(QStringLiteral("Recalcular"), row);
    m_recalcular->setObjectName(QStringLiteral("recalcular"));
    m_recalcular->setAutoDefault(false);
    m_recalcular->setFocusPolicy(Qt::NoFocus);
    connect(m_recalcular, &QPushButton::clicked, this, &TFDatosDiarios::recalculate);
    layout->addSpacing(12);
    layout->addWidget(m_recalcular);
    return row;
}

void TFDatosDiarios::showIndices() {
    const DayIndices indices = DayIndices::of(DayCounts::of(*m_cursor));
    m_palpTotales->setText(indices.palpationsTotal);
    m_positivas->setText(indices.positiveLine);
    m_nacidos->setText(indices.bornAliveLine);
    m_destetados->setText(indices.weanedLine);
}

void TFDatosDiarios::updateControls() {
    m_moves->update();
    // Recounting needs a day open for saving: one added, or one opened by its date.
    m_recalcular->setEnabled(m_cursor->state() == TableCursor::State::Insert ||
                             (m_cursor->state() == TableCursor::State::Edit && m_bar->maintenance()->openedByKey()));
    if (m_cursor->state() != TableCursor::State::Insert)
        m_totalsCarried = false;
    // The bar enables every box of an addition: a day started from the day before keeps its totals.
    if (m_totalsCarried) {
        m_inputs.value(kFemales)->setEnabled(false);
        m_inputs.value(kMales)->setEnabled(false);
    }
}

void TFDatosDiarios::carryTotals() {
    // The latest earlier day is found by the new day's date.
    if (m_cursor->state() != TableCursor::State::Insert || !m_cursor->value(kFecha).isValid())
        return;
    bool carried = false;
    messages::guarded(this, [&] { carried = m_data->carryTotals(*m_cursor); });
    if (!carried)
        return;
    m_totalsCarried = true;
    m_inputs.value(QStringLiteral("BajasHembrasMuertas"))->setFocus(Qt::OtherFocusReason);
    m_inputs.value(kFemales)->setEnabled(false);
    m_inputs.value(kMales)->setEnabled(false);
}

void TFDatosDiarios::recalculate() {
    if (!m_cursor->isEditing())
        return;
    messages::guarded(this, [this] { m_data->recalculate(*m_cursor); });
    showIndices();
}

bool TFDatosDiarios::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_inputs.value(kFemales) && event->type() == QEvent::FocusIn)
        carryTotals();
    return QDialog::eventFilter(watched, event);
}
