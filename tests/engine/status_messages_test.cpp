#include <gtest/gtest.h>

#include "engine/status_messages.h"
#include "form_routines_fixture.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"

namespace trx::test {
namespace {

class StatusMsgTest : public FormRoutinesTest {
protected:
    StatusMsgTest() {
        form = NewForm<TForm>(Application());
        panel = new TPanel(form);
        panel->SetParent(form);
        timer = new TTimer(form);
        timer->SetEnabled(false);
        timer->OnTimer = [this](TObject*) { ++timerFired; };
    }
    TForm* form;
    TPanel* panel;
    TTimer* timer;
    int timerFired = 0;
};

TEST_F(StatusMsgTest, EachTypeColoursThePanelAndWarningsAndErrorsBeep) {
    struct Case {
        TMsgDlgType Type;
        TColor Color;
        bool Bold;
    };
    const Case cases[] = {{TMsgDlgType::mtWarning, clYellow, true},
                          {TMsgDlgType::mtError, clRed, true},
                          {TMsgDlgType::mtConfirmation, clAqua, false},
                          {TMsgDlgType::mtCustom, clWhite, false},
                          {TMsgDlgType::mtInformation, clBtnFace, false}};
    for (const Case& c : cases) {
        panel->Font().SetColor(clBlue);
        // -1: the information must replace the coloured message before it.
        StatusMsg(panel, "Field is required", c.Type, nullptr, -1);
        EXPECT_EQ(panel->Caption(), "  Field is required");
        EXPECT_EQ(panel->Color(), c.Color);
        EXPECT_EQ(panel->Font().Color(), clBlack);
        EXPECT_EQ(panel->Font().Style().Contains(TFontStyle::fsBold), c.Bold);
    }
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{MB_ICONASTERISK, MB_ICONHAND}));
}

TEST_F(StatusMsgTest, AnInformationLeavesAColouredMessageUnlessForced) {
    StatusMsg(panel, "Invalid margin", TMsgDlgType::mtWarning, timer, 15);
    StatusMsg(panel, "Total Report Width: 80 chars", TMsgDlgType::mtInformation);
    EXPECT_EQ(panel->Caption(), "  Invalid margin");
    EXPECT_EQ(panel->Color(), clYellow);
    EXPECT_TRUE(timer->Enabled()); // untouched as well

    StatusMsg(panel, "", TMsgDlgType::mtInformation, timer, -1);
    EXPECT_EQ(panel->Caption(), "  ");
    EXPECT_EQ(panel->Color(), clBtnFace);
    EXPECT_FALSE(panel->Font().Style().Contains(TFontStyle::fsBold));
    EXPECT_FALSE(timer->Enabled());

    // On a plain panel an information shows at once.
    StatusMsg(panel, "Ready", TMsgDlgType::mtInformation);
    EXPECT_EQ(panel->Caption(), "  Ready");
}

TEST_F(StatusMsgTest, TheTimerIsRestartedForTheSecondsGiven) {
    StatusMsg(panel, " Saved ", TMsgDlgType::mtCustom, timer, 2);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 2000u);
    clock.Advance(1999);
    Application()->ProcessMessages();
    EXPECT_EQ(timerFired, 0);
    clock.Advance(1);
    Application()->ProcessMessages();
    EXPECT_EQ(timerFired, 1);

    // Zero seconds stops the timer and leaves the message up.
    StatusMsg(panel, "Searching for last page - Press Escape to Stop", TMsgDlgType::mtCustom, timer, 0);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 2000u);
}

TEST_F(StatusMsgTest, ANilPanelShowsNothingAndStartsNoTimer) {
    StatusMsg(nullptr, "Page has been copied to Windows clipboard", TMsgDlgType::mtError, timer, 5);
    EXPECT_FALSE(timer->Enabled());
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(StatusMsgTest, ErrMgrPrefixesWarningsAndErrorsAndOffersOnlyOk) {
    ErrMgr("Printer not ready", TMsgDlgType::mtWarning, 899);
    ErrMgr("Cannot open file", TMsgDlgType::mtError, 0);
    ErrMgr("Report saved", TMsgDlgType::mtInformation, 12);
    const auto boxes = ui->CallsOf(TDialogKind::dkMessageDlg);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Text, "Warning: Printer not ready");
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes[0].HelpContext, 899);
    EXPECT_EQ(boxes[1].Text, "Error: Cannot open file");
    EXPECT_EQ(boxes[2].Text, "Report saved");
    for (const auto& b : boxes) EXPECT_EQ(b.Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    EXPECT_EQ(ui->Beeps(), (std::vector<uint32_t>{MB_ICONASTERISK, MB_ICONEXCLAMATION}));
}

} // namespace
} // namespace trx::test
