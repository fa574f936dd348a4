#pragma once

#include "widgets/Messages.h"

#include <QList>
#include <deque>

// Answers the program's message boxes and prompts from a script, and keeps
// every request for the test to read. Installed for its lifetime.
class ScriptedMessages : public MessageSeam {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;

    // The next answers, in order; a box asked with no answer queued gets its
    // default button (or Ok), a prompt gets a cancel.
    void answer(QMessageBox::StandardButton button) { m_buttons.push_back(button); }
    void answerPrompt(const QString& text) { m_prompts.push_back(text); }

    QMessageBox::StandardButton ask(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> prompt(QWidget* parent, const PromptRequest& request) override;

    const QList<MessageRequest>& asked() const { return m_asked; }
    const QList<PromptRequest>& prompted() const { return m_prompted; }
    QString lastText() const { return m_asked.isEmpty() ? QString() : m_asked.last().text; }
    void forget() { m_asked.clear(); m_prompted.clear(); }

private:
    std::deque<QMessageBox::StandardButton> m_buttons;
    std::deque<QString> m_prompts;
    QList<MessageRequest> m_asked;
    QList<PromptRequest> m_prompted;
};
