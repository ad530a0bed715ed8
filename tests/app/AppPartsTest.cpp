#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/AboutDlg.h"
#include "app/DesktopStart.h"
#include "app/DialogUnits.h"
#include "app/DigitsEdit.h"
#include "app/MessageBox.h"
#include "app/QtServices.h"
#include "app/StaticEx.h"
#include "platform/Version.h"

class AppPartsTest : public QObject {
    Q_OBJECT

  private slots:
    void dialogUnitsConvertLikeWindows();
    void linkLabel();
    void aboutDialog();
    void messageBoxes();
    void digitsValidator();
    void fileAndPrintDialogs();
    void desktopStart();  // last: it installs the Japanese texts
};

void AppPartsTest::dialogUnitsConvertLikeWindows() {
    // Rounding half away from zero (1.25, 3.5, -3.5), beyond 32 bits inside.
    QCOMPARE(QList<int>({MulDivRounded(1, 5, 4), MulDivRounded(2, 7, 4), MulDivRounded(-2, 7, 4),
                         MulDivRounded(1000000, 3000, 8)}),
             QList<int>({1, 4, -4, 375000000}));
    // The base width is the 52 letters' average, rounded: 6.48, 6.5.
    QCOMPARE(BaseUnitsFromMetrics(337, 13), (DialogBaseUnits{6, 13}));
    QCOMPARE(BaseUnitsFromMetrics(338, 13), (DialogBaseUnits{7, 13}));
    // x * 7 / 4 and y * 13 / 8, each rounded.
    QCOMPARE(DluRect(DialogBaseUnits{7, 13}, 219, 56, 1, 1), QRect(383, 91, 2, 2));
    QCOMPARE(DluSize(DialogBaseUnits{7, 13}, 422, 372), QSize(739, 605));
}

void AppPartsTest::linkLabel() {
    QWidget window;
    window.setFont(MainDialogFont());
    CStaticEx link(&window);
    link.setText(QStringLiteral("someone@example.org"));  // no URL: a mail address
    link.resize(200, 20);
    std::vector<QUrl> opened;
    link.SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    QTest::mouseClick(&link, Qt::LeftButton);
    QVERIFY(opened.empty());  // not yet a link

    link.SetLink(true);
    QVERIFY(link.font().underline() && link.font().family() == window.font().family());
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(link.autoFillBackground());  // in the colour of a button
    QCOMPARE(link.palette().color(QPalette::Window), window.palette().color(QPalette::Button));
    QTest::mouseClick(&link, Qt::RightButton);
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(opened, std::vector<QUrl>{QUrl(QStringLiteral("mailto:someone@example.org"))});
    // From the keyboard, and as a screen reader presses it.
    for (const auto& [key, count] :
         {std::pair{Qt::Key_Return, 2}, {Qt::Key_Space, 3}, {Qt::Key_A, 3}}) {
        QTest::keyClick(&link, key);
        QCOMPARE(int(opened.size()), count);
    }
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&link);
    QCOMPARE(node->role(), QAccessible::Link);
    QCOMPARE(node->text(QAccessible::Name), QStringLiteral("someone@example.org"));
    node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(opened.size(), std::size_t{4});
    // A URL is opened as it stands; a drive letter is no scheme.
    QCOMPARE(CStaticEx::LinkTarget("http://a.example/"), QUrl("http://a.example/"));
    QCOMPARE(CStaticEx::LinkTarget("C:\\Tools"), QUrl("mailto:C:\\Tools"));
}

void AppPartsTest::aboutDialog() {
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Vesmerのﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.findChild<QLabel*>("version")->text(), QStringLiteral("Vesmer Version 4.00"));
    QVERIFY(!about.findChild<QLabel*>("icon")->pixmap().isNull());
    QCOMPARE(about.minimumSize(), about.maximumSize());
    auto* ok = about.findChild<QPushButton*>("ok");
    QVERIFY(ok->isDefault() && ok->text() == QStringLiteral("OK"));
    // Enter and Esc close it as OK does.
    QSignalSpy finished(&about, &QDialog::finished);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, key);
        QVERIFY(!about.isVisible());
    }
    QCOMPARE(finished.count(), 2);
}

// Line feeds for the box's text; a question's answer is the button pressed.
void AppPartsTest::messageBoxes() {
    QCOMPARE(MessageBoxText("a\r\n\r\nb\rc\nd"), QStringLiteral("a\n\nb\nc\nd"));
    CMessageBoxPresenter presenter;
    const auto answer = [&presenter](const QString& button) {
        QTimer::singleShot(0, [button] {
            QWidget* box = QApplication::activeModalWidget();
            for (QPushButton* b : box ? box->findChildren<QPushButton*>() : QList<QPushButton*>{})
                if (b->text() == button) b->click();
        });
        return presenter.Show("?", "Vesmer", MessageButtons::YesNo, MessageIcon::Question);
    };
    QCOMPARE(QList<MessageAnswer>({answer("はい(&Y)"), answer("いいえ(&N)")}),
             QList<MessageAnswer>({MessageAnswer::Yes, MessageAnswer::No}));
}

void AppPartsTest::digitsValidator() {
    const struct {
        bool allowGan;
        const char* typed;
        const char* kept;  // nullptr: refused
    } cases[] = {{false, "０１２３４５６７８９", "0123456789"},
                 {false, "1２a", nullptr},
                 {false, "", ""},
                 {false, "元", nullptr},
                 {true, "元", "元"},
                 {true, "元1", nullptr}};
    for (const auto& c : cases) {
        const CDigitsValidator validator(c.allowGan);
        QString text = QString::fromUtf8(c.typed);
        int position = 0;
        const bool taken = validator.validate(text, position) == QValidator::Acceptable;
        QCOMPARE(taken, c.kept != nullptr);
        if (taken) QCOMPARE(text, QString::fromUtf8(c.kept));
    }
    QLineEdit eraYear;
    UseDigitsInput(eraYear, true);
    QCOMPARE(eraYear.inputMethodHints(), Qt::ImhPreferNumbers);
}

// The prompts are closed as soon as they are up, whatever they hold, so that nothing waits for a
// person: the save prompt gives the chosen file type its suffix, and the print dialog offers the
// name and folder a PDF is saved under.
void AppPartsTest::fileAndPrintDialogs() {
    QTemporaryDir folder;
    QString name;
    const auto close = [&name](int fileType, const char* nameEdit) {
        QTimer::singleShot(0, [&name, fileType, nameEdit] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* types = modal ? modal->findChild<QComboBox*>("fileTypeCombo") : nullptr) {
                types->setCurrentIndex(fileType);
                emit types->activated(fileType);
            }
            if (auto* edit = modal ? modal->findChild<QLineEdit*>(nameEdit) : nullptr)
                name = edit->text();
            if (modal) QMetaObject::invokeMethod(modal, fileType ? "accept" : "reject");
        });
    };
    close(2, "fileNameEdit");
    QString path;
    std::size_t type = 0;
    QVERIFY(CFileDialogSavePrompt().AskSavePath(ExportPromptSettings(folder.path()), path, type));
    QCOMPARE(name, QStringLiteral("MyHistory.csv"));
    QCOMPARE(path, folder.filePath(name));
    QCOMPARE(type, std::size_t{2});
    close(0, "fileNameEdit");  // cancelled
    QVERIFY(!CFileDialogSavePrompt().AskSavePath(ExportPromptSettings(folder.path()), path, type));
    close(0, "filename");
    QCOMPARE(CPrintDialogResumePrinter(folder.path()).Print({}, ResumeCalendar::Wareki, nullptr),
             PrintOutcome::Cancelled);
    QCOMPARE(name, folder.filePath(QStringLiteral("履歴書の学歴欄.pdf")));
}

void AppPartsTest::desktopStart() {
    // A window needs a display, or a platform named outright; an empty variable names none.
    for (const char* set : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "", "EMPTY"}) {
        const bool shown = DisplayAvailable([set](const char* name) -> const char* {
            if (std::string_view(set) == "EMPTY") return "";
            return std::string_view(name) == set ? ":0" : nullptr;
        });
        QCOMPARE(shown, *set && std::string_view(set) != "EMPTY");
    }
    const char* help[] = {"vesmer", "-style", "fusion", "--help"};
    const char* version[] = {"vesmer", "-v"};
    const char* window[] = {"vesmer", "-style", "fusion"};
    QCOMPARE(TerminalAnswer(4, help, "vesmer", "usage\n"), std::optional<std::string>("usage\n"));
    QCOMPARE(TerminalAnswer(2, version, "vesmer", "usage\n"),
             std::optional<std::string>(std::string("vesmer ") + kVersionText + "\n"));
    QCOMPARE(TerminalAnswer(3, window, "vesmer", "usage\n"), std::nullopt);

    QVERIFY(InstallQtJapanese(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    QCOMPARE(QLocale().language(), QLocale::Japanese);
}

QTEST_MAIN(AppPartsTest)
#include "AppPartsTest.moc"
