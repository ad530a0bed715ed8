#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "AboutDlg.h"
#include "DialogUnits.h"
#include "QtServices.h"
#include "StaticEx.h"

class AppPartsTest : public QObject {
    Q_OBJECT

  private slots:
    void mulDivRoundsHalfAwayFromZero_data();
    void mulDivRoundsHalfAwayFromZero();
    void baseUnitsAverageTheLetters_data();
    void baseUnitsAverageTheLetters();
    void dialogUnitsConvertEachValue();
    void linkTargets_data();
    void linkTargets();
    void linkClickOpensOnlyWhenSwitchedOn();
    void linkLooksLikeALink();
    void aboutDialogShowsItsLines();
    void aboutDialogClosesWithOkEnterAndEscape_data();
    void aboutDialogClosesWithOkEnterAndEscape();
    void messageTextsUseLineFeeds();
};

void AppPartsTest::mulDivRoundsHalfAwayFromZero_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 8 << 7 << 4 << 14;
    QTest::newRow("below half") << 1 << 5 << 4 << 1;  // 1.25
    QTest::newRow("half up") << 2 << 7 << 4 << 4;     // 3.5
    QTest::newRow("above half") << 3 << 7 << 4 << 5;  // 5.25
    QTest::newRow("negative half") << -2 << 7 << 4 << -4;
    QTest::newRow("zero") << 0 << 7 << 4 << 0;
    QTest::newRow("large") << 1000000 << 3000 << 8 << 375000000;
}

void AppPartsTest::mulDivRoundsHalfAwayFromZero() {
    QFETCH(int, value);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(int, expected);
    QCOMPARE(MulDivRounded(value, numerator, denominator), expected);
}

void AppPartsTest::baseUnitsAverageTheLetters_data() {
    QTest::addColumn<int>("runWidth");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("x");
    QTest::newRow("7 px letters") << 364 << 13 << 7;
    QTest::newRow("6.49 rounds down") << 337 << 13 << 6;
    QTest::newRow("6.5 rounds up") << 338 << 13 << 7;
    QTest::newRow("proportional font") << 312 << 12 << 6;
}

void AppPartsTest::baseUnitsAverageTheLetters() {
    QFETCH(int, runWidth);
    QFETCH(int, height);
    QFETCH(int, x);
    const DialogBaseUnits base = BaseUnitsFromMetrics(runWidth, height);
    QCOMPARE(base.x, x);
    QCOMPARE(base.y, height);
}

void AppPartsTest::dialogUnitsConvertEachValue() {
    const DialogBaseUnits base{7, 13};
    // x * 7 / 4 and y * 13 / 8, each rounded.
    QCOMPARE(DluRect(base, 219, 56, 195, 274), QRect(383, 91, 341, 445));
    QCOMPARE(DluSize(base, 422, 372), QSize(739, 605));
    QCOMPARE(DluRect(base, 0, 0, 1, 1), QRect(0, 0, 2, 2));
}

void AppPartsTest::linkTargets_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("target");
    QTest::newRow("web page") << "https://vesmer.example.org/"
                              << "https://vesmer.example.org/";
    QTest::newRow("plain http") << "http://example.org/a?b=c"
                                << "http://example.org/a?b=c";
    QTest::newRow("mailto kept") << "mailto:someone@example.org"
                                 << "mailto:someone@example.org";
    QTest::newRow("bare address") << "someone@example.org"
                                  << "mailto:someone@example.org";
    QTest::newRow("drive path") << "C:\\Tools"
                                << "mailto:C:\\Tools";
    QTest::newRow("no scheme") << "www.example.org"
                               << "mailto:www.example.org";
}

void AppPartsTest::linkTargets() {
    QFETCH(QString, text);
    QFETCH(QString, target);
    QCOMPARE(CStaticEx::LinkTarget(text), QUrl(target));
}

void AppPartsTest::linkClickOpensOnlyWhenSwitchedOn() {
    QWidget window;
    CStaticEx link(&window);
    link.setText(QStringLiteral("someone@example.org"));
    link.resize(200, 20);
    std::vector<QUrl> opened;
    link.SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });

    QTest::mouseClick(&link, Qt::LeftButton);
    QVERIFY(opened.empty());

    link.SetLink(true);
    QTest::mouseClick(&link, Qt::RightButton);
    QVERIFY(opened.empty());
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(opened, std::vector<QUrl>{QUrl(QStringLiteral("mailto:someone@example.org"))});
}

void AppPartsTest::linkLooksLikeALink() {
    QWidget window;
    window.setFont(MainDialogFont());
    CStaticEx link(&window);
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);  // whatever the switch
    link.SetLink(true);
    QVERIFY(link.font().underline());
    QCOMPARE(link.font().family(), window.font().family());
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(link.palette().color(QPalette::Window), window.palette().color(QPalette::Button));
    QVERIFY(link.autoFillBackground());
}

void AppPartsTest::aboutDialogShowsItsLines() {
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Vesmerのﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.findChild<QLabel*>("version")->text(), QStringLiteral("Vesmer Version 4.00"));
    QVERIFY(!about.findChild<QLabel*>("about")->text().isEmpty());
    QVERIFY(!about.findChild<QLabel*>("icon")->pixmap().isNull());
    const DialogBaseUnits base = BaseUnitsOf(about.font());
    QCOMPARE(about.minimumSize(), DluSize(base, 235, 55));
    QCOMPARE(about.maximumSize(), DluSize(base, 235, 55));
    auto* ok = about.findChild<QPushButton*>("1");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
}

void AppPartsTest::aboutDialogClosesWithOkEnterAndEscape_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("Esc") << 2;
}

void AppPartsTest::aboutDialogClosesWithOkEnterAndEscape() {
    QFETCH(int, way);
    // It holds no state: every opening behaves the same.
    for (int opening = 0; opening < 2; ++opening) {
        CAboutDlg about;
        QSignalSpy finished(&about, &QDialog::finished);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        if (way == 0) about.findChild<QPushButton*>("1")->click();
        if (way == 1) QTest::keyClick(&about, Qt::Key_Return);
        if (way == 2) QTest::keyClick(&about, Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!about.isVisible());
    }
}

void AppPartsTest::messageTextsUseLineFeeds() {
    QCOMPARE(MessageBoxText("a\r\n\r\nb"), QStringLiteral("a\n\nb"));
    QCOMPARE(MessageBoxText("/opt/x/Tosvel\r\nが見つかりませんでした"),
             QStringLiteral("/opt/x/Tosvel\nが見つかりませんでした"));
    QCOMPARE(MessageBoxText("a\rb\nc"), QStringLiteral("a\nb\nc"));
}

QTEST_MAIN(AppPartsTest)
#include "AppPartsTest.moc"
