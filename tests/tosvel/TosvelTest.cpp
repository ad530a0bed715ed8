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
#include <vector>

#include "engine/Wareki.h"
#include "tests/support/AccessibleNames.h"
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

}  // namespace

class TosvelTest : public QObject {
    Q_OBJECT

  private slots:
    void commandLine();
    void windowConvertsAsTypedAndShowsTheYears();
    void everyControlIsReachedByTheKeyboard();
    void onlyAUsableFileIsReadOrWritten();
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
        {{"--to-wareki", "1989/01/08"}, kTosvelExitUsage, "1989-01-08 の形"},
        {{"--to-seireki", "平成元年一月八日"}, kTosvelExitUsage, "平成元年1月8日 の形"},
        {{"--to-wareki", "\x1b[2J"}, kTosvelExitUsage, "「\\x1B[2J」"},
        {{"--bogus"}, kTosvelExitUsage, "Tosvel: 「bogus」というオプションはありません。\n"},
        {{"--to-wareki"}, kTosvelExitUsage, "--to-wareki の後に値を指定してください。"},
        {{"--to-wareki", "1", "--to-wareki", "2"}, kTosvelExitUsage, "--to-wareki を二度以上"},
        {{"--help"}, kTosvelExitOk, "1 出力を書き込めなかった"},
        {{"--help"}, kTosvelExitOk, "~/.config/Tosvel/Tosvel.ini"},
        {{"--table", "--birth-year", "1990"}, kTosvelExitOk, "\n1990\t平成2年\t庚午\t0\n"},
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
    QByteArray wide, err;  // as wide as asked: one line an option
    RunTosvelCli({"--help"}, wide, err, 1000);
    QVERIFY(wide.contains("を西暦で表示します（1989-01-08の形）。\n  --table"));
}

// What was typed comes back after a restart, in a folder of the user's own.
void TosvelTest::windowConvertsAsTypedAndShowsTheYears() {
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tosvel"));
    FakePresenter presenter;
    CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder, presenter);
    auto typeDate = [&](auto edit, QStringList parts) {
        for (int field = 0; field < 3; ++field) Type((dialog.*edit)(field), parts[field]);
    };
    typeDate(&CTosvelDlg::SeirekiEdit, {"１９８９", "1", "8"});
    QCOMPARE(Fields(dialog), (QStringList{"平成", "", "1989", "元", "1", "1", "8", "8"}));

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
    dialog.EraCombo()->setCurrentIndex(2);
    emit dialog.EraCombo()->activated(2);
    QCOMPARE(Fields(dialog), (QStringList{"昭和", "1872", "1956", "31", "5", "5", "1", "1"}));

    QTableWidget* table = dialog.Table();
    QCOMPARE(table->rowCount(), kTableLastYear - kTableFirstYear + 1);
    const int row1990 = 1990 - kTableFirstYear;
    Type(dialog.BirthYearEdit(), "1990");
    QVERIFY(colour(dialog.AgeLabel()) != refusal);
    // Ages from the birth year on: 0 in that year, none before it.
    QCOMPARE(table->item(row1990 - 1, 1)->text() + table->item(row1990 - 1, 3)->text() +
                 table->item(row1990, 3)->text(),
             QStringLiteral("昭和64年/平成元年0"));
    QCOMPARE(table->item(row1990 + 34, 2)->text() + table->item(row1990 + 34, 3)->text(),
             QStringLiteral("甲辰34"));
    dialog.OnCopyTable();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("西暦\t和暦\t干支\t年齢\n1873\t明治6年\t癸酉\t\n")));

    dialog.done(QDialog::Accepted);
#ifndef _WIN32
    QCOMPARE(Mode(folder), mode_t(0700));
    QCOMPARE(Mode(TosvelStatePath(folder)), mode_t(0600));
#endif
    CTosvelDlg again(CivilDate{2030, 1, 1}, folder, presenter);
    QCOMPARE(Fields(again), Fields(dialog));
    QVERIFY(presenter.m_aShown.empty());
}

// Mnemonics lead to the fields, no two alike; every input has a name; the table is one Tab stop
// that is entered at the current year.
void TosvelTest::everyControlIsReachedByTheKeyboard() {
    FakePresenter presenter;
    CTosvelDlg dialog(CivilDate{2024, 4, 1}, QString(), presenter);
    QCOMPARE(Mnemonics(dialog), QStringLiteral("Alt+B Alt+C Alt+S Alt+W Alt+X"));
    QList<QWidget*> buddies;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->buddy()) buddies << label->buddy();
    QCOMPARE(buddies,
             (QList<QWidget*>{dialog.SeirekiEdit(0), dialog.EraCombo(), dialog.BirthYearEdit()}));
    QStringList names;  // of every input, in the order they are made
    for (QWidget* input : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(input) || qobject_cast<QComboBox*>(input))
            names << input->accessibleName();
    }
    QCOMPARE(names.join(' '), QStringLiteral("元号 西暦の年 和暦の年 西暦の月 和暦の月 西暦の日 "
                                             "和暦の日 生まれ年(西暦)"));
    QCOMPARE(InputsWithoutNames(dialog), QStringList());  // as a screen reader hears them
    QCOMPARE(dialog.Table()->currentRow(), 2024 - kTableFirstYear);
    QVERIFY(dialog.Table()->item(2024 - kTableFirstYear, 0)->font().bold());  // shown as such
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_W, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), dialog.EraCombo());
    dialog.Table()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dialog.Table(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != dialog.Table());
    dialog.done(QDialog::Accepted);  // without a folder (no home) nothing is kept or reported
    QVERIFY(presenter.m_aShown.empty());
}

// What is found at the file's place (or the folder's): the fields shown and the message about a
// failed save. It is read through the whole-file reader, whose rules tests/platform checks.
void TosvelTest::onlyAUsableFileIsReadOrWritten() {
#ifdef _WIN32
    QSKIP("pipes and owners of Unix");
#else
    const QByteArray stored =
        "[Tosvel]\nseireki-year=19890108\nseireki-month=0123\nseireki-day=08\nbirth-year=1950x\n";
    const QStringList defaults{"令和", "", "2024", "6", "4", "4", "1", "1"};
    const struct {
        const char* name;
        QStringList shown;
        const char* message;  // part of the message after the save; "" for none
    } cases[] = {{"StoredValuesAreCut", {"平成", "1950", "1989", "元", "01", "1", "08", "8"}, ""},
                 {"Fifo", defaults, "入力した内容を保存できませんでした。\n"},
                 {"FolderOfAnotherUser", defaults, ""}};
    for (const auto& c : cases) {
        const QTemporaryDir folder;
        const QString file = TosvelStatePath(folder.path());
        const std::string_view name = c.name;
        if (name == "FolderOfAnotherUser" && !IsPrivileged()) continue;
        QVERIFY(name == "Fifo" ? mkfifo(QFile::encodeName(file), 0600) == 0
                               : WriteBytes(file, stored));
        if (name == "FolderOfAnotherUser")
            QCOMPARE(chown(QFile::encodeName(folder.path()), kNobody, kNobody), 0);
        FakePresenter presenter;
        CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder.path(), presenter);
        QVERIFY2(Fields(dialog) == c.shown, c.name);
        dialog.done(QDialog::Accepted);
        const std::string shown = presenter.m_aShown.empty() ? "" : presenter.m_aShown[0].text;
        QVERIFY2(*c.message ? shown.find(c.message) != std::string::npos : shown.empty(), c.name);
        if (name == "FolderOfAnotherUser") QCOMPARE(ReadBytes(file), stored);
    }
#endif
}

QTEST_MAIN(TosvelTest)
#include "TosvelTest.moc"
