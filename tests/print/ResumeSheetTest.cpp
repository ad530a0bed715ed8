#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "print/ResumeSheet.h"

namespace {

// A heading and count - 1 rows, each naming its number.
std::vector<ResumeRow> Rows(int count) {
    std::vector<ResumeRow> rows{{0, {}, 0, {}, "学歴", true}};
    for (int i = 1; i < count; ++i)
        rows.push_back({1990 + i, "平成", 1 + i, 4, "東都第" + std::to_string(i) + "学校　入学"});
    return rows;
}

// What a poppler tool prints for the file.
QString Tool(const char* program, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(program), arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return QStringLiteral("failed");
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Twenty rows to a page under the header; the text of the PDF holds the cells (its extraction
// gives the full-width blank as a space).
TEST(ResumeSheet, PdfHoldsTheRowsTwentyToAPage) {
    QTemporaryDir folder;
    const QString path = folder.filePath("学歴欄.pdf");
    const struct {
        int rows;
        int pages;
    } cases[] = {{0, 1}, {2, 1}, {20, 1}, {21, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        ASSERT_TRUE(WriteResumePdf(path, Rows(c.rows), ResumeCalendar::Wareki));
        const QString info = Tool("pdfinfo", {path});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages))))
            << info.toStdString();
        EXPECT_EQ(ResumeSheetPageCount(static_cast<std::size_t>(c.rows)), c.pages);
    }
    const QString text = Tool("pdftotext", {"-layout", path, "-"});
    for (const char* cell : {"学歴・職歴", "平成2", "東都第1学校", "東都第20学校"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(cell))) << cell;
    EXPECT_EQ(text.count(QStringLiteral("学歴・職歴")), 2);  // the header on both pages
    ASSERT_TRUE(WriteResumePdf(path, Rows(2), ResumeCalendar::Seireki));
    EXPECT_TRUE(Tool("pdftotext", {path, "-"}).contains(QStringLiteral("1991")));
    EXPECT_FALSE(
        WriteResumePdf(folder.filePath("missing/学歴欄.pdf"), Rows(2), ResumeCalendar::Wareki));
}

}  // namespace

int main(int argc, char** argv) {
    // The sheet needs fonts, never a display (the test list is also read without one).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
