#pragma once

#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "export/ExportCommands.h"
#include "platform/MessagePresenter.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
};

// Records every message and answers from a queue (Ok, or No for a question, when it is empty).
struct FakePresenter : IMessagePresenter {
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageIcon icon) override {
        m_aShown.push_back({std::string(text), std::string(caption), buttons, icon});
        if (m_aAnswers.empty())
            return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
        const MessageAnswer answer = m_aAnswers.front();
        m_aAnswers.pop_front();
        return answer;
    }

    std::vector<ShownMessage> m_aShown;
    std::deque<MessageAnswer> m_aAnswers;
};

// Answers the save prompt with a fixed path and file type (or a cancel) and records what it was
// asked.
struct FakeSavePrompt : ISavePrompt {
    bool AskSavePath(const SavePromptSettings& settings, QString& path,
                     std::size_t& fileType) override {
        m_aAsked.push_back(settings);
        if (m_bOk) {
            path = m_strPath;
            fileType = m_nFileType;
        }
        return m_bOk;
    }

    QString m_strPath;
    bool m_bOk = true;
    std::size_t m_nFileType = 0;
    std::vector<SavePromptSettings> m_aAsked;
};

struct FakeFileOpener : IFileOpener {
    void OpenFile(const QString& path) override { m_aOpened.push_back(path); }
    std::vector<QString> m_aOpened;
};

struct FakeProcessStarter : IProcessStarter {
    void StartDetached(const QString& program) override { m_aStarted.push_back(program); }
    std::vector<QString> m_aStarted;
};
