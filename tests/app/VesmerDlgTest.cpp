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
#include <QTest>

#include "AppTestSupport.h"
#include "ChoiceLists.h"
#include "CliRunner.h"
#include "DialogUnits.h"
#include "GroupBox.h"
#include "HistoryExport.h"
#include "InputTransfer.h"
#include "StaticEx.h"

namespace {

// The controls the enabling rule switches, by group; "" is the always-on group.
struct GroupControls {
    const char* group;
    std::vector<int> ids;
};
const GroupControls kGroups[] = {
    {"", {1007, 1008, 1037, 1044}},
    {"中", {1009, 1010, 1038}},
    {"高", {1011, 1012, 1031, 1026}},
    {"短", {1015, 1016}},
    {"専", {1013, 1014, 1029}},
    {"大", {1017, 1018, 1042, 1039, 1027, 1030}},
    {"修", {1019, 1020, 1032, 1043, 1033}},
    {"博", {1021, 1022, 1028, 1034}},
};

// The history the window must show for the given inputs.
std::string ExpectedHistory(const DialogInputs& inputs) {
    CHistoryData history;
    int finalStage = STAGE_ELEMENTARY;
    const CalculationResult result = Calculate(inputs, history, finalStage, kToday);
    return result.ok ? history.m_strHistory : std::string();
}

QString WithLf(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

class VesmerDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartShowsTheDefaults();
    void windowHasTheTemplateShape();
    void tabOrderIsTheTemplateOrder();
    void enablingRule_data();
    void enablingRule();
    void particleFollowsTheOutcome();
    void refusals_data();
    void refusals();
    void acceptedCombinations_data();
    void acceptedCombinations();
    void calculateWithDefaultsWritesBothFiles();
    void eraYearIsStoredAsTyped();
    void everyChoiceComesBackAfterARestart();
    void resetAnsweredNoChangesNothing();
    void resetAnsweredYesRestoresTheInputsOnly();
    void escapeAndF1DoNothing();
    void closeBoxEndsWithoutSaving();
    void enterAndMnemonicsRunTheCommands();
    void loadedIndexOutsideTheListLeavesNoSelection();
    void overlongLoadedTextIsRefused();
    void exchangeStopsAtTheFirstOverlongText();
    void editsTakeDigitsUpToTheirLimit();
    void disabledCheckStillCounts();
    void exportWritesTheCommandLineBytes();
    void exportOfAnEmptyHistoryOpensNoPrompt();
    void cancelledExportWritesNothing();
    void toolButtonStartsOrReportsTheTool();
    void versionEntryEndsTheContextMenu();
    void systemCommandOpensTheVersionDialog_data();
    void systemCommandOpensTheVersionDialog();
};

void VesmerDlgTest::firstStartShowsTheDefaults() {
    DialogFixture f;
    QCOMPARE(f.Control<QComboBox>(1000)->currentText(), QStringLiteral("西暦"));
    QCOMPARE(f.Control<QLineEdit>(1001)->text(), QStringLiteral("1980"));
    QCOMPARE(f.Control<QLineEdit>(1002)->text(), QStringLiteral("1"));
    QCOMPARE(f.Control<QLineEdit>(1003)->text(), QStringLiteral("1"));
    QCOMPARE(f.Control<QComboBox>(1005)->currentText(), QStringLiteral("大学"));
    QCOMPARE(f.Control<QComboBox>(1006)->currentText(), QStringLiteral("卒業"));
    QCOMPARE(f.Control<QComboBox>(1006)->count(), 18);
    QCOMPARE(f.Control<QComboBox>(1026)->currentText(), QStringLiteral("3年制"));
    QCOMPARE(f.Control<QComboBox>(1029)->currentText(), QStringLiteral("2年制"));
    QCOMPARE(f.Control<QComboBox>(1027)->currentText(), QStringLiteral("4年制"));
    QCOMPARE(f.Control<QComboBox>(1030)->currentText(),
             QStringLiteral("高校/高専から普通に大学へ進学"));
    for (int id = 1007; id <= 1022; ++id) QCOMPARE(f.Control<QLineEdit>(id)->text(), "0");
    for (QCheckBox* box : f.Dialog().findChildren<QCheckBox*>()) QVERIFY(!box->isChecked());
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.Control<QPushButton>(1035)->isEnabled());
    QCOMPARE(f.Control<QLabel>(1024)->text(), QStringLiteral("を"));
    QCOMPARE(f.Dialog().windowTitle(), QStringLiteral("Vesmer　Ver.4.10"));
    QVERIFY(f.Dialog().LinkLabel()->IsLink());
    QCOMPARE(f.Dialog().LinkLabel()->text(), QString::fromUtf8(kProjectPage));
    // The rule for 大学: everything up to the university is on, the graduate groups are off.
    QVERIFY(f.Control<QComboBox>(1030)->isEnabled());
    QVERIFY(!f.Control<QLineEdit>(1019)->isEnabled());
    QVERIFY(!f.Control<QCheckBox>(1028)->isEnabled());
    QVERIFY(f.m_presenter.m_aShown.empty());
    QVERIFY(!f.SettingsExist());
}

void VesmerDlgTest::windowHasTheTemplateShape() {
    DialogFixture f;
    CVesmerDlg& dialog = f.Dialog();
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
    QCOMPARE(f.Control<QLineEdit>(1001)->geometry(), DluRect(base, 79, 3, 28, 13));
    QCOMPARE(f.Control<QPushButton>(1)->text(), QStringLiteral("計算(&C)"));
    QCOMPARE(f.Control<QPushButton>(1025)->text(), QStringLiteral("Tosvel(&T)"));
    QCOMPARE(f.Control<QPushButton>(1035)->text(), QStringLiteral("ファイル出力(&F)"));
    QCOMPARE(f.Control<QPushButton>(1045)->text(), QStringLiteral("リセット(&R)"));
    QVERIFY(f.Control<QPushButton>(1)->isDefault());
    for (int id : {1023, 0}) {
        // The two group boxes only decorate: no focus, and clicks reach the controls inside.
        auto* group = id ? f.Control<CGroupBox>(id) : dialog.findChildren<CGroupBox*>().back();
        QCOMPARE(group->focusPolicy(), Qt::NoFocus);
        QVERIFY(group->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
    QCOMPARE(f.Control<CGroupBox>(1023)->Title(), QStringLiteral("履歴"));
    QCOMPARE(dialog.findChildren<CGroupBox*>().back()->Title(),
             QStringLiteral("進学・編入・飛び級について"));
    for (int hidden : {2, 1036}) {
        QVERIFY(f.Control<QPushButton>(hidden)->isHidden());
        QVERIFY(!f.Control<QPushButton>(hidden)->isEnabled());
    }
    // The preferred family when installed, else its metric-compatible substitute.
    const QString family = QFontInfo(dialog.font()).family();
    QVERIFY2(family == "ＭＳ ゴシック" || family == "MS Gothic" || family == "IPAGothic",
             qPrintable(family));
}

void VesmerDlgTest::tabOrderIsTheTemplateOrder() {
    DialogFixture f;
    const std::vector<int> expected = {
        1000, 1001, 1002, 1003, 1005, 1006, 1,    1025, 1035, 1007, 1008, 1009, 1010, 1011,
        1012, 1015, 1016, 1013, 1014, 1017, 1018, 1019, 1020, 1021, 1022, 1026, 1029, 1027,
        1030, 1037, 1038, 1031, 1042, 1039, 1032, 1043, 1028, 1033, 1034, 1044, 1004, 1045};
    std::vector<int> chain;
    CVesmerDlg& dialog = f.Dialog();
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        bool numeric = false;
        const int id = w->objectName().toInt(&numeric);
        if (numeric && (w->focusPolicy() & Qt::TabFocus) && !w->isHidden()) chain.push_back(id);
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
            for (int id : group.ids) {
                QWidget* control = f.Dialog().findChild<QWidget*>(QString::number(id));
                QVERIFY2(control->isEnabled() == on,
                         qPrintable(QStringLiteral("control %1 from %2").arg(id).arg(from)));
            }
        }
    }
    QCOMPARE(f.Control<QComboBox>(1006)->count(), 18);
}

void VesmerDlgTest::particleFollowsTheOutcome() {
    DialogFixture f;
    auto* particle = f.Control<QLabel>(1024);
    f.Choose(1006, 0);
    QCOMPARE(particle->text(), QStringLiteral("に"));
    f.Choose(1006, 17);
    QCOMPARE(particle->text(), QStringLiteral("を"));
    // A selection made without the change being reported is picked up by Calculate.
    f.Control<QComboBox>(1006)->setCurrentIndex(0);
    QCOMPARE(particle->text(), QStringLiteral("を"));
    f.Calculate();
    QCOMPARE(particle->text(), QStringLiteral("に"));
    f.Control<QComboBox>(1006)->setCurrentIndex(1);
    f.Calculate();
    QCOMPARE(particle->text(), QStringLiteral("を"));
}

void VesmerDlgTest::refusals_data() {
    QTest::addColumn<int>("finalSchool");
    QTest::addColumn<int>("highSchool");
    QTest::addColumn<int>("university");
    QTest::addColumn<int>("route");
    QTest::addColumn<int>("editId");
    QTest::addColumn<QString>("editText");
    QTest::addColumn<int>("checkId");
    QTest::addColumn<QString>("message");
    auto text = [](std::string_view message) { return QString::fromUtf8(message); };
    QTest::newRow("6ヶ月制(放送) before 修士")
        << 6 << 0 << 3 << 0 << 0 << "" << 0 << text(kMsgBroadcastUniversity);
    QTest::newRow("1年制(放送) before 博士")
        << 7 << 0 << 4 << 0 << 0 << "" << 0 << text(kMsgBroadcastUniversity);
    QTest::newRow("broadcast wins over the route check")
        << 6 << 0 << 3 << 1 << 0 << "" << 0 << text(kMsgBroadcastUniversity);
    QTest::newRow("高専 transfer from a 4-year high school")
        << 5 << 1 << 0 << 2 << 0 << "" << 0 << text(kMsgTechnicalCollegeTransfer);
    QTest::newRow("高専 transfer from a 3-year high school")
        << 6 << 0 << 0 << 1 << 0 << "" << 0 << text(kMsgTechnicalCollegeTransfer);
    QTest::newRow("専攻科 route from a 5-year 高専")
        << 6 << 2 << 0 << 7 << 0 << "" << 0 << text(kMsgAdvancedCourse);
    QTest::newRow("birth year before 明治")
        << 5 << 0 << 0 << 0 << 1001 << "1867" << 0 << text(kMsgBirthYear);
    QTest::newRow("birth month 13")
        << 5 << 0 << 0 << 0 << 1002 << "13" << 0 << text(kMsgBirthMonth);
    QTest::newRow("birth month 0") << 5 << 0 << 0 << 0 << 1002 << "0" << 0 << text(kMsgBirthMonth);
    QTest::newRow("birth day 32") << 5 << 0 << 0 << 0 << 1003 << "32" << 0 << text(kMsgBirthDay);
    QTest::newRow("birth day empty") << 5 << 0 << 0 << 0 << 1003 << "" << 0 << text(kMsgBirthDay);
    QTest::newRow("大学浪人 100") << 5 << 0 << 0 << 0 << 1017 << "100" << 0
                                  << QString::fromStdString(
                                         CountRangeMessage(STAGE_UNIVERSITY, true));
    QTest::newRow("博士留年 100") << 7 << 0 << 0 << 0 << 1022 << "100" << 0
                                  << QString::fromStdString(CountRangeMessage(STAGE_DOCTOR, false));
    QTest::newRow("6-month university without its last year")
        << 5 << 0 << 3 << 0 << 0 << "" << 1032
        << QString::fromStdString(EmptyCourseMessage("大学"));
}

void VesmerDlgTest::refusals() {
    QFETCH(int, finalSchool);
    QFETCH(int, highSchool);
    QFETCH(int, university);
    QFETCH(int, route);
    QFETCH(int, editId);
    QFETCH(QString, editText);
    QFETCH(int, checkId);
    QFETCH(QString, message);
    DialogFixture f;
    // A history computed before: the refusal must take it away and leave the files alone.
    f.Calculate();
    QVERIFY(f.Control<QPushButton>(1035)->isEnabled());
    const QByteArray historyFile = f.ReadSettings(kHistoryFileName);
    const QByteArray stateFile = f.ReadSettings(kDialogStateFileName);
    QVERIFY(!historyFile.isEmpty() && !stateFile.isEmpty());

    f.Choose(1005, finalSchool);
    f.Control<QComboBox>(1026)->setCurrentIndex(highSchool);
    f.Control<QComboBox>(1027)->setCurrentIndex(university);
    f.Control<QComboBox>(1030)->setCurrentIndex(route);
    if (editId != 0) f.SetText(editId, editText);
    if (checkId != 0) f.SetChecked(checkId, true);
    f.Calculate();

    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    const ShownMessage& shown = f.m_presenter.m_aShown.front();
    QCOMPARE(QString::fromStdString(shown.text), message);
    QCOMPARE(shown.caption, std::string("エラー"));
    QCOMPARE(shown.buttons, MessageButtons::Ok);
    QCOMPARE(shown.icon, MessageIcon::None);
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(f.Dialog().HistoryText().empty());
    QVERIFY(!f.Control<QPushButton>(1035)->isEnabled());
    QCOMPARE(f.ReadSettings(kHistoryFileName), historyFile);
    QCOMPARE(f.ReadSettings(kDialogStateFileName), stateFile);
    // Nothing the user chose is changed by the refusal.
    QCOMPARE(f.Control<QComboBox>(1005)->currentIndex(), finalSchool);
    QCOMPARE(f.Control<QComboBox>(1027)->currentIndex(), university);
    QCOMPARE(f.Control<QComboBox>(1030)->currentIndex(), route);
    if (editId != 0) QCOMPARE(f.Control<QLineEdit>(editId)->text(), editText);
}

void VesmerDlgTest::acceptedCombinations_data() {
    QTest::addColumn<int>("finalSchool");
    QTest::addColumn<int>("highSchool");
    QTest::addColumn<int>("university");
    QTest::addColumn<int>("route");
    QTest::newRow("6ヶ月制(放送) ending at 大学") << 5 << 0 << 3 << 0;
    QTest::newRow("高専 transfer from 高専+専攻科") << 5 << 3 << 0 << 2;
    QTest::newRow("専攻科 route ending at 大学") << 5 << 2 << 0 << 7;
    QTest::newRow("高専 route ignored for 高校/高専") << 2 << 1 << 0 << 1;
    QTest::newRow("専攻科 route into 博士") << 7 << 3 << 0 << 7;
}

void VesmerDlgTest::acceptedCombinations() {
    QFETCH(int, finalSchool);
    QFETCH(int, highSchool);
    QFETCH(int, university);
    QFETCH(int, route);
    DialogFixture f;
    f.Choose(1005, finalSchool);
    f.Control<QComboBox>(1026)->setCurrentIndex(highSchool);
    f.Control<QComboBox>(1027)->setCurrentIndex(university);
    f.Control<QComboBox>(1030)->setCurrentIndex(route);
    f.Calculate();
    QVERIFY(f.m_presenter.m_aShown.empty());
    QCOMPARE(f.Dialog().HistoryText(), ExpectedHistory(f.Dialog().Inputs()));
    QVERIFY(!f.Dialog().HistoryText().empty());
    QVERIFY(f.Control<QPushButton>(1035)->isEnabled());
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
    QVERIFY(f.Control<QPushButton>(1035)->isEnabled());
    QVERIFY(f.m_presenter.m_aShown.empty());
    QCOMPARE(f.ReadSettings(kHistoryFileName), IniBytes({
                                                   "[Vesmerデータ]",
                                                   "INIファイルバージョン=100",
                                                   "誕生日=1980 1 1 0 0",
                                                   "小=1986 1992 72 0 0 2 0 0 4 3",
                                                   "中=1992 1995 36 0 0 3 0 0 4 3",
                                                   "高=1995 1998 36 0 0 6 0 0 4 3",
                                                   "短=0 0 24 0 0 0 0 0 4 3",
                                                   "専=0 0 24 0 0 0 0 0 4 3",
                                                   "大=1998 2002 48 0 0 0 0 0 4 3",
                                                   "修=0 0 24 0 0 8 0 0 4 3",
                                                   "博=0 0 36 0 0 0 0 0 4 3",
                                               }));
    QCOMPARE(f.ReadSettings(kDialogStateFileName), IniBytes({
                                                       "[VesmerDLGデータ]",
                                                       "INIファイルバージョン=100",
                                                       "歴=0",
                                                       "最終学歴=5",
                                                       "最終学歴をどうした=1",
                                                       "高校は=0",
                                                       "専門学校は=1",
                                                       "大学は=0",
                                                       "進学・編入=0",
                                                       "高校最終学年を飛び越えて大学へ=0",
                                                       "大学最終学年を飛び越えて大学院へ=0",
                                                       "大学は9月卒業または半年留年した=0",
                                                       "大学院がいきなり博士課程で4年制=0",
                                                       "修士課程1年短縮=0",
                                                       "博士課程1年短縮=0",
                                                       "小学校で上級学年に編入した=0",
                                                       "中学校で上級学年に編入した=0",
                                                       "大学は秋季入学した=0",
                                                       "大学院は秋季入学した=0",
                                                       "年齢を表示する=0",
                                                   }));
}

void VesmerDlgTest::eraYearIsStoredAsTyped() {
    DialogFixture f;
    f.Control<QComboBox>(1000)->setCurrentIndex(1);  // 昭和
    f.SetText(1001, QStringLiteral("55"));
    f.Calculate();
    QVERIFY(f.m_presenter.m_aShown.empty());
    QCOMPARE(f.Dialog().History().Events().front().year, 1986);
    QCOMPARE(f.Dialog().History().m_nBirthYear, 55);
    QVERIFY(f.ReadSettings(kHistoryFileName).contains(IniBytes({"誕生日=55 1 1 0 0"})));
    QVERIFY(f.ReadSettings(kDialogStateFileName).contains(IniBytes({"歴=1"})));

    f.Start();
    QCOMPARE(f.Control<QComboBox>(1000)->currentIndex(), 1);
    QCOMPARE(f.Control<QLineEdit>(1001)->text(), QStringLiteral("55"));
    f.Calculate();
    QCOMPARE(f.Dialog().History().Events().front().year, 1986);
}

void VesmerDlgTest::everyChoiceComesBackAfterARestart() {
    DialogFixture f;
    f.Control<QComboBox>(1000)->setCurrentIndex(2);  // 平成
    f.SetText(1001, QStringLiteral("2"));
    f.SetText(1002, QStringLiteral("6"));
    f.SetText(1003, QStringLiteral("30"));
    f.Choose(1005, 7);
    f.Choose(1006, 12);
    f.Control<QComboBox>(1026)->setCurrentIndex(3);
    f.Control<QComboBox>(1029)->setCurrentIndex(3);
    f.Control<QComboBox>(1027)->setCurrentIndex(2);
    f.Control<QComboBox>(1030)->setCurrentIndex(7);
    int count = 0;
    for (int id = 1007; id <= 1022; ++id) f.SetText(id, QString::number(count++ % 3));
    for (int id : {1037, 1038, 1031, 1042, 1039, 1032, 1043, 1028, 1033, 1034, 1044})
        f.SetChecked(id, true);
    f.Calculate();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{0});
    const DialogInputs before = f.Dialog().Inputs();

    f.Start();
    const DialogInputs& after = f.Dialog().Inputs();
    QCOMPARE(after.m_nEra, 2);
    QCOMPARE(after.m_strBirthYear, std::string("2"));
    QCOMPARE(after.m_strBirthMonth, std::string("6"));
    QCOMPARE(after.m_strBirthDay, std::string("30"));
    for (int stage = STAGE_ELEMENTARY; stage <= STAGE_DOCTOR; ++stage) {
        QCOMPARE(after.RoninText(stage), before.RoninText(stage));
        QCOMPARE(after.RyunenText(stage), before.RyunenText(stage));
    }
    QCOMPARE(f.Control<QComboBox>(1005)->currentIndex(), 7);
    QCOMPARE(f.Control<QComboBox>(1006)->currentIndex(), 12);
    QCOMPARE(f.Control<QComboBox>(1026)->currentIndex(), 3);
    QCOMPARE(f.Control<QComboBox>(1029)->currentIndex(), 3);
    QCOMPARE(f.Control<QComboBox>(1027)->currentIndex(), 2);
    QCOMPARE(f.Control<QComboBox>(1030)->currentIndex(), 7);
    for (QCheckBox* box : f.Dialog().findChildren<QCheckBox*>())
        QVERIFY2(box->isChecked(), qPrintable(box->objectName()));
    // The history is not shown again until the next Calculate, which gives the same text.
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.Control<QPushButton>(1035)->isEnabled());
    f.Calculate();
    QCOMPARE(f.Dialog().HistoryText(), ExpectedHistory(before));
}

void VesmerDlgTest::resetAnsweredNoChangesNothing() {
    DialogFixture f;
    f.SetText(1001, QStringLiteral("1999"));
    f.SetChecked(1044, true);
    f.m_presenter.m_aAnswers.push_back(MessageAnswer::No);
    f.Control<QPushButton>(1045)->click();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    const ShownMessage& asked = f.m_presenter.m_aShown.front();
    QCOMPARE(asked.text, std::string(kResetQuestion));
    QCOMPARE(asked.caption, std::string("リセット"));
    QCOMPARE(asked.buttons, MessageButtons::YesNo);
    QCOMPARE(asked.icon, MessageIcon::None);
    QCOMPARE(f.Control<QLineEdit>(1001)->text(), QStringLiteral("1999"));
    QVERIFY(f.Control<QCheckBox>(1044)->isChecked());
}

void VesmerDlgTest::resetAnsweredYesRestoresTheInputsOnly() {
    DialogFixture f;
    f.Choose(1005, 7);
    f.Choose(1006, 0);
    f.SetText(1001, QStringLiteral("1999"));
    f.SetText(1021, QStringLiteral("2"));
    f.SetChecked(1044, true);
    f.Control<QComboBox>(1029)->setCurrentIndex(3);
    f.Calculate();
    const QString history = f.BoxText();
    QVERIFY(!history.isEmpty());
    const QByteArray historyFile = f.ReadSettings(kHistoryFileName);

    f.m_presenter.m_aAnswers.push_back(MessageAnswer::Yes);
    f.Control<QPushButton>(1045)->click();
    QCOMPARE(f.Control<QLineEdit>(1001)->text(), QStringLiteral("1980"));
    QCOMPARE(f.Control<QLineEdit>(1021)->text(), QStringLiteral("0"));
    QCOMPARE(f.Control<QComboBox>(1005)->currentIndex(), 5);
    QCOMPARE(f.Control<QComboBox>(1006)->currentIndex(), 1);
    QCOMPARE(f.Control<QComboBox>(1029)->currentIndex(), 1);
    QVERIFY(!f.Control<QCheckBox>(1044)->isChecked());
    // The history, the export button, the particle and the enabled states stay.
    QCOMPARE(f.BoxText(), history);
    QVERIFY(f.Control<QPushButton>(1035)->isEnabled());
    QCOMPARE(f.Control<QLabel>(1024)->text(), QStringLiteral("に"));
    QVERIFY(f.Control<QLineEdit>(1021)->isEnabled());
    QCOMPARE(f.ReadSettings(kHistoryFileName), historyFile);
}

void VesmerDlgTest::escapeAndF1DoNothing() {
    DialogFixture f;
    CVesmerDlg& dialog = f.Dialog();
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    f.SetText(1002, QStringLiteral("7"));
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F1}) {
        QTest::keyClick(f.Control<QLineEdit>(1002), key);
        QTest::keyClick(&dialog, key);
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(f.Control<QLineEdit>(1002)->text(), QStringLiteral("7"));
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(f.m_presenter.m_aShown.empty());
    QVERIFY(!f.SettingsExist());
}

void VesmerDlgTest::closeBoxEndsWithoutSaving() {
    DialogFixture f;
    CVesmerDlg& dialog = f.Dialog();
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    f.Choose(1005, 7);
    f.SetChecked(1044, true);
    QVERIFY(dialog.close());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.front().front().toInt(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QVERIFY(!f.SettingsExist());
    QVERIFY(f.m_presenter.m_aShown.empty());
}

void VesmerDlgTest::enterAndMnemonicsRunTheCommands() {
    DialogFixture f;
    CVesmerDlg& dialog = f.Dialog();
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), f.Control<QComboBox>(1000));

    auto* day = f.Control<QLineEdit>(1003);
    day->setFocus();
    QTest::keyClick(day, Qt::Key_Return);
    QVERIFY(!f.BoxText().isEmpty());

    // A mnemonic presses its button as a short animated click.
    f.Control<QComboBox>(1006)->setCurrentIndex(0);
    QTest::keyClick(&dialog, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(f.Control<QLabel>(1024)->text(), QStringLiteral("に"));

    QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    QCOMPARE(f.m_presenter.m_aShown.back().caption, std::string("リセット"));

    QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(f.m_presenter.m_aShown.size(), std::size_t{2});  // the tool is missing

    f.m_prompt.m_bOk = false;
    QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(f.m_prompt.m_aAsked.size(), std::size_t{1});
}

void VesmerDlgTest::loadedIndexOutsideTheListLeavesNoSelection() {
    DialogFixture f;
    f.WriteSettings(kDialogStateFileName,
                    "[VesmerDLGデータ]\r\nINIファイルバージョン=100\r\n最終学歴=9\r\n"
                    "年齢を表示する=1\r\n");
    f.Start();
    QCOMPARE(f.Control<QComboBox>(1005)->currentIndex(), -1);
    QCOMPARE(f.Dialog().Inputs().m_nFinalSchool, -1);
    QVERIFY(f.Control<QCheckBox>(1044)->isChecked());
    // Without a final schooling no rule has run: every control is as created, on.
    for (const GroupControls& group : kGroups) {
        for (int id : group.ids)
            QVERIFY(f.Dialog().findChild<QWidget*>(QString::number(id))->isEnabled());
    }
    f.Calculate();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    QCOMPARE(f.m_presenter.m_aShown.front().text, NoSelectionMessage("最終学歴"));
    QCOMPARE(f.m_presenter.m_aShown.front().caption, std::string("エラー"));
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.Control<QPushButton>(1035)->isEnabled());
    QVERIFY(f.ReadSettings(kDialogStateFileName).contains(IniBytes({"最終学歴=9"})));
    QVERIFY(!QFile::exists(f.SettingsPath(kHistoryFileName)));
}

void VesmerDlgTest::overlongLoadedTextIsRefused() {
    DialogFixture f;
    f.WriteSettings(kHistoryFileName,
                    "[Vesmerデータ]\r\nINIファイルバージョン=100\r\n誕生日=12345 1 1 0 0\r\n");
    const QByteArray historyFile = f.ReadSettings(kHistoryFileName);
    f.Start();
    // The text is shown in full and refused when the controls are read at start.
    QCOMPARE(f.Control<QLineEdit>(1001)->text(), QStringLiteral("12345"));
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    const ShownMessage shown = f.m_presenter.m_aShown.front();
    QCOMPARE(shown.text, std::string("4 文字以内で入力してください。"));
    QCOMPARE(shown.caption, std::string("Vesmer"));
    QCOMPARE(shown.buttons, MessageButtons::Ok);
    QCOMPARE(shown.icon, MessageIcon::Warning);
    // The enabling rule still ran.
    QVERIFY(!f.Control<QLineEdit>(1019)->isEnabled());

    // Calculate reports it once more and stops there.
    f.SetText(1017, QStringLiteral("1"));
    f.Calculate();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{2});
    QCOMPARE(f.m_presenter.m_aShown.back().text, shown.text);
    QVERIFY(f.BoxText().isEmpty());
    QVERIFY(!f.Control<QPushButton>(1035)->isEnabled());
    QCOMPARE(f.ReadSettings(kHistoryFileName), historyFile);
    QVERIFY(!QFile::exists(f.SettingsPath(kDialogStateFileName)));
    // A selection change does not overwrite what was typed after the refused text.
    f.Choose(1005, 6);
    QCOMPARE(f.Control<QLineEdit>(1017)->text(), QStringLiteral("1"));

    f.SetText(1001, QStringLiteral("1980"));
    f.Calculate();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{3});  // the selection change's read
    QVERIFY(!f.BoxText().isEmpty());
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nRoninYears, 1);
}

void VesmerDlgTest::exchangeStopsAtTheFirstOverlongText() {
    DialogFixture f;
    // The day is exchanged before the year: its limit is the one reported, once.
    f.WriteSettings(kHistoryFileName,
                    "[Vesmerデータ]\r\nINIファイルバージョン=100\r\n誕生日=12345 1 123 0 0\r\n");
    f.Start();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    QCOMPARE(f.m_presenter.m_aShown.front().text, std::string("2 文字以内で入力してください。"));
    QCOMPARE(f.Control<QLineEdit>(1003)->text(), QStringLiteral("123"));
    QVERIFY(f.Dialog().Inputs().m_strBirthDay == "123");
    QVERIFY(f.Dialog().Inputs().m_strBirthYear == "12345");
    f.SetText(1003, QStringLiteral("12"));
    QVERIFY(!f.Dialog().UpdateData(true));
    QCOMPARE(f.m_presenter.m_aShown.back().text, std::string("4 文字以内で入力してください。"));
    QCOMPARE(f.Dialog().Inputs().m_strBirthDay, std::string("12"));
    // The edit accepts no more than the limit again once the text has been shown anew.
    f.SetText(1001, QStringLiteral("1999"));
    QVERIFY(f.Dialog().UpdateData(true));
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
        auto* edit = f.Control<QLineEdit>(c.id);
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(c.typed));
        QCOMPARE(edit->text(), QString::fromUtf8(c.kept));
    }
    // Full-width digits are not digits of the edit.
    auto* count = f.Control<QLineEdit>(1008);
    count->clear();
    QTest::sendKeyEvent(QTest::Click, count, Qt::Key_unknown, QStringLiteral("１"), Qt::NoModifier);
    QTest::keyClick(count, Qt::Key_2);
    QCOMPARE(count->text(), QStringLiteral("2"));
    QCOMPARE(f.Control<QLineEdit>(1001)->alignment() & Qt::AlignRight, Qt::AlignRight);
}

void VesmerDlgTest::disabledCheckStillCounts() {
    DialogFixture f;
    f.Choose(1005, 6);
    f.SetChecked(1032, true);  // skip the university's last year, in the 修士 group
    f.Choose(1005, 5);
    QVERIFY(!f.Control<QCheckBox>(1032)->isEnabled());
    QVERIFY(f.Control<QCheckBox>(1032)->isChecked());
    f.Calculate();
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nCourseMonths, 36);
    QCOMPARE(f.Dialog().History().Stage(STAGE_UNIVERSITY).nLeaveYear, 2001);
    QVERIFY(f.ReadSettings(kDialogStateFileName)
                .contains(IniBytes({"大学最終学年を飛び越えて大学院へ=1"})));
}

void VesmerDlgTest::exportWritesTheCommandLineBytes() {
    DialogFixture f;
    f.Choose(1005, 7);
    f.SetChecked(1044, true);
    f.Calculate();
    const QString target = QDir(f.m_programFolder.path()).filePath(QStringLiteral("out.txt"));
    f.m_prompt.m_strPath = target;
    f.Control<QPushButton>(1035)->click();

    QByteArray cliOut;
    QByteArray cliErr;
    QCOMPARE(RunCli({"--raw", "--final", "7", "--show-age", "--today", "2024-04-01"}, kToday,
                    cliOut, cliErr),
             kExitOk);
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), cliOut);
    QCOMPARE(HistoryFileBytes(f.Dialog().HistoryText()), cliOut);
    QCOMPARE(f.m_opener.m_aOpened, std::vector<QString>{target});
    QCOMPARE(f.m_prompt.m_aAsked.size(), std::size_t{1});
    const SavePromptSettings& asked = f.m_prompt.m_aAsked.front();
    QCOMPARE(asked.title, QStringLiteral("出力する場所を選択してください"));
    QCOMPARE(asked.initialFolder, f.m_settingsFolder.path());  // the fixture's desktop
    QCOMPARE(asked.initialName, QStringLiteral("MyHistory.txt"));
    QVERIFY(f.m_presenter.m_aShown.empty());
    // The box still holds the same text after the export.
    QCOMPARE(f.BoxText(), WithLf(f.Dialog().HistoryText()));
}

void VesmerDlgTest::exportOfAnEmptyHistoryOpensNoPrompt() {
    DialogFixture f;
    f.Dialog().OnFileOutput();
    QVERIFY(f.m_prompt.m_aAsked.empty());
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    QCOMPARE(f.m_presenter.m_aShown.front().text, std::string(kMsgNoHistory));
    QCOMPARE(f.m_presenter.m_aShown.front().caption, std::string("エラー"));
    QCOMPARE(f.m_presenter.m_aShown.front().icon, MessageIcon::Warning);
}

void VesmerDlgTest::cancelledExportWritesNothing() {
    DialogFixture f;
    f.Calculate();
    f.m_prompt.m_bOk = false;
    f.m_prompt.m_strPath = QDir(f.m_programFolder.path()).filePath(QStringLiteral("out.txt"));
    f.Control<QPushButton>(1035)->click();
    QCOMPARE(f.m_prompt.m_aAsked.size(), std::size_t{1});
    QVERIFY(!QFile::exists(f.m_prompt.m_strPath));
    QVERIFY(f.m_opener.m_aOpened.empty());
    QVERIFY(f.m_presenter.m_aShown.empty());
    QVERIFY(!f.BoxText().isEmpty());
}

void VesmerDlgTest::toolButtonStartsOrReportsTheTool() {
    DialogFixture f;
    const QString tool = ToolPath(f.m_programFolder.path());
    f.Control<QPushButton>(1025)->click();
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(f.m_presenter.m_aShown.front().text),
             tool + QStringLiteral("\r\nが見つかりませんでした"));
    QCOMPARE(f.m_presenter.m_aShown.front().caption, std::string("Vesmer"));
    QVERIFY(f.m_starter.m_aStarted.empty());

    QFile file(tool);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    f.Control<QPushButton>(1025)->click();
    f.Control<QPushButton>(1025)->click();
    QCOMPARE(f.m_starter.m_aStarted, (std::vector<QString>{tool, tool}));
    QCOMPARE(f.m_presenter.m_aShown.size(), std::size_t{1});
}

void VesmerDlgTest::versionEntryEndsTheContextMenu() {
    DialogFixture f;
    int opened = 0;
    QWidget* owner = nullptr;
    f.Dialog().SetAboutRunner([&](QWidget* parent) {
        ++opened;
        owner = parent;
    });
    std::unique_ptr<QMenu> menu(f.Dialog().CreateContextMenu(&f.Dialog()));
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QCOMPARE(actions.back()->text(), QStringLiteral("Vesmerのﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    QVERIFY(actions[actions.size() - 2]->isSeparator());
    actions.back()->trigger();
    QCOMPARE(opened, 1);
    QCOMPARE(owner, &f.Dialog());
}

void VesmerDlgTest::systemCommandOpensTheVersionDialog_data() {
    QTest::addColumn<unsigned>("command");
    QTest::addColumn<bool>("opens");
    QTest::newRow("16") << 16u << true;
    QTest::newRow("17") << 17u << true;
    QTest::newRow("31") << 31u << true;
    QTest::newRow("32") << 32u << false;
    QTest::newRow("0") << 0u << false;
    QTest::newRow("close") << 0xF060u << false;
}

void VesmerDlgTest::systemCommandOpensTheVersionDialog() {
    QFETCH(unsigned, command);
    QFETCH(bool, opens);
    DialogFixture f;
    int opened = 0;
    f.Dialog().SetAboutRunner([&](QWidget*) { ++opened; });
    QCOMPARE(f.Dialog().OnSysCommand(command), opens);
    QCOMPARE(opened, opens ? 1 : 0);
}

QTEST_MAIN(VesmerDlgTest)
#include "VesmerDlgTest.moc"
