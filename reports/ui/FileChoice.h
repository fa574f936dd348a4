#pragma once

#include <QString>
#include <optional>

class QWidget;

// The choice of a file to write goes through this seam, so tests can answer it
// and read what was asked.
struct SaveFileRequest {
    QString caption;
    QString suggestedPath;
    QString filter;
    QString defaultSuffix; // added to a name typed without it ("pdf")
};

class FileChoiceSeam {
public:
    virtual ~FileChoiceSeam() = default;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> saveFile(QWidget* parent, const SaveFileRequest& request) = 0;
};

namespace filechoice {

// The seam in force: the real file dialog unless a test installed its own.
FileChoiceSeam& seam();
// Installs a seam (nullptr restores the real dialog).
void install(FileChoiceSeam* seam);

std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                const QString& filter, const QString& defaultSuffix = {});

} // namespace filechoice
