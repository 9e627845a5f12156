// The preview from the options dialog: the road back to the options window,
// a preview closed without it, the report password and an export
// destination.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/obj_info.h"
#include "engine/trx_errors.h"
#include "framework/core/compiler_warnings.h"
#include "framework/forms/extra_controls.h"
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
