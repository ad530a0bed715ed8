#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "cli/CliRunner.h"
#include "tests/export/FileTestSupport.h"
#include "tests/support/TestFiles.h"

#ifndef _WIN32

namespace {

// What is made in the test's folder before the command line runs.
enum class Prep { None, ReadOnlyFile, PlainFile, PlantedLink, FullDisk };

struct ExitCase {
    const char* name;
    QStringList arguments;  // %1 is the test's folder
    int status;
    const char* named;  // what the one line on standard error names
    Prep prep = Prep::None;
};

const ExitCase kCases[] = {
    {"SaveOverReadOnlyFile", {"--save", "%1"}, kExitOutputFailed, "Vesmer.ini", Prep::ReadOnlyFile},
    {"SaveIntoAFile",
     {"--save", "%1/plain"},
     kExitOutputFailed,
     "plain/Vesmer.ini",
     Prep::PlainFile},
    {"SaveIntoAFolderThatCannotBeMade",
     {"--save", "/proc/vesmer/x"},
     kExitOutputFailed,
     "/proc/vesmer/x/Vesmer.ini"},
    {"SaveThroughAPlantedLink",
     {"--save", "%1/shared"},
     kExitOutputFailed,
     "shared/VesmerDlg.ini",
     Prep::PlantedLink},
    {"SaveOnAFullDisk", {"--save", "%1"}, kExitOutputFailed, "Vesmer.ini", Prep::FullDisk},
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
    if (c.prep == Prep::ReadOnlyFile) {
        WriteBytes(root + "/Vesmer.ini", "");
        QFile::setPermissions(root + "/Vesmer.ini", QFile::ReadOwner);
    }
    if (c.prep == Prep::PlainFile) WriteBytes(root + "/plain", "");
    if (c.prep == Prep::PlantedLink) {
        QDir().mkpath(root + "/shared");
        QFile::link(root + "/victim", root + "/shared/VesmerDlg.ini");
        chmod(QFile::encodeName(root + "/shared").constData(), 01777);
    }
    QStringList arguments;
    for (const QString& argument : c.arguments) arguments << QString(argument).replace("%1", root);
    std::optional<FileSizeLimit> limit;
    if (c.prep == Prep::FullDisk) limit.emplace(64);
    QByteArray out, err;
    const int status = RunCli(arguments, CivilDate{2024, 6, 1}, out, err);
    limit.reset();
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
