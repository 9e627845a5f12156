#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "engine/program_path.h"
#include "engine/status_messages.h"
#include "engine/trx_errors.h"
#include "framework/core/file_utils.h"
#include "framework/forms/menus.h"
#include "framework/forms/user_input.h"
#include "options_dialog_fixture.h"
#include "support/temp_dir.h"

namespace trx::test {
namespace {

using Strings = std::vector<std::string>;
const TShiftState Ctrl{TShiftFlag::ssCtrl};
const TShiftState CtrlShift{TShiftFlag::ssCtrl, TShiftFlag::ssShift};

class OptionsPagesTest : public OptionsDialogTest {
protected:
    // Fills the controls with HiddenTabs and shows the options window.
    void Open(const std::string& HiddenTabs) {
        RS().HiddenTabs = HiddenTabs;
        Fill();
        ShowWindow();
    }
    std::string Page() const { return dlg->nbOptions->ActivePage(); }
    void Key(uint16_t K, TShiftState Shift = {}) { UserKeyDown(dlg, K, Shift); }
};

// The tab strip is made with the dialog, outside its layout.
TEST_F(OptionsPagesTest, TheTabStripStandsOverTheNotebookWithNoTabsYet) {
    ASSERT_NE(dlg->TabSet, nullptr);
    EXPECT_EQ(dlg->TabSet->Height(), 26);
    EXPECT_EQ(dlg->TabSet->Parent(), dlg->paMiddle);
    EXPECT_EQ(dlg->TabSet->NoteBook, dlg->nbOptions);
    EXPECT_EQ(dlg->TabSet->Tabs().Count(), 0);
}

// ---- Hidden pages ---------------------------------------------------------------

TEST_F(OptionsPagesTest, HiddenPagesHaveNoTabAndTheOthersStayInPageOrder) {
    struct TCase {
        std::string Hidden;
        Strings Tabs;
    };
    const TCase cases[] = {
        {"", {"General", "Output", "Style", "Titles", "Setup"}},
        {"Style,Setup", {"General", "Output", "Titles"}},
        {"General,Setup", {"Output", "Style", "Titles"}},
        {"Titles", {"General", "Output", "Style", "Setup"}},
        // The test is case-sensitive: another case hides nothing.
        {"style,setup", {"General", "Output", "Style", "Titles", "Setup"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Hidden);
        RS().HiddenTabs = c.Hidden;
        dlg->TabSet->Tabs().Clear();
        dlg->AssignScreenFields();
        EXPECT_EQ(Tabs(), c.Tabs);
        EXPECT_EQ(SelectedTab(), c.Tabs.front());
        EXPECT_EQ(Page(), c.Tabs.front());
        EXPECT_EQ(dlg->HelpContext, 200 + dlg->nbOptions->PageIndex());
        EXPECT_EQ(dlg->AllPagesShown, c.Hidden.empty());
        EXPECT_FALSE(dlg->Assigning);
    }
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(OptionsPagesTest, CtrlTabWrapsBothWays) {
    Open("General,Setup");
    ASSERT_EQ(Tabs(), (Strings{"Output", "Style", "Titles"}));
    Key(VK_TAB, Ctrl);
    EXPECT_EQ(Page(), "Style");
    Key(VK_TAB, Ctrl);
    EXPECT_EQ(Page(), "Titles");
    EXPECT_EQ(dlg->HelpContext, 203);
    Key(VK_TAB, Ctrl);
    EXPECT_EQ(SelectedTab(), "Output");
    EXPECT_EQ(Page(), "Output");
    Key(VK_TAB, CtrlShift);
    EXPECT_EQ(SelectedTab(), "Titles");
    EXPECT_EQ(Page(), "Titles");
}

TEST_F(OptionsPagesTest, CtrlF10AsksBothPasswordsShowsEveryPageAndOpensSetup) {
    RS().RptOptPW = "opt";
    RS().RptSetUpPW = "set";
    Open("Style,Setup");
    ASSERT_EQ(Tabs(), (Strings{"General", "Output", "Titles"}));
    AnswerPassword("Enter Report Options Password:", "OPT");
    AnswerPassword("Enter Setup Password:", "set");
    Key(VK_F10, Ctrl);
    EXPECT_EQ(Tabs(), (Strings{"General", "Output", "Style", "Titles", "Setup"}));
    EXPECT_EQ(SelectedTab(), "Setup");
    EXPECT_EQ(Page(), "Setup");
    EXPECT_EQ(dlg->HelpContext, 204);
    EXPECT_TRUE(dlg->AllPagesShown);
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 2u);

    // Back to the normal view: no password, the hidden pages go again.
    Key(VK_F10, Ctrl);
    EXPECT_EQ(Tabs(), (Strings{"General", "Output", "Titles"}));
    EXPECT_EQ(SelectedTab(), "Titles"); // the tab before the one that went
    EXPECT_EQ(Page(), "Titles");
    EXPECT_FALSE(dlg->AllPagesShown);
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 2u);
}

TEST_F(OptionsPagesTest, ARefusedPasswordOnCtrlF10ChangesNothing) {
    RS().RptOptPW = "opt";
    RS().RptSetUpPW = "set";
    Open("Style,Setup");
    AnswerPassword("Enter Report Options Password:", "opt");
    AnswerPassword("Enter Setup Password:", ""); // cancelled
    Key(VK_F10, Ctrl);
    EXPECT_EQ(Tabs(), (Strings{"General", "Output", "Titles"}));
    EXPECT_EQ(Page(), "General");
    EXPECT_FALSE(dlg->AllPagesShown);
}

TEST_F(OptionsPagesTest, WithEveryPageHiddenOnlyTheTopBarIsLeftUntilCtrlF10) {
    Open("General,Output,Style,Titles,Setup");
    EXPECT_TRUE(Tabs().empty());
    EXPECT_FALSE(dlg->nbOptions->Visible());
    EXPECT_FALSE(dlg->TabSet->Visible());
    EXPECT_EQ(dlg->ActiveControl(), dlg->cbxOutputDest);
    Key(VK_F10, Ctrl); // no passwords set
    EXPECT_EQ(Tabs().size(), 5u);
    EXPECT_TRUE(dlg->nbOptions->Visible());
    EXPECT_TRUE(dlg->TabSet->Visible());
    EXPECT_EQ(Page(), "Setup");
}

TEST_F(OptionsPagesTest, ThePageBoxesRebuildHiddenTabsButTheTabsWaitForTheNextPass) {
    Open("");
    EXPECT_TRUE(dlg->cbShowSetupPage->Checked());
    dlg->TabSet->SetTabIndex(dlg->CnvtTabStrToNdx("Setup"));
    dlg->TabSet->TabChanged(dlg->TabSet);
    UserClick(dlg->cbShowSetupPage);
    UserClick(dlg->cbShowGeneralPage);
    EXPECT_EQ(RS().HiddenTabs, "General,Setup");
    EXPECT_TRUE(RS().Modified);
    EXPECT_EQ(Tabs().size(), 5u);
    // Ctrl+F10 from the full view applies the new list.
    dlg->AllPagesShown = true;
    Key(VK_F10, Ctrl);
    EXPECT_EQ(Tabs(), (Strings{"Output", "Style", "Titles"}));
    EXPECT_EQ(SelectedTab(), "Titles");
    dlg->cbShowSetupPage->SetChecked(true);
    dlg->cbShowGeneralPage->SetChecked(true);
    EXPECT_EQ(RS().HiddenTabs, "");
}

TEST_F(OptionsPagesTest, ThePageBoxesShowHiddenTabsWhenFilled) {
    RS().HiddenTabs = "Output,Titles";
    Fill();
    EXPECT_TRUE(dlg->cbShowGeneralPage->Checked());
    EXPECT_FALSE(dlg->cbShowOutputPage->Checked());
    EXPECT_TRUE(dlg->cbShowStylePage->Checked());
    EXPECT_FALSE(dlg->cbShowTitlesPage->Checked());
    EXPECT_TRUE(dlg->cbShowSetupPage->Checked());
    EXPECT_FALSE(RS().Modified);
}

// ---- The tab change ------------------------------------------------------------------

TEST_F(OptionsPagesTest, TheSetupTabAsksTheSetupPasswordOnce) {
    RS().RptSetUpPW = "set";
    Open("");
    UserSelectTab(dlg->TabSet, "Output");
    AnswerPassword("Enter Setup Password:", ""); // cancelled
    UserSelectTab(dlg->TabSet, "Setup");
    EXPECT_EQ(Page(), "Output");
    EXPECT_EQ(SelectedTab(), "Output");
    EXPECT_FALSE(dlg->TabSet->CancelChange);

    AnswerPassword("Enter Setup Password:", "SET");
    UserSelectTab(dlg->TabSet, "Setup");
    EXPECT_EQ(Page(), "Setup");
    UserSelectTab(dlg->TabSet, "General");
    UserSelectTab(dlg->TabSet, "Setup"); // entered once in this run
    EXPECT_EQ(Page(), "Setup");
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 2u);
}

TEST_F(OptionsPagesTest, LeavingAFieldByATabRunsItsExitCheckOnce) {
    Open("");
    int exits = 0;
    dlg->edPanelsAcrossPage->OnExit = [&](TObject*) {
        ++exits;
        EXPECT_TRUE(dlg->Assigning);
    };
    UserFocus(dlg->edPanelsAcrossPage);
    UserSelectTab(dlg->TabSet, "Output");
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(Page(), "Output");
    EXPECT_TRUE(static_cast<bool>(dlg->edPanelsAcrossPage->OnExit));
    EXPECT_FALSE(dlg->Assigning);
}

TEST_F(OptionsPagesTest, AComboWithAStrangeTextRefusesTheChange) {
    Open("");
    UserFocus(dlg->cbxSnugfit);
    dlg->cbxSnugfit->SetText("Sometimes");
    UserSelectTab(dlg->TabSet, "Output");
    EXPECT_EQ(Page(), "General");
    EXPECT_EQ(SelectedTab(), "General");
    EXPECT_EQ(Trim(dlg->paMsg->Caption()), "Value is missing or invalid");
    EXPECT_EQ(dlg->ActiveControl(), dlg->cbxSnugfit);
    ASSERT_FALSE(ui->Beeps().empty());
    EXPECT_EQ(ui->Beeps().front(), MB_ICONINFORMATION);
}

TEST_F(OptionsPagesTest, AnExitCheckThatRaisesLeavesTheDialogWorking) {
    Open("");
    int exits = 0;
    dlg->edPanelsAcrossPage->OnExit = [&](TObject*) {
        if (++exits == 1) throw Exception("check failed");
    };
    UserFocus(dlg->edPanelsAcrossPage);
    UserSelectTab(dlg->TabSet, "Output"); // the error reaches the application
    EXPECT_EQ(ui->Messages(), (Strings{"check failed."}));
    EXPECT_FALSE(dlg->Assigning);
    EXPECT_FALSE(dlg->TabSet->CancelChange);
    ASSERT_TRUE(static_cast<bool>(dlg->edPanelsAcrossPage->OnExit));
    EXPECT_EQ(Page(), "General");
    // Later changes count again, and the exit check is still there.
    UserClick(dlg->rbPrintWhatTestPage);
    EXPECT_EQ(exits, 2);
    EXPECT_TRUE(RS().Modified);
    UserFocus(dlg->edPanelsAcrossPage);
    UserSelectTab(dlg->TabSet, "Setup");
    EXPECT_EQ(exits, 3);
    EXPECT_EQ(Page(), "Setup");
}

TEST_F(OptionsPagesTest, AChangeDuringTheFillKeepsTheFillGoing) {
    dlg->Assigning = true;
    RS().HiddenTabs = "";
    dlg->SetTabsVisibility(false);
    EXPECT_TRUE(dlg->Assigning);
}

TEST_F(OptionsPagesTest, ANameThatIsNoPageIsAnInternalError) {
    try {
        dlg->TabSet->SetNBPage("Styles");
        FAIL();
    } catch (const eTrxIntError& e) {
        EXPECT_EQ(e.Message, "Tabrix! Internal Error: SetNBPage Page \"Styles\" does not exist in NoteBook");
    }
    dlg->TabSet->SetNBPage("titles");
    EXPECT_EQ(Page(), "Titles");
}

TEST_F(OptionsPagesTest, TheViewMenuOffersThePagesThatHaveTabs) {
    RS().RptSetUpPW = "set";
    Open("Style");
    UserOpenMenu(dlg->mnView);
    EXPECT_TRUE(dlg->itmGeneralTab->Enabled());
    EXPECT_TRUE(dlg->itmOutputTab->Enabled());
    EXPECT_FALSE(dlg->itmStylesTab->Enabled());
    EXPECT_TRUE(dlg->itmTitlesTab->Enabled());
    EXPECT_TRUE(dlg->itmSetupTab->Enabled());
    UserSelectTab(dlg->TabSet, "Titles");
    const int help = dlg->HelpContext;
    UserClickMenu(dlg->itmGeneralTab);
    EXPECT_EQ(SelectedTab(), "General");
    EXPECT_EQ(Page(), "General");
    EXPECT_EQ(dlg->HelpContext, help);
}

TEST_F(OptionsPagesTest, TheViewMenuTurnsTabAndPageTogetherWithoutCheckingTheFieldLeft) {
    Open("");
    UserSelectTab(dlg->TabSet, "Output");
    UserReplaceText(dlg->edCellMarginRight, "26");
    ui->ClearCalls();
    UserClickMenu(dlg->itmGeneralTab);
    EXPECT_EQ(SelectedTab(), "General");
    EXPECT_EQ(Page(), "General");
    EXPECT_TRUE(dlg->nbOptions->FindPage("General")->Visible());
    EXPECT_FALSE(dlg->nbOptions->FindPage("Output")->Visible());
    EXPECT_TRUE(dlg->nbOptions->FindPage("General")->ContainsControl(dlg->ActiveControl()));
    EXPECT_TRUE(ui->Beeps().empty());
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
    EXPECT_TRUE(static_cast<bool>(dlg->edCellMarginRight->OnExit));
    // The value is judged when the field is left the next time.
    UserSelectTab(dlg->TabSet, "Output");
    UserFocus(dlg->edCellMarginRight);
    UserFocus(dlg->edCellMarginLeft);
    EXPECT_EQ(Trim(dlg->paMsg->Caption()), "Cell Right Margin must be between 0 and 25 characters");
    EXPECT_EQ(dlg->ActiveControl(), dlg->edCellMarginRight);
}

// ---- Keys on the Titles page -------------------------------------------------------------

TEST_F(OptionsPagesTest, CtrlUpAndDownStepThroughTheMemos) {
    RS().Memo(TRptMemoNdx::rmRptTi).SetText("Title");
    RS().Memo(TRptMemoNdx::rmRptHdr).SetText("Header");
    Open("");
    UserSelectTab(dlg->TabSet, "Titles");
    UserSelectItem(dlg->lbxMemoLocation, 0);
    UserFocus(dlg->memRptMemo);
    Key(VK_DOWN, Ctrl);
    EXPECT_EQ(dlg->lbxMemoLocation->ItemIndex(), 1);
    EXPECT_EQ(dlg->memRptMemo->Text(), "Header");
    Key(VK_UP, Ctrl);
    EXPECT_EQ(dlg->lbxMemoLocation->ItemIndex(), 0);
    EXPECT_EQ(dlg->memRptMemo->Text(), "Title");
    EXPECT_TRUE(ui->Beeps().empty());
    // On the first memo: a beep, and the memo is loaded again.
    dlg->memRptMemo->SetText("changed");
    Key(VK_UP, Ctrl);
    EXPECT_EQ(dlg->lbxMemoLocation->ItemIndex(), 0);
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{0xFFFF}));
}

// ---- Status line ------------------------------------------------------------------------

TEST_F(OptionsPagesTest, HintsShowOnTheStatusPanelUnlessAMessageWaitsForItsTimer) {
    Open("");
    Application()->OnHint = [this](TObject* s) { dlg->ShowStatusHint(s); };
    UserHover(dlg->edPanelsAcrossPage);
    EXPECT_EQ(dlg->paMsg->Caption(), " Narrow grids can print up to 10 across the page");
    StatusMsg(dlg->paMsg, "Careful", TMsgDlgType::mtWarning, dlg->Timer1, 15);
    const std::string warning = dlg->paMsg->Caption();
    UserHover(dlg->edInterPanelGap);
    EXPECT_EQ(dlg->paMsg->Caption(), warning);
    clock.Advance(15000);
    Application()->ProcessMessages();
    EXPECT_EQ(dlg->paMsg->Color(), clBtnFace);
    UserHover(dlg->cbxOutputDest);
    EXPECT_EQ(dlg->paMsg->Caption(), " Output Destination determines where output will be sent");
    // A coloured message without a pending clear gives way to the next hint.
    StatusMsg(dlg->paMsg, "Stays", TMsgDlgType::mtWarning);
    UserHover(dlg->edInterPanelGap);
    EXPECT_EQ(dlg->paMsg->Caption(), " Space between panels");
}

TEST_F(OptionsPagesTest, TheHintBoxTurnsTheBubbleHintsOnAndOff) {
    Open("");
    UserSelectTab(dlg->TabSet, "Setup");
    const bool was = dlg->cbShowHint->Checked();
    UserClick(dlg->cbShowHint);
    EXPECT_EQ(Application()->ShowHint, !was);
    EXPECT_TRUE(RS().Modified);
}

// ---- Resize and the diagnostic caption ---------------------------------------------------

TEST_F(OptionsPagesTest, ResizingKeepsTheFileControlsInARowAndTheMemoBelowItsOptions) {
    Open("");
    UserResize(dlg, 800, 600);
    EXPECT_EQ(dlg->edOutputFileName->Left(), dlg->sbPrinterSetup->Left());
    EXPECT_EQ(dlg->edOutputFileName->Width(), dlg->nbOptions->Width() - dlg->sbPrinterSetup->Left() -
                                                  dlg->sbPrinterSetup->Width() - dlg->buBrowseFile->Width() -
                                                  dlg->cbxIfOutputFileExists->Width());
    EXPECT_EQ(dlg->buBrowseFile->Left(), dlg->edOutputFileName->Left() + dlg->edOutputFileName->Width() + 5);
    EXPECT_EQ(dlg->cbxIfOutputFileExists->Left(), dlg->buBrowseFile->Left() + dlg->buBrowseFile->Width() + 5);
    EXPECT_EQ(dlg->memRptMemo->Height(), dlg->nbOptions->Height() - dlg->paRptMemoOptions->Height());
}

TEST_F(OptionsPagesTest, TheDiagnosticCaptionTogglesAlsoWithDotsInTheTitle) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("bin/Payroll.TRX"));
    SetExeFileName(dir.File("bin/Payroll"));
    struct TReset {
        ~TReset() { SetExeFileName(""); }
    } reset;
    RS().ReportId = "Sales (001.002)";
    ObjInfo->ObjName = "sgSales";
    Open("");
    const std::string caption = "Report Options: Sales...Q3";
    dlg->SetCaption(caption);
    UserClick(dlg->paPagesAcross);
    EXPECT_EQ(dlg->Caption(), caption + "... ReportId: \"Sales (001.002)\", ObjectToPrint:sgSales");
    EXPECT_EQ(dlg->paMsg->Caption(), " Tabrix! Data Directory: " + dir.File("bin/Payroll.TRX/"));
    UserClick(dlg->paPagesAcross);
    EXPECT_EQ(dlg->Caption(), caption);
    EXPECT_EQ(dlg->paMsg->Caption(), "");
}

TEST_F(OptionsPagesTest, CtrlOFocusesTheDestinationAfterTheOptionsPassword) {
    RS().RptOptPW = "opt";
    Open("");
    UserSelectTab(dlg->TabSet, "Output");
    AnswerPassword("Enter Report Options Password:", "opt");
    Key('O', Ctrl);
    EXPECT_EQ(dlg->ActiveControl(), dlg->cbxOutputDest);
}

} // namespace
} // namespace trx::test
