// A report run through Print and its options dialog: the three roads of the
// first show, the results of Print, the setup failures and their notice,
// the save question on closing, and the state the run leaves behind.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/run_progress.h"
#include "engine/run_scope.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/core/strings.h"
#include "framework/data/table.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form_observer.h"
#include "framework/forms/keys.h"
#include "framework/forms/menus.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "password_script.h"
#include "support/sqlite_file.h"
#include "tabrix_fixture.h"
#include "ui/preview_window.h"
#include "ui/progress_window.h"

namespace trx::test {
namespace {

// Watches the dialog: its border and size when it shows and every border
// it takes afterwards.
class DialogWatch : public TFormObserver {
public:
    DialogWatch() { AddFormObserver(this); }
    ~DialogWatch() override { RemoveFormObserver(this); }
    void FormShown(TCustomForm& Form, bool Modal) override {
        if (!dynamic_cast<TfmTBXMain*>(&Form)) return;
        ++shows;
        shownModal = Modal;
        shownSize = TPoint{Form.Width(), Form.Height()};
        borders.push_back(Form.BorderStyle());
    }
    void ControlChanged(TControl& Control, TControlChange Change) override {
        if (auto* d = dynamic_cast<TfmTBXMain*>(&Control); d && Change == TControlChange::ccStyle)
            borders.push_back(d->BorderStyle());
    }
    bool NeverBordered() const {
        for (TFormBorderStyle b : borders)
            if (b != TFormBorderStyle::bsNone) return false;
        return !borders.empty();
    }

    int shows = 0;
    bool shownModal = false;
    TPoint shownSize{-1, -1};
    std::vector<TFormBorderStyle> borders;
};

class OptionsRunTest : public TabrixTest {
protected:
    // The table "items" of Db, on the form (closed).
    TTable* ItemsTable(const SqliteFile& Db) {
        auto* table = new TTable(form);
        table->SetName("tblItems");
        table->SetDatabaseName(Db.FileName());
        table->SetTableName("items");
        return table;
    }
    // The options window waits for its user: Script acts on it.
    void InWindow(std::function<void(TfmTBXMain&)> Script) {
        ui->OnModal("", [Script](TCustomForm& f) {
            auto* d = dynamic_cast<TfmTBXMain*>(&f);
            ASSERT_NE(d, nullptr) << "another window waits: " << f.Name();
            Script(*d);
        });
    }
    // A password prompt the user answers with Entry (empty: Cancel).
    void AnswerPassword(const std::string& Prompt, const std::string& Entry) {
        test::AnswerPassword(*ui, Prompt, Entry);
    }
    // The error shown by the first show, then its notice.
    void ExpectSetupFailure(const std::string& Message) {
        const auto shown = Boxes(TDialogKind::dkShowMessage);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].Text, Message);
        const auto boxes = Boxes(TDialogKind::dkMessageDlg);
        ASSERT_FALSE(boxes.empty());
        const TDialogCall& notice = boxes.back();
        EXPECT_EQ(notice.Text, "Due to errors, the report: \"Items\" cannot be printed");
        EXPECT_EQ(notice.Type, TMsgDlgType::mtInformation);
        EXPECT_EQ(notice.Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
        EXPECT_EQ(notice.HelpContext, 899);
    }
    // Nothing of the run is left.
    void ExpectRunGone() {
        EXPECT_EQ(fmTBXMain, nullptr);
        EXPECT_EQ(PrintSettings, nullptr);
        EXPECT_EQ(ReportSettings, nullptr);
        EXPECT_EQ(ObjInfo, nullptr);
        EXPECT_EQ(RptStyles, nullptr);
        EXPECT_EQ(tbx->FileMgr->ReportSettings, nullptr);
        EXPECT_EQ(Screen()->FormCount(), 1);
        EXPECT_EQ(TRunProgress::Installed(), nullptr);
        EXPECT_TRUE(PWInfo.EnteredRptPW.empty() && PWInfo.EnteredRptOptPW.empty() && PWInfo.EnteredSetupPW.empty());
    }
    // The run's settings as the first show leaves them, seen by a handler.
    void OnLoaded(std::function<void(TtrxReportSettings&)> Handler) {
        tbx->AfterOptionsLoaded = [Handler](TObject*, TtrxReportSettings& Rs) { Handler(Rs); };
    }

    DialogWatch watch;
};

// ---- Print at once ------------------------------------------------------------------

TEST_F(OptionsRunTest, StoredSettingsPrintAtOnceWithoutEverShowingTheWindow) {
    Store({});
    int pages = 0;
    const std::string expected = EngineRun(dir.File("engine.txt"), &pages);
    ASSERT_GT(pages, 1);
    Application()->HelpFile = "app.hlp";
    Application()->ShowHint = false;
    Printer()->Title = "before";
    form->SetCursor(crHandPoint);

    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_EQ(ReadAll(OutName()), expected);
    EXPECT_EQ(tbx->PagesPrinted, pages);
    EXPECT_EQ(watch.shows, 1);
    EXPECT_TRUE(watch.shownModal);
    EXPECT_EQ(watch.shownSize, (TPoint{0, 0}));
    EXPECT_TRUE(watch.NeverBordered());
    EXPECT_TRUE(ui->Calls().empty());
    ExpectRunGone();
    // The application, the printer and the caller are as they were.
    EXPECT_EQ(Application()->HelpFile, "app.hlp");
    EXPECT_FALSE(Application()->ShowHint);
    EXPECT_FALSE(Application()->OnHint);
    EXPECT_EQ(Printer()->Title, "before");
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    EXPECT_EQ(form->Cursor(), crHandPoint);
    EXPECT_EQ(Screen()->ActiveForm(), form);
}

TEST_F(OptionsRunTest, AnExportFileIsWrittenLikewise) {
    const std::string name = dir.File("report.csv");
    Store({"OutputDest=2", "OutputFileName=" + name});
    const std::string expected = EngineRun(dir.File("engine.csv"));
    ASSERT_NE(expected.find("r1c0"), std::string::npos) << expected;
    ASSERT_EQ(expected.find('|'), std::string::npos) << expected; // fields, not a table
    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_EQ(ReadAll(name), expected);
    EXPECT_TRUE(watch.NeverBordered());
    ExpectRunGone();
}

TEST_F(OptionsRunTest, PrintGivesTheResultOfTheRunsLastPrint) {
    struct Case {
        const char* what;
        std::vector<std::string> settings;
        std::function<void()> before;
        int result;
    };
    const std::vector<Case> cases{
        {"a preview first left without the options window",
         {"PreviewFirst=1"},
         [&] { ui->OnModal("fmPreview", [](TCustomForm& f) { static_cast<TfmPreview&>(f).sbExit->Click(); }); },
         0},
        {"cancelled at the overwrite question",
         {"IfOutputFileExists=2"},
         [&] {
             WriteAll(OutName(), "old");
             ui->AnswerMessage(mrCancel, "already exists");
         },
         2},
        {"an output file that cannot be opened",
         {"OutputFileName=" + dir.File("taken")},
         [&] { ASSERT_TRUE(ForceDirectories(dir.File("taken"))); },
         3},
    };
    for (const Case& c : cases) {
        Store(c.settings);
        if (c.before) c.before();
        EXPECT_EQ(tbx->Print(), c.result) << c.what;
        EXPECT_EQ(tbx->PagesPrinted, 0) << c.what;
        ExpectRunGone();
        EXPECT_EQ(ui->PendingSteps(), 0u) << c.what;
        ui->ClearCalls();
    }
}

// ---- The preview first ----------------------------------------------------------------

// The preview opens first, before the dialog shows anything of itself;
// Script is the user's work in it.
class PreviewFirstTest : public OptionsRunTest {
protected:
    void InPreview(std::function<void(TfmPreview&)> Script) {
        ui->OnModal("fmPreview", [this, Script](TCustomForm& f) {
            auto* fm = dynamic_cast<TfmPreview*>(&f);
            ASSERT_NE(fm, nullptr) << "another window waits: " << f.Name();
            previewSeen = true;
            ASSERT_NE(fmTBXMain, nullptr);
            EXPECT_EQ(fmTBXMain->BorderStyle(), TFormBorderStyle::bsNone);
            EXPECT_EQ(fmTBXMain->Width(), 0);
            EXPECT_GT(fm->memPreview->Lines().Count(), 0);
            Script(*fm);
        });
    }
    bool previewSeen = false;
};

TEST_F(PreviewFirstTest, ExitFromThePreviewEndsTheRunWithoutPrinting) {
    for (const char* optionsWin : {"DisplayReportOptionsWin=0", "DisplayReportOptionsWin=1"}) {
        previewSeen = false;
        watch.borders.clear();
        Store({"PreviewFirst=1", optionsWin});
        InPreview([](TfmPreview& fm) { UserClick(fm.sbExit); });
        EXPECT_EQ(tbx->Print(), 0) << optionsWin;
        EXPECT_TRUE(previewSeen) << optionsWin;
        EXPECT_EQ(tbx->PagesPrinted, 0) << optionsWin;
        EXPECT_FALSE(FileExists(OutName())) << optionsWin;
        EXPECT_TRUE(watch.NeverBordered()) << optionsWin;
        EXPECT_EQ(fmPreview, nullptr);
        ExpectRunGone();
        EXPECT_EQ(ui->PendingSteps(), 0u) << optionsWin;
    }
}

TEST_F(PreviewFirstTest, ReportOptionsFromThePreviewOpensTheOptionsWindowAfterItsPassword) {
    Store({"PreviewFirst=1", "RptOptPW=opt"});
    InPreview([](TfmPreview& fm) { UserClickMenu(RequireComponent<TMenuItem>(fm, "itmReportOptions")); });
    AnswerPassword("Enter Report Options Password:", "OPT");
    bool seen = false;
    InWindow([&](TfmTBXMain& d) {
        seen = true;
        EXPECT_EQ(fmPreview, nullptr);
        EXPECT_EQ(d.BorderStyle(), TFormBorderStyle::bsSingle);
        EXPECT_EQ(d.BoundsRect(), (TRect{192, 144, 192 + 640, 144 + 480}));
        EXPECT_EQ(PWInfo.EnteredRptOptPW, "OPT");
        UserClickMenu(d.itmExit);
    });
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_TRUE(previewSeen);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(FileExists(OutName()));
    ExpectRunGone();
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(PreviewFirstTest, ARefusedOptionsPasswordAfterThePreviewEndsTheRun) {
    Store({"PreviewFirst=1", "RptOptPW=opt"});
    InPreview([](TfmPreview& fm) { UserClickMenu(RequireComponent<TMenuItem>(fm, "itmReportOptions")); });
    AnswerPassword("Enter Report Options Password:", "");
    EXPECT_EQ(tbx->Print(), 0);
    ExpectSetupFailure("Tabrix! Setup Error: Report Options Password Violation");
    EXPECT_TRUE(watch.NeverBordered());
    ExpectRunGone();
}

TEST_F(PreviewFirstTest, APrintFromThePreviewIsTheRunsResult) {
    Store({"PreviewFirst=1"});
    const std::string whole = EngineRun(dir.File("engine.txt"));
    InPreview([this](TfmPreview& fm) {
        UserSelect(fm.cbxPrintWhatPages, "Print Current Page");
        // A print from the preview always pauses on its result.
        ui->OnModal("fmProgress", [](TCustomForm&) {
            EXPECT_EQ(fmProgress->lbPageNum->Caption().substr(0, 17), "1 Pages Printed. ");
            UserClick(fmProgress->bbOk);
        });
        UserClick(fm.sbPrint);
        UserClick(fm.sbExit);
    });
    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_EQ(tbx->PagesPrinted, 1);
    // The first page of the whole report, up to its form feed, and no more.
    const std::string page = ReadAll(OutName());
    const std::size_t feed = whole.find('\f');
    ASSERT_NE(feed, std::string::npos);
    EXPECT_EQ(page.substr(0, page.find('\f') + 1), whole.substr(0, feed + 1));
    EXPECT_EQ(std::count(page.begin(), page.end(), '\f'), 1);
    EXPECT_TRUE(watch.NeverBordered());
    ExpectRunGone();
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(PreviewFirstTest, AFailedFileNameInThePreviewAsksTheOptionsPasswordOnce) {
    // Cancelled: the violation is told; entered: the field's own message.
    for (const char* entry : {"", "opt"}) {
        SCOPED_TRACE(*entry ? "entered" : "cancelled");
        Store({"PreviewFirst=1", "RptOptPW=opt"});
        std::string status;
        InPreview([&](TfmPreview& fm) {
            UserReplaceText(fm.edOutputFileName, dir.File("missing/report.txt"));
            UserFocus(fm.memPreview);
            status = fm.paMsg->Caption();
            UserClick(fm.sbExit);
        });
        AnswerPassword("Enter Report Options Password:", entry);
        ui->AnswerMessage(mrNo, "Save New Report Settings?");
        EXPECT_EQ(tbx->Print(), 0);
        EXPECT_EQ(Boxes(TDialogKind::dkModalForm).size(), 2u); // the preview and one prompt
        EXPECT_EQ(ui->PendingSteps(), 0u);
        const std::string save = "Report Settings have been modified.\r\rSave New Report Settings?";
        if (*entry) {
            EXPECT_EQ(ui->Messages(), std::vector<std::string>{save});
            EXPECT_EQ(status, "  Directory does not exist for output file. Use Browse button to create directory.");
        } else {
            EXPECT_EQ(ui->Messages(),
                      (std::vector<std::string>{"Tabrix! Setup Error: Report Options Password Violation.", save}));
        }
        ExpectRunGone();
        ui->ClearCalls();
    }
}

// A print from the preview that fails before its progress window shows
// says why on the preview's status line; one to a printer that writes
// files says where the file went.
TEST_F(PreviewFirstTest, APrintFromThePreviewSaysWhyItFailedOrWhereItsFileWent) {
    const std::string file = dir.File("Report_ Items.pdf");
    const std::string name = printer.Driver().Specs()[0].Name;
    printer.Driver().Specs()[0].OutputFile = file;
    Store({"PreviewFirst=1", "OutputDest=0"});
    std::string failed, written;
    InPreview([&](TfmPreview& fm) {
        UserSelect(fm.cbxPrintWhatPages, "Print Current Page");
        printer.Driver().Specs()[0].FailStartDoc = true;
        UserClick(fm.sbPrint);
        failed = fm.paMsg->Caption();
        printer.Driver().Specs()[0].FailStartDoc = false;
        ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbOk); });
        UserClick(fm.sbPrint);
        written = fm.paMsg->Caption();
        UserClick(fm.sbExit);
    });
    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_EQ(Trim(failed), "The printer could not start the document");
    EXPECT_EQ(Trim(written), "Output: " + name + ": " + file);
    EXPECT_TRUE(ui->Messages().empty());
    ExpectRunGone();
}

// ---- The options window ---------------------------------------------------------------

TEST_F(OptionsRunTest, TheOptionsWindowOpensBorderedCentredAfterItsPassword) {
    struct Case {
        const char* what;
        std::vector<std::string> settings;
        bool ctrlShift;
        std::string failed; // the message of the field that failed the check
    };
    const std::vector<Case> cases{
        {"the settings ask for it", {"DisplayReportOptionsWin=1"}, false, ""},
        {"Ctrl and Shift are held", {}, true, ""},
        {"Ctrl and Shift are held with a preview first", {"PreviewFirst=1"}, true, ""},
        {"a stored value fails the check",
         {"OutputFileName=" + dir.File("missing/report.txt")},
         false,
         "Directory does not exist for output file. Use Browse button to create directory."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> settings = c.settings;
        settings.push_back("RptOptPW=opt");
        Store(settings);
        SetKeyDown(VK_CONTROL, c.ctrlShift);
        SetKeyDown(VK_SHIFT, c.ctrlShift);
        AnswerPassword("Enter Report Options Password:", "OPT");
        bool seen = false;
        InWindow([&](TfmTBXMain& d) {
            seen = true;
            EXPECT_EQ(d.BorderStyle(), TFormBorderStyle::bsSingle) << c.what;
            EXPECT_EQ(d.BoundsRect(), (TRect{192, 144, 192 + 640, 144 + 480})) << c.what;
            EXPECT_EQ(d.Caption(), "Report Options: Items") << c.what;
            EXPECT_EQ(PWInfo.EnteredRptOptPW, "OPT");
            if (!c.failed.empty()) {
                EXPECT_EQ(Trim(d.paMsg->Caption()), c.failed);
                EXPECT_EQ(d.ActiveControl(), d.edOutputFileName);
            }
            SetKeyDown(VK_CONTROL, false);
            SetKeyDown(VK_SHIFT, false);
            d.bbCloseClick(nullptr);
        });
        EXPECT_EQ(tbx->Print(), 0) << c.what;
        EXPECT_TRUE(seen) << c.what;
        EXPECT_FALSE(FileExists(OutName())) << c.what;
        ExpectRunGone();
        EXPECT_EQ(ui->PendingSteps(), 0u);
    }
}

TEST_F(OptionsRunTest, TheHandlerAfterLoadingMayChangeEverySettingButTheIdentifier) {
    Store({"DisplayReportOptionsWin=1"});
    OnLoaded([](TtrxReportSettings& Rs) {
        EXPECT_EQ(Rs.TxtCharsPageWid, 40);
        Rs.ReportId = "Changed (009.009)";
        Rs.TxtCharsPageWid = 50;
    });
    InWindow([](TfmTBXMain& d) {
        EXPECT_EQ(ReportSettings->ReportId.str(), kReportId);
        EXPECT_EQ(ReportSettings->TxtCharsPageWid, 50);
        EXPECT_FALSE(ReportSettings->Modified);
        d.bbCloseClick(nullptr);
    });
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_TRUE(ui->Calls().size() == 1u); // the window, and no question
}

TEST_F(OptionsRunTest, TheFileMenuOffersWhatTheRunAllows) {
    struct Case {
        const char* what;
        std::vector<std::string> settings;
        bool previewAndSizing;
        bool save;
    };
    const std::vector<Case> cases{
        {"a report", {}, true, true},
        {"a window snapshot", {"OutputDest=0", "PrintWhat=5"}, false, true},
        {"settings read-only from the start", {"SettingsReadOnly=1"}, true, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> settings = c.settings;
        settings.push_back("DisplayReportOptionsWin=1");
        Store(settings);
        InWindow([&](TfmTBXMain& d) {
            UserOpenMenu(d.mnFile);
            EXPECT_EQ(d.itmPreview->Enabled(), c.previewAndSizing) << c.what;
            EXPECT_EQ(d.itmCalcColSIze->Enabled(), c.previewAndSizing) << c.what;
            EXPECT_EQ(d.itmSave->Enabled(), c.save) << c.what;
            d.bbCloseClick(nullptr);
        });
        EXPECT_EQ(tbx->Print(), 0) << c.what;
    }
}

// ---- Setup failures ---------------------------------------------------------------------

TEST_F(OptionsRunTest, EverySetupFailureOfTheFirstShowIsToldThenTheRunEnds) {
    struct Case {
        const char* what;
        std::vector<std::string> settings;
        std::function<void()> before;
        std::string message;
    };
    const std::vector<Case> cases{
        {"a refused options password",
         {"DisplayReportOptionsWin=1", "RptOptPW=opt"},
         [&] { AnswerPassword("Enter Report Options Password:", ""); },
         "Tabrix! Setup Error: Report Options Password Violation"},
        {"a refused report password",
         {"RptPW=rpt"},
         [&] { AnswerPassword("Enter Report Password:", ""); },
         "Tabrix! Setup Error: Report Password Violation"},
        {"a style that cannot be loaded",
         {"OutputDest=0", "OutputQuality=2"},
         {},
         "Tabrix! Setup Error: Cannot Load Tabrix! Styles"},
    };
    for (const Case& c : cases) {
        Store(c.settings);
        if (c.before) c.before();
        EXPECT_EQ(tbx->Print(), 0) << c.what;
        ExpectSetupFailure(c.message);
        EXPECT_FALSE(FileExists(OutName())) << c.what;
        EXPECT_TRUE(watch.NeverBordered()) << c.what;
        ExpectRunGone();
        ui->ClearCalls();
    }
}

TEST_F(OptionsRunTest, APrintWhileAnotherRunsIsRefusedAndANewComponentLeavesTheRunAlone) {
    Store({});
    TTrxTabrix* other = NewComponent("TrxTabrix2");
    TTrxTabrix* made = nullptr;
    OnLoaded([&](TtrxReportSettings&) {
        TfmTBXMain* running = fmTBXMain;
        made = new TTrxTabrix(form);
        EXPECT_EQ(fmTBXMain, running);
        EXPECT_EQ(made->ObjectToPrint(), grid);
    });
    EXPECT_EQ(tbx->Print(), 1);
    ASSERT_NE(made, nullptr);

    OnLoaded([&](TtrxReportSettings&) { other->Print(); });
    EXPECT_EQ(tbx->Print(), 0);
    ExpectSetupFailure(
        "Tabrix! Setup Error: TrxTabrix2.Print called while another report is running. Report cannot continue");
    ExpectRunGone();
}

TEST_F(OptionsRunTest, WhileAProgramsOwnRunIsOpenTheDialogMakesNothingAndPrintGivesThree) {
    Store({});
    TRunScope own; // the program prints without the dialog
    EXPECT_EQ(tbx->Print(), 3);
    const auto shown = Boxes(TDialogKind::dkException);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "Tabrix! Internal Error: [TRunScope] a report run is already open.");
    EXPECT_FALSE(FileExists(OutName()));
    EXPECT_EQ(fmTBXMain, nullptr);
    EXPECT_EQ(watch.shows, 0);
    // The program's run keeps its objects.
    EXPECT_EQ(ReportSettings, &own.RS());
    EXPECT_EQ(PrintSettings, &own.PS());
    EXPECT_EQ(ObjInfo, &own.OI());
    EXPECT_EQ(RptStyles, &own.Styles());
}

// ---- The caller -----------------------------------------------------------------------------

TEST_F(OptionsRunTest, APrintWithoutAnActiveFormRunsAndLeavesNothingBehind) {
    Store({});
    form->Hide();
    ASSERT_EQ(Screen()->ActiveForm(), nullptr);
    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_FALSE(ReadAll(OutName()).empty());
    ExpectRunGone();
}

TEST_F(OptionsRunTest, ACallerThatGoesOrHidesDuringTheRunIsLeftAlone) {
    Store({});
    for (const bool freed : {false, true}) {
        auto* caller = NewForm<TForm>(Application());
        caller->Show();
        caller->SetCursor(crCross);
        ASSERT_EQ(Screen()->ActiveForm(), caller);
        OnLoaded([&](TtrxReportSettings&) {
            EXPECT_EQ(ObjInfo->CallerForm, caller);
            EXPECT_EQ(caller->Cursor(), crHourGlass);
            if (freed)
                caller->Free();
            else
                caller->Hide();
        });
        EXPECT_EQ(tbx->Print(), 1) << freed;
        EXPECT_TRUE(ui->Calls().empty()) << freed;
        if (!freed) {
            EXPECT_EQ(caller->Cursor(), crCross);
            EXPECT_FALSE(caller->Active());
            caller->Free();
        }
        ExpectRunGone();
    }
}

// ---- Closing and saving ---------------------------------------------------------------------

TEST_F(OptionsRunTest, AnEditedFieldExitAndYesWriteExactlyThatChange) {
    Store({"DisplayReportOptionsWin=1"});
    const std::vector<std::string> before = StoredValues();
    InWindow([](TfmTBXMain& d) {
        UserReplaceText(d.edPanelsAcrossPage, "2");
        UserClickMenu(d.itmExit);
    });
    ui->AnswerMessage(mrYes, "Save New Report Settings?");
    EXPECT_EQ(tbx->Print(), 0);
    const auto boxes = Boxes(TDialogKind::dkMessageDlg);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "Report Settings have been modified.\r\rSave New Report Settings?");
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(boxes[0].Buttons, mbYesNoCancel);
    EXPECT_EQ(boxes[0].HelpContext, 999);
    EXPECT_EQ(Changed(before, StoredValues()),
              (std::vector<std::string>{"PanelsAcrossPage=2", "LastSaveDate=12/9/2025 12:00:00 PM"}));
    ExpectRunGone();
}

TEST_F(OptionsRunTest, TheQuestionSeesEditedFieldsAndNoClosesWithoutSaving) {
    Store({"DisplayReportOptionsWin=1"});
    const std::string before = ReadAll(SettingsFile());
    InWindow([](TfmTBXMain& d) {
        auto* panel = new TPanel(&d);
        panel->SetParent(&d);
        auto* edit = new TEdit(&d);
        edit->SetParent(panel);
        EXPECT_FALSE(d.WasEditCtrlModified(&d));
        edit->SetModified(true);
        EXPECT_TRUE(d.WasEditCtrlModified(&d));
        EXPECT_FALSE(d.WasEditCtrlModified(edit)); // not a parent of anything
        d.bbCloseClick(nullptr);
    });
    ui->AnswerMessage(mrCancel, "Save New Report Settings?");
    InWindow([](TfmTBXMain& d) {
        EXPECT_TRUE(ReportSettings->Modified);
        d.bbCloseClick(nullptr);
    });
    ui->AnswerMessage(mrNo, "Save New Report Settings?");
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_EQ(ReadAll(SettingsFile()), before);
    EXPECT_EQ(ui->Beeps().size(), 3u); // two questions, and the refused close
}

TEST_F(OptionsRunTest, SettingsReadOnlyFromTheStartAreNeverAskedAbout) {
    Store({"DisplayReportOptionsWin=1", "SettingsReadOnly=1"});
    InWindow([](TfmTBXMain& d) {
        ReportSettings->PanelsAcrossPage = 2;
        ReportSettings->Modified = true;
        d.bbCloseClick(nullptr);
    });
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_TRUE(Boxes(TDialogKind::dkMessageDlg).empty());
}

TEST_F(OptionsRunTest, ASaveThatFailsKeepsTheChangeAndTheWindow) {
    Store({"DisplayReportOptionsWin=1"});
    InWindow([&](TfmTBXMain& d) {
        UserReplaceText(d.edPanelsAcrossPage, "2");
        chmod(SettingsFile().c_str(), 0444);
        UserClickMenu(d.itmSave);
        EXPECT_TRUE(ReportSettings->Modified);
        EXPECT_EQ(Trim(d.paMsg->Caption()), "Unable to save report settings");
        d.bbCloseClick(nullptr);
    });
    ui->AnswerMessage(mrYes, "Save New Report Settings?");
    InWindow([&](TfmTBXMain& d) {
        EXPECT_TRUE(ReportSettings->Modified);
        EXPECT_EQ(Trim(d.paMsg->Caption()), "Unable to save report settings");
        chmod(SettingsFile().c_str(), 0644);
        UserClickMenu(d.itmSave);
        EXPECT_FALSE(ReportSettings->Modified);
        EXPECT_EQ(Trim(d.paMsg->Caption()), "Saved");
        d.bbCloseClick(nullptr);
    });
    EXPECT_EQ(tbx->Print(), 0);
    const auto boxes = Boxes(TDialogKind::dkMessageDlg);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Text, "Unable to save report settings");
    EXPECT_EQ(boxes[1].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes[1].Buttons, TMsgDlgButtons{TMsgDlgBtn::mbCancel});
    EXPECT_EQ(boxes[1].HelpContext, 999);
    ASSERT_EQ(Boxes(TDialogKind::dkException).size(), 2u); // the failed writes
    EXPECT_NE(ReadAll(SettingsFile()).find("\r\nPanelsAcrossPage=2\r\n"), std::string::npos);
}

TEST_F(OptionsRunTest, ASaveGivenUpForWantOfTheLockIsNoSave) {
    Store({"DisplayReportOptionsWin=1"});
    const std::string before = ReadAll(SettingsFile());
    TtrxFileMgr holder; // another program's manager
    holder.DataDir = dir.Path();
    holder.InitVars("", kReportId);
    InWindow([&](TfmTBXMain& d) {
        UserReplaceText(d.edPanelsAcrossPage, "2");
        ASSERT_TRUE(holder.LockFile(LockModeExclusive));
        UserClickMenu(d.itmSave);
        holder.UnLockFile();
        EXPECT_TRUE(ReportSettings->Modified);
        EXPECT_EQ(Trim(d.paMsg->Caption()), "Unable to save report settings");
        d.bbCloseClick(nullptr);
    });
    ui->AnswerMessage(mrAbort, "Lock has timed out");
    ui->AnswerMessage(mrNo, "Save New Report Settings?");
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_EQ(ReadAll(SettingsFile()), before);
    EXPECT_TRUE(Boxes(TDialogKind::dkException).empty()); // given up silently
}

TEST_F(OptionsRunTest, AFailureWhileClosingIsToldAndTheDialogStillCloses) {
    Store({"DisplayReportOptionsWin=1"});
    InWindow([&](TfmTBXMain& d) {
        // The global preferences cannot be written.
        ASSERT_TRUE(ForceDirectories(windowsDir.File("Tabrix.Ini")));
        d.bbCloseClick(nullptr);
    });
    EXPECT_EQ(tbx->Print(), 0);
    const auto shown = Boxes(TDialogKind::dkShowMessage);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text.substr(0, 47), "Tabrix! Internal Error: Closing Form:fmTBXMain\r");
    ExpectRunGone();
}

// ---- The end of a run ---------------------------------------------------------------------

TEST_F(OptionsRunTest, APrintFromTheOptionsWindowPrintsTheDataAsItIsThen) {
    SqliteFile db(dir.File("items.db"),
                  "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
                  "INSERT INTO items VALUES(1, 'cups'), (2, 'jugs');");
    auto* table = ItemsTable(db);
    tbx->SetObjectToPrint(table);
    // Every row measured; another program changes a row while the window
    // is open, before the user prints.
    Store({"DisplayReportOptionsWin=1", "CloseWinAfterPrinting=1", "Snugfit=0"});
    InWindow([&](TfmTBXMain& d) {
        db.Exec("UPDATE items SET name = 'pots' WHERE id = 2;");
        UserClick(d.sbPrint);
    });
    EXPECT_EQ(tbx->Print(), 1);
    const std::string out = ReadAll(OutName());
    EXPECT_NE(out.find("pots"), std::string::npos) << out;
    EXPECT_EQ(out.find("jugs"), std::string::npos) << out;
    ExpectRunGone();
}

TEST_F(OptionsRunTest, ADatasetsControlsAreEnabledOnlyWhenTheRunDisabledThem) {
    SqliteFile db(dir.File("items.db"),
                  "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
                  "INSERT INTO items VALUES(1, 'cups');");
    auto* table = ItemsTable(db);
    table->DisableControls(); // the application's own
    tbx->SetObjectToPrint(table);
    Store({});
    EXPECT_EQ(tbx->Print(), 1);
    EXPECT_TRUE(table->ControlsDisabled());

    // The set-up fails before the run disabled anything.
    table->SetActive(false);
    table->SetTableName("missing");
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_EQ(Boxes(TDialogKind::dkShowMessage).size(), 1u);
    EXPECT_TRUE(table->ControlsDisabled());
    table->EnableControls();
    EXPECT_FALSE(table->ControlsDisabled());
}

// ---- A run that fails -------------------------------------------------------------

// The application frees the object to print while the options window is
// open: the run lets go of it, and printing, previewing or scanning the
// columns stops with a setup error; the window still closes as it should.
TEST_F(OptionsRunTest, AnObjectToPrintFreedWhileTheWindowIsOpenStopsThePrintWithASetupError) {
    SqliteFile db(dir.File("items.db"),
                  "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
                  "INSERT INTO items VALUES(1, 'cups'), (2, 'jugs');");
    const std::string gone = "Tabrix! Setup Error: TrxTabrix1.ObjectToPrint not assigned. Report cannot continue";
    // A grid on the form like the fixture's.
    auto newGrid = [this](const std::string& Name, TComponent* Owner) {
        auto* g = new TStringGrid(Owner);
        g->SetName(Name);
        if (Owner == form) g->SetParent(form);
        g->SetColCount(2);
        g->SetRowCount(3);
        g->SetFixedCols(0);
        g->SetFixedRows(1);
        for (int c = 0; c < 2; ++c)
            for (int r = 0; r < 3; ++r) g->SetCells(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
        return g;
    };
    TComponent module(nullptr);
    enum class Kind { grid, table, afterAnotherWasChosen };
    for (const Kind kind : {Kind::grid, Kind::table, Kind::afterAnotherWasChosen}) {
        const int k = static_cast<int>(kind);
        ui->ClearCalls();
        TComponent* object = nullptr;
        TStringGrid* other = nullptr;
        if (kind == Kind::table) {
            object = ItemsTable(db);
            tbx->SetObjectToPrint(object);
        } else {
            // A grid of another owner (a data module) is not one of the
            // components the form tells of the going of its own.
            object = kind == Kind::grid ? newGrid("sgGone", form) : newGrid("sgFirst", &module);
            tbx->SetObjectToPrint(object);
        }
        if (kind == Kind::afterAnotherWasChosen) other = newGrid("sgOther", form);
        Store({"DisplayReportOptionsWin=1"});
        InWindow([&](TfmTBXMain& d) {
            // The application may choose another object for its next print
            // before it frees the one this run prints.
            if (other) tbx->SetObjectToPrint(other);
            delete object;
            UserClick(d.sbPrint);
            UserClick(d.sbPreview);
            // The hidden menu item that scans the columns again.
            try {
                d.itmCalcColSIzeClick(nullptr);
                ADD_FAILURE() << "the columns scanned";
            } catch (const ETrxSUError& e) {
                EXPECT_EQ(e.Message, gone);
            }
            d.bbCloseClick(nullptr);
        });
        EXPECT_EQ(tbx->Print(), 0) << k;
        EXPECT_EQ(tbx->ObjectToPrint(), other) << k;
        const auto raised = Boxes(TDialogKind::dkException);
        ASSERT_EQ(raised.size(), 2u) << k;
        for (const TDialogCall& box : raised) EXPECT_EQ(box.Text, gone + ".") << k;
        EXPECT_FALSE(FileExists(OutName())) << k;
        ExpectRunGone();
        delete other;
    }
}

// Without the progress window a run that fails still says why: in a message
// box on the road that prints at once, on the status line of the options
// window once it is open.
TEST_F(OptionsRunTest, ARunThatFailsSaysWhyWithoutTheProgressWindow) {
    // The printer cannot start the document (a PDF printer's folder that
    // is missing, a printer gone).
    printer.Driver().Specs()[0].FailStartDoc = true;
    Store({"OutputDest=0"});
    EXPECT_EQ(tbx->Print(), 3);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"The printer could not start the document"});
    ui->ClearCalls();
    printer.Driver().Specs()[0].FailStartDoc = false;

    // Another program drops the table while the options window is open.
    SqliteFile db(dir.File("items.db"),
                  "CREATE TABLE items(id INTEGER, name VARCHAR(10));"
                  "INSERT INTO items VALUES(1, 'cups'), (2, 'jugs');");
    tbx->SetObjectToPrint(ItemsTable(db));
    Store({"DisplayReportOptionsWin=1", "Snugfit=0"});
    std::string status;
    InWindow([&](TfmTBXMain& d) {
        db.Exec("DROP TABLE items;");
        UserClick(d.sbPrint);
        status = d.paMsg->Caption();
        d.bbCloseClick(nullptr);
    });
    EXPECT_EQ(tbx->Print(), 3);
    EXPECT_NE(status.find("no such table"), std::string::npos) << status;
    EXPECT_EQ(status.find_first_of("\r\n"), std::string::npos) << status;
    EXPECT_TRUE(ui->Messages().empty());
    ExpectRunGone();
}

// A print from the options window to a printer that writes files tells
// where the file went, on the status line and in the result window.
TEST_F(OptionsRunTest, APrintToAPrinterThatWritesFilesSaysWhereTheFileWent) {
    const std::string file = dir.File("Documents/Report_ Items.pdf");
    printer.Driver().Specs()[0].OutputFile = file;
    const std::string name = printer.Driver().Specs()[0].Name;
    std::string status, destination;
    for (const bool pause : {false, true}) {
        Store({"OutputDest=0", "DisplayReportOptionsWin=1", std::string("PauseAfterPrinting=") + (pause ? "1" : "0")});
        InWindow([&](TfmTBXMain& d) {
            if (pause)
                ui->OnModal("fmProgress", [&](TCustomForm&) {
                    destination = fmProgress->lbOutputDestination->Caption();
                    UserClick(fmProgress->bbOk);
                });
            UserClick(d.sbPrint);
            status = d.paMsg->Caption();
            d.bbCloseClick(nullptr);
        });
        EXPECT_EQ(tbx->Print(), 1) << pause;
        EXPECT_EQ(Trim(status), "Output: " + name + ": " + file) << pause;
    }
    EXPECT_EQ(destination, "Output: " + name + ": " + file);
    ExpectRunGone();
}

// Memos or columns the page has no room for stop a print as any setup error
// does: on the road that prints at once with the message and the notice,
// from the options window with the message.
TEST_F(OptionsRunTest, MemosTooLargeForThePageAreToldAsASetupError) {
    const std::string memos = "Tabrix! Setup Error: *WARNING* Report Memos are too large for page size.";
    Store({});
    // A page title of 25 lines on a page of 20.
    OnLoaded([](TtrxReportSettings& Rs) {
        std::string title = "line 1";
        for (int i = 2; i <= 25; ++i) title += "\r\nline " + std::to_string(i);
        Rs.Memo(TRptMemoNdx::rmPgTi).SetText(title);
    });
    EXPECT_EQ(tbx->Print(), 3);
    const auto shown = Boxes(TDialogKind::dkShowMessage);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text.rfind(memos, 0), 0u) << shown[0].Text;
    ASSERT_FALSE(Boxes(TDialogKind::dkMessageDlg).empty());
    EXPECT_EQ(Boxes(TDialogKind::dkMessageDlg).back().Text, "Due to errors, the report: \"Items\" cannot be printed");
    EXPECT_FALSE(FileExists(OutName()));

    ui->ClearCalls();
    Store({"DisplayReportOptionsWin=1"});
    InWindow([&](TfmTBXMain& d) {
        UserClick(d.sbPrint);
        d.bbCloseClick(nullptr);
    });
    EXPECT_EQ(tbx->Print(), 3);
    const auto raised = Boxes(TDialogKind::dkException);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].Text.rfind(memos, 0), 0u) << raised[0].Text;
    EXPECT_FALSE(FileExists(OutName()));
    ExpectRunGone();
}

TEST_F(OptionsRunTest, DestroyingTheDialogFinishesWhateverFails) {
    Store({});
    OnLoaded([](TtrxReportSettings&) {
        PWInfo.EnteredRptPW = "rpt";
        // A document left open keeps the printer from being set up, and
        // from taking its former printer back when the run ends.
        Printer()->BeginDoc();
    });
    EXPECT_EQ(tbx->Print(), 0);
    EXPECT_EQ(Boxes(TDialogKind::dkShowMessage).size(), 1u);
    EXPECT_EQ(Boxes(TDialogKind::dkException).size(), 1u);
    Printer()->Abort();
    ExpectRunGone();
}

} // namespace
} // namespace trx::test
