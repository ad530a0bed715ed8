#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "engine/HistoryData.h"
#include "input/EventInputs.h"
#include "platform/WholeFile.h"
#include "settings/ResumeFile.h"
#include "settings/SettingsLocation.h"
#include "tests/support/TestFiles.h"

namespace {

using IK = EventInputKind;

struct ResumeStoreFixture {
    QString Path() const { return QDir(m_location.Folder()).filePath(kResumeFileName); }

    QTemporaryDir m_dir;
    CSettingsLocation m_location = CSettingsLocation::InFolder(m_dir.filePath("config/Vesmer"));
    CResumeStore m_store{m_location};
};

// Every kind of input written in the schema's order and read back; a line break typed into a
// name becomes a blank, since the file holds one line per input.
TEST(ResumeFile, RoundTripInANewPrivateFile) {
    ResumeStoreFixture f;
    ResumeInputs inputs;
    EXPECT_EQ(f.m_store.Load().state, ResumeFileState::Missing);
    EXPECT_EQ(f.m_store.Save(inputs), ResumeFileSave::Written);  // the defaults: nothing to write
    EXPECT_FALSE(QFile::exists(f.Path()));
    inputs.m_nCalendar = 1;
    inputs.m_nStart = 2;
    inputs.m_bHeading = 0;
    inputs.m_aSchoolNames[STAGE_UNIVERSITY - 1] = "東都大学";
    inputs.m_aDepartments[STAGE_UNIVERSITY - 1] = "経済学部\n経済学科";
    inputs.m_strLeavingMonth = "１２";
    inputs.m_aEvents = {{IK::LeaveOfAbsence, STAGE_UNIVERSITY, "2000-04", "2001年4月", "", ""},
                        {IK::TransferIn, STAGE_HIGH_SCHOOL, "1997-09", "", "東都\n第二", ""}};
    ASSERT_EQ(f.m_store.Save(inputs), ResumeFileSave::Written);
    const QByteArray bytes = ReadBytes(f.Path());
    EXPECT_TRUE(
        bytes.startsWith("[VesmerResume]\nresumeCalendar=西暦\nresumeStart=小学校入学から\n"
                         "resumeHeading=0\nschoolElementary=\n"));
    EXPECT_TRUE(bytes.endsWith(
        "\nleavingMonth=１２\nresumeClosing=0\nresumeSkip=早期卒業\nevent1.kind=休学\n"
        "event1.stage=大学\nevent1.from=2000-04\nevent1.to=2001年4月\nevent2.kind=転入学\n"
        "event2.from=1997-09\nevent2.place=東都 第二\nevent2.department=\n"));
    EXPECT_EQ(Mode(f.Path()), 0600u);
    EXPECT_EQ(Mode(f.m_location.Folder()), 0700u);
    inputs.m_aDepartments[STAGE_UNIVERSITY - 1] = "経済学部 経済学科";
    inputs.m_aEvents[1].place = "東都 第二";
    const ResumeFileLoad read = CResumeStore(f.m_location).Load();
    EXPECT_EQ(read.state, ResumeFileState::Read);
    EXPECT_EQ(read.inputs, inputs);
    CSettingsLocation nowhere = CSettingsLocation::InFolder({});
    EXPECT_EQ(CResumeStore(nowhere).Save(inputs), ResumeFileSave::NoFolder);

    // Written by hand: a byte-order mark, CR LF, indices, blanks around keys, a key before any
    // section, other sections, unknown keys, the first of two keys, a list value that fits
    // nothing, a name too long for a row, which is kept as it is for the window to refuse, and
    // rows numbered out of order.
    const auto parsed = ParseResumeFile(
        "\xEF\xBB\xBFschoolDoctor=Z\r\n[Other]\r\nschoolUniversity=X\r\n[VesmerResume]\r\n "
        "resumeStart = 1\r\n"
        "resumeCalendar=太陽暦\r\nschoolUniversity= 東都大学 \r\nschoolUniversity=Y\r\nzzz=1\r\n"
        "event2.kind=休学\r\nevent2.from=1999-04\r\nevent2.from=2000-04\r\nevent1.kind=高卒認定\r\n"
        "schoolMaster=" +
        QByteArray(61, 'M') + "\n");
    ASSERT_TRUE(parsed);
    ResumeInputs expected;
    expected.m_nStart = 1;
    expected.m_aSchoolNames[STAGE_UNIVERSITY - 1] = " 東都大学 ";
    expected.m_aSchoolNames[STAGE_MASTER - 1] = std::string(61, 'M');
    expected.m_aEvents = {{IK::Equivalency, STAGE_HIGH_SCHOOL, "", "", "", ""},
                          {IK::LeaveOfAbsence, 0, "1999-04", "", "", ""}};
    EXPECT_EQ(*parsed, expected);
}

// A file of the version before the rows of 「休学・留学など」 and the closing and skip choices
// gives its choices as before, with none of those, and is left as it is while they stay so.
// Choices too large for a file that could be read back are not written over it.
TEST(ResumeFile, EarlierFilesLoadAndStayAsTheyAre) {
    ResumeStoreFixture f;
    const QByteArray earlier =
        "[VesmerResume]\nresumeCalendar=和暦\nresumeStart=高校入学から\nresumeHeading=1\n"
        "schoolElementary=\ndepartmentElementary=\nschoolUniversity=東都大学\nleavingMonth=\n";
    ASSERT_TRUE(QDir().mkpath(f.m_location.Folder()) && WriteBytes(f.Path(), earlier));
    ResumeInputs expected;
    expected.m_nStart = 1;
    expected.m_aSchoolNames[STAGE_UNIVERSITY - 1] = "東都大学";
    EXPECT_EQ(f.m_store.Load().inputs, expected);
    EXPECT_EQ(f.m_store.Save(expected), ResumeFileSave::Written);
    expected.m_aEvents.push_back(
        {IK::Exchange, STAGE_UNIVERSITY, "", "", std::string(kMaxResumeFileBytes, 'x'), ""});
    EXPECT_EQ(f.m_store.Save(expected), ResumeFileSave::Failed);
    EXPECT_EQ(ReadBytes(f.Path()), earlier);
}

#ifndef _WIN32

// A file that cannot be read is reported and kept unless the caller says it may be replaced.
// What the whole-file reader refuses (a pipe here) is never replaced.
TEST(ResumeFile, UnreadableFileIsKeptUnlessItMayBeReplaced) {
    ResumeInputs inputs;
    inputs.m_nCalendar = 1;
    for (const bool pipe : {false, true}) {
        SCOPED_TRACE(pipe ? "Fifo" : "NoUtf8");
        ResumeStoreFixture f;
        const QByteArray noUtf8 = "[VesmerResume]\nschoolUniversity=\x93\x8c\n";
        ASSERT_TRUE(QDir().mkpath(f.m_location.Folder()));
        ASSERT_TRUE(pipe ? mkfifo(QFile::encodeName(f.Path()).constData(), 0600) == 0
                         : WriteBytes(f.Path(), noUtf8));
        const ResumeFileLoad load = f.m_store.Load();
        EXPECT_EQ(std::tie(load.state, load.path),
                  std::tuple(ResumeFileState::Unreadable, f.Path()));
        EXPECT_EQ(f.m_store.Save(inputs), ResumeFileSave::Unreadable);
        // Read as the store reads: a pipe gives nothing and is not waited on.
        EXPECT_EQ(ReadWholeFile(f.Path(), kMaxResumeFileBytes).bytes, pipe ? QByteArray() : noUtf8);
        EXPECT_EQ(f.m_store.Save(inputs, true),
                  pipe ? ResumeFileSave::Failed : ResumeFileSave::Written);
        EXPECT_EQ(ReadWholeFile(f.Path(), kMaxResumeFileBytes).bytes,
                  pipe ? QByteArray() : ResumeFileBytes(inputs));
    }
}

#endif

}  // namespace
