#include "app/ResumeBlock.h"

#include "export/ExportCommands.h"
#include "input/CalculationView.h"
#include "platform/MessagePresenter.h"
#include "platform/NativePath.h"
#include "settings/ResumeFile.h"

namespace {

std::string Quoted(const QString& path) {
    return "「" + DisplayPath(path) + "」";
}

}  // namespace

CResumeBlock::CResumeBlock(CSettingsLocation& location, IMessagePresenter& presenter,
                           QObject* parent)
    : QObject(parent), m_store(std::make_unique<CResumeStore>(location)), m_presenter(presenter) {}

CResumeBlock::~CResumeBlock() = default;

std::string CResumeBlock::LoadChoices() {
    const ResumeFileLoad load = m_store->Load();
    SetInputs(load.inputs);
    if (load.state != ResumeFileState::Unreadable) return {};
    return "学歴欄の設定ファイル" + Quoted(load.path) +
           "を読み込めませんでした（通常のファイルでない、大きすぎる、UTF-8でないなど）。"
           "このファイルはそのまま残し、学歴欄は既定の設定で始めます。";
}

bool CResumeBlock::MayReplaceUnreadable() {
    const std::string question =
        "学歴欄の設定ファイル" + Quoted(m_store->Path()) +
        "は読み込めなかったため、そのまま残してあります。今の学歴欄の設定で置き換えますか？\r\n"
        "「いいえ」を選ぶと、このファイルはそのまま残り、学歴欄の設定はこのあと保存されません。";
    if (m_presenter.Show(question, kCaptionApplication, MessageButtons::YesNo,
                         MessageIcon::Question) == MessageAnswer::Yes)
        return true;
    m_bKeepUnreadable = true;
    return false;
}

bool CResumeBlock::SaveChoices() {
    if (m_bKeepUnreadable) return false;
    ResumeFileSave saved = m_store->Save(m_inputs);
    if (saved == ResumeFileSave::Unreadable && MayReplaceUnreadable())
        saved = m_store->Save(m_inputs, true);
    if (saved == ResumeFileSave::Failed && !m_bFailureReported) {
        m_bFailureReported = true;
        m_presenter.Show("学歴欄の設定を" + Quoted(m_store->Path()) + "に保存できませんでした。",
                         kCaptionApplication, MessageButtons::Ok, MessageIcon::Warning);
    }
    return saved == ResumeFileSave::Written;
}

void CResumeBlock::SetInputs(const ResumeInputs& inputs) {
    m_inputs = inputs;
    const ResumeChoice choice = ReadResumeInputs(inputs);
    m_strRefusal = choice.refusal;
    m_refused = choice.refused;
    if (choice.ok) {
        m_calendar = choice.calendar;
        m_readable = inputs;
        BuildRows();
    }
    emit Changed();
}

void CResumeBlock::CommitInputs(const ResumeInputs& inputs) {
    SetInputs(inputs);
    SaveChoices();
    emit InputsCommitted();
}

void CResumeBlock::SetHistory(const CHistoryData& history, const CivilDate& today) {
    m_history = history;
    m_today = today;
    BuildRows();
    emit Changed();
}

void CResumeBlock::ClearHistory() {
    m_history.reset();
    BuildRows();
    emit Changed();
}

bool CResumeBlock::LeavingMonthApplies() const {
    if (!m_history || m_history->Events().empty()) return false;
    const HistoryEventKind last = m_history->Events().back().kind;
    return last == HistoryEventKind::DroppedOut || last == HistoryEventKind::Expelled;
}

void CResumeBlock::SetCalculation(const CalculationResult& result) {
    const bool row = !result.ok && result.refusedEvent >= 0;
    m_nRefusedEvent = row ? result.refusedEvent : -1;
    m_refusedEventField = result.refusedEventField;
    m_strEventRefusal = row ? result.refusal : std::string();
    emit Changed();
}

bool CResumeBlock::RowsUsable() {
    if (RowsRefused()) {
        m_presenter.Show((m_refused ? m_strRefusal : m_strEventRefusal) +
                             "\r\nこの設定を「履歴書の学歴欄」の画面で直すまで、学歴欄の行は"
                             "コピー・保存・印刷できません。",
                         kCaptionApplication, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    if (!m_aRows.empty()) return true;
    m_presenter.Show(kMsgNoResumeRows, kCaptionApplication, MessageButtons::Ok, MessageIcon::None);
    return false;
}

void CResumeBlock::BuildRows() {
    m_aRows = m_history && m_readable ? ViewResumeBlock(*m_history, *m_readable, m_today).rows
                                      : std::vector<ResumeRow>{};
}
