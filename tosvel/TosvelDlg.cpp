#include "tosvel/TosvelDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/DialogUnits.h"
#include "app/DigitsEdit.h"
#include "app/RefusalLabel.h"
#include "engine/Era.h"
#include "engine/Wareki.h"
#include "platform/MessagePresenter.h"
#include "platform/NativePath.h"

namespace {

constexpr int kAgeColumn = 3;
const QColor kCurrentYearBackground(255, 236, 160);

// The fields of a date as a screen reader names them: 西暦 first, then 和暦.
constexpr const char* kFieldNames[2][3] = {{"西暦の年", "西暦の月", "西暦の日"},
                                           {"和暦の年", "和暦の月", "和暦の日"}};

QLineEdit* NumberEdit(QWidget* parent, int maxLength, const char* name, bool allowGan = false) {
    auto* edit = new QLineEdit(parent);
    UseDigitsInput(*edit, allowGan);
    edit->setMaxLength(maxLength);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (maxLength + 2) +
                        8);
    edit->setAccessibleName(QString::fromUtf8(name));
    return edit;
}

// A label; with a buddy its mnemonic ("&S") moves the focus there.
QLabel* Label(const char* text, QWidget* parent, QWidget* buddy = nullptr) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

QString TableHeading(bool withAge) {
    return withAge ? QStringLiteral("西暦\t和暦\t干支\t年齢\n")
                   : QStringLiteral("西暦\t和暦\t干支\n");
}

}  // namespace

CTosvelDlg::CTosvelDlg(const CivilDate& today, QString stateFolder, IMessagePresenter& presenter,
                       QWidget* parent)
    : QDialog(parent),
      m_today(today),
      m_strStateFolder(std::move(stateFolder)),
      m_presenter(presenter),
      m_inputs(DefaultTosvelInputs(today)) {
    setWindowTitle(QStringLiteral("Tosvel"));
    setFont(MainDialogFont());
    LoadTosvelInputs(m_strStateFolder, m_inputs);
    CreateControls();
    ShowInputs();
    ShowConversion();
    OnBirthYearEdited();
}

CTosvelDlg::~CTosvelDlg() = default;

void CTosvelDlg::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateDateRows());
    m_lblResult = new QLabel(this);
    m_lblResult->setTextFormat(Qt::PlainText);
    m_lblResult->setWordWrap(true);
    m_lblResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_lblResult);
    layout->addWidget(CreateTable(), 1);
    auto* close = new QPushButton(QStringLiteral("閉じる(&X)"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(DluSize(BaseUnitsOf(font()), 300, 300));
}

QWidget* CTosvelDlg::CreateDateRows() {
    auto* rows = new QWidget(this);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    m_cmbEra = new QComboBox(rows);
    m_cmbEra->setAccessibleName(QStringLiteral("元号"));
    for (const EraStart& era : kEras)
        m_cmbEra->addItem(QString::fromUtf8(era.name.data(), qsizetype(era.name.size())));
    grid->addWidget(m_cmbEra, 1, 1);
    const char* units[] = {"年", "月", "日"};
    for (int field = 0; field < 3; ++field) {
        const int length = field == 0 ? kTosvelYearLength : kTosvelMonthDayLength;
        m_editSeireki[field] = NumberEdit(rows, length, kFieldNames[0][field]);
        m_editWareki[field] = NumberEdit(rows, length, kFieldNames[1][field], field == 0);
        grid->addWidget(m_editSeireki[field], 0, 2 + field * 2);
        grid->addWidget(Label(units[field], rows), 0, 3 + field * 2);
        grid->addWidget(m_editWareki[field], 1, 2 + field * 2);
        grid->addWidget(Label(units[field], rows), 1, 3 + field * 2);
        connect(m_editSeireki[field], &QLineEdit::textEdited, this,
                [this] { OnDateEdited(false); });
        connect(m_editWareki[field], &QLineEdit::textEdited, this, [this] { OnDateEdited(true); });
    }
    grid->addWidget(Label("西暦(&S)", rows, m_editSeireki[0]), 0, 0, 1, 2);
    grid->addWidget(Label("和暦(&W)", rows, m_cmbEra), 1, 0);
    connect(m_cmbEra, &QComboBox::activated, this, [this] { OnDateEdited(true); });
    grid->setColumnStretch(8, 1);
    // Tab goes along a row, then to the next row.
    QWidget* const order[] = {m_editSeireki[0], m_editSeireki[1], m_editSeireki[2], m_cmbEra,
                              m_editWareki[0],  m_editWareki[1],  m_editWareki[2]};
    for (int i = 1; i < 7; ++i) setTabOrder(order[i - 1], order[i]);
    return rows;
}

QWidget* CTosvelDlg::CreateTable() {
    auto* box = new QGroupBox(QStringLiteral("早見表"), this);
    auto* layout = new QVBoxLayout(box);
    auto* birth = new QHBoxLayout;
    m_editBirthYear = NumberEdit(box, kTosvelYearLength, "生まれ年(西暦)");
    birth->addWidget(Label("生まれ年(西暦)(&B)", box, m_editBirthYear));
    birth->addWidget(m_editBirthYear);
    birth->addWidget(Label("年", box));
    birth->addStretch();
    m_btnCopy = new QPushButton(QStringLiteral("表をコピー(&C)"), box);
    m_btnCopy->setAutoDefault(false);
    birth->addWidget(m_btnCopy);
    layout->addLayout(birth);
    m_lblAge = new QLabel(box);
    m_lblAge->setTextFormat(Qt::PlainText);
    layout->addWidget(m_lblAge);
    m_table = new QTableWidget(kTableLastYear - kTableFirstYear + 1, 4, box);
    m_table->setHorizontalHeaderLabels({QStringLiteral("西暦"), QStringLiteral("和暦"),
                                        QStringLiteral("干支"), QStringLiteral("年齢")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAccessibleName(QStringLiteral("早見表"));
    // One stop of the Tab key; the arrows move within the table.
    m_table->setTabKeyNavigation(false);
    FillTable();
    layout->addWidget(m_table);
    connect(m_editBirthYear, &QLineEdit::textEdited, this, &CTosvelDlg::OnBirthYearEdited);
    connect(m_btnCopy, &QPushButton::clicked, this, &CTosvelDlg::OnCopyTable);
    return box;
}

void CTosvelDlg::FillTable() {
    QFont bold = font();
    bold.setBold(true);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int year = kTableFirstYear + row;
        const QString texts[] = {QString::number(year), QString::fromStdString(YearEraText(year)),
                                 QString::fromStdString(Kanshi(year)), QString()};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column != 1) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (year == m_today.year) {
                item->setBackground(kCurrentYearBackground);
                item->setFont(bold);
            }
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    // The keyboard enters the table at the current year, which keeps its own colours.
    if (const int row = CurrentYearRow(); row >= 0)
        m_table->selectionModel()->setCurrentIndex(m_table->model()->index(row, 0),
                                                   QItemSelectionModel::NoUpdate);
}

void CTosvelDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const int row = CurrentYearRow(); row >= 0)
        m_table->scrollToItem(m_table->item(row, 0), QAbstractItemView::PositionAtCenter);
}

int CTosvelDlg::CurrentYearRow() const {
    const int row = m_today.year - kTableFirstYear;
    return row >= 0 && row < m_table->rowCount() ? row : -1;
}

void CTosvelDlg::OnDateEdited(bool fromWareki) {
    m_inputs.fromWareki = fromWareki;
    QString* fields[2][3] = {{&m_inputs.seirekiYear, &m_inputs.seirekiMonth, &m_inputs.seirekiDay},
                             {&m_inputs.warekiYear, &m_inputs.warekiMonth, &m_inputs.warekiDay}};
    for (int field = 0; field < 3; ++field) {
        *fields[0][field] = m_editSeireki[field]->text();
        *fields[1][field] = m_editWareki[field]->text();
    }
    m_inputs.era = m_cmbEra->currentIndex();
    ShowConversion();
}

void CTosvelDlg::ShowConversion() {
    const ConversionView view = UpdateOtherSide(m_inputs);
    ShowInputs();
    m_lblResult->setText(view.text);
    ShowAsRefusal(*m_lblResult, !view.ok);
}

void CTosvelDlg::ShowInputs() {
    const QString seireki[] = {m_inputs.seirekiYear, m_inputs.seirekiMonth, m_inputs.seirekiDay};
    const QString wareki[] = {m_inputs.warekiYear, m_inputs.warekiMonth, m_inputs.warekiDay};
    for (int field = 0; field < 3; ++field) {
        if (m_editSeireki[field]->text() != seireki[field])
            m_editSeireki[field]->setText(seireki[field]);
        if (m_editWareki[field]->text() != wareki[field])
            m_editWareki[field]->setText(wareki[field]);
    }
    m_cmbEra->setCurrentIndex(m_inputs.era);
    if (m_editBirthYear->text() != m_inputs.birthYear) m_editBirthYear->setText(m_inputs.birthYear);
}

void CTosvelDlg::OnBirthYearEdited() {
    m_inputs.birthYear = m_editBirthYear->text();
    const AgeColumn ages = ReadAgeColumn(m_inputs.birthYear);
    m_lblAge->setText(ages.reason.isEmpty() ? QStringLiteral("年齢はその年に達する満年齢です。")
                                            : ages.reason);
    ShowAsRefusal(*m_lblAge, !ages.reason.isEmpty());
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int year = kTableFirstYear + row;
        const bool shown = ages.birthYear && year >= *ages.birthYear;
        m_table->item(row, kAgeColumn)
            ->setText(shown ? QString::number(year - *ages.birthYear) : QString());
    }
}

QString CTosvelDlg::TableText() const {
    const AgeColumn ages = ReadAgeColumn(m_inputs.birthYear);
    return TableHeading(ages.birthYear.has_value()) +
           QString::fromStdString(YearTableText(ages.birthYear));
}

void CTosvelDlg::OnCopyTable() {
    QApplication::clipboard()->setText(TableText());
}

void CTosvelDlg::done(int result) {
    if (!SaveTosvelInputs(m_strStateFolder, m_inputs)) {
        const std::string text = "入力した内容を保存できませんでした。\n" +
                                 DisplayPath(TosvelStatePath(m_strStateFolder));
        m_presenter.Show(text, "Tosvel", MessageButtons::Ok, MessageIcon::Warning);
    }
    QDialog::done(result);
}
