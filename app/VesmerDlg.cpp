#include "app/VesmerDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QValidator>
#include <exception>
#include <memory>

#include "app/AboutDlg.h"
#include "app/DialogUnits.h"
#include "app/DigitsEdit.h"
#include "app/GroupBox.h"
#include "app/QtServices.h"
#include "app/ResumeBlock.h"
#include "app/ResumeCopy.h"
#include "app/ResumeWindow.h"
#include "app/StaticEx.h"
#include "export/ExportCommands.h"
#include "input/ChoiceLists.h"
#include "input/InputTransfer.h"
#include "platform/MessagePresenter.h"
#include "settings/DialogState.h"
#include "settings/SettingsLocation.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The box holds line feeds; the history text, like the file it is exported to, has CR LF.
std::string WithCrLf(const QString& boxText) {
    QString text = boxText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

QRect BoxRect(const DialogBaseUnits& base, const DluBox& box) {
    return DluRect(base, box.x, box.y, box.width, box.height);
}

enum class ItemKind { Label, Button, HiddenButton, GroupBox, Separator, Link };

}  // namespace

// A control of the window that is no input. An item with `after` follows that input in the
// template and tab order; the others take no focus and are created first, beneath the inputs. A
// label without a control of its own is a fixed caption, which the dialog draws itself.
struct MainWindowItem {
    ItemKind kind;
    Control control;
    Control after;
    std::string_view name;
    std::string_view text;
    DluBox box;
};

namespace {

using K = ItemKind;
using C = Control;

constexpr MainWindowItem kWindowItems[] = {
    {K::HiddenButton, C::Cancel, C::None, "cancel", "ｷｬﾝｾﾙ", {155, 67, 25, 14}},
    {K::GroupBox, C::HistoryGroup, C::None, "historyGroup", "履歴", {215, 44, 202, 276}},
    {K::HiddenButton, C::Version, C::None, "version", "バージョン(&V)", {321, 356, 100, 14}},
    {K::Label, C::Particle, C::None, "particle", "を", {109, 24, 9, 8}},
    {K::Separator, C::None, C::None, "", "", {2, 38, 417, 2}},
    {K::GroupBox, C::None, C::None, "", "進学・編入・飛び級について", {3, 158, 208, 212}},
    {K::Label, C::None, C::None, "", "最新版はこちら", {224, 324, 57, 8}},
    {K::Link, C::Link, C::None, "link", kProjectPage, {287, 324, 123, 8}},
    {K::Button, C::Calculate, C::Outcome, "calculate", "計算(&C)", {215, 3, 100, 14}},
    {K::Button, C::LaunchTool, C::Outcome, "launchTool", "Tosvel(&T)", {215, 20, 100, 14}},
    {K::Button, C::Export, C::Outcome, "export", "ファイル出力(&F)", {318, 3, 100, 14}},
    {K::Button, C::Reset, C::HistoryText, "reset", "リセット(&R)", {318, 20, 100, 14}},
    {K::Button,
     C::ResumeWindow,
     C::HistoryText,
     "resumeWindow",
     "履歴書の学歴欄(&B)...",
     {215, 337, 100, 14}},
};

}  // namespace

QString ControlName(Control control) {
    if (const InputField* field = FindField(control)) return Utf8(field->name);
    for (const MainWindowItem& item : kWindowItems) {
        if (item.control == control) return Utf8(item.name);
    }
    return ResumeCopyName(control);
}

CVesmerDlg::CVesmerDlg(const VesmerDlgServices& services, QWidget* parent)
    : QDialog(parent),
      m_presenter(services.presenter),
      m_location(services.location),
      m_savePrompt(services.savePrompt),
      m_fileOpener(services.fileOpener),
      m_processStarter(services.processStarter),
      m_clock(services.clock),
      m_strDesktopFolder(services.desktopFolder),
      m_strProgramFolder(services.programFolder),
      m_systemClipboard(services.clipboard ? nullptr : std::make_unique<CSystemClipboard>()),
      m_clipboard(services.clipboard ? services.clipboard : m_systemClipboard.get()),
      m_systemPrinter(services.printer ? nullptr : std::make_unique<CPrintDialogResumePrinter>()),
      m_printer(services.printer ? services.printer : m_systemPrinter.get()),
      m_resumeBlock(new CResumeBlock(services.location, services.presenter, this)) {
    setObjectName(QStringLiteral("mainDialog"));
    setFont(MainDialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    m_resumeCopy = std::make_unique<CResumeCopy>(*this, BaseUnitsOf(font()), m_resumeBlock->Rows(),
                                                 m_presenter, m_clipboard);
    OnInitDialog();
}

CVesmerDlg::~CVesmerDlg() {
    // The 学歴欄 window goes before the block it shows.
    delete m_resumeWindow;
}

void CVesmerDlg::CreateControls() {
    const DialogBaseUnits base = BaseUnitsOf(font());
    setFixedSize(DluSize(base, 422, 372));
    // One validator serves every number edit.
    m_digitsOnly = new CDigitsValidator(false, this);
    for (const MainWindowItem& item : kWindowItems) {
        if (item.after == Control::None) CreateItem(item, base);
    }
    const auto fields = InputSchema();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        m_aInputs[i] = CreateInput(fields[i], base);
        for (const MainWindowItem& item : kWindowItems) {
            if (item.after == fields[i].control) CreateItem(item, base);
        }
    }
    m_ctlLink = static_cast<CStaticEx*>(Widget(Control::Link));
    m_btnExport = static_cast<QPushButton*>(Widget(Control::Export));
    m_cmbFinalSchool = static_cast<QComboBox*>(Widget(Control::FinalSchool));
    m_cmbOutcome = static_cast<QComboBox*>(Widget(Control::Outcome));
    m_editHistory = static_cast<QPlainTextEdit*>(Widget(Control::HistoryText));
    m_lblParticle = static_cast<QLabel*>(Widget(Control::Particle));
    static_cast<QPushButton*>(Widget(Control::Calculate))->setDefault(true);
    ConnectCommands();
}

QWidget* CVesmerDlg::CreateItem(const MainWindowItem& item, const DialogBaseUnits& base) {
    QWidget* widget = nullptr;
    switch (item.kind) {
        case ItemKind::Label:
            if (item.control == Control::None) {
                AddCaption(Caption{item.text, item.box}, base);
                return nullptr;
            }
            widget = CreateLabel(Caption{item.text, item.box}, base);
            break;
        case ItemKind::Button:
        case ItemKind::HiddenButton:
            widget = new QPushButton(Utf8(item.text), this);
            break;
        case ItemKind::GroupBox:
            widget = new CGroupBox(Utf8(item.text), this);
            break;
        case ItemKind::Separator: {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            widget = line;
            break;
        }
        case ItemKind::Link:
            widget = new CStaticEx(this);
            static_cast<CStaticEx*>(widget)->setText(Utf8(item.text));
            static_cast<CStaticEx*>(widget)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
    }
    widget->setGeometry(BoxRect(base, item.box));
    if (item.kind == ItemKind::HiddenButton) {
        widget->setEnabled(false);
        static_cast<QPushButton*>(widget)->setAutoDefault(false);
        widget->hide();
    }
    if (item.control != Control::None) {
        widget->setObjectName(Utf8(item.name));
        m_aOtherControls.emplace_back(item.control, widget);
    }
    return widget;
}

QLabel* CVesmerDlg::CreateLabel(const Caption& label, const DialogBaseUnits& base) {
    auto* widget = new QLabel(Utf8(label.text), this);
    widget->setTextFormat(Qt::PlainText);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setGeometry(BoxRect(base, label.box));
    return widget;
}

void CVesmerDlg::AddCaption(const Caption& caption, const DialogBaseUnits& base) {
    m_aCaptions.push_back({BoxRect(base, caption.box), Utf8(caption.text)});
}

void CVesmerDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The fixed captions, drawn as a label draws its text, clipped to their boxes.
    QPainter painter(this);
    for (const auto& [box, text] : m_aCaptions) {
        if (!event->rect().intersects(box)) continue;
        painter.setClipRect(box);
        style()->drawItemText(&painter, box, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                              text, QPalette::WindowText);
    }
}

QWidget* CVesmerDlg::CreateInput(const InputField& field, const DialogBaseUnits& base) {
    if (field.caption.box.width > 0) AddCaption(field.caption, base);
    QWidget* widget = nullptr;
    switch (field.kind) {
        case InputKind::List:
            widget = CreateCombo(field.box, base);
            break;
        case InputKind::Text:
        case InputKind::Ronin:
        case InputKind::Ryunen: {
            auto* edit = new QLineEdit(this);
            edit->setValidator(m_digitsOnly);
            edit->setInputMethodHints(Qt::ImhDigitsOnly);
            if (field.kind == InputKind::Text)
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            widget = edit;
            break;
        }
        case InputKind::Check:
            widget = new QCheckBox(Utf8(field.caption.text), this);
            break;
        case InputKind::History:
            widget = CreateHistoryBox();
            break;
    }
    widget->setObjectName(Utf8(field.name));
    if (field.kind != InputKind::List) widget->setGeometry(BoxRect(base, field.box));
    if (!field.unit.text.empty()) AddCaption(field.unit, base);
    if (field.kind != InputKind::Check) widget->setAccessibleName(Utf8(field.title));
    return widget;
}

// The height given for a combo box is that of its opened list.
QWidget* CVesmerDlg::CreateCombo(const DluBox& box, const DialogBaseUnits& base) {
    auto* combo = new QComboBox(this);
    const int height = DluToPixelsY(base, 13);
    combo->setGeometry(DluToPixelsX(base, box.x), DluToPixelsY(base, box.y),
                       DluToPixelsX(base, box.width), height);
    const int itemHeight = QFontMetrics(font()).height() + 2;
    const int listPixels = DluToPixelsY(base, box.height) - height;
    combo->setMaxVisibleItems(std::max(1, listPixels / itemHeight));
    return combo;
}

QWidget* CVesmerDlg::CreateHistoryBox() {
    auto* box = new QPlainTextEdit(this);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    box->setPalette(colours);
    return box;
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
}

QWidget* CVesmerDlg::Widget(Control control) const {
    if (const InputField* field = FindField(control))
        return m_aInputs[static_cast<std::size_t>(field - InputSchema().data())];
    for (const auto& [id, widget] : m_aOtherControls) {
        if (id == control) return widget;
    }
    return nullptr;
}

void CVesmerDlg::OnInitDialog() {
    AddSystemMenuEntry();
    FillChoiceLists();
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
    UpdateData(false);
    OnSelchangeFinalSchool();
    // The first control of the tab order starts with the focus.
    m_aInputs.front()->setFocus();
    setWindowTitle(QStringLiteral("%1　Ver.%2")
                       .arg(QString::fromUtf8(kApplicationTitle), QString::fromUtf8(kVersionText)));
}

void CVesmerDlg::FillChoiceLists() {
    const auto fields = InputSchema();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind != InputKind::List) continue;
        QStringList texts;
        for (const std::string& item : ChoiceLists::Get().*fields[i].items) texts << Utf8(item);
        static_cast<QComboBox*>(m_aInputs[i])->addItems(texts);
    }
}

bool CVesmerDlg::ExchangeText(const InputField& field, QLineEdit* edit, bool save) {
    std::string& member = m_inputs.*field.text;
    const int limit = field.maxLength;
    if (save) {
        const QString text = edit->text();
        member = text.toStdString();
        if (limit > 0 && text.size() > limit) {
            m_presenter.Show(
                QStringLiteral("%1 文字以内で入力してください。").arg(limit).toStdString(),
                kApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        return true;
    }
    const QString text = Utf8(member);
    // The edit takes no more than its limit, but shows a longer text that came from a settings
    // file in full, so that reading it back can refuse it instead of cutting it short.
    if (limit > 0) edit->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    if (edit->text() != text) edit->setText(text);
    return true;
}

void CVesmerDlg::ExchangeHistoryText(bool save) {
    if (save) {
        m_strHistoryText = WithCrLf(m_editHistory->toPlainText());
        return;
    }
    if (WithCrLf(m_editHistory->toPlainText()) != m_strHistoryText)
        m_editHistory->setPlainText(Utf8(m_strHistoryText));
}

bool CVesmerDlg::Exchange(const InputField& field, bool save) {
    QWidget* widget = m_aInputs[static_cast<std::size_t>(&field - InputSchema().data())];
    switch (field.kind) {
        case InputKind::List: {
            auto* combo = static_cast<QComboBox*>(widget);
            int& index = m_inputs.*field.number;
            if (save)
                index = combo->currentIndex();
            else
                combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
            return true;
        }
        case InputKind::Check: {
            auto* box = static_cast<QCheckBox*>(widget);
            int& value = m_inputs.*field.number;
            if (save)
                value = box->isChecked() ? 1 : 0;
            else
                box->setChecked(value == 1);
            return true;
        }
        case InputKind::History:
            ExchangeHistoryText(save);
            return true;
        default:
            return ExchangeText(field, static_cast<QLineEdit*>(widget), save);
    }
}

bool CVesmerDlg::UpdateData(bool saveAndValidate) {
    for (const InputField* field : ExchangeOrder()) {
        if (!Exchange(*field, saveAndValidate)) return false;
    }
    return true;
}

bool CVesmerDlg::ResetInputs() {
    m_inputs.ResetInputs();
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
            m_aInputs[i]->setEnabled(groups.IsOn(fields[i].group));
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
    // A text the exchange refuses has been reported; nothing is computed from stale members.
    if (!UpdateData(true)) return;
    ApplyParticle(m_inputs.m_nOutcome);

    CalculationResult result;
    const CivilDate today = m_clock();
    try {
        result = Calculate(m_inputs, m_history, today);
    } catch (const std::exception&) {
        // The model could not build the text: box, export button and files stay as they were.
        m_presenter.Show("アプリケーションの内部エラーです。", kApplicationTitle,
                         MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (!result.ok) {
        m_presenter.Show(result.refusal, "エラー", MessageButtons::Ok, MessageIcon::None);
        // A birth date that does not exist changes nothing; another refusal empties the history.
        if (!IsBirthDateControl(result.refused)) {
            m_strHistoryText.clear();
            m_resumeBlock->ClearHistory();
            SetExportEnabled(false);
            UpdateData(false);
        }
        if (QWidget* refused = Widget(result.refused)) refused->setFocus();
        return;
    }
    m_strHistoryText = m_history.m_strHistory;
    m_resumeBlock->SetHistory(m_history, today);
    SetExportEnabled(true);
    UpdateData(false);
    // The text reaches the screen before the settings files are written.
    m_editHistory->viewport()->repaint();
    SaveAfterCalculate(m_inputs, m_history, m_location);
}

void CVesmerDlg::OnReset() {
    if (m_presenter.Show(kResetQuestion, "リセット", MessageButtons::YesNo, MessageIcon::None) ==
        MessageAnswer::Yes)
        ResetInputs();
}

void CVesmerDlg::OnFileOutput() {
    const bool read = UpdateData(true);
    const ExportOutcome outcome =
        RunFileOutput(m_strHistoryText, m_resumeBlock->Rows(), m_strDesktopFolder, m_savePrompt,
                      m_fileOpener, m_presenter);
    if (outcome != ExportOutcome::NoHistory && read) UpdateData(false);
}

void CVesmerDlg::OnLaunchTool() {
    RunLaunchTool(m_strProgramFolder, m_processStarter, m_presenter);
}

void CVesmerDlg::OnResumeWindow() {
    if (!m_resumeWindow) {
        m_resumeWindow =
            new CResumeWindow(*m_resumeBlock,
                              ResumeWindowServices{m_presenter, m_savePrompt, *m_clipboard,
                                                   *m_printer, m_strDesktopFolder},
                              this);
    }
    m_resumeWindow->show();
    m_resumeWindow->raise();
    m_resumeWindow->activateWindow();
}

bool CVesmerDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0u) != IDM_ABOUTBOX) return false;
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
    auto* menu = new QMenu(parent);
    connect(menu->addAction(QStringLiteral("最小化(&N)")), &QAction::triggered, this,
            &QWidget::showMinimized);
    connect(menu->addAction(QStringLiteral("閉じる(&C)")), &QAction::triggered, this,
            &QWidget::close);
    menu->addSeparator();
    connect(menu->addAction(QString::fromUtf8(kAboutMenuText)), &QAction::triggered, this,
            [this] { OnSysCommand(IDM_ABOUTBOX); });
    return menu;
}

void CVesmerDlg::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(CreateContextMenu(this));
    menu->exec(event->globalPos());
}

void CVesmerDlg::closeEvent(QCloseEvent* event) {
    // The close box ends the program; only the 学歴欄 window's fields are saved on the way out.
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

void CVesmerDlg::AddSystemMenuEntry() {
#ifdef Q_OS_WIN
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX,
                    reinterpret_cast<const wchar_t*>(QString::fromUtf8(kAboutMenuText).utf16()));
    }
#endif
}

#ifdef Q_OS_WIN
bool CVesmerDlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && OnSysCommand(static_cast<unsigned>(msg->wParam))) {
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif
