// The dialog's page-range check: its messages and where the focus goes.
#include <gtest/gtest.h>

#include <memory>

#include "engine/print_settings.h"
#include "engine/run_scope.h"
#include "framework/core/clock.h"
#include "framework/forms/application.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/printing/virtual_printer.h"
#include "support/forms/scripted_ui.h"

using namespace trx;

namespace {

const char* InvalidPage = "Page number is invalid\rExamples:\r4";
const char* InvalidPageAcross = "Page number is invalid\rExamples:\r4\r1-3\r5-2";
const char* FromAfterTo = "\"From Page#\" must be less than or equal \"To Page#\"";

class PageRangeTest : public ::testing::Test {
protected:
    PageRangeTest() : clockOverride(clock) {
        ResetApplication();
        ui = std::make_unique<TScriptedUi>();
        ui->OnFailure = [](const std::string& m) { ADD_FAILURE() << "scripted user: " << m; };
        form = NewForm<TForm>(Application());
        form->SetName("fmRange");
        form->SetBounds(0, 0, 300, 200);
        from = Edit("edFrom");
        to = Edit("edTo");
        other = Edit("edOther");
        form->Show();
        other->SetFocus();
    }
    ~PageRangeTest() override {
        ui.reset();
        ResetApplication();
    }

    TEdit* Edit(const std::string& Name) {
        auto* e = new TEdit(form);
        e->SetName(Name);
        e->SetParent(form);
        return e;
    }

    bool Check(const std::string& From, const std::string& To) {
        from->SetText(From);
        to->SetText(To);
        other->SetFocus();
        ui->ClearCalls();
        return PS.ChkPageRange(true, from, to);
    }

    TFakeClock clock;
    TClockOverride clockOverride;
    std::unique_ptr<TScriptedUi> ui;
    TVirtualPrinterOverride printer;
    trx::TRunScope run;
    TPrintSettings& PS = run.PS();
    TForm* form = nullptr;
    TEdit* from = nullptr;
    TEdit* to = nullptr;
    TEdit* other = nullptr;
};

TEST_F(PageRangeTest, GoodRangesPassQuietly) {
    EXPECT_TRUE(Check("1", "5"));
    EXPECT_TRUE(Check("3-2", "3-12"));
    EXPECT_TRUE(Check("3-9999", "4"));
    EXPECT_TRUE(Check("7", "7"));
    EXPECT_TRUE(ui->Calls().empty());
    // Unchecked, anything passes.
    from->SetText("junk");
    EXPECT_TRUE(PS.ChkPageRange(false, from, to));
    EXPECT_TRUE(ui->Calls().empty());
}

TEST_F(PageRangeTest, InvalidPagesBeepWarnAndFocusTheirEdit) {
    PS.PagesAcross = 1;
    EXPECT_FALSE(Check("x", "5"));
    ASSERT_EQ(ui->Messages(), std::vector<std::string>{InvalidPage});
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkBeep).size(), 1u);
    const auto boxes = ui->CallsOf(TDialogKind::dkMessageDlg);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes[0].Buttons, TMsgDlgButtons{TMsgDlgBtn::mbOK});
    EXPECT_TRUE(from->Focused());

    // With pages across the examples show the across form too.
    PS.PagesAcross = 2;
    EXPECT_FALSE(Check("1", "5--3"));
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{InvalidPageAcross});
    EXPECT_TRUE(to->Focused());
}

TEST_F(PageRangeTest, FromAfterToWarnsAndFocusesFrom) {
    EXPECT_FALSE(Check("3-12", "3-2"));
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{FromAfterTo});
    EXPECT_TRUE(ui->CallsOf(TDialogKind::dkBeep).empty());
    EXPECT_TRUE(from->Focused());
    EXPECT_FALSE(Check("4", "3-9999"));
}

TEST_F(PageRangeTest, AnEditThatCannotTakeTheFocusIsLeftAlone) {
    from->SetVisible(false);
    EXPECT_FALSE(Check("x", "2"));
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{InvalidPage});
    EXPECT_TRUE(other->Focused());
}

TEST_F(PageRangeTest, AnEditOnAFormThatIsNotActiveIsLeftAlone) {
    from->SetText("x");
    to->SetText("2");
    auto* front = NewForm<TForm>(Application());
    front->Show();
    ui->ClearCalls();
    EXPECT_FALSE(PS.ChkPageRange(true, from, to));
    EXPECT_EQ(ui->Messages(), std::vector<std::string>{InvalidPage});
    EXPECT_EQ(Screen()->ActiveForm(), front);
    EXPECT_EQ(form->ActiveControl(), other);
}

} // namespace
