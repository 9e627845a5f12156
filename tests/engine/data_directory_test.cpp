#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "engine/data_directory.h"
#include "engine/program_path.h"
#include "engine/trx_errors.h"
#include "form_routines_fixture.h"
#include "framework/core/file_utils.h"
#include "framework/core/ini_file.h"
#include "support/temp_dir.h"
#include "support/watched_child.h"

namespace trx::test {
namespace {

class DataDirTest : public FormRoutinesTest {
protected:
    DataDirTest() { SetExeFileName(Program()); }
    ~DataDirTest() override {
        SetExeFileName("");
        SetAskToCreateTBXDataDirectory(nullptr);
    }
    std::string Program() const { return dir.File("bin/Payroll"); }
    std::string DefaultDir() const { return dir.File("bin/Payroll.TRX"); }
    void Redirect(const std::string& Key, const std::string& Value) {
        TIniFile("TBXDirs.Ini").WriteString("Tabrix! Data Directories", Key, Value);
    }

    TempDir dir;
    const bool made_ = std::filesystem::create_directories(dir.File("bin"));
};

TEST_F(DataDirTest, ProgramPathVariants) {
    EXPECT_EQ(GetProgramPath(false, ""), Program());
    EXPECT_EQ(GetProgramPath(false, ".TRX"), DefaultDir());
    EXPECT_EQ(GetProgramPath(true, ""), dir.File("bin/"));
    EXPECT_EQ(GetProgramPath(true, "TBXDirs.Ini"), dir.File("bin/TBXDirs.Ini"));
    SetExeFileName(dir.File("bin/Payroll.bin"));
    EXPECT_EQ(GetProgramPath(false, ".TRX"), DefaultDir());
    EXPECT_FALSE(RunningFromIDE());

    // The application's name for the program is the one used.
    EXPECT_EQ(Application()->ExeName(), dir.File("bin/Payroll.bin"));
    Application()->SetExeName(dir.File("apps/Stock.bin"));
    EXPECT_EQ(GetProgramPath(false, ".TRX"), dir.File("apps/Stock.TRX"));
    Application()->SetExeName("");

    // Inside the development environment the project file stands for the program.
    TIDEServicesOverride ide([this] { return dir.File("src/Project1.DPR"); });
    EXPECT_TRUE(RunningFromIDE());
    EXPECT_EQ(GetProgramPath(false, ""), dir.File("src/Project1.DPR"));
    EXPECT_EQ(GetProgramPath(false, ".TRX"), dir.File("src/Project1.TRX"));
}

TEST_F(DataDirTest, TheDefaultDirectoryBesideTheProgramIsUsedQuietly) {
    ASSERT_TRUE(CreateDir(DefaultDir()));
    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(DataDirTest, AMissingDefaultDirectoryIsMadeWithoutAWindow) {
    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
    EXPECT_TRUE(DirectoryExists(DefaultDir()));
    EXPECT_TRUE(ui->Calls().empty());
    // An empty entry means the default directory too.
    Redirect(Program(), "");
    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
}

TEST_F(DataDirTest, TheRedirectionEntryNamesTheDirectoryBeforeTheComma) {
    ASSERT_TRUE(CreateDir(dir.File("Shared.TRX")));
    Redirect(Program(), dir.File("Shared.TRX") + ",PARADOX");
    Redirect(dir.File("bin/Other"), dir.File("Elsewhere.TRX") + ",");
    EXPECT_EQ(GetTBXDataDir(), dir.File("Shared.TRX") + "/");
    EXPECT_FALSE(DirectoryExists(DefaultDir()));
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(DataDirTest, AnEntryForAMissingDirectoryIsReportedAndHandedToTheWizard) {
    const std::string missing = dir.File("Gone.TRX");
    Redirect(Program(), missing + ",PARADOX");
    std::vector<std::pair<std::string, bool>> asked;
    SetAskToCreateTBXDataDirectory([&](std::string& Dir, bool HasRedirection) {
        asked.emplace_back(Dir, HasRedirection);
        Dir = dir.File("Chosen.TRX");
        CreateDir(Dir);
    });
    EXPECT_EQ(GetTBXDataDir(), dir.File("Chosen.TRX") + "/");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(missing + "/", true));

    const auto boxes = ui->CallsOf(TDialogKind::dkMessageDlg);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text,
              " Tabrix!  Redirection file (TBXDIRS.INI) directory entry is incorrect.\r\r"
              "  Section:  Tabrix! Data Directories\r"
              "      Ident:  " +
                  Program() +
                  "\r"
                  "Directory: \"" +
                  missing +
                  "/\"\r\r"
                  "DIRECTORY DOES NOT EXIST.\r\rPress OK to correct");
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes[0].Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
}

TEST_F(DataDirTest, WithoutAUsableDirectoryTheReportCannotWork) {
    // Without the wizard an outdated entry cannot be corrected.
    Redirect(Program(), dir.File("Gone.TRX") + ",PARADOX");
    try {
        GetTBXDataDir();
        ADD_FAILURE() << "no setup error";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message,
                  "Tabrix! Setup Error: Report will not function because Tabrix! data directory is undefined");
    }
    EXPECT_FALSE(DirectoryExists(DefaultDir()));
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkMessageDlg).size(), 1u);

    // A wizard that gives up leaves the directory undefined as well.
    Redirect(Program(), "");
    bool asked = false;
    SetAskToCreateTBXDataDirectory([&](std::string& Dir, bool HasRedirection) {
        asked = true;
        EXPECT_FALSE(HasRedirection);
        EXPECT_EQ(Dir, DefaultDir() + "/");
        Dir.clear();
    });
    EXPECT_THROW(GetTBXDataDir(), ETrxSUError);
    EXPECT_TRUE(asked);
}

TEST_F(DataDirTest, TheDefaultSetUpFailsQuietlyWhereNoDirectoryCanBeMade) {
    SetExeFileName(dir.File("no/such/place/Payroll"));
    std::string d;
    CreateDefaultTBXDataDirectory(d, false);
    EXPECT_EQ(d, "");
    EXPECT_THROW(GetTBXDataDir(), ETrxSUError);
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(DataDirTest, ARedirectionFileThatIsAFifoIsRefusedByName) {
    ASSERT_TRUE(CreateDir(DefaultDir()));
    const std::string fifo = windowsDir.File("TBXDirs.Ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    // Opened for reading, a FIFO would wait for a writer for ever.
    EXPECT_EQ(InWatchedChild([&]() -> std::string {
                  try {
                      GetTBXDataDir();
                      return "not refused";
                  } catch (const Exception& e) {
                      return e.Message == "Unable to read " + fifo + ": it is not a regular file" ? "" : e.Message;
                  }
              }),
              "");
}

} // namespace
} // namespace trx::test
