#include "framework/core/text_file.h"

#include <cstring>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "framework/core/file_search.h"
#include "framework/core/file_utils.h"
#include "support/temp_dir.h"

namespace trx {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

std::vector<std::string> ReadLines(const std::string& Name) {
    std::vector<std::string> lines;
    TTextFile f(Name);
    f.Reset();
    EXPECT_EQ(f.IOResult(), 0);
    while (!f.Eof()) {
        std::string s;
        f.ReadLn(s);
        lines.push_back(s);
    }
    EXPECT_EQ(f.IOResult(), 0);
    return lines;
}

TEST(TextFile, ReadLnEndsAtLfAndDropsTheCrBeforeIt) {
    TempDir dir;
    using V = std::vector<std::string>;
    const char bytes[] = "crlf\r\nlf\nlone\rcr\n\r\n\xC4\xB3\x00z\r\nlast";
    WriteAll(dir.File("a"), std::string(bytes, sizeof bytes - 1));
    EXPECT_EQ(ReadLines(dir.File("a")), (V{"crlf", "lf", "lone\rcr", "", std::string("\xC4\xB3\x00z", 4), "last"}));
    WriteAll(dir.File("b"), "one\r\n");
    EXPECT_EQ(ReadLines(dir.File("b")), (V{"one"}));
    WriteAll(dir.File("c"), "");
    EXPECT_EQ(ReadLines(dir.File("c")), V{});

    // Reading on at the end gives empty lines and no error.
    TTextFile f(dir.File("b"));
    f.Reset();
    std::string s = "x";
    f.ReadLn(s);
    f.ReadLn(s);
    EXPECT_EQ(s, "");
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.IOResult(), 0);
}

TEST(TextFile, ReadGivesEveryByteAndCtrlZAtTheEnd) {
    TempDir dir;
    WriteAll(dir.File("a"), "a\r\nb");
    TTextFile f(dir.File("a"));
    f.Reset();
    std::string got;
    while (!f.Eof()) {
        char c;
        f.Read(c);
        got += c;
    }
    EXPECT_EQ(got, "a\r\nb");
    char c = 0;
    f.Read(c);
    EXPECT_EQ(c, 26);
    EXPECT_EQ(f.IOResult(), 0);
    // ReadLn and Read mix on one position.
    f.Reset();
    f.Read(c);
    std::string rest;
    f.ReadLn(rest);
    EXPECT_EQ(rest, "");
    f.ReadLn(rest);
    EXPECT_EQ(rest, "b");
}

TEST(TextFile, LinesSpanningTheReadBuffer) {
    TempDir dir;
    // The CR of the first line break ends one buffer and its LF begins the next.
    const std::string first(65535, 'x');
    const std::string second(100000, 'y');
    WriteAll(dir.File("big"), first + "\r\n" + second + "\n" + "tail");
    const auto lines = ReadLines(dir.File("big"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], second);
    EXPECT_EQ(lines[2], "tail");
}

TEST(TextFile, RewriteAndAppendWriteCrLfLines) {
    TempDir dir;
    const std::string name = dir.File("Rpt.Txt");
    TTextFile f(name);
    f.Rewrite();
    EXPECT_EQ(f.Mode(), fmOutput);
    f.WriteLn("\xDA\xC4\xBF");
    f.Write("no break ");
    f.Write('!');
    f.WriteLn();
    f.CloseFile();
    EXPECT_EQ(f.IOResult(), 0);
    EXPECT_EQ(f.Mode(), fmClosed);
    EXPECT_EQ(ReadAll(name), "\xDA\xC4\xBF\r\nno break !\r\n");

    f.Append();
    f.WriteLn("\f");
    f.CloseFile();
    EXPECT_EQ(ReadAll(name), "\xDA\xC4\xBF\r\nno break !\r\n\f\r\n");

    f.Rewrite(); // empties the file
    f.WriteLn("new");
    f.Flush();
    EXPECT_EQ(ReadAll(name), "new\r\n");
    f.CloseFile();
    EXPECT_EQ(f.IOResult(), 0);

    // Reset of an open file closes it first.
    f.Reset();
    f.Reset();
    EXPECT_EQ(f.IOResult(), 0);
    EXPECT_EQ(f.Mode(), fmInput);
}

TEST(TextFile, FailuresGiveIOResultCodesAndStopLaterWork) {
    TempDir dir;
    WriteAll(dir.File("there"), "line\r\n");
    TTextFile f;
    f.Reset();
    EXPECT_EQ(f.IOResult(), 102); // no name assigned
    f.AssignFile(dir.File("missing.txt"));
    f.Reset();
    EXPECT_EQ(f.IOResult(), 2);
    f.Append();
    EXPECT_EQ(f.IOResult(), 2);
    f.AssignFile(dir.File("nodir/missing.txt"));
    f.Reset();
    EXPECT_EQ(f.IOResult(), 3);
    f.Rewrite();
    EXPECT_EQ(f.IOResult(), 3);
    f.AssignFile(dir.Path());
    f.Reset();
    EXPECT_EQ(f.IOResult(), 5);
    f.Rewrite();
    EXPECT_EQ(f.IOResult(), 5);

    // After a failure nothing happens until the code is read.
    f.AssignFile(dir.File("missing.txt"));
    f.Reset();
    f.AssignFile(dir.File("there"));
    f.Reset();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.IOResult(), 2);
    EXPECT_EQ(f.IOResult(), 0);
    f.Reset();
    EXPECT_EQ(f.IOResult(), 0);
    std::string s;
    f.ReadLn(s);
    EXPECT_EQ(s, "line");

    // Wrong direction, and closing twice.
    f.WriteLn("x");
    EXPECT_EQ(f.IOResult(), 105);
    f.CloseFile();
    f.CloseFile();
    EXPECT_EQ(f.IOResult(), 103);
    f.ReadLn(s);
    EXPECT_EQ(f.IOResult(), 103);
    f.Rewrite();
    f.ReadLn(s);
    EXPECT_EQ(f.IOResult(), 104);
    // CloseFile closes even while a code is pending, and keeps that code.
    f.ReadLn(s);
    f.CloseFile();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.IOResult(), 104);
    EXPECT_THROW(InOutCheck(104), EInOutError);
    try {
        InOutCheck(2);
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 2);
        EXPECT_EQ(e.Message, "File not found");
    }
    EXPECT_NO_THROW(InOutCheck(0));
}

struct TLockRecord {
    uint8_t IdLength;
    char Id[20];
    uint8_t Reserved[3];
    double Time;
};
static_assert(sizeof(TLockRecord) == 32);

TEST(RecordFile, RecordsAreReadWrittenAndCounted) {
    TempDir dir;
    const std::string name = dir.File("TBXLOCK.$$$");
    TFileOf<TLockRecord> f(name);
    f.Reset();
    EXPECT_EQ(f.IOResult(), 2);
    f.Rewrite();
    ASSERT_EQ(f.IOResult(), 0);
    TLockRecord r{};
    for (int i = 0; i < 3; ++i) {
        r.IdLength = static_cast<uint8_t>(i + 1);
        r.Time = 45000.5 + i;
        f.Write(r);
    }
    EXPECT_EQ(f.FileSize(), 3);
    EXPECT_EQ(f.FilePos(), 3);
    EXPECT_TRUE(f.Eof());
    f.Seek(1);
    f.Read(r);
    EXPECT_EQ(r.IdLength, 2);
    EXPECT_EQ(r.Time, 45001.5);
    EXPECT_EQ(f.FilePos(), 2);
    f.Truncate();
    EXPECT_EQ(f.FileSize(), 2);
    f.Read(r);
    EXPECT_EQ(f.IOResult(), 100);
    f.Seek(-1);
    EXPECT_EQ(f.IOResult(), 131);
    f.CloseFile();
    EXPECT_EQ(ReadAll(name).size(), 64u);

    // A partial record reads as none and leaves the position alone.
    WriteAll(name, ReadAll(name) + "tail");
    f.Reset();
    EXPECT_EQ(f.FileSize(), 2);
    f.Seek(2);
    f.Read(r);
    EXPECT_EQ(f.IOResult(), 100);
    EXPECT_EQ(f.FilePos(), 2);

    // Access follows FileMode.
    f.FileMode = fmOpenRead;
    f.Reset();
    EXPECT_EQ(f.Mode(), fmInput);
    f.Write(r);
    EXPECT_EQ(f.IOResult(), 5);
    f.FileMode = fmOpenWrite;
    f.Reset();
    f.Read(r);
    EXPECT_EQ(f.IOResult(), 5);
    f.CloseFile();
}

// The modes of the settings lock: 66 loads (read and write, deny none), 18
// changes (read and write, exclusive), 0 looks at the file (read only).
constexpr uint16_t kLoadMode = fmOpenReadWrite | fmShareDenyNone;
constexpr uint16_t kSaveMode = fmOpenReadWrite | fmShareExclusive;

int OpenWith(TRecordFile& F, uint16_t Mode) {
    F.FileMode = Mode;
    F.Reset();
    return F.IOResult();
}

TEST(ShareModes, TwoFileObjectsOfOneProcessExcludeEachOther) {
    TempDir dir;
    const std::string name = dir.File("TBXLOCK.$$$");
    WriteAll(name, std::string(32, '\0'));
    TRecordFile a(32), b(32), c(32);
    a.AssignFile(name);
    b.AssignFile(name);
    c.AssignFile(name);

    EXPECT_EQ(OpenWith(a, kLoadMode), 0);
    EXPECT_EQ(OpenWith(b, kLoadMode), 0); // loads share the lock
    EXPECT_EQ(OpenWith(c, kSaveMode), 32);
    EXPECT_EQ(OpenWith(c, fmOpenRead), 0); // compat allows the others here
    c.CloseFile();
    a.CloseFile();
    EXPECT_EQ(OpenWith(c, kSaveMode), 32);
    b.CloseFile();
    EXPECT_EQ(OpenWith(c, kSaveMode), 0); // a change holds it alone
    EXPECT_EQ(OpenWith(a, kLoadMode), 32);
    EXPECT_EQ(OpenWith(a, fmOpenRead), 32);
    a.FileMode = kLoadMode;
    a.Rewrite();
    EXPECT_EQ(a.IOResult(), 32);
    EXPECT_EQ(ReadAll(name).size(), 32u); // not emptied by the refused Rewrite
    // The directory entry can still be looked at, but not deleted.
    TSearchRec rec;
    EXPECT_EQ(FindFirst(dir.File("tbxlock.$$$"), faAnyFile, rec), 0);
    EXPECT_EQ(rec.Name, "TBXLOCK.$$$");
    EXPECT_FALSE(DeleteFile(name));
    c.CloseFile();
    EXPECT_EQ(OpenWith(a, kLoadMode), 0);
}

TEST(ShareModes, FollowThePlatformsRuleForEveryPair) {
    TempDir dir;
    const std::string name = dir.File("f");
    WriteAll(name, "x");
    const uint16_t access[] = {fmOpenRead, fmOpenWrite, fmOpenReadWrite};
    const uint16_t share[] = {fmShareExclusive, fmShareDenyWrite, fmShareDenyRead, fmShareDenyNone};
    auto reads = [](uint16_t a) { return a != fmOpenWrite; };
    auto writes = [](uint16_t a) { return a != fmOpenRead; };
    auto sharesRead = [](uint16_t s) { return s == fmShareDenyWrite || s == fmShareDenyNone; };
    auto sharesWrite = [](uint16_t s) { return s == fmShareDenyRead || s == fmShareDenyNone; };
    for (uint16_t a1 : access)
        for (uint16_t s1 : share)
            for (uint16_t a2 : access)
                for (uint16_t s2 : share) {
                    const int h1 = FileOpen(name, a1 | s1);
                    ASSERT_GE(h1, 0);
                    const int h2 = FileOpen(name, a2 | s2);
                    const bool allowed = (!reads(a2) || sharesRead(s1)) && (!writes(a2) || sharesWrite(s1)) &&
                                         (!reads(a1) || sharesRead(s2)) && (!writes(a1) || sharesWrite(s2));
                    EXPECT_EQ(h2 >= 0, allowed) << a1 << "|" << s1 << " then " << a2 << "|" << s2;
                    if (h2 < 0) {
                        EXPECT_EQ(LastFileError(), 32);
                    }
                    FileClose(h2);
                    FileClose(h1);
                }
}

TEST(ShareModes, TextFilesAllowReadersButOneWriter) {
    TempDir dir;
    const std::string name = dir.File("RptSet.TXT");
    WriteAll(name, "[S]\r\n");
    TTextFile r1(name), r2(name), w(name);
    r1.Reset();
    r2.Reset();
    EXPECT_EQ(r1.IOResult() + r2.IOResult(), 0);
    w.Rewrite();
    EXPECT_EQ(w.IOResult(), 32);
    w.Append();
    EXPECT_EQ(w.IOResult(), 32);
    EXPECT_EQ(ReadAll(name), "[S]\r\n");
    r1.CloseFile();
    r2.CloseFile();
    w.Append();
    EXPECT_EQ(w.IOResult(), 0);
    r1.Reset();
    EXPECT_EQ(r1.IOResult(), 32);
}

TEST(ShareModes, AnotherProcessIsExcludedToo) {
    TempDir dir;
    const std::string name = dir.File("TBXLOCK.$$$");
    WriteAll(name, std::string(32, '\0'));
    int toParent[2], toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        TRecordFile lock(32);
        lock.AssignFile(name);
        const char status = OpenWith(lock, kSaveMode) == 0 ? 'L' : 'E';
        (void)!write(toParent[1], &status, 1);
        char go;
        (void)!read(toChild[0], &go, 1);
        lock.CloseFile();
        _exit(0);
    }
    char status = 0;
    ASSERT_EQ(read(toParent[0], &status, 1), 1);
    ASSERT_EQ(status, 'L');
    TRecordFile mine(32);
    mine.AssignFile(name);
    EXPECT_EQ(OpenWith(mine, kLoadMode), 32);
    EXPECT_EQ(OpenWith(mine, fmOpenRead), 32);
    EXPECT_TRUE(FileIsInUse(name));
    ASSERT_EQ(write(toChild[1], "g", 1), 1);
    int wstatus = 0;
    ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
    EXPECT_EQ(OpenWith(mine, kLoadMode), 0);
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
}

} // namespace
} // namespace trx
