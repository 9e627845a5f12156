#include "framework/core/file_utils.h"

#include <set>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/core/file_search.h"
#include "framework/core/text_file.h"
#include "support/temp_dir.h"

namespace trx {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

TEST(FileNames, PartsOfANameFollowTheFrameworksRules) {
    EXPECT_EQ(ExtractFilePath("/data/App.TRX/RptSet.TXT"), "/data/App.TRX/");
    EXPECT_EQ(ExtractFileDir("/data/App.TRX/RptSet.TXT"), "/data/App.TRX");
    EXPECT_EQ(ExtractFileName("/data/App.TRX/RptSet.TXT"), "RptSet.TXT");
    EXPECT_EQ(ExtractFileExt("/data/App.TRX/RptSet.TXT"), ".TXT");
    // A dot in a directory name is no extension.
    EXPECT_EQ(ExtractFileExt("/data/App.TRX/README"), "");
    EXPECT_EQ(ChangeFileExt("/data/App.TRX/README", ".$$$"), "/data/App.TRX/README.$$$");
    EXPECT_EQ(ChangeFileExt("/data/App.TRX/RptSet.TXT", ".$$$"), "/data/App.TRX/RptSet.$$$");
    EXPECT_EQ(ChangeFileExt("/apps/prog.exe", ".TRX"), "/apps/prog.TRX");
    EXPECT_EQ(ChangeFileExt("a.tar.gz", ""), "a.tar");
    EXPECT_EQ(ExtractFileExt(".profile"), ".profile");
    EXPECT_EQ(ExtractFileExt("name."), ".");

    EXPECT_EQ(ExtractFileDir("/file"), "/");
    EXPECT_EQ(ExtractFileDir("dir/"), "dir");
    EXPECT_EQ(ExtractFileDir("file"), "");
    EXPECT_EQ(ExtractFilePath("file"), "");
    EXPECT_EQ(ExtractFileName("dir/"), "");

    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
}

TEST(FileNames, ExpandFileNameResolvesByName) {
    EXPECT_EQ(ExpandFileName("/a/./b//c/../d"), "/a/b/d");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/../.."), "/");
    EXPECT_EQ(ExpandFileName(""), "");
    EXPECT_EQ(ExpandFileName("x/y.txt"), GetCurrentDir() + "/x/y.txt");

    TempDir dir;
    const std::string old = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir.Path()));
    EXPECT_EQ(ExpandFileName("../" + ExtractFileName(dir.Path()) + "/f"), dir.Path() + "/f");
    ASSERT_TRUE(SetCurrentDir(old));
    EXPECT_FALSE(SetCurrentDir(dir.File("none")));
    EXPECT_EQ(LastFileOpError(), 2);
}

TEST(Files, DirectoriesAreMadeAndRemoved) {
    TempDir dir;
    const std::string deep = dir.File("a/b.TRX/c");
    EXPECT_FALSE(CreateDir(deep));
    EXPECT_EQ(LastFileOpError(), 3);
    EXPECT_TRUE(ForceDirectories(deep + "/"));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_FALSE(CreateDir(deep));
    EXPECT_EQ(LastFileOpError(), 183);
    EXPECT_THROW(ForceDirectories(""), EInOutError);

    WriteAll(deep + "/f", "x");
    EXPECT_TRUE(FileExists(deep + "/f"));
    EXPECT_FALSE(DirectoryExists(deep + "/f"));
    EXPECT_FALSE(RemoveDir(deep));
    EXPECT_EQ(LastFileOpError(), 145);
    EXPECT_FALSE(DeleteFile(deep)); // a directory is no file
    EXPECT_TRUE(DeleteFile(deep + "/f"));
    EXPECT_FALSE(DeleteFile(deep + "/f"));
    EXPECT_EQ(LastFileOpError(), 2);
    EXPECT_TRUE(RemoveDir(deep));

    // A file standing where a directory should be.
    WriteAll(dir.File("plain"), "x");
    EXPECT_FALSE(ForceDirectories(dir.File("plain/sub")));
}

TEST(Files, RenameNeverReplacesAndOpenFilesStay) {
    TempDir dir;
    const std::string a = dir.File("RptSet.$$$"), b = dir.File("RptSet.TXT");
    WriteAll(a, "new");
    WriteAll(b, "old");
    EXPECT_FALSE(RenameFile(a, b));
    EXPECT_EQ(LastFileOpError(), 183);
    EXPECT_EQ(ReadAll(b), "old");
    EXPECT_TRUE(DeleteFile(b));
    EXPECT_TRUE(RenameFile(a, b));
    EXPECT_EQ(ReadAll(b), "new");
    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(RenameFile(a, b));
    EXPECT_EQ(LastFileOpError(), 2);

    // Directories move too.
    ASSERT_TRUE(CreateDir(dir.File("Old.TRX")));
    EXPECT_TRUE(RenameFile(dir.File("Old.TRX"), dir.File("New.TRX")));
    EXPECT_TRUE(DirectoryExists(dir.File("New.TRX")));

    // A file held open cannot be deleted or renamed.
    TTextFile f(b);
    f.Reset();
    ASSERT_EQ(f.IOResult(), 0);
    EXPECT_TRUE(FileIsInUse(b));
    EXPECT_FALSE(DeleteFile(b));
    EXPECT_EQ(LastFileOpError(), 32);
    EXPECT_FALSE(RenameFile(b, a));
    EXPECT_EQ(LastFileOpError(), 32);
    f.CloseFile();
    EXPECT_FALSE(FileIsInUse(b));
    EXPECT_TRUE(RenameFile(b, a));
    EXPECT_TRUE(DeleteFile(a));
}

TEST(FileSearch, MasksFollowThePlatformsWildcards) {
    struct Case {
        const char* Name;
        const char* Mask;
        bool Matches;
    };
    const Case cases[] = {
        {"RptSet.TXT", "*.*", true},
        {"noext", "*.*", true},
        {"noext", "*", true},
        {"RptSet.TXT", "*.txt", true},
        {"a.b.txt", "*.TXT", true},
        {"a.txt.bak", "*.txt", false},
        {"noext", "*.", true},
        {"x.txt", "*.", false},
        {"DATA.TXT", "data?.txt", true},
        {"DATA1.TXT", "data?.txt", true},
        {"DATA12.TXT", "data?.txt", false},
        {"ab", "a?", true},
        {"a", "a?", true},
        {"abc", "a?", false},
        {"Prog.TRX", "*.trx", true},
        {"TBXLOCK.$$$", "tbxlock.$$$", true},
        {"TBXLOCK.$$$x", "tbxlock.$$$", false},
        {"x", "", false},
        {".hidden", "*.*", true},
        {"a.b", "a.b.*", true},
        {"a.b", "?.?", true},
    };
    for (const auto& c : cases) EXPECT_EQ(FileNameMatches(c.Name, c.Mask), c.Matches) << c.Name << " ~ " << c.Mask;
}

std::vector<std::string> Find(const std::string& Path, int Attr) {
    std::vector<std::string> names;
    TSearchRec rec;
    for (int r = FindFirst(Path, Attr, rec); r == 0; r = FindNext(rec)) names.push_back(rec.Name);
    FindClose(rec);
    return names;
}

TEST(FileSearch, FindsEntriesByMaskAndAttributes) {
    TempDir dir;
    WriteAll(dir.File("b.TXT"), "12345");
    WriteAll(dir.File("a.txt"), "");
    WriteAll(dir.File("noext"), "");
    WriteAll(dir.File(".hidden"), "");
    ASSERT_TRUE(CreateDir(dir.File("Sub.TRX")));
    ASSERT_TRUE(CreateDir(dir.File("plain")));

    using V = std::vector<std::string>;
    EXPECT_EQ(Find(dir.File("*.*"), 0), (V{"a.txt", "b.TXT", "noext"}));
    EXPECT_EQ(Find(dir.File("*.TXT"), 0), (V{"a.txt", "b.TXT"}));
    EXPECT_EQ(Find(dir.File("*.*"), faHidden), (V{".hidden", "a.txt", "b.TXT", "noext"}));
    EXPECT_EQ(Find(dir.File("*.trx"), faDirectory), (V{"Sub.TRX"}));
    EXPECT_EQ(Find(dir.File("*.*"), faDirectory), (V{".", "..", "a.txt", "b.TXT", "noext", "plain", "Sub.TRX"}));
    EXPECT_EQ(Find(dir.File("B.txt"), 0), (V{"b.TXT"})); // the name as stored

    TSearchRec rec;
    ASSERT_EQ(FindFirst(dir.File("b.txt"), faAnyFile, rec), 0);
    EXPECT_EQ(rec.Size, 5);
    EXPECT_EQ(rec.Attr & faDirectory, 0);
    EXPECT_EQ(rec.Time, FileAge(dir.File("b.TXT")));
    EXPECT_EQ(FindNext(rec), 18);
    FindClose(rec);
    ASSERT_EQ(FindFirst(dir.File("sub.trx"), faDirectory, rec), 0);
    EXPECT_EQ(rec.Attr & faDirectory, faDirectory);
    EXPECT_EQ(rec.Size, 0);

    EXPECT_EQ(FindFirst(dir.File("*.xyz"), faAnyFile, rec), 2);
    EXPECT_EQ(FindFirst(dir.File("plain"), 0, rec), 2); // a directory without faDirectory
    EXPECT_EQ(FindFirst(dir.File("missing/*.*"), faAnyFile, rec), 3);

    // Without a directory part the current directory is searched.
    const std::string old = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir.Path()));
    EXPECT_EQ(Find("*.txt", 0), (V{"a.txt", "b.TXT"}));
    ASSERT_TRUE(SetCurrentDir(old));
}

TEST(FileDates, PackedDatesConvertBothWays) {
    const int32_t packed = static_cast<int32_t>((10273u << 16) | 28079u); // 1 Jan 2000, 13:45:30
    const TDateTime when = 36526.0 + (13 * 3600 + 45 * 60 + 30) / 86400.0;
    EXPECT_DOUBLE_EQ(FileDateToDateTime(packed), when);
    EXPECT_EQ(DateTimeToFileDate(when), packed);
    EXPECT_EQ(DateTimeToFileDate(when + 1 / 86400.0), packed); // two-second steps
    EXPECT_EQ(DateTimeToFileDate(1000.0), 0); // before 1980
    EXPECT_EQ(FileDateToDateTime(0), 0.0);

    TempDir dir;
    const std::string name = dir.File("dated");
    WriteAll(name, "x");
    EXPECT_EQ(FileSetDate(name, packed), 0);
    EXPECT_EQ(FileAge(name), packed);
    TDateTime age = 0;
    EXPECT_TRUE(FileAge(name, age));
    EXPECT_DOUBLE_EQ(age, when);
    EXPECT_EQ(FileAge(dir.File("none")), -1);
    EXPECT_EQ(FileAge(dir.Path()), -1);
    EXPECT_FALSE(FileAge(dir.File("none"), age));
    EXPECT_EQ(FileSetDate(name, 0), 87);

    // Through handles, as a copy carries the date of its source.
    const int src = FileOpen(name, fmOpenRead | fmShareDenyWrite);
    const int dst = FileCreate(dir.File("copy"));
    ASSERT_GE(src, 0);
    ASSERT_GE(dst, 0);
    EXPECT_EQ(FileSetDate(dst, FileGetDate(src)), 0);
    FileClose(src);
    FileClose(dst);
    EXPECT_EQ(FileAge(dir.File("copy")), packed);
}

TEST(Program, ExeFileNameCanBeSetForTests) {
    const std::string real = ExeFileName();
    EXPECT_FALSE(real.empty());
    EXPECT_EQ(real.front(), '/');
    SetExeFileName("/apps/Demo.exe");
    EXPECT_EQ(ExeFileName(), "/apps/Demo.exe");
    SetExeFileName("");
    EXPECT_EQ(ExeFileName(), real);
}

} // namespace
} // namespace trx
