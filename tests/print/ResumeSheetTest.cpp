#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "print/ResumeSheet.h"

// A line as a failure shows it: its cells and where the last stands.
void PrintTo(const ResumeSheetLine& line, std::ostream* out) {
    *out << (line.cells[0] + "|" + line.cells[1] + "|" + line.cells[2]).toStdString() << " align "
         << line.align.toInt();
}

namespace {

// A heading and count - 1 rows, each naming its number.
std::vector<ResumeRow> Rows(int count) {
    std::vector<ResumeRow> rows{{0, {}, 0, {}, "学歴", true}};
    for (int i = 1; i < count; ++i)
        rows.push_back({1990 + i, "平成", 1 + i, 4, "東都第" + std::to_string(i) + "学校　入学"});
    return rows;
}

// Longer than the 学歴 column: a school, its graduate school and its course.
const std::string kLongText =
    "東都国際情報科学技術大学大学院　先端総合情報科学技術研究科　情報科学技術専攻"
    "知能情報システム学コース人間情報環境学分野　博士後期課程（社会人特別選抜・長期履修）"
    "　単位取得満期退学";

// A column of a page, its lines joined by separator.
QString Column(const ResumeSheetPage& page, std::size_t column, const QString& separator) {
    QStringList lines;
    for (const ResumeSheetLine& line : page) lines << line.cells[column];
    return lines.join(separator);
}

// The closing row 「以上」 of a block.
const ResumeRow kClosing{0, {}, 0, {}, "以上", false, false, true};

// Twenty ruled lines to a page; a long row (a year abroad, with its return) goes on over the lines
// after its first, with its year and month on the first only, and moves to the next page whole
// when the lines left are too few. The heading is centred, the closing row stands at the right.
TEST(ResumeSheet, RowsFillTheRuledLinesOfEachPage) {
    EXPECT_EQ(LayOutResumeSheet({}, ResumeCalendar::Wareki), std::vector<ResumeSheetPage>(1));
    std::vector<ResumeRow> rows = Rows(21);
    rows.push_back(kClosing);
    std::vector<ResumeSheetPage> pages = LayOutResumeSheet(rows, ResumeCalendar::Seireki);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0][0], (ResumeSheetLine{{"", "", "学歴"}, Qt::AlignHCenter}));
    EXPECT_EQ(pages[1], (ResumeSheetPage{{{"2010", "4", "東都第20学校　入学"}, Qt::AlignLeft},
                                         {{"", "", "以上"}, Qt::AlignRight}}));
    rows.resize(18);  // a heading and seventeen rows: two lines left for a row of three
    rows.push_back({2010, "平成", 22, 3, kLongText, false, false, false, {{2011, "平成", 23, 3}}});
    pages = LayOutResumeSheet(rows, ResumeCalendar::Wareki);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Column(pages[1], 2, {}), QString::fromStdString(kLongText + "（平成23年3月まで）"));
    EXPECT_EQ(Column(pages[1], 0, "|") + Column(pages[1], 1, "|"), QStringLiteral("平成22||3||"));
}

// What a poppler tool prints for the file.
QString Tool(const char* program, const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(program), arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return QStringLiteral("failed");
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF holds every character of the cells, each row once, the header on every page (its
// extraction gives the full-width blank as a space).
TEST(ResumeSheet, PdfHoldsEveryRowOnce) {
    QTemporaryDir folder;
    const QString path = folder.filePath("学歴欄.pdf");
    ASSERT_TRUE(WriteResumePdf(path, Rows(21), ResumeCalendar::Wareki));
    const QString info = Tool("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +2\n"))) << info.toStdString();
    const QString text = Tool("pdftotext", {path, "-"});
    EXPECT_EQ(text.count(QStringLiteral("学歴・職歴")), 2);
    EXPECT_EQ(text.count(QStringLiteral("東都第20学校")), 1);
    std::vector<ResumeRow> rows = Rows(2);
    rows.push_back({2010, "平成", 22, 3, kLongText});
    rows.push_back(kClosing);
    ASSERT_TRUE(WriteResumePdf(path, rows, ResumeCalendar::Seireki));
    const QString seireki = Tool("pdftotext", {path, "-"}).remove(QRegularExpression("\\s"));
    // The year stands in the middle of its column, under 年; 以上 ends where the block's text
    // ends, the padding before its right rule (A4 less the margin, in points).
    const QString boxes = Tool("pdftotext", {"-bbox", path, "-"});
    const auto edges = [&boxes](const QString& word) {
        const QRegularExpressionMatch box =
            QRegularExpression(
                QStringLiteral("xMin=\"([\\d.]+)\"[^>]*xMax=\"([\\d.]+)\"[^>]*>%1<").arg(word))
                .match(boxes);
        return std::pair{box.captured(1).toDouble(), box.captured(2).toDouble()};
    };
    const auto centre = [&edges](const QString& word) {
        return (edges(word).first + edges(word).second) / 2;
    };
    EXPECT_NEAR(centre("1991"), centre("年"), 0.5);
    constexpr double kPointsPerMm = 72 / 25.4;
    EXPECT_NEAR(edges("以上").second,
                (210 - kResumeSheetMarginMm - kResumeSheetPaddingMm) * kPointsPerMm, 1.0);
    EXPECT_TRUE(seireki.contains(QString::fromStdString(kLongText).remove(QChar(0x3000))))
        << seireki.toStdString();
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
