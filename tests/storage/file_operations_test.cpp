// Copying, moving and deleting directories: every byte, permission and time
// arrives, and no failure (a full disk, a read-only target, a directory moved
// onto itself) costs a source file.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "framework/core/exceptions.h"
#include "framework/core/file_handles.h"
#include "framework/core/file_utils.h"
#include "storage/file_operations.h"
#include "support/dir_snapshot.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

namespace fs = std::filesystem;

std::string Pattern(std::size_t Size, int Seed) {
    std::string s(Size, '\0');
    for (std::size_t i = 0; i < Size; ++i) s[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(Seed)) % 256);
    return s;
}

void SetMTime(const std::string& Name, int64_t Sec, long Nsec) {
    const struct timespec times[2] = {{Sec, Nsec}, {Sec, Nsec}};
    ASSERT_EQ(utimensat(AT_FDCWD, Name.c_str(), times, 0), 0);
}

class FileOperationsTest : public ::testing::Test {
protected:
    FileOperationsTest() {
        fs::create_directories(Src() + "/sub/deeper");
        WriteAll(Src() + "/.hidden", "h");
        WriteAll(Src() + "/A.TXT", Pattern(10000, 1)); // more than two blocks
        WriteAll(Src() + "/B.TXT", "");
        WriteAll(Src() + "/C.DAT", Pattern(4096, 2)); // exactly one block
        WriteAll(Src() + "/sub/D.TXT", Pattern(5000, 3));
        WriteAll(Src() + "/sub/deeper/E.TXT", "deep");
        chmod((Src() + "/A.TXT").c_str(), 0640);
        chmod((Src() + "/C.DAT").c_str(), 0444);
        chmod((Src() + "/sub/D.TXT").c_str(), 0755);
        SetMTime(Src() + "/A.TXT", 981173106, 123456789);
        SetMTime(Src() + "/sub/deeper/E.TXT", 1262304000, 987654321);
    }

    std::string Src() const { return dir.File("Old.TRX"); }
    std::string Dst() const { return dir.File("New.TRX"); }
    std::string Mask() const { return Src() + "/*.*"; }

    TempDir dir;
    TFileMgr mgr;
};

TEST_F(FileOperationsTest, ACopyHasEveryByteWithItsPermissionsAndTimes) {
    const TDirSnapshot before = Snapshot(Src());
    ASSERT_TRUE(mgr.CopyFiles(Mask(), Dst() + "/", true));
    EXPECT_EQ(Snapshot(Dst()), before);
    EXPECT_EQ(Snapshot(Src()), before);
    EXPECT_EQ(mgr.Count, 6);
    EXPECT_EQ(mgr.ErrorCount, 0);

    // Without recursion the subdirectories stay behind; the missing
    // destination is made with its parents.
    TFileMgr flat;
    ASSERT_TRUE(flat.CopyFiles(Mask(), dir.File("a/b/Flat.TRX"), false));
    EXPECT_EQ(flat.Count, 4);
    EXPECT_FALSE(fs::exists(dir.File("a/b/Flat.TRX/sub")));
    EXPECT_EQ(Snapshot(dir.File("a/b/Flat.TRX")).at("A.TXT"), before.at("A.TXT"));

    // A file of the same name is replaced.
    WriteAll(Dst() + "/A.TXT", "stale");
    ASSERT_TRUE(mgr.FileCopy(Src() + "/A.TXT", Dst() + "/A.TXT"));
    EXPECT_EQ(Snapshot(Dst()).at("A.TXT"), before.at("A.TXT"));
}

TEST_F(FileOperationsTest, AMoveTakesEverythingAndLeavesTheSourceEmpty) {
    const TDirSnapshot before = Snapshot(Src());
    ASSERT_TRUE(mgr.MoveFiles(Mask(), Dst(), true, true));
    EXPECT_EQ(Snapshot(Dst()), before);
    EXPECT_TRUE(Snapshot(Src()).empty());
    EXPECT_EQ(mgr.Count, 12); // six copied, six deleted
    EXPECT_EQ(mgr.ErrorCount, 0);

    // Nothing left to move counts as a failed move.
    EXPECT_FALSE(mgr.MoveFiles(Mask(), Dst(), true, true));
    EXPECT_EQ(mgr.Count, 0);
    // So does a directory of subdirectories without recursion.
    fs::create_directories(dir.File("OnlyDirs.TRX/sub"));
    WriteAll(dir.File("OnlyDirs.TRX/sub/F.TXT"), "f");
    EXPECT_FALSE(mgr.MoveFiles(dir.File("OnlyDirs.TRX/*.*"), dir.File("Other.TRX"), false, true));
    EXPECT_EQ(ReadAll(dir.File("OnlyDirs.TRX/sub/F.TXT")), "f");
}

TEST_F(FileOperationsTest, ADirectoryIsNeverMovedOntoOrIntoItself) {
    fs::create_directory_symlink(Src(), dir.File("Link.TRX"));
    const TDirSnapshot before = Snapshot(Src());
    const std::string targets[] = {Src(),
                                   Src() + "/",
                                   dir.File("Link.TRX"),
                                   dir.File("./Old.TRX"),
                                   Src() + "/sub",
                                   dir.File("Link.TRX/sub/Inner.TRX")};
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        EXPECT_FALSE(mgr.MoveFiles(Mask(), target, true, true));
        EXPECT_EQ(Snapshot(Src()), before);
    }

    // Copying onto itself truncates nothing either.
    EXPECT_FALSE(mgr.CopyFiles(Mask(), dir.File("Link.TRX"), false));
    EXPECT_EQ(mgr.ErrorCount, 1);
    EXPECT_FALSE(mgr.FileCopy(Src() + "/A.TXT", dir.File("Link.TRX/A.TXT")));
    // A copy into a subdirectory of the source does not copy that copy again.
    ASSERT_TRUE(mgr.CopyFiles(Mask(), Src() + "/sub/Copy", true));
    EXPECT_FALSE(fs::exists(Src() + "/sub/Copy/sub/Copy"));
    EXPECT_EQ(ReadAll(Src() + "/sub/Copy/sub/deeper/E.TXT"), "deep");
    fs::remove_all(Src() + "/sub/Copy");
    EXPECT_EQ(Snapshot(Src()), before);
}

TEST_F(FileOperationsTest, AMoveReplacesNothingThatIsThere) {
    const TDirSnapshot before = Snapshot(Src());
    const struct {
        const char* What;
        std::string Name; // in the destination
        std::function<void(const std::string&)> Make;
    } obstacles[] = {
        {"a file", "B.TXT", [](const std::string& N) { WriteAll(N, "theirs"); }},
        {"a read-only file", "C.DAT",
         [](const std::string& N) {
             WriteAll(N, "theirs");
             chmod(N.c_str(), 0444);
         }},
        {"a file in a subdirectory", "sub/deeper/E.TXT", [](const std::string& N) { WriteAll(N, "theirs"); }},
        {"a directory where a file goes", "A.TXT", [](const std::string& N) { fs::create_directories(N); }},
        {"a file where a directory goes", "sub", [](const std::string& N) { WriteAll(N, "theirs"); }},
        {"a link that leads nowhere", ".hidden",
         [this](const std::string& N) { fs::create_symlink(dir.File("nowhere"), N); }},
    };
    for (const auto& o : obstacles) {
        SCOPED_TRACE(o.What);
        fs::remove_all(Dst());
        fs::create_directories(Dst());
        if (o.Name != "sub") {
            // A subdirectory of the same name is no obstacle.
            fs::create_directories(Dst() + "/sub/deeper");
            WriteAll(Dst() + "/sub/Theirs.TXT", "theirs");
        }
        o.Make(Dst() + "/" + o.Name);
        const TDirSnapshot there = Snapshot(Dst());
        EXPECT_FALSE(mgr.MoveFiles(Mask(), Dst(), true, true));
        EXPECT_EQ(mgr.Existing, Dst() + "/" + o.Name);
        EXPECT_EQ(mgr.Count, 0);
        EXPECT_EQ(Snapshot(Src()), before);
        EXPECT_EQ(Snapshot(Dst()), there);
    }
    // Without recursion the subdirectories are not moved, and what lies in
    // them is in nobody's way.
    fs::remove_all(Dst());
    fs::create_directories(Dst() + "/sub");
    WriteAll(Dst() + "/sub/D.TXT", "theirs");
    EXPECT_TRUE(mgr.MoveFiles(Mask(), Dst(), false, true));
    EXPECT_EQ(mgr.Existing, "");
    EXPECT_EQ(ReadAll(Dst() + "/sub/D.TXT"), "theirs");
}

TEST_F(FileOperationsTest, AFailedMoveTakesBackWhatItMade) {
    const TDirSnapshot before = Snapshot(Src());
    // A link that leads nowhere cannot be opened: the copy raises.
    fs::create_symlink(dir.File("nowhere"), Src() + "/sub/deeper/Z.TXT");
    const TDirSnapshot withLink = Snapshot(Src());
    for (const std::string& target : {dir.File("made/for/it/New.TRX"), Dst()}) {
        SCOPED_TRACE(target);
        const bool existed = target == Dst();
        if (existed) {
            fs::create_directories(target + "/sub");
            WriteAll(target + "/Keep.TXT", "keep");
        }
        const TDirSnapshot there = Snapshot(target);
        EXPECT_THROW(mgr.MoveFiles(Mask(), target, true, true), EFOpenError);
        EXPECT_EQ(Snapshot(Src()), withLink);
        EXPECT_EQ(Snapshot(target), there);
        EXPECT_EQ(fs::exists(target), existed);
    }
    EXPECT_FALSE(fs::exists(dir.File("made")));

    // Nothing to move: the destination is not made either.
    fs::create_directories(dir.File("Empty.TRX"));
    EXPECT_FALSE(mgr.MoveFiles(dir.File("Empty.TRX/*.*"), dir.File("Other.TRX"), true, true));
    EXPECT_FALSE(fs::exists(dir.File("Other.TRX")));
    fs::remove(Src() + "/sub/deeper/Z.TXT");
    EXPECT_EQ(Snapshot(Src()), before);
}

TEST_F(FileOperationsTest, AFullDiskStopsTheMoveWithEverySourceInPlace) {
    const TDirSnapshot before = Snapshot(Src());
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 6000; // A.TXT (10000 bytes) does not fit
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool moved = mgr.MoveFiles(Mask(), Dst(), true, true);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(moved);
    EXPECT_EQ(mgr.ErrorCount, 1);
    EXPECT_EQ(Snapshot(Src()), before);
    // The partial copy is gone, and so are the whole ones and the directory
    // that the move made.
    EXPECT_FALSE(fs::exists(Dst()));
}

TEST_F(FileOperationsTest, FailuresToOpenReadOrCreateAreReported) {
    try {
        mgr.FileCopy(Src() + "/Gone.TXT", Dst() + "/Gone.TXT");
        ADD_FAILURE() << "no open error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Printing Error: Cannot open file " + Src() + "/Gone.TXT");
    }
    try {
        mgr.FileCopy(Src() + "/A.TXT", dir.File("nowhere/A.TXT"));
        ADD_FAILURE() << "no create error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Printing Error: Cannot create file " + dir.File("nowhere/A.TXT"));
    }
    // A file stands where the destination directory should be made.
    WriteAll(dir.File("Blocked"), "");
    try {
        mgr.CopyFiles(Mask(), dir.File("Blocked/New.TRX"), false);
        ADD_FAILURE() << "no create error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Printing Error: Unable to create destination subdirectory: " + dir.File("Blocked/New.TRX/"));
    }
    EXPECT_FALSE(mgr.CopyFiles("", Dst(), true));
    EXPECT_FALSE(mgr.CopyFiles(Mask(), "", true));
    EXPECT_FALSE(mgr.DeleteFiles("", true));

    // Reading the process's own memory at address 0 fails at the first read.
    if (FileExists("/proc/self/mem")) {
        fs::create_directories(Dst());
        EXPECT_FALSE(mgr.FileCopy("/proc/self/mem", Dst() + "/mem"));
        EXPECT_FALSE(fs::exists(Dst() + "/mem"));
    }
}

TEST_F(FileOperationsTest, DeletingCountsEveryFileAndReportsWhatStays) {
    // A file held open cannot be deleted; the rest goes.
    const int held = FileOpen(Src() + "/sub/D.TXT", fmOpenRead | fmShareDenyNone);
    ASSERT_GE(held, 0);
    EXPECT_FALSE(mgr.DeleteFiles(Mask(), true));
    FileClose(held);
    EXPECT_EQ(mgr.Count, 5);
    EXPECT_EQ(mgr.ErrorCount, 2); // the file and its directory
    EXPECT_EQ(Snapshot(Src()), (TDirSnapshot{{"sub/", {}}, {"sub/D.TXT", Snapshot(Src()).at("sub/D.TXT")}}));

    // Without recursion subdirectories stay.
    TFileMgr flat;
    WriteAll(Src() + "/G.TXT", "g");
    EXPECT_TRUE(flat.DeleteFiles(Mask(), false));
    EXPECT_EQ(flat.Count, 1);
    EXPECT_TRUE(fs::exists(Src() + "/sub/D.TXT"));

    // A link to a directory elsewhere goes, what it leads to stays.
    fs::create_directories(dir.File("Elsewhere"));
    WriteAll(dir.File("Elsewhere/Keep.TXT"), "keep");
    fs::create_directory_symlink(dir.File("Elsewhere"), Src() + "/Link");
    EXPECT_TRUE(flat.DeleteFiles(Mask(), true));
    EXPECT_FALSE(fs::exists(Src() + "/Link"));
    EXPECT_EQ(ReadAll(dir.File("Elsewhere/Keep.TXT")), "keep");
}

} // namespace
} // namespace trx::test
