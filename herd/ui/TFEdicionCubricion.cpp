#include "TFEdicionCubricion.h"

#include "TMnto.h"
#include "db/TableCursor.h"
#include "herd/BreedingHistory.h"
#include "widgets/EnterMovesOn.h"
#include "widgets/FieldBinder.h"
#include "widgets/KeyNavigation.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

using Input = InputField::Kind;

struct FieldRow {
    const char* group;
    const char* caption;
    const char* column;
    Input input;
};

// The groups and fields in the order Enter walks them.
const FieldRow kFemale[] = {
    {"Cubrición", "Fecha Cubrición", "FechaCubricion", Input::Date},
    {"Cubrición", "Macho", "CodigoMacho", Input::Number},
    {"Cubrición", "Palpación Positiva", "Palpacion", Input::Tristate},
    {"Parto", "Fecha Parto", "FechaParto", Input::Date},
    {"Parto", "Nac.Vivos", "NacidosVivos", Input::Number},
    {"Parto", "Nac.Muertos", "NacidosMuertos", Input::Number},
    {"Adopciones", "Adoptados", "Anadidos", Input::Number},
    {"Adopciones", "Cedidos", "Quitados", Input::Number},
    {"Destete", "Destetados", "Destetados", Input::Number},
    {"Destete", "Existe destete", "Destetada", Input::Check},
};

const FieldRow kMale[] = {
    {"Cubrición", "Fecha Cubrición", "FechaCubricion", Input::Date},
    {"Cubrición", "Hembra", "CodigoHembra", Input::Number},
    {"Cubrición", "Palpación Positiva", "Palpacion", Input::Tristate},
    {"Parto", "Nac.Vivos", "NacidosVivos", Input::Number},
    {"Parto", "Nac.Muertos", "NacidosMuertos", Input::Number},
};

} // namespace

TFEdicionCubricion::TFEdicionCubricion(Kind kind, Database& db, const Clock& clock, const QVariant& owner,
                                       const QString& machineTag, qint64 orden, QWidget* parent)
    : QDialog(parent) {
    const bool female = kind == Kind::Female;
    setObjectName(female ? QStringLiteral("TFEdicionCubricionHembra") : QStringLiteral("TFEdicionCubricionMacho"));
    setWindowTitle(orden == 0 ? QStringLiteral("Inserción de nueva cubrición")
                              : QStringLiteral("Edición de Cubrición"));

    m_cursor =
        std::make_unique<TableCursor>(db, female ? QStringLiteral("CubriHembras.db") : QStringLiteral("CubriMachos.DB"),
                                      QStringList{QStringLiteral("Orden")});
    m_cursor->setFilter(BreedingHistory::oneRow(orden));
    if (female)
        BreedingHistory::attachCycleRules(*m_cursor, owner, machineTag);
    else
        BreedingHistory::attachMatingRules(*m_cursor, owner, machineTag);

    auto* ordenBox = new NumberEdit(this);
    ordenBox->setObjectName(QStringLiteral("Orden"));
    ordenBox->hide();

    auto* groups = new QGridLayout;
    groups->setHorizontalSpacing(12);
    groups->setVerticalSpacing(10);
    QHash<QString, QFormLayout*> forms;
    QList<TMnto::Campo> campos{{ordenBox, QStringLiteral("Orden")}};
    QWidget* previous = nullptr;
    const FieldRow* begin = female ? std::begin(kFemale) : std::begin(kMale);
    const FieldRow* end = female ? std::end(kFemale) : std::end(kMale);
    for (const FieldRow* s = begin; s != end; ++s) {
        const QString group = QString::fromUtf8(s->group);
        if (!forms.contains(group)) {
            auto* box = new QGroupBox(group, this);
            auto* form = new QFormLayout(box);
            form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
            form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
            const int index = int(forms.size());
            groups->addWidget(box, index / 2, index % 2);
            forms.insert(group, form);
        }
        const QString column = QString::fromLatin1(s->column);
        const bool check = s->input == Input::Check || s->input == Input::Tristate;
        QWidget* input = makeInput({.column = column,
                                    .kind = s->input,
                                    .caption = check ? QString::fromUtf8(s->caption) : QString(),
                                    .width = s->input == Input::Date ? 100 : 80,
                                    // Counts and female numbers never go below zero; a male is -1 for an insemination.
                                    .nonNegative = column != QLatin1String("CodigoMacho")},
                                   clock, this);
        m_fields.insert(column, input);
        campos << TMnto::Campo{input, column};
        if (check)
            forms.value(group)->addRow(QString(), input);
        else
            forms.value(group)->addRow(QString::fromUtf8(s->caption), input);
        if (previous)
            setTabOrder(previous, input);
        previous = input;
    }

    m_bar = new TMnto(this);
    m_bar->createButtons({TMnto::Aceptar, TMnto::Cancelar});
    setTabOrder(previous, m_bar->boton(TMnto::Aceptar));
    setTabOrder(m_bar->boton(TMnto::Aceptar), m_bar->boton(TMnto::Cancelar));
    m_bar->setDataSource(m_cursor.get());
    m_bar->setCampos(campos);
    m_bar->setCamposClave({QStringLiteral("Orden")});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(m_bar);

    KeyNavigation::install(this);
    for (QWidget* w : std::as_const(m_fields)) {
        if (auto* check = qobject_cast<QCheckBox*>(w))
            EnterMovesOn::install(check);
    }

    // The dialog closes as soon as its row is saved or abandoned.
    const auto afterPost = m_cursor->events().afterPost;
    m_cursor->events().beforePost = [rules = m_cursor->events().beforePost, this](TableCursor& t) {
        m_saved = false;
        if (rules)
            rules(t);
    };
    m_cursor->events().afterPost = [afterPost, this](TableCursor& t) {
        if (afterPost)
            afterPost(t);
        m_saved = true;
    };
    connect(m_bar, &TMnto::stateApplied, this, [this](TableCursor::State state) {
        if (m_open && state == TableCursor::State::Browse) {
            m_open = false;
            done(m_saved ? QDialog::Accepted : QDialog::Rejected);
        }
    });

    if (orden == 0) {
        m_cursor->insert();
    } else {
        // The row is opened by its hidden key, so that it can be saved.
        if (m_bar->maintenance()->lookup({orden}) != RecordMaintenance::Lookup::Found)
            throw std::runtime_error("Esa cubrición ya no existe.");
        m_bar->applyState();
    }
    m_open = true;
    m_fields.value(QStringLiteral("FechaCubricion"))->setFocus(Qt::OtherFocusReason);
}

TFEdicionCubricion::~TFEdicionCubricion() = default;
