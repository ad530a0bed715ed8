#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/GroupBox.h"
#include "app/ResumeBlock.h"
#include "app/ResumeCopy.h"
#include "app/ResumeTableModel.h"
#include "app/ResumeWindow.h"
#include "app/StaticEx.h"
#include "app/VesmerDlg.h"
#include "cli/CliRunner.h"
#include "input/InputTransfer.h"
#include "input/ResumeInputs.h"
#include "settings/ResumeFile.h"
#include "settings/SettingsLocation.h"
#include "tests/support/AccessibleNames.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr CivilDate kToday{2024, 4, 1};
using C = Control;

struct FakeClipboard : IClipboard {
    void SetText(const QString& text) override { m_aTexts << text; }
    QStringList m_aTexts;
};

struct FakePrinter : IResumePrinter {
    PrintOutcome Print(const std::vector<ResumeRow>& rows, ResumeCalendar calendar,
                       QWidget*) override {
        m_aPrinted.push_back(ResumeTsv(rows, calendar));
        return PrintOutcome::Printed;
    }
    std::vector<std::string> m_aPrinted;
};

// The main dialog on fakes, with its settings and program folders in temporary folders.
struct DialogFixture {
    DialogFixture() { Start(); }

    // A new dialog on the same folders (a restart).
    void Start() {
        m_dialog.reset();
        m_dialog = std::make_unique<CVesmerDlg>(VesmerDlgServices{
            m_presenter, m_location, m_prompt, m_opener, m_starter, [] { return kToday; },
            m_settingsFolder.path(), m_programFolder.path(), &m_clipboard, &m_printer});
    }
    CVesmerDlg& Dialog() { return *m_dialog; }
    template <class T = QWidget>
    T* Get(C control) const {
        return m_dialog->findChild<T*>(ControlName(control));
    }
    // A selection as the user makes it: the item is chosen and the change reported.
    void Choose(C combo, int index) const {
        Get<QComboBox>(combo)->setCurrentIndex(index);
        emit Get<QComboBox>(combo)->activated(index);
    }
    int Index(C combo) const { return Get<QComboBox>(combo)->currentIndex(); }
    QString Text(C edit) const {
        if (auto* label = Get<QLabel>(edit)) return label->text();
        return Get<QLineEdit>(edit)->text();
    }
    void SetText(C edit, const QString& text) const { Get<QLineEdit>(edit)->setText(text); }
    void Check(C box, bool on = true) const { Get<QCheckBox>(box)->setChecked(on); }
    void Calculate() const { Get<QPushButton>(C::Calculate)->click(); }
    // The history of a 大学 graduate (the default schooling) born on 2000-01-01.
    void CalculateFor2000() const {
        SetText(C::BirthYear, QStringLiteral("2000"));
        Calculate();
    }
    CResumeWindow& OpenResumeWindow() const {
        Get<QPushButton>(C::ResumeWindow)->click();
        return *m_dialog->ResumeWindow();
    }
    // How many of the commands that use the history (export and both copies) are enabled.
    int HistoryCommands() const {
        return Get(C::Export)->isEnabled() + Get(C::CopyResumeWareki)->isEnabled() +
               Get(C::CopyResumeSeireki)->isEnabled();
    }
    QString BoxText() const { return Get<QPlainTextEdit>(C::HistoryText)->toPlainText(); }
    QStringList Shown() const {
        QStringList shown;
        for (const ShownMessage& m : m_presenter.m_aShown)
            shown << QString::fromStdString(m.caption + " | " + m.text);
        return shown;
    }
    QString SettingsFile(const QString& fileName) const {
        return QDir(m_settingsFolder.path()).filePath(fileName);
    }
    QByteArray Read(const char* fileName) const { return ReadBytes(SettingsFile(fileName)); }
    bool Write(const char* fileName, std::initializer_list<std::string_view> lines) const {
        return WriteBytes(SettingsFile(fileName), Cp932Lines(lines));
    }

    QTemporaryDir m_settingsFolder;
    QTemporaryDir m_programFolder;
    FakePresenter m_presenter;
    FakeSavePrompt m_prompt;
    FakeFileOpener m_opener;
    FakeProcessStarter m_starter;
    FakeClipboard m_clipboard;
    FakePrinter m_printer;
    CSettingsLocation m_location{m_settingsFolder.path(), m_settingsFolder.path()};
    std::unique_ptr<CVesmerDlg> m_dialog;
};

}  // namespace

class VesmerDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartShowsTheDefaultsInOrder();
    void choicesCalculateRestartAndRefusals();
    void overlongLoadedTextStopsTheExchange();
    void editsKeysResetAndCloseBox();
    void exportCopyToolAndVersionCommands();
    void resumeWindowFollowsTheHistoryAndItsChoices();
    void historyEventsAndTheSkipWording();
    void storedChoicesThatCannotBeUsed();
};

void VesmerDlgTest::firstStartShowsTheDefaultsInOrder() {
    DialogFixture f;
    QCOMPARE(QStringList({f.Get<QComboBox>(C::Era)->currentText(), f.Text(C::BirthYear),
                          f.Text(C::Particle), f.Dialog().windowTitle()}),
             QStringList({"西暦", "1980", "を", "Vesmer　Ver.4.10"}));
    QVERIFY(f.BoxText().isEmpty() && f.HistoryCommands() == 0 && f.Dialog().LinkLabel()->IsLink());
    QVERIFY(f.Get<QPushButton>(C::Calculate)->isDefault() && f.Get(C::Cancel)->isHidden());
    QVERIFY(f.Get<QLineEdit>(C::BirthDay)->alignment() & Qt::AlignRight);
    // Tab order: the buttons after the outcome, the 短大 row before the 専門 row, Reset and the
    // link after the history.
    auto next = [&f](C control) {
        QWidget* w = f.Get(control)->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden()) w = w->nextInFocusChain();
        return w->objectName();
    };
    QCOMPARE(QStringList({next(C::Outcome), next(C::Export), next(C::RyunenHighSchool),
                          next(C::HistoryText), next(C::Reset), next(C::Link)}),
             QStringList({ControlName(C::Calculate), ControlName(C::RoninElementary),
                          ControlName(C::RoninJuniorCollege), ControlName(C::Reset),
                          ControlName(C::Link), ControlName(C::ResumeWindow)}));
    // Every control lies inside the window, and no two that take the focus overlap: the inputs,
    // seven buttons, the link and the wording of a skipped year.
    QList<QWidget*> focusable;
    for (QWidget* w : f.Dialog().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY(w->isHidden() || f.Dialog().rect().contains(w->geometry()));
        if (!w->isHidden() && w->focusPolicy() != Qt::NoFocus) focusable << w;
    }
    QCOMPARE(focusable.size(), qsizetype{kInputCount + 9});
    QCOMPARE(OverlappingControls(f.Dialog()), QStringList());
    // For a screen reader each caption is a label that names its input, the particle names the
    // outcome list by what it asks, and the groups go by their titles.
    const QList<QLabel*> labels = f.Dialog().findChildren<QLabel*>();
    for (const InputField& field : InputSchema()) {
        if (field.caption.box.width == 0) continue;
        const auto names = [&](QLabel* label) {
            return label->buddy() == f.Get(field.control) &&
                   label->text() == QString::fromUtf8(field.caption.text.data());
        };
        QVERIFY2(std::any_of(labels.begin(), labels.end(), names), field.name.data());
    }
    QCOMPARE(InputsWithoutNames(f.Dialog()), QStringList());
    const auto related =
        QAccessible::queryAccessibleInterface(f.Get(C::Outcome))->relations(QAccessible::Label);
    QCOMPARE(related.size(), 1);
    QCOMPARE(related[0].first->text(QAccessible::Name), QStringLiteral("最終学歴をどうしたか"));
    QStringList groups;
    for (CGroupBox* group : f.Dialog().findChildren<CGroupBox*>()) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(group);
        if (node->role() == QAccessible::Grouping) groups << node->text(QAccessible::Name);
    }
    QCOMPARE(groups, QStringList({"履歴", "進学・編入・飛び級について"}));
    // No two mnemonics share a key.
    QCOMPARE(Mnemonics(f.Dialog()),
             QStringLiteral("Alt+B Alt+C Alt+F Alt+K Alt+R Alt+S Alt+T Alt+V Alt+W"));
}

void VesmerDlgTest::choicesCalculateRestartAndRefusals() {
    DialogFixture f;
    f.Choose(C::FinalSchool, 6);
    f.Check(C::SkipUniversityLastYear);  // in the 修士 group
    // The final schooling opens the controls of its stages and closes the others.
    f.Choose(C::FinalSchool, 5);  // 大学
    QVERIFY(f.Get(C::RoninJuniorHigh)->isEnabled() && !f.Get(C::RoninMaster)->isEnabled());
    // A disabled box keeps its value and still counts.
    f.Calculate();
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nCourseMonths, 36);
    // The particle follows the outcome, also when Calculate finds a change that was not reported.
    f.Choose(C::Outcome, 0);
    QCOMPARE(f.Text(C::Particle), QStringLiteral("に"));
    f.Get<QComboBox>(C::Outcome)->setCurrentIndex(17);
    f.Calculate();
    QCOMPARE(f.Text(C::Particle), QStringLiteral("を"));

    f.Get<QComboBox>(C::Era)->setCurrentIndex(1);  // 昭和: the year is kept as typed
    f.SetText(C::BirthYear, QStringLiteral("55"));
    f.SetText(C::RyunenVocational, QStringLiteral("2"));
    f.Choose(C::FinalSchool, 7);
    f.Get<QComboBox>(C::HighSchoolLength)->setCurrentIndex(3);
    f.Get<QComboBox>(C::Progression)->setCurrentIndex(7);
    f.Get<QComboBox>(C::Outcome)->setCurrentIndex(0);
    for (QCheckBox* box : f.Dialog().findChildren<QCheckBox*>()) box->setChecked(true);
    f.Calculate();
    const QString history = QString::fromStdString(f.Dialog().HistoryText());
    QVERIFY(history.endsWith(
        "2000年(平成 12年)10月　大学院博士(20歳)\r\n現在の年齢は44歳と91日です。"));
    QCOMPARE(f.BoxText(), QString(history).replace("\r\n", "\n"));
    QVERIFY(f.HistoryCommands() == 3 && f.Shown().isEmpty());

    f.Start();  // the inputs come back as typed, with their particle; the history does not
    QCOMPARE(QStringList({f.Text(C::BirthYear), f.Text(C::Particle)}), QStringList({"55", "に"}));
    QVERIFY(f.BoxText().isEmpty() && f.HistoryCommands() == 0);
    f.Calculate();
    QCOMPARE(QString::fromStdString(f.Dialog().HistoryText()), history);

    // A birth date that does not exist is refused with its reason; nothing else changes.
    const QByteArray stateFile = f.Read(kDialogStateFileName);
    f.SetText(C::BirthDay, QStringLiteral("30"));
    f.SetText(C::BirthMonth, QStringLiteral("2"));
    f.Calculate();
    QCOMPARE(
        f.Shown(),
        QStringList{"エラー | 日は1から29までの数で入力してください（昭和55年2月は29日まで）。"});
    QVERIFY(!f.BoxText().isEmpty() && f.HistoryCommands() == 3);
    f.SetText(C::BirthMonth, QStringLiteral("1"));
    f.m_presenter.m_aShown.clear();

    // Another refusal takes the history away and keeps the choices; neither writes the files.
    f.Get<QComboBox>(C::UniversityLength)->setCurrentIndex(3);
    f.Calculate();
    QCOMPARE(f.Shown(), QStringList{"エラー | " + QString::fromUtf8(kMsgBroadcastUniversity)});
    QCOMPARE(f.m_presenter.m_aShown.back().icon, MessageIcon::None);
    QVERIFY(f.BoxText().isEmpty() && f.HistoryCommands() == 0);
    QCOMPARE(f.Index(C::UniversityLength), 3);
    QCOMPARE(f.Read(kDialogStateFileName), stateFile);
}

void VesmerDlgTest::overlongLoadedTextStopsTheExchange() {
    DialogFixture f;
    QVERIFY(f.Write(kHistoryFileName,
                    {"[Vesmerデータ]", "INIファイルバージョン=100", "誕生日=12345 1 123 0 0"}));
    QVERIFY(f.Write(kDialogStateFileName, {"[VesmerDLGデータ]", "INIファイルバージョン=100",
                                           "最終学歴をどうした=20", "最終学歴=0"}));
    f.Start();
    // Shown in full, refused when read back: the day is exchanged before the year, and the
    // exchange stops at the first refusal. The outcome outside its list selects nothing.
    const QString day = "Vesmer | 2 文字以内で入力してください。";
    const QString year = "Vesmer | 4 文字以内で入力してください。";
    QCOMPARE(QStringList({f.Text(C::BirthYear), f.Text(C::BirthDay)}),
             QStringList({"12345", "123"}));
    QCOMPARE(f.Shown(), QStringList{day});
    QCOMPARE(f.Index(C::Outcome), -1);
    QVERIFY(!f.Get(C::RoninJuniorHigh)->isEnabled());  // the enabling rule still ran
    f.Dialog().OnFileOutput();  // reads the controls first, then finds no history
    QCOMPARE(f.Shown(), QStringList({day, day, "エラー | " + QString::fromUtf8(kMsgNoHistory)}));
    f.m_presenter.m_aShown.resize(1);

    // Calculate reports the year and goes no further.
    f.SetText(C::BirthDay, QStringLiteral("12"));
    f.SetText(C::RoninElementary, QStringLiteral("1"));
    f.Choose(C::Outcome, 1);
    QCOMPARE(f.Shown(), QStringList({day, year}));
    f.Calculate();
    QCOMPARE(f.Shown(), QStringList({day, year, year}));

    f.SetText(C::BirthYear, QStringLiteral("1980"));
    f.Choose(C::Outcome, 2);  // read in full and shown anew: the limit again
    QCOMPARE(f.Get<QLineEdit>(C::BirthYear)->maxLength(), 4);
    f.Calculate();
    QCOMPARE(f.Shown().size(), qsizetype{3});
    QCOMPARE(f.Dialog().History().Stage(STAGE_ELEMENTARY).nRoninYears, 1);
}

void VesmerDlgTest::editsKeysResetAndCloseBox() {
    DialogFixture f;
    // Digits only, and in the year 元, an era's first year.
    for (C edit : {C::BirthMonth, C::BirthYear}) f.SetText(edit, {});
    QTest::keyClicks(f.Get(C::BirthMonth), QStringLiteral("a0/7:9"));
    for (C edit : {C::BirthMonth, C::BirthYear})
        QTest::sendKeyEvent(QTest::Click, f.Get(edit), Qt::Key_unknown, QStringLiteral("元"), {});
    QCOMPARE(f.Text(C::BirthMonth) + f.Text(C::BirthYear), QStringLiteral("07元"));
    f.SetText(C::BirthYear, QStringLiteral("1980"));

    CVesmerDlg& dialog = f.Dialog();
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    f.Check(C::ShowAge);
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F1}) QTest::keyClick(f.Get(C::BirthMonth), key);
    QVERIFY(dialog.isVisible() && f.BoxText().isEmpty() && f.Shown().isEmpty());
    QTest::keyClick(f.Get(C::BirthDay), Qt::Key_Return);  // Enter is Calculate
    QVERIFY(f.BoxText().contains(QStringLiteral("西暦 1987年(昭和 62年) 4月　小学校入学(6歳)")));

    f.m_presenter.m_aAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(f.Shown(), QStringList{"リセット | " + QString::fromUtf8(kResetQuestion)});
    QCOMPARE(f.Text(C::BirthMonth), QStringLiteral("07"));
    f.Choose(C::FinalSchool, 0);
    f.Choose(C::Outcome, 0);                // 小学校に入学
    f.Get<QPushButton>(C::Reset)->click();  // 大学を卒業, with the 中学 counts open again
    QCOMPARE(QStringList({f.Text(C::BirthMonth), f.Text(C::Particle)}), QStringList({"1", "を"}));
    QVERIFY(f.Get(C::RoninJuniorHigh)->isEnabled() && !f.Get<QCheckBox>(C::ShowAge)->isChecked());
    QVERIFY(!f.BoxText().isEmpty() && f.HistoryCommands() == 3);  // Reset keeps the history

    const QByteArray stateFile = f.Read(kDialogStateFileName);
    f.Choose(C::FinalSchool, 7);
    QVERIFY(dialog.close());
    QCOMPARE(QList<QVariantList>(finished), QList<QVariantList>({{int(QDialog::Accepted)}}));
    QCOMPARE(f.Read(kDialogStateFileName), stateFile);
}

void VesmerDlgTest::exportCopyToolAndVersionCommands() {
    DialogFixture f;
    f.CalculateFor2000();
    const QString target = QDir(f.m_programFolder.path()).filePath(QStringLiteral("out.csv"));
    f.m_prompt.m_strPath = target;
    f.m_prompt.m_nFileType = 2;
    f.Get<QPushButton>(C::Export)->click();
    QByteArray csv, err;
    RunCli({"--year", "2000", "--resume", "seireki", "--csv"}, kToday, csv, err);
    QCOMPARE(ReadBytes(target), csv);
    QCOMPARE(f.m_prompt.m_aAsked.back().initialFolder, f.m_settingsFolder.path());

    const QString tool = ToolPath(f.m_programFolder.path());
    QVERIFY(WriteBytes(tool, {}));
    f.Get<QPushButton>(C::LaunchTool)->click();
    QCOMPARE(f.m_starter.m_aStarted, std::vector<QString>{tool});

    // Nobody born this year has a row before today: said, and the clipboard is left alone.
    f.SetText(C::BirthYear, QStringLiteral("2024"));
    f.Calculate();
    f.Get<QPushButton>(C::CopyResumeWareki)->click();
    QVERIFY(f.m_clipboard.m_aTexts.isEmpty());
    QCOMPARE(f.Shown(), QStringList{"Vesmer | " + QString::fromUtf8(kMsgNoResumeRows)});

    std::vector<QWidget*> owners;
    f.Dialog().SetAboutRunner([&](QWidget* owner) { owners.push_back(owner); });
    std::unique_ptr<QMenu> menu(f.Dialog().CreateContextMenu(&f.Dialog()));
    QCOMPARE(menu->actions().back()->text(), QStringLiteral("Vesmerのﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    menu->actions().back()->trigger();
    QList<bool> taken;
    for (unsigned command : {16u, 31u, 32u, 0u, 0xF060u}) taken << f.Dialog().OnSysCommand(command);
    QCOMPARE(taken, QList<bool>({true, true, false, false, false}));
    QCOMPARE(owners, std::vector<QWidget*>(3, &f.Dialog()));
}

// The rows of a 大学 graduate born on 2000-01-01, as of kToday.
const QString kWarekiRows =
    "\t\t学歴\n平成27\t3\t中学校　卒業\n平成27\t4\t高等学校　入学\n平成30\t3\t高等学校　卒業\n"
    "平成30\t4\t大学　入学\n令和4\t3\t大学　卒業\n";
const QString kSeirekiNamedRows =
    "\t\t学歴\n2015\t3\t中学校　卒業\n2015\t4\t高等学校　入学\n2018\t3\t高等学校　卒業\n"
    "2018\t4\t東都大学　入学\n2022\t3\t東都大学　卒業\n";
const QString kRefusalTail =
    "\r\nこの設定を「履歴書の学歴欄」の画面で直すまで、学歴欄の行はコピー・保存・印刷できません。";

// The table as tab-separated lines.
QString Table(const CResumeWindow& w) {
    QStringList lines;
    for (int row = 0; row < w.Model().rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < w.Model().columnCount(); ++column)
            cells << w.Model().index(row, column).data().toString();
        lines << cells.join('\t') + '\n';
    }
    return lines.join(QString());
}

// A text as the user types or pastes it into an edit of the 学歴欄 window.
void Type(QWidget* field, const QString& text) {
    auto* edit = static_cast<QLineEdit*>(field);
    edit->clear();
    edit->insert(text);
    emit edit->textEdited(edit->text());
}

void VesmerDlgTest::resumeWindowFollowsTheHistoryAndItsChoices() {
    DialogFixture f;
    f.CalculateFor2000();
    CResumeWindow& w = f.OpenResumeWindow();
    QCOMPARE(Table(w), kWarekiRows);
    const auto header = [&w](int section, Qt::Orientation orientation) {
        return w.Model().headerData(section, orientation).toString();
    };
    QCOMPARE(QStringList({header(0, Qt::Horizontal), header(2, Qt::Horizontal),
                          header(3, Qt::Horizontal), header(0, Qt::Vertical)}),
             QStringList({"年", "学歴", "", "1"}));
    // Every field is reached by a mnemonic of its own.
    QCOMPARE(Mnemonics(w),
             QStringLiteral("Alt+1 Alt+2 Alt+3 Alt+4 Alt+5 Alt+6 Alt+7 Alt+8 Alt+A Alt+C Alt+D "
                            "Alt+E Alt+F Alt+G Alt+H Alt+K Alt+L Alt+M Alt+N Alt+O Alt+P Alt+R "
                            "Alt+S Alt+T Alt+V Alt+X Alt+Y Alt+Z"));
    // The 学歴 of a row stands left, the heading's and the years centred.
    const auto align = [&w](int row, int column) {
        return w.Model().index(row, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    QCOMPARE(QList<Qt::Alignment>({align(0, 2), align(1, 2), align(1, 0)}),
             QList<Qt::Alignment>({centred, Qt::AlignLeft | Qt::AlignVCenter, centred}));
    QCOMPARE(InputsWithoutNames(w), QStringList());
    QCOMPARE(OverlappingControls(w), QStringList());
    // The month applies only to a leaving, but a refused one (from the file) can be put right.
    QWidget* month = w.Field(*FindResumeField("leavingMonth"));
    QVERIFY(!month->isEnabled());
    Type(month, QStringLiteral("13"));
    QVERIFY(month->isEnabled());
    Type(month, QString());
    QVERIFY(!month->isEnabled());

    // A name as typed, the 西暦: the table, both windows' copies and the printout follow.
    QWidget* name = w.Field(SchoolField(STAGE_UNIVERSITY, false));
    QVERIFY(name->width() > 3 * month->width());  // a name fills its column
    Type(name, QStringLiteral("東都大学"));
    auto* calendar = static_cast<QComboBox*>(w.Field(*FindResumeField("resumeCalendar")));
    calendar->setCurrentIndex(1);
    emit calendar->activated(1);
    QCOMPARE(Table(w), kSeirekiNamedRows);
    QVERIFY(f.Read(kResumeFileName).contains("\nresumeCalendar=西暦\n"));  // a list is kept at once
    w.OnCopy();
    f.Get<QPushButton>(C::CopyResumeWareki)->click();
    w.OnPrint();
    QCOMPARE(f.m_clipboard.m_aTexts,
             QStringList({kSeirekiNamedRows, QString(kWarekiRows).replace("大学", "東都大学")}));
    QCOMPARE(f.m_printer.m_aPrinted, std::vector<std::string>{kSeirekiNamedRows.toStdString()});

    // A pasted name too long for a row is taken whole (a loaded one is too, below) and named in
    // red; the table keeps its rows, which are not saved until it is put right.
    auto* refusal = w.findChild<QLabel*>(QStringLiteral("resumeRefusal"));
    Type(name, QString(70, QChar(u'東')));
    const QString tooLong = QStringLiteral("「大学の学校名」は60文字以内で入力してください。");
    QCOMPARE(refusal->text(), tooLong);
    QCOMPARE(Table(w), kSeirekiNamedRows);
    w.OnSavePdf();
    QCOMPARE(f.Shown(), QStringList("Vesmer | " + tooLong + kRefusalTail));
    f.m_presenter.m_aShown.clear();
    Type(name, QStringLiteral("東都大学"));
    emit static_cast<QLineEdit*>(name)->editingFinished();
    QVERIFY(refusal->isHidden());
    // A row longer than the 学歴 column is wrapped, its row as high as its lines.
    QWidget* department = w.Field(SchoolField(STAGE_UNIVERSITY, true));
    Type(department, QString(60, QChar(u'経')));
    auto* table = w.findChild<QTableView*>(QStringLiteral("resumeTable"));
    QStyleOptionViewItem option;
    option.initFrom(table->viewport());
    option.features = QStyleOptionViewItem::WrapText;
    option.rect.setWidth(table->columnWidth(2));
    const int needed = table->itemDelegate()->sizeHint(option, w.Model().index(5, 2)).height();
    QVERIFY(table->rowHeight(5) >= needed && needed > table->rowHeight(1));
    Type(department, QString());

    // A recalculation is followed.
    f.Choose(C::Outcome, 3);  // 2年目に中退
    f.Calculate();
    QVERIFY(Table(w).endsWith(QStringLiteral("2019\t\t東都大学　中途退学\n")));
    QVERIFY(!w.findChild<QLabel*>(QStringLiteral("resumeNote"))->isHidden());
    QVERIFY(month->isEnabled());

    // CSV and PDF are offered under one name in the folder of the save prompts; closing writes
    // the choices.
    f.m_prompt.m_strPath = QDir(f.m_programFolder.path()).filePath(QStringLiteral("学歴欄.pdf"));
    w.OnSaveCsv();
    w.OnSavePdf();
    QVERIFY(ReadBytes(f.m_prompt.m_strPath).startsWith("%PDF"));
    QStringList offered;
    for (const SavePromptSettings& asked : f.m_prompt.m_aAsked)
        offered << QDir(asked.initialFolder).filePath(asked.initialName);
    QCOMPARE(offered, QStringList({f.SettingsFile(QStringLiteral("履歴書の学歴欄.csv")),
                                   f.SettingsFile(QStringLiteral("履歴書の学歴欄.pdf"))}));
    Type(department, QStringLiteral("経済学部"));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.isHidden());
    f.Start();  // the main window's copy uses the stored choices at once
    f.Calculate();
    f.Get<QPushButton>(C::CopyResumeSeireki)->click();
    QVERIFY(f.m_clipboard.m_aTexts.back().contains(
        QStringLiteral("2018\t4\t東都大学　経済学部　入学")));
    QVERIFY(f.Shown().isEmpty());
}

// The wording of a skipped year stands in the main window, open while a year is skipped. The
// rows of 「休学・留学など」 are added, typed and removed from the keyboard; the history on show
// follows them, and a row that is incomplete or cannot have happened is named in red while the
// history stays; Calculate also says it and focuses its field. The rows are kept for the next
// start.
void VesmerDlgTest::historyEventsAndTheSkipWording() {
    DialogFixture f;
    QVERIFY(!f.Get(C::ResumeSkip)->isEnabled());
    f.Check(C::SkipHighSchoolLastYear);
    QVERIFY(f.Get(C::ResumeSkip)->isEnabled());
    f.Choose(C::ResumeSkip, 1);  // 飛び入学, kept at once
    QVERIFY(f.Read(kResumeFileName).contains("\nresumeSkip=飛び入学\n"));
    f.Check(C::SkipHighSchoolLastYear, false);
    QVERIFY(!f.Get(C::ResumeSkip)->isEnabled());
    f.CalculateFor2000();
    CResumeWindow& w = f.OpenResumeWindow();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto field = [&w](const char* name) { return w.findChild<QWidget*>(name); };
    const auto type = [&](const char* name, const char* text) {
        field(name)->setFocus();
        QTest::keyClicks(field(name), QString::fromUtf8(text));
        QTest::keyClick(field(name), Qt::Key_Return);
    };
    auto* refusal = w.findChild<QLabel*>(QStringLiteral("eventRefusal"));
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);  // a 休学 in 大学, its months still missing
    QTRY_COMPARE(QApplication::focusWidget(), field("eventKind"));
    const QString missing =
        QStringLiteral("「休学・留学など」の1行目（休学）の「休学した月」を入力してください。");
    QCOMPARE(refusal->text(), missing);
    QCOMPARE(Table(w), kWarekiRows);
    f.Calculate();
    QCOMPARE(f.Shown(), QStringList{"エラー | " + missing});
    QCOMPARE(QApplication::focusWidget(), field("eventFrom"));
    w.OnCopy();  // the rows on show are not those of the list
    QCOMPARE(f.Shown().size(), qsizetype{2});
    QVERIFY(f.m_clipboard.m_aTexts.isEmpty());
    type("eventFrom", "2019-04");
    type("eventTo", "2020/4");
    QVERIFY(refusal->isHidden());
    QCOMPARE(w.findChild<QListWidget*>(QStringLiteral("eventList"))->item(0)->text(),
             QStringLiteral("1. 休学　大学　2019-04〜2020/4"));
    QVERIFY(Table(w).contains(QStringLiteral("平成31\t4\t大学　休学\n令和2\t4\t大学　復学\n")));

    // Another row: its kind chosen from the keyboard, its place typed; removed with Delete in
    // the list. The block may end with 以上.
    const QString shown = Table(w);
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), field("eventKind"));
    QTest::keyClick(field("eventKind"), Qt::Key_Down);
    type("eventPlace", "Boston");
    QCOMPARE(w.findChild<QListWidget*>(QStringLiteral("eventList"))->item(1)->text(),
             QStringLiteral("2. 交換留学　大学　Boston"));
    QVERIFY(!refusal->isHidden());
    field("eventList")->setFocus();
    QTest::keyClick(field("eventList"), Qt::Key_Delete);
    QVERIFY(refusal->isHidden());
    static_cast<QCheckBox*>(w.Field(*FindResumeField("resumeClosing")))->click();
    QCOMPARE(Table(w), shown + "\t\t以上\n");
    QVERIFY(f.Read(kResumeFileName).contains("\nresumeClosing=1\nresumeSkip=飛び入学\n"));
    f.Start();
    f.Calculate();
    QVERIFY(f.BoxText().contains(QStringLiteral("2020年(令和  2年) 4月　大学復学")));
}

// A stored choice that is refused is named when the rows are asked for, and no rows are copied
// or exported until it is put right; the file's other choices still count. A file that cannot
// be read is reported, and replaced only after a Yes.
void VesmerDlgTest::storedChoicesThatCannotBeUsed() {
    DialogFixture f;
    const QString path = f.SettingsFile(kResumeFileName);
    QVERIFY(WriteBytes(path, "[VesmerResume]\nresumeCalendar=西暦\nschoolUniversity=" +
                                 QString(61, QChar(u'東')).toUtf8() + "\n"));
    f.Start();
    f.CalculateFor2000();
    f.Get<QPushButton>(C::CopyResumeWareki)->click();
    const QString target = QDir(f.m_programFolder.path()).filePath(QStringLiteral("rows.csv"));
    f.m_prompt.m_strPath = target;
    f.m_prompt.m_nFileType = 1;
    f.Get<QPushButton>(C::Export)->click();
    const QString refused =
        "Vesmer | 「大学の学校名」は60文字以内で入力してください。" + kRefusalTail;
    QCOMPARE(f.Shown(), QStringList(2, refused));
    QVERIFY(f.m_clipboard.m_aTexts.isEmpty() && !QFile::exists(target));
    f.m_prompt.m_nFileType = 0;  // the history text does not depend on the choices
    f.Get<QPushButton>(C::Export)->click();
    QCOMPARE(f.m_opener.m_aOpened, std::vector<QString>{target});

    CResumeWindow& w = f.OpenResumeWindow();
    QWidget* name = w.Field(SchoolField(STAGE_UNIVERSITY, false));
    QCOMPARE(static_cast<QLineEdit*>(name)->text().size(), 61);
    QVERIFY(!w.findChild<QLabel*>(QStringLiteral("resumeRefusal"))->isHidden());
    QCOMPARE(w.Model().rowCount(), 0);
    Type(name, QStringLiteral("東都大学"));
    QCOMPARE(Table(w), kSeirekiNamedRows);

    // Not UTF-8: said once the window is up; a No keeps it and is not asked again, a Yes after a
    // new start replaces it.
    QVERIFY(WriteBytes(path, "\xFF"));
    f.m_presenter.m_aShown.clear();
    f.Start();
    QVERIFY(!f.Dialog().ResumeBlock().SaveChoices() && !f.Dialog().ResumeBlock().SaveChoices());
    QTRY_COMPARE(f.Shown().size(), qsizetype{2});
    QVERIFY(f.Shown()[0].contains(QStringLiteral("今の学歴欄の設定で置き換えますか？")));
    QVERIFY(f.Shown()[1].contains(QStringLiteral("を読み込めませんでした")));
    f.Start();
    f.m_presenter.m_aAnswers = {MessageAnswer::Yes};
    QVERIFY(f.Dialog().ResumeBlock().SaveChoices());
    QVERIFY(ReadBytes(path).startsWith("[VesmerResume]\n"));
#ifndef _WIN32
    // A pipe in its place cannot be replaced, which is said once.
    QVERIFY(QFile::remove(path) && mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    f.Start();
    f.m_presenter.m_aAnswers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::Yes};
    QVERIFY(!f.Dialog().ResumeBlock().SaveChoices() && !f.Dialog().ResumeBlock().SaveChoices());
    QCOMPARE(f.Shown().filter(QStringLiteral("に保存できませんでした。")).size(), 1);
#endif
}

QTEST_MAIN(VesmerDlgTest)
#include "VesmerDlgTest.moc"
