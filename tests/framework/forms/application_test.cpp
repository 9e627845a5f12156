// The application: exceptions, hints, timers, Delay and the message loop.
#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"

namespace trx::testing {
namespace {

class ApplicationTest : public FormsTest {};

void Raise(const std::function<void()>& f) {
    try {
        f();
    } catch (...) {
        Application()->HandleException(nullptr);
    }
}

TEST_F(ApplicationTest, HandleExceptionShowsTheMessageAndStaysSilentForAbort) {
    Application()->Title = "Tabrix Demo";
    Raise([] { throw Exception("Tabrix! Setup Error: Cannot Load Tabrix! Styles"); });
    Raise([] { Abort(); });
    Raise([] { throw EConvertError("Is this a number?"); });
    Raise([] { throw Exception("Ends with a period."); });
    Raise([] { throw std::runtime_error("plain failure"); });
    EXPECT_EQ(ui->Messages(),
              (std::vector<std::string>{"Tabrix! Setup Error: Cannot Load Tabrix! Styles.", "Is this a number?.",
                                        "Ends with a period.", "plain failure."}));
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkException).front().Title, "Tabrix Demo");
    EXPECT_THROW(Raise([] { throw EScriptFailure("no answer"); }), EScriptFailure);

    std::string seen;
    Application()->OnException = [&](TObject*, Exception& e) { seen = e.Message; };
    Raise([] { throw EInvalidOperation("handled elsewhere"); });
    EXPECT_EQ(seen, "handled elsewhere");
    EXPECT_EQ(ui->Messages().size(), 4u);
}

TEST_F(ApplicationTest, ExceptionsOfUserActionsGoToTheApplication) {
    TForm* f = NewForm<TForm>(Application());
    auto* bu = new TButton(f);
    bu->SetParent(f);
    bu->OnClick = [](TObject*) { throw Exception("Tabrix! Setup Error: Report Password Violation"); };
    f->Show();
    EXPECT_NO_THROW(UserClick(bu));
    EXPECT_EQ(ui->Messages(), (std::vector<std::string>{"Tabrix! Setup Error: Report Password Violation."}));
    EXPECT_FALSE(Application()->ExeName().empty());
}

TEST_F(ApplicationTest, HoverShowsTheLongHintAndOnHintFiresOnChange) {
    TForm* f = NewForm<TForm>(Application());
    auto* pa = new TPanel(f);
    pa->SetParent(f);
    pa->SetHint("Printable Area|Printable area on the page");
    auto* lb = new TLabel(f);
    lb->SetParent(pa);
    auto* ed = new TEdit(f);
    ed->SetParent(f);
    ed->SetHint("Output Destination");
    int hints = 0;
    Application()->OnHint = [&](TObject*) { ++hints; };
    UserHover(lb); // no hint of its own: its parent's
    EXPECT_EQ(Application()->Hint(), "Printable area on the page");
    UserHover(pa);
    EXPECT_EQ(hints, 1);
    UserHover(ed);
    EXPECT_EQ(Application()->Hint(), "Output Destination");
    EXPECT_EQ(hints, 2);
    EXPECT_EQ(GetShortHint("Exit|Exit without printing the report"), "Exit");
    EXPECT_EQ(GetLongHint("|Use Space or Dbl-Click to toggle option"), "Use Space or Dbl-Click to toggle option");
}

TEST_F(ApplicationTest, DelayProcessesMessagesAndTimersOnTheFakeClock) {
    TForm* f = NewForm<TForm>(Application());
    int messages = 0;
    f->SetMessageHandler(WM_USER + 1, [&](TMessage&) { ++messages; });
    auto* timer = new TTimer(f);
    timer->SetInterval(100);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    PostMessage(f, WM_USER + 1);
    const int64_t start = GetTickCount();
    Delay(1000);
    EXPECT_GE(GetTickCount() - start, 1000);
    EXPECT_LE(GetTickCount() - start, 1010);
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(ticks, 10);

    timer->SetEnabled(false);
    Delay(500);
    EXPECT_EQ(ticks, 10);
    timer->SetEnabled(true); // the interval starts anew
    clock.Advance(99);
    Application()->ProcessMessages();
    EXPECT_EQ(ticks, 10);
    clock.Advance(1);
    Application()->ProcessMessages();
    EXPECT_EQ(ticks, 11);

    timer->OnTimer = [](TObject*) { throw Exception("timer failed"); };
    clock.Advance(100);
    Application()->ProcessMessages();
    EXPECT_EQ(ui->Messages(), (std::vector<std::string>{"timer failed."}));
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
}

TEST_F(ApplicationTest, HelpGoesToOnHelpThenToTheHelpViewer) {
    EXPECT_FALSE(Application()->HelpContext(220)); // no viewer
    std::vector<int> shown;
    TApplication::SetHelpViewer([&](const std::string& file, int context) {
        EXPECT_EQ(file, "KV_USER.HLP");
        shown.push_back(context);
        return true;
    });
    Application()->HelpFile = "KV_USER.HLP";
    EXPECT_TRUE(Application()->HelpContext(221));
    Application()->OnHelp = [](uint16_t command, int64_t data, bool& callHelp) {
        callHelp = data != 899;
        return command == HELP_CONTEXT;
    };
    EXPECT_TRUE(Application()->HelpContext(899));
    EXPECT_TRUE(Application()->HelpContext(204));
    EXPECT_EQ(shown, (std::vector<int>{221, 204}));
    TApplication::SetHelpViewer(nullptr);
}

TEST_F(ApplicationTest, ProcessMessagesIsReentrant) {
    TForm* f = NewForm<TForm>(Application());
    f->SetMessageHandler(WM_USER + 1, [&](TMessage&) {
        log.push_back("first");
        PostMessage(f, WM_USER + 2);
        Application()->ProcessMessages(); // as a long loop does
        log.push_back("first done");
    });
    f->SetMessageHandler(WM_USER + 2, [&](TMessage&) { log.push_back("second"); });
    PostMessage(f, WM_USER + 1);
    PostMessage(f, WM_USER + 3);
    Application()->QueueInput([&] { log.push_back("input"); });
    Application()->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "input", "second", "first done"}));
}

TEST_F(ApplicationTest, ProcessMessagesFirstTakesTheInputThatHasComeWithoutWaiting) {
    // A source with input waiting: it queues it when polled and never waits.
    struct TPolledSource : TInputSource {
        std::vector<std::string>* Log = nullptr;
        int Polls = 0;
        bool WaitForInput(TCustomForm*, int64_t) override {
            ADD_FAILURE() << "ProcessMessages waited";
            return false;
        }
        void PollInput() override {
            ++Polls;
            Application()->QueueInput([this] { Log->push_back("key"); });
        }
    } source;
    source.Log = &log;
    TInputSource* previous = TApplication::InputSource();
    TApplication::SetInputSource(&source);
    Application()->QueueInput([&] { log.push_back("earlier"); });
    Application()->ProcessMessages();
    TApplication::SetInputSource(previous);
    EXPECT_EQ(source.Polls, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"earlier", "key"}));
}

TEST_F(ApplicationTest, RunShowsTheMainFormUntilItCloses) {
    TForm* f = NewForm<TForm>(Application());
    f->SetName("fmMain");
    ui->OnModal("", [](TCustomForm&) {}); // the main loop waits once
    Application()->QueueInput([f] { f->Close(); });
    ui->ClearCalls();
    Application()->Run(f);
    EXPECT_TRUE(Application()->Terminated());
    EXPECT_EQ(Application()->MainForm(), f);
    EXPECT_EQ(ui->PendingSteps(), 1u); // closed by the queued input, no wait needed
    TScriptedUi* u = ui.get();
    u->OnFailure = nullptr;
    EXPECT_FALSE(u->VerifyAllStepsUsed());
}

} // namespace
} // namespace trx::testing
