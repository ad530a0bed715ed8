#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

#include "engine/Wareki.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"
#include "tosvel/TosvelCli.h"
#include "tosvel/TosvelDlg.h"

namespace {

// Types text into edit as the user would, replacing what it held.
void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList Fields(const CTosvelDlg& dialog) {
    QStringList texts{dialog.EraCombo()->currentText(), dialog.BirthYearEdit()->text()};
    for (int field = 0; field < 3; ++field)
        texts << dialog.SeirekiEdit(field)->text() << dialog.WarekiEdit(field)->text();
    return texts;
}

#ifndef _WIN32

using FileCheck = std::function<bool(const QString& folder, const QString& file)>;

struct StateFileCase {
    const char* name;
    FileCheck plant;  // false: not possible here
    QStringList shown;
    const char* message;  // part of the message after the save; "" for none
    FileCheck after = [](auto&, auto&) { return true; };
};

std::vector<StateFileCase> StateFileCases() {
    static const QByteArray stored =
        "[Tosvel]\nseireki-year=19890108\nseireki-month=0123\nseireki-day=08\nbirth-year="
        "1950x\n";
    const QStringList defaults{"令和", "", "2024", "6", "4", "4", "1", "1"};
    const QStringList cut{"平成", "1950", "1989", "元", "01", "1", "08", "8"};
    const auto target = [](const QString& folder) { return folder + "/../target"; };
    const auto link = [=](const QString& folder, const QString& file) {
        return WriteBytes(target(folder), stored) && QFile::link(target(folder), file);
    };
    const auto plain = [](auto&, auto& file) { return WriteBytes(file, stored); };
    return {{"StoredValuesAreCut", plain, cut, ""},
            {"Fifo", [](auto&, auto& file) { return mkfifo(QFile::encodeName(file), 0600) == 0; },
             defaults, "入力した内容を保存できませんでした。\n"},
            {"Device", [](auto&, auto& file) { return QFile::link("/dev/zero", file); }, defaults,
             "Tosvel.ini"},
            {"TooLarge",
             [](auto&, auto& file) {
                 return WriteBytes(file, stored + QByteArray(kTosvelStateMaxBytes, '\n'));
             },
             defaults, ""},
            {"LinkInAFolderOthersWrite",
             [=](auto& folder, auto& file) {
                 return link(folder, file) && chmod(QFile::encodeName(folder), 0777) == 0;
             },
             defaults, "Tosvel.ini",
             [=](auto& folder, auto&) { return ReadBytes(target(folder)) == stored; }},
            {"OwnLinkKeepsItsTargetsMode",
             [=](auto& folder, auto& file) {
                 return link(folder, file) && chmod(QFile::encodeName(target(folder)), 0644) == 0;
             },
             cut, "",
             [=](auto& folder, auto& file) {
                 return QFileInfo(file).isSymLink() && Mode(target(folder)) == 0644;
             }},
            {"FolderOfAnotherUser",
             [=](auto& folder, auto& file) {
                 return IsPrivileged() && WriteBytes(file, stored) &&
                        chown(QFile::encodeName(folder), kNobody, kNobody) == 0;
             },
             defaults, "", [](auto&, auto& file) { return ReadBytes(file) == stored; }}};
}

#endif

}  // namespace

class TosvelTest : public QObject {
    Q_OBJECT

  private slots:
    void commandLine();
    void windowConvertsAsTypedAndShowsTheYears();
    void everyControlIsReachedByTheKeyboard();
    void inputsComeBackAfterARestart();
    void onlyAUsableFileIsReadOrWritten();
    void nothingIsKeptWithoutAHome();
};

void TosvelTest::commandLine() {
    const struct {
        QStringList arguments;
        int status;
        const char* text;  // in the output on success, else in the error output
    } cases[] = {
        {{"--to-wareki", "1989-01-08"}, kTosvelExitOk, "平成元年1月8日\n"},
        {{"--to-seireki", "平成元年1月8日"}, kTosvelExitOk, "1989-01-08\n"},
        {{"--to-seireki", "昭和64年1月8日"}, kTosvelExitRefused, "昭和は64年1月7日"},
        {{"--to-wareki", "１９８９－０１－０８"}, kTosvelExitOk, "平成元年1月8日\n"},
        {{"--to-seireki", "\t平成 元年１月8日 "}, kTosvelExitOk, "1989-01-08\n"},
        {{"--to-wareki", "1989/01/08"}, kTosvelExitUsage, "1989-01-08 の形"},
        {{"--to-wareki", "+2019-05-01"},
         kTosvelExitUsage,
         "Tosvel: 「+2019-05-01」は日付ではありません。"},
        {{"--to-seireki", "平成元年一月八日"}, kTosvelExitUsage, "は日付ではありません"},
        {{"--to-seireki", "平成　元年1月8日"}, kTosvelExitUsage, "は日付ではありません"},
        {{"--to-wareki", "\x1b[2J"}, kTosvelExitUsage, "「\\x1B[2J」"},
        {{"--to-wareki", "1872-12-31"}, kTosvelExitRefused, "1873年（明治6年）1月1日より前"},
        {{"--to-wareki", "2019-13-01"}, kTosvelExitRefused, "月は1から12まで"},
        {{"--to-seireki", "令和7982年1月1日"}, kTosvelExitRefused, "9999年12月31日より後"},
        {{"--bogus"}, kTosvelExitUsage, "Tosvel: 「bogus」というオプションはありません。\n"},
        {{"--to-wareki"}, kTosvelExitUsage, "--to-wareki の後に値を指定してください。"},
        {{"--to-wareki", "1989-01-08", "--to-wareki", "1989-01-09"},
         kTosvelExitUsage,
         "--to-wareki を二度以上指定することはできません。"},
        {{"--help"}, kTosvelExitOk, "1 出力を書き込めなかった"},
        {{"--help"}, kTosvelExitOk, "~/.config/Tosvel/Tosvel.ini"},
        {{"--table", "--birth-year", "1990"},
         kTosvelExitOk,
         "\n1989\t昭和64年/平成元年\t己巳\t\n1990\t平成2年\t庚午\t0\n"},
        {{"--birth-year", "1990"}, kTosvelExitUsage, "どれか一つ"},
        {{"--version"}, kTosvelExitOk, "Tosvel "}};
    for (const auto& c : cases) {
        QByteArray out;
        QByteArray err;
        const int status = RunTosvelCli(c.arguments, out, err);
        const bool ok = status == kTosvelExitOk;
        QVERIFY2(
            status == c.status && (ok ? out : err).contains(c.text) && (ok ? err : out).isEmpty(),
            qPrintable(c.arguments.join(' ') + ": " + QString::number(status) + out + err));
    }
}

void TosvelTest::windowConvertsAsTypedAndShowsTheYears() {
    QTemporaryDir folder;
    FakePresenter presenter;
    CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder.path(), presenter);
    auto typeDate = [&](auto edit, QStringList parts) {
        for (int field = 0; field < 3; ++field) Type((dialog.*edit)(field), parts[field]);
    };
    QCOMPARE(Fields(dialog), (QStringList{"令和", "", "2024", "6", "4", "4", "1", "1"}));
    typeDate(&CTosvelDlg::SeirekiEdit, {"１９８９", "1", "8"});
    QCOMPARE(Fields(dialog), (QStringList{"平成", "", "1989", "元", "1", "1", "8", "8"}));
    QCOMPARE(dialog.ResultLabel()->text(), QStringLiteral("西暦1989年1月8日 ＝ 平成元年1月8日"));

    // A day that the era does not have: the reason, and no 西暦 date left on show.
    typeDate(&CTosvelDlg::WarekiEdit, {"31", "5", "1"});
    QCOMPARE(Fields(dialog), (QStringList{"平成", "", "", "31", "", "5", "", "1"}));
    QVERIFY(
        dialog.ResultLabel()->text().startsWith(QStringLiteral("平成31年5月1日はありません。")));
    // A refused birth year looks like a refused date.
    const auto colour = [](QLabel* label) { return label->palette().color(QPalette::WindowText); };
    const QColor refusal = colour(dialog.ResultLabel());
    Type(dialog.BirthYearEdit(), "1872");
    QCOMPARE(colour(dialog.AgeLabel()), refusal);
    Type(dialog.BirthYearEdit(), "");
    dialog.EraCombo()->setCurrentIndex(4);
    emit dialog.EraCombo()->activated(4);
    QCOMPARE(Fields(dialog), (QStringList{"令和", "", "2049", "31", "5", "5", "1", "1"}));

    QTableWidget* table = dialog.Table();
    QCOMPARE(table->rowCount(), kTableLastYear - kTableFirstYear + 1);
    const int row1990 = 1990 - kTableFirstYear;
    Type(dialog.BirthYearEdit(), "1990");
    QVERIFY(colour(dialog.AgeLabel()) != refusal);
    QCOMPARE(table->item(row1990 - 1, 1)->text() + table->item(row1990 - 1, 3)->text(),
             QStringLiteral("昭和64年/平成元年"));
    QCOMPARE(table->item(row1990 + 34, 2)->text() + table->item(row1990 + 34, 3)->text(),
             QStringLiteral("甲辰34"));
    dialog.OnCopyTable();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("西暦\t和暦\t干支\t年齢\n1873\t明治6年\t癸酉\t\n")));
}

// Mnemonics lead to the fields, no two alike; every field has a name; the table is one Tab stop
// that is entered at the current year.
void TosvelTest::everyControlIsReachedByTheKeyboard() {
    FakePresenter presenter;
    CTosvelDlg dialog(CivilDate{2024, 4, 1}, QString(), presenter);
    QStringList keys;
    QList<QWidget*> buddies;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy()) keys << QKeySequence::mnemonic(label->text()).toString();
        if (label->buddy()) buddies << label->buddy();
    }
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        keys << QKeySequence::mnemonic(button->text()).toString();
    keys.sort();
    QCOMPARE(keys.join(' '), QStringLiteral("Alt+B Alt+C Alt+S Alt+W Alt+X"));
    QCOMPARE(buddies,
             (QList<QWidget*>{dialog.SeirekiEdit(0), dialog.EraCombo(), dialog.BirthYearEdit()}));
    QStringList names{dialog.EraCombo()->accessibleName(),
                      dialog.BirthYearEdit()->accessibleName()};
    for (int field = 0; field < 3; ++field)
        names << dialog.SeirekiEdit(field)->accessibleName()
              << dialog.WarekiEdit(field)->accessibleName();
    QCOMPARE(names.join(' '),
             QStringLiteral(
                 "元号 生まれ年(西暦) 西暦の年 和暦の年 西暦の月 和暦の月 西暦の日 和暦の日"));
    QVERIFY(!dialog.Table()->tabKeyNavigation());
    QCOMPARE(dialog.Table()->currentRow(), 2024 - kTableFirstYear);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), dialog.EraCombo());
    dialog.Table()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dialog.Table(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != dialog.Table());
}

void TosvelTest::inputsComeBackAfterARestart() {
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tosvel"));
    FakePresenter presenter;
    QStringList typed;
    {
        CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder, presenter);
        dialog.EraCombo()->setCurrentIndex(2);
        emit dialog.EraCombo()->activated(2);
        Type(dialog.WarekiEdit(0), "元");
        Type(dialog.BirthYearEdit(), "1950");
        typed = Fields(dialog);
        dialog.done(QDialog::Accepted);
    }
#ifndef _WIN32
    QCOMPARE(Mode(folder), mode_t(0700));
    QCOMPARE(Mode(TosvelStatePath(folder)), mode_t(0600));
#endif
    CTosvelDlg again(CivilDate{2030, 1, 1}, folder, presenter);
    QCOMPARE(Fields(again), typed);
    QVERIFY(presenter.m_aShown.empty());
}

// What is found at the file's place (or the folder's): the fields shown, the message about a
// failed save, and what has to hold after the save.
void TosvelTest::onlyAUsableFileIsReadOrWritten() {
#ifdef _WIN32
    QSKIP("pipes, links and owners of Unix");
#else
    for (const StateFileCase& c : StateFileCases()) {
        QTemporaryDir parent;
        const QString folder = parent.filePath(QStringLiteral("Tosvel"));
        const QString file = TosvelStatePath(folder);
        QVERIFY(QDir().mkpath(folder));
        if (!c.plant(folder, file)) {
            QVERIFY2(!IsPrivileged(), c.name);
            continue;
        }
        FakePresenter presenter;
        CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder, presenter);
        QVERIFY2(Fields(dialog) == c.shown, c.name);
        dialog.done(QDialog::Accepted);
        const std::string shown = presenter.m_aShown.empty() ? "" : presenter.m_aShown[0].text;
        QVERIFY2(*c.message ? shown.find(c.message) != std::string::npos : shown.empty(), c.name);
        QVERIFY2(c.after(folder, file), c.name);
    }
#endif
}

// Without a home there is no folder, and nothing is written or reported.
void TosvelTest::nothingIsKeptWithoutAHome() {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    const QString none = TosvelStateFolder();
    if (!home.isEmpty()) qputenv("HOME", home);
    if (!config.isEmpty()) qputenv("XDG_CONFIG_HOME", config);
    QVERIFY(none.isEmpty());
    FakePresenter presenter;
    CTosvelDlg dialog(CivilDate{2024, 4, 1}, none, presenter);
    dialog.done(QDialog::Accepted);
    QVERIFY(presenter.m_aShown.empty());
}

QTEST_MAIN(TosvelTest)
#include "TosvelTest.moc"
