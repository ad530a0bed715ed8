#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "engine/Wareki.h"
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
    void inputsComeBackAfterARestart();
};

void TosvelTest::commandLine() {
    const struct {
        QStringList arguments;
        int status;
        const char* text;  // in the output on success, else in the error output
    } cases[] = {{{"--to-wareki", "1989-01-08"}, kTosvelExitOk, "平成元年1月8日\n"},
                 {{"--to-seireki", "平成元年1月8日"}, kTosvelExitOk, "1989-01-08\n"},
                 {{"--to-seireki", "昭和64年1月8日"}, kTosvelExitRefused, "昭和は64年1月7日"},
                 {{"--to-wareki", "1989/01/08"}, kTosvelExitUsage, "1989-01-08 の形"},
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
    CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder.path());
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
    dialog.EraCombo()->setCurrentIndex(4);
    emit dialog.EraCombo()->activated(4);
    QCOMPARE(Fields(dialog), (QStringList{"令和", "", "2049", "31", "5", "5", "1", "1"}));

    QTableWidget* table = dialog.Table();
    QCOMPARE(table->rowCount(), kTableLastYear - kTableFirstYear + 1);
    const int row1990 = 1990 - kTableFirstYear;
    Type(dialog.BirthYearEdit(), "1990");
    QCOMPARE(table->item(row1990 - 1, 1)->text() + table->item(row1990 - 1, 3)->text(),
             QStringLiteral("昭和64年/平成元年"));
    QCOMPARE(table->item(row1990 + 34, 2)->text() + table->item(row1990 + 34, 3)->text(),
             QStringLiteral("甲辰34"));
    dialog.OnCopyTable();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("西暦\t和暦\t干支\t年齢\n1873\t明治6年\t癸酉\t\n")));
}

void TosvelTest::inputsComeBackAfterARestart() {
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tosvel"));
    QStringList typed;
    {
        CTosvelDlg dialog(CivilDate{2024, 4, 1}, folder);
        dialog.EraCombo()->setCurrentIndex(2);
        emit dialog.EraCombo()->activated(2);
        Type(dialog.WarekiEdit(0), "元");
        Type(dialog.BirthYearEdit(), "1950");
        typed = Fields(dialog);
        dialog.done(QDialog::Accepted);
    }
    QCOMPARE(QFileInfo(folder).permissions() & 0x7077,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);  // made private
    CTosvelDlg again(CivilDate{2030, 1, 1}, folder);
    QCOMPARE(Fields(again), typed);
}

QTEST_MAIN(TosvelTest)
#include "TosvelTest.moc"
