#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/MainWindowLayout.h"
#include "app/SystemMenu.h"
#include "engine/CivilDate.h"
#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"
#include "input/DialogInputs.h"
#include "input/EventInputs.h"
#include "input/InputSchema.h"
#include "platform/Version.h"

class CInputBinding;
class CResumeBlock;
class CResumeCopy;
class CResumeWindow;
class CSettingsLocation;
class CStaticEx;
struct CalculationResult;
class IClipboard;
class IFileOpener;
class IMessagePresenter;
class IProcessStarter;
class IResumePrinter;
class ISavePrompt;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// What the main dialog works with besides its own controls: the application passes the real
// services, tests pass fakes.
struct VesmerDlgServices {
    IMessagePresenter& presenter;
    CSettingsLocation& location;
    ISavePrompt& savePrompt;
    IFileOpener& fileOpener;
    IProcessStarter& processStarter;
    std::function<CivilDate()> clock;  // the day the current age is counted to
    QString saveFolder;                // where the save prompts start
    QString programFolder;             // where the sibling tool is looked for
    IClipboard* clipboard = nullptr;   // where the résumé rows are copied; nullptr: the desktop's
    IResumePrinter* printer = nullptr;  // where the 学歴 block is printed; nullptr: a print dialog
};

inline constexpr const char* kApplicationTitle = "Vesmer";
inline constexpr const char* kResetQuestion = "入力値をリセットします。よろしいですか？";

// The program's one working window: it gathers the inputs of a school history, computes it on
// Calculate and shows the text. Its inputs are built from the input schema (input/InputSchema.h).
class CVesmerDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CVesmerDlg(const VesmerDlgServices& services, QWidget* parent = nullptr);
    ~CVesmerDlg() override;

    // true: controls into the members (refusing a text longer than its edit's limit, which ends
    // the exchange); false: members into the controls.
    bool UpdateData(bool saveAndValidate);

    // The defaults, shown at once, with the particle they take.
    bool ResetInputs();

    void OnSelchangeFinalSchool();
    void OnSelchangeOutcome();
    // The wording of a skipped year, a choice of the 学歴 block.
    void OnSelchangeResumeSkip();
    void OnOK();  // Calculate
    void OnReset();
    void OnFileOutput();
    void OnLaunchTool();
    // Opens the 学歴欄 window (created on first use, then shown again as it was left).
    void OnResumeWindow();
    // The system-menu command: a number that differs from IDM_ABOUTBOX only in its low four bits
    // opens the version dialog. Returns whether the command was taken.
    bool OnSysCommand(unsigned command);

    // The menu a right click on the dialog's background opens; the version entry comes last,
    // after a separator.
    QMenu* CreateContextMenu(QWidget* parent);

    // Replaces the modal version dialog (tests).
    void SetAboutRunner(std::function<void(QWidget* owner)> runner);

    const DialogInputs& Inputs() const { return m_inputs; }
    const std::string& HistoryText() const { return m_strHistoryText; }
    const CHistoryData& History() const { return m_history; }
    CStaticEx* LinkLabel() const { return m_ctlLink; }
    // The 学歴 block's choices and rows; the 学歴欄 window once it has been opened, else nullptr.
    CResumeBlock& ResumeBlock() const { return *m_resumeBlock; }
    CResumeWindow* ResumeWindow() const { return m_resumeWindow; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

  public slots:
    // Esc and the cancel command do nothing: the window ends only through its close box.
    void reject() override;

  private:
    void CreateControls();
    void ConnectCommands();
    QWidget* Widget(Control control) const;
    void OnInitDialog();
    void ApplyParticle(int outcomeIndex);
    // Calculate with the inputs as they stand and the rows of 「休学・留学など」. asked: the user
    // pressed Calculate, and a refusal is said in a box and its input (or row) focused; else the
    // rows changed, and a refused row is only named in the 学歴欄 window.
    void Recalculate(bool asked);
    void Refuse(const CalculationResult& result, bool asked);
    // Rows of 「休学・留学など」 that differ from those of the last calculation are computed anew.
    void OnResumeInputsCommitted();
    // The block's wording of a skipped year, open while one of the two boxes skips one.
    void ShowResumeSkip();
    void SetExportEnabled(bool enabled);
    void ShowAboutDialog();

    IMessagePresenter& m_presenter;
    CSettingsLocation& m_location;
    ISavePrompt& m_savePrompt;
    IFileOpener& m_fileOpener;
    IProcessStarter& m_processStarter;
    std::function<CivilDate()> m_clock;
    QString m_strSaveFolder;
    QString m_strProgramFolder;
    std::function<void(QWidget*)> m_runAbout;
    std::unique_ptr<IClipboard> m_systemClipboard;
    IClipboard* m_clipboard = nullptr;
    std::unique_ptr<IResumePrinter> m_systemPrinter;
    IResumePrinter* m_printer = nullptr;

    // The window's controls; the ones the commands use by name.
    MainWindowControls m_controls;
    CStaticEx* m_ctlLink = nullptr;
    QPushButton* m_btnExport = nullptr;
    QComboBox* m_cmbFinalSchool = nullptr;
    QComboBox* m_cmbOutcome = nullptr;
    QPlainTextEdit* m_editHistory = nullptr;
    QLabel* m_lblParticle = nullptr;
    QComboBox* m_cmbResumeSkip = nullptr;

    // Members bound to the controls, and the model.
    DialogInputs m_inputs;
    std::string m_strHistoryText;
    std::unique_ptr<CInputBinding> m_binding;
    CResumeBlock* m_resumeBlock = nullptr;  // the rows of the shown history, as of its Calculate
    std::unique_ptr<CResumeCopy> m_resumeCopy;
    CResumeWindow* m_resumeWindow = nullptr;
    CHistoryData m_history;
    std::vector<EventInput> m_aCalculatedEvents;  // the rows the last calculation was given
};
