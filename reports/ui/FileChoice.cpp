#include "FileChoice.h"

#include <QFileDialog>

namespace {

class QtFileChoice : public FileChoiceSeam {
public:
    std::optional<QString> saveFile(QWidget* parent, const SaveFileRequest& r) override {
        QFileDialog dialog(parent, r.caption, r.suggestedPath, r.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // With the suffix known to the dialog, its overwrite question names the real file.
        dialog.setDefaultSuffix(r.defaultSuffix);
        dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
        dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
        dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
        dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
        dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }
};

QtFileChoice& qtSeam() {
    static QtFileChoice seam;
    return seam;
}

FileChoiceSeam* g_seam = nullptr;

} // namespace

namespace filechoice {

FileChoiceSeam& seam() {
    return g_seam ? *g_seam : qtSeam();
}

void install(FileChoiceSeam* s) {
    g_seam = s;
}

std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                const QString& filter, const QString& defaultSuffix) {
    return seam().saveFile(parent, SaveFileRequest{caption, suggestedPath, filter, defaultSuffix});
}

} // namespace filechoice
