#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/CliRunner.h"
#include "tests/support/FileTestSupport.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32

namespace {

struct ExitCase {
    const char* name;
    QStringList arguments;  // %1 is the test's folder
    int status;
    const char* named;         // what the one line on standard error names
    bool plantedLink = false;  // in the folder "shared", which everyone may write
};

const ExitCase kCases[] = {
    {"SaveIntoAFolderThatCannotBeMade",
     {"--save", "/proc/vesmer/x"},
     kExitOutputFailed,
     "/proc/vesmer/x/Vesmer.ini"},
    {"SaveThroughAPlantedLink",
     {"--save", "%1/shared"},
     kExitOutputFailed,
     "shared/VesmerDlg.ini",
     true},
    {"SaveWithoutFolder", {"--save", ""}, kExitUsage, "--save"},
    {"LoadWithoutFolder", {"--load", ""}, kExitUsage, "--load"},
    {"LoadOfNoFolder", {"--load", "%1/none"}, kExitUsage, "/none"},
    {"TodayBefore1900", {"--today", "1899-12-31"}, kExitUsage, "--today"},
    {"TodayIn1900", {"--today", "1900-01-01"}, kExitOk, nullptr},
};

class CliExitStatus : public testing::TestWithParam<ExitCase> {};

TEST_P(CliExitStatus, SaysWhatFailedInOneLine) {
    const ExitCase& c = GetParam();
    QTemporaryDir dir;
    const QString root = dir.path();
    if (c.plantedLink) {
        QDir().mkpath(root + "/shared");
        QFile::link(root + "/victim", root + "/shared/VesmerDlg.ini");
        chmod(QFile::encodeName(root + "/shared").constData(), 01777);
    }
    QStringList arguments;
    for (const QString& argument : c.arguments) arguments << QString(argument).replace("%1", root);
    QByteArray out, err;
    const int status = RunCli(arguments, CivilDate{2024, 6, 1}, out, err);
    EXPECT_EQ(status, c.status) << err.constData();
    if (c.named) {
        EXPECT_EQ(err.count('\n'), 1) << err.constData();
        EXPECT_TRUE(err.contains(c.named)) << err.constData();
    }
    EXPECT_FALSE(QFile::exists(root + "/victim"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CliExitStatus, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ExitCase>& test) {
                             return std::string(test.param.name);
                         });

}  // namespace

#endif
