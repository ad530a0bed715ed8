#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/QtServices.h"
#include "app/ResumeCopy.h"
#include "app/VesmerDlg.h"
#include "cli/CliRunner.h"
#include "settings/SettingsLocation.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr CivilDate kToday{2024, 4, 1};

class FakeClipboard : public IClipboard {
  public:
    void SetText(const QString& text) override { m_aTexts << text; }
    QStringList m_aTexts;
};

QByteArray CliBytes(QStringList arguments) {
    QByteArray out;
    QByteArray err;
    RunCli(QStringList{"--year", "2003", "--today", "2024-04-01"} + arguments, kToday, out, err);
    return out;
}

}  // namespace

class ResumeCopyTest : public QObject {
    Q_OBJECT

  private slots:
    void copyAndCsvExportFollowTheShownHistory();
    void promptGivesTheChosenFileTypeItsSuffix();
};

void ResumeCopyTest::copyAndCsvExportFollowTheShownHistory() {
    QTemporaryDir folder;
    FakePresenter presenter;
    FakeSavePrompt prompt(folder.filePath(QStringLiteral("rows.csv")));
    FakeFileOpener opener;
    FakeProcessStarter starter;
    FakeClipboard clipboard;
    CSettingsLocation location(folder.path(), folder.path());
    CVesmerDlg dialog(VesmerDlgServices{presenter, location, prompt, opener, starter,
                                        [] { return kToday; }, folder.path(), folder.path(),
                                        &clipboard});
    auto control = [&](Control id) { return dialog.findChild<QWidget*>(ControlName(id)); };
    auto click = [&](Control id) { static_cast<QPushButton*>(control(id))->click(); };
    auto enabled = [&](Control id) { return control(id)->isEnabled(); };
    auto calculate = [&](Control id, const char* text) {
        static_cast<QLineEdit*>(control(id))->setText(text);
        click(Control::Calculate);
    };
    QVERIFY(!enabled(Control::CopyResumeWareki) && !enabled(Control::CopyResumeSeireki));

    calculate(Control::BirthYear, "2003");
    QVERIFY(enabled(Control::CopyResumeWareki) && enabled(Control::CopyResumeSeireki));
    click(Control::CopyResumeWareki);
    click(Control::CopyResumeSeireki);
    QCOMPARE(clipboard.m_aTexts,
             QStringList({CliBytes({"--resume", "wareki"}), CliBytes({"--resume", "seireki"})}));
    prompt.m_nFileType = 2;
    click(Control::Export);
    QCOMPARE(ReadBytes(prompt.m_strPath), CliBytes({"--resume", "seireki", "--csv"}));

    // Nobody born this year has a row before today: said, and the clipboard is left alone.
    calculate(Control::BirthYear, "2024");
    click(Control::CopyResumeWareki);
    QCOMPARE(clipboard.m_aTexts.size(), qsizetype{2});
    QCOMPARE(presenter.m_aShown.back().text, std::string(kMsgNoResumeRows));

    calculate(Control::BirthMonth, "13");  // refused
    QVERIFY(!enabled(Control::CopyResumeWareki) && !enabled(Control::CopyResumeSeireki));
}

void ResumeCopyTest::promptGivesTheChosenFileTypeItsSuffix() {
    QTemporaryDir folder;
    QString name;
    // The prompt is always closed, whatever it holds, so that nothing waits for a person.
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* types = modal ? modal->findChild<QComboBox*>("fileTypeCombo") : nullptr) {
            types->setCurrentIndex(2);
            emit types->activated(2);
            name = modal->findChild<QLineEdit*>("fileNameEdit")->text();
        }
        if (modal) QMetaObject::invokeMethod(modal, "accept");
    });
    QString path;
    std::size_t type = 0;
    QVERIFY(CFileDialogSavePrompt().AskSavePath(ExportPromptSettings(folder.path()), path, type));
    QCOMPARE(name, QStringLiteral("MyHistory.csv"));
    QCOMPARE(path, folder.filePath(name));
    QCOMPARE(type, std::size_t{2});
}

QTEST_MAIN(ResumeCopyTest)
#include "ResumeCopyTest.moc"
