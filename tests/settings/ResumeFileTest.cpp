#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "engine/HistoryData.h"
#include "settings/ResumeFile.h"
#include "settings/SettingsLocation.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"

namespace {

struct ResumeStoreFixture {
    QString Path() const { return QDir(m_location.Folder()).filePath(kResumeFileName); }

    QTemporaryDir m_dir;
    CSettingsLocation m_location = CSettingsLocation::InFolder(m_dir.filePath("config/Vesmer"));
    FakePresenter m_presenter;
    CResumeStore m_store{m_location, m_presenter, "Vesmer"};
};

// Every kind of input written in the schema's order and read back; a line break typed into a
// name becomes a blank, since the file holds one line per input.
TEST(ResumeFile, RoundTripInANewPrivateFile) {
    ResumeStoreFixture f;
    ResumeInputs inputs;
    std::string problem;
    EXPECT_EQ(f.m_store.Load(problem), inputs);
    EXPECT_TRUE(problem.empty());
    EXPECT_TRUE(f.m_store.Save(inputs));  // the defaults: nothing to write
    EXPECT_FALSE(QFile::exists(f.Path()));
    inputs.m_nCalendar = 1;
    inputs.m_nStart = 2;
    inputs.m_bHeading = 0;
    inputs.m_aSchoolNames[STAGE_UNIVERSITY - 1] = "東都大学";
    inputs.m_aDepartments[STAGE_UNIVERSITY - 1] = "経済学部\n経済学科";
    inputs.m_strLeavingMonth = "１２";
    ASSERT_TRUE(f.m_store.Save(inputs));
    const QByteArray bytes = ReadBytes(f.Path());
    EXPECT_TRUE(
        bytes.startsWith("[VesmerResume]\nresumeCalendar=西暦\nresumeStart=小学校入学から\n"
                         "resumeHeading=0\nschoolElementary=\n"));
    EXPECT_TRUE(bytes.contains("\ndepartmentUniversity=経済学部 経済学科\n"));
    EXPECT_TRUE(bytes.endsWith("\nleavingMonth=１２\nresumeClosing=0\nresumeSkip=早期卒業\n"));
    EXPECT_EQ(Mode(f.Path()), 0600u);
    EXPECT_EQ(Mode(f.m_location.Folder()), 0700u);
    inputs.m_aDepartments[STAGE_UNIVERSITY - 1] = "経済学部 経済学科";
    EXPECT_EQ(CResumeStore(f.m_location, f.m_presenter, "Vesmer").Load(problem), inputs);
    EXPECT_TRUE(f.m_presenter.m_aShown.empty());

    // Written by hand: a byte-order mark, CR LF, indices, blanks around keys, a key before any
    // section, other sections, unknown keys, the first of two keys, a list value that fits nothing.
    const auto parsed = ParseResumeFile(
        "\xEF\xBB\xBFschoolDoctor=Z\r\n[Other]\r\nschoolUniversity=X\r\n[VesmerResume]\r\n "
        "resumeStart = 1\r\n"
        "resumeCalendar=太陽暦\r\nschoolUniversity= 東都大学 \r\nschoolUniversity=Y\r\nzzz=1\r\n");
    ASSERT_TRUE(parsed);
    ResumeInputs expected;
    expected.m_nStart = 1;
    expected.m_aSchoolNames[STAGE_UNIVERSITY - 1] = " 東都大学 ";
    EXPECT_EQ(*parsed, expected);
}

#ifndef _WIN32

// A file that cannot be read is reported and kept until the user says it may be replaced; a No
// is not asked again. What the whole-file reader refuses (a pipe here) is never replaced.
TEST(ResumeFile, UnreadableFileIsKeptUnlessTheUserAgrees) {
    for (const bool pipe : {false, true}) {
        SCOPED_TRACE(pipe ? "Fifo" : "NoUtf8");
        ResumeStoreFixture f;
        ASSERT_TRUE(QDir().mkpath(f.m_location.Folder()));
        const QByteArray noUtf8 = "[VesmerResume]\nschoolUniversity=\x93\x8c\n";
        ASSERT_TRUE(pipe ? mkfifo(QFile::encodeName(f.Path()).constData(), 0600) == 0
                         : WriteBytes(f.Path(), noUtf8));
        std::string problem;
        EXPECT_EQ(f.m_store.Load(problem), ResumeInputs{});
        EXPECT_NE(
            problem.find("学歴欄の設定ファイル「" + f.Path().toStdString() + "」を読み込めません"),
            std::string::npos)
            << problem;

        ResumeInputs inputs;
        inputs.m_nCalendar = 1;
        EXPECT_FALSE(f.m_store.Save(inputs));  // No
        inputs.m_nStart = 1;
        EXPECT_FALSE(f.m_store.Save(inputs));  // not asked again
        ASSERT_EQ(f.m_presenter.m_aShown.size(), 1u);
        EXPECT_EQ(f.m_presenter.m_aShown[0].buttons, MessageButtons::YesNo);
        if (!pipe) {
            EXPECT_EQ(ReadBytes(f.Path()), noUtf8);
        }

        // A new start in the same folder, and a Yes.
        CResumeStore store(f.m_location, f.m_presenter, "Vesmer");
        f.m_presenter.m_aAnswers = {MessageAnswer::Yes};
        EXPECT_EQ(store.Save(inputs), !pipe);
        if (!pipe) {
            EXPECT_EQ(ReadBytes(f.Path()), ResumeFileBytes(inputs));
        }
        // The refused write is reported once.
        EXPECT_EQ(f.m_presenter.m_aShown.size(), pipe ? 3u : 2u);
    }
}

#endif

}  // namespace
