#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "engine/ResumeRows.h"

// The rows of the 学歴 block as the table 年 | 月 | 学歴, in one calendar: the cells that
// ResumeCells gives, read-only; the 学歴 placed as on paper (ResumeTextAlignment).
class CResumeTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CResumeTableModel(QObject* parent = nullptr);
    ~CResumeTableModel() override;

    void SetRows(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<ResumeRow> m_aRows;
    ResumeCalendar m_calendar = ResumeCalendar::Wareki;
};
