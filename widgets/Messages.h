#pragma once

#include <QMessageBox>
#include <QString>
#include <exception>
#include <functional>
#include <optional>

class QWidget;

// Every message box, question and text prompt of the program goes through this
// seam, so tests can answer them from a script and read what was asked.
struct MessageRequest {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct PromptRequest {
    QString caption;
    QString label;
    QString text;
};

class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    virtual QMessageBox::StandardButton ask(QWidget* parent, const MessageRequest& request) = 0;
    // A line of text, or nothing when the user cancels.
    virtual std::optional<QString> prompt(QWidget* parent, const PromptRequest& request) = 0;
};

namespace messages {

// The seam in force: real boxes unless a test installed its own.
MessageSeam& seam();
// Installs a seam (nullptr restores the real boxes).
void install(MessageSeam* seam);

QMessageBox::StandardButton ask(QWidget* parent, const QString& caption, const QString& text, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
// Yes/No with the question icon; true for Yes.
bool confirm(QWidget* parent, const QString& caption, const QString& text,
             QMessageBox::StandardButton defaultButton = QMessageBox::Yes);
void inform(QWidget* parent, const QString& caption, const QString& text,
            QMessageBox::Icon icon = QMessageBox::Information);
std::optional<QString> prompt(QWidget* parent, const QString& caption, const QString& label,
                              const QString& text = QString());

// The Spanish sentence that leads an engine error with this SQLite result code
// (extended, or its primary code), or an empty text when the code has none.
QString engineSentence(int code);
// The text an error box shows for an error: for a database error the farmer's
// sentence first and the engine's own words on the next line.
QString errorText(const std::exception& error);
// An error the action could not get past, in an error box captioned with the
// program title; the screen stays open.
void showError(QWidget* parent, const std::exception& error);
// Runs an action and shows any error it raises; true when it ran to its end.
bool guarded(QWidget* parent, const std::function<void()>& action);

} // namespace messages
