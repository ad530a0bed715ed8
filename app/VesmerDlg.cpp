#include "app/VesmerDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <exception>
#include <memory>

#include "app/AboutDlg.h"
#include "app/AppIcon.h"
#include "app/DialogUnits.h"
#include "app/DigitsEdit.h"
#include "app/GroupBox.h"
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

// Which enabling-rule group each control belongs to; nullptr: always on. In the order in which
// the rule switches them.
struct EnablingRow {
    int id;
    bool EnabledGroups::*group;
};
constexpr EnablingRow kEnablingRows[] = {
    {1007, nullptr},
    {1008, nullptr},
    {1009, &EnabledGroups::juniorHigh},
    {1010, &EnabledGroups::juniorHigh},
    {1011, &EnabledGroups::highSchool},
    {1012, &EnabledGroups::highSchool},
    {1013, &EnabledGroups::vocational},
    {1014, &EnabledGroups::vocational},
    {1015, &EnabledGroups::juniorCollege},
    {1016, &EnabledGroups::juniorCollege},
    {1017, &EnabledGroups::university},
    {1018, &EnabledGroups::university},
    {1019, &EnabledGroups::master},
    {1020, &EnabledGroups::master},
    {1021, &EnabledGroups::doctor},
    {1022, &EnabledGroups::doctor},
    {1031, &EnabledGroups::highSchool},
    {1032, &EnabledGroups::master},
    {1042, &EnabledGroups::university},
    {1039, &EnabledGroups::university},
    {1043, &EnabledGroups::master},
    {1028, &EnabledGroups::doctor},
    {1033, &EnabledGroups::master},
    {1034, &EnabledGroups::doctor},
    {1044, nullptr},
    {1037, nullptr},
    {1038, &EnabledGroups::juniorHigh},
    {1026, &EnabledGroups::highSchool},
    {1029, &EnabledGroups::vocational},
    {1027, &EnabledGroups::university},
    {1030, &EnabledGroups::university},
};

// One row of count edits: the stage's short name, caption and edit rows, and the two edits.
struct CountRow {
    const char* name;
    int captionY;
    int editY;
    int roninId;
    std::string DialogInputs::*ronin;
    int ryunenId;
    std::string DialogInputs::*ryunen;
};
// In template order: the 短大 row stands above the 専門 row.
const CountRow kCountRows[] = {
    {"小学", 47, 44, 1007, &DialogInputs::m_strRoninElementary, 1008,
     &DialogInputs::m_strRyunenElementary},
    {"中学", 62, 59, 1009, &DialogInputs::m_strRoninJuniorHigh, 1010,
     &DialogInputs::m_strRyunenJuniorHigh},
    {"高校", 76, 73, 1011, &DialogInputs::m_strRoninHighSchool, 1012,
     &DialogInputs::m_strRyunenHighSchool},
    {"短大", 90, 87, 1015, &DialogInputs::m_strRoninJuniorCollege, 1016,
     &DialogInputs::m_strRyunenJuniorCollege},
    {"専門", 104, 101, 1013, &DialogInputs::m_strRoninVocational, 1014,
     &DialogInputs::m_strRyunenVocational},
    {"大学", 118, 115, 1017, &DialogInputs::m_strRoninUniversity, 1018,
     &DialogInputs::m_strRyunenUniversity},
    {"修士", 132, 129, 1019, &DialogInputs::m_strRoninMaster, 1020,
     &DialogInputs::m_strRyunenMaster},
    {"博士", 146, 143, 1021, &DialogInputs::m_strRoninDoctor, 1022,
     &DialogInputs::m_strRyunenDoctor},
};

// The order in which the data exchange moves the count texts.
constexpr int kCountExchangeOrder[] = {1018, 1017, 1022, 1021, 1008, 1007, 1012, 1011,
                                       1016, 1015, 1010, 1009, 1020, 1019, 1014, 1013};

struct CheckRow {
    int id;
    const char* caption;
    int x, y, width, height;
    int DialogInputs::*member;
};
// In template order.
const CheckRow kCheckRows[] = {
    {1037, "小学校で上級学年に編入した", 9, 237, 120, 10, &DialogInputs::m_bElementaryTransfer},
    {1038, "中学校で上級学年に編入した", 9, 249, 120, 10, &DialogInputs::m_bJuniorHighTransfer},
    {1031, "高校最終学年を飛び越えて大学へ", 9, 261, 163, 10,
     &DialogInputs::m_bSkipHighSchoolLastYear},
    {1042, "大学は秋季入学", 9, 273, 68, 10, &DialogInputs::m_bUniversityAutumnEntry},
    {1039, "大学は半年留年した", 9, 285, 88, 10, &DialogInputs::m_bUniversityHalfYear},
    {1032, "大学最終学年を飛び越えて大学院へ", 9, 297, 163, 10,
     &DialogInputs::m_bSkipUniversityLastYear},
    {1043, "大学院は秋季入学", 9, 309, 80, 10, &DialogInputs::m_bGraduateAutumnEntry},
    {1028, "大学院がいきなり博士課程で4年制", 9, 322, 163, 10, &DialogInputs::m_bDirectDoctor},
    {1033, "修士課程1年短縮", 9, 334, 163, 10, &DialogInputs::m_bShortenMaster},
    {1034, "博士課程1年短縮", 9, 346, 163, 10, &DialogInputs::m_bShortenDoctor},
    {1044, "年齢を表示する", 9, 358, 196, 10, &DialogInputs::m_bShowAge},
};

constexpr int kFirstCheckExchangeOrder[] = {1028, 1032, 1034, 1031, 1033, 1037, 1038, 1039};
constexpr int kLastCheckExchangeOrder[] = {1042, 1043, 1044};

}  // namespace

CVesmerDlg::CVesmerDlg(const VesmerDlgServices& services, QWidget* parent)
    : QDialog(parent),
      m_presenter(services.presenter),
      m_location(services.location),
      m_savePrompt(services.savePrompt),
      m_fileOpener(services.fileOpener),
      m_processStarter(services.processStarter),
      m_clock(services.clock),
      m_strDesktopFolder(services.desktopFolder),
      m_strProgramFolder(services.programFolder) {
    m_history.Reset();
    setObjectName(QStringLiteral("102"));
    setFont(MainDialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    OnInitDialog();
}

CVesmerDlg::~CVesmerDlg() = default;

void CVesmerDlg::CreateControls() {
    const DialogBaseUnits base = BaseUnitsOf(font());
    setFixedSize(DluSize(base, 422, 372));
    const int comboHeight = DluToPixelsY(base, 13);
    const int itemHeight = QFontMetrics(font()).height() + 2;
    QHash<int, QWidget*> byId;

    auto place = [&](QWidget* widget, int id, int x, int y, int width, int height) {
        if (id != 0) {
            widget->setObjectName(QString::number(id));
            byId.insert(id, widget);
        }
        widget->setGeometry(DluRect(base, x, y, width, height));
    };
    auto label = [&](const char* text, int x, int y, int width, int height) {
        auto* widget = new QLabel(QString::fromUtf8(text), this);
        widget->setTextFormat(Qt::PlainText);
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(widget, 0, x, y, width, height);
        return widget;
    };
    auto button = [&](const char* text, int id, int x, int y, int width, int height) {
        auto* widget = new QPushButton(QString::fromUtf8(text), this);
        place(widget, id, x, y, width, height);
        return widget;
    };
    // The height given for a combo box is that of its opened list.
    auto combo = [&](int id, int x, int y, int width, int listHeight) {
        auto* widget = new QComboBox(this);
        place(widget, id, x, y, width, 13);
        widget->resize(widget->width(), comboHeight);
        const int listPixels = DluToPixelsY(base, listHeight) - comboHeight;
        widget->setMaxVisibleItems(std::max(1, listPixels / itemHeight));
        return widget;
    };
    auto digitsEdit = [&](int id, int x, int y, int width, int height) {
        auto* widget = new QLineEdit(this);
        UseDigitsInput(*widget);
        place(widget, id, x, y, width, height);
        return widget;
    };
    auto groupBox = [&](const char* title, int id, int x, int y, int width, int height) {
        auto* widget = new CGroupBox(QString::fromUtf8(title), this);
        place(widget, id, x, y, width, height);
        return widget;
    };
    auto hiddenButton = [&](const char* text, int id, int x, int y, int width, int height) {
        QPushButton* widget = button(text, id, x, y, width, height);
        widget->setEnabled(false);
        widget->setAutoDefault(false);
        widget->hide();
    };

    // Template order, which is also the tab order.
    hiddenButton("ｷｬﾝｾﾙ", 2, 155, 67, 25, 14);
    m_cmbEra = combo(1000, 39, 3, 37, 66);
    m_editBirthYear = digitsEdit(1001, 79, 3, 28, 13);
    m_editBirthMonth = digitsEdit(1002, 121, 3, 15, 13);
    m_editBirthDay = digitsEdit(1003, 151, 3, 15, 13);
    for (QLineEdit* edit : {m_editBirthYear, m_editBirthMonth, m_editBirthDay})
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label("生年月日", 3, 7, 33, 8);
    label("年", 110, 8, 9, 8);
    label("月", 139, 8, 9, 8);
    label("日", 169, 8, 9, 8);
    groupBox("履歴", 1023, 215, 44, 202, 290);
    m_cmbFinalSchool = combo(1005, 39, 20, 68, 86);
    m_cmbOutcome = combo(1006, 121, 20, 86, 90);
    m_btnCalculate = button("計算(&C)", 1, 215, 3, 100, 14);
    m_btnCalculate->setDefault(true);
    m_btnLaunchTool = button("Tosvel(&T)", 1025, 215, 20, 100, 14);
    m_btnExport = button("ファイル出力(&F)", 1035, 318, 3, 100, 14);
    hiddenButton("バージョン(&V)", 1036, 321, 356, 100, 14);
    label("最終学歴", 3, 24, 33, 8);
    m_lblParticle = label("を", 109, 24, 9, 8);
    m_lblParticle->setObjectName(QStringLiteral("1024"));
    for (const CountRow& row : kCountRows) {
        const QString name = QString::fromUtf8(row.name);
        label((name + QStringLiteral("浪人")).toUtf8().constData(), 3, row.captionY, 33, 8);
        label("回", 57, row.captionY, 9, 8);
        label((name + QStringLiteral("留年")).toUtf8().constData(), 86, row.captionY, 33, 8);
        label("回", 139, row.captionY, 9, 8);
    }
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    place(separator, 0, 2, 38, 417, 2);
    for (const CountRow& row : kCountRows) {
        digitsEdit(row.roninId, 39, row.editY, 15, 12);
        digitsEdit(row.ryunenId, 121, row.editY, 15, 12);
    }
    groupBox("進学・編入・飛び級について", 0, 3, 158, 208, 212);
    label("高校・高専は", 9, 176, 49, 8);
    m_cmbHighSchoolLength = combo(1026, 60, 172, 147, 98);
    label("専門学校は", 9, 193, 41, 8);
    m_cmbVocationalLength = combo(1029, 60, 188, 147, 90);
    label("大学は", 9, 209, 25, 8);
    m_cmbUniversityLength = combo(1027, 60, 204, 147, 100);
    m_cmbProgression = combo(1030, 60, 220, 147, 96);
    label("進学・編入", 9, 224, 41, 8);
    for (const CheckRow& row : kCheckRows)
        place(new QCheckBox(QString::fromUtf8(row.caption), this), row.id, row.x, row.y, row.width,
              row.height);

    m_editHistory = new QPlainTextEdit(this);
    m_editHistory->setReadOnly(true);
    m_editHistory->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
    m_editHistory->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editHistory->setFrameShape(QFrame::NoFrame);
    m_editHistory->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editHistory->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editHistory->setTabChangesFocus(true);
    QPalette boxColours = m_editHistory->palette();
    boxColours.setColor(QPalette::Base, boxColours.color(QPalette::Window));
    m_editHistory->setPalette(boxColours);
    place(m_editHistory, 1004, 219, 56, 195, 274);

    label("最新版はこちら", 224, 338, 57, 8);
    m_ctlLink = new CStaticEx(this);
    m_ctlLink->setText(QString::fromUtf8(kProjectPage));
    m_ctlLink->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_ctlLink, 1041, 287, 338, 123, 8);
    m_btnReset = button("リセット(&R)", 1045, 318, 20, 100, 14);

    // Data exchange bindings, in exchange order.
    auto edit = [&](int id) { return static_cast<QLineEdit*>(byId.value(id)); };
    auto check = [&](int id) { return static_cast<QCheckBox*>(byId.value(id)); };
    auto memberOf = [](int id) {
        for (const CheckRow& row : kCheckRows)
            if (row.id == id) return row.member;
        return static_cast<int DialogInputs::*>(nullptr);
    };
    m_birthTexts = {
        TextBinding{m_editBirthDay, &DialogInputs::m_strBirthDay, kBirthDayMaxLength},
        TextBinding{m_editBirthMonth, &DialogInputs::m_strBirthMonth, kBirthMonthMaxLength},
        TextBinding{m_editBirthYear, &DialogInputs::m_strBirthYear, kBirthYearMaxLength}};
    std::size_t next = 0;
    for (int id : kCountExchangeOrder) {
        for (const CountRow& row : kCountRows) {
            if (row.roninId == id) m_countTexts[next++] = TextBinding{edit(id), row.ronin, 0};
            if (row.ryunenId == id) m_countTexts[next++] = TextBinding{edit(id), row.ryunen, 0};
        }
    }
    next = 0;
    for (int id : kFirstCheckExchangeOrder)
        m_firstChecks[next++] = CheckBinding{check(id), memberOf(id)};
    next = 0;
    for (int id : kLastCheckExchangeOrder)
        m_lastChecks[next++] = CheckBinding{check(id), memberOf(id)};
    m_combos = {ComboBinding{m_cmbProgression, &DialogInputs::m_nProgression},
                ComboBinding{m_cmbUniversityLength, &DialogInputs::m_nUniversityLength},
                ComboBinding{m_cmbHighSchoolLength, &DialogInputs::m_nHighSchoolLength},
                ComboBinding{m_cmbEra, &DialogInputs::m_nEra},
                ComboBinding{m_cmbVocationalLength, &DialogInputs::m_nVocationalLength},
                ComboBinding{m_cmbFinalSchool, &DialogInputs::m_nFinalSchool},
                ComboBinding{m_cmbOutcome, &DialogInputs::m_nOutcome}};

    for (const EnablingRow& row : kEnablingRows)
        m_enabling.push_back(EnablingControl{byId.value(row.id), row.group});

    connect(m_btnCalculate, &QPushButton::clicked, this, &CVesmerDlg::OnOK);
    connect(m_btnLaunchTool, &QPushButton::clicked, this, &CVesmerDlg::OnLaunchTool);
    connect(m_btnExport, &QPushButton::clicked, this, &CVesmerDlg::OnFileOutput);
    connect(m_btnReset, &QPushButton::clicked, this, &CVesmerDlg::OnReset);
    connect(m_cmbFinalSchool, &QComboBox::activated, this, &CVesmerDlg::OnSelchangeFinalSchool);
    connect(m_cmbOutcome, &QComboBox::activated, this, &CVesmerDlg::OnSelchangeOutcome);
}

void CVesmerDlg::OnInitDialog() {
    AddSystemMenuEntry();
    setWindowIcon(AppIcon());
    FillChoiceLists();
    // The defaults, the history data file into the model, the dialog state file into the
    // members, then the model's birth date and counts into the texts.
    LoadStartupInputs(m_inputs, m_history, m_location);
    SetExportEnabled(false);
    m_ctlLink->SetLink(true);
    UpdateData(false);
    OnSelchangeFinalSchool();
    // The first control of the tab order starts with the focus.
    m_cmbEra->setFocus();
    setWindowTitle(QStringLiteral("%1　Ver.%2")
                       .arg(QString::fromUtf8(kApplicationTitle), QString::fromUtf8(kVersionText)));
}

void CVesmerDlg::FillChoiceLists() {
    const ChoiceLists& lists = ChoiceLists::Get();
    const std::pair<QComboBox*, const std::vector<std::string>*> fills[] = {
        {m_cmbEra, &lists.m_aEraNames},
        {m_cmbFinalSchool, &lists.m_aFinalSchoolNames},
        {m_cmbOutcome, &lists.m_aOutcomeNames},
        {m_cmbHighSchoolLength, &lists.m_aHighSchoolLengths},
        {m_cmbVocationalLength, &lists.m_aVocationalLengths},
        {m_cmbUniversityLength, &lists.m_aUniversityLengths},
        {m_cmbProgression, &lists.m_aProgressions},
    };
    for (const auto& [combo, items] : fills) {
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(items->size()));
        for (const std::string& item : *items) texts.append(Utf8(item));
        combo->addItems(texts);
    }
}

bool CVesmerDlg::ExchangeText(const TextBinding& binding, bool save) {
    if (save) {
        const QString text = binding.edit->text();
        m_inputs.*binding.member = text.toStdString();
        if (binding.limit > 0 && text.size() > binding.limit) {
            m_presenter.Show(
                QStringLiteral("%1 文字以内で入力してください。").arg(binding.limit).toStdString(),
                kApplicationTitle, MessageButtons::Ok, MessageIcon::Warning);
            binding.edit->setFocus();
            binding.edit->selectAll();
            return false;
        }
        return true;
    }
    const QString text = Utf8(m_inputs.*binding.member);
    // The edit takes no more than its limit, but shows a longer text that came from a settings
    // file in full, so that reading it back can refuse it instead of cutting it short.
    if (binding.limit > 0)
        binding.edit->setMaxLength(std::max(binding.limit, static_cast<int>(text.size())));
    if (binding.edit->text() != text) binding.edit->setText(text);
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

bool CVesmerDlg::UpdateData(bool saveAndValidate) {
    const bool save = saveAndValidate;
    if (!ExchangeText(m_birthTexts[0], save)) return false;
    if (!ExchangeText(m_birthTexts[1], save)) return false;
    ExchangeHistoryText(save);
    if (!ExchangeText(m_birthTexts[2], save)) return false;
    for (const TextBinding& binding : m_countTexts) {
        if (!ExchangeText(binding, save)) return false;
    }
    auto exchangeChecks = [&](const auto& bindings) {
        for (const CheckBinding& binding : bindings) {
            if (save)
                m_inputs.*binding.member = binding.box->isChecked() ? 1 : 0;
            else
                binding.box->setChecked(m_inputs.*binding.member == 1);
        }
    };
    exchangeChecks(m_firstChecks);
    for (const ComboBinding& binding : m_combos) {
        if (save) {
            m_inputs.*binding.member = binding.combo->currentIndex();
        } else {
            const int index = m_inputs.*binding.member;
            binding.combo->setCurrentIndex(index >= 0 && index < binding.combo->count() ? index
                                                                                        : -1);
        }
    }
    exchangeChecks(m_lastChecks);
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
    for (const EnablingControl& control : m_enabling)
        control.widget->setEnabled(control.group == nullptr || groups.*control.group);
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
}

void CVesmerDlg::OnOK() {
    // A text the exchange refuses has been reported; nothing is computed from stale members.
    if (!UpdateData(true)) return;
    ApplyParticle(m_inputs.m_nOutcome);

    CalculationResult result;
    try {
        result = Calculate(m_inputs, m_history, m_nFinalStage, m_clock());
    } catch (const std::exception&) {
        // The model could not build the text: box, export button and files stay as they were.
        m_presenter.Show("アプリケーションの内部エラーです。", kApplicationTitle,
                         MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (!result.ok) {
        m_presenter.Show(result.refusal, "エラー", MessageButtons::Ok, MessageIcon::None);
        m_strHistoryText.clear();
        SetExportEnabled(false);
        UpdateData(false);
        return;
    }
    m_strHistoryText = m_history.m_strHistory;
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
    const ExportOutcome outcome = RunFileOutput(m_strHistoryText, m_strDesktopFolder, m_savePrompt,
                                                m_fileOpener, m_presenter);
    if (outcome != ExportOutcome::NoHistory && read) UpdateData(false);
}

void CVesmerDlg::OnLaunchTool() {
    RunLaunchTool(m_strProgramFolder, m_processStarter, m_presenter);
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
    // The close box ends the program; nothing is read or saved on the way out.
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
