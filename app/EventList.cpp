#include "app/EventList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/InputBinding.h"
#include "app/RefusalLabel.h"
#include "input/ChoiceLists.h"
#include "platform/QtText.h"

namespace {

using F = EventField;

// Each field's control, its label's mnemonic and its place in the grid of fields; the texts of a
// row are typed into line edits.
struct FieldPlace {
    EventField field;
    const char* name;
    const char* mnemonic;
    int row;
    int column;
    std::string EventInput::*text;  // nullptr for the two lists
};
constexpr FieldPlace kFields[] = {
    {F::Kind, "eventKind", "K", 0, 0, nullptr},
    {F::Stage, "eventStage", "S", 0, 2, nullptr},
    {F::From, "eventFrom", "O", 1, 0, &EventInput::from},
    {F::To, "eventTo", "T", 1, 2, &EventInput::to},
    {F::Place, "eventPlace", "N", 2, 0, &EventInput::place},
    {F::Department, "eventDepartment", "G", 3, 0, &EventInput::department},
};
constexpr std::size_t kFirstText = 2;  // kFields from here on are texts

std::size_t IndexOf(EventField field) {
    return static_cast<std::size_t>(field);
}

const std::vector<std::string>& StageNames() {
    return ChoiceLists::Get().m_aFinalSchoolNames;
}

// "2. 休学　大学　2000-04〜2001-04": the row's number and what it holds, as typed.
QString Line(int index, const EventInput& row) {
    const EventKindDescription& kind = DescribeEventKind(row.kind);
    QStringList parts{Utf8(kind.item)};
    if (const std::string* stage = SelectedItem(StageNames(), row.stage - 1);
        stage && kind.stageChosen)
        parts << Utf8(*stage);
    const QString from = Utf8(row.from).trimmed(), to = Utf8(row.to).trimmed();
    parts << (from.isEmpty() || to.isEmpty() ? from + to : from + QStringLiteral("〜") + to);
    parts << Utf8(row.place).trimmed() << Utf8(row.department).trimmed();
    parts.removeAll(QString());
    return QStringLiteral("%1. %2").arg(index + 1).arg(parts.join(QChar(0x3000)));
}

}  // namespace

CEventList::CEventList(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("eventRows"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(Utf8(kEventListTitle) + QStringLiteral("(&L)"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("eventList"));
    m_list->setAccessibleName(Utf8(kEventListTitle));
    m_list->setMaximumHeight(m_list->fontMetrics().height() * 6);
    title->setBuddy(m_list);
    connect(m_list, &QListWidget::currentRowChanged, this, &CEventList::ShowSelected);
    auto* remove =
        new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &CEventList::OnRemove);
    auto* rows = new QHBoxLayout;
    rows->addWidget(m_list, 1);
    rows->addLayout(CreateButtons());
    layout->addWidget(title);
    layout->addLayout(rows);
    layout->addLayout(CreateFields());
    m_lblRefusal = new QLabel(this);
    m_lblRefusal->setObjectName(QStringLiteral("eventRefusal"));
    m_lblRefusal->setTextFormat(Qt::PlainText);
    m_lblRefusal->setWordWrap(true);
    ShowAsRefusal(*m_lblRefusal);
    m_lblRefusal->hide();
    layout->addWidget(m_lblRefusal);
    ShowSelected();
}

QLayout* CEventList::CreateFields() {
    auto* grid = new QGridLayout;
    m_cmbKind = new QComboBox(this);
    for (const EventKindDescription& kind : EventKinds()) m_cmbKind->addItem(Utf8(kind.item));
    connect(m_cmbKind, &QComboBox::activated, this, &CEventList::OnKindChosen);
    m_cmbStage = new QComboBox(this);
    for (int stage = kFirstEventStage; stage <= STAGE_DOCTOR; ++stage)
        m_cmbStage->addItem(Utf8(StageNames()[static_cast<std::size_t>(stage - 1)]));
    connect(m_cmbStage, &QComboBox::activated, this, &CEventList::OnStageChosen);
    for (std::size_t i = kFirstText; i < std::size(kFields); ++i) {
        auto* edit = new QLineEdit(this);
        const EventField field = kFields[i].field;
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { OnTextEdited(field, text); });
        connect(edit, &QLineEdit::editingFinished, this, [this] { emit RowsChanged(true); });
        m_aEdits[i - kFirstText] = edit;
    }
    for (const FieldPlace& place : kFields) {
        QWidget* widget = FieldWidget(place.field);
        widget->setObjectName(QString::fromUtf8(place.name));
        auto* label = new QLabel(this);
        label->setBuddy(widget);
        m_aLabels[IndexOf(place.field)] = label;
        grid->addWidget(label, place.row, place.column);
        // The place and the department take the whole width.
        const bool wide = place.row >= 2;
        grid->addWidget(widget, place.row, place.column + 1, 1, wide ? 3 : 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return grid;
}

QLayout* CEventList::CreateButtons() {
    auto* column = new QVBoxLayout;
    m_btnAdd = new QPushButton(QStringLiteral("追加(&A)"), this);
    m_btnAdd->setObjectName(QStringLiteral("eventAdd"));
    m_btnAdd->setToolTip(QStringLiteral("%1に行を加えます").arg(Utf8(kEventListTitle)));
    m_btnRemove = new QPushButton(QStringLiteral("削除(&Z)"), this);
    m_btnRemove->setObjectName(QStringLiteral("eventRemove"));
    m_btnRemove->setToolTip(QStringLiteral("選んでいる行を削除します（一覧ではDeleteキー）"));
    for (QPushButton* button : {m_btnAdd, m_btnRemove}) {
        button->setAutoDefault(false);
        column->addWidget(button);
    }
    column->addStretch();
    connect(m_btnAdd, &QPushButton::clicked, this, &CEventList::OnAdd);
    connect(m_btnRemove, &QPushButton::clicked, this, &CEventList::OnRemove);
    return column;
}

QWidget* CEventList::FieldWidget(EventField field) const {
    switch (field) {
        case F::Kind:
            return m_cmbKind;
        case F::Stage:
            return m_cmbStage;
        default:
            return m_aEdits[IndexOf(field) - kFirstText];
    }
}

EventInput* CEventList::Selected() {
    const int row = m_list->currentRow();
    return row >= 0 && row < static_cast<int>(m_aRows.size())
               ? &m_aRows[static_cast<std::size_t>(row)]
               : nullptr;
}

void CEventList::SetRows(const std::vector<EventInput>& rows) {
    const int selected = std::min(m_list->currentRow(), static_cast<int>(rows.size()) - 1);
    m_aRows = rows;
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        m_list->addItem(QString());
        UpdateLine(row);
    }
    m_list->setCurrentRow(selected >= 0 || rows.empty() ? selected : 0);
    ShowSelected();
}

// The fields of the selected row, those its kind uses under its labels; none without a row.
void CEventList::ShowSelected() {
    const EventInput* row = Selected();
    const EventInputKind kind = row ? row->kind : EventInputKind::LeaveOfAbsence;
    for (const FieldPlace& place : kFields) {
        const QString label = Utf8(EventFieldLabel(kind, place.field));
        QWidget* widget = FieldWidget(place.field);
        m_aLabels[IndexOf(place.field)]->setText(label +
                                                 QStringLiteral("(&%1)").arg(place.mnemonic));
        widget->setAccessibleName(label);
        widget->setEnabled(row != nullptr);
        m_aLabels[IndexOf(place.field)]->setVisible(!label.isEmpty());
        widget->setVisible(!label.isEmpty());
        if (place.text)
            ShowText(static_cast<QLineEdit&>(*widget), row ? row->*place.text : std::string(), 0);
    }
    ShowChoice(*m_cmbKind,
               row ? static_cast<int>(&DescribeEventKind(kind) - EventKinds().data()) : -1);
    ShowChoice(*m_cmbStage, row ? row->stage - kFirstEventStage : -1);
    UpdateButtons();
}

// The line of a row, whole in its tip where the list is too narrow for it.
void CEventList::UpdateLine(int row) {
    QListWidgetItem* item = m_list->item(row);
    item->setText(Line(row, m_aRows[static_cast<std::size_t>(row)]));
    item->setToolTip(item->text());
}

void CEventList::UpdateButtons() {
    m_btnAdd->setEnabled(m_aRows.size() < kMaxEventRows);
    m_btnRemove->setEnabled(Selected() != nullptr);
}

void CEventList::OnAdd() {
    if (m_aRows.size() >= kMaxEventRows) return;
    m_aRows.emplace_back();
    const int row = static_cast<int>(m_aRows.size()) - 1;
    m_list->addItem(QString());
    UpdateLine(row);
    m_list->setCurrentRow(row);
    m_cmbKind->setFocus();
    emit RowsChanged(true);
}

void CEventList::OnRemove() {
    const int row = m_list->currentRow();
    if (!Selected()) return;
    const bool listFocused = m_list->hasFocus();
    m_aRows.erase(m_aRows.begin() + row);
    SetRows(std::vector<EventInput>(m_aRows));
    // The focus stays in the list, or goes there from the button while there are rows.
    if (listFocused || !m_aRows.empty())
        m_list->setFocus();
    else
        m_btnAdd->setFocus();
    emit RowsChanged(true);
}

void CEventList::OnKindChosen() {
    EventInput* row = Selected();
    if (!row || m_cmbKind->currentIndex() < 0) return;
    row->kind = EventKinds()[static_cast<std::size_t>(m_cmbKind->currentIndex())].kind;
    // A row whose kind has no school of its own is the 高校's.
    if (!DescribeEventKind(row->kind).stageChosen) row->stage = STAGE_HIGH_SCHOOL;
    UpdateLine(m_list->currentRow());
    ShowSelected();
    emit RowsChanged(true);
}

void CEventList::OnStageChosen() {
    EventInput* row = Selected();
    if (!row || m_cmbStage->currentIndex() < 0) return;
    row->stage = kFirstEventStage + m_cmbStage->currentIndex();
    UpdateLine(m_list->currentRow());
    emit RowsChanged(true);
}

void CEventList::OnTextEdited(EventField field, const QString& text) {
    EventInput* row = Selected();
    if (!row) return;
    row->*kFields[IndexOf(field)].text = text.toStdString();
    UpdateLine(m_list->currentRow());
    emit RowsChanged(false);
}

void CEventList::ShowRefusal(const std::string& refusal) {
    m_lblRefusal->setText(Utf8(refusal));
    m_lblRefusal->setVisible(!refusal.empty());
}

void CEventList::FocusField(int row, EventField field) {
    if (row < 0 || row >= static_cast<int>(m_aRows.size())) return;
    m_list->setCurrentRow(row);
    QWidget* widget = FieldWidget(field);
    (widget->isHidden() ? m_cmbKind : widget)->setFocus();
}
