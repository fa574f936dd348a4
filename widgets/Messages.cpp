#include "Messages.h"

#include "widgets/AppInfo.h"
#include "db/DbError.h"

#include <QInputDialog>
#include <QPushButton>

namespace {

// "\r" in a message is a line break.
QString lines(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

class QtMessageSeam : public MessageSeam {
public:
    QMessageBox::StandardButton ask(QWidget* parent, const MessageRequest& r) override {
        QMessageBox box(r.icon, r.caption, lines(r.text), r.buttons, parent);
        box.setWindowModality(Qt::WindowModal);
        if (r.defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(r.defaultButton);
        translate(box);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    std::optional<QString> prompt(QWidget* parent, const PromptRequest& r) override {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(r.caption);
        dialog.setLabelText(r.label);
        dialog.setTextValue(r.text);
        dialog.setOkButtonText(QStringLiteral("Aceptar"));
        dialog.setCancelButtonText(QStringLiteral("Cancelar"));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    }

private:
    // The buttons speak Spanish whatever the machine's language.
    static void translate(QMessageBox& box) {
        const std::pair<QMessageBox::StandardButton, const char*> names[] = {
            {QMessageBox::Ok, "Aceptar"}, {QMessageBox::Cancel, "Cancelar"}, {QMessageBox::Yes, "Sí"},
            {QMessageBox::No, "No"},      {QMessageBox::Abort, "Abortar"},   {QMessageBox::Retry, "Reintentar"},
            {QMessageBox::Ignore, "Ignorar"}};
        for (const auto& [button, name] : names) {
            if (QAbstractButton* b = box.button(button))
                b->setText(QString::fromUtf8(name));
        }
    }
};

QtMessageSeam& qtSeam() {
    static QtMessageSeam seam;
    return seam;
}

MessageSeam* g_seam = nullptr;

} // namespace

namespace messages {

MessageSeam& seam() {
    return g_seam ? *g_seam : qtSeam();
}

void install(MessageSeam* s) {
    g_seam = s;
}

QMessageBox::StandardButton ask(QWidget* parent, const QString& caption, const QString& text, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    return seam().ask(parent, MessageRequest{caption, text, icon, buttons, defaultButton});
}

bool confirm(QWidget* parent, const QString& caption, const QString& text, QMessageBox::StandardButton defaultButton) {
    return ask(parent, caption, text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
           QMessageBox::Yes;
}

void inform(QWidget* parent, const QString& caption, const QString& text, QMessageBox::Icon icon) {
    ask(parent, caption, text, icon, QMessageBox::Ok);
}

std::optional<QString> prompt(QWidget* parent, const QString& caption, const QString& label, const QString& text) {
    return seam().prompt(parent, PromptRequest{caption, label, text});
}

void showError(QWidget* parent, const std::exception& error) {
    QString text;
    if (const auto* db = dynamic_cast<const DbError*>(&error))
        text = db->message();
    else
        text = QString::fromUtf8(error.what());
    inform(parent, QString::fromUtf8(app::kTitle), text, QMessageBox::Critical);
}

bool guarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        showError(parent, e);
        return false;
    }
}

} // namespace messages
