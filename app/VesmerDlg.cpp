#include "app/VesmerDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <memory>

#include "app/AboutDlg.h"
#include "app/DialogUnits.h"
#include "app/InputBinding.h"
#include "app/QtServices.h"
#include "app/ResumeBlock.h"
#include "app/ResumeCopy.h"
#include "app/ResumeWindow.h"
#include "app/StaticEx.h"
#include "export/ExportCommands.h"
#include "input/CalculationView.h"
#include "input/ChoiceLists.h"
#include "platform/MessagePresenter.h"
#include "platform/QtText.h"
#include "settings/DialogState.h"
#include "settings/SettingsLocation.h"

CVesmerDlg::CVesmerDlg(const VesmerDlgServices& services, QWidget* parent)
    : QDialog(parent),
      m_presenter(services.presenter),
      m_location(services.location),
      m_savePrompt(services.savePrompt),
      m_fileOpener(services.fileOpener),
      m_processStarter(services.processStarter),
      m_clock(services.clock),
      m_strSaveFolder(services.saveFolder),
      m_strProgramFolder(services.programFolder),
      m_systemClipboard(services.clipboard ? nullptr : std::make_unique<CSystemClipboard>()),
      m_clipboard(services.clipboard ? services.clipboard : m_systemClipboard.get()),
      m_systemPrinter(services.printer
                          ? nullptr
                          : std::make_unique<CPrintDialogResumePrinter>(services.saveFolder)),
      m_printer(services.printer ? services.printer : m_systemPrinter.get()),
      m_resumeBlock(new CResumeBlock(services.location, services.presenter, this)) {
    setObjectName(QStringLiteral("mainDialog"));
    setFont(MainDialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    m_resumeCopy =
        std::make_unique<CResumeCopy>(*this, BaseUnitsOf(font()), *m_resumeBlock, *m_clipboard);
    OnInitDialog();
}

CVesmerDlg::~CVesmerDlg() {
    // The 学歴欄 window goes before the block it shows.
    delete m_resumeWindow;
}

void CVesmerDlg::CreateControls() {
    const DialogBaseUnits base = BaseUnitsOf(font());
    setFixedSize(DluSize(base, 422, 387));
    m_controls = CreateMainWindowControls(*this, base);
    m_ctlLink = static_cast<CStaticEx*>(Widget(Control::Link));
    m_btnExport = static_cast<QPushButton*>(Widget(Control::Export));
    m_cmbFinalSchool = static_cast<QComboBox*>(Widget(Control::FinalSchool));
    m_cmbOutcome = static_cast<QComboBox*>(Widget(Control::Outcome));
    m_editHistory = static_cast<QPlainTextEdit*>(Widget(Control::HistoryText));
    m_lblParticle = static_cast<QLabel*>(Widget(Control::Particle));
    m_cmbResumeSkip = static_cast<QComboBox*>(Widget(Control::ResumeSkip));
    static_cast<QPushButton*>(Widget(Control::Calculate))->setDefault(true);
    m_binding =
        std::make_unique<CInputBinding>(m_controls.inputs, m_inputs, m_strHistoryText, m_presenter);
    ConnectCommands();
}

void CVesmerDlg::ConnectCommands() {
    auto button = [this](Control control) { return static_cast<QPushButton*>(Widget(control)); };
    connect(button(Control::Calculate), &QPushButton::clicked, this, &CVesmerDlg::OnOK);
    connect(button(Control::LaunchTool), &QPushButton::clicked, this, &CVesmerDlg::OnLaunchTool);
    connect(m_btnExport, &QPushButton::clicked, this, &CVesmerDlg::OnFileOutput);
    connect(button(Control::Reset), &QPushButton::clicked, this, &CVesmerDlg::OnReset);
    connect(button(Control::ResumeWindow), &QPushButton::clicked, this,
            &CVesmerDlg::OnResumeWindow);
    connect(m_cmbFinalSchool, &QComboBox::activated, this, &CVesmerDlg::OnSelchangeFinalSchool);
    connect(m_cmbOutcome, &QComboBox::activated, this, &CVesmerDlg::OnSelchangeOutcome);
    connect(m_cmbResumeSkip, &QComboBox::activated, this, &CVesmerDlg::OnSelchangeResumeSkip);
    for (Control skip : {Control::SkipHighSchoolLastYear, Control::SkipUniversityLastYear})
        connect(static_cast<QCheckBox*>(Widget(skip)), &QCheckBox::toggled, this,
                &CVesmerDlg::ShowResumeSkip);
    connect(m_resumeBlock, &CResumeBlock::Changed, this, &CVesmerDlg::ShowResumeSkip);
    connect(m_resumeBlock, &CResumeBlock::InputsCommitted, this,
            &CVesmerDlg::OnResumeInputsCommitted);
}

QWidget* CVesmerDlg::Widget(Control control) const {
    return m_controls.Widget(control);
}

void CVesmerDlg::OnInitDialog() {
    AddSystemMenuEntry(*this);
    m_binding->FillLists();
    // The defaults, the history data file into the model, the dialog state file into the
    // members, then the model's birth date and counts into the texts.
    LoadStartupInputs(m_inputs, m_history, m_location);
    // A file of the 学歴 block's choices that cannot be read is reported once the window shows.
    if (const std::string problem = m_resumeBlock->LoadChoices(); !problem.empty()) {
        QTimer::singleShot(0, this, [this, problem] {
            m_presenter.Show(problem, kApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
        });
    }
    SetExportEnabled(false);
    m_ctlLink->SetLink(true);
    ApplyParticle(m_inputs.m_nOutcome);
    UpdateData(false);
    OnSelchangeFinalSchool();
    // The first control of the tab order starts with the focus.
    m_controls.inputs.front()->setFocus();
    setWindowTitle(QStringLiteral("%1　Ver.%2")
                       .arg(QString::fromUtf8(kApplicationTitle), QString::fromUtf8(kVersionText)));
}

bool CVesmerDlg::UpdateData(bool saveAndValidate) {
    return m_binding->Exchange(saveAndValidate);
}

bool CVesmerDlg::ResetInputs() {
    m_inputs.ResetInputs();
    ApplyParticle(m_inputs.m_nOutcome);
    return UpdateData(false);
}

void CVesmerDlg::OnSelchangeFinalSchool() {
    // When the controls cannot be read, showing the members again would overwrite what the
    // user typed after the refused text; the rule itself still applies.
    const bool read = UpdateData(true);
    const std::string* item =
        SelectedItem(ChoiceLists::Get().m_aFinalSchoolNames, m_cmbFinalSchool->currentIndex());
    if (!item) return;
    const EnabledGroups groups = EnabledGroupsFor(*item);
    const auto fields = InputSchema();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].group != EnablingGroup::None)
            m_controls.inputs[i]->setEnabled(groups.IsOn(fields[i].group));
    }
    if (read) UpdateData(false);
}

void CVesmerDlg::OnSelchangeOutcome() {
    const bool read = UpdateData(true);
    ApplyParticle(m_cmbOutcome->currentIndex());
    if (read) UpdateData(false);
}

void CVesmerDlg::ApplyParticle(int outcomeIndex) {
    m_lblParticle->setText(Utf8(ParticleFor(outcomeIndex)));
}

void CVesmerDlg::SetExportEnabled(bool enabled) {
    m_btnExport->setEnabled(enabled);
    m_resumeCopy->SetEnabled(enabled);
}

void CVesmerDlg::OnOK() {
    Recalculate(true);
}

void CVesmerDlg::Recalculate(bool asked) {
    // A text the exchange refuses has been reported; nothing is computed from stale members.
    if (!UpdateData(true)) return;
    ApplyParticle(m_inputs.m_nOutcome);

    const CivilDate today = m_clock();
    const ResumeInputs& resume = m_resumeBlock->Inputs();
    m_aCalculatedEvents = resume.m_aEvents;
    Calculation calculation;
    try {
        calculation = RunCalculation(m_inputs, resume, today);
    } catch (const std::exception&) {
        // The model could not build the text: box, export button and files stay as they were.
        m_presenter.Show("アプリケーションの内部エラーです。", kApplicationTitle,
                         MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    m_resumeBlock->SetCalculation(calculation.result);
    if (!calculation.result.ok) {
        Refuse(calculation.result, asked);
        return;
    }
    m_history = calculation.history;
    m_strHistoryText = m_history.m_strHistory;
    m_resumeBlock->SetHistory(m_history, today);
    SetExportEnabled(true);
    UpdateData(false);
    // The text reaches the screen before the settings files are written.
    m_editHistory->viewport()->repaint();
    SaveAfterCalculate(m_inputs, m_history, m_location);
}

void CVesmerDlg::Refuse(const CalculationResult& result, bool asked) {
    const bool row = result.refusedEvent >= 0;
    // A refused row is named in the 学歴欄 window; a box says it only when Calculate was pressed.
    if (asked || !row)
        m_presenter.Show(result.refusal, "エラー", MessageButtons::Ok, MessageIcon::None);
    // A birth date that does not exist or a row that cannot have happened changes nothing;
    // another refusal empties the history.
    if (!result.keepsShown) {
        m_strHistoryText.clear();
        m_resumeBlock->ClearHistory();
        SetExportEnabled(false);
        UpdateData(false);
    }
    if (!asked) return;
    if (row) {
        OnResumeWindow();
        m_resumeWindow->FocusRefusedEvent();
    } else if (QWidget* refused = Widget(result.refused)) {
        refused->setFocus();
    }
}

void CVesmerDlg::OnResumeInputsCommitted() {
    // The history on show, or a refused row, follows the rows of 「休学・留学など」.
    const bool follows = m_resumeBlock->HasHistory() || m_resumeBlock->RefusedEvent() >= 0;
    if (follows && m_resumeBlock->Inputs().m_aEvents != m_aCalculatedEvents) Recalculate(false);
}

void CVesmerDlg::OnSelchangeResumeSkip() {
    ResumeInputs inputs = m_resumeBlock->Inputs();
    inputs.m_nSkip = m_cmbResumeSkip->currentIndex();
    m_resumeBlock->CommitInputs(inputs);
}

void CVesmerDlg::ShowResumeSkip() {
    ShowChoice(*m_cmbResumeSkip, m_resumeBlock->Inputs().m_nSkip);
    // The wording matters only where a year is skipped.
    bool skipped = false;
    for (Control skip : {Control::SkipHighSchoolLastYear, Control::SkipUniversityLastYear})
        skipped = skipped || static_cast<QCheckBox*>(Widget(skip))->isChecked();
    m_cmbResumeSkip->setEnabled(skipped);
}

void CVesmerDlg::OnReset() {
    if (m_presenter.Show(kResetQuestion, "リセット", MessageButtons::YesNo, MessageIcon::None) !=
        MessageAnswer::Yes)
        return;
    // The defaults, with the particle and the controls that the default schooling opens.
    if (ResetInputs()) OnSelchangeFinalSchool();
}

void CVesmerDlg::OnFileOutput() {
    // The history is taken as the box shows it; reading the controls changes none of them.
    UpdateData(true);
    CResumeRowsPrompt prompt(m_savePrompt, *m_resumeBlock);
    RunFileOutput(m_strHistoryText, m_resumeBlock->Rows(), m_strSaveFolder, prompt, m_fileOpener,
                  m_presenter);
}

void CVesmerDlg::OnLaunchTool() {
    RunLaunchTool(m_strProgramFolder, m_processStarter, m_presenter);
}

void CVesmerDlg::OnResumeWindow() {
    if (!m_resumeWindow) {
        m_resumeWindow =
            new CResumeWindow(*m_resumeBlock,
                              ResumeWindowServices{m_presenter, m_savePrompt, *m_clipboard,
                                                   *m_printer, m_strSaveFolder},
                              this);
    }
    m_resumeWindow->show();
    m_resumeWindow->raise();
    m_resumeWindow->activateWindow();
}

bool CVesmerDlg::OnSysCommand(unsigned command) {
    if (!IsAboutCommand(command)) return false;
    ShowAboutDialog();
    return true;
}

void CVesmerDlg::ShowAboutDialog() {
    if (m_runAbout) {
        m_runAbout(this);
        return;
    }
    CAboutDlg about(this);
    about.exec();
}

void CVesmerDlg::SetAboutRunner(std::function<void(QWidget*)> runner) {
    m_runAbout = std::move(runner);
}

QMenu* CVesmerDlg::CreateContextMenu(QWidget* parent) {
    return CreateSystemMenu(*this, parent, [this] { OnSysCommand(IDM_ABOUTBOX); });
}

void CVesmerDlg::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(CreateContextMenu(this));
    menu->exec(event->globalPos());
}

void CVesmerDlg::closeEvent(QCloseEvent* event) {
    // The close box ends the program; only the 学歴欄 window's fields are saved on the way out,
    // and nothing is computed any more.
    m_resumeBlock->disconnect(this);
    if (m_resumeWindow) m_resumeWindow->SaveChoices();
    event->accept();
    done(QDialog::Accepted);
}

void CVesmerDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        event->accept();  // no help
        return;
    }
    QDialog::keyPressEvent(event);
}

void CVesmerDlg::reject() {}

#ifdef Q_OS_WIN
bool CVesmerDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    unsigned command = 0;
    if (SysCommandOf(message, command) && OnSysCommand(command)) {
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif
