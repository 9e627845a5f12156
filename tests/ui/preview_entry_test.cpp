// The preview from the options dialog: the road back to the options window,
// a preview closed without it, the report password, an export destination,
// the window's place per user and the pages to print chosen in the preview.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/obj_info.h"
#include "engine/trx_errors.h"
#include "framework/core/compiler_warnings.h"
#include "framework/core/ini_file.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/menus.h"
#include "framework/forms/user_input.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/virtual_printer.h"
#include "options_dialog_fixture.h"
#include "ui/preview_window.h"

namespace trx::test {
namespace {

class PreviewEntryTest : public OptionsDialogTest {
protected:
    PreviewEntryTest() {
        RS().OutputQuality = 0;
        RS().TxtCharsPageWid = 30;
        RS().LinesPerpage = 10;
        grid = std::make_unique<TStringGrid>(nullptr);
        grid->SetName("sgItems");
        grid->SetColCount(3);
        grid->SetRowCount(31);
        grid->SetFixedRows(1);
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        for (int r = 0; r <= 30; ++r)
            for (int c = 0; c < 3; ++c) grid->SetCells(c, r, "r" + std::to_string(r) + "c" + std::to_string(c));
        TRX_GCC_BOGUS_RESTRICT_END
    }
    void Open() {
        StartRun(grid.get());
        Fill();
        // No memo chosen in the memo editor: its fields hold what passes.
        dlg->edMemoXPosPer->SetText("0");
        dlg->edMemoWidPer->SetText("100");
        ShowWindow();
        ui->ClearCalls();
    }
    // The preview the user leaves by Script; what the window showed first.
    bool RunPreview(std::function<void(TfmPreview&)> Script) {
        ui->OnModal("fmPreview", [this, Script](TCustomForm& f) {
            auto& fm = static_cast<TfmPreview&>(f);
            shownPage = fm.paPageNum->Caption();
            firstLines = fm.memPreview->Lines().Count();
            Script(fm);
        });
        return Preview();
    }

    TVirtualPrinterOverride printer;
    std::unique_ptr<TStringGrid> grid;
    std::string shownPage;
    int firstLines = 0;
};

TEST_F(PreviewEntryTest, ExitEndsThePreviewWithoutTheOptionsWindow) {
    Open();
    EXPECT_FALSE(RunPreview([](TfmPreview& fm) { fm.sbExit->Click(); }));
    EXPECT_EQ(Trim(shownPage), "1");
    EXPECT_GT(firstLines, 0);
    EXPECT_EQ(fmPreview, nullptr);
    EXPECT_EQ(PS().PreviewMemo, nullptr);
    EXPECT_EQ(PS().Oper, TOper::opPrinting);
}

TEST_F(PreviewEntryTest, ReportOptionsAsksForTheOptionsWindow) {
    Open();
    EXPECT_TRUE(RunPreview([](TfmPreview& fm) { fm.itmReportOptionsClick(&fm); }));
    EXPECT_EQ(fmPreview, nullptr);
}

TEST_F(PreviewEntryTest, ARefusedReportPasswordOpensNoWindow) {
    RS().RptPW = "secret";
    Open();
    AnswerPassword("Enter Report Password:", "");
    EXPECT_THROW(Preview(), ETrxSUError);
    EXPECT_EQ(fmPreview, nullptr);
}

TEST_F(PreviewEntryTest, AnExportDestinationPreviewsThePrinterLayoutAndKeepsModified) {
    RS().OutputDest = TOutputDest::odExportFile;
    Open();
    RS().Modified = false;
    EXPECT_FALSE(RunPreview([](TfmPreview& fm) { fm.sbExit->Click(); }));
    EXPECT_EQ(RS().OutputDest, TOutputDest::odPrinter);
    EXPECT_EQ(dlg->cbxOutputDest->Text(), "Printer");
    EXPECT_FALSE(RS().Modified);
}

TEST_F(PreviewEntryTest, TheDestinationPanelFollowsADestinationChosenInThePreview) {
    Open();
    std::string before, after, dialogAfter;
    EXPECT_FALSE(RunPreview([&](TfmPreview& fm) {
        before = fm.paDestination->Caption();
        UserSelect(fm.cbxOutputDest, "Text File");
        after = fm.paDestination->Caption();
        dialogAfter = dlg->paDestination->Caption();
        fm.sbExit->Click();
    }));
    EXPECT_EQ(RS().OutputDest, TOutputDest::odTextFile);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, dialogAfter);
}

TEST_F(PreviewEntryTest, ThePreviewOpensWhereTheReportsUserLeftIt) {
    Screen()->SetSize(1024, 768);
    Open();
    RS().UserName = "ann";
    TRect first, second;
    EXPECT_FALSE(RunPreview([&](TfmPreview& fm) {
        first = fm.BoundsRect();
        fm.SetBounds(40, 30, 700, 500);
        fm.sbExit->Click();
    }));
    EXPECT_EQ(first, Rect(256, 192, 256 + 512, 192 + 384));
    EXPECT_EQ(TIniFile("Tabrix.Ini").ReadInteger("Form:fmPreview User:ann", "Window Top", -1), 30);
    EXPECT_FALSE(RunPreview([&](TfmPreview& fm) {
        second = fm.BoundsRect();
        fm.sbExit->Click();
    }));
    EXPECT_EQ(second, Rect(40, 30, 740, 530));
}

TEST_F(PreviewEntryTest, ThePagesToPrintChosenFromTheFileMenuGoThroughTheDialog) {
    Open();
    bool rangeShown = false, rangeFocused = false, rangeHidden = false;
    EXPECT_FALSE(RunPreview([&](TfmPreview& fm) {
        UserClickMenu(fm.itmPageRange);
        rangeShown = fm.edFromPageNum->Visible() && fm.edToPageNum->Visible();
        rangeFocused = fm.FocusedControl() == fm.edFromPageNum;
        UserClickMenu(fm.itmCurrentPage);
        rangeHidden = !fm.edFromPageNum->Visible() && !fm.edToPageNum->Visible();
        fm.sbExit->Click();
    }));
    EXPECT_TRUE(rangeShown);
    EXPECT_TRUE(rangeFocused);
    EXPECT_TRUE(rangeHidden);
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

TEST_F(PreviewEntryTest, WhileThePreviewIsOpenTheStatusMessagesShowAndClearOnItsPanel) {
    RS().OutputDest = TOutputDest::odTextFile;
    RS().OutputFileName = "Items.TXT";
    Open();
    struct TSeen {
        std::string Warning;
        TColor Color = clBtnFace;
        uint32_t Interval = 0;
        TColor AfterTimeOut = clYellow;
        TColor AfterNextCheck = clYellow;
        TColor Notice = clBtnFace;
        TColor NoticeAfterTimeOut = clWhite;
    } seen;
    EXPECT_FALSE(RunPreview([&](TfmPreview& fm) {
        UserReplaceText(fm.edOutputFileName, "/no/such/directory/Items.TXT");
        UserFocus(fm.memPreview);
        seen.Warning = fm.paMsg->Caption();
        seen.Color = fm.paMsg->Color();
        seen.Interval = dlg->Timer1->Interval();
        clock.Advance(15000);
        Application()->ProcessMessages();
        seen.AfterTimeOut = fm.paMsg->Color();

        // A warning still shown goes at the next check.
        UserReplaceText(fm.edOutputFileName, "/no/such/directory/Items.TXT");
        UserFocus(fm.memPreview);
        UserReplaceText(fm.edOutputFileName, "Items.TXT");
        UserFocus(fm.memPreview);
        seen.AfterNextCheck = fm.paMsg->Color();

        UserClick(fm.sbClipBoard);
        seen.Notice = fm.paMsg->Color();
        clock.Advance(5000);
        Application()->ProcessMessages();
        seen.NoticeAfterTimeOut = fm.paMsg->Color();
        fm.sbExit->Click();
    }));
    EXPECT_EQ(seen.Warning, "  Directory does not exist for output file. Use Browse button to create directory.");
    EXPECT_EQ(seen.Color, clYellow);
    EXPECT_EQ(seen.Interval, 15000u);
    EXPECT_EQ(seen.AfterTimeOut, clBtnFace);
    EXPECT_EQ(seen.AfterNextCheck, clBtnFace);
    EXPECT_EQ(seen.Notice, clWhite);
    EXPECT_EQ(seen.NoticeAfterTimeOut, clBtnFace);
    // The dialog's own panel, hidden behind the preview, got none of it.
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
    EXPECT_EQ(dlg->paMsg->Caption().find("Directory"), std::string::npos);
}

TEST_F(PreviewEntryTest, TheFileNameIsTakenAndCheckedOnlyWhenTheUserChangedIt) {
    RS().OutputDest = TOutputDest::odTextFile;
    RS().OutputFileName = "Items.TXT";
    Open();
    RS().Modified = false;
    bool modifiedByVisit = true;
    EXPECT_FALSE(RunPreview([&](TfmPreview& fm) {
        UserFocus(fm.edOutputFileName);
        UserFocus(fm.memPreview);
        modifiedByVisit = RS().Modified;
        UserReplaceText(fm.edOutputFileName, "Other.TXT");
        UserFocus(fm.memPreview);
        fm.sbExit->Click();
    }));
    EXPECT_FALSE(modifiedByVisit);
    EXPECT_TRUE(RS().Modified);
    EXPECT_EQ(RS().OutputFileName, "Other.TXT");
}

TEST_F(PreviewEntryTest, AnOpenPreviewGoesWithTheDialog) {
    Open();
    fmPreview = new TfmPreview(Application());
    ASSERT_EQ(PS().PreviewMemo, fmPreview->memPreview);
    const int forms = Screen()->FormCount();
    FreeAndNil(fmTBXMain);
    EXPECT_EQ(fmPreview, nullptr);
    EXPECT_EQ(Screen()->FormCount(), forms - 2);
}

} // namespace
} // namespace trx::test
