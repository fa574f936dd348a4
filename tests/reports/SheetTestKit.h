#pragma once

#include "reports/ui/FileChoice.h"
#include "reports/ui/SheetOutput.h"

#include <QList>
#include <QString>
#include <deque>
#include <vector>

// Takes the place of the real sheet output for its lifetime and keeps every
// sheet produced, with the way it was asked for.
class CapturedSheets : public SheetOutput {
public:
    CapturedSheets() { sheets::install(this); }
    ~CapturedSheets() override { sheets::install(nullptr); }

    void preview(QWidget*, const SheetDocument& sheet) override { m_sheets.push_back({sheet, true}); }
    void print(QWidget*, const SheetDocument& sheet) override { m_sheets.push_back({sheet, false}); }

    struct Captured {
        SheetDocument sheet;
        bool previewed;
    };
    const std::vector<Captured>& sheets() const { return m_sheets; }

private:
    std::vector<Captured> m_sheets;
};

// Answers the file choices from a script (a choice with no answer queued is a
// cancel) and keeps every request.
class ScriptedFileChoice : public FileChoiceSeam {
public:
    ScriptedFileChoice() { filechoice::install(this); }
    ~ScriptedFileChoice() override { filechoice::install(nullptr); }

    void answer(const QString& path) { m_answers.push_back(path); }
    std::optional<QString> saveFile(QWidget*, const SaveFileRequest& request) override {
        m_asked << request;
        if (m_answers.empty())
            return std::nullopt;
        const QString path = m_answers.front();
        m_answers.pop_front();
        return path;
    }
    const QList<SaveFileRequest>& asked() const { return m_asked; }

private:
    std::deque<QString> m_answers;
    QList<SaveFileRequest> m_asked;
};
