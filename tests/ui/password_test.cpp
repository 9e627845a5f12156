#include <gtest/gtest.h>

#include "framework/forms/extra_controls.h"
#include "framework/forms/form_layout.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"
#include "ui/password_changes.h"
#include "ui/password_prompt.h"
#include "ui_fixture.h"

namespace trx::test {
namespace {

// What a user does in one showing of the password prompt.
std::function<void(TCustomForm&)> Types(const std::string& Entry, std::vector<std::string>* Seen = nullptr) {
    return [Entry, Seen](TCustomForm& f) {
        auto& fm = static_cast<TfmPassword&>(f);
        if (Seen) Seen->push_back(fm.lbPWPrompt->Caption());
        UserReplaceText(fm.edPassword, Entry);
        UserClick(fm.edOk);
    };
}
std::function<void(TCustomForm&)> Cancels() {
    return [](TCustomForm& f) { UserClick(static_cast<TfmPassword&>(f).edCancel); };
}

class PasswordTest : public UiTest {
protected:
    PasswordTest() {
        PWInfo.Clear();
        RS().DialogTitle = "Sales Report";
    }
    ~PasswordTest() override { PWInfo.Clear(); }
    TtrxReportSettings& RS() { return globals->RS(); }
    void Prompt(std::function<void(TCustomForm&)> Script) { ui->OnModal("fmPassword", std::move(Script)); }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& c : ui->CallsOf(TDialogKind::dkMessageDlg)) texts.push_back(c.Text);
        return texts;
    }
};

// ---- The prompt ---------------------------------------------------------------

TEST_F(PasswordTest, NoPasswordOrOneEnteredBeforeShowsNoPrompt) {
    std::string entered;
    EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "", false, entered));
    entered = "secret";
    EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "SECRET", false, entered));
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(PasswordTest, AnEntryInAnotherCaseIsAcceptedAndRemembered) {
    Prompt([](TCustomForm& f) {
        auto& fm = static_cast<TfmPassword&>(f);
        EXPECT_EQ(fmPassword, &fm);
        EXPECT_EQ(f.Caption(), "Report: Sales Report");
        EXPECT_EQ(fm.lbPWPrompt->Caption(), "Enter Report Password:");
        EXPECT_EQ(fm.edPassword->Text(), "");
        EXPECT_EQ(fm.edPassword->PasswordChar(), 'X');
        EXPECT_EQ(fm.paStatus->Caption(), "");
        EXPECT_EQ(f.ActiveControl(), fm.edPassword);
        EXPECT_EQ(f.ClientWidth(), 241);
        EXPECT_EQ(f.ClientHeight(), 150);
        EXPECT_EQ(f.BorderStyle(), TFormBorderStyle::bsDialog);
        EXPECT_EQ(fm.edCancel->ModalResult, mrCancel);
        UserType(fm.edPassword, "Secret");
        UserKeyDown(fm.edPassword, VK_RETURN); // the default button
    });
    EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "SECRET", false, PWInfo.EnteredRptPW));
    EXPECT_EQ(PWInfo.EnteredRptPW, "Secret");
    EXPECT_EQ(fmPassword, nullptr);
    // Asked again in the same run: nothing shows.
    EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "SECRET", false, PWInfo.EnteredRptPW));
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 1u);
}

TEST_F(PasswordTest, TheThirdWrongEntryRefuses) {
    std::vector<std::string> statuses;
    auto wrong = [&](const std::string& Entry) {
        return [&, Entry](TCustomForm& f) {
            auto& fm = static_cast<TfmPassword&>(f);
            UserReplaceText(fm.edPassword, Entry);
            UserClick(fm.edOk);
            statuses.push_back(fm.paStatus->Caption());
            EXPECT_EQ(fm.paStatus->Color(), clRed);
            EXPECT_EQ(fm.paStatus->Font().Color(), clWhite);
            EXPECT_TRUE(fm.edPassword->Focused());
        };
    };
    Prompt(wrong("one"));
    Prompt(wrong("two"));
    Prompt(wrong("three"));
    std::string entered = "kept";
    EXPECT_FALSE(AskPassword("Sales Report", "Enter Report Options Password:", "right", false, entered));
    EXPECT_EQ(entered, "kept");
    EXPECT_EQ(NumAttempts, 3);
    EXPECT_EQ(statuses, std::vector<std::string>(3, "Password is Incorrect"));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Too many password violations"}));
    const auto box = ui->CallsOf(TDialogKind::dkMessageDlg)[0];
    EXPECT_EQ(box.Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(box.Buttons, TMsgDlgButtons{TMsgDlgBtn::mbCancel});
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{0, 0, 0}));

    // A right entry after two wrong ones passes, and the next prompt counts anew.
    Prompt(wrong("one"));
    Prompt(wrong("two"));
    Prompt(Types("RIGHT"));
    EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Options Password:", "right", false, entered));
    EXPECT_EQ(entered, "RIGHT");
}

TEST_F(PasswordTest, LettersBeyondAsciiMatchInEitherCase) {
    // Typed in capitals, with the umlauts as letters and marks, or not.
    for (const char* entry : {"PÄSSWÖRD", "Pässwörd", "PA\xCC\x88SSWO\xCC\x88RD"}) {
        SCOPED_TRACE(entry);
        ui->ClearCalls();
        Prompt(Types(entry));
        std::string entered;
        EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "pässwörd", false, entered));
        EXPECT_EQ(entered, entry);
        EXPECT_TRUE(Boxes().empty());
        // Entered once, it is not asked again.
        EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "pässwörd", false, entered));
        EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 1u);
    }
    // Other letters are other letters.
    Prompt(Types("PASSWORD"));
    Prompt(Cancels());
    std::string entered;
    EXPECT_FALSE(AskPassword("Sales Report", "Enter Report Password:", "pässwörd", false, entered));
    EXPECT_EQ(NumAttempts, 1);
}

TEST_F(PasswordTest, CancelRefusesAtOnce) {
    Prompt(Cancels());
    std::string entered;
    EXPECT_FALSE(AskPassword("Sales Report", "Enter Setup Password:", "setup", false, entered));
    EXPECT_EQ(NumAttempts, 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(PasswordTest, APromptThatFailsIsFreedAndAsksAgainNextTime) {
    Prompt([](TCustomForm&) { throw Exception("window lost"); });
    std::string entered;
    EXPECT_THROW(AskPassword("Sales Report", "Enter Report Password:", "secret", false, entered), Exception);
    EXPECT_EQ(fmPassword, nullptr);
    EXPECT_EQ(entered, "");
    Prompt(Types("secret"));
    EXPECT_TRUE(AskPassword("Sales Report", "Enter Report Password:", "secret", false, entered));
    EXPECT_EQ(entered, "secret");
}

TEST_F(PasswordTest, ChangeModeTakesAnyEntryAsTyped) {
    Prompt([](TCustomForm& f) {
        auto& fm = static_cast<TfmPassword&>(f);
        EXPECT_EQ(fm.paStatus->Caption(), "Leave blank to remove password");
        UserType(fm.edPassword, " new ");
        UserClick(fm.edOk);
    });
    std::string entered;
    EXPECT_TRUE(AskPassword("Sales Report", "Enter  New Report Password:", "", true, entered));
    EXPECT_EQ(entered, " new ");
}

// ---- Changing passwords from the Setup page -------------------------------------

const TFormDesc& SetupPageLayout() {
    static const TFormDesc d{.Name = "fmTBXMain",
                             .ClientWidth = 400,
                             .ClientHeight = 200,
                             .Controls = {
                                 {.Kind = "TCheckBox",
                                  .Name = "cbRptPW",
                                  .Top = 8,
                                  .Caption = "Report P&assword",
                                  .Events = {{"OnClick", "cbRptPWClick"}}},
                                 {.Kind = "TCheckBox",
                                  .Name = "cbRptOptPW",
                                  .Top = 32,
                                  .Caption = "Report Optio&ns Password",
                                  .Events = {{"OnClick", "cbRptOptPWClick"}}},
                                 {.Kind = "TCheckBox",
                                  .Name = "cbRptSetupPW",
                                  .Top = 56,
                                  .Caption = "Report Set&up Password",
                                  .Events = {{"OnClick", "cbRptSetupPWClick"}}},
                                 {.Kind = "TCheckBox",
                                  .Name = "cbSettingsReadOnly",
                                  .Top = 80,
                                  .Caption = "&ReadOnly",
                                  .Events = {{"OnClick", "cbSettingsReadOnlyClick"}}},
                                 {.Kind = "TPanel", .Name = "paMsg", .Height = 22, .Props = {{"Align", "alBottom"}}},
                                 {.Kind = "TTimer", .Name = "Timer1", .Props = {{"Enabled", "False"}}},
                             }};
    return d;
}

// The options dialog's Setup page as far as passwords go.
class TSetupPage : public TForm {
public:
    explicit TSetupPage(TComponent* AOwner) : TForm(AOwner) {
        BuildForm(*this, SetupPageLayout(),
                  THandlerTable()
                      .Add("cbRptPWClick", this, &TSetupPage::cbRptPWClick)
                      .Add("cbRptOptPWClick", this, &TSetupPage::cbRptOptPWClick)
                      .Add("cbRptSetupPWClick", this, &TSetupPage::cbRptSetupPWClick)
                      .Add("cbSettingsReadOnlyClick", this, &TSetupPage::cbSettingsReadOnlyClick));
    }
    void cbRptPWClick(TObject*) { PasswordCheckBoxClick(cbRptPW, TPasswordKind::pkReport, Assigning); }
    void cbRptOptPWClick(TObject*) { PasswordCheckBoxClick(cbRptOptPW, TPasswordKind::pkReportOptions, Assigning); }
    void cbRptSetupPWClick(TObject*) { PasswordCheckBoxClick(cbRptSetupPW, TPasswordKind::pkSetupPage, Assigning); }
    void cbSettingsReadOnlyClick(TObject*) {
        SettingsReadOnlyClick(cbSettingsReadOnly, Assigning, paMsg, Timer1,
                              [this](TObject* Sender) { setOptionsFor.push_back(Sender); });
    }

    bool Assigning = false;
    std::vector<TObject*> setOptionsFor;
    TRX_FIELD(TCheckBox, cbRptPW);
    TRX_FIELD(TCheckBox, cbRptOptPW);
    TRX_FIELD(TCheckBox, cbRptSetupPW);
    TRX_FIELD(TCheckBox, cbSettingsReadOnly);
    TRX_FIELD(TPanel, paMsg);
    TRX_FIELD(TTimer, Timer1);
};

class PasswordChangeTest : public PasswordTest {
protected:
    PasswordChangeTest() {
        page = NewForm<TSetupPage>(Application());
        page->Show();
    }
    TSetupPage* page;
};

TEST_F(PasswordChangeTest, ANewPasswordVerifiedInAnotherCaseIsSetAndRemembered) {
    std::vector<std::string> prompts;
    Prompt(Types("  Secret ", &prompts));
    Prompt(Types("SECRET", &prompts));
    UserClick(page->cbRptPW);
    EXPECT_EQ(prompts, (std::vector<std::string>{"Enter  New Report Password:", "Verify  New Report Password:"}));
    EXPECT_EQ(RS().RptPW, "SECRET"); // the verified entry
    EXPECT_EQ(PWInfo.EnteredRptPW, "SECRET");
    EXPECT_TRUE(RS().Modified);
    EXPECT_TRUE(page->cbRptPW->Checked());
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"New Report Password is now active"}));

    // The user who set it is not asked for it in this run.
    EXPECT_TRUE(AskPassword(RS().DialogTitle, "Enter Report Password:", RS().RptPW, false, PWInfo.EnteredRptPW));
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 2u);
}

TEST_F(PasswordChangeTest, ATooLongEntryIsRefusedAndAskedAgain) {
    std::vector<std::string> prompts;
    Prompt(Types("abc", &prompts));
    Prompt(Types("abcdefghijk", &prompts));
    Prompt(Types(" ABC ", &prompts));
    UserClick(page->cbRptOptPW);
    EXPECT_EQ(prompts,
              (std::vector<std::string>{"Enter  New Report Options Password:", "Verify  New Report Options Password:",
                                        "Verify  New Report Options Password:"}));
    EXPECT_EQ(RS().RptOptPW, "ABC");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Password cannot be more than 10 characters. Please try again.",
                                                 "New Report Options Password is now active"}));
    // Ten characters are enough.
    RS().RptOptPW.clear();
    page->Assigning = true;
    page->cbRptOptPW->SetChecked(false);
    page->Assigning = false;
    Prompt(Types("abcdefghij"));
    Prompt(Types("abcdefghij"));
    UserClick(page->cbRptOptPW);
    EXPECT_EQ(RS().RptOptPW, "abcdefghij");
}

TEST_F(PasswordChangeTest, ANewPasswordCountsItsLettersNotItsBytes) {
    // Six letters of twelve bytes, verified in another case.
    Prompt(Types("äöüÄÖÜ"));
    Prompt(Types("ÄÖÜäöü"));
    UserClick(page->cbRptPW);
    EXPECT_EQ(RS().RptPW, "ÄÖÜäöü");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"New Report Password is now active"}));
    // Ten letters are enough; the eleventh is one too many.
    ui->ClearCalls();
    Prompt(Types("ßäöüéèêçñå"));
    Prompt(Types("ßäöüéèêçñåø"));
    Prompt(Types("ẞÄÖÜÉÈÊÇÑÅ")); // the capital of "ß"
    UserClick(page->cbRptOptPW);
    EXPECT_EQ(RS().RptOptPW, "ẞÄÖÜÉÈÊÇÑÅ");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Password cannot be more than 10 characters. Please try again.",
                                                 "New Report Options Password is now active"}));
}

TEST_F(PasswordChangeTest, EntriesThatDoNotAgreeCanBeTriedAgainOrGivenUp) {
    Prompt(Types("one"));
    Prompt(Types("two"));
    ui->AnswerMessage(mrOk, "Passwords do not agree -- try again");
    Prompt(Types("three"));
    Prompt(Types("Three"));
    UserClick(page->cbRptSetupPW);
    EXPECT_EQ(RS().RptSetUpPW, "Three");
    EXPECT_EQ(PWInfo.EnteredSetupPW, "Three");

    // Giving up after a mismatch changes nothing; the box shows the
    // password is still there.
    ui->ClearCalls();
    Prompt(Types("Three")); // the current password
    Prompt(Types("four"));
    Prompt(Types("five"));
    ui->AnswerMessage(mrCancel, "Passwords do not agree");
    UserClick(page->cbRptSetupPW); // unchecks, asking to remove or change
    EXPECT_EQ(RS().RptSetUpPW, "Three");
    EXPECT_TRUE(page->cbRptSetupPW->Checked());
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Passwords do not agree -- try again",
                                                 "Setup Page Password password not changed"}));
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkMessageDlg)[0].Type, TMsgDlgType::mtError);
}

TEST_F(PasswordChangeTest, AnEmptyEntryAfterTheCurrentPasswordRemovesIt) {
    RS().RptPW = "old";
    page->Assigning = true;
    page->cbRptPW->SetChecked(true);
    page->Assigning = false;
    std::vector<std::string> prompts;
    Prompt(Types("OLD", &prompts));
    Prompt(Types("", &prompts));
    UserClick(page->cbRptPW);
    EXPECT_EQ(prompts, (std::vector<std::string>{"Enter current Report Password:", "Enter  New Report Password:"}));
    EXPECT_EQ(RS().RptPW, "");
    EXPECT_FALSE(page->cbRptPW->Checked());
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Report Password password has been removed."}));
}

TEST_F(PasswordChangeTest, CancellingTheCurrentPasswordKeepsItAndTheBox) {
    RS().RptPW = "old";
    PWInfo.EnteredRptPW = "old"; // entered before: the change asks all the same
    page->Assigning = true;
    page->cbRptPW->SetChecked(true);
    page->Assigning = false;
    RS().Modified = false;
    Prompt(Cancels());
    UserClick(page->cbRptPW);
    EXPECT_EQ(RS().RptPW, "old");
    EXPECT_TRUE(page->cbRptPW->Checked());
    EXPECT_FALSE(RS().Modified);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Report Password password not changed"}));

    // Cancelling the new entry also keeps the box unchecked for no password.
    RS().RptPW.clear();
    page->Assigning = true;
    page->cbRptPW->SetChecked(false);
    page->Assigning = false;
    Prompt(Cancels());
    UserClick(page->cbRptPW);
    EXPECT_FALSE(page->cbRptPW->Checked());
}

TEST_F(PasswordChangeTest, WhileAssigningTheBoxesDoNothing) {
    page->Assigning = true;
    page->cbRptPW->SetChecked(true);
    page->cbSettingsReadOnly->SetChecked(true);
    EXPECT_TRUE(ui->Calls().empty());
    EXPECT_FALSE(RS().Modified);
}

TEST_F(PasswordChangeTest, ToggleCheckNoClickLeavesTheHandlerAttached) {
    int clicks = 0;
    TCheckBox* box = page->cbRptPW;
    box->OnClick = [&](TObject*) { ++clicks; };
    ToggleCheckNoClick(box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 0);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PasswordChangeTest, ReadOnlyTakesEffectNextRunWhileClearingItActsAtOnce) {
    RS().SettingsReadOnly = false;
    UserClick(page->cbSettingsReadOnly);
    EXPECT_TRUE(RS().Modified);
    EXPECT_FALSE(RS().SettingsReadOnly);
    EXPECT_EQ(page->paMsg->Caption(), "  Report Options will be set to ReadOnly the next time report is run");
    EXPECT_EQ(page->paMsg->Color(), clWhite);
    EXPECT_TRUE(page->Timer1->Enabled());
    EXPECT_EQ(page->Timer1->Interval(), 5000u);
    EXPECT_TRUE(page->setOptionsFor.empty());

    RS().SettingsReadOnly = true; // as loaded for a read-only report
    RS().Modified = false;
    UserClick(page->cbSettingsReadOnly);
    EXPECT_FALSE(RS().SettingsReadOnly);
    EXPECT_TRUE(RS().Modified);
    EXPECT_EQ(page->setOptionsFor, (std::vector<TObject*>{page->cbSettingsReadOnly}));
}

} // namespace
} // namespace trx::test
