// The dialog on a real X display, used with the X server's mouse and
// keyboard and read back from the screen by OCR: the texts of its boxes,
// its progress window while a print goes on, its labels whole.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTabBar>

#include <memory>
#include <string>
#include <vector>

#include "dialog_window_fixture.h"
#include "framework/core/clock.h"
#include "framework/forms/form_observer.h"
#include "framework/qt/qt_control_widgets.h"
#include "screen.h"
#include "ui/progress_window.h"

namespace trx::test {
namespace {

class ScreenTest : public DialogWindowTest {
protected:
    // The window of a form on the screen, read.
    static std::string Read(const TCustomForm* Form, const std::string& Name) {
        return ReadScreen(OnScreen(QtWidget(Form)), Name);
    }
    // The window read until it shows Phrase: on a busy machine the window
    // manager may map it a moment later (at most ten seconds).
    static std::string ReadShowing(const TCustomForm* Form, const std::string& Name, const std::string& Phrase) {
        std::string text;
        for (int i = 0; i < 50; ++i) {
            text = Read(Form, Name);
            if (Reads(text, Phrase)) break;
            ProcessUntil([] { return false; }, 200);
        }
        return text;
    }
    static std::string Read(const TControl* Control, const std::string& Name) {
        const QWidget* w = QtWidget(Control);
        return ReadScreen(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()), Name);
    }
    // A click, through the X server, on the dialog's tab of that name.
    static void ClickTabOnScreen(const std::string& Name) {
        QTabBar* bar = static_cast<TQtTabControl*>(QtWidget(fmTBXMain->TabSet))->Bar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i).toStdString() == Name) return RealClick(bar, bar->tabRect(i).center());
        ADD_FAILURE() << "no tab " << Name;
    }
    static TCustomForm* MessageBox() {
        TCustomForm* box = FindForm("fmMessage");
        return box && Shown(box) && QtWidget(box)->isActiveWindow() ? box : nullptr;
    }
    static TControl* Button(const TCustomForm* Box, const std::string& Name) {
        return dynamic_cast<TControl*>(Box->FindComponent(Name));
    }
};

TEST_F(ScreenTest, TheWarningAndTheSaveQuestionAreReadOnTheScreen) {
    Store({"LinesPerpage=20"});
    std::string warning, question;
    QtUser user;
    user.When("the options window", DialogShown, [] { RealClick(QtWidget(fmTBXMain->rbPrintWhatPageRange)); })
        .When(
            "a page range chosen", [] { return fmTBXMain->rbPrintWhatPageRange->Checked(); },
            [] {
                RealClick(QtWidget(fmTBXMain->edPageRangeFrom));
                RealKeys("End");
                RealKeys("BackSpace BackSpace BackSpace BackSpace BackSpace");
                RealType("abc");
            })
        .When(
            "letters typed", [] { return fmTBXMain->edPageRangeFrom->Text() == "abc"; },
            [] { RealClick(QtWidget(fmTBXMain->sbPrint)); })
        .When("the warning", MessageBox,
              [&] {
                  TCustomForm* box = MessageBox();
                  warning = Read(box, "page-range-warning");
                  RealClick(QtWidget(Button(box, "OK")));
              })
        .When(
            "the warning gone", [] { return !FindForm("fmMessage") && DialogShown(); },
            [] {
                RealClick(QtWidget(fmTBXMain->edPageRangeFrom));
                RealKeys("End");
                RealKeys("BackSpace BackSpace BackSpace BackSpace BackSpace");
                RealType("1");
            })
        .When(
            "1 typed", [] { return fmTBXMain->edPageRangeFrom->Text() == "1"; }, [] { RealKeys("ctrl+q"); })
        .When("the save question", MessageBox, [&] {
            TCustomForm* box = MessageBox();
            question = Read(box, "save-question");
            RealClick(QtWidget(Button(box, "No")));
        });
    tbx->Print();
    EXPECT_TRUE(user.Done());
    EXPECT_TRUE(Reads(warning, "Page number is invalid")) << warning;
    EXPECT_TRUE(Reads(warning, "Examples:")) << warning;
    EXPECT_TRUE(Reads(question, "Report Settings have been modified.")) << question;
    EXPECT_TRUE(Reads(question, "Save New Report Settings?")) << question;
}

// A clock whose milliseconds run fast while a print looks at it for every
// row: the print lets the events in (every 500 ms of its clock) many times
// over a run short in real time, so a user can look at it meanwhile.
class TFastClock : public TClock {
public:
    // Each reading counts 20 ms more, less than any timer's interval: the
    // model's look for a timer that is due still comes to an end.
    int64_t TickCount() override { return real_.TickCount() + 20 * ++calls_; }
    double LocalDateTime() override { return real_.LocalDateTime(); }
    void Wait(int64_t Ms) override { real_.Wait(Ms); }

private:
    TSystemClock real_;
    int64_t calls_ = 0;
};

// What the progress window shows the moment it appears, read from the
// screen before the run goes on.
class ShownProgress : public TFormObserver {
public:
    ShownProgress() { AddFormObserver(this); }
    ~ShownProgress() override { RemoveFormObserver(this); }
    std::string Text;
    std::string WindowType, SizeHints, Actions;

    void FormShown(TCustomForm& Form, bool Modal) override {
        if (&Form != fmProgress || Modal || !Text.empty() || Form.Width() == 0) return;
        Text = ReadScreen(OnScreen(QtWidget(&Form)), "progress-window-shown");
        WindowType = WindowProperty(QtWidget(&Form), "_NET_WM_WINDOW_TYPE");
        SizeHints = WindowProperty(QtWidget(&Form), "WM_NORMAL_HINTS");
        Actions = WindowProperty(QtWidget(&Form), "_NET_WM_ALLOWED_ACTIONS");
    }
};

TEST_F(ScreenTest, TheProgressWindowShowsWhileThePrintGoesOn) {
    // Rows enough for a print that lasts a while.
    FillItemGrid(*grid, 3, 30000);
    // From the options window: the print reads the table as it is then.
    Store({"DisplayProgressWindow=1", "PauseAfterPrinting=1"});
    std::unique_ptr<ShownProgress> shown;
    TFastClock fast;
    std::unique_ptr<TClockOverride> clock;
    std::string running, result;
    QtUser user(60000);
    user.When("the options window", DialogShown,
              [&] {
                  shown = std::make_unique<ShownProgress>();
                  clock = std::make_unique<TClockOverride>(fast);
                  RealClick(QtWidget(fmTBXMain->sbPrint));
              })
        .When(
            "the print under way",
            [] {
                return fmProgress && Shown(fmProgress) && fmProgress->bbCancel->Visible() &&
                       fmProgress->paProgressBar->Width() > 0;
            },
            [&] { running = Read(fmProgress, "progress-window-running"); })
        .When(
            "the print's result", [] { return fmProgress && fmProgress->bbOk->Visible() && Shown(fmProgress); },
            [&] {
                clock.reset();
                result = ReadShowing(fmProgress, "progress-window-result", "Report Completed Normally");
                RealClick(QtWidget(fmProgress->bbOk));
            })
        .When(
            "the options window again", [] { return !fmProgress && DialogShown(); },
            [] { RealClick(QtWidget(fmTBXMain->sbClose)); });
    EXPECT_EQ(tbx->Print(), 1);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(user.Done());
    // Painted the moment it shows: the run works on without letting the
    // events in for half a second.
    EXPECT_TRUE(Reads(shown->Text, "Cancel")) << shown->Text;
    EXPECT_TRUE(Reads(shown->Text, "Printing...Please Wait!")) << shown->Text;
    // A dialog to the window manager: no resizing, so no maximizing.
    EXPECT_NE(shown->WindowType.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos) << shown->WindowType;
    EXPECT_NE(shown->SizeHints.find("minimum size: 385 by 215"), std::string::npos) << shown->SizeHints;
    EXPECT_NE(shown->SizeHints.find("maximum size: 385 by 215"), std::string::npos) << shown->SizeHints;
    // The window manager offers neither minimizing nor maximizing it.
    EXPECT_EQ(shown->Actions.find("MINIMIZE"), std::string::npos) << shown->Actions;
    EXPECT_EQ(shown->Actions.find("MAXIMIZE"), std::string::npos) << shown->Actions;
    // While the print goes on: the page, the count, Cancel.
    EXPECT_TRUE(Reads(running, "Printing: Page")) << running;
    EXPECT_TRUE(Reads(running, "Rows (")) << running;
    EXPECT_TRUE(Reads(running, "Cancel")) << running;
    EXPECT_TRUE(Reads(result, "30000 Rows (100%)")) << result;
    EXPECT_TRUE(Reads(result, "Report Completed Normally")) << result;
}

TEST_F(ScreenTest, TheSetupAndTitlesLabelsReadWhole) {
    Store({"LinesPerpage=20"});
    std::string setup, left, right;
    QtUser user;
    user.When("the options window", DialogShown, [] { ClickTabOnScreen("Setup"); })
        .When(
            "the Setup page", [] { return SelectedTab() == "Setup"; },
            [&] {
                setup = Read(fmTBXMain->gbDisplayReportOptions, "setup-page");
                ClickTabOnScreen("Titles");
            })
        .When(
            "the Titles page", [] { return SelectedTab() == "Titles"; },
            [] {
                // Page Title, the third memo of the list: 10 % either side.
                auto* list = static_cast<TQtListBox*>(QtWidget(fmTBXMain->lbxMemoLocation));
                RealClick(list->viewport(), QPoint(20, list->ItemHeight * 2 + list->ItemHeight / 2));
            })
        .When(
            "the page title chosen",
            [] { return fmTBXMain->lbxMemoLocation->ItemIndex() == 2 && Shown(fmTBXMain->memRptMemo); },
            [&] {
                left = Read(fmTBXMain->lbRptMemoLeftMargin, "titles-left-margin");
                right = Read(fmTBXMain->lbRptMemoRightMargin, "titles-right-margin");
                RealKeys("ctrl+q");
            });
    tbx->Print();
    EXPECT_TRUE(user.Done());
    EXPECT_TRUE(ReadsWhole(setup, "Display Report Options Window at runtime")) << setup;
    EXPECT_TRUE(ReadsWhole(setup, "Close Window After Printing")) << setup;
    EXPECT_TRUE(ReadsWhole(left, "Left Margin 10%")) << left;
    EXPECT_TRUE(ReadsWhole(right, "Right Margin 10%")) << right;
}

} // namespace
} // namespace trx::test
