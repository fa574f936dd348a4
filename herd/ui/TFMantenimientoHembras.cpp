#include "TFMantenimientoHembras.h"

#include "HistoryList.h"
#include "TMensajero.h"
#include "TMnto.h"
#include "db/Clock.h"
#include "db/TableCursor.h"
#include "herd/CardSheet.h"
#include "herd/FemaleRegister.h"
#include "widgets/DateEdit.h"
#include "widgets/Messages.h"
#include "widgets/NumberEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kCode = QStringLiteral("CodigoHembra");
const QString kCausa = QStringLiteral("CausaBaja");

bool isNull(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

RegisterCard::Descriptor femaleCard() {
    using Kind = InputField::Kind;
    std::vector<InputField> fields = RegisterCard::animalFields(kCode, Kind::Check, true);
    fields.push_back({.column = QStringLiteral("FechaBaja"), .kind = Kind::Date, .width = 96});
    fields.push_back({.column = kCausa, .kind = Kind::Own});
    // The marks are captioned with the farm's names once the register has read them.
    for (int mark = 1; mark <= 4; ++mark)
        fields.push_back({.column = QStringLiteral("Marca%1").arg(mark), .kind = Kind::Check});
    fields.push_back({.column = QStringLiteral("Enfermedad"), .kind = Kind::Own});
    return {.objectName = QStringLiteral("TFMantenimientoHembras"),
            .caption = QStringLiteral("Ficha de Hembra"),
            .table = QStringLiteral("Hembras.DB"),
            .codeColumn = kCode,
            .firstFreeCaption = QStringLiteral("1ª Libre"),
            .historyName = QStringLiteral("historial"),
            .historyWidth = 720,
            .kind = TFEdicionCubricion::Kind::Female,
            .fields = std::move(fields)};
}

} // namespace

TFMantenimientoHembras::TFMantenimientoHembras(const FarmContext& context, QWidget* parent)
    : RegisterCard(context, femaleCard(), parent), m_register(std::make_unique<FemaleRegister>(m_db, m_clock, m_tag)) {
    m_register->attach(cursor());
    buildInputs();
    for (QRadioButton* option : {m_eliminacion, m_muerte}) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                m_bar->binder()->edited(m_causa);
        });
    }
    connect(m_bar, &TMnto::stateApplied, this, [this] {
        m_cageCheckPending = false;
        m_cageDeclined = -1;
    });
    m_codigo->installEventFilter(this);
    m_jaula->installEventFilter(this);
    m_baja->installEventFilter(this);
    m_eliminacion->installEventFilter(this);
    m_muerte->installEventFilter(this);
    assemble(buildLayout());
}

TFMantenimientoHembras::~TFMantenimientoHembras() = default;

void TFMantenimientoHembras::buildInputs() {
    m_jaula = static_cast<NumberEdit*>(input(QStringLiteral("Jaula")));
    m_nacimiento = static_cast<DateEdit*>(input(QStringLiteral("FechaNacimiento")));
    m_baja = static_cast<DateEdit*>(input(QStringLiteral("FechaBaja")));
    for (int mark = 1; mark <= 4; ++mark)
        static_cast<QCheckBox*>(input(QStringLiteral("Marca%1").arg(mark)))
            ->setText(m_register->markNames()[size_t(mark - 1)]);

    m_causa = new QWidget(this);
    auto* options = new QHBoxLayout(m_causa);
    options->setContentsMargins(0, 0, 0, 0);
    m_eliminacion = new QRadioButton(QStringLiteral("Eliminación"), m_causa);
    m_eliminacion->setObjectName(QStringLiteral("causaEliminacion"));
    m_muerte = new QRadioButton(QStringLiteral("Muerte"), m_causa);
    m_muerte->setObjectName(QStringLiteral("causaMuerte"));
    m_causas = new QButtonGroup(this);
    m_causas->addButton(m_eliminacion, 0);
    m_causas->addButton(m_muerte, 1);
    options->addWidget(m_eliminacion);
    options->addWidget(m_muerte);
    options->addStretch();
    addInput(
        kCausa, m_causa,
        FieldBinder::Access{[this] { return QVariant(causeChosen()); }, [this](const QVariant& v) { showCause(v); }});

    m_enfermedad = new QComboBox(this);
    m_enfermedad->setMinimumWidth(260);
    // A healthy female has disease 0: the empty first choice, which also takes a
    // disease away again.
    m_enfermedad->addItem(QString(), 0.0);
    messages::guarded(this, [this] {
        for (const FemaleRegister::Disease& d : m_register->diseases())
            m_enfermedad->addItem(d.description, d.code);
    });
    addInput(QStringLiteral("Enfermedad"), m_enfermedad);
}

QWidget* TFMantenimientoHembras::buildLayout() {
    auto* card = new QWidget(this);
    auto* outer = new QVBoxLayout(card);
    outer->setContentsMargins(0, 0, 0, 0);

    outer->addWidget(dataBox(QStringLiteral("Datos de la Hembra"), QStringLiteral("Número Hembra"),
                             QStringLiteral("Número Jaula"), card));

    auto* middle = new QHBoxLayout;
    auto* baja = new QGroupBox(QStringLiteral("Baja"), card);
    auto* bajaGrid = new QGridLayout(baja);
    bajaGrid->addWidget(caption(QStringLiteral("Fecha de Baja"), baja), 0, 0);
    bajaGrid->addWidget(m_baja, 0, 1, Qt::AlignLeft);
    bajaGrid->addWidget(caption(QStringLiteral("Causa"), baja), 1, 0);
    bajaGrid->addWidget(m_causa, 1, 1);
    middle->addWidget(baja);
    auto* marcas = new QGroupBox(QStringLiteral("Marcas"), card);
    auto* marcasGrid = new QGridLayout(marcas);
    for (int mark = 0; mark < 4; ++mark)
        marcasGrid->addWidget(m_inputs.value(QStringLiteral("Marca%1").arg(mark + 1)), mark / 2, mark % 2);
    middle->addWidget(marcas, 1);
    outer->addLayout(middle);

    auto* salud = new QHBoxLayout;
    salud->addWidget(caption(QStringLiteral("Enfermedad"), card));
    salud->addWidget(m_enfermedad);
    salud->addStretch();
    salud->addWidget(caption(QStringLiteral("Indice Eficacia"), card));
    salud->addWidget(m_index);
    outer->addLayout(salud);

    addFooter(outer, {"Primera hembra", "Hembra anterior", "Hembra siguiente", "Última hembra"}, card);
    return card;
}

void TFMantenimientoHembras::refresh() {
    std::vector<HistoryList::Line> lines;
    messages::guarded(this, [&] {
        for (const BreedingHistory::CycleLine& l : m_register->history(cursor()))
            lines.push_back({l.cells(), l.orden, l.unweaned()});
    });
    m_history->setLines(lines);
    m_index->setText(FemaleRegister::indexText(cursor().value(QStringLiteral("Eficacia"))));
    updateControls();
}

qint64 TFMantenimientoHembras::firstFreeNumber() const {
    return m_register->firstFreeNumber();
}

void TFMantenimientoHembras::lookUpCage() {
    const double typed = m_codigo->value();
    if (typed <= 0 || typed != std::floor(typed))
        return;
    std::optional<qint64> found;
    bool failed = false;
    try {
        found = m_register->femaleInCage(qint64(typed));
    } catch (const std::exception&) {
        failed = true; // errors of this lookup are ignored
    }
    if (!failed && !found)
        messages::inform(this, QStringLiteral("¡Atención!"), QString::fromUtf8(FemaleRegister::kNoFemaleInCage),
                         QMessageBox::Critical);
    else if (found)
        m_codigo->setValue(double(*found));
    m_codigo->setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<CardSheet> TFMantenimientoHembras::cardSheet(qint64 code) const {
    return CardSheet::female(m_db, code, m_clock.today());
}

bool TFMantenimientoHembras::cullDateEmpty() const {
    // As the box reads once it has tidied up its text on leaving.
    try {
        return !m_baja->date().isValid();
    } catch (const std::exception&) {
        return true;
    }
}

int TFMantenimientoHembras::causeChosen() const {
    if (m_eliminacion->isChecked())
        return 0;
    if (m_muerte->isChecked())
        return 1;
    return -1;
}

void TFMantenimientoHembras::showCause(const QVariant& value) {
    const int causa = isNull(value) ? -1 : int(value.toDouble());
    m_causas->setExclusive(false);
    m_eliminacion->setChecked(causa == 0);
    m_muerte->setChecked(causa == 1);
    m_causas->setExclusive(true);
}

void TFMantenimientoHembras::leaveCullDate() {
    // A text that is no date stays in the box, which says so: the cause waits
    // until the farmer has put it right.
    if (!cursor().isEditing() || !m_baja->isEnabled() || !m_baja->isReadable())
        return;
    const int causa = causeChosen();
    const int settled = FemaleRegister::causeOnLeavingCullDate(cullDateEmpty(), causa);
    if (settled != causa)
        messages::guarded(this, [&] { cursor().setValue(kCausa, settled); });
}

void TFMantenimientoHembras::enterCause(bool backwards) {
    // No cause without a cull date: the choice is cleared and the cursor moves on.
    if (cursor().isEditing())
        messages::guarded(this, [this] { cursor().setValue(kCausa, -1); });
    QWidget* next = backwards ? static_cast<QWidget*>(m_baja) : m_inputs.value(QStringLiteral("Marca1"));
    QTimer::singleShot(0, next, [next] { next->setFocus(Qt::TabFocusReason); });
}

void TFMantenimientoHembras::checkCage() {
    if (!m_cageCheckPending)
        return;
    m_cageCheckPending = false;
    if (!cursor().isEditing() || !m_jaula->isEnabled())
        return;
    // Leaving to abandon the card, or to close it, asks nothing.
    QWidget* to = QApplication::focusWidget();
    if (to && (to == m_bar->boton(TMnto::Cancelar) || to == m_bar->boton(TMnto::Salir)))
        return;
    const qint64 cage = qint64(std::llround(m_jaula->value()));
    if (cage == 0 || cage == m_cageDeclined)
        return;
    const qint64 code = qint64(m_codigo->value());
    QDate birth;
    try {
        birth = m_nacimiento->date();
    } catch (const std::exception&) {
        // A birth date that is no date is refused when saving; the question reads
        // the default until then.
        birth = m_clock.today();
    }
    bool ask = false;
    if (!messages::guarded(this, [&] { ask = m_register->cageNeedsQuestion(code, cage, birth); }) || !ask)
        return;
    if (messages::ask(this, QStringLiteral("¡Atención!"), QString::fromUtf8(FemaleRegister::kCageQuestion),
                      QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes) {
        TMensajero mensaje(QString::fromUtf8(FemaleRegister::kSearchingCage));
        TMensajero::Showing shown(mensaje);
        qint64 free = cage;
        if (messages::guarded(this, [&] { free = m_register->firstFreeCage(cage, code); }))
            m_jaula->setValue(double(free));
    } else {
        m_cageDeclined = cage;
    }
    m_jaula->setFocus(Qt::OtherFocusReason);
}

bool TFMantenimientoHembras::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_codigo && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F5 && key->modifiers() == Qt::NoModifier) {
            lookUpCage();
            return true;
        }
        return false;
    }
    if (watched == m_jaula && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A window coming up over the card is no leaving of the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && cursor().isEditing() &&
            m_jaula->isEnabled()) {
            m_cageCheckPending = true;
            QTimer::singleShot(0, this, &TFMantenimientoHembras::checkCage);
        }
        return false;
    }
    if (watched == m_baja && event->type() == QEvent::FocusOut) {
        leaveCullDate();
        return false;
    }
    if (watched == m_eliminacion || watched == m_muerte) {
        switch (event->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && cullDateEmpty())
                enterCause(reason == Qt::BacktabFocusReason);
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (cullDateEmpty()) {
                enterCause(false);
                return true;
            }
            return false;
        default:
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}
