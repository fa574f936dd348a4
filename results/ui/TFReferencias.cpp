#include "TFReferencias.h"

#include "widgets/DialogButtons.h"
#include "widgets/KeyNavigation.h"
#include "widgets/NumberEdit.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace results;

TFReferencias::TFReferencias(const References& references, QWidget* parent)
    : QDialog(parent), m_references(references) {
    setObjectName(QStringLiteral("TFReferencias"));
    setWindowTitle(QStringLiteral("Referencias Técnicas"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeLines());
    auto* defaults = new QPushButton(QStringLiteral("Valores por defecto"), this);
    defaults->setObjectName(QStringLiteral("porDefecto"));
    defaults->setAutoDefault(false);
    connect(defaults, &QPushButton::clicked, this, [this] { fill(References::builtIn()); });
    DialogButtons buttons(this);
    buttons.layout->insertWidget(0, defaults);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addLayout(buttons.layout);

    fill(m_references);
    KeyNavigation::install(this);
    if (!m_lines.empty())
        m_lines.front().reference->setFocus();
}

QWidget* TFReferencias::makeLines() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Referencia"), box), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Límite"), box), 0, 2);
    int row = 1;
    for (const IndicatorDefinition& d : indicators()) {
        if (d.better == Better::None)
            continue;
        auto* caption = new QLabel(d.caption, box);
        caption->setToolTip(d.definition);
        const auto number = [&](const char* suffix) {
            auto* edit = new NumberEdit(box, d.decimals);
            edit->setObjectName(QString::fromLatin1(d.key) + QLatin1String(suffix));
            edit->setNonNegative(true);
            edit->setAlignment(Qt::AlignRight);
            edit->setMaximumWidth(90);
            edit->setToolTip(d.definition);
            return edit;
        };
        Line line{d.id, number(""), number("Limite")};
        grid->addWidget(caption, row, 0);
        grid->addWidget(line.reference, row, 1);
        grid->addWidget(line.limit, row, 2);
        m_lines.push_back(line);
        ++row;
    }
    return box;
}

void TFReferencias::fill(const References& references) {
    for (const Line& l : m_lines) {
        l.reference->setValue(references.of(l.id).value);
        l.limit->setValue(references.of(l.id).limit);
    }
}

References TFReferencias::references() const {
    References out = m_references;
    for (const Line& l : m_lines)
        out.set(l.id, {l.reference->value(), l.limit->value()});
    return out;
}

const TFReferencias::Line* TFReferencias::line(Indicator id) const {
    for (const Line& l : m_lines)
        if (l.id == id)
            return &l;
    return nullptr;
}

NumberEdit* TFReferencias::referenceBox(Indicator id) const {
    const Line* l = line(id);
    return l ? l->reference : nullptr;
}

NumberEdit* TFReferencias::limitBox(Indicator id) const {
    const Line* l = line(id);
    return l ? l->limit : nullptr;
}
