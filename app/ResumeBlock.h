#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/CivilDate.h"
#include "engine/HistoryData.h"
#include "engine/ResumeRows.h"
#include "input/InputTransfer.h"
#include "input/ResumeInputs.h"

class CResumeStore;
class CSettingsLocation;
class IMessagePresenter;

// The 学歴 block as both windows use it: the choices as typed (kept in VesmerResume.ini) with the
// rows of 「休学・留学など」, the last choices that could be read, the rows of the last computed
// history under them (input/CalculationView.h's one view of a block) and the refusal of a row of
// 「休学・留学など」 by the last calculation. The main window's copy buttons and CSV export and the
// 学歴欄 window read the same rows.
class CResumeBlock : public QObject {
    Q_OBJECT
  public:
    CResumeBlock(CSettingsLocation& location, IMessagePresenter& presenter,
                 QObject* parent = nullptr);
    ~CResumeBlock() override;

    // Reads the stored choices, a refused one included; returns a message naming the file when
    // it is there but cannot be read (the defaults are used then), else "".
    std::string LoadChoices();
    // Writes the choices as typed when they differ from the stored ones. A file that could not
    // be read is replaced only after the user agrees; after a No it stays, and no choices are
    // written until the next start. The first failure to write is reported.
    bool SaveChoices();

    // New choices as typed. Where ReadResumeInputs refuses them, the refusal is kept and the
    // rows stay as they were (none before any choices could be read); otherwise the rows
    // follow the new choices.
    void SetInputs(const ResumeInputs& inputs);
    // New choices whose editing is finished (a field left, a list or box changed, a row added
    // or removed): taken as SetInputs does, written (SaveChoices), then said (InputsCommitted).
    void CommitInputs(const ResumeInputs& inputs);
    const ResumeInputs& Inputs() const { return m_inputs; }
    const std::string& Refusal() const { return m_strRefusal; }
    const ResumeField* Refused() const { return m_refused; }
    ResumeCalendar Calendar() const { return m_calendar; }

    // A computed history and the day it was computed on; the rows end there.
    void SetHistory(const CHistoryData& history, const CivilDate& today);
    // No history: no rows.
    void ClearHistory();
    bool HasHistory() const { return m_history.has_value(); }
    // Whether the history ends with a 中途退学 or 除籍, whose month the choices may give.
    bool LeavingMonthApplies() const;

    // The outcome of the last calculation: its refusal is kept when it concerns a row of
    // 「休学・留学など」, else there is none.
    void SetCalculation(const CalculationResult& result);
    // The refused row (-1 for none), its field and the message that names them.
    int RefusedEvent() const { return m_nRefusedEvent; }
    EventField RefusedEventField() const { return m_refusedEventField; }
    const std::string& EventRefusal() const { return m_strEventRefusal; }

    // The rows as shown, which may be those of earlier choices while a choice is refused.
    const std::vector<ResumeRow>& Rows() const { return m_aRows; }
    // Whether a choice or a row of 「休学・留学など」 is refused, so that the rows shown are not
    // those of the choices as typed.
    bool RowsRefused() const { return m_refused || m_nRefusedEvent >= 0; }
    // Whether the rows may be copied, saved or printed: they follow the choices as typed and
    // there is at least one. Otherwise says why (the refused choice or row by its name, or that
    // there are no rows yet) and returns false.
    bool RowsUsable();

  signals:
    // The rows, the calendar or a refusal changed.
    void Changed();
    // CommitInputs took new choices.
    void InputsCommitted();

  private:
    void BuildRows();
    bool MayReplaceUnreadable();

    std::unique_ptr<CResumeStore> m_store;
    IMessagePresenter& m_presenter;
    ResumeInputs m_inputs;
    std::optional<ResumeInputs> m_readable;  // the last choices ReadResumeInputs took
    ResumeCalendar m_calendar = ResumeCalendar::Wareki;
    std::string m_strRefusal;
    const ResumeField* m_refused = nullptr;
    std::string m_strEventRefusal;
    int m_nRefusedEvent = -1;
    EventField m_refusedEventField = EventField::Kind;
    std::optional<CHistoryData> m_history;
    CivilDate m_today{};
    std::vector<ResumeRow> m_aRows;
    bool m_bKeepUnreadable = false;  // the user chose to keep a file that cannot be read
    bool m_bFailureReported = false;
};
