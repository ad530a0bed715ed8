#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/CivilDate.h"
#include "engine/HistoryData.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "platform/Version.h"

class CSettingsLocation;
class CStaticEx;
class IFileOpener;
class IMessagePresenter;
class IProcessStarter;
class ISavePrompt;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
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
    QString desktopFolder;             // where the export prompt starts
    QString programFolder;             // where the sibling tool is looked for
};

// Command number of the version-information entry.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

inline constexpr const char* kApplicationTitle = "Vesmer";
inline constexpr const char* kAboutMenuText = "Vesmerのﾊﾞｰｼﾞｮﾝ情報(&A)...";
inline constexpr const char* kResetQuestion = "入力値をリセットします。よろしいですか？";

// The program's one working window: it gathers the inputs of a school history, computes it on
// Calculate and shows the text. Every control's object name is its numeric ID ("1005").
class CVesmerDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CVesmerDlg(const VesmerDlgServices& services, QWidget* parent = nullptr);
    ~CVesmerDlg() override;

    // true: controls into the members (refusing a text longer than its edit's limit, which ends
    // the exchange); false: members into the controls.
    bool UpdateData(bool saveAndValidate);

    // The defaults, shown at once.
    bool ResetInputs();

    void OnSelchangeFinalSchool();
    void OnSelchangeOutcome();
    void OnOK();  // Calculate
    void OnReset();
    void OnFileOutput();
    void OnLaunchTool();
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
    int FinalStage() const { return m_nFinalStage; }
    CStaticEx* LinkLabel() const { return m_ctlLink; }

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
    struct TextBinding {
        QLineEdit* edit;
        std::string DialogInputs::*member;
        int limit;  // 0: none
    };
    struct CheckBinding {
        QCheckBox* box;
        int DialogInputs::*member;
    };
    struct ComboBinding {
        QComboBox* combo;
        int DialogInputs::*member;
    };
    struct EnablingControl {
        QWidget* widget;
        bool EnabledGroups::*group;  // nullptr: always on
    };

    void CreateControls();
    void OnInitDialog();
    void FillChoiceLists();
    void AddSystemMenuEntry();
    void ApplyParticle(int outcomeIndex);
    void SetExportEnabled(bool enabled);
    bool ExchangeText(const TextBinding& binding, bool save);
    void ExchangeHistoryText(bool save);
    void ShowAboutDialog();

    IMessagePresenter& m_presenter;
    CSettingsLocation& m_location;
    ISavePrompt& m_savePrompt;
    IFileOpener& m_fileOpener;
    IProcessStarter& m_processStarter;
    std::function<CivilDate()> m_clock;
    QString m_strDesktopFolder;
    QString m_strProgramFolder;
    std::function<void(QWidget*)> m_runAbout;

    // Controls.
    CStaticEx* m_ctlLink = nullptr;
    QPushButton* m_btnExport = nullptr;
    QPushButton* m_btnCalculate = nullptr;
    QPushButton* m_btnLaunchTool = nullptr;
    QPushButton* m_btnReset = nullptr;
    QComboBox* m_cmbProgression = nullptr;
    QComboBox* m_cmbVocationalLength = nullptr;
    QComboBox* m_cmbHighSchoolLength = nullptr;
    QComboBox* m_cmbUniversityLength = nullptr;
    QComboBox* m_cmbOutcome = nullptr;
    QComboBox* m_cmbFinalSchool = nullptr;
    QComboBox* m_cmbEra = nullptr;
    QLineEdit* m_editBirthYear = nullptr;
    QLineEdit* m_editBirthMonth = nullptr;
    QLineEdit* m_editBirthDay = nullptr;
    QPlainTextEdit* m_editHistory = nullptr;
    QLabel* m_lblParticle = nullptr;

    // Data exchange, in exchange order.
    std::array<TextBinding, 3> m_birthTexts{};   // day, month, then (after the history) year
    std::array<TextBinding, 16> m_countTexts{};  // 1018, 1017, 1022, … 1014, 1013
    std::array<CheckBinding, 8> m_firstChecks{};
    std::array<ComboBinding, 7> m_combos{};
    std::array<CheckBinding, 3> m_lastChecks{};
    std::vector<EnablingControl> m_enabling;

    // Members bound to the controls, the model and the final stage of the last Calculate.
    DialogInputs m_inputs;
    std::string m_strHistoryText;
    CHistoryData m_history;
    int m_nFinalStage = STAGE_ELEMENTARY;
};
