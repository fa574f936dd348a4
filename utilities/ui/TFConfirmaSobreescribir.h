#pragma once

#include "utilities/archive/ArchiveReader.h"

#include <QDialog>

// "Confirma sobreescribir archivo": a file about to be restored over one that
// is there. "&Si" replaces it, "Si a &Todo" it and every later one, "&No"
// keeps it, "Cancelar" (Escape, the close box) stops the restore.
class TFConfirmaSobreescribir : public QDialog {
    Q_OBJECT
public:
    TFConfirmaSobreescribir(const QString& existingPath, const ArchiveLayout::Entry& archived, QWidget* parent);
    OverwriteAnswer answer() const { return m_answer; }

    static OverwriteAnswer ask(QWidget* parent, const ArchiveLayout::Entry& archived, const QFileInfo& existing);

protected:
    void reject() override;

private:
    OverwriteAnswer m_answer = OverwriteAnswer::Cancel;
};

// "%.0n bytes  %s": the size with thousands points, then the day and time.
QString sizeAndDate(qint64 bytes, const QDateTime& when);
