#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

#include "engine/ResumeRows.h"
#include "input/ResumeInputs.h"

class CEventList;
class CResumeBlock;
class CResumeTableModel;
class IClipboard;
class IMessagePresenter;
class ISavePrompt;
class QGridLayout;
class QLabel;
class QTableView;

enum class PrintOutcome { Printed, Cancelled, Failed };

// Prints the 学歴 block: the print dialog and a printer in the window, a fake in tests.
class IResumePrinter {
  public:
    virtual ~IResumePrinter() = default;
    virtual PrintOutcome Print(const std::vector<ResumeRow>& rows, ResumeCalendar calendar,
                               QWidget* owner) = 0;
};

// What the 学歴欄 window works with besides the block: the main window's services.
struct ResumeWindowServices {
    IMessagePresenter& presenter;
    ISavePrompt& savePrompt;
    IClipboard& clipboard;
    IResumePrinter& printer;
    QString saveFolder;  // where the save prompts start
};

inline constexpr const char* kResumeWindowTitle = "履歴書の学歴欄";
inline constexpr std::string_view kMsgPrintFailed = "印刷できませんでした。";
// The name a saved or printed block is offered under ("履歴書の学歴欄.pdf"), for CSV and PDF.
QString ResumeDocumentName(const char* suffix);

// The 学歴 block as it is handed in: the table 年 | 月 | 学歴 of the current history, the choices
// of ResumeSchema() (calendar, start, heading and closing row, each stage's name and department,
// the month of a leaving; the wording of a skipped year stands in the main window), the list
// 「休学・留学など」 under them, and the block copied, saved as CSV or PDF, or printed. A choice
// that cannot be read is named in red under the fields, a refused row under the list's, while
// the table keeps its last rows. The choices are written to VesmerResume.ini when a field's
// editing finishes, a list or box changes, a row is added or removed, and when the window
// closes.
class CResumeWindow : public QDialog {
    Q_OBJECT
  public:
    CResumeWindow(CResumeBlock& block, const ResumeWindowServices& services,
                  QWidget* parent = nullptr);
    ~CResumeWindow() override;

    // The control of an input of ResumeSchema(); nullptr for one the main window shows.
    QWidget* Field(const ResumeField& field) const;
    CEventList& Events() const { return *m_events; }
    const CResumeTableModel& Model() const { return *m_model; }

    void OnCopy();
    void OnSaveCsv();
    void OnPrint();
    void OnSavePdf();
    // Takes the fields into the block and writes the choices when they changed.
    void SaveChoices();
    // Selects the row of 「休学・留学など」 the last calculation refused and focuses its field.
    void FocusRefusedEvent();

  public slots:
    // Esc and the close box: the choices are written, then the window is hidden.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGridLayout* CreateForm();
    QWidget* CreateField(const ResumeField& field, QGridLayout& grid);
    QWidget* CreateTable();
    QLayout* CreateButtons();
    void ShowInputs(const ResumeInputs& inputs);
    ResumeInputs ReadFields() const;
    // finished: the editing is done, and the choices are committed (CResumeBlock::CommitInputs).
    void OnFieldChanged(bool finished);
    void Refresh();
    // Every row as high as its wrapped text, and no lower than a row of one line.
    void FitRows();
    void SaveFile(const char* typeFilter, const char* suffix,
                  const std::function<bool(const QString& path)>& write);
    void SetStatus(const QString& text);

    CResumeBlock& m_block;
    IMessagePresenter& m_presenter;
    ISavePrompt& m_savePrompt;
    IClipboard& m_clipboard;
    IResumePrinter& m_printer;
    QString m_strSaveFolder;

    std::vector<QWidget*> m_aFields;  // in the order of ResumeSchema()
    CEventList* m_events = nullptr;
    CResumeTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_lblRefusal = nullptr;
    QLabel* m_lblNote = nullptr;
    QLabel* m_lblStatus = nullptr;
    bool m_bShowing = false;  // the fields are being filled, not typed in
};
