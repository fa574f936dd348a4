#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class NumberEdit;
class QPushButton;

// The row dialog "Traslados": the row's cage and animal, and the destination
// "Destino". Leaving "Destino" asks whether that cage is free now: only then is
// "Aceptar" enabled (and focused); otherwise the focus stays in "Destino".
class TFTraslado : public QDialog {
    Q_OBJECT
public:
    using CageFree = std::function<bool(qint64 cage)>;
    TFTraslado(const QStringList& rowFields, const QString& animalCaption, qint64 destination, CageFree cageFree,
               QWidget* parent = nullptr);

    qint64 destination() const;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void probe();

    CageFree m_cageFree;
    NumberEdit* m_destino;
    QPushButton* m_ok;
};
