// The report preview: the page list and page stepping checked against the
// text-file output of the same report, page by page.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "framework/core/math_util.h"
#include "framework/forms/clipboard.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/keys.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "preview_fixture.h"
#include "support/forms/scripted_ui.h"

namespace trx::test {
namespace {

TEST_F(PreviewTest, RandomWalkOverAStringGridShowsTheTextFilePages) {
    auto grid = WideGrid(37);
    Open(grid.get());
    ASSERT_EQ(PS().PagesAcross, 3);
    ASSERT_GE(pages.size(), 12u);
    Walk(17, 500);
}

TEST_F(PreviewTest, RandomWalkOverASqliteTableShowsTheTextFilePages) {
    std::string sql = "CREATE TABLE items(a TEXT, b TEXT, c TEXT, d TEXT, e TEXT, f TEXT, g TEXT, h TEXT, i TEXT);";
    for (int r = 1; r <= 41; ++r) {
        sql += "INSERT INTO items VALUES(";
        for (int c = 0; c < 9; ++c)
            sql += std::string(c ? "," : "") + "'r" + std::to_string(r) + "c" + std::to_string(c) + "'";
        sql += ");";
    }
    table = Table(sql);
    Open(table.get());
    ASSERT_EQ(PS().PagesAcross, 3);
    ASSERT_GE(pages.size(), 12u);
    Walk(29, 500);
}

TEST_F(PreviewTest, NextToTheLastPageThenLastPageRepeatsNothing) {
    auto grid = WideGrid(37);
    Open(grid.get());
    const int rows = OI().Rows;
    while (fm->sbNextPage->Enabled()) fm->sbNextPageClick(nullptr);
    ExpectPageMatches("next to the end");
    fm->sbLastPageClick(nullptr);
    ExpectPageMatches("last page");
    EXPECT_EQ(PS().CurPage, Last());
    EXPECT_FALSE(fm->sbNextPage->Enabled());
    // The search counts its progress on a copy of the row count.
    EXPECT_EQ(OI().Rows, rows);
    EXPECT_EQ(Trim(fm->paMsg->Caption()), "");
}

// Escape during the search for the last page, then Abort: the search stops
// where it is, for a short report (no progress shown) and a long one.
class PreviewSearchTest : public PreviewTest, public ::testing::WithParamInterface<int> {};

TEST_P(PreviewSearchTest, EscapeStopsTheLastPageSearchAndThePreviewStaysUsable) {
    auto grid = WideGrid(GetParam());
    Open(grid.get());
    // The progress lets the user in only every 500 ms.
    SteppingClock stepping;
    const TClockOverride steppingClock(stepping);
    bool progressShown = false;
    std::string message;
    Application()->QueueInput([&] {
        ASSERT_NE(fmProgress, nullptr);
        progressShown = fmProgress->Width() > 0;
        message = fm->paMsg->Caption();
        UserKeyDown(fmProgress, VK_ESCAPE);
    });
    ui->OnModal("fmProgress", [](TCustomForm&) { UserClick(fmProgress->bbAbortOper); });
    UserClick(fm->sbLastPage);
    EXPECT_EQ(ui->PendingSteps(), 0u);
    EXPECT_EQ(progressShown, GetParam() > 100);
    EXPECT_EQ(Trim(message), "Searching for last page - Press Escape to Stop");

    // Stopped short of the end, with the message gone and the window back.
    EXPECT_NE(PS().CurPage, Last());
    EXPECT_FALSE(fm->LastPageFound);
    EXPECT_EQ(Trim(fm->paMsg->Caption()), "");
    EXPECT_EQ(fm->paMsg->Color(), clBtnFace);
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_TRUE(fm->Enabled());
    EXPECT_EQ(PS().Oper, TOper::opPreview);
    EXPECT_EQ(PS().OperStatus, TOperStatus::osCompleted);
    ExpectPageMatches("search stopped");

    UserClick(fm->sbNextPage);
    ExpectPageMatches("next after the stop");
    // The next search goes on to the end.
    UserClick(fm->sbLastPage);
    EXPECT_EQ(PS().CurPage, Last());
    EXPECT_TRUE(fm->LastPageFound);
    ExpectPageMatches("last page");
}

INSTANTIATE_TEST_SUITE_P(ShortAndLong, PreviewSearchTest, ::testing::Values(90, 300));

TEST_F(PreviewTest, FreeingTheWindowLeavesNoPreviewMemo) {
    auto grid = WideGrid(5);
    Open(grid.get());
    EXPECT_EQ(PS().PreviewMemo, fm->memPreview);
    delete fm;
    fm = nullptr;
    EXPECT_EQ(PS().PreviewMemo, nullptr);
    EXPECT_EQ(PS().PreviewPages, nullptr);
}

TEST_F(PreviewTest, CtrlAThenCtrlCPutThePageOnTheClipboard) {
    auto grid = WideGrid(12);
    Open(grid.get());
    fm->memPreview->SetFocus();
    Clipboard()->SetAsText("");
    UserKeystroke(fm, 'A', TShiftState{TShiftFlag::ssCtrl}, "");
    UserKeystroke(fm, 'C', TShiftState{TShiftFlag::ssCtrl}, "");
    EXPECT_EQ(Clipboard()->AsText(), fm->memPreview->Text());
    EXPECT_NE(Clipboard()->AsText().find("r1c0"), std::string::npos);
}

TEST_F(PreviewTest, TheClipboardButtonCopiesThePageAndLeavesNoSelection) {
    auto grid = WideGrid(12);
    Open(grid.get());
    Clipboard()->SetAsText("");
    ui->ClearCalls();
    fm->sbClipBoard->Click();
    EXPECT_EQ(Clipboard()->AsText(), fm->memPreview->Text());
    EXPECT_EQ(fm->memPreview->SelLength(), 0);
    EXPECT_EQ(Trim(fm->paMsg->Caption()), "Page has been copied to Windows clipboard");
    EXPECT_EQ(ui->Beeps(), std::vector<uint32_t>{0});
}

TEST_F(PreviewTest, ZoomOutsideItsLimitsOrNotANumberBeepsAndKeepsTheFont) {
    RS().PreviewZoomLevel = 100;
    auto grid = WideGrid(5);
    Open(grid.get());
    ASSERT_GT(fm->BaseFontSize, 0);
    struct Case {
        std::string Text;
        bool Applied;
        int Size;
    };
    const int base = fm->BaseFontSize;
    for (const Case& c : {Case{"20%", false, base}, Case{"600%", false, base}, Case{"abc", false, base},
                          Case{"200%", true, 2 * base}, Case{"50", true, base / 2}}) {
        const int before = fm->memPreview->Font().Size();
        ui->ClearCalls();
        fm->cmbZoomLevel->SetText(c.Text);
        fm->cmbZoomLevelExit(fm->cmbZoomLevel);
        EXPECT_EQ(ui->Beeps().size(), c.Applied ? 0u : 1u) << c.Text;
        EXPECT_EQ(fm->memPreview->Font().Size(), c.Applied ? c.Size : before) << c.Text;
    }
}

TEST_F(PreviewTest, TwoTypedCharactersWaitAThirdAppliesTheZoom) {
    RS().PreviewZoomLevel = 100;
    auto grid = WideGrid(5);
    Open(grid.get());
    const int base = fm->BaseFontSize;
    fm->cmbZoomLevel->SetText("75");
    fm->cmbZoomLevelChange(fm->cmbZoomLevel);
    EXPECT_EQ(fm->memPreview->Font().Size(), base);
    fm->cmbZoomLevel->SetText("75%");
    fm->cmbZoomLevelChange(fm->cmbZoomLevel);
    EXPECT_EQ(fm->memPreview->Font().Size(), MulDiv(base, 75, 100));
}

TEST_F(PreviewTest, TheZoomIsKeptAndNeverNegativeAfterFitPageHeight) {
    RS().PreviewZoomLevel = 150;
    auto grid = WideGrid(5);
    Open(grid.get());
    EXPECT_EQ(fm->memPreview->Font().Size(), MulDiv(fm->BaseFontSize, 150, 100));
    TCloseAction action = TCloseAction::caHide;
    fm->FormClose(fm, action);
    EXPECT_EQ(RS().PreviewZoomLevel, 150);
    fm->sbAlignPgHtClick(nullptr);
    fm->FormClose(fm, action);
    EXPECT_GE(RS().PreviewZoomLevel, 0);
    EXPECT_EQ(RS().PreviewZoomLevel, std::abs(fm->memPreview->Font().Size()) * 100 / fm->BaseFontSize);
}

// Fit Page Height in a window too low or too high for a readable page stops
// at the font's limits with a beep, and the zoom it leaves opens the next
// preview as it was shown.
TEST_F(PreviewTest, FitPageHeightStopsAtTheFontsLimitsAndItsZoomOpensTheNextPreview) {
    RS().PreviewZoomLevel = 100;
    auto grid = WideGrid(12);
    Open(grid.get());
    const int base = fm->BaseFontSize;
    ASSERT_GT(base, 0);
    for (const auto& [height, size] : {std::pair{120, 2}, std::pair{4000, 20}}) {
        const std::string when = std::to_string(height) + " high";
        UserResize(fm, 643, height);
        fm->SetMemFontSize(10);
        ui->ClearCalls();
        UserClick(fm->sbAlignPgHt);
        EXPECT_EQ(std::abs(fm->memPreview->Font().Size()), size) << when;
        EXPECT_GT(fm->LineHeight, 0) << when;
        EXPECT_FALSE(ui->Beeps().empty()) << when;

        TCloseAction action = TCloseAction::caHide;
        fm->FormClose(fm, action);
        const int zoom = RS().PreviewZoomLevel;
        EXPECT_GE(zoom, 25) << when;
        EXPECT_LE(zoom, 500) << when;
        delete fm;
        ui->ClearCalls();
        fm = new TfmPreview(nullptr);
        fm->Show();
        EXPECT_TRUE(ui->Beeps().empty()) << when;
        EXPECT_EQ(fm->cmbZoomLevel->Text(), std::to_string(zoom) + "%") << when;
        EXPECT_EQ(fm->memPreview->Font().Size(), MulDiv(base, zoom, 100)) << when;
    }
}

TEST_F(PreviewTest, FitPageWidthShowsTheWholePageWidthWhateverFontItStartsFrom) {
    RS().TxtCharsPageWid = 80;
    auto grid = WideGrid(12);
    Open(grid.get());
    ASSERT_EQ(PS().PageWid, 80);
    // The page's width in the memo's font, in pixels.
    auto pageWidth = [this]() {
        TCanvas canvas;
        canvas.SetFont(fm->memPreview->Font());
        return PS().PageWid * canvas.TextWidth("x");
    };
    fm->memPreview->SetFocus();
    for (const int width : {643, 1000}) {
        UserResize(fm, width, 500);
        const int room = fm->memPreview->ClientWidth();
        int sizes[2] = {};
        for (const int start : {3, 20}) {
            fm->SetMemFontSize(start);
            ui->ClearCalls();
            // The button and View|Fit Page Width (Ctrl+W) do the same.
            if (start == 3)
                UserClick(fm->sbAlignPgWid);
            else
                UserKeystroke(fm, 'W', TShiftState{TShiftFlag::ssCtrl}, "");
            const std::string when = std::to_string(width) + " wide from size " + std::to_string(start);
            EXPECT_TRUE(ui->Beeps().empty()) << when;
            EXPECT_LE(pageWidth(), room) << when;
            EXPECT_GE(pageWidth(), room * 9 / 10) << when;
            sizes[start == 3 ? 0 : 1] = fm->memPreview->Font().Size();
        }
        EXPECT_EQ(sizes[0], sizes[1]) << width << " wide";
    }

    // Beyond the font's limits the size stops at them, with a beep.
    for (const auto& [width, size] : {std::pair{100, 2}, std::pair{1600, 20}}) {
        UserResize(fm, width, 500);
        fm->SetMemFontSize(10);
        ui->ClearCalls();
        UserClick(fm->sbAlignPgWid);
        EXPECT_EQ(fm->memPreview->Font().Size(), size) << width << " wide";
        EXPECT_FALSE(ui->Beeps().empty()) << width << " wide";
    }
}

TEST_F(PreviewTest, ShiftPageKeysStepPagesAndBeepAtTheEnds) {
    auto grid = WideGrid(12);
    Open(grid.get());
    ui->ClearCalls();
    uint16_t key = VK_PRIOR;
    fm->memPreviewKeyDown(fm->memPreview, key, TShiftState{TShiftFlag::ssShift});
    EXPECT_EQ(PS().CurPage, (TPoint{1, 1}));
    EXPECT_EQ(ui->Beeps(), std::vector<uint32_t>{0});
    key = VK_NEXT;
    fm->memPreviewKeyDown(fm->memPreview, key, TShiftState{TShiftFlag::ssShift});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(PS().CurPage, (TPoint{2, 1}));
    ExpectPageMatches("shift pgdn");
    // The caret at the start of the page.
    fm->memPreview->SetSelStart(0);
    fm->memPreviewClick(fm->memPreview);
    EXPECT_EQ(fm->paRowCol->Caption(), "    1:   1");
}

TEST_F(PreviewTest, PageKeysAtTheMemosEndsStepPagesAndThePreviousPageShowsFromItsBottom) {
    auto grid = WideGrid(37);
    Open(grid.get());
    fm->memPreview->SetBounds(0, 0, 400, 2000); // the whole page in view
    uint16_t key = VK_NEXT;
    fm->memPreviewKeyDown(fm->memPreview, key, TShiftState{});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(PS().CurPage, (TPoint{2, 1}));
    EXPECT_EQ(fm->memPreview->FirstVisibleLine(), 0);
    key = VK_PRIOR;
    fm->memPreviewKeyDown(fm->memPreview, key, TShiftState{});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(PS().CurPage, (TPoint{1, 1}));
    ExpectPageMatches("pgup");
    // The caret on the last line of the page.
    EXPECT_EQ(fm->memPreview->LineFromChar(fm->memPreview->SelStart()), fm->memPreview->LineCount() - 1);
}

class PreviewPrintTest : public PreviewTest {
protected:
    // Prints from the preview into a fresh output file; the pages printed.
    std::vector<std::string> PrintFromPreview() {
        std::remove(OutName().c_str());
        const int before = PS().TotalPagesOutput;
        fm->sbPrint->Click();
        printed = PS().TotalPagesOutput - before;
        std::vector<std::string> out = OutputPages();
        if (!out.empty() && out.back().find_first_not_of('\n') == std::string::npos) out.pop_back();
        return out;
    }
    int printed = 0;
};

TEST_F(PreviewPrintTest, PrintCurrentPagePrintsExactlyThePageShown) {
    auto grid = WideGrid(37);
    Open(grid.get());
    showProgress.reset(); // no pause after printing
    for (const char* page : {"2-3", "1-1", "4-2"}) {
        ASSERT_TRUE(fm->GotoPage(page));
        const TPoint shown = PS().CurPage;
        const std::string text = Shown();
        fm->cbxPrintWhatPages->SetItemIndex(0);
        EXPECT_EQ(PrintFromPreview(), std::vector<std::string>{text}) << page;
        EXPECT_EQ(printed, 1) << page;
        EXPECT_EQ(PS().LastModalResult, 1) << page;
        // The preview shows the same page again.
        EXPECT_EQ(PS().CurPage, shown) << page;
        EXPECT_EQ(Shown(), text) << page;
        EXPECT_EQ(PS().Oper, TOper::opPreview);
    }
}

TEST_F(PreviewPrintTest, ASecondPreviewAfterAPrintFromThePreviewStartsAtTheFirstRecord) {
    auto grid = WideGrid(37);
    Open(grid.get());
    showProgress.reset();
    ASSERT_TRUE(fm->GotoPage("3-2"));
    fm->cbxPrintWhatPages->SetItemIndex(0);
    PrintFromPreview();
    delete fm;
    fm = new TfmPreview(nullptr);
    fm->Show();
    ExpectPageMatches("second preview");
    EXPECT_EQ(PS().CurPage, (TPoint{1, 1}));
}

TEST_F(PreviewPrintTest, APageRangePrintsExactlyThosePages) {
    auto grid = WideGrid(37);
    Open(grid.get());
    showProgress.reset();
    fm->GotoPage("3-1");
    fm->cbxPrintWhatPages->SetItemIndex(1);
    fm->edFromPageNum->SetText("2-2");
    fm->edToPageNum->SetText("3-1");
    // Pages 2-2, 2-3 and 3-1 (Expected takes X across, then Y down).
    EXPECT_EQ(PrintFromPreview(), (std::vector<std::string>{Expected({2, 2}), Expected({3, 2}), Expected({1, 3})}));
}

// A range that lies beyond the report's last page prints nothing, and the
// result window says that no page lies in it.
TEST_F(PreviewPrintTest, ARangeBeyondTheLastPageSaysThatNoPageLiesInIt) {
    auto grid = WideGrid(37);
    Open(grid.get());
    ASSERT_LT(Last().Y, 50);
    fm->sbNextPageClick(nullptr);
    fm->cbxPrintWhatPages->SetItemIndex(1);
    fm->SetOptionsAfter();
    std::string status;
    for (const auto& [from, to] : {std::pair{"50", "60"}, std::pair{"14", "14-2"}}) {
        fm->edFromPageNum->SetText(from);
        fm->edToPageNum->SetText(to);
        status.clear();
        ui->OnModal("fmProgress", [&status](TCustomForm&) {
            status = fmProgress->paStatusBar->Caption();
            UserClick(fmProgress->bbOk);
        });
        EXPECT_EQ(PrintFromPreview(), std::vector<std::string>{}) << from;
        EXPECT_EQ(printed, 0) << from;
        EXPECT_EQ(status, "No pages found for page range") << from;
        // The preview shows the page it showed.
        EXPECT_EQ(PS().CurPage, (TPoint{2, 1})) << from;
        ExpectPageMatches(from);
    }
    EXPECT_EQ(ui->PendingSteps(), 0u);
}

} // namespace
} // namespace trx::test
