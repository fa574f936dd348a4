#pragma once

#include "results/References.h"

#include <QDialog>
#include <vector>

class NumberEdit;

// "Referencias Técnicas": the reference and the limit of every indicator that
// has them, in two number boxes per line. "Valores por defecto" puts the
// built-in figures back into the boxes; "Aceptar" hands the boxes' figures back
// to the caller, which keeps them; "Cancelar" or Escape changes nothing.
class TFReferencias : public QDialog {
    Q_OBJECT
public:
    explicit TFReferencias(const results::References& references, QWidget* parent = nullptr);

    results::References references() const;
    NumberEdit* referenceBox(results::Indicator id) const;
    NumberEdit* limitBox(results::Indicator id) const;

private:
    struct Line {
        results::Indicator id;
        NumberEdit* reference;
        NumberEdit* limit;
    };
    QWidget* makeLines();
    void fill(const results::References& references);
    const Line* line(results::Indicator id) const;

    results::References m_references;
    std::vector<Line> m_lines;
};
