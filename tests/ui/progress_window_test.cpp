#include <gtest/gtest.h>

#include "framework/forms/extra_controls.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "ui/progress_window.h"
#include "ui_fixture.h"

namespace trx::test {
namespace {

class ProgressTest : public UiTest {
protected:
    ProgressTest() {
        Screen()->SetSize(1024, 768);
        dialog = NewForm<TForm>(Application());
        dialog->SetName("fmTBXMain");
        dialog->Show();
        PS().Oper = TOper::opPrinting;
        PS().OperStatus = TOperStatus::osActive;
        PS().DestName = "LPT1:";
        RS().DisplayProgressWindow = true;
        globals->OI().ObjType = TObjType::IsStringGrid;
    }
    TPrintSettings& PS() { return globals->PS(); }
    TtrxReportSettings& RS() { return globals->RS(); }

    void StartPrint(bool Visible = true) {
        ActivateProgressWindow(Visible, dialog, "Report:Sales", "&Resume Report", "&Abort Report");
        ASSERT_NE(fmProgress, nullptr);
    }
    // Lets the throttle pass and updates the bar.
    void Update(int Current, int Total, TPoint Page = TPoint{0, 0}) {
        clock.Advance(501);
        UpdateProgressBar(Current, Total, Page);
    }
    // The user's action, delivered when the running loop next processes
    // its messages.
    void Queue(std::function<void()> Input) { Application()->QueueInput(std::move(Input)); }

    TForm* dialog;
};

TEST_F(ProgressTest, ActivatingShowsTheWindowForTheOperationAndDisablesItsOwner) {
    StartPrint();
    TfmProgress& fm = *fmProgress;
    EXPECT_EQ(fm.Caption(), "Report:Sales");
    EXPECT_EQ(fm.ClientWidth(), 385);
    EXPECT_EQ(fm.ClientHeight(), 215);
    EXPECT_EQ(fm.NormalSize, (TPoint{fm.Width(), fm.Height()}));
    EXPECT_EQ(fm.BorderStyle(), TFormBorderStyle::bsDialog);
    EXPECT_EQ(fm.Left(), (1024 - fm.Width()) / 2);
    EXPECT_TRUE(fm.Visible());
    EXPECT_TRUE(fm.KeyPreview);
    EXPECT_FALSE(dialog->Enabled());
    EXPECT_EQ(fm.OwnerForm(), dialog);
    EXPECT_EQ(Screen()->Cursor(), crHourGlass);
    EXPECT_EQ(fm.paStatusBar->Caption(), "Printing...Please Wait!");
    EXPECT_EQ(fm.lbOutputDestination->Caption(), "Output: LPT1:");
    EXPECT_TRUE(fm.bbCancel->Visible());
    EXPECT_TRUE(fm.bbCancel->Enabled());
    EXPECT_FALSE(fm.bbOk->Visible());
    EXPECT_FALSE(fm.bbAbortOper->Visible());
    EXPECT_EQ(fm.bbAbortOper->Caption(), "&Abort Report");
    EXPECT_EQ(fm.bbResumeOper->Caption(), "&Resume Report");
    EXPECT_EQ(fm.paProgressBar->Width(), 0);

    // An empty title keeps the caption.
    ActivateProgressWindow(true, dialog, "", "&Resume Column Scan", "&Abort Column Scan");
    EXPECT_EQ(fmProgress->Caption(), "Report:Sales");
    EXPECT_EQ(fmProgress->bbAbortOper->Caption(), "&Abort Column Scan");
}

TEST_F(ProgressTest, UpdatesCloserThan500MsApartChangeNothingAndProcessNoMessages) {
    StartPrint();
    TfmProgress& fm = *fmProgress;
    int handled = 0;
    Queue([&] { ++handled; });
    int current = 50, total = 100;
    clock.Advance(500); // exactly 500 ms still counts as too soon
    UpdateProgressBar(current, total, TPoint{1, 3});
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(fm.paProgressBar->Width(), 0);
    EXPECT_EQ(fm.lbPageNum->Caption(), "");

    clock.Advance(1);
    UpdateProgressBar(current, total, TPoint{1, 3});
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(fm.paProgressBar->Width(), 145);
    EXPECT_EQ(fm.paProgressBar->Caption(), "50 Rows ( 50%)");
    EXPECT_EQ(fm.lbPageNum->Caption(), "Printing: Page 3-1");

    // The next update counts from this one.
    current = 80;
    clock.Advance(300);
    UpdateProgressBar(current, total, TPoint{1, 4});
    EXPECT_EQ(fm.paProgressBar->Caption(), "50 Rows ( 50%)");
}

TEST_F(ProgressTest, TheBarFollowsTheRatioAndATotalPassedIsDoubled) {
    StartPrint();
    TfmProgress& fm = *fmProgress;
    int current = 5, total = 0;
    Update(current, total);
    EXPECT_EQ(fm.paProgressBar->Width(), 0);
    EXPECT_EQ(fm.paProgressBar->Caption(), "5 Rows (  0%)");

    current = 150, total = 100;
    clock.Advance(501);
    fmProgress->UpdateProgressBar(current, total, TPoint{2, 5});
    EXPECT_EQ(total, 200); // written back to the caller
    EXPECT_EQ(fm.paProgressBar->Width(), 218);
    EXPECT_EQ(fm.paProgressBar->Caption(), "150 Rows ( 75%)");
    EXPECT_EQ(fm.lbPageNum->Caption(), "Printing: Page 5-2"); // down first, then across

    // No page yet: the page text stays.
    Update(160, total, TPoint{0, 0});
    EXPECT_EQ(fm.lbPageNum->Caption(), "Printing: Page 5-2");

    // Without a window the update does nothing.
    CloseProgressWindow(false, "");
    current = 1, total = 2;
    Update(current, total);
    EXPECT_EQ(fmProgress, nullptr);
}

TEST_F(ProgressTest, EscapeSuspendsAndResumeLetsTheOperationGoOn) {
    StartPrint();
    TfmProgress& fm = *fmProgress;
    Queue([&] { UserKeyDown(&fm, VK_ESCAPE); });
    ui->OnModal("fmProgress", [&](TCustomForm& f) {
        EXPECT_EQ(&f, &fm);
        EXPECT_EQ(fm.paStatusBar->Caption(), " --Printing-- User Suspended ");
        EXPECT_EQ(fm.paStatusBar->Color(), clBlack);
        EXPECT_EQ(fm.paStatusBar->Font().Color(), clWhite);
        EXPECT_FALSE(fm.bbCancel->Visible());
        EXPECT_TRUE(fm.bbAbortOper->Enabled());
        // The keys do nothing more while the window waits.
        UserKeyDown(&fm, VK_ESCAPE);
        UserClick(fm.bbResumeOper);
    });
    Update(10, 100);
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 1u);
    EXPECT_EQ(fm.UserChoice, 5);
    EXPECT_EQ(PS().OperStatus, TOperStatus::osActive);
    EXPECT_TRUE(fm.Visible());
    EXPECT_FALSE(fm.Modal());
    EXPECT_EQ(fm.paStatusBar->Caption(), "Printing...Please Wait!");
    EXPECT_EQ(fm.paStatusBar->Color(), clBtnFace);
    EXPECT_TRUE(fm.bbCancel->Visible());
    EXPECT_FALSE(fm.bbResumeOper->Visible());
    EXPECT_FALSE(dialog->Enabled()); // still held by the running operation
    EXPECT_FALSE(fm.CanClose);
}

TEST_F(ProgressTest, AnInvisibleWindowStillTakesCtrlPauseAndShowsWhenSuspended) {
    RS().DisplayProgressWindow = false;
    StartPrint();
    TfmProgress& fm = *fmProgress;
    EXPECT_TRUE(fm.Visible());
    EXPECT_EQ(fm.Width(), 0);
    EXPECT_EQ(fm.Height(), 0);
    EXPECT_EQ(fm.BorderStyle(), TFormBorderStyle::bsNone);

    Queue([&] { UserKeyDown(&fm, VK_PAUSE, TShiftState{TShiftFlag::ssCtrl}); });
    ui->OnModal("fmProgress", [&](TCustomForm&) {
        EXPECT_EQ(fm.Width(), fm.NormalSize.X);
        EXPECT_EQ(fm.Height(), fm.NormalSize.Y);
        EXPECT_EQ(fm.BorderStyle(), TFormBorderStyle::bsDialog);
        UserClick(fm.bbResumeOper);
    });
    Update(10, 100);
    // Resumed, it stays visible at its normal size.
    EXPECT_EQ(fm.Width(), fm.NormalSize.X);

    // Pause alone suspends nothing.
    Queue([&] { UserKeyDown(&fm, VK_PAUSE); });
    Update(20, 100);
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 1u);
}

TEST_F(ProgressTest, AbortStopsTheLoopAndTheResultShowsTheTerminationInRed) {
    StartPrint();
    Queue([] { UserClick(fmProgress->bbCancel); });
    ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbAbortOper); });

    // An engine loop: a row every 100 ms until the run status says stop.
    int rows = 0;
    for (int total = 1000; rows < total && PS().OperStatus == TOperStatus::osActive;) {
        ++rows;
        clock.Advance(100);
        UpdateProgressBar(rows, total, TPoint{1, 1});
    }
    EXPECT_EQ(rows, 6); // the first update after 500 ms let the click in
    EXPECT_EQ(PS().OperStatus, TOperStatus::osAbort);
    ASSERT_NE(fmProgress, nullptr);
    EXPECT_FALSE(fmProgress->Visible()); // closed until the operation ends it
    EXPECT_EQ(fmProgress->UserChoice, 3);

    ui->OnModal("fmProgress", [](TCustomForm& f) {
        TfmProgress& fm = static_cast<TfmProgress&>(f);
        EXPECT_EQ(fm.paStatusBar->Caption(), "Report --Terminated With Error--");
        EXPECT_EQ(fm.paStatusBar->Color(), clRed);
        EXPECT_EQ(fm.paStatusBar->Font().Color(), clWhite);
        EXPECT_EQ(fm.lbPageNum->Caption(), "Printing stopped");
        EXPECT_TRUE(fm.bbOk->Visible());
        EXPECT_TRUE(fm.bbOk->Default);
        EXPECT_FALSE(fm.bbCancel->Visible());
        EXPECT_FALSE(fm.bbAbortOper->Visible());
        EXPECT_TRUE(f.Enabled());
        UserKeyDown(&f, VK_ESCAPE); // ignored
        EXPECT_TRUE(f.Modal());
        UserClick(fm.bbOk);
    });
    ui->ClearCalls();
    CloseProgressWindow(true, "Printing stopped");
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{0}));
}

TEST_F(ProgressTest, TheResultOfACompletedRunDependsOnWhatWasOutput) {
    struct Case {
        TOper Oper;
        bool Export;
        int Pages;
        TPrintWhat What;
        TColor Color;
        std::string Status;
    };
    const Case cases[] = {
        {TOper::opPrinting, false, 3, TPrintWhat::pwAll, clGreen, "Report Completed Normally"},
        {TOper::opPrinting, false, 0, TPrintWhat::pwPageRange, clRed, "No pages found for page range"},
        {TOper::opPrinting, false, 0, TPrintWhat::pwAll, clRed, "No pages printed"},
        {TOper::opScanning, false, 0, TPrintWhat::pwAll, clRed, "No pages printed"},
        {TOper::opExporting, true, 0, TPrintWhat::pwAll, clGreen, "Export Completed Normally"},
        {TOper::opPreview, false, 0, TPrintWhat::pwAll, clGreen, "Previewed Completed Normally"},
    };
    globals->OI().RcdsDone = 42;
    for (const Case& c : cases) {
        PS().Oper = c.Oper;
        PS().ToExportFile = c.Export;
        PS().PagesOutput = c.Pages;
        RS().PrintWhat = c.What;
        PS().OperStatus = TOperStatus::osActive;
        StartPrint();
        PS().OperStatus = TOperStatus::osCompleted;
        ui->OnModal("fmProgress", [&](TCustomForm& f) {
            TfmProgress& fm = static_cast<TfmProgress&>(f);
            EXPECT_EQ(fm.paStatusBar->Caption(), c.Status);
            EXPECT_EQ(fm.paStatusBar->Color(), c.Color);
            EXPECT_EQ(fm.paProgressBar->Width(), fm.paProgressBackground->Width());
            EXPECT_EQ(fm.paProgressBar->Caption(), "42 Rows  (100%)");
            UserKeyDown(&f, VK_RETURN); // the default button
        });
        CloseProgressWindow(true, "");
        EXPECT_EQ(fmProgress, nullptr);
    }
}

TEST_F(ProgressTest, CloseRequestsAreRefusedWithABeepWhileTheOperationRuns) {
    StartPrint();
    UserClose(fmProgress);
    EXPECT_TRUE(fmProgress->Visible());
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{0}));
}

TEST_F(ProgressTest, ClosingWithoutResultFreesTheWindowAtOnceAndASecondCloseDoesNothing) {
    StartPrint();
    CloseProgressWindow(false, "");
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    CloseProgressWindow(false, "");
    CloseProgressWindow(true, "");
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(ProgressTest, AFailureWhileTheResultShowsStillFreesTheWindow) {
    StartPrint();
    PS().OperStatus = TOperStatus::osCompleted;
    ui->OnModal("fmProgress", [](TCustomForm&) { throw Exception("window lost"); });
    EXPECT_THROW(CloseProgressWindow(true, "Done"), Exception);
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_EQ(Screen()->Cursor(), crDefault);
    // The next operation starts with a new window.
    StartPrint();
    EXPECT_FALSE(dialog->Enabled());
    CloseProgressWindow(false, "");
    EXPECT_TRUE(dialog->Enabled());
}

TEST_F(ProgressTest, AReusedWindowGivesItsFormerOwnerBackBeforeTakingANewOne) {
    TForm* preview = NewForm<TForm>(Application());
    preview->SetName("fmPreview");
    preview->Show();
    StartPrint();
    TfmProgress* first = fmProgress;
    // The operation ended without closing the window; the next one takes it.
    ActivateProgressWindow(true, preview, "Searching for last report page", "&Resume Search", "&Abort Search");
    EXPECT_EQ(fmProgress, first);
    EXPECT_TRUE(dialog->Enabled());
    EXPECT_FALSE(preview->Enabled());
    EXPECT_EQ(fmProgress->OwnerForm(), preview);

    // An owner freed meanwhile is forgotten, not enabled again.
    preview->Free();
    EXPECT_EQ(fmProgress->OwnerForm(), nullptr);
    ActivateProgressWindow(true, nullptr, "", "", "");
    CloseProgressWindow(false, "");
    EXPECT_EQ(fmProgress, nullptr);
}

TEST_F(ProgressTest, OperationWordsUnitsAndStatusTexts) {
    StartPrint();
    TfmProgress& fm = *fmProgress;
    const std::pair<TOper, std::pair<std::string, std::string>> words[] = {
        {TOper::opPrinting, {"Printing", "Report"}},
        {TOper::opPreview, {"Previewing", "Previewed"}},
        {TOper::opScanning, {"Scanning", "Scanned"}},
        {TOper::opExporting, {"Exporting", "Export"}},
        {TOper::opCalcColWidths, {"Calculating Column Widths", "Calculated Column Widths"}},
        {TOper::opSample, {"?", "?"}}};
    for (const auto& [oper, texts] : words) {
        PS().Oper = oper;
        EXPECT_EQ(fm.GetOperMsg(false, false), texts.first);
        EXPECT_EQ(fm.GetOperMsg(true, false), texts.second);
    }
    PS().Oper = TOper::opExporting;
    const std::pair<TOperStatus, std::string> statuses[] = {{TOperStatus::osInActive, "Export Inactive"},
                                                            {TOperStatus::osActive, "Export Active"},
                                                            {TOperStatus::osCompleted, "Export Completed Normally"},
                                                            {TOperStatus::osAbort, "Export --Terminated With Error--"},
                                                            {TOperStatus::osCancel, "Export User Cancelled"}};
    for (const auto& [status, text] : statuses) {
        PS().OperStatus = status;
        EXPECT_EQ(fm.GetOperMsg(true, true), text);
    }
    EXPECT_EQ(fm.GetRcdUnits(), "Rows");
    globals->OI().ObjType = TObjType::IsTreeView;
    EXPECT_EQ(fm.GetRcdUnits(), "Nodes");
    globals->OI().ObjType = TObjType::IsInvalid;
    EXPECT_EQ(fm.GetRcdUnits(), "Records");
}

} // namespace
} // namespace trx::test
