// The component's own windows as real windows: the password prompt typed
// into and clicked, and the progress window of a long print suspended with
// Escape and aborted.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include <memory>
#include <set>
#include <string>

#include "engine/print_settings.h"
#include "engine/report_fixture.h" // SteppingClock
#include "engine/report_settings.h"
#include "engine/run_scope.h"
#include "framework/core/clock.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/standard_controls.h"
#include "framework/grids/string_grid.h"
#include "framework/printing/virtual_printer.h"
#include "framework/qt/qt_control_widgets.h"
#include "qt_user.h"
#include "support/engine/item_grid.h"
#include "support/engine/run_setup.h"
#include "support/temp_dir.h"
#include "support/windows_dir.h"
#include "ui/password_prompt.h"
#include "ui/progress_window.h"

namespace trx::test {
namespace {

class PasswordWindowTest : public ::testing::Test, public QtWindowsFixture {
protected:
    // Types Text into the prompt and clicks OK once the prompt shows and
    // Attempts entries were made.
    void Enter(QtUser& User, const std::string& Text, int Attempts) {
        User.When(
            "the prompt after " + std::to_string(Attempts) + " entries",
            [Attempts] { return fmPassword && Shown(fmPassword) && NumAttempts == Attempts; },
            [Text] {
                QTest::keyClicks(QtWidget(fmPassword->edPassword), QString::fromStdString(Text));
                QTest::mouseClick(QtWidget(fmPassword->edOk), Qt::LeftButton);
            });
    }
};

TEST_F(PasswordWindowTest, TheRightPasswordTypedAndOkClickedIsAccepted) {
    QtUser user;
    user.When(
            "the prompt", [] { return fmPassword && Shown(fmPassword); },
            [] {
                EXPECT_EQ(QtWidget(fmPassword)->windowTitle(), "Report: Sales");
                EXPECT_EQ(QtWidget(fmPassword)->windowModality(), Qt::ApplicationModal);
                QTest::keyClicks(QtWidget(fmPassword->edPassword), "secret");
            })
        // The widget shows what the model holds: one X a character.
        .When(
            "the entry shown",
            [] { return dynamic_cast<QLineEdit*>(QtWidget(fmPassword->edPassword))->text() == "XXXXXX"; },
            [] { QTest::mouseClick(QtWidget(fmPassword->edOk), Qt::LeftButton); });
    std::string entered;
    EXPECT_TRUE(AskPassword("Sales", "Enter Report Password:", "SECRET", false, entered));
    EXPECT_EQ(entered, "secret");
    EXPECT_EQ(fmPassword, nullptr);
}

TEST_F(PasswordWindowTest, AWrongPasswordThreeTimesIsRefused) {
    QtUser user;
    Enter(user, "wrong", 0);
    user.When(
        "the first refusal",
        [] {
            return fmPassword && NumAttempts == 1 &&
                   dynamic_cast<TQtPanel*>(QtWidget(fmPassword->paStatus))->Caption == "Password is Incorrect";
        },
        [] {});
    Enter(user, "still", 1);
    Enter(user, "nope", 2);
    TCustomForm* box = nullptr;
    user.When(
        "Too many password violations", [&] { return (box = FindForm("fmMessage")) && Shown(box); },
        [&] {
            auto* text = dynamic_cast<TLabel*>(box->FindComponent("Message"));
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->Caption(), "Too many password violations");
            QTest::mouseClick(QtWidget(dynamic_cast<TControl*>(box->FindComponent("Cancel"))), Qt::LeftButton);
        });
    std::string entered = "unchanged";
    EXPECT_FALSE(AskPassword("Sales", "Enter Report Password:", "secret", false, entered));
    EXPECT_EQ(entered, "unchanged");
    EXPECT_EQ(NumAttempts, 3);
    EXPECT_TRUE(user.Done());
}

class ProgressWindowTest : public ::testing::Test, public QtWindowsFixture {
protected:
    TWindowProgress progressWindow;
    TRunProgressScope showProgress{progressWindow};
    ProgressWindowTest() : clock_(clock) {
        globals = std::make_unique<TRunScope>();
        TtrxReportSettings& rs = globals->RS();
        SetReportDefaults(rs);
        rs.OutputDest = TOutputDest::odTextFile;
        rs.OutputFileName = dir.File("report.txt");
        rs.DialogTitle = "Items";
        rs.DisplayProgressWindow = true;
        globals->OI().ComponentName = "TrxTabrix1";
        grid = std::make_unique<TStringGrid>(nullptr);
        grid->SetName("sgItems");
        FillItemGrid(*grid, 3, Rows);
    }
    ~ProgressWindowTest() override {
        ResetApplication();
        globals.reset();
    }

    static constexpr int Rows = 20000;
    // Moves on every reading: the progress window lets the windows run on
    // every update of the long loop.
    SteppingClock clock;
    TVirtualPrinterOverride printer;
    TWindowsDirOverride windowsDir;
    TempDir dir;
    std::unique_ptr<TRunScope> globals;
    std::unique_ptr<TStringGrid> grid;

private:
    TClockOverride clock_;
};

TEST_F(ProgressWindowTest, EscapeSuspendsALongPrintAndAbortEndsIt) {
    StartRun(grid.get());
    QtUser user;
    std::set<int> widths;
    user.When(
            "the progress window with its bar moving",
            [&] {
                if (!fmProgress || !Shown(fmProgress)) return false;
                widths.insert(QtWidget(fmProgress->paProgressBar)->width());
                return widths.size() >= 3;
            },
            [] {
                EXPECT_EQ(QtWidget(fmProgress)->windowTitle(), "Report:Items");
                QTest::keyClick(QtWidget(fmProgress), Qt::Key_Escape);
            })
        .When(
            "Abort and Resume",
            [] {
                return fmProgress && Shown(fmProgress->bbAbortOper) && Shown(fmProgress->bbResumeOper) &&
                       QtWidget(fmProgress)->windowModality() == Qt::ApplicationModal;
            },
            [] {
                EXPECT_FALSE(Shown(fmProgress->bbCancel));
                EXPECT_EQ(dynamic_cast<TQtPanel*>(QtWidget(fmProgress->paStatusBar))->Caption,
                          " --Printing-- User Suspended ");
                QTest::mouseClick(QtWidget(fmProgress->bbAbortOper), Qt::LeftButton);
            });
    EXPECT_EQ(PrintRun(), 3);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(fmProgress, nullptr);
    EXPECT_LT(globals->OI().RcdsDone, Rows); // stopped on the way
}

TEST_F(ProgressWindowTest, AnInvisibleProgressWindowStillTakesEscapeAndShowsWhenSuspended) {
    globals->RS().DisplayProgressWindow = false;
    TForm* dialog = NewForm<TForm>(Application());
    dialog->SetName("fmTBXMain");
    dialog->SetBounds(100, 100, 640, 480);
    dialog->Show();
    StartRun(grid.get());
    QtUser user;
    user.When(
            "the run under way, its window unseen", [&] { return fmProgress && globals->OI().RcdsDone > 1000; },
            [&] {
                EXPECT_FALSE(Shown(fmProgress));
                // Typed into the dialog's window, the key goes where the
                // model has its focus.
                QTest::keyClick(QtWidget(dialog), Qt::Key_Escape);
            })
        .When(
            "the suspended window", [] { return fmProgress && fmProgress->Modal() && Shown(fmProgress->bbResumeOper); },
            [] {
                EXPECT_EQ(QtWidget(fmProgress)->size(), QSize(385, 215));
                QTest::mouseClick(QtWidget(fmProgress->bbResumeOper), Qt::LeftButton);
            })
        .When(
            "the window running on, now seen",
            [] { return fmProgress && !fmProgress->Modal() && Shown(fmProgress->bbCancel); }, [] {});
    EXPECT_EQ(PrintRun(false, dialog), 1);
    EXPECT_TRUE(user.Done());
    EXPECT_EQ(globals->OI().RcdsDone, Rows);
    EXPECT_TRUE(dialog->Enabled());
}

} // namespace
} // namespace trx::test
