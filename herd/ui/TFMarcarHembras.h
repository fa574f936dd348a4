#pragma once

#include "herd/FemaleMarks.h"

#include <QDialog>
#include <array>

class Database;
class NumberEdit;
class QCheckBox;
class QPushButton;
struct FarmContext;

// "Marcar Hembras" (by cage) and "Marcar Hembras Por Codigo de Hembra": the
// four marks of every female in the range, each box grey (unchanged), ticked
// (True) or clear (False). The screen closes once the marks are written.
class TFMarcarHembras : public QDialog {
    Q_OBJECT
public:
    TFMarcarHembras(const FarmContext& context, MarkChange::Range range, QWidget* parent = nullptr);

private:
    MarkChange change() const;
    void refresh();
    void accept() override;

    Database& m_db;
    MarkChange::Range m_range;
    NumberEdit* m_desde;
    NumberEdit* m_hasta;
    std::array<QCheckBox*, 4> m_boxes{};
    QPushButton* m_ok;
};
