#include "Messages.h"

#include "widgets/AppInfo.h"
#include "db/DbError.h"

#include <QInputDialog>
#include <QPushButton>
#include <sqlite3.h>

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

// What the farmer reads first when the engine refuses, by SQLite result code.
// A primary code covers its extended ones; of the constraints only these kinds
// have a sentence, the rest show the engine's words alone.
struct EngineSentence {
    int code;
    const char* text;
};

constexpr const char* kKeyExists = "Ya existe un registro con esa clave; no se ha grabado.";
constexpr const char* kInUse = "La base de datos de la granja está en uso en otro ordenador. Espere un momento y "
                               "vuelva a intentarlo.";
constexpr const char* kDamaged = "El archivo de la base de datos de la granja está dañado. Repárelo con "
                                 "\"Reparación de Bases de Datos\" o recupere una copia con \"Restaurar Copia de "
                                 "Seguridad\" (menú \"Archivo\").";

constexpr EngineSentence kEngineSentences[] = {
    {SQLITE_CONSTRAINT_PRIMARYKEY, kKeyExists},
    {SQLITE_CONSTRAINT_UNIQUE, kKeyExists},
    {SQLITE_CONSTRAINT_NOTNULL, "Falta un dato obligatorio; no se ha grabado."},
    {SQLITE_BUSY, kInUse},
    {SQLITE_LOCKED, kInUse},
    {SQLITE_READONLY, "El archivo de la base de datos de la granja es de sólo lectura: no se pueden grabar "
                      "cambios."},
    {SQLITE_FULL, "El disco está lleno: libere espacio y vuelva a intentarlo."},
    {SQLITE_CORRUPT, kDamaged},
    {SQLITE_NOTADB, kDamaged},
};

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

QString engineSentence(int code) {
    if (code == 0)
        return QString();
    for (const EngineSentence& s : kEngineSentences) {
        if (s.code == code)
            return QString::fromUtf8(s.text);
    }
    // An extended code shares the sentence of its primary code (SQLITE_BUSY_SNAPSHOT is busy).
    for (const EngineSentence& s : kEngineSentences) {
        if (s.code == (code & 0xff))
            return QString::fromUtf8(s.text);
    }
    return QString();
}

QString errorText(const std::exception& error) {
    const auto* db = dynamic_cast<const DbError*>(&error);
    if (!db)
        return QString::fromUtf8(error.what());
    const QString sentence = engineSentence(db->code());
    return sentence.isEmpty() ? db->message() : sentence + QLatin1Char('\n') + db->message();
}

void showError(QWidget* parent, const std::exception& error) {
    inform(parent, QString::fromUtf8(app::kTitle), errorText(error), QMessageBox::Critical);
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
