#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "CivilDate.h"
#include "ExportCommands.h"
#include "MessagePresenter.h"
#include "SettingsLocation.h"
#include "VesmerDlg.h"

// The day every test counts the current age to.
inline constexpr CivilDate kToday{2024, 4, 1};

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
};

// Records every message and answers from a queue (Ok, or No for a question, when it is empty).
class FakePresenter : public IMessagePresenter {
  public:
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageIcon icon) override;

    std::vector<ShownMessage> m_aShown;
    std::deque<MessageAnswer> m_aAnswers;
};

class FakeSavePrompt : public ISavePrompt {
  public:
    bool AskSavePath(const SavePromptSettings& settings, QString& path) override;

    QString m_strPath;
    bool m_bOk = true;
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

// A main dialog on fakes, with its settings and program folders in temporary folders.
class DialogFixture {
  public:
    DialogFixture();
    ~DialogFixture();

    // A new dialog on the same folders (a restart).
    CVesmerDlg& Start();
    CVesmerDlg& Dialog() { return *m_dialog; }

    template <class T>
    T* Control(int id) const {
        return m_dialog->findChild<T*>(QString::number(id));
    }
    // A selection as the user makes it: the item is chosen and the change reported.
    void Choose(int comboId, int index) const;
    void SetText(int editId, const QString& text) const;
    void SetChecked(int checkId, bool checked) const;
    void Calculate() const;
    QString BoxText() const;

    QString SettingsPath(const char* fileName) const;
    QByteArray ReadSettings(const char* fileName) const;
    void WriteSettings(const char* fileName, const std::string& utf8Text) const;
    bool SettingsExist() const;

    QTemporaryDir m_settingsFolder;
    QTemporaryDir m_programFolder;
    FakePresenter m_presenter;
    FakeSavePrompt m_prompt;
    FakeFileOpener m_opener;
    FakeProcessStarter m_starter;
    CSettingsLocation m_location;
    std::unique_ptr<CVesmerDlg> m_dialog;
};

// The bytes a settings file holds for the given lines: code page 932, CR LF after each line.
QByteArray IniBytes(const std::vector<std::string>& lines);
