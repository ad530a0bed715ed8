#pragma once

#include <QString>
#include <array>
#include <vector>

#include "engine/ResumeRows.h"
#include "input/InputSchema.h"

class IMessagePresenter;
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
    // Creates the buttons on dialog, disabled. rows is read at every copy; clipboard nullptr
    // means the desktop's clipboard.
    CResumeCopy(QWidget& dialog, const DialogBaseUnits& base, const std::vector<ResumeRow>& rows,
                IMessagePresenter& presenter, IClipboard* clipboard);

    void SetEnabled(bool enabled);
    // Puts the rows on the clipboard; with no rows (nothing before today) it says so instead
    // of emptying the clipboard.
    void Copy(ResumeCalendar calendar);

  private:
    const std::vector<ResumeRow>& m_rows;
    IMessagePresenter& m_presenter;
    CSystemClipboard m_systemClipboard;
    IClipboard& m_clipboard;
    std::array<QPushButton*, 2> m_buttons{};
};
