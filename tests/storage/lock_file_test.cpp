// The lock file protocol: its record, shared and exclusive holders, waiting
// on the fake clock, the stale-lock question, and re-creation that never
// takes the file from a live holder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "file_mgr_fixture.h"
#include "framework/core/file_utils.h"
#include "support/forms/scripted_ui.h"

namespace trx::test {
namespace {

class LockFileTest : public FileMgrTest {
protected:
    LockFileTest() {
        holder.DataDir = dir.Path();
        holder.InitVars("", "Other (001.001)");
    }
    ~LockFileTest() override { SetProcessMessagesHook(nullptr); }

    // Runs Action on every message check of a wait, with the milliseconds
    // waited so far.
    void WhileWaiting(std::function<void(int64_t Waited)> Action) {
        const int64_t start = GetTickCount();
        SetProcessMessagesHook([start, Action] { Action(GetTickCount() - start); });
    }

    TLockRcd ReadLockRcd() {
        TLockRcd r;
        const std::string bytes = ReadAll(LockFileName());
        if (bytes.size() >= sizeof(r)) std::memcpy(&r, bytes.data(), sizeof(r));
        return r;
    }

    static ino_t Inode(const std::string& Name) {
        struct stat st {};
        return stat(Name.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    TtrxFileMgr holder; // another program's manager
};

TEST_F(LockFileTest, RecordNamesTheOwnerAndTheTimeUntilReleased) {
    clock.Advance(4321);
    holder.InitVars("", "Other (001.001)"); // the owner's identifier starts with the tick count
    ASSERT_TRUE(holder.LockFile(LockModeShared));
    const std::string bytes = ReadAll(LockFileName());
    ASSERT_EQ(bytes.size(), 32u);
    const TLockRcd r = ReadLockRcd();
    EXPECT_EQ(r.IdStr(), holder.OurLockRcd.IdStr());
    EXPECT_EQ(ParseStr(r.IdStr(), 1, ":", ""), IntToStr(1004321));
    EXPECT_LE(r.IdLen, 20);
    EXPECT_EQ(bytes.substr(1 + r.IdLen, 23 - r.IdLen), std::string(23 - r.IdLen, '\0'));
    EXPECT_DOUBLE_EQ(r.Time, clock.LocalDateTime());
    EXPECT_TRUE(holder.Locked);
    EXPECT_TRUE(holder.UnLockFile());
    EXPECT_FALSE(holder.Locked);
    EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
    EXPECT_TRUE(holder.UnLockFile()); // nothing held: nothing to do
}

TEST_F(LockFileTest, ARecordLeftByAProgramThatEndedIsTakenOverAtOnce) {
    TLockRcd stale;
    stale.SetId("12345:678");
    stale.Time = 45000;
    WriteAll(LockFileName(), std::string(reinterpret_cast<const char*>(&stale), sizeof(stale)));
    const int64_t start = GetTickCount();
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_EQ(GetTickCount(), start);
    EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
}

TEST_F(LockFileTest, LoadsShareTheLockAndAChangeWaitsForThem) {
    ASSERT_TRUE(holder.LockFile(LockModeShared));
    const int64_t start = GetTickCount();
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_EQ(GetTickCount(), start); // no wait beside another load

    WhileWaiting([&](int64_t Waited) {
        if (Waited >= 1200) holder.UnLockFile();
    });
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_GE(GetTickCount() - start, 1200);
    EXPECT_LT(GetTickCount() - start, 1500);
    EXPECT_NE(Settings().find("[A (001.001)]"), std::string::npos);
}

TEST_F(LockFileTest, ALoadWaitsForAChange) {
    ASSERT_TRUE(holder.LockFile(LockModeExclusive));
    int polls = 0;
    WhileWaiting([&](int64_t Waited) {
        ++polls;
        if (Waited >= 3000) holder.UnLockFile();
    });
    const int64_t start = GetTickCount();
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_GE(GetTickCount() - start, 3000);
    EXPECT_GT(polls, 0);
}

TEST_F(LockFileTest, AHolderWithoutProgressBringsUpTheQuestion) {
    ASSERT_TRUE(holder.LockFile(LockModeExclusive));
    TScriptedUi ui;
    ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << m; };
    ui.AnswerMessage(mrRetry, "Lock has timed out");
    WhileWaiting([&](int64_t) {
        if (!ui.Calls().empty()) holder.UnLockFile(); // the holder goes away after the answer
    });
    const int64_t start = GetTickCount();
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_GT(GetTickCount() - start, 5000);
    ASSERT_EQ(ui.Calls().size(), 1u);
    const TDialogCall& call = ui.Calls()[0];
    EXPECT_EQ(call.Text, "Unable to obtain a lock for the ReportSettings file. Lock has timed out");
    EXPECT_EQ(call.Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(call.Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry}));
}

TEST_F(LockFileTest, AbortEndsTheOperationSilentlyAndLeavesTheHolderAlone) {
    SetSettings("[A (001.001)]\r\nPanelsAcrossPage=2\r\n");
    ASSERT_TRUE(holder.LockFile(LockModeExclusive));
    const TLockRcd held = ReadLockRcd();
    const ino_t inode = Inode(LockFileName());
    TScriptedUi ui;
    ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << m; };
    ui.AnswerMessage(mrRetry, "Lock has timed out").AnswerMessage(mrAbort, "Lock has timed out");
    run.RS().PanelsAcrossPage = 5;
    EXPECT_THROW(Save("", "A (001.001)"), EAbort);
    EXPECT_EQ(ui.Calls().size(), 2u);
    EXPECT_FALSE(mgr.Locked);
    EXPECT_EQ(mgr.RSFList, nullptr);
    EXPECT_EQ(Settings(), "[A (001.001)]\r\nPanelsAcrossPage=2\r\n");
    EXPECT_EQ(Inode(LockFileName()), inode);
    EXPECT_EQ(ReadLockRcd().IdStr(), held.IdStr());
    EXPECT_TRUE(holder.Locked);
}

TEST_F(LockFileTest, AHolderThatMakesProgressIsWaitedFor) {
    ASSERT_TRUE(holder.LockFile(LockModeExclusive));
    TScriptedUi ui; // no answer queued: a question would fail the test
    ui.OnFailure = [](const std::string& m) { ADD_FAILURE() << m; };
    int hours = 0;
    int64_t touched = 0;
    WhileWaiting([&](int64_t Waited) {
        if (Waited - touched >= 3000) { // the holder's lock file changes now and then
            touched = Waited;
            ASSERT_EQ(FileSetDate(LockFileName(), DateTimeToFileDate(EncodeDate(2020, 1, 1) + ++hours / 24.0)), 0);
        }
        if (Waited >= 20000) holder.UnLockFile();
    });
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(LockFileTest, ALockNotObtainedInSixSecondsEndsTheOperationUndone) {
    // A holder that goes away while another program removes the lock file
    // again and again: each re-created file is lost before it can be used,
    // so the wait ends after six seconds without the lock.
    SetSettings("[ANN:A (001.001)]\r\nPanelsAcrossPage=2\r\n");
    const std::string file = Settings();
    auto removeEveryTime = [&](int64_t) {
        if (holder.Locked) holder.UnLockFile();
        (void)std::remove(LockFileName().c_str());
    };

    ASSERT_TRUE(holder.LockFile(LockModeExclusive));
    WhileWaiting(removeEveryTime);
    run.RS().PanelsAcrossPage = 7;
    int64_t start = GetTickCount();
    EXPECT_FALSE(Load("ANN", "A (001.001)"));
    EXPECT_GT(GetTickCount() - start, 6000);
    EXPECT_LT(GetTickCount() - start, 6300);
    EXPECT_EQ(run.RS().PanelsAcrossPage, 1); // the defaults, not the section
    EXPECT_FALSE(mgr.Locked);
    EXPECT_FALSE(mgr.LckFile.IsOpen());
    EXPECT_EQ(mgr.RSFList, nullptr);

    for (int op = 0; op < 3; ++op) {
        SetProcessMessagesHook(nullptr);
        ASSERT_TRUE(holder.LockFile(LockModeExclusive));
        WhileWaiting(removeEveryTime);
        TtrxUserName user = "ANN";
        TtrxReportId id = "A (001.001)";
        start = GetTickCount();
        if (op == 0) {
            run.RS().PanelsAcrossPage = 5;
            EXPECT_FALSE(mgr.SaveReportSettings(user, id, true));
        } else if (op == 1) {
            EXPECT_FALSE(mgr.RenameReportSettings("ANN", "A (001.001)", "BOB", "B (002.002)", false, user, id));
        } else {
            EXPECT_FALSE(mgr.DeleteReportSettings("ANN", "A (001.001)"));
        }
        EXPECT_GT(GetTickCount() - start, 6000) << op;
        // Nothing changed, and the results keep the caller's values.
        EXPECT_EQ(user.str(), "ANN") << op;
        EXPECT_EQ(id.str(), "A (001.001)") << op;
        EXPECT_EQ(Settings(), file) << op;
        EXPECT_FALSE(FileExists(dir.File("RptSet.$$$"))) << op;
        EXPECT_FALSE(mgr.LckFile.IsOpen()) << op;
        EXPECT_EQ(mgr.RSFList, nullptr) << op;
    }
    SetProcessMessagesHook(nullptr);
    ASSERT_TRUE(Load("ANN", "A (001.001)"));
    EXPECT_EQ(run.RS().PanelsAcrossPage, 2);
}

TEST_F(LockFileTest, ReCreationNeverTakesTheFileFromAHolder) {
    ASSERT_TRUE(holder.LockFile(LockModeShared));
    const TLockRcd held = ReadLockRcd();
    const ino_t inode = Inode(LockFileName());
    mgr.InitVars("", "A (001.001)");
    // Refused without a question: a load racing with another load tries again.
    EXPECT_NO_THROW(mgr.RecreateLockFile(false));
    EXPECT_EQ(Inode(LockFileName()), inode);
    EXPECT_EQ(ReadLockRcd().IdStr(), held.IdStr());
    holder.UnLockFile();
    // Without a holder the file is emptied in place.
    mgr.RecreateLockFile(false);
    EXPECT_TRUE(mgr.LckFile.IsOpen());
    EXPECT_EQ(Inode(LockFileName()), inode);
    EXPECT_EQ(ReadAll(LockFileName()), "");
    mgr.LckFile.CloseFile();
}

TEST_F(LockFileTest, ALockFileThatCannotBeReCreatedIsReported) {
    mgr.DataDir = dir.File("missing");
    mgr.InitVars("", "A (001.001)");
    try {
        mgr.RecreateLockFile(false);
        FAIL() << "no error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: Unable to create ReportSettings lock file \"" +
                                 dir.File("missing/TBXLOCK.$$$") + "\"\rI/O Error: 3");
    }
}

TEST_F(LockFileTest, AMissingLockFileIsCreated) {
    ASSERT_TRUE(Load("", "A (001.001)"));
    EXPECT_TRUE(FileExists(LockFileName()));
    ASSERT_TRUE(DeleteFile(LockFileName()));
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
}

TEST_F(LockFileTest, ALockFileThatCannotBeCreatedIsReportedByName) {
    // The data directory is gone.
    mgr.DataDir = dir.File("gone");
    try {
        Load("", "A (001.001)");
        FAIL() << "no error";
    } catch (const ETrxError&) {
        FAIL() << "the framework's exception was expected";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Unable to create file \"" + dir.File("gone/TBXLOCK.$$$") + "\". I/O Error:3");
    }
    EXPECT_EQ(mgr.RSFList, nullptr);
}

TEST_F(LockFileTest, ALockFileThatIsNoPlainFileFailsAtOnceNamingIt) {
    const struct {
        const char* What;
        std::function<int(const std::string&)> Make;
    } kinds[] = {
        {"a FIFO", [](const std::string& Name) { return mkfifo(Name.c_str(), 0666); }},
        {"a directory", [](const std::string& Name) { return mkdir(Name.c_str(), 0755); }},
        {"a device", [](const std::string& Name) { return symlink("/dev/null", Name.c_str()); }},
    };
    for (const auto& kind : kinds) {
        for (const bool save : {false, true}) {
            SCOPED_TRACE(::testing::Message() << (save ? "save" : "load") << " with " << kind.What);
            ASSERT_EQ(kind.Make(LockFileName()), 0);
            // In a child that the watchdog ends should it wait for ever.
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                alarm(10);
                int code = 1;
                const int64_t start = GetTickCount();
                try {
                    if (save)
                        Save("", "A (001.001)");
                    else
                        Load("", "A (001.001)");
                    std::fprintf(stderr, "no error\n");
                } catch (const ETrxError& e) {
                    std::fprintf(stderr, "%s\n", e.Message.c_str());
                } catch (const Exception& e) {
                    if (e.Message ==
                            "Unable to create file \"" + LockFileName() + "\": it is not a regular file. I/O Error:5" &&
                        GetTickCount() == start)
                        code = 0;
                    else
                        std::fprintf(stderr, "%s after %lld ms\n", e.Message.c_str(),
                                     static_cast<long long>(GetTickCount() - start));
                }
                _exit(code);
            }
            int status = 0;
            while (waitpid(pid, &status, 0) < 0) {}
            EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
            EXPECT_EQ(WEXITSTATUS(status), 0);
            EXPECT_FALSE(FileExists(SettingsFileName())); // nothing was done
            std::filesystem::remove(LockFileName());
        }
    }
}

TEST_F(LockFileTest, TheDestructorReleasesAHeldLock) {
    {
        TtrxFileMgr m;
        m.DataDir = dir.Path();
        m.InitVars("", "A (001.001)");
        m.InitRSFList();
        ASSERT_TRUE(m.LockFile(LockModeExclusive));
    }
    EXPECT_EQ(ReadAll(LockFileName()), std::string(32, '\0'));
    const int64_t start = GetTickCount();
    ASSERT_TRUE(Save("", "A (001.001)"));
    EXPECT_EQ(GetTickCount(), start);
}

} // namespace
} // namespace trx::test
