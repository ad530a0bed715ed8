#pragma once

#include <QString>
#include <array>
#include <vector>

#include "engine/ResumeRows.h"
#include "export/ExportCommands.h"
#include "input/InputSchema.h"

class CResumeBlock;
class QPushButton;
class QWidget;
struct DialogBaseUnits;

// Where copied text goes: the desktop's clipboard in the window, a fake in tests.
class IClipboard {
  public:
    virtual ~IClipboard() = default;
    virtual void SetText(const QString& text) = 0;
};

class CSystemClipboard : public IClipboard {
  public:
    void SetText(const QString& text) override;
};

// The object name of a copy button; empty for any other control.
QString ResumeCopyName(Control control);

// The two buttons below the history that copy its résumé rows to the clipboard, in 和暦 or in
// 西暦, as tab-separated lines that paste into the columns of a spreadsheet template.
class CResumeCopy {
  public:
    // Creates the buttons on dialog, disabled; block's rows are read at every copy.
    CResumeCopy(QWidget& dialog, const DialogBaseUnits& base, CResumeBlock& block,
                IClipboard& clipboard);

    void SetEnabled(bool enabled);
    // Puts the rows on the clipboard; when they cannot be used (a refused choice or row, no rows
    // yet) it says why instead of touching the clipboard.
    void Copy(ResumeCalendar calendar);

  private:
    CResumeBlock& m_block;
    IClipboard& m_clipboard;
    std::array<QPushButton*, 2> m_buttons{};
};

// The export's save prompt while the block's rows are on offer: when résumé rows are chosen
// while a choice of the block or a row of 「休学・留学など」 is refused, the refusal is said and
// the prompt counts as cancelled, so that no rows other than the chosen ones are written.
class CResumeRowsPrompt : public ISavePrompt {
  public:
    CResumeRowsPrompt(ISavePrompt& prompt, CResumeBlock& block);
    bool AskSavePath(const SavePromptSettings& settings, QString& path,
                     std::size_t& fileType) override;

  private:
    ISavePrompt& m_prompt;
    CResumeBlock& m_block;
};
