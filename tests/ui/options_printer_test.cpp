// The dialog's printer set-up, style option list and memo editor through
// the scripted user: the scale a wide report prints at on the virtual
// printer and the caption that shows it, the save dialog, the style
// options and memos as they change the printed text file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/obj_info.h"
#include "engine/rpt_styles.h"
#include "engine/shared_routines.h"
#include "engine/trx_errors.h"
#include "framework/core/compiler_warnings.h"
#include "framework/core/format.h"
#include "framework/forms/application.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/keys.h"
#include "framework/forms/user_input.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/printer.h"
#include "framework/printing/virtual_printer.h"
#include "options_dialog_fixture.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

using S = TStyleOptNdx;

class OptionsPrinterTest : public OptionsDialogTest {
protected:
    OptionsPrinterTest() {
        RS().OutputQuality = 0;
        RS().DisplayProgressWindow = false;
        RS().OutputDest = TOutputDest::odTextFile;
        RS().OutputFileName = dir.File("report.txt");
    }
    // A string grid of Cols columns whose data cells are Wid characters wide.
    void UseGrid(int Cols, int Wid) {
        grid = std::make_unique<TStringGrid>(nullptr);
        grid->SetName("sgItems");
        grid->SetColCount(Cols);
        grid->SetRowCount(3);
        grid->SetFixedCols(0);
        grid->SetFixedRows(1);
        TRX_GCC_BOGUS_RESTRICT_BEGIN
        for (int c = 0; c < Cols; ++c) {
            grid->SetCells(c, 0, "T" + std::to_string(c));
            for (int r = 1; r < 3; ++r) grid->SetCells(c, r, std::string(Wid, char('a' + c)));
        }
        TRX_GCC_BOGUS_RESTRICT_END
    }
    // The dialog's first show on the grid: columns scanned, options derived, printer set up.
    void Open() {
        StartRun(grid.get());
        Fill();
        dlg->SetupPrinter(true);
    }
    // The font sizes of the texts the virtual printer printed last.
    std::vector<int> PrintedFontSizes() {
        std::vector<int> sizes;
        for (const TVirtualPage& page : printer.Driver().LastDocument().Pages)
            for (const TDrawOp& op : page.Ops())
                if (op.Kind == TDrawOpKind::doText && std::find(sizes.begin(), sizes.end(), op.FontSize) == sizes.end())
                    sizes.push_back(op.FontSize);
        return sizes;
    }
    std::string PrintText() {
        EXPECT_EQ(PrintRun(), 1);
        return ReadAll(RS().OutputFileName);
    }
    int Item(const std::string& Caption) const {
        for (int i = 0; i < dlg->lbxStyleOpts->Count(); ++i) {
            const std::string item = dlg->lbxStyleOpts->Items()[i];
            if (item.substr(item.find(',') + 1) == Caption) return i;
        }
        return -1;
    }

    TVirtualPrinterOverride printer;
    TempDir dir;
    std::unique_ptr<TStringGrid> grid;
};

// Seven columns of 18 characters with their lines make 144 characters, one
// and a half times the 96 that the printer's page holds in 10 points.
TEST_F(OptionsPrinterTest, AReportHalfAgainAsWideAsThePageShrinksToItOnThePrinter) {
    RS().OutputDest = TOutputDest::odPrinter;
    RS().ShrinkToPage = true;
    UseGrid(7, 18);
    Open();
    EXPECT_EQ(PS().TableWid, 144);
    EXPECT_EQ(PS().ScalePct, 66); // 96 / 144 = 66.67, truncated
    EXPECT_EQ(dlg->gbOutputOptions->Caption(), "Output Options (Scaled by: 66% = 6 pts)");
    // Measured again in the shrunken font, the page holds the whole report.
    EXPECT_GE(PS().RightLimitX - PS().LeftMarginX, PS().TableWid);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PrintedFontSizes(), std::vector<int>{6});

    // Unchecked, the report prints at its own size on two pages across.
    ShowWindow();
    UserSelectTab(dlg->TabSet, "Output");
    UserClick(dlg->cbShrinkToPage);
    EXPECT_FALSE(RS().ShrinkToPage);
    EXPECT_EQ(PS().ScalePct, 100);
    EXPECT_EQ(dlg->gbOutputOptions->Caption(), "Output Options (10 pts)");
    // The page is measured at the scale that stands, not the one found on the way.
    EXPECT_EQ(PS().RightLimitX - PS().LeftMarginX, 96);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PrintedFontSizes(), std::vector<int>{10});
}

// Two panels of a report too wide for one drop to one; the scale found on
// the way is given up, and the page is measured in the font that prints.
TEST_F(OptionsPrinterTest, PanelsDroppedWithoutShrinkingLeaveThePageMeasuredAtFullSize) {
    RS().OutputDest = TOutputDest::odPrinter;
    RS().PanelsAcrossPage = 2;
    RS().ShrinkToPage = false;
    UseGrid(7, 18);
    Open();
    EXPECT_EQ(PS().PanelsAcross, 1);
    EXPECT_EQ(PS().ScalePct, 100);
    EXPECT_EQ(PS().RightLimitX - PS().LeftMarginX, 96);
    EXPECT_EQ(dlg->gbOutputOptions->Caption(), "Output Options (10 pts)");
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(PrintedFontSizes(), std::vector<int>{10});
}

TEST_F(OptionsPrinterTest, TheStatusPanelsShowThePageAndTheReportWidthOrTheExport) {
    RS().PanelsAcrossPage = 2;
    UseGrid(2, 5);
    Open();
    EXPECT_EQ(PS().PanelsAcross, 2);
    EXPECT_EQ(dlg->paRptStatus->Caption(),
              Format("  Total Report Width: %d Chars x 2 Panels = %d chars", {PS().PanelStep, PS().TableWid}));
    EXPECT_EQ(dlg->paPageDimensions->Caption(),
              Format("%d Lines h x %d Chars w", {RS().LinesPerpage, RS().TxtCharsPageWid}));

    RS().OutputDest = TOutputDest::odExportFile;
    Fill();
    dlg->SetupPrinter(true);
    EXPECT_EQ(dlg->paPagesAcross->Caption(), "Export");
    EXPECT_EQ(dlg->paPagesAcross->Color(), clWhite);
    EXPECT_EQ(dlg->paPageDimensions->Caption(), "");
    EXPECT_EQ(dlg->paRptStatus->Caption(), "  "); // the status panel's margin, no text
}

TEST_F(OptionsPrinterTest, ATextFontOfNoSizeScalesByTheWidthAlone) {
    RS().OutputDest = TOutputDest::odPrinter;
    RS().ShrinkToPage = true;
    UseGrid(7, 18);
    Open();
    RS().TextFontSize = 0;
    dlg->SetupPrinter(false);
    EXPECT_GT(PS().ScalePct, 0);
    EXPECT_LE(PS().ScalePct, 100);
}

TEST_F(OptionsPrinterTest, TheSaveDialogsChoiceShowsInTheFileNameEditAndSurvivesTheStore) {
    RS().OutputDest = TOutputDest::odTextFile;
    UseGrid(2, 5);
    Open();
    ShowWindow();
    const std::string chosen = dir.File("chosen.txt");
    ui->AnswerSaveFile(chosen);
    UserClick(dlg->buBrowseFile);
    const auto calls = ui->CallsOf(TDialogKind::dkSaveFile);
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(dlg->SaveDialog1->Title, "Save Report As");
    EXPECT_EQ(dlg->SaveDialog1->Filter, "Text Files|*.TXT");
    EXPECT_EQ(dlg->edOutputFileName->Text(), chosen);
    dlg->SaveScreenFields();
    EXPECT_EQ(RS().OutputFileName, chosen);

    // Cancelled, the destination's handler still runs and marks the settings modified.
    RS().Modified = false;
    ui->CancelFileDialog();
    UserClick(dlg->buBrowseFile);
    EXPECT_TRUE(RS().Modified);
    EXPECT_EQ(dlg->edOutputFileName->Text(), chosen);
}

TEST_F(OptionsPrinterTest, TheTextFontComesFromAFixedPitchFontDialog) {
    UseGrid(2, 5);
    Open();
    RS().Modified = false;
    ui->AnswerFont([](TFont& f) {
        f.SetName("Courier New");
        f.SetSize(12);
        f.SetStyle({TFontStyle::fsBold});
    });
    dlg->buTextFontNameClick(dlg->buTextFontName);
    EXPECT_TRUE(dlg->FontDialog1->Options.Contains(TFontDialogOption::fdFixedPitchOnly));
    EXPECT_EQ(RS().TextFontName, "Courier New");
    EXPECT_EQ(RS().TextFontSize, 12);
    EXPECT_EQ(CnvtIntToFontStyles(RS().TextFontStyle), TFontStyles{TFontStyle::fsBold});
    EXPECT_EQ(dlg->edTextFontSize->Text(), "12");
    EXPECT_TRUE(RS().Modified);
}

TEST_F(OptionsPrinterTest, AnotherPrinterFromTheSetUpDialogEndsTheUseOfTheDefaultPrinter) {
    RS().OutputDest = TOutputDest::odPrinter;
    RS().DefaultPrinter = true;
    UseGrid(2, 5);
    Open();
    ShowWindow();
    ui->AnswerPrinterSetup([] { Printer()->SetPrinterIndex(Printer()->Printers().IndexOf("Virtual Printer A4")); });
    UserClick(dlg->sbPrinterSetup);
    EXPECT_EQ(RS().PrinterName, "Virtual Printer A4");
    EXPECT_EQ(dlg->cmbPrinters->Text(), "Virtual Printer A4");
    EXPECT_FALSE(RS().DefaultPrinter);
    EXPECT_FALSE(dlg->cbDefaultPrinter->Checked());
    EXPECT_EQ(dlg->paMsg->Caption(), "  Note: The report is no longer using the Default Printer.");
    EXPECT_TRUE(RS().Modified);
    EXPECT_EQ(PrintRun(), 1);
    EXPECT_EQ(printer.Driver().LastDocument().PrinterName, "Virtual Printer A4");
}

TEST_F(OptionsPrinterTest, AStoredPrinterThatCannotBeUsedGivesWayToTheDefaultPrinter) {
    printer.Driver().Specs()[1].Valid = false;
    Printer()->Refresh();
    RS().OutputDest = TOutputDest::odPrinter;
    RS().DefaultPrinter = false;
    UseGrid(2, 5);
    Open();
    RS().PrinterName = printer.Driver().Specs()[1].Name;
    RS().Modified = false;
    dlg->SetupPrinter(true);
    EXPECT_EQ(RS().PrinterName, Printer()->PrinterName());
    EXPECT_NE(RS().PrinterName, printer.Driver().Specs()[1].Name);
    EXPECT_EQ(dlg->cmbPrinters->Text(), RS().PrinterName);
    EXPECT_TRUE(RS().Modified);
}

TEST_F(OptionsPrinterTest, ADefaultPrinterThatCannotBeUsedEndsTheSetUp) {
    RS().OutputDest = TOutputDest::odPrinter;
    UseGrid(2, 5);
    Open();
    for (TVirtualPrinterSpec& p : printer.Driver().Specs()) p.Valid = false;
    Printer()->Refresh();
    try {
        dlg->SetupPrinter(true);
        FAIL() << "no exception";
    } catch (const ETrxSUError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Setup Error: Default printer \"" + Printer()->PrinterName() +
                                 "\" is invalid. Please change to a different printer");
    }
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

// ---- Style option list --------------------------------------------------------------------------

TEST_F(OptionsPrinterTest, TheStyleListShowsTheOptionsOfAGridInLineDrawByTheirOwnIndexes) {
    UseGrid(2, 5);
    Open();
    ASSERT_GT(dlg->lbxStyleOpts->Count(), 0);
    EXPECT_EQ(dlg->lbxStyleOpts->Items()[0], "0,Field Format");
    EXPECT_EQ(Item("Font"), -1); // graphical only
    EXPECT_EQ(Item("Shading"), -1); // no object kind
    EXPECT_NE(Item("Share Adjacent Borders"), -1);
    EXPECT_EQ(dlg->lbxStyleOpts->Items()[Item("Horizontal Lines")], "6,Horizontal Lines");
}

TEST_F(OptionsPrinterTest, ToggledStyleOptionsChangeThePrintedTextFile) {
    UseGrid(2, 5);
    Open();
    RptStyles->StyleOpts[S::soHorizontalLines].Value = false;
    RptStyles->StyleOpts[S::soGrpBrkLines].Value = true;
    const std::string before = PrintText();
    ShowWindow();
    UserSelectTab(dlg->TabSet, "Style");
    RS().Modified = false;
    const int at = Item("Horizontal Lines");
    UserDblClickItem(dlg->lbxStyleOpts, at);
    EXPECT_TRUE(RS().Modified);
    EXPECT_TRUE(RptStyles->Opt(S::soHorizontalLines));
    EXPECT_FALSE(RptStyles->Opt(S::soGrpBrkLines)); // the two exclude each other
    const std::string after = PrintText();
    const auto lines = [](const std::string& t) { return std::count(t.begin(), t.end(), '\n'); };
    EXPECT_GT(lines(after), lines(before)) << before << "\n----\n" << after;

    // Space toggles it back and walks on to the next option.
    dlg->lbxStyleOpts->SetItemIndex(at);
    char key = ' ';
    dlg->lbxStyleOptsKeyPress(dlg->lbxStyleOpts, key);
    EXPECT_FALSE(RptStyles->Opt(S::soHorizontalLines));
    EXPECT_EQ(dlg->lbxStyleOpts->ItemIndex(), at + 1);
    EXPECT_LT(lines(PrintText()), lines(after));
}

TEST_F(OptionsPrinterTest, AnOptionThatIsOnIsDrawnWithARedDotAndABoldCaption) {
    UseGrid(2, 5);
    Open();
    TRecordingDevice device(96, 96);
    TCanvas& canvas = dlg->lbxStyleOpts->Canvas();
    canvas.SetDevice(&device);
    const int at = Item("Borders");
    const TRect rect{0, 26, 200, 39};
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        RptStyles->StyleOpts[S::soBorders].Value = on;
        device.Clear();
        canvas.Brush().SetColor(clWhite);
        canvas.Font().SetStyle({});
        dlg->lbxStyleOptsDrawItem(dlg->lbxStyleOpts, at, rect, TOwnerDrawState{});
        const auto& ops = device.Ops();
        const auto ellipse =
            std::find_if(ops.begin(), ops.end(), [](const TDrawOp& op) { return op.Kind == TDrawOpKind::doEllipse; });
        ASSERT_NE(ellipse, ops.end());
        EXPECT_EQ(ellipse->Rect, (TRect{5, 29, 12, 36}));
        EXPECT_EQ(ellipse->BrushColor, on ? clRed : dlg->lbxStyleOpts->Color());
        const auto text =
            std::find_if(ops.begin(), ops.end(), [](const TDrawOp& op) { return op.Kind == TDrawOpKind::doText; });
        ASSERT_NE(text, ops.end());
        EXPECT_EQ(text->Text, "Borders");
        EXPECT_EQ(text->Pos.X, 20);
        EXPECT_EQ(text->FontStyle.Contains(TFontStyle::fsBold), on);
        EXPECT_EQ(canvas.Font().Style(), TFontStyles{}); // put back
    }
    canvas.SetDevice(nullptr);
}

TEST_F(OptionsPrinterTest, SpaceOrADoubleClickWithNoOptionChosenChangesNothing) {
    UseGrid(2, 5);
    Open();
    const TStyleOpts opts = RptStyles->StyleOpts;
    dlg->lbxStyleOpts->SetItemIndex(-1);
    RS().Modified = false;
    char key = ' ';
    dlg->lbxStyleOptsKeyPress(dlg->lbxStyleOpts, key);
    dlg->lbxStyleOptsDblClick(dlg->lbxStyleOpts);
    EXPECT_FALSE(RS().Modified);
    EXPECT_EQ(dlg->lbxStyleOpts->ItemIndex(), -1);
    for (int n = 0; n < StyleOptCount; ++n)
        EXPECT_EQ(RptStyles->StyleOpts[static_cast<S>(n)].Value, opts[static_cast<S>(n)].Value) << n;
}

// ---- Memo editor --------------------------------------------------------------------------------

TEST_F(OptionsPrinterTest, AnEditedMemoPrintsInTheTextFile) {
    UseGrid(2, 5);
    Open();
    ShowWindow();
    UserSelectTab(dlg->TabSet, "Titles");
    UserSelectItem(dlg->lbxMemoLocation, static_cast<int>(TRptMemoNdx::rmRptTi));
    EXPECT_TRUE(dlg->paMemoTitlesBottom->Visible());
    UserReplaceText(dlg->memRptMemo, "Quarterly Sales");
    if (!dlg->cbMemoVisible->Checked()) UserClick(dlg->cbMemoVisible);
    UserSelectItem(dlg->lbxMemoLocation, static_cast<int>(TRptMemoNdx::rmPgTi));
    EXPECT_EQ(RS().Memo(TRptMemoNdx::rmRptTi).Text(), "Quarterly Sales");
    EXPECT_NE(PrintText().find("Quarterly Sales"), std::string::npos);
}

TEST_F(OptionsPrinterTest, TypedMemoTextGoesToItsMemoWhenAnUnrelatedRuleFails) {
    UseGrid(2, 5);
    Open();
    ShowWindow();
    UserSelectTab(dlg->TabSet, "Titles");
    UserSelectItem(dlg->lbxMemoLocation, static_cast<int>(TRptMemoNdx::rmPgHdr));
    UserReplaceText(dlg->memRptMemo, "Header text");
    dlg->edMaxStringColWid->SetText("1"); // fails its 3..999 rule
    UserSelectItem(dlg->lbxMemoLocation, static_cast<int>(TRptMemoNdx::rmPgFtr));
    EXPECT_EQ(RS().Memo(TRptMemoNdx::rmPgHdr).Text(), "Header text");
    EXPECT_EQ(RS().Memo(TRptMemoNdx::rmPgFtr).Text(), "");
    EXPECT_EQ(dlg->memRptMemo->Text(), "");
    EXPECT_TRUE(RS().Modified);
}

TEST_F(OptionsPrinterTest, TheMemoEditorSitsBetweenItsMarginLabels) {
    UseGrid(2, 5);
    TRptMemo& memo = RS().Memo(TRptMemoNdx::rmPgTi);
    memo.XPosPer = 10;
    memo.WidPer = 80;
    Open();
    ShowWindow();
    UserSelectTab(dlg->TabSet, "Titles");
    UserSelectItem(dlg->lbxMemoLocation, static_cast<int>(TRptMemoNdx::rmPgTi));
    dlg->SetRptMemo();
    EXPECT_EQ(dlg->lbRptMemoLeftMargin->Caption(), "Left Margin 10%");
    EXPECT_EQ(dlg->lbRptMemoRightMargin->Caption(), "Right Margin 10%");
    const int w = dlg->nbOptions->Width();
    EXPECT_EQ(dlg->memRptMemo->Left(), w / 10);
    EXPECT_EQ(dlg->memRptMemo->Width(), static_cast<int>(0.8 * w));
    dlg->lbxMemoLocation->SetItemIndex(-1);
    dlg->SetRptMemoDim();
    EXPECT_FALSE(dlg->paMemoTitlesTop->Visible());
    EXPECT_FALSE(dlg->paMemoTitlesBottom->Visible());
}

TEST_F(OptionsPrinterTest, CtrlUpWithNoMemoChosenBeepsAndChoosesTheFirst) {
    UseGrid(2, 5);
    Open();
    ShowWindow();
    UserSelectTab(dlg->TabSet, "Titles");
    ASSERT_EQ(dlg->lbxMemoLocation->ItemIndex(), -1);
    uint16_t key = VK_UP;
    dlg->FormKeyDown(dlg, key, TShiftState{TShiftFlag::ssCtrl});
    EXPECT_EQ(ui->Beeps().size(), 1U);
    EXPECT_EQ(dlg->lbxMemoLocation->ItemIndex(), 0);
    EXPECT_EQ(dlg->EditedMemo, 0);
}

TEST_F(OptionsPrinterTest, TheMemoFontButtonMarksTheSettingsModified) {
    UseGrid(2, 5);
    Open();
    dlg->lbxMemoLocation->SetItemIndex(static_cast<int>(TRptMemoNdx::rmRptTi));
    dlg->lbxMemoLocationClick(dlg->lbxMemoLocation);
    RS().Modified = false;
    ui->AnswerFont([](TFont& f) { f.SetSize(14); });
    dlg->buMemoFontClick(dlg->buMemoFont);
    EXPECT_TRUE(RS().Modified);
    EXPECT_EQ(RS().Memo(TRptMemoNdx::rmRptTi).FontSize, 14);
}

TEST_F(OptionsPrinterTest, AnEmptyDateOrTimeFormatSamplesTheShortOne) {
    UseGrid(2, 5);
    Open();
    dlg->edMemoDateFormatStr->SetText("yyyy");
    dlg->edMemoDateFormatStr->SetText("");
    EXPECT_EQ(PS().DateText, FormatDateTime("ddddd", Now()));
    EXPECT_EQ(dlg->paMsg->Caption(), "Sample Date Format: " + FormatDateTime("ddddd", Now()));
    dlg->edMemoTimeFormatStr->SetText("hh");
    dlg->edMemoTimeFormatStr->SetText("");
    EXPECT_EQ(PS().TimeText, FormatDateTime("t", Now()));
    EXPECT_FALSE(PS().TimeText.empty());
}

} // namespace
} // namespace trx::test
