#include "ScriptedMessages.h"

ScriptedMessages::ScriptedMessages() {
    messages::install(this);
}

ScriptedMessages::~ScriptedMessages() {
    messages::install(nullptr);
}

QMessageBox::StandardButton ScriptedMessages::ask(QWidget*, const MessageRequest& request) {
    m_asked << request;
    if (!m_buttons.empty()) {
        const auto b = m_buttons.front();
        m_buttons.pop_front();
        return b;
    }
    return request.defaultButton != QMessageBox::NoButton ? request.defaultButton : QMessageBox::Ok;
}

std::optional<QString> ScriptedMessages::prompt(QWidget*, const PromptRequest& request) {
    m_prompted << request;
    if (m_prompts.empty())
        return std::nullopt;
    QString t = m_prompts.front();
    m_prompts.pop_front();
    return t;
}
