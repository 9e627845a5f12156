// The options dialog's field checks on the filled dialog: each rule's
// message, the failed field's page, tab and focus, the status panel's
// timer, the numeric key filter and the exit checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/forms/dialogs.h"
#include "framework/forms/user_input.h"
#include "framework/printing/virtual_printer.h"
#include "options_dialog_fixture.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

struct TRuleCase {
    const char* Field;
    const char* Text;
    const char* Message;
    const char* Page; // "" for the top bar
};

class OptionsChecksTest : public OptionsDialogTest {
protected:
    // The options window over the filled controls, the report title chosen
    // in the memo editor, the output file in a directory that exists.
    void Open(TOutputDest Dest = TOutputDest::odTextFile) {
        RS().OutputDest = Dest;
        RS().OutputFileName = dir.File("Sales.TXT");
        Fill();
        dlg->SetupPrinter(false);
        ShowWindow();
        dlg->lbxMemoLocation->SetItemIndex(0);
        dlg->lbxMemoLocationClick(dlg->lbxMemoLocation);
        ui->ClearCalls();
    }
    TWinControl* Control(const std::string& Name) const {
        auto* c = dynamic_cast<TWinControl*>(dlg->FindComponent(Name));
        EXPECT_NE(c, nullptr) << Name;
        return c;
    }
    bool CheckAll() { return dlg->ChkOptions(nullptr, true, true); }
    bool CheckOf(TObject* Sender) { return dlg->ChkOptions(Sender, false, true); }
    // The status panel shows its text after two blanks.
    std::string Status() const { return dlg->paMsg->Caption(); }
    static std::string Shown(const std::string& Msg) { return "  " + Msg; }
    std::string Page() const { return dlg->nbOptions->ActivePage(); }

    // Each rule fails alone on its field: the message on the status panel,
    // the field's page and tab shown and the field focused; put right, every
    // rule passes again and the message goes.
    void ExpectRulesFail(const std::vector<TRuleCase>& Cases) {
        for (const TRuleCase& c : Cases) {
            SCOPED_TRACE(std::string(c.Field) + " = \"" + c.Text + "\"");
            TWinControl* field = Control(c.Field);
            ASSERT_NE(field, nullptr);
            const std::string good = field->Text();
            field->SetText(c.Text);
            EXPECT_FALSE(CheckAll());
            EXPECT_EQ(Status(), Shown(c.Message));
            EXPECT_EQ(dlg->paMsg->Color(), clYellow);
            EXPECT_EQ(dlg->ActiveControl(), field);
            if (*c.Page) {
                EXPECT_EQ(Page(), c.Page);
                EXPECT_EQ(SelectedTab(), c.Page);
                EXPECT_EQ(dlg->HelpContext, 200 + dlg->nbOptions->PageIndex());
            }
            field->SetText(good);
            EXPECT_TRUE(CheckAll());
            EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
        }
    }

    // A General field left for another while a rule of the Output page
    // fails: the Output page and its tab show, its field has the focus, and
    // the check ran once.
    void ExpectLeavingAGeneralFieldShows(TWinControl* Field, const std::string& Message) {
        UserSelectTab(dlg->TabSet, "General");
        int exits = 0;
        const TNotifyEvent check = dlg->edPanelsAcrossPage->OnExit;
        dlg->edPanelsAcrossPage->OnExit = [&](TObject* Sender) {
            ++exits;
            check(Sender);
        };
        UserReplaceText(dlg->edPanelsAcrossPage, "2");
        UserFocus(dlg->edInterPanelGap);
        dlg->edPanelsAcrossPage->OnExit = check;
        EXPECT_EQ(exits, 1);
        EXPECT_EQ(Page(), "Output");
        EXPECT_EQ(SelectedTab(), "Output");
        EXPECT_TRUE(dlg->nbOptions->FindPage("Output")->Visible());
        EXPECT_FALSE(dlg->nbOptions->FindPage("General")->Visible());
        EXPECT_EQ(dlg->ActiveControl(), Field);
        EXPECT_TRUE(Field->Focused());
        EXPECT_EQ(Status(), Shown(Message));
        EXPECT_EQ(ui->Beeps(), std::vector<uint32_t>{MB_ICONASTERISK});
    }

    TVirtualPrinterOverride printer;
    TempDir dir;
};

TEST_F(OptionsChecksTest, EachRuleOfAFileReportShowsItsMessageAtItsField) {
    Open(TOutputDest::odTextFile);
    const std::vector<TRuleCase> cases{
        {"edLinesPerPage", "9", "Lines Per Page must be between 10 and 99 characters", "Output"},
        {"edLinesPerPage", "100", "Lines Per Page must be between 10 and 99 characters", "Output"},
        {"edTxtCharsPageWid", "9", "Text Page Width is invalid must be between 10 and 9999 text characters", "Output"},
        {"edInterPanelGap", "11", "Space Between Panels must be between 0 and 10 text characters", "General"},
        {"edMemoSpacesAbove", "11", "Space Above Memo must be between 0 and 10 text lines", "Titles"},
        {"edMemoSpacesBelow", "12", "Space Below Memo must be between 0 and 10 text lines", "Titles"},
        {"edTextFontName", "", "Font Name is missing", "Style"},
        {"edTextFontSize", "1", "Text Font Size must be between 2 and 72 Points", "Style"},
        {"edTextFontSize", "73", "Text Font Size must be between 2 and 72 Points", "Style"},
        {"edMaxStringColWid", "2", "Max String Column Width must be between 3 and 999 characters", "General"},
        {"edMaxMemoColWid", "1000", "Max Memo Column Width must be between 3 and 999 characters", "General"},
        // An empty field counts as 0; without units the message ends in a blank.
        {"edPanelsAcrossPage", "", "Panels Across Page must be between 1 and 10 ", "General"},
        {"edPanelsAcrossPage", "11", "Panels Across Page must be between 1 and 10 ", "General"},
        {"edPageMarginLeft", "101", "Page Left Margin must be between 0 and 100 characters", "Output"},
        {"edPageMarginRight", "101", "Page Right Margin must be between 0 and 100 characters", "Output"},
        {"edCellMarginTop", "11", "Cell Top Margin must be between 0 and 10 lines", "Output"},
        {"edCellMarginBottom", "11", "Cell Bottom Margin must be between 0 and 10 lines", "Output"},
        {"edCellMarginLeft", "26", "Cell Left Margin must be between 0 and 25 characters", "Output"},
        {"edCellMarginRight", "26", "Cell Right Margin must be between 0 and 25 characters", "Output"},
        {"edMemoXPosPer", "91", "Report Memo Left Margin must be between 0 and 90 %", "Titles"},
        {"edMemoWidPer", "9", "Report Memo Width must be between 10 and 100 %", "Titles"},
        {"edOutputFileName", "/no/such/directory/Sales.TXT",
         "Directory does not exist for output file. Use Browse button to create directory.", ""},
    };
    ExpectRulesFail(cases);
}

TEST_F(OptionsChecksTest, EachRuleOfAnExportShowsItsMessageAtItsField) {
    Open(TOutputDest::odExportFile);
    const std::vector<TRuleCase> cases{
        {"cmbExportFieldDelim", "256", "Export Field Delimiter Character must be between 0 and 255 (Ascii Code)",
         "Output"},
        {"cmbExportQuote", "300", "Export Quote Character must be between 0 and 255 (Ascii Code)", "Output"},
        // A delimiter and a quote that stand for the same character.
        {"cmbExportQuote", ",", "Export Field Delimeter and Export Quote fields cannot have the same value", "Output"},
    };
    dlg->cmbExportFieldDelim->SetText("Comma");
    // The third case fails at the delimiter, not at the quote being edited.
    ExpectRulesFail({cases[0], cases[1]});
    dlg->cmbExportQuote->SetText(",");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Status(), Shown(cases[2].Message));
    EXPECT_EQ(dlg->ActiveControl(), dlg->cmbExportFieldDelim);
    // A numeric delimiter passes its range and differs from a double quote.
    dlg->cmbExportFieldDelim->SetText("9");
    dlg->cmbExportQuote->SetText("Double Quote");
    EXPECT_TRUE(CheckAll());
    EXPECT_EQ(RS().ExportFieldDelim.str(), "9");
}

TEST_F(OptionsChecksTest, AFailedCheckStoresNothingAndAPassingOneStoresEveryField) {
    Open();
    dlg->edPanelsAcrossPage->SetText("3");
    dlg->edLinesPerPage->SetText("9");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(RS().PanelsAcrossPage, 1);
    EXPECT_EQ(RS().LinesPerpage, 60);
    dlg->edLinesPerPage->SetText("99");
    EXPECT_TRUE(CheckAll());
    EXPECT_EQ(RS().PanelsAcrossPage, 3);
    EXPECT_EQ(RS().LinesPerpage, 99);
}

TEST_F(OptionsChecksTest, AWindowSnapshotChecksNothingAndStoresTheFields) {
    RS().PrintWhat = TPrintWhat::pwWindowSnapShot;
    Open(TOutputDest::odPrinter);
    ASSERT_TRUE(PS().IsSnapShot);
    dlg->edLinesPerPage->SetText("9");
    dlg->edPanelsAcrossPage->SetText("4");
    EXPECT_TRUE(CheckAll());
    EXPECT_EQ(RS().PanelsAcrossPage, 4);
    EXPECT_EQ(RS().LinesPerpage, 9);
}

TEST_F(OptionsChecksTest, TheWarningStaysThirtySecondsDuringTheFirstShowAndFifteenAfterwards) {
    Open();
    ASSERT_TRUE(dlg->FirstShow);
    dlg->edLinesPerPage->SetText("9");
    EXPECT_FALSE(CheckAll());
    EXPECT_TRUE(dlg->Timer1->Enabled());
    EXPECT_EQ(dlg->Timer1->Interval(), 30000u);
    EXPECT_EQ(ui->Beeps(), std::vector<uint32_t>{MB_ICONASTERISK});
    clock.Advance(29999);
    Application()->ProcessMessages();
    EXPECT_EQ(dlg->paMsg->Color(), clYellow);
    clock.Advance(1);
    Application()->ProcessMessages();
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);

    dlg->FirstShow = false;
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(dlg->Timer1->Interval(), 15000u);
    clock.Advance(15000);
    Application()->ProcessMessages();
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
}

TEST_F(OptionsChecksTest, TheOptionsPasswordComesBeforeTheFailedField) {
    RS().RptOptPW = "opt";
    Open();
    dlg->edLinesPerPage->SetText("9");
    AnswerPassword("Enter Report Options Password:", "");
    EXPECT_THROW(
        {
            try {
                CheckAll();
            } catch (const ETrxSUError& e) {
                EXPECT_STREQ(e.what(), "Tabrix! Setup Error: Report Options Password Violation");
                throw;
            }
        },
        ETrxSUError);
    EXPECT_EQ(Page(), "General");

    AnswerPassword("Enter Report Options Password:", "opt");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Page(), "Output");
    // Entered once, it is not asked again in this run.
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 2u);
}

TEST_F(OptionsChecksTest, AFieldOfTheInnerStyleNotebookShowsBothPagesAndTheOuterTab) {
    Open();
    dlg->nbStyles->SetActivePage("Styles");
    dlg->edTextFontSize->SetText("80");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Page(), "Style");
    EXPECT_EQ(SelectedTab(), "Style");
    EXPECT_EQ(dlg->nbStyles->ActivePage(), "Text");
    EXPECT_EQ(dlg->ActiveControl(), dlg->edTextFontSize);
    EXPECT_TRUE(dlg->edTextFontSize->Focused());
}

TEST_F(OptionsChecksTest, AFieldOfAPageWithoutATabIsShownWithNoTabSelected) {
    RS().HiddenTabs = "Titles";
    Open();
    dlg->edMemoWidPer->SetText("5");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Page(), "Titles");
    EXPECT_EQ(SelectedTab(), "(none)");
}

TEST_F(OptionsChecksTest, AFailureDuringTheFirstShowFocusesTheFieldOnceTheDialogIsActive) {
    RS().LinesPerpage = 9;
    bool passed = true;
    // What the first show does before it decides.
    dlg->OnShow = [&](TObject*) {
        Fill();
        dlg->SetupPrinter(false);
        passed = CheckAll();
    };
    RS().OutputFileName = dir.File("Sales.TXT");
    RS().OutputDest = TOutputDest::odTextFile;
    ShowWindow();
    EXPECT_FALSE(passed);
    EXPECT_EQ(Page(), "Output");
    EXPECT_EQ(Status(), Shown("Lines Per Page must be between 10 and 99 characters"));
    EXPECT_TRUE(dlg->edLinesPerPage->Focused());
}

// ---- Mends of the page-margin, number, printer and page-range rules -------------------

TEST_F(OptionsChecksTest, EachPageMarginIsCheckedAtItsExitAndTheirSumAtTheNextFullCheck) {
    Open();
    UserSelectTab(dlg->TabSet, "Output");
    const std::pair<TEdit*, const char*> ranges[] = {
        {dlg->edPageMarginTop, "Page Top Margin must be between 0 and 100 lines"},
        {dlg->edPageMarginBottom, "Page Bottom Margin must be between 0 and 100 lines"},
    };
    for (const auto& [edit, message] : ranges) {
        SCOPED_TRACE(edit->Name());
        UserReplaceText(edit, "101");
        UserFocus(dlg->edCellMarginTop);
        EXPECT_EQ(Status(), Shown(message));
        EXPECT_EQ(dlg->ActiveControl(), edit);
        UserReplaceText(edit, "0");
        UserFocus(dlg->edCellMarginTop);
        EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
    }

    // A margin within its range is taken at its exit, though the two leave
    // too little of the page's 60 lines ...
    UserReplaceText(dlg->edPageMarginTop, "60");
    UserFocus(dlg->edCellMarginTop);
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
    EXPECT_EQ(dlg->ActiveControl(), dlg->edCellMarginTop);
    EXPECT_EQ(RS().PageMargin[TUnitsOfMeasure::umTxt].Top, 60);
    // ... and the next full check judges the stored two: the top margin is
    // shown, the focus stays where it is and a tab change would be refused.
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Status(), Shown("Page Top Margin + Bottom Margin are too large for page length"));
    EXPECT_EQ(Page(), "Output");
    EXPECT_EQ(dlg->ActiveControl(), dlg->edCellMarginTop);
    EXPECT_TRUE(dlg->TabSet->CancelChange);

    // Put right at the margin's exit, the next full check passes.
    UserReplaceText(dlg->edPageMarginTop, "10");
    UserFocus(dlg->edCellMarginTop);
    EXPECT_EQ(RS().PageMargin[TUnitsOfMeasure::umTxt].Top, 10);
    EXPECT_TRUE(CheckAll());
}

TEST_F(OptionsChecksTest, ThePageMarginSumJudgesTheStoredLinesPerPage) {
    Open();
    UserSelectTab(dlg->TabSet, "Output");
    UserReplaceText(dlg->edPageMarginTop, "30");
    UserReplaceText(dlg->edPageMarginBottom, "20");
    UserReplaceText(dlg->edLinesPerPage, "40");
    UserFocus(dlg->edCellMarginTop);
    EXPECT_EQ(RS().LinesPerpage, 40);
    EXPECT_EQ(PS().PageHt, 40);
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Status(), Shown("Page Top Margin + Bottom Margin are too large for page length"));
    UserReplaceText(dlg->edLinesPerPage, "55");
    UserFocus(dlg->edCellMarginTop);
    EXPECT_TRUE(CheckAll());
}

TEST_F(OptionsChecksTest, LeavingAMarginChecksItsOwnRules) {
    Open();
    UserSelectTab(dlg->TabSet, "Output");
    UserReplaceText(dlg->edPageMarginRight, "101");
    UserFocus(dlg->edCellMarginTop);
    EXPECT_EQ(Status(), Shown("Page Right Margin must be between 0 and 100 characters"));
    EXPECT_EQ(dlg->ActiveControl(), dlg->edPageMarginRight);
    EXPECT_TRUE(RS().Modified);
    EXPECT_FALSE(dlg->edPageMarginRight->Modified());
}

TEST_F(OptionsChecksTest, AFailingPrinterNameShowsItsPageAndFocusesItOnce) {
    RS().DefaultPrinter = false;
    RS().PrinterName = "Gone Away";
    Open(TOutputDest::odPrinter);
    ExpectLeavingAGeneralFieldShows(dlg->cmbPrinters, "Printer Name is invalid. Please choose a different printer.");
}

TEST_F(OptionsChecksTest, AFailingPageWidthShowsItsPageAndFocusesItOnce) {
    RS().TxtCharsPageWid = 5;
    Open(TOutputDest::odTextFile);
    ExpectLeavingAGeneralFieldShows(dlg->edTxtCharsPageWid,
                                    "Text Page Width is invalid must be between 10 and 9999 text characters");
}

TEST_F(OptionsChecksTest, TextThatIsNoNumberNeverRaises) {
    Open(TOutputDest::odPrinter);
    dlg->cbxReportAlignment->SetItemIndex(2);
    // The page width is disabled for the printer, so its range is not checked.
    ASSERT_FALSE(dlg->edTxtCharsPageWid->Enabled());
    dlg->edTxtCharsPageWid->SetText("wide");
    EXPECT_TRUE(CheckOf(dlg->cbxReportAlignment));
    dlg->edTxtCharsPageWid->SetText("300");
    EXPECT_TRUE(CheckOf(dlg->cbxReportAlignment));
    EXPECT_EQ(Status(), Shown("Note: Page Width may be too wide for Report Alignment"));
    EXPECT_EQ(dlg->Timer1->Interval(), 5000u);
    // Left justified, any width is fine.
    dlg->cbxReportAlignment->SetItemIndex(0);
    EXPECT_TRUE(CheckOf(dlg->cbxReportAlignment));
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
}

TEST_F(OptionsChecksTest, TextThatIsNoIntegerGetsTheFieldsRangeMessage) {
    Open();
    // Too large for an integer, it would be stored and printed as 0, which
    // lies in most ranges; any other text that is no number likewise.
    const std::vector<TRuleCase> cases{
        {"edCellMarginRight", "99999999999", "Cell Right Margin must be between 0 and 25 characters", "Output"},
        {"edCellMarginLeft", "2147483648", "Cell Left Margin must be between 0 and 25 characters", "Output"},
        {"edCellMarginTop", "-2147483649", "Cell Top Margin must be between 0 and 10 lines", "Output"},
        {"edInterPanelGap", "2147483648", "Space Between Panels must be between 0 and 10 text characters", "General"},
        {"edInterPanelGap", "99999999999", "Space Between Panels must be between 0 and 10 text characters", "General"},
        {"edPanelsAcrossPage", "4294967297", "Panels Across Page must be between 1 and 10 ", "General"},
        {"edPageMarginTop", "1x", "Page Top Margin must be between 0 and 100 lines", "Output"},
        {"edMemoXPosPer", "abc", "Report Memo Left Margin must be between 0 and 90 %", "Titles"},
    };
    ExpectRulesFail(cases);
    // The largest integer is one.
    dlg->edNumericOnly->SetText("2147483647");
    EXPECT_TRUE(dlg->ChkFldIntRange(dlg->edNumericOnly, 9, 2147483647, "Any", "", true));
}

struct TExportCharsCase {
    const char* Delim;
    const char* Quote;
    bool Passes;
};

class ExportCharsChecksTest : public OptionsChecksTest {
protected:
    // Each pair of delimiter and quote passes and is stored, or fails with
    // Message at the delimiter, whether the whole dialog is checked or the
    // quote combo is left.
    void ExpectChecks(const std::vector<TExportCharsCase>& Cases, const std::string& Message) {
        Open(TOutputDest::odExportFile);
        for (const TExportCharsCase& c : Cases) {
            SCOPED_TRACE(std::string("delimiter \"") + c.Delim + "\", quote \"" + c.Quote + "\"");
            dlg->cmbExportFieldDelim->SetText(c.Delim);
            dlg->cmbExportQuote->SetText(c.Quote);
            for (TObject* sender : {static_cast<TObject*>(nullptr), static_cast<TObject*>(dlg->cmbExportQuote)}) {
                EXPECT_EQ(sender ? CheckOf(sender) : CheckAll(), c.Passes);
                if (c.Passes) {
                    const std::string stored = SameText(c.Delim, "Tab")     ? "\t"
                                               : SameText(c.Delim, "Comma") ? ","
                                                                            : c.Delim;
                    EXPECT_EQ(RS().ExportFieldDelim.str(), stored);
                } else {
                    EXPECT_EQ(Status(), Shown(Message));
                    EXPECT_EQ(dlg->ActiveControl(), dlg->cmbExportFieldDelim);
                }
            }
        }
    }
};

TEST_F(ExportCharsChecksTest, ADelimiterAndAQuoteAreComparedByTheCharactersTheyStandFor) {
    // A name, a code below 256 and the character itself all stand for the
    // character.
    ExpectChecks({{"44", "Comma", false},
                  {",", "44", false},
                  {"Tab", "9", false},
                  {"34", "Double Quote", false},
                  {"39", "'", false},
                  {"44", "34", true},
                  {"Tab", "Double Quote", true},
                  {";", "39", true},
                  {"Comma", "44x", true}},
                 "Export Field Delimeter and Export Quote fields cannot have the same value");
}

TEST_F(ExportCharsChecksTest, AnEmptyDelimiterIsRefused) {
    // The fields of a line would run into one another.
    ExpectChecks({{"", "Double Quote", false}, {"", "", false}, {" ", "Double Quote", true}},
                 "Export Field Delimiter Character must be between 0 and 255 (Ascii Code)");
}

TEST_F(OptionsChecksTest, MemoMarginAndWidthTogetherStayWithinThePage) {
    Open();
    dlg->edMemoXPosPer->SetText("60");
    dlg->edMemoWidPer->SetText("50");
    EXPECT_FALSE(CheckOf(dlg->edMemoWidPer));
    EXPECT_EQ(Status(), Shown("Report memo's \"Left Margin\" + \"Memo Width\" must be <= 100%"));
    // No time-out: the message stays until the next check.
    EXPECT_FALSE(dlg->Timer1->Enabled());
    EXPECT_EQ(Page(), "General");
    dlg->edMemoWidPer->SetText("40");
    EXPECT_TRUE(CheckOf(dlg->edMemoWidPer));
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
}

TEST_F(OptionsChecksTest, TheStoredPrinterMattersOnlyToAPrintedReport) {
    RS().DefaultPrinter = false;
    RS().PrinterName = "Gone Away";
    Open(TOutputDest::odTextFile);
    EXPECT_TRUE(CheckAll());

    UserSelect(dlg->cbxOutputDest, "Printer");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(Status(), Shown("Printer Name is invalid. Please choose a different printer."));
    EXPECT_EQ(Page(), "Output");
    EXPECT_EQ(dlg->ActiveControl(), dlg->cmbPrinters);
}

TEST_F(OptionsChecksTest, AnInstalledPrinterOrTheDefaultPrinterPasses) {
    RS().DefaultPrinter = false;
    RS().PrinterName = "Virtual Printer A4";
    Open(TOutputDest::odPrinter);
    EXPECT_TRUE(CheckAll());
    dlg->cmbPrinters->SetText("");
    EXPECT_FALSE(CheckAll());
    dlg->cbDefaultPrinter->SetChecked(true);
    EXPECT_TRUE(CheckAll());
}

TEST_F(OptionsChecksTest, ABadPageRangeIsReportedByItsOwnMessage) {
    RS().PrintWhat = TPrintWhat::pwPageRange;
    Open();
    dlg->edPageRangeFrom->SetText("x");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"Page number is invalid\rExamples:\r4"});
    EXPECT_TRUE(dlg->edPageRangeFrom->Focused());
    // Only while a page range is chosen.
    dlg->rbPrintWhatAll->SetChecked(true);
    EXPECT_TRUE(CheckAll());
}

TEST_F(OptionsChecksTest, APageRangeCheckDuringTheFirstShowMovesNoFocus) {
    RS().PrintWhat = TPrintWhat::pwPageRange;
    RS().PageRangeFrom = TPoint{0, 5};
    RS().PageRangeTo = TPoint{0, 2};
    bool passed = true;
    // What the first show does before it decides.
    dlg->OnShow = [&](TObject*) {
        Fill();
        dlg->SetupPrinter(false);
        passed = CheckAll();
    };
    ShowWindow();
    EXPECT_FALSE(passed);
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{"\"From Page#\" must be less than or equal \"To Page#\""});
    EXPECT_NE(dlg->ActiveControl(), dlg->edPageRangeFrom);
}

TEST_F(OptionsChecksTest, APageRangeOnAHiddenGeneralPageIsCheckedWithoutFocus) {
    RS().PrintWhat = TPrintWhat::pwPageRange;
    RS().HiddenTabs = "General";
    Open();
    dlg->edPageRangeFrom->SetText("x");
    EXPECT_FALSE(CheckAll());
    EXPECT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(Page(), "Output");
}

// ---- Keys and exits -------------------------------------------------------------------

TEST_F(OptionsChecksTest, ANumericFieldTakesDigitsBackspaceAndEscapeOnly) {
    Open();
    UserReplaceText(dlg->edPanelsAcrossPage, "2");
    UserType(dlg->edPanelsAcrossPage, "a");
    EXPECT_EQ(dlg->edPanelsAcrossPage->Text(), "2");
    EXPECT_EQ(ui->Beeps(), std::vector<uint32_t>{0});
    UserType(dlg->edPanelsAcrossPage, "7-");
    EXPECT_EQ(dlg->edPanelsAcrossPage->Text(), "27");
    EXPECT_EQ(ui->Beeps().size(), 2u);
    UserKeyDown(dlg->edPanelsAcrossPage, VK_BACK);
    EXPECT_EQ(dlg->edPanelsAcrossPage->Text(), "2");
    EXPECT_EQ(ui->Beeps().size(), 2u);
    for (char key : {'\b', '\x1b', '0', '9'}) {
        char k = key;
        dlg->edNumericOnlyKeyPress(dlg->edPanelsAcrossPage, k);
        EXPECT_EQ(k, key);
    }
}

TEST_F(OptionsChecksTest, EnterChecksTheField) {
    Open();
    UserReplaceText(dlg->edPanelsAcrossPage, "12");
    char enter = '\r';
    dlg->edNumericOnlyKeyPress(dlg->edPanelsAcrossPage, enter);
    EXPECT_EQ(enter, '\r');
    EXPECT_EQ(Status(), Shown("Panels Across Page must be between 1 and 10 "));
    EXPECT_EQ(RS().PanelsAcrossPage, 1);
    UserReplaceText(dlg->edPanelsAcrossPage, "2");
    dlg->edNumericOnlyKeyPress(dlg->edPanelsAcrossPage, enter);
    EXPECT_EQ(RS().PanelsAcrossPage, 2);
}

TEST_F(OptionsChecksTest, LeavingAnUnchangedFieldChecksNothing) {
    Open();
    dlg->edPanelsAcrossPage->SetText("12"); // set in code: not modified by the user
    UserFocus(dlg->edPanelsAcrossPage);
    UserFocus(dlg->edInterPanelGap);
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
    EXPECT_FALSE(RS().Modified);
}

TEST_F(OptionsChecksTest, ARangeCheckOfAControlThatIsNoEditOrComboIsAnInternalError) {
    Open();
    EXPECT_THROW(dlg->ChkFldIntRange(dlg->rbPrintWhatAll, 0, 1, "Choice", "", true), eTrxIntError);
    // A Max below Min is no upper bound; a hidden or disabled field passes.
    dlg->edNumericOnly->SetText("123456");
    dlg->edNumericOnly->SetEnabled(true);
    dlg->edNumericOnly->SetVisible(true);
    EXPECT_TRUE(dlg->ChkFldIntRange(dlg->edNumericOnly, 5, 0, "Any", "", true));
    EXPECT_FALSE(dlg->ChkFldIntRange(dlg->edNumericOnly, 5, 10, "Any", "", true));
    dlg->edNumericOnly->SetVisible(false);
    EXPECT_TRUE(dlg->ChkFldIntRange(dlg->edNumericOnly, 5, 10, "Any", "", true));
}

TEST_F(OptionsChecksTest, ExportNamesStandForTheirCharacters) {
    const std::pair<const char*, const char*> names[] = {
        {"Comma", ","}, {"tab", "\t"}, {"DOUBLE QUOTE", "\""}, {"Single Quote", "'"}, {";", ";"}};
    for (const auto& [name, chr] : names) EXPECT_EQ(dlg->GetExportFldStr(name), chr) << name;
}

} // namespace
} // namespace trx::test
