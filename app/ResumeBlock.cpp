#include "app/ResumeBlock.h"

#include "export/ExportCommands.h"
#include "settings/ResumeFile.h"

CResumeBlock::CResumeBlock(CSettingsLocation& location, IMessagePresenter& presenter,
                           QObject* parent)
    : QObject(parent),
      m_store(std::make_unique<CResumeStore>(location, presenter, kCaptionApplication)) {}

CResumeBlock::~CResumeBlock() = default;

std::string CResumeBlock::LoadChoices() {
    std::string problem;
    SetInputs(m_store->Load(problem));
    return problem;
}

bool CResumeBlock::SaveChoices() {
    return m_store->Save(m_inputs);
}

void CResumeBlock::SetInputs(const ResumeInputs& inputs) {
    m_inputs = inputs;
    const ResumeChoice choice = ReadResumeInputs(inputs);
    m_strRefusal = choice.refusal;
    m_refused = choice.refused;
    if (choice.ok) {
        m_options = choice.options;
        m_calendar = choice.calendar;
        BuildRows();
    }
    emit Changed();
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

void CResumeBlock::BuildRows() {
    m_aRows =
        m_history ? BuildResumeRows(*m_history, m_today, m_options) : std::vector<ResumeRow>{};
}
