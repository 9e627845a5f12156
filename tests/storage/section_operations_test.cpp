// Loading, saving, renaming and deleting a report's section in the settings
// file, the file's replacement and the opening of text files.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "engine/program_path.h"
#include "engine/trx_errors.h"
#include "file_mgr_fixture.h"
#include "framework/core/file_utils.h"
#include "framework/core/format.h"
#include "framework/core/math_util.h"
#include "support/dir_snapshot.h"
#include "support/windows_dir.h"

namespace trx::test {
namespace {

class SectionOps : public FileMgrTest {
protected:
    SectionOps() {
        mgr.InitRSFList();
        mgr.AssignDefaultsToReportSettings();
        mgr.FreeRSFList();
        // Only what a test sets is written.
        run.RS().Memo(TRptMemoNdx::rmPgNum).FreeMemoBuf();
        run.RS().LastSaveDate = 0;
    }

    // The settings file's text without the save-date lines every save writes.
    std::string Plain() {
        std::string s = Settings(), r;
        std::size_t start = 0;
        while (start < s.size()) {
            std::size_t end = s.find('\n', start);
            end = end == std::string::npos ? s.size() : end + 1;
            const std::string line = s.substr(start, end - start);
            if (line.rfind("LastSaveDate=", 0) != 0) r += line;
            start = end;
        }
        return r;
    }

    bool Rename(const std::string& OldUser, const std::string& OldId, const std::string& NewUser,
                const std::string& NewId, TtrxUserName& ResUser, TtrxReportId& ResId) {
        return mgr.RenameReportSettings(OldUser, OldId, NewUser, NewId, false, ResUser, ResId);
    }

    int LoadPanels(const std::string& User, const std::string& Id) {
        run.RS().PanelsAcrossPage = -1;
        EXPECT_TRUE(Load(User, Id));
        return run.RS().PanelsAcrossPage;
    }
};

TEST_F(SectionOps, LoadWithoutASettingsFileCreatesAnEmptyOne) {
    ASSERT_FALSE(FileExists(SettingsFileName()));
    EXPECT_EQ(LoadPanels("ANN", "Sales (123.456)"), 1);
    EXPECT_TRUE(FileExists(SettingsFileName()));
    EXPECT_EQ(Settings(), "");
    // The lock file stays, released.
    EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
}

TEST_F(SectionOps, LoadOutsideARunIsAnInternalError) {
    mgr.ReportSettings = nullptr;
    try {
        Load("", "X (001.001)");
        FAIL() << "no error";
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Internal Error: Attempt to load report settings before running TtrxTabrix.Print method");
    }
    EXPECT_EQ(mgr.RSFList, nullptr);
}

TEST_F(SectionOps, SavingANewSectionAppendsItAndKeepsEverythingElse) {
    SetSettings("note before\r\n[A (001.001)]\r\n  PanelsAcrossPage = 2 \r\n\r\n[B (002.002)]");
    run.RS().PanelsAcrossPage = 3;
    ASSERT_TRUE(Save("ANN", "New (003.003)"));
    EXPECT_EQ(Plain(),
              "note before\r\n[A (001.001)]\r\n  PanelsAcrossPage = 2 \r\n\r\n[B (002.002)]\r\n"
              "[ANN:New (003.003)]\r\nPanelsAcrossPage=3\r\n\r\n");
    EXPECT_EQ(LoadPanels("ann", "new (003.003)"), 3);
}

TEST_F(SectionOps, SavingAnExistingSectionRewritesItInPlace) {
    SetSettings(
        "dropped before the first header\r\n"
        "[A (001.001)]\r\n\tPanelsAcrossPage=2  \r\nMemo,RptTi=START\r\n  indented\r\nMemo,RptTi=END\r\n\r\n"
        "[ann:Mid (002.002)]\r\nPanelsAcrossPage=5\r\nLinesPerpage=10\r\n\r\n"
        "[C (003.003)]\r\nPanelsAcrossPage=4\r\n");
    run.RS().PanelsAcrossPage = 7;
    ASSERT_TRUE(Save("ANN", "Mid (002.002)"));
    EXPECT_EQ(Plain(),
              "[A (001.001)]\r\n\tPanelsAcrossPage=2  \r\nMemo,RptTi=START\r\n  indented\r\nMemo,RptTi=END\r\n\r\n"
              "[ANN:Mid (002.002)]\r\nPanelsAcrossPage=7\r\n\r\n"
              "[C (003.003)]\r\nPanelsAcrossPage=4\r\n");
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmRptTi).Text(), "  indented");
    EXPECT_EQ(LoadPanels("", "C (003.003)"), 4);
    EXPECT_FALSE(FileExists(dir.File("RptSet.$$$")));
}

TEST_F(SectionOps, AHeaderThereTwiceLosesNoSection) {
    SetSettings(
        "[A (001.001)]\r\nPanelsAcrossPage=2\r\n"
        "[B (002.002)]\r\nPanelsAcrossPage=3\r\n"
        "[a (001.001)]\r\nPanelsAcrossPage=9\r\n"
        "[C (003.003)]\r\nPanelsAcrossPage=4\r\n");
    run.RS().PanelsAcrossPage = 6;
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_EQ(Plain(),
              "[A (001.001)]\r\nPanelsAcrossPage=6\r\n\r\n"
              "[B (002.002)]\r\nPanelsAcrossPage=3\r\n"
              "[C (003.003)]\r\nPanelsAcrossPage=4\r\n");
}

TEST_F(SectionOps, AppendingAfterALastLineWithoutBreakStartsANewLine) {
    SetSettings("[A (001.001)]\r\nPanelsAcrossPage=2");
    run.RS().PanelsAcrossPage = 3;
    ASSERT_TRUE(Save("", "B (002.002)"));
    EXPECT_EQ(Plain(), "[A (001.001)]\r\nPanelsAcrossPage=2\r\n[B (002.002)]\r\nPanelsAcrossPage=3\r\n\r\n");
    EXPECT_EQ(LoadPanels("", "A (001.001)"), 2);
}

TEST_F(SectionOps, AppendingAfterAMemoBlockThatRunsToTheEndClosesIt) {
    SetSettings("[A (001.001)]\r\nMemo,PgFtr=START\r\nrest\nof it");
    ASSERT_TRUE(Load("", "A (001.001)"));
    const std::string text = run.RS().Memo(TRptMemoNdx::rmPgFtr).Text();
    EXPECT_EQ(text, "rest\nof it");
    run.RS().PanelsAcrossPage = 3;
    ASSERT_TRUE(Save("", "B (002.002)"));
    EXPECT_EQ(LoadPanels("", "B (002.002)"), 3);
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgFtr).Text(), text);
}

TEST_F(SectionOps, OtherSectionsKeepEveryByte) {
    const std::string a =
        "[A (001.001)]\nPanelsAcrossPage=2\nMemo,RptTi=START\nlf only\n\rcr first\r\r\nMemo,RptTi=END\n";
    SetSettings(a + "[B (002.002)]\r\n");
    ASSERT_TRUE(Load("", "A (001.001)"));
    const std::string text = run.RS().Memo(TRptMemoNdx::rmRptTi).Text();
    ASSERT_TRUE(Save("", "B (002.002)"));
    EXPECT_EQ(Settings().substr(0, a.size()), a);
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmRptTi).Text(), text);
}

// A file larger than one read of the settings file (64 KiB): headers, key
// lines, memo lines and memo END lines fall across the ends of the reads.
// Each memo holds a line that looks like the next section's header.
TEST_F(SectionOps, SectionsAcrossTheEndsOfReadsLoadAndSaveAsSmallOnes) {
    constexpr int Sections = 1200;
    constexpr std::size_t ReadSize = 64 * 1024;
    auto id = [](int I) { return Format("S%d (%.3d.%.3d)", {I, I / 999 + 1, I % 999 + 1}); };
    auto memo = [&](int I) {
        return std::string(static_cast<std::size_t>(20 + I * 37 % 400), static_cast<char>('a' + I % 26)) + "\r\n[" +
               id(I + 1) + "]";
    };
    std::string file;
    std::vector<std::size_t> starts;
    for (int i = 0; i < Sections; ++i) {
        starts.push_back(file.size());
        for (const std::string& part :
             {std::string("["), id(i), std::string("]\r\nPanelsAcrossPage="), IntToStr(1 + i % 9),
              std::string("\r\nMemo,PgTi=START\r\n"), memo(i), std::string("\r\nMemo,PgTi=END\r\n\r\n")})
            file += part;
    }
    starts.push_back(file.size());
    ASSERT_GT(file.size(), 4 * ReadSize);
    SetSettings(file);

    // Every section that a read ends in, and the first and the last.
    std::vector<int> places = {0, Sections - 1};
    for (int i = 0; i < Sections; ++i)
        if (starts[i] / ReadSize != starts[i + 1] / ReadSize) places.push_back(i);
    ASSERT_GE(places.size(), 6u);
    for (int i : places) {
        SCOPED_TRACE(id(i));
        EXPECT_EQ(LoadPanels("", id(i)), 1 + i % 9);
        EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).Text(), memo(i));
    }

    // A save rewrites its section only: every byte before and after it stays.
    const int saved = places[2];
    ASSERT_TRUE(Load("", id(saved)));
    run.RS().PanelsAcrossPage = 20;
    ASSERT_TRUE(Save("", id(saved)));
    const std::string after = Settings();
    const std::string before = file.substr(0, starts[saved]);
    const std::string rest = file.substr(starts[saved + 1]);
    ASSERT_GT(after.size(), before.size() + rest.size());
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.substr(after.size() - rest.size()), rest);
    EXPECT_EQ(LoadPanels("", id(saved)), 20);
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).Text(), memo(saved));
    EXPECT_EQ(LoadPanels("", id(saved + 1)), 1 + (saved + 1) % 9);
}

TEST_F(SectionOps, SaveRepairsAndHandsBackTheIdentifier) {
    SetRandSeed(0);
    TtrxUserName user = "ANN";
    TtrxReportId id = "Monthly Sales";
    ASSERT_TRUE(mgr.SaveReportSettings(user, id, true));
    EXPECT_EQ(user.str(), "ANN");
    EXPECT_EQ(Copy(id.str(), 1, 6), "Sales ");
    EXPECT_TRUE(TtrxFileMgr::ValidateReportIdSyntax(id, false));
    EXPECT_EQ(Plain(), "[ANN:" + id.str() + "]\r\n\r\n");
}

TEST_F(SectionOps, SavingUnderAnEmptyIdentifierKeepsTheUser) {
    TtrxUserName user = "ANN";
    TtrxReportId id;
    ASSERT_TRUE(mgr.SaveReportSettings(user, id, false)); // the identifier reservation
    EXPECT_EQ(user.str(), "ANN");
    ASSERT_EQ(id.Length(), 9);
    EXPECT_EQ(Settings(), "[ANN:" + id.str() + "]\r\n");
}

TEST_F(SectionOps, SaveWithoutARecordRaisesButReservationWorks) {
    mgr.ReportSettings = nullptr;
    TtrxUserName user;
    TtrxReportId id = "Keep (001.001)";
    SetSettings("[Keep (001.001)]\r\nPanelsAcrossPage=2\r\n");
    EXPECT_THROW(mgr.SaveReportSettings(user, id, true), eTrxIntError);
    EXPECT_EQ(Settings(), "[Keep (001.001)]\r\nPanelsAcrossPage=2\r\n");
    TtrxReportId fresh;
    ASSERT_TRUE(mgr.SaveReportSettings(user, fresh, false));
    EXPECT_EQ(fresh.Length(), 9);
    EXPECT_EQ(Settings(), "[Keep (001.001)]\r\nPanelsAcrossPage=2\r\n[" + fresh.str() + "]\r\n");
}

TEST_F(SectionOps, CreatingASectionThatExistsKeepsItsHeader) {
    SetSettings("[A (001.001)]\r\nPanelsAcrossPage=2\r\n[ANN:B (002.002)]\r\nPanelsAcrossPage=3\r\n[C (003.003)]\r\n");
    TtrxUserName user;
    TtrxReportId id;
    // Reserving an existing identifier changes nothing.
    ASSERT_TRUE(mgr.RenameReportSettings("", "", "ANN", "B (002.002)", false, user, id));
    EXPECT_EQ(user.str(), "ANN");
    EXPECT_EQ(id.str(), "B (002.002)");
    EXPECT_EQ(Settings(),
              "[A (001.001)]\r\nPanelsAcrossPage=2\r\n[ANN:B (002.002)]\r\nPanelsAcrossPage=3\r\n[C (003.003)]\r\n");
    // Creating it with settings rewrites its body under its header.
    run.RS().PanelsAcrossPage = 8;
    ASSERT_TRUE(mgr.RenameReportSettings("", "", "ANN", "B (002.002)", true, user, id));
    EXPECT_EQ(
        Plain(),
        "[A (001.001)]\r\nPanelsAcrossPage=2\r\n[ANN:B (002.002)]\r\nPanelsAcrossPage=8\r\n\r\n[C (003.003)]\r\n");
}

TEST_F(SectionOps, InsideTheDevelopmentEnvironmentAnExistingIdentifierIsRefused) {
    SetSettings("[ANN:B (002.002)]\r\nPanelsAcrossPage=3\r\n");
    TIDEServicesOverride ide([] { return std::string("/src/Project1.dpr"); });
    TtrxUserName user;
    TtrxReportId id;
    try {
        mgr.RenameReportSettings("", "", "ANN", "B (002.002)", false, user, id);
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: ReportId \"[ANN:B (002.002)]\" already exists");
    }
    EXPECT_EQ(id.str(), "");
    // A rename of a section is no creation.
    ASSERT_TRUE(Rename("ANN", "B (002.002)", "ANN", "C (003.003)", user, id));
    EXPECT_EQ(id.str(), "C (003.003)");
}

TEST_F(SectionOps, WithoutADirectoryTheProgramsDataDirectoryIsUsed) {
    TWindowsDirOverride windows;
    SetExeFileName(dir.File("App"));
    mgr.DataDir.clear();
    run.RS().PanelsAcrossPage = 4;
    const bool saved = Save("", "A (001.001)");
    SetExeFileName("");
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadAll(dir.File("App.TRX/RptSet.TXT")).rfind("[A (001.001)]\r\nPanelsAcrossPage=4\r\n", 0), 0u);
    EXPECT_TRUE(FileExists(dir.File("App.TRX/TBXLOCK.$$$")));
}

TEST_F(SectionOps, RenameCarriesTheBodyVerbatim) {
    SetSettings(
        "[A (001.001)]\r\nPanelsAcrossPage=2\r\n"
        "[ANN:Old (002.002)]\r\n  PanelsAcrossPage=5\r\nLinesPerpage=10\r\n"
        "Memo,PgTi=START\r\n[looks like a header]\r\n  text\r\nMemo,PgTi=END\r\n\r\n"
        "[C (003.003)]\r\nPanelsAcrossPage=4\r\n");
    TtrxUserName user = "ANN";
    TtrxReportId id = "Old (002.002)";
    ASSERT_TRUE(Rename(user, id, "BOB", "New (004.004)", user, id));
    EXPECT_EQ(user.str(), "BOB");
    EXPECT_EQ(id.str(), "New (004.004)");
    EXPECT_EQ(Settings(),
              "[A (001.001)]\r\nPanelsAcrossPage=2\r\n"
              "[BOB:New (004.004)]\r\n  PanelsAcrossPage=5\r\nLinesPerpage=10\r\n"
              "Memo,PgTi=START\r\n[looks like a header]\r\n  text\r\nMemo,PgTi=END\r\n\r\n"
              "[C (003.003)]\r\nPanelsAcrossPage=4\r\n");
    ASSERT_TRUE(Load("BOB", "New (004.004)"));
    EXPECT_EQ(run.RS().LinesPerpage, 10);
    EXPECT_EQ(run.RS().Memo(TRptMemoNdx::rmPgTi).Text(), "[looks like a header]\r\n  text");
}

TEST_F(SectionOps, RenameToAnEmptyIdentifierKeepsTheSection) {
    SetSettings("[ANN:Old (002.002)]\r\nPanelsAcrossPage=5\r\n");
    TtrxUserName user = "ANN";
    TtrxReportId id = "Old (002.002)";
    ASSERT_TRUE(Rename(user, id, user, "", user, id));
    EXPECT_EQ(id.str(), "Old (002.002)");
    EXPECT_EQ(Settings(), "[ANN:Old (002.002)]\r\nPanelsAcrossPage=5\r\n");
}

TEST_F(SectionOps, RenameOntoAnExistingSectionLeavesOneHeader) {
    const std::string file =
        "[ANN:Old (002.002)]\r\nPanelsAcrossPage=5\r\n"
        "[B (001.001)]\r\nPanelsAcrossPage=2\r\n"
        "[ann:new (004.004)]\r\nPanelsAcrossPage=9\r\n";
    for (int order = 0; order < 2; ++order) {
        // The target after the old section, then before it.
        SetSettings(order == 0
                        ? file
                        : "[ann:new (004.004)]\r\nPanelsAcrossPage=9\r\n"
                          "[ANN:Old (002.002)]\r\nPanelsAcrossPage=5\r\n[B (001.001)]\r\nPanelsAcrossPage=2\r\n");
        TtrxUserName user = "ANN";
        TtrxReportId id = "Old (002.002)";
        ASSERT_TRUE(Rename(user, id, user, "New (004.004)", user, id));
        const std::string s = Settings();
        EXPECT_EQ(s.find("Old"), std::string::npos) << s;
        const std::size_t first = s.find("[ANN:New (004.004)]");
        ASSERT_NE(first, std::string::npos) << s;
        EXPECT_EQ(s.find(":new", 0), std::string::npos) << s;
        EXPECT_EQ(s.find("(004.004)", first + 20), std::string::npos) << s;
        EXPECT_EQ(LoadPanels("ANN", "New (004.004)"), 5);
        EXPECT_EQ(LoadPanels("", "B (001.001)"), 2);
    }
}

TEST_F(SectionOps, RenameWithSettingsOntoAnEarlierSectionKeepsOneHeaderWithTheNewBody) {
    SetSettings(
        "[ANN:New (004.004)]\r\nPanelsAcrossPage=9\r\n"
        "[B (001.001)]\r\nPanelsAcrossPage=2\r\n"
        "[ANN:Old (002.002)]\r\nPanelsAcrossPage=5\r\n"
        "[C (003.003)]\r\nPanelsAcrossPage=3\r\n");
    run.RS().PanelsAcrossPage = 6;
    TtrxUserName user = "ANN";
    TtrxReportId id = "Old (002.002)";
    ASSERT_TRUE(mgr.RenameReportSettings(user, id, user, "New (004.004)", true, user, id));
    EXPECT_EQ(id.str(), "New (004.004)");
    EXPECT_EQ(Plain(),
              "[B (001.001)]\r\nPanelsAcrossPage=2\r\n"
              "[ANN:New (004.004)]\r\nPanelsAcrossPage=6\r\n\r\n"
              "[C (003.003)]\r\nPanelsAcrossPage=3\r\n");
}

TEST_F(SectionOps, RenameOfAMissingSectionCreatesTheNewHeader) {
    SetSettings("[B (001.001)]\r\n");
    TtrxUserName user;
    TtrxReportId id;
    ASSERT_TRUE(Rename("ANN", "Gone (001.002)", "ANN", "Here", user, id));
    EXPECT_EQ(Copy(id.str(), 1, 5), "Here ");
    EXPECT_EQ(Settings(), "[B (001.001)]\r\n[ANN:" + id.str() + "]\r\n");
}

TEST_F(SectionOps, DeleteRemovesTheSectionAndItsCopies) {
    SetSettings(
        "before\r\n[A (001.001)]\r\nPanelsAcrossPage=2\r\n[X (009.009)]\r\nPanelsAcrossPage=5\r\n"
        "Memo,RptTi=START\r\n[A (001.001)]\r\nMemo,RptTi=END\r\n"
        "[B (002.002)]\r\n[x (009.009)]\r\nPanelsAcrossPage=6\r\n");
    ASSERT_TRUE(mgr.DeleteReportSettings("", "X (009.009)"));
    EXPECT_EQ(Settings(), "[A (001.001)]\r\nPanelsAcrossPage=2\r\n[B (002.002)]\r\n");
    // Nothing to delete: nothing changes.
    const std::string before = Settings();
    ASSERT_TRUE(mgr.DeleteReportSettings("", "Y (009.009)"));
    ASSERT_TRUE(mgr.DeleteReportSettings("", ""));
    EXPECT_EQ(Settings(), before);
    ASSERT_TRUE(mgr.DeleteReportSettings("", "A (001.001)"));
    ASSERT_TRUE(mgr.DeleteReportSettings("", "B (002.002)"));
    EXPECT_EQ(Settings(), "");
}

TEST_F(SectionOps, AFailedReplacementLeavesTheOldFile) {
    SetSettings("[A (001.001)]\r\nPanelsAcrossPage=2\r\n");
    // Another program holds the settings file open: it cannot be replaced.
    TTextFile other(SettingsFileName());
    other.Reset();
    ASSERT_EQ(other.IOResult(), 0);
    run.RS().PanelsAcrossPage = 3;
    try {
        Save("", "A (001.001)");
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_NE(e.Message.find("could not be replaced"), std::string::npos) << e.Message;
    }
    EXPECT_THROW(mgr.DeleteReportSettings("", "A (001.001)"), ETrxSUError);
    EXPECT_EQ(Settings(), "[A (001.001)]\r\nPanelsAcrossPage=2\r\n");
    EXPECT_FALSE(FileExists(dir.File("RptSet.$$$")));
    other.CloseFile();
    // The lock was released on the way out.
    EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
    EXPECT_EQ(mgr.RSFList, nullptr);
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_EQ(LoadPanels("", "A (001.001)"), 3);
}

TEST_F(SectionOps, DeleteFailureNamesTheSection) {
    SetSettings("[ANN:A (001.001)]\r\n");
    TTextFile other(SettingsFileName());
    other.Reset();
    try {
        mgr.DeleteReportSettings("ANN", "A (001.001)");
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: ReportSettings can not be deleted for [ANN:A (001.001)]");
    }
}

// ---- Replacing the settings file ---------------------------------------------

// Sets the process's file-creation mask for one scope.
class TUmask {
public:
    explicit TUmask(mode_t Mask) : old_(umask(Mask)) {}
    ~TUmask() { umask(old_); }
    TUmask(const TUmask&) = delete;
    TUmask& operator=(const TUmask&) = delete;

private:
    mode_t old_;
};

struct TFileAccess {
    mode_t Mode = 0;
    uid_t Uid = 0;
    gid_t Gid = 0;
};

TFileAccess AccessOf(const std::string& FileName) {
    struct stat st {};
    EXPECT_EQ(stat(FileName.c_str(), &st), 0) << FileName;
    return {static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid};
}

// An owner and a group other than the process's own where it may set them
// (as the superuser); otherwise its own user and, when it has one, a
// supplementary group.
TFileAccess OtherOwner() {
    if (geteuid() == 0) return {0, 4242, 4343};
    TFileAccess a{0, geteuid(), getegid()};
    gid_t groups[64];
    const int n = getgroups(64, groups);
    for (int i = 0; i < n; ++i)
        if (groups[i] != a.Gid) a.Gid = groups[i];
    return a;
}

// The ways a change replaces the settings file, on a file that holds the
// sections Existing and Other: each returns whether the change completed.
struct TFileChange {
    const char* What;
    std::function<bool(TtrxFileMgr&)> Run;
};

std::vector<TFileChange> FileChanges(const std::string& Existing, const std::string& Other) {
    return {
        {"rewrite",
         [=](TtrxFileMgr& m) {
             TtrxUserName u;
             TtrxReportId i = Existing;
             return m.SaveReportSettings(u, i, true);
         }},
        {"append",
         [](TtrxFileMgr& m) {
             TtrxUserName u;
             TtrxReportId i = "New (999.999)";
             return m.SaveReportSettings(u, i, true);
         }},
        {"rename",
         [=](TtrxFileMgr& m) {
             TtrxUserName u;
             TtrxReportId i;
             return m.RenameReportSettings("", Existing, "ANN", "D (004.004)", false, u, i);
         }},
        {"delete", [=](TtrxFileMgr& m) { return m.DeleteReportSettings("", Other); }},
    };
}

TEST_F(SectionOps, ReplacingTheFileKeepsItsPermissionsOwnerAndGroup) {
    const std::string file = "[A (001.001)]\r\nPanelsAcrossPage=2\r\n\r\n[B (002.002)]\r\n";
    const struct {
        mode_t Mode;
        mode_t Umask;
        bool Foreign; // owned by another user and group
    } files[] = {
        {0666, 022, true}, // shared with every user
        {0660, 077, false}, // shared with the group
        {0600, 000, false}, // private: the settings hold passwords
    };
    for (const auto& f : files) {
        for (const auto& c : FileChanges("A (001.001)", "B (002.002)")) {
            SCOPED_TRACE(::testing::Message() << c.What << " of a file with mode 0" << std::oct << f.Mode);
            SetSettings(file);
            const TFileAccess owner = f.Foreign ? OtherOwner() : TFileAccess{0, geteuid(), getegid()};
            ASSERT_EQ(chown(SettingsFileName().c_str(), owner.Uid, owner.Gid), 0);
            ASSERT_EQ(chmod(SettingsFileName().c_str(), f.Mode), 0);
            const TUmask mask(f.Umask);
            EXPECT_TRUE(c.Run(mgr));
            const TFileAccess after = AccessOf(SettingsFileName());
            EXPECT_EQ(after.Mode, f.Mode);
            EXPECT_EQ(after.Uid, owner.Uid);
            EXPECT_EQ(after.Gid, owner.Gid);
            EXPECT_NE(Settings(), file); // it was replaced
        }
    }
}

TEST_F(SectionOps, AFileReadOnlyForTheUserIsNotReplaced) {
    const std::string file = "[A (001.001)]\r\nPanelsAcrossPage=2\r\n";
    const TFileAccess self = {0, geteuid(), getegid()};
    const TFileAccess other = OtherOwner();
    // The write bit of the class that applies to the user decides, for the
    // superuser too.
    const struct {
        const char* What;
        mode_t Mode;
        TFileAccess Owner;
        bool ReadOnly;
    } files[] = {
        {"nobody may write", 0444, self, true},
        {"others may write, not its owner", 0446, self, true},
        {"its owner may write", 0644, self, false},
        {"another's, only its owner may write", 0644, {0, other.Uid, other.Gid}, other.Uid != self.Uid},
        {"another's, its group may write", 0464, {0, other.Uid, self.Gid}, other.Uid == self.Uid},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.What);
        SetSettings(file);
        ASSERT_EQ(chown(SettingsFileName().c_str(), f.Owner.Uid, f.Owner.Gid), 0);
        ASSERT_EQ(chmod(SettingsFileName().c_str(), f.Mode), 0);
        run.RS().PanelsAcrossPage = 3;
        run.RS().Modified = true;
        if (!f.ReadOnly) {
            ASSERT_TRUE(Save("", "A (001.001)"));
            EXPECT_EQ(LoadPanels("", "A (001.001)"), 3);
            continue;
        }
        const int64_t start = GetTickCount();
        try {
            Save("", "A (001.001)");
            ADD_FAILURE() << "saved";
        } catch (const ETrxSUError& e) {
            EXPECT_EQ(e.Message, "Tabrix! Setup Error: Unable to open file: " + SettingsFileName() +
                                     "\rbecause it is locked by another application. Close the other application "
                                     "and try again.\r\rI/O Error:5");
        }
        try {
            mgr.DeleteReportSettings("", "A (001.001)");
            ADD_FAILURE() << "deleted";
        } catch (const ETrxSUError& e) {
            EXPECT_EQ(e.Message, "Tabrix! Setup Error: ReportSettings can not be deleted for [A (001.001)]");
        }
        EXPECT_EQ(GetTickCount(), start); // refused, not retried
        EXPECT_TRUE(run.RS().Modified);
        EXPECT_EQ(Settings(), file);
        EXPECT_EQ(AccessOf(SettingsFileName()).Mode, f.Mode);
        EXPECT_FALSE(FileExists(dir.File("RptSet.$$$")));
        EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
        EXPECT_EQ(LoadPanels("", "A (001.001)"), 2); // loading still works
    }
}

// Takes from this thread, for one scope, the superuser's power to pass over
// permission bits, so that a folder read-only by its bits is read-only for
// the system as well. Other users have no such power: nothing to do.
class TNoPermissionOverride {
public:
    TNoPermissionOverride() {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(Bit(CAP_DAC_OVERRIDE) | Bit(CAP_DAC_READ_SEARCH) | Bit(CAP_FOWNER));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~TNoPermissionOverride() {
        if (lowered_) syscall(SYS_capset, &header_, saved_);
    }
    TNoPermissionOverride(const TNoPermissionOverride&) = delete;
    TNoPermissionOverride& operator=(const TNoPermissionOverride&) = delete;

private:
    static uint32_t Bit(int Cap) { return 1u << Cap; }
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool lowered_ = false;
};

// True when nothing can be made in Dir.
bool TakesNoNewFile(const std::string& Dir) {
    const std::string probe = Dir + "/probe";
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return true;
    close(fd);
    unlink(probe.c_str());
    return false;
}

TEST_F(SectionOps, SettingsInAReadOnlyFolderAreReadAndMarkedReadOnly) {
    const std::string file = "[A (001.001)]\r\nPanelsAcrossPage=2\r\n";
    const std::string lockFailed = "Unable to create file \"" + LockFileName() + "\". I/O Error:5";
    const std::string replaceFailed = "Tabrix! Setup Error: Unable to open file: " + SettingsFileName() +
                                      "\rbecause it is locked by another application. Close the other application "
                                      "and try again.\r\rI/O Error:5";
    const std::string lockRefused =
        "Tabrix! Internal Error: Locking file: \"" + LockFileName() + "\"\rUnexpected I/O Error=5";
    const struct {
        const char* What;
        bool Settings;
        int LockMode; // 0: no lock file
        int Panels; // loaded
        std::string SaveFails; // the save's message
    } folders[] = {
        {"without a lock file", true, 0, 2, lockFailed},
        {"with a lock file the user may write", true, 0666, 2, replaceFailed},
        {"with a read-only lock file", true, 0444, 2, lockRefused},
        {"without a settings file", false, 0, 1, lockFailed},
    };
    for (const auto& f : folders) {
        SCOPED_TRACE(f.What);
        std::filesystem::remove_all(dir.Path());
        std::filesystem::create_directory(dir.Path());
        if (f.Settings) SetSettings(file);
        if (f.LockMode != 0) {
            WriteAll(LockFileName(), std::string(32, '\0'));
            ASSERT_EQ(chmod(LockFileName().c_str(), static_cast<mode_t>(f.LockMode)), 0);
        }
        ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
        const TDirSnapshot before = Snapshot(dir.Path());
        {
            const TNoPermissionOverride asAUser;
            if (!TakesNoNewFile(dir.Path())) {
                chmod(dir.Path().c_str(), 0755);
                GTEST_SKIP() << "a folder that takes no new file cannot be made here";
            }
            run.RS().SettingsReadOnly = false;
            EXPECT_EQ(LoadPanels("", "A (001.001)"), f.Panels);
            EXPECT_TRUE(run.RS().SettingsReadOnly);
            EXPECT_EQ(mgr.RSFList, nullptr);
            EXPECT_FALSE(mgr.LckFile.IsOpen());
            try {
                Save("", "A (001.001)");
                ADD_FAILURE() << "saved";
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message, f.SaveFails);
            }
        }
        // Nothing made, nothing changed (taking a lock writes its record
        // and then the released one into the lock file).
        TDirSnapshot after = Snapshot(dir.Path());
        if (f.LockMode != 0) {
            ASSERT_EQ(after.count("TBXLOCK.$$$"), 1u);
            EXPECT_EQ(after["TBXLOCK.$$$"].Bytes, std::string(32, '\0'));
            after["TBXLOCK.$$$"].MTimeNs = before.at("TBXLOCK.$$$").MTimeNs;
        }
        EXPECT_EQ(after, before);
        ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    }
    // In a folder the user may write, the settings are his to change.
    SetSettings(file);
    EXPECT_EQ(LoadPanels("", "A (001.001)"), 2);
    EXPECT_FALSE(run.RS().SettingsReadOnly);
}

// Limits the size of the files the process writes (as a full disk does) for
// one scope; writing past it fails instead of raising a signal.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        struct rlimit limit = old_;
        limit.rlim_cur = Bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    struct rlimit old_ {};
    void (*oldHandler_)(int) = SIG_DFL;
};

TEST_F(SectionOps, AChangeThatCannotBeWrittenLeavesNoTemporaryFile) {
    // The write fails while the file is written (a large file) or when it
    // is flushed before the rename (a small one).
    const struct {
        int Sections;
        rlim_t Limit;
    } sizes[] = {{4, 1024}, {400, 100 * 1024}};
    for (const auto& size : sizes) {
        std::string file;
        for (int k = 0; k < size.Sections; ++k)
            file += Format("[S%.3d (001.%.3d)]\r\nReportDesc=", {k, k}) + std::string(500, 'x') + "\r\n\r\n";
        for (const auto& c : FileChanges("S002 (001.002)", "S000 (001.000)")) {
            SCOPED_TRACE(::testing::Message() << c.What << " of " << size.Sections << " sections");
            SetSettings(file);
            run.RS().PanelsAcrossPage = 3;
            {
                const TFileSizeLimit limit(size.Limit);
                EXPECT_THROW(c.Run(mgr), Exception);
            }
            EXPECT_FALSE(FileExists(dir.File("RptSet.$$$")));
            EXPECT_EQ(Settings(), file);
            EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
        }
    }
}

// ---- Opening text files -----------------------------------------------------

TEST_F(SectionOps, OpenRetriesOtherFailuresAndStopsAtASharingViolation) {
    mkdir(dir.File("Dir.TXT").c_str(), 0755);
    TTextFile f;
    TFileOper oper = TFileOper::foWrite;
    const int64_t start = GetTickCount();
    try {
        mgr.OpenTextFile(f, dir.File("Dir.TXT"), oper);
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: Unable to open file: " + dir.File("Dir.TXT") +
                                 "\rbecause it is locked by another application. Close the other application and "
                                 "try again.\r\rI/O Error:5");
    }
    EXPECT_EQ(GetTickCount() - start, 9 * 501); // ten attempts, each wait ending once more than 500 ms passed

    TTextFile holder(dir.File("Held.TXT"));
    holder.Rewrite();
    const int64_t again = GetTickCount();
    EXPECT_THROW(mgr.OpenTextFile(f, dir.File("Held.TXT"), oper), ETrxSUError);
    EXPECT_EQ(GetTickCount(), again); // no retries
}

TEST_F(SectionOps, OpenForReadingCreatesAMissingFile) {
    TTextFile f;
    TFileOper oper = TFileOper::foRead;
    mgr.OpenTextFile(f, dir.File("New.TXT"), oper);
    EXPECT_TRUE(f.IsOpen());
    EXPECT_TRUE(FileExists(dir.File("New.TXT")));
    TFileOper read = TFileOper::foRead;
    try {
        mgr.OpenTextFile(f, dir.File("missing/New.TXT"), read);
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: I/O Error: 3 creating file \"" + dir.File("missing/New.TXT"));
    }
}

} // namespace
} // namespace trx::test
