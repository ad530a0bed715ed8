#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/CivilDate.h"
#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"
#include "input/ResumeInputs.h"

class CResumeStore;
class CSettingsLocation;
class IMessagePresenter;

// The 学歴 block as both windows use it: the choices as typed (kept in VesmerResume.ini), the
// last choices that could be read, and the rows of the last computed history under them. The
// main window's copy buttons and CSV export and the 学歴欄 window read the same rows.
class CResumeBlock : public QObject {
    Q_OBJECT
  public:
    CResumeBlock(CSettingsLocation& location, IMessagePresenter& presenter,
                 QObject* parent = nullptr);
    ~CResumeBlock() override;

    // Reads the stored choices; returns a message naming the file when it is there but cannot
    // be read (the defaults are used then), else "".
    std::string LoadChoices();
    // Writes the choices as typed when they differ from the stored ones (CResumeStore::Save).
    bool SaveChoices();

    // New choices as typed. Where ReadResumeInputs refuses them, the refusal is kept and the
    // rows stay as they were; otherwise the rows follow the new choices.
    void SetInputs(const ResumeInputs& inputs);
    const ResumeInputs& Inputs() const { return m_inputs; }
    const std::string& Refusal() const { return m_strRefusal; }
    const ResumeField* Refused() const { return m_refused; }
    ResumeCalendar Calendar() const { return m_calendar; }

    // A computed history and the day it was computed on; the rows end there.
    void SetHistory(const CHistoryData& history, const CivilDate& today);
    // No history: no rows.
    void ClearHistory();
    // Whether the history ends with a 中途退学 or 除籍, whose month the choices may give.
    bool LeavingMonthApplies() const;

    const std::vector<ResumeRow>& Rows() const { return m_aRows; }

  signals:
    // The rows, the calendar or the refusal changed.
    void Changed();

  private:
    void BuildRows();

    std::unique_ptr<CResumeStore> m_store;
    ResumeInputs m_inputs;
    ResumeOptions m_options;
    ResumeCalendar m_calendar = ResumeCalendar::Wareki;
    std::string m_strRefusal;
    const ResumeField* m_refused = nullptr;
    std::optional<CHistoryData> m_history;
    CivilDate m_today{};
    std::vector<ResumeRow> m_aRows;
};
