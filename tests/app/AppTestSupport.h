#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "CivilDate.h"
#include "Fakes.h"
#include "SettingsLocation.h"
#include "VesmerDlg.h"

// The day every test counts the current age to.
inline constexpr CivilDate kToday{2024, 4, 1};

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
