#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/MessageBox.h"
#include "app/ResumeWindow.h"
#include "export/ExportCommands.h"

// The save-as prompt as a file dialog owned by the main dialog: title, starting folder and name,
// the file types with their suffixes and the confirmation before replacing an existing file.
class CFileDialogSavePrompt : public ISavePrompt {
  public:
    void SetOwner(QWidget* owner) { m_owner = owner; }
    bool AskSavePath(const SavePromptSettings& settings, QString& path,
                     std::size_t& fileType) override;

  private:
    QPointer<QWidget> m_owner;
};

// The print dialog owned by the window that asks, then the 学歴 block on the chosen printer.
class CPrintDialogResumePrinter : public IResumePrinter {
  public:
    PrintOutcome Print(const std::vector<ResumeRow>& rows, ResumeCalendar calendar,
                       QWidget* owner) override;
};

// Opens a file with the program the desktop associates with it.
class CDesktopFileOpener : public IFileOpener {
  public:
    void OpenFile(const QString& path) override;
};

// The user's desktop folder, or an empty text when there is none.
QString DesktopFolder();
