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
    RunCli(arguments << "--today"
                     << "2024-04-01",
           kToday, out, err);
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
    QVERIFY(!control(Control::CopyResumeWareki)->isEnabled() &&
            !control(Control::CopyResumeSeireki)->isEnabled());

    static_cast<QLineEdit*>(control(Control::BirthYear))->setText(QStringLiteral("2003"));
    click(Control::Calculate);
    QVERIFY(control(Control::CopyResumeWareki)->isEnabled() &&
            control(Control::CopyResumeSeireki)->isEnabled());
    click(Control::CopyResumeWareki);
    click(Control::CopyResumeSeireki);
    QVERIFY(clipboard.m_aTexts.value(0).endsWith(QStringLiteral("大学　卒業見込み\n")));
    QCOMPARE(clipboard.m_aTexts,
             QStringList({CliBytes({"--year", "2003", "--resume", "wareki"}),
                          CliBytes({"--year", "2003", "--resume", "seireki"})}));
    prompt.m_nFileType = 2;
    click(Control::Export);
    QCOMPARE(ReadBytes(prompt.m_strPath),
             CliBytes({"--year", "2003", "--resume", "seireki", "--csv"}));

    // Nobody born this year has a row before today: said, and the clipboard is left alone.
    static_cast<QLineEdit*>(control(Control::BirthYear))->setText(QStringLiteral("2024"));
    click(Control::Calculate);
    click(Control::CopyResumeWareki);
    QCOMPARE(clipboard.m_aTexts.size(), qsizetype{2});
    QCOMPARE(presenter.m_aShown.back().text, std::string(kMsgNoResumeRows));

    static_cast<QLineEdit*>(control(Control::BirthMonth))
        ->setText(QStringLiteral("13"));  // refused
    click(Control::Calculate);
    QVERIFY(!control(Control::CopyResumeWareki)->isEnabled() &&
            !control(Control::CopyResumeSeireki)->isEnabled());
}

void ResumeCopyTest::promptGivesTheChosenFileTypeItsSuffix() {
    QTemporaryDir folder;
    const SavePromptSettings settings = ExportPromptSettings(folder.path());
    QString name;
    // The prompt is always closed, whatever it holds, so that nothing waits for a person.
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* types =
            modal ? modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
        auto* edit = modal ? modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (types && edit) {
            types->setCurrentIndex(2);
            emit types->activated(2);
            name = edit->text();
        }
        if (modal) QMetaObject::invokeMethod(modal, "accept");
    });
    CFileDialogSavePrompt prompt;
    QString path;
    std::size_t type = 0;
    QVERIFY(prompt.AskSavePath(settings, path, type));
    QCOMPARE(name, QStringLiteral("MyHistory.csv"));
    QCOMPARE(path, folder.filePath(QStringLiteral("MyHistory.csv")));
    QCOMPARE(type, std::size_t{2});
}

QTEST_MAIN(ResumeCopyTest)
#include "ResumeCopyTest.moc"
