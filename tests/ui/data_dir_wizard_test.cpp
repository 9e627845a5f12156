// The data-directory wizard, driven by a scripted user: a first run, a
// renamed program, a shared directory, an outdated redirection entry, and
// every way out that must leave nothing half done.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>

#include "engine/data_directory.h"
#include "engine/program_path.h"
#include "engine/report_settings.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/core/ini_file.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "storage/file_mgr.h"
#include "support/dir_snapshot.h"
#include "support/temp_dir.h"
#include "ui/data_dir_wizard.h"
#include "ui_fixture.h"

namespace trx::test {
namespace {

namespace fs = std::filesystem;

class WizardTest : public UiTest {
protected:
    WizardTest() {
        fs::create_directories(dir.File("bin"));
        SetProgram(Program());
        SetAskToCreateTBXDataDirectory(AskToCreateTBXDataDirectory);
    }
    ~WizardTest() override {
        SetExeFileName("");
        SetAskToCreateTBXDataDirectory(nullptr);
    }

    std::string Program() const { return dir.File("bin/Payroll"); }
    std::string DefaultDir() const { return dir.File("bin/Payroll.TRX"); }
    // The program runs from an existing file.
    static void SetProgram(const std::string& FileName) {
        WriteAll(FileName, "program");
        SetExeFileName(FileName);
    }
    static std::string Entry(const std::string& Key) {
        return TIniFile("TBXDirs.Ini").ReadString("Tabrix! Data Directories", Key, "<none>");
    }
    static void Redirect(const std::string& Key, const std::string& Value) {
        TIniFile("TBXDirs.Ini").WriteString("Tabrix! Data Directories", Key, Value);
    }
    void Wizard(std::function<void(TfmTBXDir&)> Script) {
        ui->OnModal("fmTBXDir", [Script](TCustomForm& f) { Script(static_cast<TfmTBXDir&>(f)); });
    }
    std::vector<TDialogCall> Boxes() const { return ui->CallsOf(TDialogKind::dkMessageDlg); }
    static std::vector<std::string> Items(TComboBox* Combo) {
        std::vector<std::string> items;
        for (int i = 0; i < Combo->Items().Count(); ++i) items.push_back(Combo->Items().Get(i));
        return items;
    }
    void OpenFor(const std::string& Program, bool InEnvironment, std::function<void(TfmTBXDir&)> Check);
    // Leaves the wizard by Cancel, answering the quit question.
    static void Quit(TfmTBXDir& Fm) { UserClick(Fm.buCancel); }
    void ExpectSetupError() { EXPECT_THROW(GetTBXDataDir(), ETrxSUError); }

    TempDir dir;
};

// ---- A first run ------------------------------------------------------------

TEST_F(WizardTest, AFirstRunOpensOnTheFirstPageAndFinishMakesTheDefaultDirectory) {
    Wizard([&](TfmTBXDir& fm) {
        EXPECT_EQ(fmTBXDir, &fm);
        EXPECT_EQ(fm.Caption(), "Creating or Locating the Tabrix! *.TRX Report Options Subdirectory ");
        EXPECT_EQ(fm.BorderStyle(), TFormBorderStyle::bsDialog);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 0);
        EXPECT_EQ(fm.HelpContext, 220);
        EXPECT_TRUE(fm.rbNewProgram->Checked());
        EXPECT_TRUE(fm.rbSingleProgram->Checked());
        EXPECT_TRUE(fm.buFinish->Enabled());
        EXPECT_FALSE(fm.buBack->Enabled());
        EXPECT_FALSE(fm.buNext->Enabled());
        // On this system the program's suffix is its real extension: none.
        EXPECT_EQ(fm.PgmType, "Program");
        EXPECT_EQ(fm.Sfx, "");
        UserClick(fm.buFinish);
    });
    ui->AnswerMessage(mrYes, "Create this subdirectory?");
    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
    EXPECT_TRUE(DirectoryExists(DefaultDir()));
    EXPECT_EQ(Entry(Program()), "");
    EXPECT_EQ(fmTBXDir, nullptr);

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Subdirectory: \"" + DefaultDir() + "\" does not exist.\r\rCreate this subdirectory?");
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));

    // From now on the directory is there.
    ui->ClearCalls();
    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(WizardTest, DecliningToCreateTheDirectoryKeepsTheWizardOpen) {
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.buFinish);
        EXPECT_FALSE(DirectoryExists(DefaultDir()));
        EXPECT_EQ(fm.ModalResult(), mrNone);
        UserClick(fm.buFinish);
    });
    ui->AnswerMessage(mrNo, "Create this subdirectory?").AnswerMessage(mrYes, "Create this subdirectory?");
    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
}

TEST_F(WizardTest, WithoutAProgramFileTheDefaultDirectoryIsMadeQuietly) {
    // A project not yet saved inside the development environment.
    TIDEServicesOverride ide([this] { return dir.File("src/Project1.DPR"); });
    fs::create_directories(dir.File("src"));
    EXPECT_EQ(GetTBXDataDir(), dir.File("src/Project1.TRX/"));
    EXPECT_TRUE(ui->Calls().empty());
}

// ---- Hints, help and the application's state ----------------------------------

TEST_F(WizardTest, HintsShowOnTheStatusPanelAndHelpFollowsThePage) {
    std::vector<int> helped;
    Application()->OnHelp = [&](uint16_t, int64_t Data, bool& CallHelp) {
        helped.push_back(static_cast<int>(Data));
        CallHelp = false;
        return true;
    };
    int appHints = 0;
    Application()->OnHint = [&](TObject*) { ++appHints; };
    Application()->ShowHint = false;

    Wizard([&](TfmTBXDir& fm) {
        UserHover(fm.rbOldProgram);
        EXPECT_EQ(fm.paMsg->Caption(), " The old .TRX directory will be found && renamed to the new program name.");
        UserHover(fm.rbSingleProgram);
        EXPECT_EQ(fm.paMsg->Caption(), " Typical single program application");
        UserClick(fm.buHelp);
        UserClick(fm.rbMultiProgram);
        UserClick(fm.buNext);
        UserClick(fm.buHelp);
        UserClick(fm.buBack);
        EXPECT_EQ(fm.HelpContext, 220);
        Quit(fm);
    });
    ui->AnswerMessage(mrYes, "Are you sure you want to quit?");
    ExpectSetupError();
    EXPECT_EQ(helped, (std::vector<int>{220, 222}));
    // The application's own hint handler and switch are back.
    EXPECT_EQ(appHints, 0);
    Application()->SetHint("after");
    EXPECT_EQ(appHints, 1);
    EXPECT_FALSE(Application()->ShowHint);
}

// ---- A renamed program -------------------------------------------------------

TEST_F(WizardTest, ARenamedProgramTakesTheOldDirectoryWithEverything) {
    const std::string old = dir.File("bin/OldPay.TRX");
    fs::create_directories(old + "/archive/2023");
    WriteAll(old + "/RptSet.TXT", "[Sales (001.002)]\r\nTitle=Sales\r\n");
    WriteAll(old + "/TBXLOCK.$$$", std::string(32, '\0'));
    WriteAll(old + "/archive/2023/RptSet.TXT", std::string(9000, 'x'));
    chmod((old + "/RptSet.TXT").c_str(), 0640);
    const TDirSnapshot before = Snapshot(old);

    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbOldProgram);
        EXPECT_FALSE(fm.buFinish->Enabled());
        EXPECT_TRUE(fm.buNext->Enabled());
        UserClick(fm.buNext);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 1);
        EXPECT_EQ(fm.HelpContext, 221);
        EXPECT_EQ(fm.ActiveControl(), fm.cmbSOPDataDirectory);
        EXPECT_TRUE(fm.buBack->Enabled());
        EXPECT_FALSE(fm.buNext->Enabled());
        EXPECT_EQ(Items(fm.cmbSOPDataDirectory), std::vector<std::string>{old});
        EXPECT_EQ(fm.cmbSOPDataDirectory->Text(), "");

        // The first browse is given up after a wrong pick; the second
        // corrects a wrong pick.
        UserClick(fm.buSOPLkup);
        EXPECT_EQ(fm.cmbSOPDataDirectory->Text(), "");
        UserClick(fm.buSOPLkup);
        EXPECT_EQ(fm.cmbSOPDataDirectory->Text(), old);
        EXPECT_EQ(fm.lbSOPOldProjectName->Caption(), old);
        EXPECT_EQ(fm.lbSOPNewProjectName->Caption(), DefaultDir());
        UserClick(fm.buFinish);
    });
    ui->AnswerDirectory(dir.File("bin")).AnswerMessage(mrCancel, "Please Try Again");
    ui->AnswerDirectory(dir.File("bin")).AnswerMessage(mrOk, "Please Try Again").AnswerDirectory(old);

    EXPECT_EQ(GetTBXDataDir(), DefaultDir() + "/");
    EXPECT_EQ(Snapshot(DefaultDir()), before);
    EXPECT_FALSE(fs::exists(old));
    EXPECT_EQ(Entry(Program()), "");

    const auto pickers = ui->CallsOf(TDialogKind::dkSelectDirectory);
    ASSERT_EQ(pickers.size(), 3u);
    EXPECT_EQ(pickers[0].Text, dir.File("bin/")); // the program's directory
    EXPECT_EQ(pickers[2].Text, dir.File("bin")); // from the wrong pick
    EXPECT_TRUE(pickers[0].DirOptions.Empty());
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{0, 0}));
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].Text,
              "In the directory window that is about to appear,\r"
              "select the .TRX subdirectory that was used by the old Program name");
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(boxes[1].Text,
              "Subdirectory must end in \".TRX\". - Please Try Again -\r\r"
              "Remember to select the .TRX subdirectory that was used by the OLD Program program name");
    EXPECT_EQ(boxes[1].Buttons, mbOKCancel);
}

TEST_F(WizardTest, AMissingOldDirectoryIsNamedAndNothingHappens) {
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbOldProgram);
        UserClick(fm.buNext);
        UserReplaceText(fm.cmbSOPDataDirectory, dir.File("bin/Gone.TRX"));
        UserClick(fm.buFinish);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 1);
        Quit(fm);
    });
    ui->AnswerMessage(mrOk, "does NOT EXIST").AnswerMessage(mrYes, "quit?");
    ExpectSetupError();
    EXPECT_EQ(Boxes()[0].Text, "Subdirectory \"" + dir.File("bin/Gone.TRX") + "\" does NOT EXIST");
    EXPECT_FALSE(DirectoryExists(DefaultDir()));
    EXPECT_EQ(Entry(Program()), "<none>");
}

TEST_F(WizardTest, ADirectoryIsNotMovedOntoItselfByPathOrLink) {
    // The program's own directory is there, with a link to it under an old name.
    fs::create_directories(DefaultDir());
    WriteAll(DefaultDir() + "/RptSet.TXT", "settings");
    fs::create_directory_symlink(DefaultDir(), dir.File("bin/OldPay.TRX"));
    const TDirSnapshot before = Snapshot(DefaultDir());

    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbOldProgram);
        UserClick(fm.buNext);
        for (const std::string& pick : {dir.File("bin/OldPay.TRX"), DefaultDir()}) {
            UserReplaceText(fm.cmbSOPDataDirectory, pick);
            UserClick(fm.buFinish);
        }
        Quit(fm);
    });
    ui->AnswerMessage(mrOk, "Unable to move").AnswerMessage(mrOk, "Unable to move").AnswerMessage(mrYes, "quit?");
    std::string d;
    AskToCreateTBXDataDirectory(d, false);
    EXPECT_EQ(d, "");
    EXPECT_EQ(Snapshot(DefaultDir()), before);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Text,
              "Unable to move Tabrix! data filesFrom: " + dir.File("bin/OldPay.TRX") + "\r  To: " + DefaultDir());
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(Entry(Program()), "<none>");
}

TEST_F(WizardTest, AMoveThatFailsHalfWayLeavesEverySourceFile) {
    const std::string old = dir.File("bin/OldPay.TRX");
    fs::create_directories(old);
    WriteAll(old + "/A.TXT", std::string(10000, 'a'));
    WriteAll(old + "/B.TXT", "b");
    WriteAll(old + "/C.TXT", "c");
    const TDirSnapshot before = Snapshot(old);
    // The new directory is there, empty.
    fs::create_directories(DefaultDir());

    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const struct rlimit unlimited = limit;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbOldProgram);
        UserClick(fm.buNext);
        UserReplaceText(fm.cmbSOPDataDirectory, old);
        // A file-size limit (a full disk) stops A.TXT half-way.
        limit.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limit);
        UserClick(fm.buFinish);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(Snapshot(old), before);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 1);
        Quit(fm);
    });
    ui->AnswerMessage(mrOk, "Unable to move").AnswerMessage(mrYes, "quit?");
    std::string d;
    AskToCreateTBXDataDirectory(d, false);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(d, "");
    EXPECT_EQ(Snapshot(old), before);
    // The copies made before the failure are taken back; the directory that
    // was there stays.
    EXPECT_TRUE(DirectoryExists(DefaultDir()));
    EXPECT_TRUE(Snapshot(DefaultDir()).empty());
    EXPECT_EQ(Boxes()[0].Text, "Unable to move Tabrix! data filesFrom: " + old + "\r  To: " + DefaultDir());
    EXPECT_TRUE(ui->CallsOf(TDialogKind::dkException).empty());
    EXPECT_EQ(Entry(Program()), "<none>");
}

TEST_F(WizardTest, TheMoveNeverReplacesTheNewDirectorysFiles) {
    const std::string old = dir.File("bin/OldPay.TRX");
    fs::create_directories(old);
    WriteAll(old + "/RptSet.TXT", "[Old (001.001)]\r\nPanelsAcrossPage=2\r\n");
    WriteAll(old + "/Notes.TXT", "old notes");
    // The renamed program's directory holds settings of its own.
    fs::create_directories(DefaultDir());
    WriteAll(DefaultDir() + "/RptSet.TXT", "[New (002.002)]\r\nPanelsAcrossPage=3\r\n");
    const TDirSnapshot oldBefore = Snapshot(old), newBefore = Snapshot(DefaultDir());

    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbOldProgram);
        UserClick(fm.buNext);
        UserReplaceText(fm.cmbSOPDataDirectory, old);
        UserClick(fm.buFinish);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 1);
        EXPECT_EQ(fm.ModalResult(), mrNone);
        Quit(fm);
    });
    ui->AnswerMessage(mrOk, "Unable to move").AnswerMessage(mrYes, "quit?");
    std::string d;
    AskToCreateTBXDataDirectory(d, true);
    EXPECT_EQ(d, "");
    EXPECT_EQ(Snapshot(old), oldBefore);
    EXPECT_EQ(Snapshot(DefaultDir()), newBefore);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, "Unable to move Tabrix! data filesFrom: " + old + "\r  To: " + DefaultDir() + "\r\r\"" +
                                 DefaultDir() + "/RptSet.TXT\" is there already and is not replaced.");
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(Entry(Program()), "<none>");
}

TEST_F(WizardTest, AFailedMoveThenCancelLeavesNoDirectoryAndTheWizardComesBack) {
    const std::string old = dir.File("bin/OldPay.TRX");
    const struct {
        const char* What;
        std::function<void()> Make; // the old directory
        rlim_t FileSizeLimit; // 0: none
    } moves[] = {
        {"nothing to move", [&] { fs::create_directories(old + "/empty"); }, 0},
        {"a copy that fails half-way",
         [&] {
             fs::create_directories(old);
             WriteAll(old + "/RptSet.TXT", "[Old (001.001)]\r\n");
             WriteAll(old + "/Big.TXT", std::string(10000, 'b'));
         },
         4096},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.What);
        fs::remove_all(old);
        m.Make();
        const TDirSnapshot before = Snapshot(old);
        ui->ClearCalls();
        int shown = 0;
        Wizard([&](TfmTBXDir& fm) {
            ++shown;
            UserClick(fm.rbOldProgram);
            UserClick(fm.buNext);
            UserReplaceText(fm.cmbSOPDataDirectory, old);
            {
                auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
                struct rlimit limit {};
                getrlimit(RLIMIT_FSIZE, &limit);
                const struct rlimit unlimited = limit;
                if (m.FileSizeLimit != 0) limit.rlim_cur = m.FileSizeLimit;
                setrlimit(RLIMIT_FSIZE, &limit);
                UserClick(fm.buFinish);
                setrlimit(RLIMIT_FSIZE, &unlimited);
                std::signal(SIGXFSZ, oldHandler);
            }
            EXPECT_FALSE(fs::exists(DefaultDir()));
            Quit(fm);
        });
        ui->AnswerMessage(mrOk, "Unable to move").AnswerMessage(mrYes, "quit?");
        ExpectSetupError();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(Boxes()[0].Text, "Unable to move Tabrix! data filesFrom: " + old + "\r  To: " + DefaultDir());
        EXPECT_FALSE(fs::exists(DefaultDir()));
        EXPECT_EQ(Snapshot(old), before);
        EXPECT_EQ(Entry(Program()), "<none>");
        // The next run has no directory either, and asks again.
        Wizard([&](TfmTBXDir& fm) {
            ++shown;
            Quit(fm);
        });
        ui->AnswerMessage(mrYes, "quit?");
        ExpectSetupError();
        EXPECT_EQ(shown, 2);
    }
}

// ---- A shared directory -------------------------------------------------------

TEST_F(WizardTest, ASharedDirectoryIsRecordedAndUsedByASecondProgram) {
    const std::string shared = dir.File("Shared.TRX");
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbMultiProgram);
        UserClick(fm.buNext);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 2);
        EXPECT_EQ(fm.HelpContext, 222);
        EXPECT_EQ(fm.ActiveControl(), fm.cmbMNPDataDirectory);
        EXPECT_FALSE(fm.cmbMNFileDriver->Visible());
        EXPECT_EQ(fm.cmbMNFileDriver->Text(), "Paradox");
        UserClick(fm.buNMDirectoryLkup);
        EXPECT_EQ(fm.cmbMNPDataDirectory->Text(), shared);
        UserClick(fm.buFinish);
    });
    ui->AnswerDirectory(dir.File("Shared")).AnswerMessage(mrOk, "- Try Again -").AnswerDirectory(shared);
    EXPECT_EQ(GetTBXDataDir(), shared + "/");
    EXPECT_EQ(Entry(Program()), shared + ",PARADOX");
    EXPECT_FALSE(DirectoryExists(DefaultDir()));
    const auto pickers = ui->CallsOf(TDialogKind::dkSelectDirectory);
    ASSERT_EQ(pickers.size(), 2u);
    EXPECT_EQ(pickers[0].Text, "");
    EXPECT_EQ(pickers[0].DirOptions,
              (TSelectDirOpts{TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPerformCreate, TSelectDirOpt::sdPrompt}));
    EXPECT_EQ(Boxes()[0].Text, "Remember, the subdirectory you choose (or create) must end in \".TRX\".");

    // The first program keeps a report there.
    TtrxFileMgr payroll;
    payroll.ReportSettings = &globals->RS();
    TtrxUserName user;
    TtrxReportId id = "Sales (001.002)";
    ASSERT_TRUE(payroll.SaveReportSettings(user, id, true));

    // A second program picks the same directory from the list.
    const std::string stock = dir.File("other/Stock");
    fs::create_directories(dir.File("other"));
    SetProgram(stock);
    Wizard([&](TfmTBXDir& fm) {
        EXPECT_TRUE(fm.rbNewProgram->Checked());
        EXPECT_TRUE(fm.rbSingleProgram->Checked());
        UserClick(fm.rbMultiProgram);
        UserClick(fm.buNext);
        EXPECT_EQ(Items(fm.cmbMNPDataDirectory), std::vector<std::string>{shared});
        UserSelect(fm.cmbMNPDataDirectory, shared);
        UserClick(fm.buFinish);
    });
    EXPECT_EQ(GetTBXDataDir(), shared + "/");
    EXPECT_EQ(Entry(stock), shared + ",PARADOX");
    TtrxFileMgr stockFiles;
    EXPECT_EQ(stockFiles.GetRSFileName(""), payroll.GetRSFileName(""));
    EXPECT_EQ(stockFiles.GetRSFileName(""), shared + "/RptSet.TXT");
    EXPECT_NE(ReadAll(shared + "/RptSet.TXT").find("[Sales (001.002)]"), std::string::npos);
}

TEST_F(WizardTest, ADirectoryWithACommaIsRefusedOnTheStatusPanel) {
    const std::string comma = dir.File("Sales,2024.TRX");
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbMultiProgram);
        UserClick(fm.buNext);
        UserReplaceText(fm.cmbMNPDataDirectory, comma);
        UserClick(fm.buFinish);
        EXPECT_NE(fm.paMsg->Caption().find("may not contain a comma"), std::string::npos);
        EXPECT_NE(fm.paMsg->Caption().find(comma), std::string::npos);
        EXPECT_EQ(fm.paMsg->Color(), clYellow);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 2);
        Quit(fm);
    });
    ui->AnswerMessage(mrYes, "quit?");
    ExpectSetupError();
    EXPECT_FALSE(fs::exists(comma));
    EXPECT_EQ(Entry(Program()), "<none>");
}

TEST_F(WizardTest, ASharedDirectoryMustEndInTRX) {
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbMultiProgram);
        UserClick(fm.buNext);
        UserReplaceText(fm.cmbMNPDataDirectory, dir.File("Shared"));
        UserClick(fm.buFinish);
        UserReplaceText(fm.cmbMNPDataDirectory, dir.File("Shared.trx"));
        UserClick(fm.buFinish);
    });
    ui->AnswerMessage(mrOk, "Subdirectory must end with \".TRX\"").AnswerMessage(mrYes, "Create this subdirectory?");
    EXPECT_EQ(GetTBXDataDir(), dir.File("Shared.trx/"));
    EXPECT_FALSE(fs::exists(dir.File("Shared")));
}

// ---- An outdated redirection entry --------------------------------------------

TEST_F(WizardTest, AnOutdatedEntryIsBlankedAndTheProgramsEntryWritten) {
    const std::string shared = dir.File("Shared.TRX");
    fs::create_directories(shared);
    const std::string oldName = dir.File("old/Payroll");
    Redirect(oldName, shared + ",PARADOX");
    Redirect(dir.File("x/Tool.exe"), shared + ",PARADOX"); // a program of another kind
    Redirect(Program(), dir.File("Gone.TRX") + ",PARADOX");

    Wizard([&](TfmTBXDir& fm) {
        // The program has an entry, so it is an old program with a redirection.
        EXPECT_TRUE(fm.rbOldProgram->Checked());
        EXPECT_TRUE(fm.rbMultiProgram->Checked());
        EXPECT_FALSE(fm.buFinish->Enabled());
        UserClick(fm.buNext);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 3);
        EXPECT_EQ(fm.HelpContext, 223);
        EXPECT_EQ(fm.ActiveControl(), fm.cmbOMPFileName);
        EXPECT_EQ(RequireComponent<TLabel>(fm, "lbOMPSelect")->Caption(),
                  "Select the old outdated entry used by this program");
        EXPECT_EQ(Items(fm.cmbOMPFileName),
                  (std::vector<std::string>{oldName + " --> " + shared, Program() + " --> " + dir.File("Gone.TRX")}));
        EXPECT_FALSE(fm.buFinish->Enabled());

        UserSelect(fm.cmbOMPFileName, 1);
        EXPECT_EQ(fm.lbOMPWarning->Caption(), "WARNING: The directory " + dir.File("Gone.TRX") + " does not exist");
        EXPECT_FALSE(fm.buFinish->Enabled());
        UserSelect(fm.cmbOMPFileName, 0);
        EXPECT_EQ(fm.lbOMPWarning->Caption(), "Press FINISH to correct this entry in the Redirection file.");
        EXPECT_TRUE(fm.buFinish->Enabled());
        UserClick(fm.buFinish);
    });
    EXPECT_EQ(GetTBXDataDir(), shared + "/");
    EXPECT_EQ(Entry(oldName), "");
    EXPECT_EQ(Entry(Program()), shared + ",");
    EXPECT_EQ(Entry(dir.File("x/Tool.exe")), shared + ",PARADOX");
    // Only the warning of GetTBXDataDir about the missing directory.
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(WizardTest, InsideTheEnvironmentTheProjectStandsForTheProgram) {
    fs::create_directories(dir.File("src/PROJECT1.TRX"));
    fs::create_directories(dir.File("src/Other.TRX"));
    WriteAll(dir.File("src/Sales.DPR"), "project");
    TIDEServicesOverride ide([this] { return dir.File("src/Sales.DPR"); });
    Redirect(dir.File("a/Old.dpr"), dir.File("A.TRX") + ",PARADOX");
    Redirect(dir.File("a/Old.EXE"), dir.File("B.TRX") + ",PARADOX");

    Wizard([&](TfmTBXDir& fm) {
        EXPECT_EQ(fm.PgmType, "Project");
        EXPECT_EQ(fm.Sfx, ".DPR");
        EXPECT_EQ(fm.lbProjectNameTitle->Caption(), "Currently Running Project: " + dir.File("src/Sales.DPR"));
        EXPECT_EQ(fm.lbSOPRenameTitle->Caption(), "Single-Program .DPR File Was Renamed");
        EXPECT_EQ(RequireComponent<TLabel>(fm, "lbOMPSelect")->Caption(),
                  "Select the old outdated entry used by this project");
        EXPECT_EQ(Items(fm.cmbOMPFileName),
                  std::vector<std::string>{dir.File("a/Old.dpr") + " --> " + dir.File("A.TRX")});
        EXPECT_EQ(Items(fm.cmbSOPDataDirectory),
                  (std::vector<std::string>{dir.File("src/Other.TRX"), dir.File("src/PROJECT1.TRX")}));
        EXPECT_EQ(fm.cmbSOPDataDirectory->Text(), dir.File("src/PROJECT1.TRX"));
        Quit(fm);
    });
    ui->AnswerMessage(mrYes, "quit?");
    ExpectSetupError();
}

// ---- Leaving without Finish --------------------------------------------------

TEST_F(WizardTest, CancelAsksWhetherToQuitAndLeavesNothingBehind) {
    Wizard([&](TfmTBXDir& fm) {
        UserClick(fm.rbMultiProgram);
        UserClick(fm.buNext);
        UserClick(fm.buCancel);
        EXPECT_EQ(fm.nbWizard->PageIndex(), 2);
        EXPECT_EQ(fm.ModalResult(), mrNone);
        UserClick(fm.buCancel);
    });
    ui->AnswerMessage(mrNo, "Are you sure you want to quit?").AnswerMessage(mrYes, "Are you sure you want to quit?");
    ExpectSetupError();
    EXPECT_EQ(Boxes()[0].Text,
              "If you Quit, the Tabrix! component will not function and the report cannot be "
              "printed.\rAre you sure you want to quit?");
    EXPECT_EQ(Boxes()[0].Type, TMsgDlgType::mtWarning);
    EXPECT_FALSE(DirectoryExists(DefaultDir()));
    EXPECT_EQ(Entry(Program()), "<none>");
    EXPECT_FALSE(FileExists(windowsDir.File("TBXDirs.Ini")));

    // Outside a print run nobody is asked.
    TtrxReportSettings* run = ReportSettings;
    ReportSettings = nullptr;
    ui->ClearCalls();
    Wizard([&](TfmTBXDir& fm) { UserClick(fm.buCancel); });
    ExpectSetupError();
    ReportSettings = run;
    EXPECT_TRUE(Boxes().empty());
    // Closing the window is giving up as well.
    Wizard([&](TfmTBXDir& fm) { UserClose(&fm); });
    ExpectSetupError();
    EXPECT_FALSE(DirectoryExists(DefaultDir()));
}

// ---- Captions and letter case ----------------------------------------------------

TEST_F(WizardTest, PlaceholdersAreFilledOnceInTheCaseTheyAreWritten) {
    const struct {
        const char* Value;
        const char* Pattern;
        const char* Expected;
    } cases[] = {
        {"program", "<<Pgmtype>>", "Program"},
        {"PROGRAM", "<<pgmtype>>", "program"},
        {"/a/Pay", "<<PGMPATH>>", "/A/PAY"},
        {"Project", "<<pGMTYPE>>", "pROJECT"},
        {"x", "<<PGMPATH>>", "X"},
        {"", "<<Pgmtype>>", ""},
        {"\xC4nd", "<<Pgmtype>>", "\xC4nd"},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchCase(c.Value, c.Pattern), c.Expected) << c.Pattern;
    EXPECT_EQ(LoCase("A-Z \xC4\xD6 az"), "a-z \xC4\xD6 az");

    // A program whose own path holds a placeholder: its text stays as it is.
    const std::string odd = dir.File("bin/<<pgmpath>> and <<PgmType>>");
    SetProgram(odd);
    Wizard([&](TfmTBXDir& fm) {
        EXPECT_EQ(fm.lbProjectNameTitle->Caption(), "Currently Running Program: " + odd);
        EXPECT_EQ(RequireComponent<TLabel>(fm, "lbMNPPressFinish")->Caption(),
                  "Press FINISH to have " + odd + " point to this subdirectory for its .TRX files");
        // A value that brings the placeholder back is not filled again.
        std::string expected = fm.lbProjectNameTitle->Caption();
        expected.replace(expected.find("<<pgmpath>>"), 11, "<<pgmpath>>!");
        fm.FixCaptions("<<PGMPATH>>", "<<pgmpath>>!");
        EXPECT_EQ(fm.lbProjectNameTitle->Caption(), expected);
        Quit(fm);
    });
    ui->AnswerMessage(mrYes, "quit?");
    ExpectSetupError();
}

// Opens the wizard for Program (inside the development environment when
// InEnvironment) and runs Check on it.
void WizardTest::OpenFor(const std::string& Program, bool InEnvironment, std::function<void(TfmTBXDir&)> Check) {
    fs::create_directories(ExtractFileDir(Program));
    SetProgram(Program);
    std::optional<TIDEServicesOverride> ide;
    if (InEnvironment) ide.emplace([Program] { return Program; });
    Wizard([&](TfmTBXDir& fm) {
        Check(fm);
        Quit(fm);
    });
    ui->AnswerMessage(mrYes, "quit?");
    ExpectSetupError();
}

TEST_F(WizardTest, TheProgramsPathIsShownAsItIs) {
    const struct {
        const char* Program;
        bool InEnvironment;
        const char* Heading; // after "Currently Running "
    } programs[] = {
        {"bin/PayRoll", false, "Program: "},
        {"bin/PayRoll.bin", false, "Program: "},
        {"src/PayRoll.dpr", true, "Project: "},
    };
    for (const auto& p : programs) {
        SCOPED_TRACE(p.Program);
        const std::string program = dir.File(p.Program);
        OpenFor(program, p.InEnvironment, [&](TfmTBXDir& fm) {
            EXPECT_EQ(fm.lbProjectNameTitle->Caption(), std::string("Currently Running ") + p.Heading + program);
            EXPECT_EQ(RequireComponent<TLabel>(fm, "lbMNPPressFinish")->Caption(),
                      "Press FINISH to have " + program + " point to this subdirectory for its .TRX files");
        });
    }
}

TEST_F(WizardTest, TheTextsOfAProgramWithoutAnExtensionReadWithoutAGap) {
    const std::string explain =
        "This window will rename the Old program's  .TRX subdirectory to the New program's  "
        ".TRX subdirectory.";
    const struct {
        const char* Program;
        bool InEnvironment;
        const char* Title;
        std::string Explain;
    } programs[] = {
        {"bin/PayRoll", false, "Single-Program File Was Renamed",
         "This window will rename the Old program's .TRX subdirectory to the New program's .TRX subdirectory."},
        {"bin/PayRoll.bin", false, "Single-Program .BIN File Was Renamed", explain},
        {"src/PayRoll.dpr", true, "Single-Program .DPR File Was Renamed", explain},
    };
    for (const auto& p : programs) {
        SCOPED_TRACE(p.Program);
        OpenFor(dir.File(p.Program), p.InEnvironment, [&](TfmTBXDir& fm) {
            EXPECT_EQ(fm.lbSOPRenameTitle->Caption(), p.Title);
            EXPECT_EQ(RequireComponent<TLabel>(fm, "lbSOPExplain")->Caption(), p.Explain);
        });
    }
}

TEST_F(WizardTest, TheSharedBrowseButtonServesOnlyItself) {
    Wizard([&](TfmTBXDir& fm) {
        try {
            fm.buNMDirectoryLkupClick(fm.buSOPLkup);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "[fmTBXDir] buNMDirectoryLkup.OnClick called by unknown object:TButton");
        }
        Quit(fm);
    });
    ui->AnswerMessage(mrYes, "quit?");
    ExpectSetupError();
}

} // namespace
} // namespace trx::test
