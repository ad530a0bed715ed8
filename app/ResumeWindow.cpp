#include "app/ResumeWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/DialogUnits.h"
#include "app/EventList.h"
#include "app/InputBinding.h"
#include "app/RefusalLabel.h"
#include "app/ResumeBlock.h"
#include "app/ResumeCopy.h"
#include "app/ResumeTableModel.h"
#include "export/ExportCommands.h"
#include "input/ChoiceLists.h"
#include "platform/MessagePresenter.h"
#include "platform/QtText.h"
#include "platform/WholeFile.h"
#include "print/ResumeSheet.h"

namespace {

using K = ResumeFieldKind;

// Where each kind of input stands in the form's grid, and its label's mnemonic. A stage's name
// and department stand in the stage's row, the name labelled with the stage and its number.
struct KindPlace {
    ResumeFieldKind kind;
    int row;
    int column;
    const char* mnemonic;  // nullptr: the stage's number; "": no label
};
constexpr int kHeaderRow = 3;
constexpr KindPlace kPlaces[] = {
    {K::Calendar, 0, 1, "Y"},
    {K::Start, 1, 1, "F"},
    {K::Heading, 2, 1, "H"},
    {K::SchoolName, kHeaderRow, 1, nullptr},
    {K::Department, kHeaderRow, 2, ""},
    {K::Closing, 2, 2, "E"},
    {K::Month, kHeaderRow + kResumeStageCount + 1, 1, "M"},
};
constexpr const char* kColumnHeaders[] = {"学校名", "学部・学科／研究科・専攻"};

// Where a field stands; nullptr for one the main window shows (the wording of a skipped year,
// beside the boxes that skip one).
const KindPlace* PlaceOf(const ResumeField& field) {
    for (const KindPlace& place : kPlaces) {
        if (place.kind == field.kind) return &place;
    }
    return nullptr;
}

// The window's commands, in the order of their buttons.
struct WindowCommand {
    const char* name;
    const char* caption;
    const char* toolTip;
    void (CResumeWindow::*command)();
};
constexpr WindowCommand kCommands[] = {
    {"resumeCopy", "コピー(&C)", "表の行をタブ区切りでクリップボードにコピーします",
     &CResumeWindow::OnCopy},
    {"resumeCsv", "CSVで保存(&V)...", "表の行を年,月,学歴のCSVファイルに保存します",
     &CResumeWindow::OnSaveCsv},
    {"resumePrint", "印刷(&P)...", "履歴書の学歴・職歴欄の罫線に合わせて印刷します",
     &CResumeWindow::OnPrint},
    {"resumePdf", "PDFで保存(&D)...", "印刷と同じ形のA4のPDFファイルに保存します",
     &CResumeWindow::OnSavePdf},
};

// The width of a full-width character.
int WideWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QStringLiteral("学"));
}

}  // namespace

QString ResumeDocumentName(const char* suffix) {
    return QString::fromUtf8(kResumeWindowTitle) + QLatin1Char('.') + QString::fromUtf8(suffix);
}

CResumeWindow::CResumeWindow(CResumeBlock& block, const ResumeWindowServices& services,
                             QWidget* parent)
    : QDialog(parent),
      m_block(block),
      m_presenter(services.presenter),
      m_savePrompt(services.savePrompt),
      m_clipboard(services.clipboard),
      m_printer(services.printer),
      m_strSaveFolder(services.saveFolder) {
    setObjectName(QStringLiteral("resumeWindow"));
    setWindowTitle(QString::fromUtf8(kResumeWindowTitle));
    setFont(MainDialogFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    auto* form = new QVBoxLayout;
    form->addLayout(CreateForm());
    m_events = new CEventList(this);
    for (QLabel** label : {&m_lblRefusal, &m_lblNote}) {
        *label = new QLabel(this);
        (*label)->setTextFormat(Qt::PlainText);
        (*label)->setWordWrap(true);
        form->addWidget(*label);
    }
    m_lblRefusal->setObjectName(QStringLiteral("resumeRefusal"));
    m_lblNote->setObjectName(QStringLiteral("resumeNote"));
    ShowAsRefusal(*m_lblRefusal);
    form->addWidget(m_events);
    form->addStretch();
    auto* table = new QVBoxLayout;
    table->addWidget(CreateTable(), 1);
    table->addLayout(CreateButtons());
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(form);
    columns->addLayout(table, 1);
    ShowInputs(m_block.Inputs());
    connect(m_events, &CEventList::RowsChanged, this, &CResumeWindow::OnFieldChanged);
    connect(&m_block, &CResumeBlock::Changed, this, &CResumeWindow::Refresh);
    Refresh();
    resize(sizeHint().width(), std::max(sizeHint().height(), fontMetrics().height() * 24));
}

CResumeWindow::~CResumeWindow() {
    // A field that loses the focus and a table header that is resized as they go report nothing
    // to a window that is going.
    for (QWidget* field : m_aFields) {
        if (field) field->disconnect(this);
    }
    m_events->disconnect(this);
    m_table->horizontalHeader()->disconnect(this);
}

QGridLayout* CResumeWindow::CreateForm() {
    auto* grid = new QGridLayout;
    for (int column = 0; column < 2; ++column) {
        auto* header = new QLabel(QString::fromUtf8(kColumnHeaders[column]), this);
        grid->addWidget(header, kHeaderRow, column + 1);
    }
    for (const ResumeField& field : ResumeSchema()) m_aFields.push_back(CreateField(field, *grid));
    for (int column : {1, 2}) grid->setColumnMinimumWidth(column, WideWidth(fontMetrics()) * 14);
    return grid;
}

QWidget* CResumeWindow::CreateField(const ResumeField& field, QGridLayout& grid) {
    const KindPlace* found = PlaceOf(field);
    if (!found) return nullptr;
    const KindPlace& place = *found;
    const int row = place.row + field.stage;
    const QString mnemonic =
        place.mnemonic ? QString::fromUtf8(place.mnemonic) : QString::number(field.stage);
    const QString labelText =
        place.mnemonic ? Utf8(field.title)
                       : Utf8(ChoiceLists::Get()
                                  .m_aFinalSchoolNames[static_cast<std::size_t>(field.stage - 1)]);
    QWidget* widget = nullptr;
    const bool check = field.kind == K::Heading || field.kind == K::Closing;
    if (check) {
        auto* box = new QCheckBox(labelText + QStringLiteral("(&%1)").arg(mnemonic), this);
        connect(box, &QCheckBox::toggled, this, [this] { OnFieldChanged(true); });
        widget = box;
    } else if (!field.items.empty()) {
        auto* combo = new QComboBox(this);
        FillList(*combo, field.items);
        connect(combo, &QComboBox::activated, this, [this] { OnFieldChanged(true); });
        widget = combo;
    } else {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { OnFieldChanged(false); });
        connect(edit, &QLineEdit::editingFinished, this, &CResumeWindow::SaveChoices);
        if (field.kind == K::Month) edit->setMaximumWidth(fontMetrics().averageCharWidth() * 8);
        widget = edit;
    }
    widget->setObjectName(Utf8(field.name));
    widget->setAccessibleName(Utf8(field.title));
    // Names and departments fill their columns; the others keep their own width.
    const bool fill = field.kind == K::SchoolName || field.kind == K::Department;
    grid.addWidget(widget, row, place.column, fill ? Qt::Alignment() : Qt::AlignLeft);
    if (!check && !mnemonic.isEmpty()) {
        auto* label = new QLabel(labelText + QStringLiteral("(&%1)").arg(mnemonic), this);
        label->setBuddy(widget);
        grid.addWidget(label, row, 0);
    }
    return widget;
}

QWidget* CResumeWindow::CreateTable() {
    m_model = new CResumeTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("resumeTable"));
    m_table->setAccessibleName(QStringLiteral("学歴欄の行"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    // A row too long for the 学歴 column is wrapped onto more lines, never cut.
    m_table->setWordWrap(true);
    m_table->setTextElideMode(Qt::ElideNone);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    m_table->setColumnWidth(0, digit * 10);
    m_table->setColumnWidth(1, digit * 5);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            &CResumeWindow::FitRows);
    m_table->viewport()->installEventFilter(this);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for the year, the month and a school with its department.
    m_table->setMinimumWidth(digit * 15 + WideWidth(fontMetrics()) * 24);
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("履歴書に書く行(&R)"), box);
    label->setBuddy(m_table);
    layout->addWidget(label);
    layout->addWidget(m_table, 1);
    m_lblStatus = new QLabel(box);
    m_lblStatus->setObjectName(QStringLiteral("resumeStatus"));
    m_lblStatus->setTextFormat(Qt::PlainText);
    layout->addWidget(m_lblStatus);
    return box;
}

QLayout* CResumeWindow::CreateButtons() {
    auto* row = new QHBoxLayout;
    for (const WindowCommand& command : kCommands) {
        auto* button = new QPushButton(QString::fromUtf8(command.caption), this);
        button->setObjectName(QString::fromUtf8(command.name));
        button->setToolTip(QString::fromUtf8(command.toolTip));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, command.command);
        row->addWidget(button);
    }
    row->addStretch();
    auto* close = new QPushButton(QStringLiteral("閉じる(&X)"), this);
    close->setObjectName(QStringLiteral("resumeClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(close);
    return row;
}

QWidget* CResumeWindow::Field(const ResumeField& field) const {
    return m_aFields[static_cast<std::size_t>(&field - ResumeSchema().data())];
}

void CResumeWindow::ShowInputs(const ResumeInputs& inputs) {
    m_bShowing = true;
    for (const ResumeField& field : ResumeSchema()) {
        QWidget* widget = Field(field);
        if (!widget) continue;
        // A text is taken whole, however long: one that is too long is refused, not cut.
        if (const std::string* text = ResumeText(inputs, field))
            ShowText(*static_cast<QLineEdit*>(widget), *text, 0);
        else
            ShowChoice(*widget, *ResumeNumber(const_cast<ResumeInputs&>(inputs), field));
    }
    m_events->SetRows(inputs.m_aEvents);
    m_bShowing = false;
}

// The block's inputs with this window's fields and rows as they stand.
ResumeInputs CResumeWindow::ReadFields() const {
    ResumeInputs inputs = m_block.Inputs();
    inputs.m_aEvents = m_events->Rows();
    for (const ResumeField& field : ResumeSchema()) {
        QWidget* widget = Field(field);
        if (!widget) continue;
        if (std::string* text = ResumeText(inputs, field))
            *text = static_cast<QLineEdit*>(widget)->text().toStdString();
        else
            *ResumeNumber(inputs, field) = ReadChoice(*widget);
    }
    return inputs;
}

void CResumeWindow::OnFieldChanged(bool finished) {
    if (m_bShowing) return;
    if (finished)
        m_block.CommitInputs(ReadFields());
    else
        m_block.SetInputs(ReadFields());
}

void CResumeWindow::FocusRefusedEvent() {
    m_events->FocusField(m_block.RefusedEvent(), m_block.RefusedEventField());
}

void CResumeWindow::SaveChoices() {
    OnFieldChanged(true);
}

void CResumeWindow::done(int result) {
    SaveChoices();
    QDialog::done(result);
}

// The 学歴 column takes the width the table leaves it; a stretched last section of the header
// would be widened later, without the rows fitted to it.
bool CResumeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table->viewport() && event->type() == QEvent::Resize) {
        const int rest =
            m_table->viewport()->width() - m_table->columnWidth(0) - m_table->columnWidth(1);
        m_table->setColumnWidth(2, std::max(rest, m_table->columnWidth(1)));
    }
    return QDialog::eventFilter(watched, event);
}

void CResumeWindow::FitRows() {
    m_table->resizeRowsToContents();
    const int lowest = m_table->verticalHeader()->defaultSectionSize();
    for (int row = 0; row < m_model->rowCount(); ++row)
        m_table->setRowHeight(row, std::max(lowest, m_table->rowHeight(row)));
}

void CResumeWindow::Refresh() {
    m_model->SetRows(m_block.Rows(), m_block.Calendar());
    FitRows();
    m_lblRefusal->setText(Utf8(m_block.Refusal()));
    m_lblRefusal->setVisible(!m_block.Refusal().empty());
    const std::string note = MissingMonthNote(m_block.Rows());
    m_lblNote->setText(Utf8(note));
    m_lblNote->setVisible(!note.empty());
    m_events->ShowRefusal(m_block.EventRefusal());
    // The month is given only for a history that ends in a 中途退学 or 除籍, and can always be
    // put right where it is refused.
    for (const ResumeField& field : ResumeSchema()) {
        if (field.kind == K::Month)
            Field(field)->setEnabled(m_block.LeavingMonthApplies() || m_block.Refused() == &field);
    }
}

void CResumeWindow::SetStatus(const QString& text) {
    m_lblStatus->setText(text);
}

void CResumeWindow::OnCopy() {
    if (!m_block.RowsUsable()) return;
    m_clipboard.SetText(QString::fromStdString(ResumeTsv(m_block.Rows(), m_block.Calendar())));
    SetStatus(QStringLiteral("クリップボードにコピーしました。"));
}

void CResumeWindow::SaveFile(const char* typeFilter, const char* suffix,
                             const std::function<bool(const QString&)>& write) {
    if (!m_block.RowsUsable()) return;
    SavePromptSettings settings;
    settings.title = QStringLiteral("保存する場所を選択してください");
    settings.initialFolder = m_strSaveFolder;
    settings.initialName = ResumeDocumentName(suffix);
    settings.fileTypes = {{QString::fromUtf8(typeFilter), QString::fromUtf8(suffix)}};
    QString path;
    std::size_t type = 0;
    if (!m_savePrompt.AskSavePath(settings, path, type)) return;
    if (!write(path)) {
        m_presenter.Show(kMsgExportFailed, kCaptionExportError, MessageButtons::Ok,
                         MessageIcon::Warning);
        return;
    }
    SetStatus(QStringLiteral("%1 に保存しました。").arg(QDir::toNativeSeparators(path)));
}

void CResumeWindow::OnSaveCsv() {
    SaveFile("履歴書用CSV (*.csv)", "csv", [this](const QString& path) {
        return WriteWholeFile(
            path, QByteArray::fromStdString(ResumeCsv(m_block.Rows(), m_block.Calendar())));
    });
}

void CResumeWindow::OnSavePdf() {
    SaveFile("PDF (*.pdf)", "pdf", [this](const QString& path) {
        return WriteResumePdf(path, m_block.Rows(), m_block.Calendar());
    });
}

void CResumeWindow::OnPrint() {
    if (!m_block.RowsUsable()) return;
    switch (m_printer.Print(m_block.Rows(), m_block.Calendar(), this)) {
        case PrintOutcome::Printed:
            SetStatus(QStringLiteral("印刷しました。"));
            break;
        case PrintOutcome::Failed:
            m_presenter.Show(kMsgPrintFailed, kCaptionExportError, MessageButtons::Ok,
                             MessageIcon::Warning);
            break;
        case PrintOutcome::Cancelled:
            break;
    }
}
