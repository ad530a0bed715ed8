#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "cli/CliRunner.h"

namespace {

// A high-school graduate counted to a day before the graduation month ends.
const QStringList kHighSchool = {"--final", "高校/高専", "--outcome",
                                 "卒業",    "--today",   "1998-03-01"};

QByteArray Resume(const QStringList& options, int expectedStatus = kExitOk) {
    QByteArray out;
    QByteArray err;
    EXPECT_EQ(RunCli(kHighSchool + options, {2026, 12, 6}, out, err), expectedStatus)
        << err.toStdString();
    return out;
}

TEST(CliResume, RowsAsTabSeparatedLinesCsvAndJson) {
    EXPECT_EQ(
        Resume({"--resume", "wareki"}).toStdString(),
        "昭和61\t4\t小学校　入学\n平成4\t3\t小学校　卒業\n平成4\t4\t中学校　入学\n"
        "平成7\t3\t中学校　卒業\n平成7\t4\t高等学校　入学\n平成10\t3\t高等学校　卒業見込み\n");
    EXPECT_EQ(Resume({"--resume", "和暦"}), Resume({"--resume", "wareki"}));
    const QByteArray csv = Resume({"--resume", "seireki", "--csv"});
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF年,月,学歴\r\n1986,4,小学校　入学\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\n1998,3,高等学校　卒業見込み\r\n"));

    const QJsonObject resume = QJsonDocument::fromJson(Resume({"--json"}))["resume"].toObject();
    EXPECT_EQ(resume["wareki"][5].toObject(),
              (QJsonObject{{"year", "平成10"}, {"month", "3"}, {"text", "高等学校　卒業見込み"}}));
    EXPECT_EQ(resume["seireki"][0]["year"].toString(), "1986");
    EXPECT_EQ(resume["seireki"].toArray().size(), 6);
}

TEST(CliResume, OptionsThatDoNotFitAreUsageErrors) {
    for (const QStringList& options :
         {QStringList{"--csv"}, QStringList{"--resume", "meiji"},
          QStringList{"--resume", "wareki", "--raw"}, QStringList{"--resume", "wareki", "--json"},
          QStringList{"--resume", "wareki", "--resume", "seireki"}})
        EXPECT_TRUE(Resume(options, kExitUsage).isEmpty()) << options.join(' ').toStdString();
    EXPECT_TRUE(Resume({"--help"}).contains("--resume <CALENDAR>"));
}

}  // namespace
