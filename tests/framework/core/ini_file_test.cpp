#include "framework/core/ini_file.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "framework/core/file_search.h"
#include "framework/core/file_utils.h"
#include "support/temp_dir.h"
#include "support/watched_child.h"

namespace trx {
namespace {

using test::InWatchedChild;
using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// Sets an environment variable for one test and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* Name, const std::string& Value) : name_(Name) {
        if (const char* old = std::getenv(Name)) old_ = old;
        setenv(Name, Value.c_str(), 1);
    }
    ~TScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string Lines(const TStrings& S) {
    std::string r;
    for (int i = 0; i < S.Count(); ++i) r += S[i] + "|";
    return r;
}

TEST(IniFile, WriteKeepsUnrelatedContentAndPassesBytesUnchanged) {
    TempDir dir;
    const std::string name = dir.File("prefs.ini");
    WriteAll(name,
             "; written by hand\n"
             "stray line before any section\n"
             "[Other]\n"
             "Zeta=26\n"
             "alpha = 1\n"
             "\n"
             "[Default]\n"
             "Show Hint=1\n"
             "; a comment inside\n"
             "\n"
             "[Last]\n"
             "x=y");
    TIniFile ini(name);
    const std::string ibm = "\xDA\xC4\xC2\xC2\xC4\xC2\xBF ";
    ini.WriteString("default", "show hint", "0");
    ini.WriteString("Default", "Report-Grid IBM LineDraw0", ibm);
    ini.WriteString("Last", "New", "v");
    ini.WriteString("Brand New", "k", "1");

    EXPECT_EQ(ReadAll(name),
              "; written by hand\n"
              "stray line before any section\n"
              "[Other]\n"
              "Zeta=26\n"
              "alpha = 1\n"
              "\n"
              "[Default]\n"
              "Show Hint=0\n"
              "; a comment inside\n"
              "Report-Grid IBM LineDraw0=" +
                  ibm +
                  "\n"
                  "\n"
                  "[Last]\n"
                  "x=y\n"
                  "New=v\n"
                  "\n"
                  "[Brand New]\n"
                  "k=1\n");
    // The trailing blank of the line-drawing row is lost on reading, as on
    // the platform; the bytes before it are intact.
    EXPECT_EQ(TIniFile(name).ReadString("DEFAULT", "report-grid ibm linedraw0", ""), ibm.substr(0, 7));
    EXPECT_EQ(ini.ReadString("Other", "ALPHA", ""), "1");
}

TEST(IniFile, NewFileUsesCrLfAndBareNamesLandInTheWindowsDirectory) {
    TempDir dir;
    const std::string winDir = dir.File("windows/sub");
    TScopedEnv env("TRX_WINDOWS_DIR", winDir);
    EXPECT_EQ(WindowsDirectory(), winDir);

    TIniFile ini("Tabrix.Ini");
    EXPECT_EQ(ini.FileName(), "Tabrix.Ini");
    EXPECT_EQ(ini.FullPath(), winDir + "/Tabrix.Ini");
    // Reading a missing file gives defaults and creates nothing.
    EXPECT_EQ(ini.ReadString("Default", "Show Hint", "dflt"), "dflt");
    EXPECT_TRUE(ini.ReadBool("Default", "Show Hint", true));
    EXPECT_FALSE(DirectoryExists(winDir));

    ini.WriteBool("Default", "Show Hint", false);
    ini.WriteInteger("Form:fmPreview User:ANN", "Window Top", -1);
    EXPECT_EQ(ReadAll(winDir + "/Tabrix.Ini"),
              "[Default]\r\nShow Hint=0\r\n\r\n[Form:fmPreview User:ANN]\r\nWindow Top=-1\r\n");
    // No temporary file is left beside it.
    TSearchRec rec;
    int found = 0;
    for (int r = FindFirst(winDir + "/*", 0, rec); r == 0; r = FindNext(rec)) ++found;
    EXPECT_EQ(found, 1);
}

TEST(IniFile, WindowsDirectoryFallsBackToTheConfigDirectory) {
    TScopedEnv win("TRX_WINDOWS_DIR", "");
    {
        TScopedEnv xdg("XDG_CONFIG_HOME", "/cfg/");
        EXPECT_EQ(WindowsDirectory(), "/cfg/tabrix");
    }
    TScopedEnv xdg("XDG_CONFIG_HOME", "");
    TScopedEnv home("HOME", "/home/ann");
    EXPECT_EQ(WindowsDirectory(), "/home/ann/.config/tabrix");
}

TEST(IniFile, ValuesLoseBlanksAndOnePairOfQuotes) {
    TempDir dir;
    const std::string name = dir.File("q.ini");
    WriteAll(name,
             "[ S ]\r\n"
             "  Padded  =   some value  \r\n"
             "Single=' a '\r\n"
             "Double=\"b\"\r\n"
             "Mixed='c\"\r\n"
             "Inner=x \"y\" z\r\n"
             "Empty=\r\n"
             "NoEquals\r\n"
             "=orphan value\r\n"
             "Dup=first\r\n"
             "dup=second\r\n");
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("s", " padded ", "-"), "some value");
    EXPECT_EQ(ini.ReadString("S", "Single", "-"), " a ");
    EXPECT_EQ(ini.ReadString("S", "Double", "-"), "b");
    EXPECT_EQ(ini.ReadString("S", "Mixed", "-"), "'c\"");
    EXPECT_EQ(ini.ReadString("S", "Inner", "-"), "x \"y\" z");
    EXPECT_EQ(ini.ReadString("S", "Empty", "-"), ""); // present but empty: no default
    EXPECT_EQ(ini.ReadString("S", "NoEquals", "-"), "");
    EXPECT_EQ(ini.ReadString("S", "Dup", "-"), "first");

    TStringList keys;
    ini.ReadSection("s", keys);
    EXPECT_EQ(Lines(keys), "Padded|Single|Double|Mixed|Inner|Empty|NoEquals|Dup|dup|");
    ini.ReadSectionValues("S", keys);
    EXPECT_EQ(Lines(keys),
              "Padded=some value|Single= a |Double=b|Mixed='c\"|Inner=x \"y\" z|Empty=|NoEquals=|Dup=first|"
              "dup=first|");

    // A rewritten key keeps its place and spelling but loses its padding.
    ini.WriteString("S", "PADDED", "new");
    EXPECT_NE(ReadAll(name).find("\r\nPadded=new\r\nSingle="), std::string::npos);
}

TEST(IniFile, IntegersAndBooleansFallBackOnGarbage) {
    TempDir dir;
    const std::string name = dir.File("n.ini");
    WriteAll(name, "[N]\nDec=42\nNeg= -7 \nHex=$1F\nCHex=0x1f\nJunk=12abc\nBig=99999999999\nYes=yes\nTwo=2\nZero=0\n");
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadInteger("N", "Dec", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "Neg", 0), -7);
    EXPECT_EQ(ini.ReadInteger("N", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "CHex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "Junk", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "Big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("N", "Missing", -1), -1);
    EXPECT_TRUE(ini.ReadBool("N", "Yes", true));
    EXPECT_FALSE(ini.ReadBool("N", "Yes", false));
    EXPECT_TRUE(ini.ReadBool("N", "Two", false));
    EXPECT_FALSE(ini.ReadBool("N", "Zero", true));
}

TEST(IniFile, SectionListsAndRemoval) {
    TempDir dir;
    const std::string name = dir.File("s.ini");
    WriteAll(name,
             "[Tabrix! Data Directories]\n"
             "/apps/one=\n"
             "/apps/two=/data/Shared.TRX,PARADOX\n"
             "[Empty]\n"
             "; only a comment\n"
             "[Gone]\n"
             "a=1\n"
             "[gone]\n"
             "b=2\n"
             "[Keep]\n"
             "c=3\n");
    TIniFile ini(name);
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(Lines(list), "Tabrix! Data Directories|Empty|Gone|gone|Keep|");
    ini.ReadSectionValues("tabrix! data directories", list);
    EXPECT_EQ(Lines(list), "/apps/one=|/apps/two=/data/Shared.TRX,PARADOX|");

    EXPECT_TRUE(ini.SectionExists("KEEP"));
    EXPECT_FALSE(ini.SectionExists("Empty"));
    EXPECT_FALSE(ini.SectionExists("Nowhere"));
    EXPECT_TRUE(ini.ValueExists("Tabrix! Data Directories", "/APPS/ONE"));
    EXPECT_FALSE(ini.ValueExists("Keep", "a"));

    ini.EraseSection("GONE");
    ini.DeleteKey("Tabrix! Data Directories", "/apps/one");
    ini.DeleteKey("Keep", "missing");
    EXPECT_EQ(ReadAll(name),
              "[Tabrix! Data Directories]\n"
              "/apps/two=/data/Shared.TRX,PARADOX\n"
              "[Empty]\n"
              "; only a comment\n"
              "[Keep]\n"
              "c=3\n");
}

TEST(IniFile, WritesAreSeenByOtherObjectsAndBadValuesAreCut) {
    TempDir dir;
    const std::string name = dir.File("w.ini");
    TIniFile a(name), b(name);
    a.WriteString("S", "Key", "one\r\n[Injected]\r\nx=1");
    EXPECT_EQ(b.ReadString("s", "key", ""), "one");
    EXPECT_FALSE(b.SectionExists("Injected"));
    b.WriteString("S", "Key", "two");
    EXPECT_EQ(a.ReadString("S", "Key", ""), "two");
    EXPECT_EQ(ReadAll(name), "[S]\r\nKey=two\r\n");
}

TEST(IniFile, FailedWriteRaises) {
    TempDir dir;
    TIniFile ini(dir.File("missing/dir/x.ini"));
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    try {
        ini.WriteString("S", "K", "v");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message, "Unable to write to " + dir.File("missing/dir/x.ini"));
    }
}

TEST(IniFile, ASectionOfManyKeysIsReadInOnePass) {
    // 400,000 keys: a read that searched the section again for every key
    // would make some 10^11 line comparisons and never end in a test's time.
    constexpr int Keys = 400000;
    TempDir dir;
    const std::string name = dir.File("TBXDirs.Ini");
    {
        std::ofstream out(name, std::ios::binary);
        out << "[Other]\r\n/apps/p1=elsewhere\r\n[Tabrix! Data Directories]\r\n";
        for (int i = 0; i < Keys; ++i) out << "/apps/p" << i << "=/srv/d" << i % 1000 << ".TRX,PARADOX\r\n";
        // Repeated keys, in other letter case, read as their first occurrence.
        out << "/APPS/P7=/late.TRX,\r\n/apps/p399999 = ' /late.TRX '\r\n[Last]\r\nx=1\r\n";
    }
    TStringList values;
    TIniFile(name).ReadSectionValues("tabrix! data directories", values);
    ASSERT_EQ(values.Count(), Keys + 2);
    EXPECT_EQ(values[0], "/apps/p0=/srv/d0.TRX,PARADOX");
    EXPECT_EQ(values[Keys - 1], "/apps/p399999=/srv/d999.TRX,PARADOX");
    EXPECT_EQ(values[Keys], "/APPS/P7=/srv/d7.TRX,PARADOX");
    EXPECT_EQ(values[Keys + 1], "/apps/p399999=/srv/d999.TRX,PARADOX");
}

TEST(IniFile, ANameThatIsNoRegularFileIsRefusedAtOnce) {
    const struct {
        const char* What;
        std::function<int(const std::string&)> Make;
    } kinds[] = {
        // Opening a FIFO waits for a writer for ever, a device may never end.
        {"a FIFO", [](const std::string& Name) { return mkfifo(Name.c_str(), 0666); }},
        {"a link to a device", [](const std::string& Name) { return symlink("/dev/zero", Name.c_str()); }},
        {"a directory", [](const std::string& Name) { return mkdir(Name.c_str(), 0755); }},
    };
    const std::function<void(TIniFile&)> uses[] = {
        [](TIniFile& Ini) { Ini.ReadString("S", "K", ""); },
        [](TIniFile& Ini) {
            TStringList lines;
            Ini.ReadSectionValues("S", lines);
        },
        [](TIniFile& Ini) { Ini.WriteString("S", "K", "v"); },
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.What);
        TempDir dir;
        const std::string name = dir.File("TBXDirs.Ini");
        ASSERT_EQ(kind.Make(name), 0);
        EXPECT_EQ(InWatchedChild([&] {
                      std::string wrong;
                      for (const auto& use : uses) {
                          TIniFile ini(name);
                          try {
                              use(ini);
                              wrong += "not refused; ";
                          } catch (const EIniFileException& e) {
                              if (e.Message != "Unable to read " + name + ": it is not a regular file")
                                  wrong += e.Message + "; ";
                          }
                      }
                      return wrong;
                  }),
                  "");
        // Nothing was written in its place.
        struct stat st {};
        ASSERT_EQ(lstat(name.c_str(), &st), 0);
        EXPECT_FALSE(S_ISREG(st.st_mode));
    }
}

} // namespace
} // namespace trx
