#include "TFEdicionGuiaTrabajo.h"

#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/NumberEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Which task each number serves, its caption before the box and after it.
struct NumberPlace {
    GuideTask task;
    const char* name;
    const char* before;
    const char* after;
};
constexpr NumberPlace kNumbers[] = {
    {GuideTask::Pinchazo, "pinchazo", "Pinchazo", "días antes de cubrición"},
    {GuideTask::Cubriciones, "diasCubrirPosparto", "Días a cubrir posparto", ""},
    {GuideTask::Cubriciones, "diasEntreCubricion", "Días entre cubrición por macho", ""},
    {GuideTask::Cubriciones, "desdeMacho", "Desde macho", ""},
    {GuideTask::Cubriciones, "hastaMacho", "Hasta macho", ""},
    {GuideTask::RevisionNidos, "revisarCamadas", "Revisar camadas con menos de", "días"},
    {GuideTask::RetirarNidales, "edadRetirarNidales", "Edad a retirar nidales", ""},
};

std::array<int, 7> numbersOf(const GuideDayNumbers& n) {
    return {n.injectionLead, n.diasCubrirPosparto, n.intervaloCubrirMacho, n.firstMale,
            n.lastMale,      n.edadCamadasRevisar, n.edadRetirarNidal};
}

} // namespace

TFEdicionGuiaTrabajo::TFEdicionGuiaTrabajo(const GuideDay& day, QWidget* parent) : QDialog(parent), m_day(day) {
    setObjectName(QStringLiteral("TFEdicionGuiaTrabajo"));
    setWindowTitle(QStringLiteral("Edición Guia Trabajo"));

    auto* layout = new QVBoxLayout(this);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("Fecha"), this));
    auto* date = new QLabel(day.caption(), this);
    date->setObjectName(QStringLiteral("fecha"));
    QFont bold = date->font();
    bold.setBold(true);
    date->setFont(bold);
    dateRow->addWidget(date);
    dateRow->addStretch();
    layout->addLayout(dateRow);

    auto* grid = new QGridLayout;
    const std::array<int, 7> values = numbersOf(day.numbers());
    int row = 0;
    for (int t = 0; t < kGuideTaskCount; ++t) {
        const auto kind = static_cast<GuideTask>(t);
        auto* box = new QCheckBox(editCaption(kind), this);
        box->setObjectName(QStringLiteral("tarea%1").arg(t));
        box->setChecked(day.ticked(kind));
        m_tasks[size_t(t)] = box;
        grid->addWidget(box, row++, 0, 1, 4);
        for (size_t n = 0; n < std::size(kNumbers); ++n) {
            if (kNumbers[n].task != kind)
                continue;
            auto* edit = new NumberEdit(this);
            edit->setObjectName(QString::fromLatin1(kNumbers[n].name));
            edit->setNonNegative(true);
            edit->setValue(values[n]);
            m_numbers[n] = edit;
            grid->addWidget(new QLabel(QString::fromUtf8(kNumbers[n].before), this), row, 1);
            grid->addWidget(edit, row, 2);
            grid->addWidget(new QLabel(QString::fromUtf8(kNumbers[n].after), this), row, 3);
            ++row;
        }
    }
    grid->setColumnMinimumWidth(0, 24);
    layout->addLayout(grid);

    DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addLayout(buttons.layout);
    KeyNavigation::install(this);
    m_tasks[0]->setFocus();
}

GuideDay TFEdicionGuiaTrabajo::edited() const {
    GuideDay day = m_day;
    for (int t = 0; t < kGuideTaskCount; ++t)
        day.setTicked(static_cast<GuideTask>(t), m_tasks[size_t(t)]->isChecked());
    const auto value = [this](int n) { return int(m_numbers[size_t(n)]->value()); };
    day.setNumbers({.injectionLead = value(0),
                    .diasCubrirPosparto = value(1),
                    .intervaloCubrirMacho = value(2),
                    .firstMale = value(3),
                    .lastMale = value(4),
                    .edadCamadasRevisar = value(5),
                    .edadRetirarNidal = value(6)});
    return day;
}
