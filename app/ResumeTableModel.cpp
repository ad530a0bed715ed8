#include "app/ResumeTableModel.h"

#include "print/ResumeSheet.h"

namespace {

constexpr int kTextColumn = 2;

}  // namespace

CResumeTableModel::CResumeTableModel(QObject* parent) : QAbstractTableModel(parent) {}

CResumeTableModel::~CResumeTableModel() = default;

void CResumeTableModel::SetRows(const std::vector<ResumeRow>& rows, ResumeCalendar calendar) {
    if (rows == m_aRows && calendar == m_calendar) return;
    beginResetModel();
    m_aRows = rows;
    m_calendar = calendar;
    endResetModel();
}

int CResumeTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_aRows.size());
}

int CResumeTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kResumeColumnTitles.size());
}

QVariant CResumeTableModel::data(const QModelIndex& index, int role) const {
    // An index kept from before the rows changed may point past them.
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const ResumeRow& row = m_aRows[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole) {
        const Qt::Alignment across =
            index.column() == kTextColumn ? ResumeTextAlignment(row) : Qt::AlignHCenter;
        return QVariant::fromValue(across | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return QString::fromStdString(
        ResumeCells(row, m_calendar)[static_cast<std::size_t>(index.column())]);
}

QVariant CResumeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= columnCount()) return {};
    const std::string_view title = kResumeColumnTitles[static_cast<std::size_t>(section)];
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}
