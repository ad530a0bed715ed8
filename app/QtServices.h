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
// Printed to a file, the block is offered as ResumeDocumentName("pdf") in folder, as the PDF is
// saved.
class CPrintDialogResumePrinter : public IResumePrinter {
  public:
    explicit CPrintDialogResumePrinter(const QString& folder = QString());
    PrintOutcome Print(const std::vector<ResumeRow>& rows, ResumeCalendar calendar,
                       QWidget* owner) override;

  private:
    QString m_strFolder;
};

// Opens a file with the program the desktop associates with it.
class CDesktopFileOpener : public IFileOpener {
  public:
    void OpenFile(const QString& path) override;
};

// Where the save prompts start: the user's desktop folder, else the home folder; an empty text
// when there is neither.
QString SaveFolder();
