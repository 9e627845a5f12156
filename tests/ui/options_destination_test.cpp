// The options dialog's dependent controls: what the destination, the object
// kind, the print choice and the quality enable and show, the output file's
// extension, the Style and Titles tabs and the destination panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/obj_info.h"
#include "framework/core/strings.h"
#include "framework/forms/user_input.h"
#include "framework/printing/virtual_printer.h"
#include "options_dialog_fixture.h"

namespace trx::test {
namespace {

using Strings = std::vector<std::string>;

class OptionsDestinationTest : public OptionsDialogTest {
protected:
    void Open(TOutputDest Dest = TOutputDest::odPrinter, const std::string& HiddenTabs = "") {
        RS().OutputDest = Dest;
        RS().HiddenTabs = HiddenTabs;
        Fill();
        ShowWindow();
        ui->ClearCalls();
    }
    void Choose(const char* Destination) { UserSelect(dlg->cbxOutputDest, Destination); }
    // Checks a print choice as a click does, wherever its page is.
    void PrintWhat(TRadioButton* Radio) { Radio->SetChecked(true); }
    std::string Page() const { return dlg->nbOptions->ActivePage(); }
    static bool Offered(const TControl* C) { return C->Visible() && C->Enabled(); }

    TVirtualPrinterOverride printer;
};

TEST_F(OptionsDestinationTest, ExportDataChangesTheExtensionAndPrintsTheEntireGrid) {
    RS().OutputFileName = "/tmp/reports/Sales.TXT";
    RS().PrintWhat = TPrintWhat::pwTestPage;
    Open(TOutputDest::odTextFile);
    ASSERT_TRUE(dlg->rbPrintWhatTestPage->Checked());
    Choose("Export Data");
    EXPECT_EQ(dlg->edOutputFileName->Text(), "/tmp/reports/Sales.ASC");
    EXPECT_EQ(RS().OutputFileName, "/tmp/reports/Sales.ASC");
    EXPECT_TRUE(PS().ToExportFile && PS().ToFile && !PS().ToTextFile);
    EXPECT_TRUE(RS().Modified);
    // The choices an export cannot print fall back to everything.
    for (TRadioButton* rb : {dlg->rbPrintWhatCurrentPage, dlg->rbPrintWhatTestPage, dlg->rbPrintWhatPageRange,
                             dlg->rbPrintWhatWindowSnapshot})
        EXPECT_FALSE(rb->Enabled()) << rb->Name();
    EXPECT_TRUE(dlg->rbPrintWhatAll->Checked());
    EXPECT_EQ(dlg->rbPrintWhatAll->Caption(), "&Entire Grid");
    EXPECT_EQ(RS().PrintWhat, TPrintWhat::pwAll);
    EXPECT_TRUE(dlg->cmbExportFieldDelim->Enabled());
    EXPECT_FALSE(dlg->sbPreview->Enabled());
    EXPECT_FALSE(dlg->gbMargins->Enabled());
    EXPECT_EQ(Tabs(), (Strings{"General", "Output", "Style", "Setup"}));
    EXPECT_FALSE(dlg->paStyles->Visible());

    Choose("Text File");
    EXPECT_EQ(dlg->edOutputFileName->Text(), "/tmp/reports/Sales.TXT");
    EXPECT_FALSE(dlg->cmbExportFieldDelim->Enabled());
    EXPECT_EQ(Tabs(), (Strings{"General", "Output", "Style", "Titles", "Setup"}));
    EXPECT_TRUE(dlg->paStyles->Visible());
}

TEST_F(OptionsDestinationTest, OnlyTheThreeOutputExtensionsFollowTheDestination) {
    struct TCase {
        const char* Name;
        const char* Destination;
        const char* Becomes;
    };
    const TCase cases[] = {
        {"/r/Sales.TXT", "Export Data", "/r/Sales.ASC"},
        {"/r/Sales.ASC", "Text File", "/r/Sales.TXT"},
        {"/r/Sales.rtf", "Text File", "/r/Sales.TXT"},
        // The test ignores case: a lower-case extension is replaced too ...
        {"/r/sales.txt", "Export Data", "/r/sales.ASC"},
        // ... but one that already is the destination's keeps its spelling.
        {"/r/sales.txt", "Text File", "/r/sales.txt"},
        {"/r/sales.asc", "Export Data", "/r/sales.asc"},
        {"/r/Sales.DAT", "Export Data", "/r/Sales.DAT"},
        {"/r/Sales", "Export Data", "/r/Sales"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " to " + c.Destination);
        // From the printer, which leaves the name alone.
        RS().OutputDest = TOutputDest::odPrinter;
        RS().OutputFileName = c.Name;
        Fill();
        if (!dlg->Visible()) ShowWindow();
        Choose(c.Destination);
        EXPECT_EQ(RS().OutputFileName, c.Becomes);
        EXPECT_EQ(dlg->edOutputFileName->Text(), c.Becomes);
    }
}

TEST_F(OptionsDestinationTest, ThePrinterOffersItsListAndSetUpInPlaceOfTheFile) {
    RS().DefaultPrinter = false;
    RS().OutputFileName = "/tmp/Sales.TXT";
    Open(TOutputDest::odTextFile);
    EXPECT_FALSE(dlg->cmbPrinters->Enabled());
    EXPECT_TRUE(Offered(dlg->edOutputFileName));
    EXPECT_FALSE(dlg->sbPrinterSetup->Visible());
    Choose("Printer");
    EXPECT_TRUE(PS().ToPrinter);
    EXPECT_TRUE(dlg->cmbPrinters->Enabled());
    EXPECT_TRUE(dlg->cbDefaultPrinter->Enabled());
    EXPECT_TRUE(Offered(dlg->sbPrinterSetup));
    EXPECT_FALSE(dlg->edOutputFileName->Visible());
    EXPECT_FALSE(dlg->cbxIfOutputFileExists->Visible());
    EXPECT_TRUE(dlg->cbShrinkToPage->Enabled());
    EXPECT_TRUE(dlg->rbPrintWhatWindowSnapshot->Enabled());
    EXPECT_TRUE(dlg->cbxOrientation->Enabled());
    EXPECT_EQ(dlg->paDestination->Caption(), Printer()->PrinterName());
    // The default printer leaves no list to choose from.
    UserSelectTab(dlg->TabSet, "Output");
    UserClick(dlg->cbDefaultPrinter);
    EXPECT_FALSE(dlg->cmbPrinters->Enabled());
}

TEST_F(OptionsDestinationTest, ADoubleClickStepsTheComboToItsNextItemAndWraps) {
    Open(TOutputDest::odExportFile);
    UserDblClick(dlg->cbxOutputDest);
    EXPECT_EQ(dlg->cbxOutputDest->Text(), "Printer");
    EXPECT_TRUE(PS().ToPrinter);
    EXPECT_TRUE(RS().Modified);
    UserDblClick(dlg->cbxOutputDest);
    EXPECT_EQ(dlg->cbxOutputDest->Text(), "Text File");
    EXPECT_TRUE(PS().ToTextFile);
}

TEST_F(OptionsDestinationTest, ADestinationThatIsNoItemGivesNoDestination) {
    Open(TOutputDest::odTextFile);
    dlg->cbxOutputDest->SetText("Fax");
    dlg->SetOptions(dlg->cbxOutputDest, false);
    EXPECT_FALSE(PS().ToPrinter || PS().ToTextFile || PS().ToRTFFile || PS().ToExportFile || PS().ToFile);
    EXPECT_EQ(RS().OutputDest, TOutputDest::odTextFile);
}

TEST_F(OptionsDestinationTest, TheObjectKindDecidesTheTreeAndColumnOptions) {
    struct TCase {
        TObjType Kind;
        bool Tree;
        bool Sizing;
    };
    const TCase cases[] = {
        {TObjType::IsStringGrid, false, true}, {TObjType::IsDataSet, false, true}, {TObjType::IsQuery, false, true},
        {TObjType::IsTreeView, true, false},   {TObjType::IsOutline, true, false}, {TObjType::IsDecGrid, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Kind));
        ObjInfo->ObjType = c.Kind;
        Fill();
        EXPECT_EQ(dlg->rbPrintWhatAll->Caption(), c.Tree ? "&Entire Tree" : "&Entire Grid");
        EXPECT_EQ(Offered(dlg->rbPrintWhatCurrentBranchAll), c.Tree);
        EXPECT_EQ(Offered(dlg->rbPrintWhatCurrentBranchDown), c.Tree);
        EXPECT_EQ(Offered(dlg->edNodeIndentation), c.Tree);
        EXPECT_EQ(dlg->cbxSnugfit->Enabled(), c.Sizing);
        EXPECT_EQ(dlg->cbxColTitleAlignment->Enabled(), c.Sizing);
        EXPECT_EQ(dlg->edMaxStringColWid->Enabled(), !c.Tree);
    }
}

TEST_F(OptionsDestinationTest, AChoiceThisObjectDoesNotOfferFallsBackToEverything) {
    RS().PrintWhat = TPrintWhat::pwCurrentBranchAll; // a tree's choice, for a grid
    Open();
    EXPECT_TRUE(dlg->rbPrintWhatAll->Checked());
    EXPECT_FALSE(dlg->rbPrintWhatCurrentBranchAll->Checked());
    EXPECT_EQ(RS().PrintWhat, TPrintWhat::pwAll);
    EXPECT_FALSE(RS().Modified);

    // With no choice checked at all, the same.
    dlg->rbPrintWhatAll->SetChecked(false);
    dlg->SetOptions(dlg->rbPrintWhatAll, false);
    EXPECT_TRUE(dlg->rbPrintWhatAll->Checked());
    EXPECT_EQ(RS().PrintWhat, TPrintWhat::pwAll);
}

TEST_F(OptionsDestinationTest, ThePageRangeAndSnapshotFieldsFollowTheirChoice) {
    Open();
    EXPECT_FALSE(dlg->edPageRangeFrom->Visible());
    EXPECT_FALSE(dlg->cmbSnapshotSize->Visible());
    UserClick(dlg->rbPrintWhatPageRange);
    EXPECT_EQ(RS().PrintWhat, TPrintWhat::pwPageRange);
    for (TControl* c : {static_cast<TControl*>(dlg->lbPageRangeFrom), static_cast<TControl*>(dlg->edPageRangeTo)})
        EXPECT_TRUE(Offered(c));
    UserClick(dlg->rbPrintWhatWindowSnapshot);
    EXPECT_FALSE(dlg->edPageRangeFrom->Visible());
    EXPECT_TRUE(Offered(dlg->cmbSnapshotSize));
    EXPECT_TRUE(PS().IsSnapShot);
    EXPECT_FALSE(dlg->cbUseReportViewer->Enabled());
}

TEST_F(OptionsDestinationTest, ASnapshotTakesTheStyleAndTitlesTabsAwayAndGivesThemBack) {
    Open(TOutputDest::odPrinter, "Setup");
    UserSelectTab(dlg->TabSet, "Style");
    PrintWhat(dlg->rbPrintWhatWindowSnapshot);
    EXPECT_EQ(Tabs(), (Strings{"General", "Output"}));
    EXPECT_EQ(SelectedTab(), "Output");
    EXPECT_EQ(Page(), "Output");
    EXPECT_EQ(Trim(dlg->paMsg->Caption()), "Style Tab is disabled for Snapshots");
    EXPECT_EQ(dlg->Timer1->Interval(), 5000u);

    // Back to the whole grid: both tabs return, the hidden page stays hidden.
    PrintWhat(dlg->rbPrintWhatAll);
    EXPECT_EQ(Tabs(), (Strings{"General", "Output", "Style", "Titles"}));
    EXPECT_EQ(SelectedTab(), "Output");
    EXPECT_EQ(Page(), "Output");
}

TEST_F(OptionsDestinationTest, TheTitlesTabGoesForAnExportAndThePageBeforeItIsShown) {
    Open(TOutputDest::odTextFile);
    UserSelectTab(dlg->TabSet, "Titles");
    Choose("Export Data");
    EXPECT_EQ(SelectedTab(), "Style");
    EXPECT_EQ(Page(), "Style");
    EXPECT_EQ(dlg->HelpContext, 202);
}

TEST_F(OptionsDestinationTest, ARemovedFirstTabHandsTheSelectionToTheNextTab) {
    Open(TOutputDest::odPrinter, "General,Output");
    ASSERT_EQ(SelectedTab(), "Style");
    PrintWhat(dlg->rbPrintWhatWindowSnapshot);
    EXPECT_EQ(Tabs(), (Strings{"Setup"}));
    EXPECT_EQ(SelectedTab(), "Setup");
    EXPECT_EQ(Page(), "Setup");
}

TEST_F(OptionsDestinationTest, WithNoTabLeftTheNotebookGoesUntilATabComesBack) {
    Open(TOutputDest::odPrinter, "General,Output,Setup");
    UserSelectTab(dlg->TabSet, "Titles");
    PrintWhat(dlg->rbPrintWhatWindowSnapshot);
    EXPECT_TRUE(Tabs().empty());
    EXPECT_FALSE(dlg->nbOptions->Visible());
    EXPECT_FALSE(dlg->TabSet->Visible());
    EXPECT_EQ(dlg->ActiveControl(), dlg->cbxOutputDest);

    PrintWhat(dlg->rbPrintWhatAll);
    EXPECT_EQ(Tabs(), (Strings{"Style", "Titles"}));
    EXPECT_TRUE(dlg->nbOptions->Visible());
    EXPECT_TRUE(dlg->TabSet->Visible());
    EXPECT_EQ(SelectedTab(), Page());
}

TEST_F(OptionsDestinationTest, FastPrinterTextNeedsThePrinterATextQualityAndItsPermission) {
    RS().AllowFastPrinterText = true;
    RS().FastPrinterText = true;
    Open(TOutputDest::odPrinter);
    EXPECT_TRUE(dlg->cbFastPrinterText->Enabled());
    EXPECT_TRUE(dlg->gbFastPrinterText->Visible());
    EXPECT_TRUE(Offered(dlg->edFastTextPrinterInit));
    EXPECT_TRUE(dlg->lbFastTextPrinterFinish->Visible());
    // Fast printer text prints on a text page.
    EXPECT_TRUE(dlg->edLinesPerPage->Enabled());
    EXPECT_TRUE(dlg->edTxtCharsPageWid->Enabled());
    EXPECT_EQ(dlg->gbMargins->Hint(), "Text characters & lines|Margins are measured in text chars and lines");

    dlg->cbAllowFastPrinterText->SetChecked(false);
    dlg->SetOptions(dlg->cbAllowFastPrinterText, false);
    EXPECT_FALSE(dlg->cbFastPrinterText->Enabled());
    EXPECT_FALSE(dlg->cbFastPrinterText->Checked());
    EXPECT_FALSE(dlg->gbFastPrinterText->Visible());
    EXPECT_FALSE(dlg->edLinesPerPage->Enabled());
}

TEST_F(OptionsDestinationTest, AQualityThatIsNotOfferedBecomesTheFirst) {
    RS().OutputQuality = 5;
    Open();
    EXPECT_EQ(RS().OutputQuality, 0);
    EXPECT_EQ(dlg->cbxOutputQuality->Text(), "ASCII LineDraw");
    UserSelectTab(dlg->TabSet, "Style");
    UserSelect(dlg->cbxOutputQuality, "IBM LineDraw");
    EXPECT_EQ(RS().OutputQuality, 1);
    EXPECT_EQ(RS().LineDraw, TLineDraw::ldIBM);
    EXPECT_EQ(dlg->nbStyles->ActivePage(), "Text");
}

TEST_F(OptionsDestinationTest, TheDestinationPanelFitsItsTextWithinLimits) {
    const std::string longName(60, 'W');
    printer.Driver().Specs().push_back(printer.Driver().Specs().front());
    printer.Driver().Specs().back().Name = longName;
    printer.Printer().Refresh();
    Open(TOutputDest::odPrinter);
    TPanel* panel = dlg->paDestination;
    auto width = [&](const std::string& Text) { return dlg->Canvas().TextWidth(Text); };
    const std::string name = Printer()->PrinterName();
    // Too wide for a short name: shrunk to the text and 10 pixels.
    EXPECT_EQ(panel->Width(), std::min(width(name) + 10, 250));

    // A long name grows the panel, but to 250 pixels at most.
    Printer()->SetPrinterIndex(3);
    dlg->SetOptions(dlg->cmbPrinters, false);
    EXPECT_EQ(panel->Caption(), longName);
    EXPECT_EQ(panel->Width(), 250);

    // Between 5 and 20 spare pixels the width stays.
    Printer()->SetPrinterIndex(0);
    panel->SetWidth(width(name) + 15);
    dlg->SetOptions(dlg->cmbPrinters, false);
    EXPECT_EQ(panel->Width(), width(name) + 15);
}

TEST_F(OptionsDestinationTest, AFileDestinationShowsTheFileOrThatThereIsNone) {
    RS().OutputFileName = "/home/user/Reports/2024/Quarterly/Sales by region and month.TXT";
    Open(TOutputDest::odTextFile);
    TPanel* panel = dlg->paDestination;
    EXPECT_EQ(panel->Caption(), FitPathToWid(RS().OutputFileName, dlg->Canvas(), 250));
    dlg->edOutputFileName->SetText(" ");
    dlg->SetOptions(dlg->edOutputFileName, false);
    EXPECT_EQ(panel->Caption(), "No File Selected");
}

} // namespace
} // namespace trx::test
