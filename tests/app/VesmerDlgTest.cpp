#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/DialogUnits.h"
#include "app/GroupBox.h"
#include "app/StaticEx.h"
#include "app/VesmerDlg.h"
#include "cli/CliRunner.h"
#include "input/ChoiceLists.h"
#include "input/InputTransfer.h"
#include "settings/SettingsLocation.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr CivilDate kToday{2024, 4, 1};

// The controls the enabling rule switches, by group; "" is the always-on group.
struct GroupControls {
    const char* group;
    std::vector<int> ids;
};
const GroupControls kGroups[] = {{"", {1007, 1008, 1037, 1044}},
                                 {"中", {1009, 1010, 1038}},
                                 {"高", {1011, 1012, 1031, 1026}},
                                 {"短", {1015, 1016}},
                                 {"専", {1013, 1014, 1029}},
                                 {"大", {1017, 1018, 1042, 1039, 1027, 1030}},
                                 {"修", {1019, 1020, 1032, 1043, 1033}},
                                 {"博", {1021, 1022, 1028, 1034}}};

std::string ExpectedHistory(const DialogInputs& inputs) {
    CHistoryData history;
    return Calculate(inputs, history, kToday).ok ? history.m_strHistory : "";
}

QString WithLf(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// One shown message in a form QCOMPARE prints readably.
QString Msg(std::string_view text, std::string_view caption, MessageIcon icon = MessageIcon::None,
            MessageButtons buttons = MessageButtons::Ok) {
    return QStringLiteral("%1 | %2 | buttons %3 icon %4")
        .arg(QString::fromUtf8(caption), QString::fromUtf8(text))
        .arg(int(buttons))
        .arg(int(icon));
}

// The main dialog on fakes, with its settings and program folders in temporary folders.
struct DialogFixture {
    DialogFixture() { Start(); }

    // A new dialog on the same folders (a restart).
    void Start() {
        m_dialog.reset();
        m_dialog = std::make_unique<CVesmerDlg>(VesmerDlgServices{
            m_presenter, m_location, m_prompt, m_opener, m_starter, [] { return kToday; },
            m_settingsFolder.path(), m_programFolder.path()});
    }
    CVesmerDlg& Dialog() { return *m_dialog; }
    template <class T = QWidget>
    T* Control(int id) const {
        return m_dialog->findChild<T*>(ControlName(static_cast<::Control>(id)));
    }
    // A selection as the user makes it: the item is chosen and the change reported.
    void Choose(int comboId, int index) const {
        Control<QComboBox>(comboId)->setCurrentIndex(index);
        emit Control<QComboBox>(comboId)->activated(index);
    }
    // A selection whose change is not reported.
    void Select(int comboId, int index) const {
        Control<QComboBox>(comboId)->setCurrentIndex(index);
    }
    int Index(int comboId) const { return Control<QComboBox>(comboId)->currentIndex(); }
    void SetText(int editId, const QString& text) const {
        Control<QLineEdit>(editId)->setText(text);
    }
    void SetChecked(int checkId, bool on) const { Control<QCheckBox>(checkId)->setChecked(on); }
    bool Checked(int checkId) const { return Control<QCheckBox>(checkId)->isChecked(); }
    void Click(int buttonId) const { Control<QPushButton>(buttonId)->click(); }
    void Calculate() const { Click(1); }
    bool ExportEnabled() const { return Control<QPushButton>(1035)->isEnabled(); }
    QString BoxText() const { return Control<QPlainTextEdit>(1004)->toPlainText(); }
    // The text each control shows: an edit's or label's text, a list's current item, a caption.
    QStringList Texts(std::initializer_list<int> ids) const {
        QStringList texts;
        for (int id : ids) {
            QWidget* w = Control(id);
            if (auto* combo = qobject_cast<QComboBox*>(w)) texts << combo->currentText();
            if (auto* edit = qobject_cast<QLineEdit*>(w)) texts << edit->text();
            if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        }
        return texts;
    }
    QStringList Shown() const {
        QStringList shown;
        for (const ShownMessage& m : m_presenter.m_aShown)
            shown << Msg(m.text, m.caption, m.icon, m.buttons);
        return shown;
    }
    QString SettingsPath(const char* fileName) const {
        return QDir(m_settingsFolder.path()).filePath(QString::fromUtf8(fileName));
    }
    QByteArray Read(const char* fileName) const { return ReadBytes(SettingsPath(fileName)); }
    bool NoSettings() const { return QDir(m_settingsFolder.path()).isEmpty(); }

    QTemporaryDir m_settingsFolder;
    QTemporaryDir m_programFolder;
    FakePresenter m_presenter;
    FakeSavePrompt m_prompt;
    FakeFileOpener m_opener;
    FakeProcessStarter m_starter;
    CSettingsLocation m_location{m_settingsFolder.path(), m_settingsFolder.path()};
    std::unique_ptr<CVesmerDlg> m_dialog;
};

}  // namespace

class VesmerDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartShowsTheTemplateWithTheDefaults();
    void enablingRule_data();
    void enablingRule();
    void particleFollowsTheOutcome();
    void checks_data();
    void checks();
    void calculateWithDefaultsWritesBothFiles();
    void everyChoiceComesBackAfterARestartEraYearAsTyped();
    void resetAsksAndRestoresTheInputsOnly();
    void keysAndCloseBox();
    void loadedIndexOutsideTheListLeavesNoSelection();
    void overlongLoadedTextIsRefused();
    void editsTakeDigitsUpToTheirLimit();
    void disabledCheckStillCounts();
    void exportAndToolButtons();
    void versionDialogOpensFromContextMenuAndSystemCommands();
};

void VesmerDlgTest::firstStartShowsTheTemplateWithTheDefaults() {
    DialogFixture f;
    CVesmerDlg& dialog = f.Dialog();
    QCOMPARE(f.Texts({1000, 1001, 1002, 1003, 1005, 1006, 1026, 1029, 1027, 1030, 1024}),
             QStringList({"西暦", "1980", "1", "1", "大学", "卒業", "3年制", "2年制", "4年制",
                          "高校/高専から普通に大学へ進学", "を"}));
    for (int id = 1007; id <= 1022; ++id) QCOMPARE(f.Texts({id}), QStringList{"0"});
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) QVERIFY(!box->isChecked());
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.ExportEnabled());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vesmer　Ver.4.10"));
    QVERIFY(dialog.LinkLabel()->IsLink());
    QCOMPARE(dialog.LinkLabel()->text(), QString::fromUtf8(kProjectPage));
    QVERIFY(f.Shown().isEmpty());
    QVERIFY(f.NoSettings());

    const DialogBaseUnits base = BaseUnitsOf(dialog.font());
    QVERIFY(base.x > 0 && base.y > 0);
    QCOMPARE(dialog.minimumSize(), DluSize(base, 422, 372));
    QCOMPARE(dialog.maximumSize(), DluSize(base, 422, 372));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    auto* box = f.Control<QPlainTextEdit>(1004);
    QCOMPARE(box->geometry(), DluRect(base, 219, 56, 195, 274));
    QVERIFY(box->isReadOnly() && box->frameShape() == QFrame::NoFrame);
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(f.Control(1001)->geometry(), DluRect(base, 79, 3, 28, 13));
    QCOMPARE(f.Texts({1, 1025, 1035, 1045}),
             QStringList({"計算(&C)", "Tosvel(&T)", "ファイル出力(&F)", "リセット(&R)"}));
    QVERIFY(f.Control<QPushButton>(1)->isDefault());
    // The two group boxes only decorate: no focus, and clicks reach the controls inside.
    const QList<CGroupBox*> groups = dialog.findChildren<CGroupBox*>();
    QCOMPARE(groups.size(), 2);
    QCOMPARE(f.Control<CGroupBox>(1023)->Title(), QStringLiteral("履歴"));
    QCOMPARE(groups.back()->Title(), QStringLiteral("進学・編入・飛び級について"));
    for (CGroupBox* group : groups) {
        QCOMPARE(group->focusPolicy(), Qt::NoFocus);
        QVERIFY(group->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    for (int hidden : {2, 1036})
        QVERIFY(f.Control(hidden)->isHidden() && !f.Control(hidden)->isEnabled());
    // The preferred family when installed, else its metric-compatible substitute.
    const QString family = QFontInfo(dialog.font()).family();
    QVERIFY2(family == "ＭＳ ゴシック" || family == "MS Gothic" || family == "IPAGothic",
             qPrintable(family));
    // The tab order is the template order, then the two résumé copy buttons.
    const std::vector<int> expected = {
        1000, 1001, 1002, 1003, 1005, 1006, 1,    1025, 1035, 1007, 1008, 1009, 1010, 1011, 1012,
        1015, 1016, 1013, 1014, 1017, 1018, 1019, 1020, 1021, 1022, 1026, 1029, 1027, 1030, 1037,
        1038, 1031, 1042, 1039, 1032, 1043, 1028, 1033, 1034, 1044, 1004, 1045, 1046, 1047};
    std::vector<int> chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden()) {
            for (int id : expected)
                if (w->objectName() == ControlName(static_cast<::Control>(id))) chain.push_back(id);
        }
    }
    QCOMPARE(chain, expected);
}

void VesmerDlgTest::enablingRule_data() {
    QTest::addColumn<int>("finalSchool");
    QTest::addColumn<QString>("groupsOn");
    QTest::newRow("小学校") << 0 << "";
    QTest::newRow("中学校") << 1 << "中";
    QTest::newRow("高校/高専") << 2 << "中高";
    QTest::newRow("短大") << 3 << "中高短";
    QTest::newRow("専門学校") << 4 << "中高専";
    QTest::newRow("大学") << 5 << "中高短専大";
    QTest::newRow("大学院修士") << 6 << "中高短専大修";
    QTest::newRow("大学院博士") << 7 << "中高短専大修博";
}

void VesmerDlgTest::enablingRule() {
    QFETCH(int, finalSchool);
    QFETCH(QString, groupsOn);
    DialogFixture f;
    // From everything on and from everything off, the row decides alone.
    for (int from : {7, 0}) {
        f.Choose(1005, from);
        f.Choose(1005, finalSchool);
        for (const GroupControls& group : kGroups) {
            const QString name = QString::fromUtf8(group.group);
            const bool on = name.isEmpty() || groupsOn.contains(name);
            for (int id : group.ids)
                QVERIFY2(f.Control(id)->isEnabled() == on,
                         qPrintable(QStringLiteral("control %1 from %2").arg(id).arg(from)));
        }
    }
    QCOMPARE(f.Control<QComboBox>(1006)->count(), 18);
}

void VesmerDlgTest::particleFollowsTheOutcome() {
    DialogFixture f;
    QStringList seen;
    f.Choose(1006, 0);
    seen << f.Texts({1024});
    f.Choose(1006, 17);
    seen << f.Texts({1024});
    // A selection made without the change being reported is picked up by Calculate.
    f.Select(1006, 0);
    seen << f.Texts({1024});
    f.Calculate();
    seen << f.Texts({1024});
    f.Select(1006, 1);
    f.Calculate();
    seen << f.Texts({1024});
    QCOMPARE(seen, QStringList({"に", "を", "を", "に", "を"}));
}

void VesmerDlgTest::checks_data() {
    QTest::addColumn<QList<int>>("choices");  // final schooling, high school, university, route
    QTest::addColumn<QString>("refusal");     // empty when the inputs are accepted
    QTest::addColumn<int>("editId");
    QTest::addColumn<QString>("editText");
    QTest::addColumn<int>("checkId");
    auto row = [](const char* name, QList<int> choices, std::string_view refusal, int edit = 0,
                  const char* text = "", int check = 0) {
        QTest::newRow(name) << choices << QString::fromUtf8(refusal) << edit << text << check;
    };
    row("6ヶ月制(放送) before 修士", {6, 0, 3, 0}, kMsgBroadcastUniversity);
    row("1年制(放送) before 博士", {7, 0, 4, 0}, kMsgBroadcastUniversity);
    row("broadcast wins over the route check", {6, 0, 3, 1}, kMsgBroadcastUniversity);
    row("高専 transfer from a 4-year high school", {5, 1, 0, 2}, kMsgTechnicalCollegeTransfer);
    row("高専 transfer from a 3-year high school", {6, 0, 0, 1}, kMsgTechnicalCollegeTransfer);
    row("専攻科 route from a 5-year 高専", {6, 2, 0, 7}, kMsgAdvancedCourse);
    row("birth year before 明治", {5, 0, 0, 0}, kMsgBirthYear, 1001, "1867");
    row("birth month 13", {5, 0, 0, 0}, kMsgBirthMonth, 1002, "13");
    row("birth month 0", {5, 0, 0, 0}, kMsgBirthMonth, 1002, "0");
    row("birth day 32", {5, 0, 0, 0}, kMsgBirthDay, 1003, "32");
    row("birth day empty", {5, 0, 0, 0}, kMsgBirthDay, 1003, "");
    row("大学浪人 100", {5, 0, 0, 0}, CountRangeMessage(STAGE_UNIVERSITY, InputKind::Ronin), 1017,
        "100");
    row("博士留年 100", {7, 0, 0, 0}, CountRangeMessage(STAGE_DOCTOR, InputKind::Ryunen), 1022,
        "100");
    row("6-month university without its last year", {5, 0, 3, 0}, EmptyCourseMessage("大学"), 0, "",
        1032);
    row("accepted: 6ヶ月制(放送) ending at 大学", {5, 0, 3, 0}, "");
    row("accepted: 高専 transfer from 高専+専攻科", {5, 3, 0, 2}, "");
    row("accepted: 専攻科 route ending at 大学", {5, 2, 0, 7}, "");
    row("accepted: 高専 route ignored for 高校/高専", {2, 1, 0, 1}, "");
    row("accepted: 専攻科 route into 博士", {7, 3, 0, 7}, "");
}

void VesmerDlgTest::checks() {
    QFETCH(QList<int>, choices);
    QFETCH(QString, refusal);
    QFETCH(int, editId);
    QFETCH(QString, editText);
    QFETCH(int, checkId);
    DialogFixture f;
    // A history computed before: a refusal must take it away and leave the files alone.
    f.Calculate();
    const QByteArray historyFile = f.Read(kHistoryFileName);
    const QByteArray stateFile = f.Read(kDialogStateFileName);
    QVERIFY(!historyFile.isEmpty() && !stateFile.isEmpty());

    f.Choose(1005, choices[0]);
    f.Select(1026, choices[1]);
    f.Select(1027, choices[2]);
    f.Select(1030, choices[3]);
    if (editId != 0) f.SetText(editId, editText);
    if (checkId != 0) f.SetChecked(checkId, true);
    f.Calculate();
    if (refusal.isEmpty()) {
        QVERIFY(f.Shown().isEmpty());
        QVERIFY(!f.Dialog().HistoryText().empty());
        QCOMPARE(f.Dialog().HistoryText(), ExpectedHistory(f.Dialog().Inputs()));
        QVERIFY(f.ExportEnabled());
        return;
    }
    QCOMPARE(f.Shown(), QStringList{Msg(refusal.toStdString(), "エラー")});
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(f.Dialog().HistoryText().empty());
    QVERIFY(!f.ExportEnabled());
    QCOMPARE(f.Read(kHistoryFileName), historyFile);
    QCOMPARE(f.Read(kDialogStateFileName), stateFile);
    // Nothing the user chose is changed by the refusal.
    QCOMPARE(QList<int>({f.Index(1005), f.Index(1027), f.Index(1030)}),
             QList<int>({choices[0], choices[2], choices[3]}));
    if (editId != 0) QCOMPARE(f.Texts({editId}), QStringList{editText});
}

void VesmerDlgTest::calculateWithDefaultsWritesBothFiles() {
    DialogFixture f;
    f.Calculate();
    DialogInputs defaults;
    defaults.ResetInputs();
    const std::string expected = ExpectedHistory(defaults);
    QVERIFY(expected.find("2002年") != std::string::npos);
    QCOMPARE(f.Dialog().HistoryText(), expected);
    QCOMPARE(f.BoxText(), WithLf(expected));
    QVERIFY(f.ExportEnabled());
    QVERIFY(f.Shown().isEmpty());
    QCOMPARE(f.Read(kHistoryFileName), HistoryFileExample());
    QCOMPARE(f.Read(kDialogStateFileName), DialogStateFileExample());
}

void VesmerDlgTest::everyChoiceComesBackAfterARestartEraYearAsTyped() {
    DialogFixture f;
    f.Select(1000, 1);  // 昭和: the year is stored as typed
    f.SetText(1001, QStringLiteral("55"));
    f.SetText(1002, QStringLiteral("6"));
    f.SetText(1003, QStringLiteral("30"));
    f.Choose(1005, 7);
    f.Choose(1006, 12);
    for (int id : {1026, 1029}) f.Select(id, 3);
    f.Select(1027, 2);
    f.Select(1030, 7);
    for (int id = 1007; id <= 1022; ++id) f.SetText(id, QString::number((id - 1007) % 3));
    for (QCheckBox* box : f.Dialog().findChildren<QCheckBox*>()) box->setChecked(true);
    f.Calculate();
    QVERIFY(f.Shown().isEmpty());
    QCOMPARE(f.Dialog().History().m_nBirthYear, 55);
    QCOMPARE(f.Dialog().History().Events().front().year, 1987);  // 1980-06-30 born
    QVERIFY(f.Read(kHistoryFileName).contains(ToCp932("誕生日=55 6 30 ")));
    QVERIFY(f.Read(kDialogStateFileName).contains(Cp932Lines({"歴=1"})));
    const DialogInputs before = f.Dialog().Inputs();

    f.Start();
    QCOMPARE(f.Dialog().Inputs().m_nEra, 1);
    QCOMPARE(f.Texts({1000, 1001, 1002, 1003}), QStringList({"昭和", "55", "6", "30"}));
    for (int id = 1007; id <= 1022; ++id)
        QCOMPARE(f.Texts({id}), QStringList{QString::number((id - 1007) % 3)});
    QCOMPARE(QList<int>({f.Index(1005), f.Index(1006), f.Index(1026), f.Index(1029), f.Index(1027),
                         f.Index(1030)}),
             QList<int>({7, 12, 3, 3, 2, 7}));
    for (QCheckBox* box : f.Dialog().findChildren<QCheckBox*>())
        QVERIFY2(box->isChecked(), qPrintable(box->objectName()));
    // The history is not shown again until the next Calculate, which gives the same text.
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.ExportEnabled());
    f.Calculate();
    QCOMPARE(f.Dialog().HistoryText(), ExpectedHistory(before));
    QCOMPARE(f.Dialog().History().Events().front().year, 1987);
}

void VesmerDlgTest::resetAsksAndRestoresTheInputsOnly() {
    DialogFixture f;
    f.Choose(1005, 7);
    f.Choose(1006, 0);
    f.SetText(1001, QStringLiteral("1999"));
    f.SetText(1021, QStringLiteral("2"));
    f.SetChecked(1044, true);
    f.Select(1029, 3);
    f.Calculate();
    const QString history = f.BoxText();
    QVERIFY(!history.isEmpty());
    const QByteArray historyFile = f.Read(kHistoryFileName);

    f.m_presenter.m_aAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    f.Click(1045);  // No: nothing changes
    QCOMPARE(f.Shown(), QStringList{Msg(kResetQuestion, "リセット", MessageIcon::None,
                                        MessageButtons::YesNo)});
    QCOMPARE(f.Texts({1001, 1021}), QStringList({"1999", "2"}));
    QVERIFY(f.Checked(1044));

    f.Click(1045);  // Yes
    QCOMPARE(f.Shown().size(), qsizetype{2});
    QCOMPARE(f.Texts({1001, 1021}), QStringList({"1980", "0"}));
    QCOMPARE(QList<int>({f.Index(1005), f.Index(1006), f.Index(1029)}), QList<int>({5, 1, 1}));
    QVERIFY(!f.Checked(1044));
    // The history, the export button, the particle and the enabled states stay.
    QCOMPARE(f.BoxText(), history);
    QVERIFY(f.ExportEnabled());
    QCOMPARE(f.Texts({1024}), QStringList{"に"});
    QVERIFY(f.Control(1021)->isEnabled());
    QCOMPARE(f.Read(kHistoryFileName), historyFile);
}

void VesmerDlgTest::keysAndCloseBox() {
    DialogFixture f;
    CVesmerDlg& dialog = f.Dialog();
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), f.Control(1000));

    // Esc and F1 do nothing.
    f.SetText(1002, QStringLiteral("7"));
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F1}) {
        QTest::keyClick(f.Control(1002), key);
        QTest::keyClick(&dialog, key);
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(f.Texts({1002}), QStringList{"7"});
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(f.Shown().isEmpty());
    QVERIFY(f.NoSettings());

    // Enter is Calculate.
    f.Control(1003)->setFocus();
    QTest::keyClick(f.Control(1003), Qt::Key_Return);
    QVERIFY(!f.BoxText().isEmpty());

    // A mnemonic presses its button as a short animated click.
    f.Select(1006, 0);
    QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(f.Texts({1024}), QStringList{"に"});
    QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    QCOMPARE(f.m_presenter.m_aShown.back().caption, std::string("リセット"));
    QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(f.m_presenter.m_aShown.size(), std::size_t{2});  // the tool is missing
    f.m_prompt.m_bOk = false;
    QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(f.m_prompt.m_aAsked.size(), std::size_t{1});

    // The close box ends the dialog without saving.
    const QByteArray historyFile = f.Read(kHistoryFileName);
    const QByteArray stateFile = f.Read(kDialogStateFileName);
    f.Choose(1005, 7);
    f.SetChecked(1044, true);
    QVERIFY(dialog.close());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.front().front().toInt(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(f.Read(kHistoryFileName), historyFile);
    QCOMPARE(f.Read(kDialogStateFileName), stateFile);
    QCOMPARE(f.Shown().size(), qsizetype{2});
}

void VesmerDlgTest::loadedIndexOutsideTheListLeavesNoSelection() {
    DialogFixture f;
    QVERIFY(WriteBytes(f.SettingsPath(kDialogStateFileName),
                       Cp932Lines({"[VesmerDLGデータ]", "INIファイルバージョン=100", "最終学歴=9",
                                   "年齢を表示する=1"})));
    f.Start();
    QCOMPARE(f.Index(1005), -1);
    QCOMPARE(f.Dialog().Inputs().m_nFinalSchool, -1);
    QVERIFY(f.Checked(1044));
    // Without a final schooling no rule has run: every control is as created, on.
    for (const GroupControls& group : kGroups)
        for (int id : group.ids) QVERIFY(f.Control(id)->isEnabled());
    f.Calculate();
    QCOMPARE(f.Shown(), QStringList{Msg(NoSelectionMessage("最終学歴"), "エラー")});
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.ExportEnabled());
    QVERIFY(f.Read(kDialogStateFileName).contains(Cp932Lines({"最終学歴=9"})));
    QVERIFY(!QFile::exists(f.SettingsPath(kHistoryFileName)));
}

void VesmerDlgTest::overlongLoadedTextIsRefused() {
    DialogFixture f;
    const QByteArray historyFile =
        Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100", "誕生日=12345 1 123 0 0"});
    QVERIFY(WriteBytes(f.SettingsPath(kHistoryFileName), historyFile));
    f.Start();
    // Texts are shown in full and refused when read at start. The day is exchanged before the
    // year, and the exchange stops at the first refusal: only the day is reported.
    const QString day = Msg("2 文字以内で入力してください。", "Vesmer", MessageIcon::Warning);
    const QString year = Msg("4 文字以内で入力してください。", "Vesmer", MessageIcon::Warning);
    QCOMPARE(f.Texts({1001, 1003}), QStringList({"12345", "123"}));
    QCOMPARE(f.Shown(), QStringList{day});
    QCOMPARE(f.Dialog().Inputs().m_strBirthDay, std::string("123"));
    QCOMPARE(f.Dialog().Inputs().m_strBirthYear, std::string("12345"));
    QVERIFY(!f.Control(1019)->isEnabled());  // the enabling rule still ran

    // Calculate reports the year and stops there, after taking the day.
    f.SetText(1003, QStringLiteral("12"));
    f.SetText(1017, QStringLiteral("1"));
    f.Calculate();
    QCOMPARE(f.Shown(), QStringList({day, year}));
    QCOMPARE(f.Dialog().Inputs().m_strBirthDay, std::string("12"));
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.ExportEnabled());
    QCOMPARE(f.Read(kHistoryFileName), historyFile);
    QVERIFY(!QFile::exists(f.SettingsPath(kDialogStateFileName)));
    // A selection change reads (and reports) again, but does not overwrite what was typed.
    f.Choose(1005, 6);
    QCOMPARE(f.Shown(), QStringList({day, year, year}));
    QCOMPARE(f.Texts({1017}), QStringList{"1"});

    f.SetText(1001, QStringLiteral("1980"));
    f.Calculate();
    QCOMPARE(f.Shown().size(), qsizetype{3});
    QVERIFY(!f.BoxText().isEmpty());
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nRoninYears, 1);
    // Once shown anew, the edit takes no more than its limit again.
    QVERIFY(f.Dialog().UpdateData(false));
    QCOMPARE(f.Control<QLineEdit>(1001)->maxLength(), 4);
}

void VesmerDlgTest::editsTakeDigitsUpToTheirLimit() {
    DialogFixture f;
    struct Case {
        int id;
        const char* typed;
        const char* kept;
    };
    for (const Case& c : {Case{1001, "123456", "1234"}, Case{1002, "a1b2c3", "12"},
                          Case{1003, "-31", "31"}, Case{1007, "x9y9", "99"}}) {
        f.Control<QLineEdit>(c.id)->clear();
        QTest::keyClicks(f.Control(c.id), QString::fromUtf8(c.typed));
        QCOMPARE(f.Texts({c.id}), QStringList{c.kept});
    }
    // Full-width digits from an input method become ASCII digits; the limit counts those.
    f.Control<QLineEdit>(1001)->clear();
    for (const char* digit : {"１", "９", "８", "０", "５"})
        QTest::sendKeyEvent(QTest::Click, f.Control(1001), Qt::Key_unknown,
                            QString::fromUtf8(digit), Qt::NoModifier);
    QCOMPARE(f.Texts({1001}), QStringList{"1980"});
    QCOMPARE(f.Control(1001)->inputMethodHints(), Qt::ImhDigitsOnly);
    QCOMPARE(f.Control<QLineEdit>(1001)->alignment() & Qt::AlignRight, Qt::AlignRight);
}

void VesmerDlgTest::disabledCheckStillCounts() {
    DialogFixture f;
    f.Choose(1005, 6);
    f.SetChecked(1032, true);  // skip the university's last year, in the 修士 group
    f.Choose(1005, 5);
    QVERIFY(!f.Control(1032)->isEnabled() && f.Checked(1032));
    f.Calculate();
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nCourseMonths, 36);
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nLeaveYear, 2001);
    QVERIFY(
        f.Read(kDialogStateFileName).contains(Cp932Lines({"大学最終学年を飛び越えて大学院へ=1"})));
}

void VesmerDlgTest::exportAndToolButtons() {
    DialogFixture f;
    // Without a history: the message, and no prompt.
    f.Dialog().OnFileOutput();
    QVERIFY(f.m_prompt.m_aAsked.empty());
    QCOMPARE(f.Shown(), QStringList{Msg(kMsgNoHistory, "エラー", MessageIcon::Warning)});
    f.m_presenter.m_aShown.clear();

    f.Choose(1005, 7);
    f.SetChecked(1044, true);
    f.Calculate();
    const QString target = QDir(f.m_programFolder.path()).filePath(QStringLiteral("out.txt"));
    f.m_prompt.m_strPath = target;
    f.m_prompt.m_bOk = false;
    f.Click(1035);  // cancelled: nothing written, opened or said
    QCOMPARE(f.m_prompt.m_aAsked.size(), std::size_t{1});
    QVERIFY(!QFile::exists(target));
    QVERIFY(f.m_opener.m_aOpened.empty());
    QVERIFY(f.Shown().isEmpty());

    f.m_prompt.m_bOk = true;
    f.Click(1035);
    QByteArray cliOut, cliErr;
    QCOMPARE(RunCli({"--raw", "--final", "7", "--show-age", "--today", "2024-04-01"}, kToday,
                    cliOut, cliErr),
             kExitOk);
    QCOMPARE(ReadBytes(target), cliOut);
    QCOMPARE(f.m_opener.m_aOpened, std::vector<QString>{target});
    QCOMPARE(f.m_prompt.m_aAsked.size(), std::size_t{2});
    const SavePromptSettings& asked = f.m_prompt.m_aAsked.back();
    QCOMPARE(asked.initialFolder, f.m_settingsFolder.path());  // the fixture's desktop
    QVERIFY(f.Shown().isEmpty());
    QCOMPARE(f.BoxText(), WithLf(f.Dialog().HistoryText()));  // unchanged by the export
    // The tool is looked for in the program folder.
    const QString tool = ToolPath(f.m_programFolder.path());
    f.Click(1025);
    QCOMPARE(f.Shown(), QStringList{Msg((tool + "\r\nが見つかりませんでした").toStdString(),
                                        "Vesmer", MessageIcon::Warning)});
    QVERIFY(f.m_starter.m_aStarted.empty());

    QVERIFY(WriteBytes(tool, {}));
    f.Click(1025);
    QCOMPARE(f.m_starter.m_aStarted, std::vector<QString>{tool});
    QCOMPARE(f.Shown().size(), qsizetype{1});
}

void VesmerDlgTest::versionDialogOpensFromContextMenuAndSystemCommands() {
    DialogFixture f;
    std::vector<QWidget*> owners;
    f.Dialog().SetAboutRunner([&](QWidget* owner) { owners.push_back(owner); });
    std::unique_ptr<QMenu> menu(f.Dialog().CreateContextMenu(&f.Dialog()));
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QCOMPARE(actions.back()->text(), QStringLiteral("Vesmerのﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    QVERIFY(actions[actions.size() - 2]->isSeparator());
    actions.back()->trigger();
    QCOMPARE(owners, std::vector<QWidget*>{&f.Dialog()});

    using Row = std::pair<unsigned, bool>;
    for (auto [command, opens] : {Row{16, true}, Row{17, true}, Row{31, true}, Row{32, false},
                                  Row{0, false}, Row{0xF060, false}}) {  // 0xF060: close
        const std::size_t before = owners.size();
        QCOMPARE(f.Dialog().OnSysCommand(command), opens);
        QCOMPARE(owners.size(), before + (opens ? 1 : 0));
    }
}

QTEST_MAIN(VesmerDlgTest)
#include "VesmerDlgTest.moc"
