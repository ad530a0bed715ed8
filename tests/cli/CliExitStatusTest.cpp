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

// Prepares what a command line needs in root and returns its options.
using Setup = QStringList (*)(const QString& root);

struct ExitCase {
    const char* name;
    Setup setup;
    int status;
    const char* named;  // what the one line on standard error names
    bool fullDisk = false;
};
void PrintTo(const ExitCase& c, std::ostream* os) {
    *os << c.name;
}

QStringList SaveInto(const QString& folder) {
    return {"--save", folder};
}

const ExitCase kCases[] = {
    {"SaveOverReadOnlyFile",
     [](const QString& root) {
         WriteBytes(root + "/Vesmer.ini", "");
         QFile::setPermissions(root + "/Vesmer.ini", QFile::ReadOwner);
         return SaveInto(root);
     },
     kExitOutputFailed, "Vesmer.ini"},
    {"SaveIntoAFile",
     [](const QString& root) {
         WriteBytes(root + "/plain", "");
         return SaveInto(root + "/plain");
     },
     kExitOutputFailed, "plain/Vesmer.ini"},
    {"SaveIntoAFolderThatCannotBeMade", [](const QString&) { return SaveInto("/proc/vesmer/x"); },
     kExitOutputFailed, "/proc/vesmer/x/Vesmer.ini"},
    {"SaveThroughAPlantedLink",
     [](const QString& root) {
         QDir().mkpath(root + "/shared");
         QFile::link(root + "/victim", root + "/shared/VesmerDlg.ini");
         QFile::setPermissions(root + "/shared", QFileDevice::Permissions(0x7777));
         return SaveInto(root + "/shared");
     },
     kExitOutputFailed, "shared/VesmerDlg.ini"},
    {"SaveOnAFullDisk", [](const QString& root) { return SaveInto(root); }, kExitOutputFailed,
     "Vesmer.ini", true},
    {"SaveWithoutFolder", [](const QString&) { return SaveInto(""); }, kExitUsage, "--save"},
    {"LoadWithoutFolder",
     [](const QString&) {
         return QStringList{"--load", ""};
     },
     kExitUsage, "--load"},
    {"LoadOfNoFolder",
     [](const QString& root) {
         return QStringList{"--load", root + "/none"};
     },
     kExitUsage, "/none"},
    {"TodayBefore1900",
     [](const QString&) {
         return QStringList{"--today", "1899-12-31"};
     },
     kExitUsage, "--today"},
    {"TodayIn1900",
     [](const QString&) {
         return QStringList{"--today", "1900-01-01"};
     },
     kExitOk, nullptr},
};

class CliExitStatus : public testing::TestWithParam<ExitCase> {};

TEST_P(CliExitStatus, SaysWhatFailedInOneLine) {
    const ExitCase& c = GetParam();
    QTemporaryDir dir;
    const QStringList arguments = c.setup(dir.path());
    std::optional<FileSizeLimit> limit;
    if (c.fullDisk) limit.emplace(64);
    QByteArray out;
    QByteArray err;
    const int status = RunCli(arguments, CivilDate{2024, 6, 1}, out, err);
    limit.reset();
    EXPECT_EQ(status, c.status) << err.constData();
    if (c.named) {
        EXPECT_EQ(err.count('\n'), 1) << err.constData();
        EXPECT_TRUE(err.contains(c.named)) << err.constData();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("victim")));
    QFile::setPermissions(dir.filePath("shared"), QFileDevice::Permissions(0x7700));
}

INSTANTIATE_TEST_SUITE_P(Cases, CliExitStatus, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ExitCase>& test) {
                             return std::string(test.param.name);
                         });

}  // namespace

#endif
