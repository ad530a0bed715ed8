#pragma once

#include <QString>
#include <string>
#include <vector>

#include "ExportCommands.h"
#include "MessagePresenter.h"

// Answers the save prompt with a fixed path (or a cancel) and records what it was asked.
class FakeSavePrompt : public ISavePrompt {
  public:
    explicit FakeSavePrompt(QString path = {}, bool ok = true) : m_strPath(path), m_bOk(ok) {}

    bool AskSavePath(const SavePromptSettings& settings, QString& path) override {
        m_aAsked.push_back(settings);
        if (m_bOk) path = m_strPath;
        return m_bOk;
    }

    QString m_strPath;
    bool m_bOk;
    std::vector<SavePromptSettings> m_aAsked;
};

class FakeFileOpener : public IFileOpener {
  public:
    void OpenFile(const QString& path) override { m_aOpened.push_back(path); }
    std::vector<QString> m_aOpened;
};

class FakeProcessStarter : public IProcessStarter {
  public:
    void StartDetached(const QString& program) override { m_aStarted.push_back(program); }
    std::vector<QString> m_aStarted;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
};

class RecordingPresenter : public IMessagePresenter {
  public:
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageIcon icon) override {
        m_aShown.push_back({std::string(text), std::string(caption), buttons, icon});
        return MessageAnswer::Ok;
    }
    std::vector<ShownMessage> m_aShown;
};
